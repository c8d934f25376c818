#pragma once
// The capture of the chat for Get Bids: fetch the whole chat text, keep it in the capture
// file, and give the intake the text to read.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/event_pump.h"
#include "link/link_port.h"

namespace gv {

// The capture file's primitives. Elsewhere than on Windows a symbolic link standing at the
// path is never followed: it is removed itself, and opening through it fails.

// Deletes the file at `path`. True when no file stands there afterwards (also when there was
// none); a folder is never deleted.
bool DeleteCaptureFile(const std::filesystem::path& path);
// Creates the file, or empties an existing one, and writes `bytes`. False when any step fails.
bool WriteCaptureFile(const std::filesystem::path& path, std::string_view bytes);
// The file's bytes; nullopt when it cannot be opened or read, or is not a plain file.
std::optional<std::string> ReadCaptureFile(const std::filesystem::path& path);

struct CaptureResult {
    std::string text;    // the chat text fetched (UTF-8), empty when every attempt got nothing
    bool saved = false;  // the capture file holds it (ANSI, followed by CR LF)
    // Why there is no text: the last attempt's fault, or NoChatText when the client answered
    // with an empty chat. None when there is a text.
    LinkFault fault = LinkFault::None;
};

// CaptureChat: up to 5 attempts, each 12 yields, then the capture file deleted, then one
// fetch over the link; the first non-empty text is written to the capture file. A fetch that
// already waited out its bound ends the capture: the client is not answering.
CaptureResult CaptureChat(LinkPort& link, EventPump& pump, const std::filesystem::path& path);

// The text the intake reads after a capture: the capture file read back when it was saved
// (converted from ANSI), otherwise the fetched text itself with the line end the file would
// have had. nullopt when the capture got no text.
std::optional<std::string> CapturedText(const CaptureResult& capture, const std::filesystem::path& path);

}  // namespace gv
