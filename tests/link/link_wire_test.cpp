// The chat link against the real thing as far as Linux has it: wxWidgets' IPC over the
// Unix-domain socket, practice-world serving WorldsApi, and the stand-in wadapi library.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <wx/init.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "link/chat_link.h"
#include "link/desktop/dapi_library.h"
#include "link/desktop/dde_channel.h"
#include "link/desktop/desktop_platform.h"
#include "link_fakes.h"
#include "world_process.h"

namespace gv {
namespace {

using Clock = std::chrono::steady_clock;

using e2e::ServiceFolder;

class WxRuntime : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }
    void TearDown() override { wxUninitialize(); }
};
const auto* const g_wx = ::testing::AddGlobalTestEnvironment(new WxRuntime);

class LinkWireOverSocket : public ::testing::Test {
protected:
    ServiceFolder service;
    test::CountingPump pump;
    test::RecordingSink sink;
};

TEST_F(LinkWireOverSocket, NoWorldRunningGivesUpAfterFiveAttempts) {
    ChatLink link(pump, sink);
    UseDesktopPlatform(link);
    link.Fields().conversation = "old chat";
    const auto start = Clock::now();
    link.GetAllTextDDE();
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(pump.yields, 5 * 12);
    EXPECT_TRUE(link.Fields().errorCheck);
    EXPECT_EQ(link.Fields().conversation, "");

    pump.yields = 0;
    EXPECT_EQ(link.SpeakText("SOLD!"), LinkFault::NotAnswering);
    EXPECT_EQ(pump.yields, 12 + 5 * 12);
    EXPECT_TRUE(link.Fields().errorCheck);
    EXPECT_TRUE(sink.shown.empty());
}

// A chat client that hangs: a raw Unix socket that either completes wx's connect handshake and
// then reads whatever follows without replying, or is only listened on and never read at all
// (the system accepts the connection, nobody answers it).
class HungServer {
public:
    enum class Opening { Answered, NeverAnswered };

    HungServer(const std::filesystem::path& socketPath, Opening opening) : opening_(opening) {
        listener_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 4);
        if (opening_ == Opening::Answered) thread_ = std::thread([this] { Serve(); });
    }
    ~HungServer() {
        stop_ = true;
        ::shutdown(listener_, SHUT_RDWR);
        if (thread_.joinable()) thread_.join();
        ::close(listener_);
    }
    HungServer(const HungServer&) = delete;
    HungServer& operator=(const HungServer&) = delete;

private:
    // One peer after the other: each opening is answered, nothing after it ever is.
    void Serve() {
        while (!stop_) {
            const int peer = ::accept(listener_, nullptr, nullptr);
            if (peer < 0) return;
            char buffer[4096];
            if (::read(peer, buffer, sizeof buffer) > 0) {
                const char connected = 10;  // wx IPC's answer to a connect
                (void)!::write(peer, &connected, 1);
            }
            while (!stop_ && ::read(peer, buffer, sizeof buffer) > 0) {
            }
            ::close(peer);
        }
    }

    Opening opening_;
    int listener_ = -1;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST_F(LinkWireOverSocket, UnansweredRequestFailsAfterFiveSeconds) {
    HungServer server(service.Path() / "WorldsApi", HungServer::Opening::Answered);
    std::unique_ptr<DdeChannel> channel = MakeWorldsApiChannel();
    ASSERT_TRUE(channel->Open("WorldsApi_GetAllText"));
    const auto start = Clock::now();
    EXPECT_EQ(channel->Request("Gavelton"), std::nullopt);
    const auto took = Clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(4500));
    EXPECT_LT(took, std::chrono::seconds(8));
    channel->Close();
}

// wx's own connect would wait ten minutes for the answer to its opening.
TEST_F(LinkWireOverSocket, UnansweredOpeningFailsAfterFiveSeconds) {
    HungServer server(service.Path() / "WorldsApi", HungServer::Opening::NeverAnswered);
    std::unique_ptr<DdeChannel> channel = MakeWorldsApiChannel();
    const auto start = Clock::now();
    EXPECT_FALSE(channel->Open("WorldsApi_GetAllText"));
    const auto took = Clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(4500));
    EXPECT_LT(took, std::chrono::seconds(8));
}

