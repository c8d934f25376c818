#include "link/dde_transport.h"

#include "link/worlds_api_names.h"

namespace gv {

namespace {

// What a link without the platform's pieces talks to: nothing answers.
class NoService final : public DdeChannel {
public:
    void Close() override {}
    bool Open(const std::string&) override { return false; }
    bool Poke(const std::string&, std::string_view) override { return false; }
    std::optional<std::string> Request(const std::string&) override { return std::nullopt; }
};

class NoWindows final : public WindowActivator {
public:
    bool Activate(const std::string&) override { return false; }
    bool ActivateWindow(std::uintptr_t) override { return false; }
};

}  // namespace

DdeTransport::DdeTransport(EventPump& pump, const LinkSettings& settings)
    : pump_(pump),
      settings_(settings),
      channel_(std::make_unique<NoService>()),
      activator_(std::make_unique<NoWindows>()) {}

DdeTransport::~DdeTransport() { DestroyHost(); }

LinkFault DdeTransport::Start() {
    EnsureHost();
    Register();
    const LinkFault fault = LastFault();
    WaitSeconds(pump_, 1);
    return fault;
}

void DdeTransport::Stop() {
    Unregister();
    WaitSeconds(pump_, 1);
    DestroyHost();
    WaitSeconds(pump_, 1);
}

LinkFault DdeTransport::Speak(const std::string& line) {
    EnsureHost();
    fields_.commMode = "0";
    fields_.avatarName.clear();
    fields_.commText = line;
    ShowFields();
    Communicate();
    return LastFault();
}

ChatFetch DdeTransport::FetchAllText() {
    GetAllText();
    ChatFetch fetch;
    fetch.fault = LastFault();
    // A client that let every attempt wait out its time limit is hung: the capture must not
    // spend that much again four more times.
    fetch.waitedOut = lastWaitedOut_;
    fetch.text = fields_.conversation;
    return fetch;
}

void DdeTransport::Register() {
    Run(worlds_api::kRegister, worlds_api::kRegister, kRegistrationName, DdeTransaction::Poke);
}

void DdeTransport::Unregister() {
    Run(worlds_api::kUnregister, worlds_api::kUnregister, kRegistrationName, DdeTransaction::Poke);
}

void DdeTransport::Communicate() {
    const char separator = worlds_api::kFieldSeparator;
    std::string data = kRegistrationName;
    data += separator;
    data += fields_.commMode;
    data += separator;
    data += fields_.avatarName;
    data += separator;
    data += fields_.commText;
    Run(worlds_api::kCommunicate, worlds_api::kCommunicate, std::move(data), DdeTransaction::Poke);
}

void DdeTransport::GetAllText() {
    fields_.conversation.clear();
    Run(worlds_api::kGetAllText, kRegistrationName, std::string(), DdeTransaction::Request);
}

void DdeTransport::EnsureHost() {
    if (!host_ && hostFactory_) host_ = hostFactory_();
}

void DdeTransport::DestroyHost() {
    channel_->Close();  // the conversation belongs to the window's Text1
    host_.reset();
}

void DdeTransport::ShowFields() {
    if (host_) host_->ShowFields(fields_);
}

void DdeTransport::Run(const char* topic, std::string item, std::string data, DdeTransaction transaction) {
    EnsureHost();
    DdeRequestContext context{pump_, *channel_, *activator_, settings_, [this] { ShowFields(); }, ownWindow_};
    const DdeRequestShape shape{topic, std::move(item), std::move(data), transaction};
    const auto start = pump_.Now();
    last_ = RunDdeRequest(context, fields_, shape).outcome;
    lastWaitedOut_ = last_ == DdeOutcome::GaveUp &&
                     pump_.Now() - start >= std::chrono::seconds(kTransactionTimeoutSeconds);
}

LinkFault DdeTransport::LastFault() const {
    switch (last_) {
        case DdeOutcome::Done:
            return LinkFault::None;
        case DdeOutcome::GaveUp:
            return LinkFault::NotAnswering;
        case DdeOutcome::ClientNotFound:
            return LinkFault::ClientNotFound;
    }
    return LinkFault::None;
}

}  // namespace gv
