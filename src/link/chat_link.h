#pragma once
// The chat link: link settings, the two transports (DDE conversations with WorldsApi, or the
// client's API library wadapi), start and stop, SpeakText and WaitSeconds.
//
// This is the contract the main window codes against; the implementation may add members.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "common/event_pump.h"
#include "link/link_port.h"
#include "link/message_sink.h"

namespace gv {

class DdeChannel;
class WindowActivator;
class DapiLoader;

inline constexpr const char* kRegistrationName = "Gavelton";
inline constexpr const char* kSettingsFile = "SCONTROL.TXT";
// How long Get Bids waits, in the library transport, for the chat text that answers its request.
inline constexpr std::chrono::seconds kChatTextWait{5};

struct LinkSettings {
    std::string clientTitle = "VZones 3.0";
    bool activateClient = false;
    bool useDapi = false;
    int speakPause = 0;  // 16-bit signed
};

LinkSettings LoadLinkSettings(const std::filesystem::path& path);

// The fields of the link host window WA_DDE, which the DDE requests read and write.
struct DdeRecord {
    std::string commMode;
    std::string avatarName;
    std::string commText;
    std::string text1;        // the window shows at most 32000 characters; the whole reply is kept
    bool errorCheck = false;  // "Error Occured"
};

// The hidden window WA_DDE; created by StartLink in the DDE transport, destroyed by StopLink.
class LinkHostView {
public:
    virtual ~LinkHostView() = default;
    virtual void ShowRecord(const DdeRecord& record) = 0;  // the fields changed
};
using LinkHostFactory = std::function<std::unique_ptr<LinkHostView>()>;

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

    // What kept the registration from reaching the client (None in the library transport
    // once the library is loaded: its answer comes through the ack callback).
    LinkFault StartLink() override;
    void StopLink() override;
    LinkFault SpeakText(const std::string& line) override;
    ChatFetch FetchAllText() override;
    void WaitSeconds(int seconds);

    // The DDE requests, also run by hand from the console buttons of WA_DDE.
    DdeRecord& Record();
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

    // What the link talks through; by default the platform's own. Tests hand in fakes, or
    // the stand-in library by its path.
    void SetDdeChannel(std::unique_ptr<DdeChannel> channel);
    void SetWindowActivator(std::unique_ptr<WindowActivator> activator);
    void SetDapiLoader(std::unique_ptr<DapiLoader> loader);
    bool HostWindowExists() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace gv