#ifdef GV_PRACTICE_WORLD

// practice-world as a child process, headless, logging every transaction.
// The practice world, headless, serving the test's own service folder, its chat starting with
// `transcript`.
std::unique_ptr<e2e::WorldProcess> StartWorld(const ServiceFolder& service, const std::string& transcript) {
    e2e::WorldOptions options;
    if (!transcript.empty()) {
        options.transcript = service.Path() / "transcript.txt";
        std::ofstream(options.transcript, std::ios::binary) << transcript;
    }
    return std::make_unique<e2e::WorldProcess>(GV_PRACTICE_WORLD, service.Path(), options);
}

// The data field of a logged poke. Plain text (CF_TEXT) ends in one NUL, which the world logs.
std::string LoggedData(const std::string& line) {
    std::string data = line.substr(line.rfind('\t') + 1);
    const std::string nul = "\\x00";
    if (data.size() < nul.size() || data.compare(data.size() - nul.size(), nul.size(), nul) != 0) {
        return "(no terminating NUL) " + data;
    }
    data.resize(data.size() - nul.size());
    return data;
}

TEST_F(LinkWireOverSocket, PokesCarryTheExactAnsiBytesAsPlainText) {
    const auto world = StartWorld(service, "");
    ASSERT_TRUE(world->Ready()) << world->Problem();
    ChatLink link(pump, sink);
    UseDesktopPlatform(link);
    link.StartLink();
    link.SpeakText("SOLD!");
    link.SpeakText("Caf\xC3\xA9 \xE2\x82\xAC");
    link.StopLink();
    EXPECT_FALSE(link.Fields().errorCheck);

    const std::vector<std::string> pokes = world->LogLines("POKE", 4);
    ASSERT_EQ(pokes.size(), 4u);
    EXPECT_EQ(pokes[0].substr(0, pokes[0].rfind('\t')), "POKE\tWorldsApi_Register\tWorldsApi_Register\t1");
    EXPECT_EQ(LoggedData(pokes[0]), "Gavelton");
    EXPECT_EQ(pokes[1].substr(0, pokes[1].rfind('\t')),
              "POKE\tWorldsApi_Communicate\tWorldsApi_Communicate\t1");
    EXPECT_EQ(LoggedData(pokes[1]), "Gavelton\\f0\\f\\fSOLD!");
    EXPECT_EQ(LoggedData(pokes[2]), "Gavelton\\f0\\f\\fCaf\\xE9 \\x80");
    EXPECT_EQ(pokes[3].substr(0, pokes[3].rfind('\t')),
              "POKE\tWorldsApi_Unregister\tWorldsApi_Unregister\t1");
    EXPECT_EQ(LoggedData(pokes[3]), "Gavelton");
}

TEST_F(LinkWireOverSocket, GetAllTextAnswersTheWholeTranscript) {
    std::string transcript;
    std::string expected;
    for (int i = 0; i < 1500; ++i) {
        const std::string line = "Ann: this is line " + std::to_string(i) + " of a long evening";
        transcript += line + "\r\n";
        expected += (i > 0 ? "\r\n" : "") + line;
    }
    transcript += "ESP from Zo\xEB: 500\r\n";
    expected += "\r\nESP from Zo\xC3\xAB: 500";
    const auto world = StartWorld(service, transcript);
    ASSERT_TRUE(world->Ready()) << world->Problem();
    ChatLink link(pump, sink);
    UseDesktopPlatform(link);

    const std::string text = link.FetchAllText().text;
    EXPECT_GT(text.size(), 32000u);
    EXPECT_EQ(text, expected);
    EXPECT_EQ(link.Fields().conversation, expected);
    EXPECT_FALSE(link.Fields().errorCheck);
    EXPECT_EQ(pump.yields, 0);
    const std::vector<std::string> requests = world->LogLines("REQUEST", 1);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("REQUEST\tWorldsApi_GetAllText\tGavelton\t1", 0), 0u) << requests[0];

    // What Gavelton says appears in the transcript and comes back with the next fetch.
    link.SpeakText("SOLD!");
    EXPECT_EQ(link.FetchAllText().text, expected + "\r\nHost: SOLD!");
}

