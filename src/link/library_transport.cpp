#include "link/library_transport.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "common/ansi.h"
#include "link/link_messages.h"

namespace gv {

namespace {

inline constexpr int kYieldsAfterLibraryCall = 24;

// The transport the callbacks reach. Read on other threads only under g_liveLock.
LibraryTransport* g_live = nullptr;
std::mutex g_liveLock;
CallbackHandOver g_handOver;  // under g_liveLock
std::atomic<std::thread::id> g_windowThread{std::this_thread::get_id()};

// A callback must never let a failure escape into the library. On the window's thread it runs
// at once (during a library call or a yield, as the library chooses); from any other thread it
// only copies its texts and is handed to the window's thread, so the library's thread never
// waits for the window, nor touches it.
template <typename Call>
int32_t Deliver(Call&& call) {
    try {
        if (std::this_thread::get_id() == g_windowThread) {
            if (g_live != nullptr) call(*g_live);
            return 0;
        }
        const std::lock_guard<std::mutex> lock(g_liveLock);
        if (g_live == nullptr || !g_handOver) return 0;
        g_handOver([call = std::forward<Call>(call)]() mutable {
            // The transport may have gone (or been replaced) meanwhile.
            if (g_live != nullptr) call(*g_live);
        });
    } catch (...) {
    }
    return 0;
}

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

// A result code by which the client took the request and answered it: success, or one of its
// refusals "1" to "16".
bool ClientAnswered(const std::string& code) {
    for (int known = 0; known <= 16; ++known) {
        if (code == std::to_string(known)) return true;
    }
    return false;
}

// What a link without the platform's loader finds: no library.
class NoLoader final : public DapiLoader {
public:
    const WadapiFunctions* Load(std::string& problem) override {
        problem = "The chat client's API library " WADAPI_LIBRARY_NAME " cannot be loaded by this program.";
        return nullptr;
    }
};

}  // namespace

extern "C" {
// The texts are copied: the library's pointers are good only for the call.
static int32_t WADAPI_CALL AckCallback(const char* code) {
    return Deliver([code = std::string(OrEmpty(code))](LibraryTransport& library) {
        library.ProcessAckData(code.c_str());
    });
}
static int32_t WADAPI_CALL DataCallback(const char* sender, int32_t /*unused*/, const char* data) {
    return Deliver([sender = std::string(OrEmpty(sender)),
                    data = std::string(OrEmpty(data))](LibraryTransport& library) {
        library.ProcessIncomingData(sender.c_str(), data.c_str());
    });
}
static int32_t WADAPI_CALL AllTextCallback(const char* text) {
    return Deliver([text = std::string(OrEmpty(text))](LibraryTransport& library) {
        library.ProcessAllText(text.c_str());
    });
}
}

LibraryTransport::LibraryTransport(EventPump& pump, MessageSink& messages, const LinkSettings& settings)
    : pump_(pump),
      messages_(messages),
      settings_(settings),
      name_(ToAnsi(kRegistrationName)),
      loader_(std::make_unique<NoLoader>()) {
    const std::lock_guard<std::mutex> lock(g_liveLock);
    g_live = this;
}

LibraryTransport::~LibraryTransport() {
    if (sessionOpen_ && dapi_ != nullptr) dapi_->killDDE();
    const std::lock_guard<std::mutex> lock(g_liveLock);
    if (g_live == this) g_live = nullptr;
}

void SetCallbackHandOver(CallbackHandOver handOver) {
    const std::lock_guard<std::mutex> lock(g_liveLock);
    g_handOver = std::move(handOver);
    g_windowThread = std::this_thread::get_id();
}

LinkFault LibraryTransport::Start() {
    if (!LoadLibrary()) return LinkFault::LibraryMissing;
    dapi_->initDDE(name_.c_str(), AckCallback, DataCallback, AllTextCallback);
    sessionOpen_ = true;
    dapi_->dapiRegister(name_.c_str());
    return LinkFault::None;
}

void LibraryTransport::Stop() {
    if (dapi_ != nullptr) {
        dapi_->dapiUnregister(name_.c_str());
        dapi_->killDDE();
        sessionOpen_ = false;
    }
    WaitSeconds(pump_, 1);
}

LinkFault LibraryTransport::Speak(const std::string& line) {
    // The library reports nothing back here (its answer is the ack callback's result code);
    // only a library that is not there is known to have lost the line.
    const LinkFault fault = dapi_ != nullptr ? LinkFault::None : LinkFault::LibraryMissing;
    if (dapi_ != nullptr) {
        const std::string text = ToAnsi(line);
        dapi_->dapiCommunicate(name_.c_str(), 0, "", text.c_str());
    }
    pump_.YieldTimes(kYieldsAfterLibraryCall);
    if (settings_.speakPause > 0) WaitSeconds(pump_, settings_.speakPause);
    return fault;
}

ChatFetch LibraryTransport::FetchAllText() {
    ChatFetch fetch;
    if (dapi_ == nullptr) {
        pump_.YieldTimes(kYieldsAfterLibraryCall);
        fetch.fault = LinkFault::LibraryMissing;
        return fetch;
    }
    // Only a delivery after this request answers it: AllText may still hold an older chat,
    // and bids read from that would be stale.
    const std::uint64_t before = allTextDeliveries_;
    const auto deadline = pump_.Now() + kChatTextWait;
    dapi_->dapiGetAllText(name_.c_str());
    pump_.YieldTimes(kYieldsAfterLibraryCall);
    while (allTextDeliveries_ == before && pump_.Now() < deadline) {
        pump_.WaitForEvent(kClockLookInterval);
        pump_.Yield();
    }
    if (allTextDeliveries_ == before) {
        fetch.fault = LinkFault::NotAnswering;
        fetch.waitedOut = true;
        return fetch;
    }
    fetch.text = allText_;
    return fetch;
}

void LibraryTransport::SetLoader(std::unique_ptr<DapiLoader> loader) {
    loader_ = std::move(loader);
    dapi_ = nullptr;
}

void LibraryTransport::ProcessAckData(const char* code) {
    const std::string text = FromAnsi(OrEmpty(code));
    // "17" (not logged in) means nothing reaches the chat, and an unknown code tells nothing.
    if (onAnswered_ && ClientAnswered(text)) onAnswered_();
    const std::optional<std::string> message = AckMessage(text);
    if (message) messages_.ShowMessage(*message, kAckTitle, MessageIcon::Information);
}

void LibraryTransport::ProcessIncomingData(const char* sender, const char* data) {
    messages_.ShowMessage(IncomingDataMessage(FromAnsi(OrEmpty(sender)), FromAnsi(OrEmpty(data))),
                          kRegistrationName, MessageIcon::None);
}

void LibraryTransport::ProcessAllText(const char* text) {
    allText_ = FromAnsi(OrEmpty(text));
    ++allTextDeliveries_;
    if (onAnswered_) onAnswered_();
}

// Loads the library if it is not loaded yet; tells the host once per start when it cannot.
bool LibraryTransport::LoadLibrary() {
    std::string problem;
    dapi_ = loader_->Load(problem);
    if (dapi_ == nullptr) messages_.ShowMessage(problem, kRegistrationName, MessageIcon::Warning);
    return dapi_ != nullptr;
}

}  // namespace gv
