#pragma once
// The pieces the DDE requests are made of, each behind a small interface so that the retry
// procedure can be tested without a chat client: one conversation with the WorldsApi service,
// and the activation of a top-level window by its title. The desktop's own pieces are in
// dde_channel.h.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gv {

// How long a conversation waits for the service to answer before the attempt fails.
inline constexpr int kTransactionTimeoutSeconds = 5;

// One client conversation with WorldsApi at a time, as the text box Text1 holds it.
// Data crosses as 8-bit ANSI bytes in the plain-text format.
class DdeChannel {
public:
    virtual ~DdeChannel() = default;
    // Ends the open conversation, if any.
    virtual void Close() = 0;
    // Opens a conversation on `topic` of the service; false when no server answers.
    virtual bool Open(const std::string& topic) = 0;
    // False when no conversation is open or the server refuses the data or does not answer.
    virtual bool Poke(const std::string& item, std::string_view ansiData) = 0;
    // The item's value; nullopt when no conversation is open, the server refuses or the
    // answer does not come in time; empty when the answer is not plain text.
    virtual std::optional<std::string> Request(const std::string& item) = 0;
};

class WindowActivator {
public:
    virtual ~WindowActivator() = default;
    // Brings to the front the top-level window titled exactly `title`, else the first whose
    // title begins with it. False when there is no such window (or no display to look on).
    virtual bool Activate(const std::string& title) = 0;
    // Brings to the front the top-level window with this native handle (HWND, X window id).
    // False for 0 or a window that is not there.
    virtual bool ActivateWindow(std::uintptr_t window) = 0;
};

}  // namespace gv
