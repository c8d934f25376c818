#include "link/chat_link.h"

#include "link/dde_transport.h"
#include "link/library_transport.h"

namespace gv {

namespace {
inline constexpr int kYieldsBeforeLine = 12;
}

struct ChatLink::Impl {
    Impl(EventPump& p, MessageSink& m) : pump(p), dde(p, settings), library(p, m, settings) {}

    Transport& Active() { return settings.useDapi ? static_cast<Transport&>(library) : dde; }

    EventPump& pump;
    LinkSettings settings;
    DdeTransport dde;
    // Destroyed first: the library session ends before the host window goes.
    LibraryTransport library;
};

ChatLink::ChatLink(EventPump& pump, MessageSink& messages) : impl_(std::make_unique<Impl>(pump, messages)) {}

ChatLink::~ChatLink() = default;

void ChatLink::LoadLinkSettings(const std::filesystem::path& path) {
    impl_->settings = gv::LoadLinkSettings(path);
}

const LinkSettings& ChatLink::Settings() const { return impl_->settings; }

void ChatLink::SetHostFactory(LinkHostFactory factory) { impl_->dde.SetHostFactory(std::move(factory)); }

void ChatLink::SetOwnWindow(const std::function<std::uintptr_t()>& handle) {
    impl_->dde.SetOwnWindow(handle);
}

LinkFault ChatLink::StartLink() { return impl_->Active().Start(); }

void ChatLink::StopLink() { impl_->Active().Stop(); }

LinkFault ChatLink::SpeakText(const std::string& line) {
    if (line.empty()) return LinkFault::None;
    impl_->pump.YieldTimes(kYieldsBeforeLine);
    return impl_->Active().Speak(line);
}

ChatFetch ChatLink::FetchAllText() { return impl_->Active().FetchAllText(); }

bool ChatLink::LastWaitedOut() const { return impl_->Active().LastWaitedOut(); }

bool ChatLink::LinesConfirmed() const { return impl_->Active().LinesConfirmed(); }

void ChatLink::SetOnClientAnswered(const std::function<void()>& onAnswered) {
    impl_->library.SetOnAnswered(onAnswered);
}

void ChatLink::WaitSeconds(int seconds) { gv::WaitSeconds(impl_->pump, seconds); }

DdeFields& ChatLink::Fields() { return impl_->dde.Fields(); }

void ChatLink::RegisterDDE() { impl_->dde.Register(); }

void ChatLink::UnregisterDDE() { impl_->dde.Unregister(); }

void ChatLink::CommunicateDDE() { impl_->dde.Communicate(); }

void ChatLink::GetAllTextDDE() { impl_->dde.GetAllText(); }

void ChatLink::ProcessAckData(const char* code) { impl_->library.ProcessAckData(code); }

void ChatLink::ProcessIncomingData(const char* sender, const char* data) {
    impl_->library.ProcessIncomingData(sender, data);
}

void ChatLink::ProcessAllText(const char* text) { impl_->library.ProcessAllText(text); }

const std::string& ChatLink::AllText() const { return impl_->library.AllText(); }

void ChatLink::SetDdeChannel(std::unique_ptr<DdeChannel> channel) {
    impl_->dde.SetChannel(std::move(channel));
}

void ChatLink::SetWindowActivator(std::unique_ptr<WindowActivator> activator) {
    impl_->dde.SetActivator(std::move(activator));
}

void ChatLink::SetDapiLoader(std::unique_ptr<DapiLoader> loader) {
    impl_->library.SetLoader(std::move(loader));
}

bool ChatLink::HostWindowExists() const { return impl_->dde.HostExists(); }

}  // namespace gv
