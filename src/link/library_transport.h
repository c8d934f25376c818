#pragma once
// The library transport: requests are calls of the client's API library wadapi, whose answers
// come back through the three callbacks handed to InitDDE.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/event_pump.h"
#include "common/message_sink.h"
#include "link/link_settings.h"
#include "link/transport.h"
#include "link/wadapi_loader.h"

namespace gv {

// Runs a task later on the window's thread, from any thread, without waiting for it.
using CallbackHandOver = std::function<void(std::function<void()>)>;

// How a callback that the library makes on a thread other than the window's reaches the
// window's thread. The thread that installs it is the window's. Until one is installed, such a
// callback is dropped: nothing of Gavelton's may be touched from another thread.
void SetCallbackHandOver(CallbackHandOver handOver);

class LibraryTransport final : public Transport {
public:
    // The newest transport is the one the library's callbacks reach. Until a loader is handed
    // in, the library is never found.
    LibraryTransport(EventPump& pump, MessageSink& messages, const LinkSettings& settings);
    // Lets the library stop calling back before the callbacks lose their target.
    ~LibraryTransport() override;
    LibraryTransport(const LibraryTransport&) = delete;
    LibraryTransport& operator=(const LibraryTransport&) = delete;

    // What kept the registration from reaching the client: None once the library is loaded,
    // its answer comes through the ack callback.
    LinkFault Start() override;
    void Stop() override;
    LinkFault Speak(const std::string& line) override;
    ChatFetch FetchAllText() override;
    // A line comes back before the client has answered it: only its result code tells.
    bool LinesConfirmed() const override { return false; }
    // Runs on a result code by which the client answered a request ("0" to "16"), and on every
    // chat text: the client is there.
    void SetOnAnswered(std::function<void()> onAnswered) { onAnswered_ = std::move(onAnswered); }

    void SetLoader(std::unique_ptr<DapiLoader> loader);

    // The three callbacks, texts in 8-bit ANSI.
    void ProcessAckData(const char* code);
    void ProcessIncomingData(const char* sender, const char* data);
    void ProcessAllText(const char* text);
    // The chat text last delivered (UTF-8); never emptied by the link.
    const std::string& AllText() const { return allText_; }

private:
    bool LoadLibrary();

    EventPump& pump_;
    MessageSink& messages_;
    const LinkSettings& settings_;
    const std::string name_;  // the registration name in ANSI, as every call passes it
    std::string allText_;
    std::uint64_t allTextDeliveries_ = 0;  // counts the all-text callbacks, to tell a fresh one
    std::unique_ptr<DapiLoader> loader_;
    std::function<void()> onAnswered_;
    const WadapiFunctions* dapi_ = nullptr;  // null while the library is missing
    bool sessionOpen_ = false;               // InitDDE called, KillDDE not yet
};

}  // namespace gv