TEST_F(LinkWireOverSocket, NoClientWindowToActivateEndsWithoutTransaction) {
    const auto world = StartWorld(service, "Ann: hi\r\n");
    ASSERT_TRUE(world->Ready()) << world->Problem();
    test::TempFolder folder;
    ChatLink link(pump, sink);
    UseDesktopPlatform(link);
    link.LoadLinkSettings(folder.Write("SCONTROL.TXT", "No Such Client Window 7f3a\r\n1\r\n0\r\n"));
    link.RegisterDDE();
    link.Fields().conversation = "old";
    link.GetAllTextDDE();
    EXPECT_EQ(link.Fields().conversation, "");
    EXPECT_FALSE(link.Fields().errorCheck);
    EXPECT_EQ(pump.yields, 0);
    // The conversations were opened, nothing was poked or requested.
    EXPECT_GE(world->LogLines("CONNECT", 2).size(), 2u);
    EXPECT_TRUE(world->LogLines("POKE").empty());
    EXPECT_TRUE(world->LogLines("REQUEST").empty());
}

#endif  // GV_PRACTICE_WORLD

TEST(LinkWireWadapiLoader, MissingLibraryIsReportedByName) {
    WxDapiLoader loader("/nonexistent/libwadapi.so");
    std::string problem;
    EXPECT_EQ(loader.Load(problem), nullptr);
    EXPECT_NE(problem.find("/nonexistent/libwadapi.so"), std::string::npos) << problem;
    EXPECT_NE(problem.find("could not be loaded"), std::string::npos) << problem;
}

TEST(LinkWireWadapiLoader, LibraryWithoutTheFunctionsNamesWhatIsMissing) {
    // A shared library that certainly exists but exports none of wadapi's functions.
    WxDapiLoader loader("libm.so.6");
    std::string problem;
    EXPECT_EQ(loader.Load(problem), nullptr);
    EXPECT_NE(problem.find("InitDDE, KillDDE, DapiRegister, DapiUnregister, DapiCommunicate, DapiGetAllText"),
              std::string::npos)
        << problem;
}

TEST(LinkWireWadapiLoader, MissingLibraryLeavesTheLinkRunning) {
    test::TempFolder folder;
    test::CountingPump pump;
    test::RecordingSink sink;
    ChatLink link(pump, sink);
    link.SetDapiLoader(std::make_unique<WxDapiLoader>("/nonexistent/libwadapi.so"));
    link.LoadLinkSettings(folder.Write("SCONTROL.TXT", "VZones 3.0\r\n0\r\n1\r\n"));
    link.StartLink();
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].title, "Gavelton");
    EXPECT_EQ(sink.shown[0].icon, MessageIcon::Warning);
    link.SpeakText("hello");
    EXPECT_EQ(link.FetchAllText().fault, LinkFault::LibraryMissing);
    link.StopLink();
    link.StartLink();  // ReConnect tries again and says so again
    EXPECT_EQ(sink.shown.size(), 2u);
}

#if defined(GV_STAND_IN_WADAPI) && defined(GV_PRACTICE_WORLD)

