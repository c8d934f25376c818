#pragma once
// The DDE transport: every request is a conversation with the client's WorldsApi service,
// made of the fields of the hidden window WA_DDE, which exists while the transport is started.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/event_pump.h"
#include "link/dde_fields.h"
#include "link/dde_parts.h"
#include "link/dde_requests.h"
#include "link/link_settings.h"
#include "link/transport.h"

namespace gv {

class DdeTransport final : public Transport {
public:
    // Until the platform's pieces are handed in, no service answers and no window is found.
    DdeTransport(EventPump& pump, const LinkSettings& settings);
    ~DdeTransport() override;
    DdeTransport(const DdeTransport&) = delete;
    DdeTransport& operator=(const DdeTransport&) = delete;

    LinkFault Start() override;
    void Stop() override;
    LinkFault Speak(const std::string& line) override;
    ChatFetch FetchAllText() override;
    bool LastWaitedOut() const override { return lastWaitedOut_; }

    // The four requests, also run by hand from the console buttons of WA_DDE.
    DdeFields& Fields() { return fields_; }
    void Register();
    void Unregister();
    void Communicate();
    void GetAllText();

    void SetHostFactory(LinkHostFactory factory) { hostFactory_ = std::move(factory); }
    void SetChannel(std::unique_ptr<DdeChannel> channel) { channel_ = std::move(channel); }
    void SetActivator(std::unique_ptr<WindowActivator> activator) { activator_ = std::move(activator); }
    void SetOwnWindow(std::function<std::uintptr_t()> handle) { ownWindow_ = std::move(handle); }
    bool HostExists() const { return static_cast<bool>(host_); }

private:
    void EnsureHost();
    void DestroyHost();
    void ShowFields();
    void Run(const char* topic, std::string item, std::string data, DdeTransaction transaction);
    LinkFault LastFault() const;

    EventPump& pump_;
    const LinkSettings& settings_;
    DdeFields fields_;
    DdeOutcome last_ = DdeOutcome::Done;
    bool lastWaitedOut_ = false;  // the last request gave up after waiting a whole time limit
    LinkHostFactory hostFactory_;
    std::unique_ptr<LinkHostView> host_;
    std::unique_ptr<DdeChannel> channel_;
    std::unique_ptr<WindowActivator> activator_;
    std::function<std::uintptr_t()> ownWindow_;
};

}  // namespace gv
