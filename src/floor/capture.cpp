#include "floor/capture.h"

#include "common/ansi.h"

namespace gv {

namespace {

constexpr int kCaptureAttempts = 5;
constexpr int kYieldsBeforeAttempt = 12;

}  // namespace

CaptureResult CaptureChat(LinkPort& link, EventPump& pump, const std::filesystem::path& path) {
    CaptureResult result;
    for (int attempt = 0; attempt < kCaptureAttempts; ++attempt) {
        pump.YieldTimes(kYieldsBeforeAttempt);
        // A file that cannot be deleted is no reason to stop: the fetched text itself can
        // still be read, and a stale file is never read in its place (see CapturedText).
        DeleteCaptureFile(path);
        ChatFetch fetch = link.FetchAllText();
        if (!fetch.text.empty()) {
            std::string bytes = ToAnsi(fetch.text);
            bytes += "\r\n";
            result.saved = WriteCaptureFile(path, bytes);
            result.text = std::move(fetch.text);
            result.fault = LinkFault::None;
            return result;
        }
        result.fault = fetch.fault == LinkFault::None ? LinkFault::NoChatText : fetch.fault;
        if (fetch.waitedOut) break;
    }
    return result;
}

std::optional<std::string> CapturedText(const CaptureResult& capture, const std::filesystem::path& path) {
    if (capture.text.empty()) return std::nullopt;
    if (capture.saved) {
        if (std::optional<std::string> bytes = ReadCaptureFile(path)) return FromAnsi(*bytes);
    }
    // The file could not be written or read back (e.g. no right to write there): the bids
    // are in the text we already hold, so read that rather than report "no new bids".
    std::string text = capture.text;
    text += "\r\n";
    return text;
}

}  // namespace gv