TEST_F(LinkWireOverSocket, StandInLibraryStartAndStopCallInOrder) {
    const auto world = StartWorld(service, "Ann: hi\r\n");
    ASSERT_TRUE(world->Ready()) << world->Problem();
    test::TempFolder folder;
    ChatLink link(pump, sink);
    link.SetDapiLoader(std::make_unique<WxDapiLoader>(GV_STAND_IN_WADAPI));
    link.LoadLinkSettings(folder.Write("SCONTROL.TXT", "VZones 3.0\r\n0\r\n1\r\n"));
    link.StartLink();
    link.SpeakText("hello all");
    const std::string chat = link.FetchAllText().text;
    link.StopLink();
    EXPECT_TRUE(sink.shown.empty()) << sink.shown.at(0).text;
    EXPECT_NE(chat.find("Host: hello all"), std::string::npos) << chat;

    std::vector<std::string> calls;
    for (const std::string& line : world->LogLines("LIB", 6)) {
        const std::string rest = line.substr(4);
        calls.push_back(rest.substr(0, rest.find('\t')));
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"InitDDE", "DapiRegister", "DapiCommunicate", "DapiGetAllText",
                                               "DapiUnregister", "KillDDE"}));
}

// The stand-in library opens its conversations the same way: a world that never answers costs
// each of its calls the time limit, not ten minutes.
TEST_F(LinkWireOverSocket, StandInLibraryBoundsAnUnansweredOpening) {
    HungServer server(service.Path() / "WorldsApi", HungServer::Opening::NeverAnswered);
    test::TempFolder folder;
    ChatLink link(pump, sink);
    link.SetDapiLoader(std::make_unique<WxDapiLoader>(GV_STAND_IN_WADAPI));
    link.LoadLinkSettings(folder.Write("SCONTROL.TXT", "VZones 3.0\r\n0\r\n1\r\n"));
    const auto start = Clock::now();
    link.StartLink();  // InitDDE and DapiRegister, each waiting out the limit once
    const auto took = Clock::now() - start;
    EXPECT_GE(took, std::chrono::seconds(2 * kTransactionTimeoutSeconds - 1));
    EXPECT_LT(took, std::chrono::seconds(2 * kTransactionTimeoutSeconds + 3));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown.front().text, "17 - You are not logged in yet");
}

TEST_F(LinkWireOverSocket, StandInLibraryCodesShowInTheOrderTheyCome) {
    // The world refuses the registration with 7; the unregistration then answers 10.
    const auto world = StartWorld(service, "");
    ASSERT_TRUE(world->Ready()) << world->Problem();
    ASSERT_TRUE(world->Script("!ack 7"));
    test::TempFolder folder;
    ChatLink link(pump, sink);
    link.SetDapiLoader(std::make_unique<WxDapiLoader>(GV_STAND_IN_WADAPI));
    link.LoadLinkSettings(folder.Write("SCONTROL.TXT", "VZones 3.0\r\n0\r\n1\r\n"));
    ASSERT_EQ(world->LogLines("SCRIPT", 1).size(), 1u);  // the script has run
    link.StartLink();
    link.StopLink();
    const std::string title = "ProcessAckData Response Message";
    EXPECT_EQ(sink.shown, (std::vector<test::ShownMessage>{
                              {"7 - Target avatar is currently busy", title, MessageIcon::Information},
                              {"10 - App.Title was not registered", title, MessageIcon::Information}}));
}

TEST_F(LinkWireOverSocket, StandInLibraryResultCodesAreShown) {
    const auto world = StartWorld(service, "");
    ASSERT_TRUE(world->Ready()) << world->Problem();
    ASSERT_TRUE(world->Script("!nohost"));
    test::TempFolder folder;
    ChatLink link(pump, sink);
    link.SetDapiLoader(std::make_unique<WxDapiLoader>(GV_STAND_IN_WADAPI));
    link.LoadLinkSettings(folder.Write("SCONTROL.TXT", "VZones 3.0\r\n0\r\n1\r\n"));
    ASSERT_EQ(world->LogLines("SCRIPT", 1).size(), 1u);  // the script has logged the host out
    link.StartLink();
    link.SpeakText("hello");
    link.StopLink();
    ASSERT_FALSE(sink.shown.empty());
    for (const test::ShownMessage& message : sink.shown) {
        EXPECT_EQ(message.text, "17 - You are not logged in yet");
        EXPECT_EQ(message.title, "ProcessAckData Response Message");
        EXPECT_EQ(message.icon, MessageIcon::Information);
    }
}

#endif

}  // namespace
}  // namespace gv
