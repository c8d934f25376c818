#include "link/library_transport.h"

#include "common/ansi.h"
#include "link/link_messages.h"

namespace gv {

namespace {

inline constexpr int kYieldsAfterLibraryCall = 24;

LibraryTransport* g_live = nullptr;

// A callback must never let a failure escape into the library.
template <typename Call>
int32_t Deliver(Call&& call) {
    try {
        if (g_live != nullptr) call(*g_live);
    } catch (...) {
    }
    return 0;
}

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

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
static int32_t WADAPI_CALL AckCallback(const char* code) {
    return Deliver([&](LibraryTransport& library) { library.ProcessAckData(code); });
}
static int32_t WADAPI_CALL DataCallback(const char* sender, int32_t /*unused*/, const char* data) {
    return Deliver([&](LibraryTransport& library) { library.ProcessIncomingData(sender, data); });
}
static int32_t WADAPI_CALL AllTextCallback(const char* text) {
    return Deliver([&](LibraryTransport& library) { library.ProcessAllText(text); });
}
}

LibraryTransport::LibraryTransport(EventPump& pump, MessageSink& messages, const LinkSettings& settings)
    : pump_(pump),
      messages_(messages),
      settings_(settings),
      name_(ToAnsi(kRegistrationName)),
      loader_(std::make_unique<NoLoader>()) {
    g_live = this;
}

LibraryTransport::~LibraryTransport() {
    if (sessionOpen_ && dapi_ != nullptr) dapi_->killDDE();
    if (g_live == this) g_live = nullptr;
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
    const std::optional<std::string> message = AckMessage(FromAnsi(OrEmpty(code)));
    if (message) messages_.ShowMessage(*message, kAckTitle, MessageIcon::Information);
}

void LibraryTransport::ProcessIncomingData(const char* sender, const char* data) {
    messages_.ShowMessage(IncomingDataMessage(FromAnsi(OrEmpty(sender)), FromAnsi(OrEmpty(data))),
                          kRegistrationName, MessageIcon::None);
}

void LibraryTransport::ProcessAllText(const char* text) {
    allText_ = FromAnsi(OrEmpty(text));
    ++allTextDeliveries_;
}

// Loads the library if it is not loaded yet; tells the host once per start when it cannot.
bool LibraryTransport::LoadLibrary() {
    std::string problem;
    dapi_ = loader_->Load(problem);
    if (dapi_ == nullptr) messages_.ShowMessage(problem, kRegistrationName, MessageIcon::Warning);
    return dapi_ != nullptr;
}

}  // namespace gv
