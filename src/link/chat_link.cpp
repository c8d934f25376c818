#include "link/chat_link.h"

#include <cstdint>

#include "common/ansi.h"
#include "link/dapi_library.h"
#include "link/dde_channel.h"
#include "link/dde_requests.h"
#include "link/link_messages.h"
#include "link/worlds_api.h"

namespace gv {

namespace {

inline constexpr int kYieldsBeforeLine = 12;
inline constexpr int kYieldsAfterLibraryCall = 24;
inline constexpr int kYieldsPerClockLook = 24;
// Between looks at the clock a wait sleeps on the event queue instead of spinning a core.
inline constexpr std::chrono::milliseconds kClockLookInterval{5};

ChatLink* g_liveLink = nullptr;

// A callback must never let a failure escape into the library.
template <typename Call>
int32_t Deliver(Call&& call) {
    try {
        if (g_liveLink != nullptr) call(*g_liveLink);
    } catch (...) {
    }
    return 0;
}

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

extern "C" {
static int32_t WADAPI_CALL AckCallback(const char* code) {
    return Deliver([&](ChatLink& link) { link.ProcessAckData(code); });
}
static int32_t WADAPI_CALL DataCallback(const char* sender, int32_t /*unused*/, const char* data) {
    return Deliver([&](ChatLink& link) { link.ProcessIncomingData(sender, data); });
}
static int32_t WADAPI_CALL AllTextCallback(const char* text) {
    return Deliver([&](ChatLink& link) { link.ProcessAllText(text); });
}
}

struct ChatLink::Impl {
    Impl(EventPump& p, MessageSink& m) : pump(p), messages(m) {}

    EventPump& pump;
    MessageSink& messages;
    LinkSettings settings;
    DdeRecord record;
    std::string allText;

    std::uint64_t allTextDeliveries = 0;  // counts the all-text callbacks, to tell a fresh one
    DdeOutcome lastDde = DdeOutcome::Done;

    LinkHostFactory hostFactory;
    std::unique_ptr<LinkHostView> host;
    std::unique_ptr<DdeChannel> channel;
    std::unique_ptr<WindowActivator> activator;

    std::unique_ptr<DapiLoader> loader;
    const WadapiFunctions* dapi = nullptr;  // null while the library is missing
    bool librarySessionOpen = false;        // InitDDE called, KillDDE not yet

    void EnsureHost() {
        if (!host && hostFactory) host = hostFactory();
    }

    void DestroyHost() {
        if (channel) channel->Close();  // the conversation belongs to the window's Text1
        host.reset();
    }

    void ShowRecord() {
        if (host) host->ShowRecord(record);
    }

    void RunDde(const char* topic, std::string item, std::string data, DdeTransaction transaction) {
        EnsureHost();
        if (!channel) channel = MakeWorldsApiChannel();
        if (!activator) activator = MakeDesktopWindowActivator();
        DdeRequestContext context{pump, *channel, *activator, settings, [this] { ShowRecord(); }};
        lastDde = RunDdeRequest(context, record, DdeRequestShape{topic, std::move(item), std::move(data), transaction})
                      .outcome;
    }

    LinkFault LastDdeFault() const {
        switch (lastDde) {
            case DdeOutcome::Done: return LinkFault::None;
            case DdeOutcome::GaveUp: return LinkFault::NotAnswering;
            case DdeOutcome::ClientNotFound: return LinkFault::ClientNotFound;
        }
        return LinkFault::None;
    }

