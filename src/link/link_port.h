#pragma once
// What the auction floor and the rules announcement need from the chat link. The chat link
// implements it; floor tests use a fake.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace gv {

// What kept a request from reaching the chat client, as far as the transport can tell.
enum class LinkFault {
    None,
    NotAnswering,    // DDE: every attempt failed; library: no chat text came in time
    ClientNotFound,  // DDE with ActivateClient: no window titled like the client, nothing sent
    LibraryMissing,  // library transport without a loaded wadapi: nothing sent
    NoChatText,      // the client answered every attempt with an empty chat
};

// How the window names the fault to the host, e.g. "chat client not answering".
constexpr std::string_view LinkFaultText(LinkFault fault) {
    switch (fault) {
        case LinkFault::None:
            return {};
        case LinkFault::NotAnswering:
            return "chat client not answering";
        case LinkFault::ClientNotFound:
            return "chat client window not found";
        case LinkFault::LibraryMissing:
            return "wadapi library not loaded";
        case LinkFault::NoChatText:
            return "no chat text from the chat client";
    }
    return {};
}

// How long a fetch in the library transport waits for the chat text that answers its request.
inline constexpr std::chrono::seconds kChatTextWait{5};

// One fetch of the whole chat text (UTF-8).
struct ChatFetch {
    std::string text;
    LinkFault fault = LinkFault::None;
    // The link already waited its whole bound for an answer; another attempt would only wait
    // as long again.
    bool waitedOut = false;
};

class LinkPort {
public:
    virtual ~LinkPort() = default;

    // SpeakText: says one line into the chat as the host's avatar (speak mode), with the
    // transport's yields and pacing. An empty line does nothing at all.
    virtual LinkFault SpeakText(const std::string& line) = 0;
    // Whether the last line or fetch failed only after waiting out at least a whole time
    // limit: the chat client hangs, and each further request would wait as long again.
    virtual bool LastWaitedOut() const { return false; }
    // Whether a line that came back without a fault is known to have reached the client. The
    // library transport learns that only later, from the client's result code, if at all.
    virtual bool LinesConfirmed() const { return true; }
    // Runs `onAnswered` whenever the client shows by itself that it answers (library
    // transport: a result code or a chat text through its callbacks).
    virtual void SetOnClientAnswered(const std::function<void()>& /*onAnswered*/) {}

    // One fetch of the whole chat text, as one attempt of the capture makes it:
    // library transport: DapiGetAllText, 24 yields, then the chat text that answers this
    // request (waited for up to kChatTextWait); DDE transport: GetAllTextDDE, then the whole
    // reply (empty when the request failed).
    virtual ChatFetch FetchAllText() = 0;
};

// The link's start, restart and stop, as the main window runs them at start-up, on ReConnect
// and at close.
class LinkSession {
public:
    virtual ~LinkSession() = default;
    // Reads the link settings once, from SCONTROL.TXT in the working folder.
    virtual void LoadLinkSettings(const std::filesystem::path& path) = 0;
    // Registers with the chat client; what kept the registration from reaching it.
    virtual LinkFault StartLink() = 0;
    // Unregisters and ends the transport.
    virtual void StopLink() = 0;
    // How to find Gavelton's own main window (its native handle, 0 while it has none), which
    // the DDE transport brings back to the front after the client's.
    virtual void SetOwnWindow(const std::function<std::uintptr_t()>& /*handle*/) {}
};

}  // namespace gv
