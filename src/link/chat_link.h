#pragma once
// The chat link: link settings, the two transports (DDE conversations with WorldsApi, or the
// client's API library wadapi), start and stop, SpeakText and WaitSeconds.
//
// This is the contract the main window codes against. It needs no window system: the
// platform's pieces are handed in (UseDesktopPlatform in desktop_platform.h, or fakes).

#include <filesystem>
#include <memory>
#include <string>

#include "common/event_pump.h"
#include "common/message_sink.h"
#include "link/dde_fields.h"
#include "link/link_port.h"
#include "link/link_settings.h"

namespace gv {

class DdeChannel;
class WindowActivator;
class DapiLoader;

class ChatLink : public LinkPort, public LinkSession {
public:
    ChatLink(EventPump& pump, MessageSink& messages);
    ~ChatLink() override;
    ChatLink(const ChatLink&) = delete;
    ChatLink& operator=(const ChatLink&) = delete;

    // Read once at start from SCONTROL.TXT in the working folder.
    void LoadLinkSettings(const std::filesystem::path& path = kSettingsFile) override;
    const LinkSettings& Settings() const;

    // The main window hands over how to create the hidden WA_DDE window.
    void SetHostFactory(LinkHostFactory factory);
    void SetOwnWindow(const std::function<std::uintptr_t()>& handle) override;

    // What kept the registration from reaching the client (None in the library transport
    // once the library is loaded: its answer comes through the ack callback).
    LinkFault StartLink() override;
    void StopLink() override;
    LinkFault SpeakText(const std::string& line) override;
    ChatFetch FetchAllText() override;
    bool LastWaitedOut() const override;
    bool LinesConfirmed() const override;
    void SetOnClientAnswered(const std::function<void()>& onAnswered) override;
    void WaitSeconds(int seconds);

    // The DDE requests, also run by hand from the console buttons of WA_DDE.
    DdeFields& Fields();
    void RegisterDDE();
    void UnregisterDDE();
    void CommunicateDDE();
    void GetAllTextDDE();

    // The library's three callbacks, texts in 8-bit ANSI. The plain functions handed to
    // InitDDE route here, to the one live ChatLink.
    void ProcessAckData(const char* code);
    void ProcessIncomingData(const char* sender, const char* data);
    void ProcessAllText(const char* text);
    // The chat text last delivered by the library (UTF-8); never emptied by the link.
    const std::string& AllText() const;

    // What the link talks through; until they are handed in, no service answers, no window
    // is found and no library loads. Tests hand in fakes, or the stand-in library by its path.
    void SetDdeChannel(std::unique_ptr<DdeChannel> channel);
    void SetWindowActivator(std::unique_ptr<WindowActivator> activator);
    void SetDapiLoader(std::unique_ptr<DapiLoader> loader);
    bool HostWindowExists() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace gv