    // Loads the library if it is not loaded yet; tells the host once per start when it cannot.
    bool LoadLibrary() {
        if (!loader) loader = std::make_unique<WxDapiLoader>();
        std::string problem;
        dapi = loader->Load(problem);
        if (dapi == nullptr) messages.ShowMessage(problem, kRegistrationName, MessageIcon::Warning);
        return dapi != nullptr;
    }
};

ChatLink::ChatLink(EventPump& pump, MessageSink& messages) : impl_(std::make_unique<Impl>(pump, messages)) {
    g_liveLink = this;
}

ChatLink::~ChatLink() {
    // Let the library stop calling back before the callbacks lose their target.
    if (impl_->librarySessionOpen && impl_->dapi != nullptr) impl_->dapi->killDDE();
    impl_->DestroyHost();
    if (g_liveLink == this) g_liveLink = nullptr;
}

void ChatLink::LoadLinkSettings(const std::filesystem::path& path) {
    impl_->settings = gv::LoadLinkSettings(path);
}

const LinkSettings& ChatLink::Settings() const { return impl_->settings; }

void ChatLink::SetHostFactory(LinkHostFactory factory) { impl_->hostFactory = std::move(factory); }

LinkFault ChatLink::StartLink() {
    Impl& d = *impl_;
    if (d.settings.useDapi) {
        if (!d.LoadLibrary()) return LinkFault::LibraryMissing;
        const std::string name = ToAnsi(kRegistrationName);
        d.dapi->initDDE(name.c_str(), AckCallback, DataCallback, AllTextCallback);
        d.librarySessionOpen = true;
        d.dapi->dapiRegister(name.c_str());
        return LinkFault::None;
    }
    d.EnsureHost();
    RegisterDDE();
    const LinkFault fault = d.LastDdeFault();
    WaitSeconds(1);
    return fault;
}

void ChatLink::StopLink() {
    Impl& d = *impl_;
    if (d.settings.useDapi) {
        if (d.dapi != nullptr) {
            const std::string name = ToAnsi(kRegistrationName);
            d.dapi->dapiUnregister(name.c_str());
            d.dapi->killDDE();
            d.librarySessionOpen = false;
        }
        WaitSeconds(1);
        return;
    }
    UnregisterDDE();
    WaitSeconds(1);
    d.DestroyHost();
    WaitSeconds(1);
}

LinkFault ChatLink::SpeakText(const std::string& line) {
    Impl& d = *impl_;
    if (line.empty()) return LinkFault::None;
    d.pump.YieldTimes(kYieldsBeforeLine);
    if (d.settings.useDapi) {
        // The library reports nothing back here (its answer is the ack callback's result
        // code); only a library that is not there is known to have lost the line.
        const LinkFault fault = d.dapi != nullptr ? LinkFault::None : LinkFault::LibraryMissing;
        if (d.dapi != nullptr) {
            const std::string name = ToAnsi(kRegistrationName);
            const std::string text = ToAnsi(line);
            d.dapi->dapiCommunicate(name.c_str(), 0, "", text.c_str());
        }
        d.pump.YieldTimes(kYieldsAfterLibraryCall);
        if (d.settings.speakPause > 0) WaitSeconds(d.settings.speakPause);
        return fault;
    }
    d.EnsureHost();
    d.record.commMode = "0";
    d.record.avatarName.clear();
    d.record.commText = line;
    d.ShowRecord();
    CommunicateDDE();
    return d.LastDdeFault();
}

ChatFetch ChatLink::FetchAllText() {
    Impl& d = *impl_;
    ChatFetch fetch;
    if (d.settings.useDapi) {
        if (d.dapi == nullptr) {
            d.pump.YieldTimes(kYieldsAfterLibraryCall);
            fetch.fault = LinkFault::LibraryMissing;
            return fetch;
        }
        // Only a delivery after this request answers it: AllText may still hold an older chat,
        // and bids read from that would be stale.
        const std::uint64_t before = d.allTextDeliveries;
        const auto deadline = d.pump.Now() + kChatTextWait;
        const std::string name = ToAnsi(kRegistrationName);
        d.dapi->dapiGetAllText(name.c_str());
        d.pump.YieldTimes(kYieldsAfterLibraryCall);
        while (d.allTextDeliveries == before && d.pump.Now() < deadline) {
            d.pump.WaitForEvent(kClockLookInterval);
            d.pump.Yield();
        }
        if (d.allTextDeliveries == before) {
            fetch.fault = LinkFault::NotAnswering;
            fetch.waitedOut = true;
            return fetch;
        }
        fetch.text = d.allText;
        return fetch;
    }
    GetAllTextDDE();
    fetch.fault = d.LastDdeFault();
    fetch.text = d.record.text1;
    return fetch;
}

void ChatLink::WaitSeconds(int seconds) {
    EventPump& pump = impl_->pump;
    int passes = 0;
    do {
        const std::string start = pump.TimeOfDayText();
        while (true) {
            pump.YieldTimes(kYieldsPerClockLook);
            if (pump.TimeOfDayText() != start) break;
            pump.WaitForEvent(kClockLookInterval);
        }
        ++passes;
    } while (passes < seconds);
}

DdeRecord& ChatLink::Record() { return impl_->record; }

void ChatLink::RegisterDDE() {
    impl_->RunDde(worlds_api::kRegister, worlds_api::kRegister, kRegistrationName, DdeTransaction::Poke);
}

void ChatLink::UnregisterDDE() {
    impl_->RunDde(worlds_api::kUnregister, worlds_api::kUnregister, kRegistrationName, DdeTransaction::Poke);
}

void ChatLink::CommunicateDDE() {
    const DdeRecord& r = impl_->record;
    const char separator = worlds_api::kFieldSeparator;
    std::string data = kRegistrationName;
    data += separator;
    data += r.commMode;
    data += separator;
    data += r.avatarName;
    data += separator;
    data += r.commText;
    impl_->RunDde(worlds_api::kCommunicate, worlds_api::kCommunicate, std::move(data), DdeTransaction::Poke);
}

void ChatLink::GetAllTextDDE() {
    impl_->record.text1.clear();
    impl_->RunDde(worlds_api::kGetAllText, kRegistrationName, std::string(), DdeTransaction::Request);
}

void ChatLink::ProcessAckData(const char* code) {
    const std::optional<std::string> message = AckMessage(FromAnsi(OrEmpty(code)));
    if (message) impl_->messages.ShowMessage(*message, kAckTitle, MessageIcon::Information);
}

void ChatLink::ProcessIncomingData(const char* sender, const char* data) {
    impl_->messages.ShowMessage(IncomingDataMessage(FromAnsi(OrEmpty(sender)), FromAnsi(OrEmpty(data))),
                                kRegistrationName, MessageIcon::None);
}

void ChatLink::ProcessAllText(const char* text) {
    impl_->allText = FromAnsi(OrEmpty(text));
    ++impl_->allTextDeliveries;
}

const std::string& ChatLink::AllText() const { return impl_->allText; }

void ChatLink::SetDdeChannel(std::unique_ptr<DdeChannel> channel) { impl_->channel = std::move(channel); }

void ChatLink::SetWindowActivator(std::unique_ptr<WindowActivator> activator) {
    impl_->activator = std::move(activator);
}

void ChatLink::SetDapiLoader(std::unique_ptr<DapiLoader> loader) {
    impl_->loader = std::move(loader);
    impl_->dapi = nullptr;
}

bool ChatLink::HostWindowExists() const { return static_cast<bool>(impl_->host); }

}  // namespace gv
