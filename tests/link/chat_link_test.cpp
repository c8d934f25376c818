#include "link/chat_link.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <thread>

#include "link/library_transport.h"
#include "link/wadapi_loader.h"
#include "link_fakes.h"

namespace gv {
namespace {

// ---------------------------------------------------------------------------------------
// A fake wadapi: plain functions that record their calls, as the real library's would arrive.

struct FakeLibrary {
    std::vector<std::string>* calls = nullptr;
    WadapiAckProc ack = nullptr;
    WadapiDataProc data = nullptr;
    WadapiAllTextProc allText = nullptr;
    std::string ackCode = "0";  // what each request answers through the ack callback
    std::string chat;           // what DapiGetAllText delivers
};
FakeLibrary g_fake;

void Record(const std::string& call) {
    if (g_fake.calls != nullptr) g_fake.calls->push_back(call);
}

extern "C" {
int32_t WADAPI_CALL FakeInit(const char* name, WadapiAckProc ack, WadapiDataProc data,
                             WadapiAllTextProc all) {
    g_fake.ack = ack;
    g_fake.data = data;
    g_fake.allText = all;
    Record(std::string("InitDDE ") + name);
    return 0;
}
int32_t WADAPI_CALL FakeKill(void) {
    Record("KillDDE");
    return 0;
}
int32_t WADAPI_CALL FakeRegister(const char* name) {
    Record(std::string("DapiRegister ") + name);
    return g_fake.ack(g_fake.ackCode.c_str());
}
int32_t WADAPI_CALL FakeUnregister(const char* name) {
    Record(std::string("DapiUnregister ") + name);
    return 0;
}
int32_t WADAPI_CALL FakeCommunicate(const char* name, int32_t mode, const char* avatar, const char* text) {
    Record(std::string("DapiCommunicate ") + name + "|" + std::to_string(mode) + "|" + avatar + "|" + text);
    return 0;
}
int32_t WADAPI_CALL FakeGetAllText(const char* name) {
    Record(std::string("DapiGetAllText ") + name);
    if (!g_fake.chat.empty()) g_fake.allText(g_fake.chat.c_str());
    return 0;
}
}

class FakeLoader final : public DapiLoader {
public:
    explicit FakeLoader(int& loads) : loads_(loads) {}
    bool missing = false;
    const WadapiFunctions* Load(std::string& problem) override {
        ++loads_;
        if (missing) {
            problem = "no library";
            return nullptr;
        }
        functions_ = {FakeInit, FakeKill, FakeRegister, FakeUnregister, FakeCommunicate, FakeGetAllText};
        return &functions_;
    }

private:
    int& loads_;
    WadapiFunctions functions_;
};

class FakeHost final : public LinkHostView {
public:
    explicit FakeHost(std::vector<std::string>& calls) : calls_(calls) { calls_.push_back("host created"); }
    ~FakeHost() override { calls_.push_back("host destroyed"); }
    void ShowFields(const DdeFields&) override { ++shows; }
    int shows = 0;

private:
    std::vector<std::string>& calls_;
};

class ChatLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_fake = FakeLibrary{};
        g_fake.calls = &calls;
        auto loaderPtr = std::make_unique<FakeLoader>(loads);
        loader = loaderPtr.get();
        link.SetDapiLoader(std::move(loaderPtr));
        auto channelPtr = std::make_unique<test::FakeChannel>(channelLog);
        channel = channelPtr.get();
        link.SetDdeChannel(std::move(channelPtr));
        link.SetWindowActivator(std::make_unique<test::FakeActivator>(channelLog.calls));
        link.SetHostFactory([this] { return std::make_unique<FakeHost>(calls); });
    }
    void TearDown() override { g_fake.calls = nullptr; }

    void Settings(const std::string& bytes) { link.LoadLinkSettings(folder.Write("SCONTROL.TXT", bytes)); }

    // Declared before the link, which may still report into them as it goes.
    std::vector<std::string> calls;
    int loads = 0;
    test::FakeChannel::Log channelLog;
    test::TempFolder folder;
    test::CountingPump pump;
    test::RecordingSink sink;
    ChatLink link{pump, sink};
    FakeLoader* loader = nullptr;
    test::FakeChannel* channel = nullptr;
};

// ---------------------------------------------------------------------------------------
// Library transport

TEST_F(ChatLinkTest, LibraryStartThenStopCallsInOrder) {
    Settings("VZones 3.0\r\n0\r\n1\r\n0\r\n");
    link.StartLink();
    link.StopLink();
    EXPECT_EQ(calls, (std::vector<std::string>{"InitDDE Gavelton", "DapiRegister Gavelton",
                                               "DapiUnregister Gavelton", "KillDDE"}));
    EXPECT_TRUE(channelLog.calls.empty());  // no DDE, no host window
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(ChatLinkTest, LibraryStopWaitsOneSecondAndStartDoesNotWait) {
    Settings("t\r\n0\r\n1\r\n");
    link.StartLink();
    EXPECT_EQ(pump.yields, 0);
    pump.yields = 50;  // half-way through a second
    link.StopLink();
    // Until the clock's second changes: 24 yields per look.
    EXPECT_EQ(pump.yields, 50 + 72);
    EXPECT_GT(pump.waits, 0);
}

TEST_F(ChatLinkTest, ResultCodesReachTheHostThroughTheCallback) {
    Settings("t\r\n0\r\n1\r\n");
    g_fake.ackCode = "9";
    link.StartLink();
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0],
              (test::ShownMessage{"9 - App.Title already registered", "ProcessAckData Response Message",
                                  MessageIcon::Information}));
    g_fake.data("Ann", 0, "hello");
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[1].text, "Data received from Ann: hello");
}

// A line said through the library is not known to have arrived; the client's answers are.
TEST_F(ChatLinkTest, OnlyTheLibrarysAnswersShowThatTheClientAnswers) {
    Settings("t\r\n0\r\n1\r\n");
    EXPECT_FALSE(link.LinesConfirmed());
    int answered = 0;
    link.SetOnClientAnswered([&] { ++answered; });
    for (const char* code : {"17", "99", "", " 0", "07"}) link.ProcessAckData(code);
    EXPECT_EQ(answered, 0);
    for (const char* code : {"0", "7", "16"}) link.ProcessAckData(code);
    EXPECT_EQ(answered, 3);
    link.ProcessAllText("Ann: hi");
    EXPECT_EQ(answered, 4);
    sink.shown.clear();

    Settings("t\r\n0\r\n0\r\n");
    EXPECT_TRUE(link.LinesConfirmed());
}

TEST_F(ChatLinkTest, LibrarySpeakTextYieldsCallsYieldsAndPauses) {
    Settings("t\r\n0\r\n1\r\n2\r\n");
    link.StartLink();
    calls.clear();
    std::vector<std::string> trace;
    pump.trace = &trace;
    g_fake.calls = &trace;
    link.SpeakText("Item on the Block currently is Vase \xE2\x82\xAC");
    ASSERT_GE(trace.size(), 12u + 1u + 24u);
    EXPECT_EQ(std::count(trace.begin(), trace.begin() + 12, "yield"), 12);
    EXPECT_EQ(trace[12], "DapiCommunicate Gavelton|0||Item on the Block currently is Vase \x80");
    EXPECT_EQ(std::count(trace.begin() + 13, trace.begin() + 37, "yield"), 24);
    // Then two changes of the clock's second (100 yields each): 12+24 = 36 yields in, the clock
    // turns at 100 and 200, looked at every 24 yields.
    EXPECT_EQ(pump.yields, 36 + 72 + 96);
}

TEST_F(ChatLinkTest, NoPauseWhenThePauseIsZeroOrLess) {
    Settings("t\r\n0\r\n1\r\n-3\r\n");
    link.StartLink();
    link.SpeakText("hello");
    EXPECT_EQ(pump.yields, 36);
    EXPECT_EQ(pump.waits, 0);
}

TEST_F(ChatLinkTest, EmptyLineDoesNothingAtAll) {
    Settings("t\r\n0\r\n1\r\n2\r\n");
    link.StartLink();
    calls.clear();
    link.SpeakText("");
    EXPECT_EQ(pump.yields, 0);
    EXPECT_TRUE(calls.empty());

    link.LoadLinkSettings(folder.path() / "none.txt");  // DDE transport
    link.SpeakText("");
    EXPECT_EQ(pump.yields, 0);
    EXPECT_TRUE(channelLog.calls.empty());
}

TEST_F(ChatLinkTest, LibraryFetchTakesOnlyTheChatTextThatAnswersIt) {
    Settings("t\r\n0\r\n1\r\n");
    link.StartLink();
    g_fake.chat = "Ann: hi\r\nESP from Bo: 5";
    ChatFetch fetch = link.FetchAllText();  // answered during the call: 24 yields, no wait
    EXPECT_EQ(fetch.text, "Ann: hi\r\nESP from Bo: 5");
    EXPECT_EQ(fetch.fault, LinkFault::None);
    EXPECT_EQ(pump.yields, 24);
    EXPECT_EQ(pump.waits, 0);

    // No delivery this time: the earlier chat is not taken for the answer. The wait is bounded
    // and naps between its yields instead of spinning.
    g_fake.chat.clear();
    fetch = link.FetchAllText();
    EXPECT_EQ(fetch.text, "");
    EXPECT_EQ(fetch.fault, LinkFault::NotAnswering);
    EXPECT_TRUE(fetch.waitedOut);
    EXPECT_GE(pump.waited, kChatTextWait);
    EXPECT_LT(pump.waited, kChatTextWait + std::chrono::milliseconds(50));
    EXPECT_EQ(pump.yields - 48, pump.waits);
    EXPECT_EQ(link.AllText(), "Ann: hi\r\nESP from Bo: 5");  // AllText itself keeps it
}

TEST_F(ChatLinkTest, LibraryFetchWaitsForALateAnswer) {
    Settings("t\r\n0\r\n1\r\n");
    link.StartLink();
    link.ProcessAllText("Old: chat");
    pump.onYield = [&](int yields) {
        if (yields == 200) link.ProcessAllText("Ann: late\r\nESP from Bo: 7");
    };
    const ChatFetch fetch = link.FetchAllText();
    EXPECT_EQ(fetch.text, "Ann: late\r\nESP from Bo: 7");
    EXPECT_EQ(fetch.fault, LinkFault::None);
    EXPECT_EQ(pump.yields, 200);  // it stopped waiting at the answer
}

// A callback from a thread of the library's own runs nothing of Gavelton's there: it waits for
// the window's thread, or is dropped when nothing can take it there.
TEST_F(ChatLinkTest, CallbacksFromAnotherThreadAreHandedToTheWindowsThread) {
    Settings("t\r\n0\r\n1\r\n");
    link.StartLink();
    std::mutex lock;
    std::vector<CallbackHandOver::argument_type> handed;
    SetCallbackHandOver([&](const std::function<void()>& task) {
        const std::lock_guard<std::mutex> guard(lock);
        handed.push_back(task);
    });
    std::thread([] {
        g_fake.allText("Ann: from afar");
        g_fake.ack("7");
    }).join();
    EXPECT_EQ(link.AllText(), "");
    EXPECT_TRUE(sink.shown.empty());
    ASSERT_EQ(handed.size(), 2u);
    for (const auto& task : handed) task();  // as the window's event loop runs them
    EXPECT_EQ(link.AllText(), "Ann: from afar");
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "7 - Target avatar is currently busy");

    SetCallbackHandOver(nullptr);
    std::thread([] { g_fake.allText("Ann: lost"); }).join();
    EXPECT_EQ(link.AllText(), "Ann: from afar");
}

TEST_F(ChatLinkTest, MissingLibraryIsToldOnceAndTriedAgainOnReconnect) {
    Settings("t\r\n0\r\n1\r\n");
    loader->missing = true;
    link.StartLink();
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0], (test::ShownMessage{"no library", "Gavelton", MessageIcon::Warning}));

    // Requests do nothing, but keep their pacing; nothing else is shown.
    EXPECT_EQ(link.SpeakText("hello"), LinkFault::LibraryMissing);
    const ChatFetch fetch = link.FetchAllText();
    EXPECT_EQ(fetch.text, "");
    EXPECT_EQ(fetch.fault, LinkFault::LibraryMissing);
    link.StopLink();
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(loads, 1);

    loader->missing = false;
    link.StartLink();
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(calls, (std::vector<std::string>{"InitDDE Gavelton", "DapiRegister Gavelton"}));
    EXPECT_EQ(sink.shown.size(), 1u);
}

TEST_F(ChatLinkTest, ReconnectInitialisesTheLibraryAgain) {
    Settings("t\r\n0\r\n1\r\n");
    link.StartLink();
    link.StopLink();
    link.StartLink();
    EXPECT_EQ(calls, (std::vector<std::string>{"InitDDE Gavelton", "DapiRegister Gavelton",
                                               "DapiUnregister Gavelton", "KillDDE", "InitDDE Gavelton",
                                               "DapiRegister Gavelton"}));
}

TEST_F(ChatLinkTest, CallbacksAfterTheLinkIsGoneAreIgnored) {
    Settings("t\r\n0\r\n1\r\n");
    link.StartLink();
    WadapiAckProc ack = g_fake.ack;
    {
        test::CountingPump otherPump;
        test::RecordingSink otherSink;
        auto other = std::make_unique<ChatLink>(otherPump, otherSink);
        ack("7");  // the newest link is the live one
        EXPECT_EQ(otherSink.shown.size(), 1u);
        other.reset();
    }
    EXPECT_EQ(ack("7"), 0);  // no live link: nothing shown, nothing crashes
    EXPECT_TRUE(sink.shown.empty());
}

// ---------------------------------------------------------------------------------------
// DDE transport

TEST_F(ChatLinkTest, DdeStartCreatesTheHostRegistersAndWaits) {
    link.StartLink();
    EXPECT_EQ(calls, (std::vector<std::string>{"host created"}));
    EXPECT_TRUE(link.HostWindowExists());
    EXPECT_EQ(channelLog.poked, (std::vector<std::string>{"Gavelton"}));
    EXPECT_EQ(channelLog.calls.at(1), "open WorldsApi_Register");
    EXPECT_EQ(pump.yields, 120);  // one WaitSeconds: the first look past 100, 24 yields apart

    link.StopLink();
    EXPECT_EQ(calls, (std::vector<std::string>{"host created", "host destroyed"}));
    EXPECT_FALSE(link.HostWindowExists());
    EXPECT_EQ(channelLog.poked.back(), "Gavelton");
    EXPECT_EQ(channelLog.calls.at(channelLog.calls.size() - 2), "poke WorldsApi_Unregister");
    EXPECT_EQ(channelLog.calls.back(), "close");  // destroying the host ends the conversation
    EXPECT_EQ(pump.yields, 120 + 96 + 96);        // two more waits of a second
}

TEST_F(ChatLinkTest, DdeSpeakTextFillsTheFieldsAndDoesNotPause) {
    Settings("t\r\n0\r\n0\r\n5\r\n");  // the pause applies to the library only
    link.StartLink();
    pump.yields = 0;
    link.SpeakText("SOLD!");
    EXPECT_EQ(channelLog.poked.back(), "Gavelton\f0\f\fSOLD!");
    EXPECT_EQ(channelLog.calls.back(), "poke WorldsApi_Communicate");
    EXPECT_EQ(pump.yields, 12);
    EXPECT_EQ(link.Fields().commMode, "0");
    EXPECT_EQ(link.Fields().avatarName, "");
    EXPECT_EQ(link.Fields().commText, "SOLD!");
}

TEST_F(ChatLinkTest, ConsoleCommunicateSendsWhatTheFieldsHold) {
    link.Fields().commMode = "2";
    link.Fields().avatarName = "Ann";
    link.Fields().commText = "hi there";
    link.CommunicateDDE();
    EXPECT_EQ(channelLog.poked.back(), "Gavelton\f2\fAnn\fhi there");
    EXPECT_TRUE(link.HostWindowExists());  // created again for the request
}

TEST_F(ChatLinkTest, SpeakAfterStopCreatesTheHostAgain) {
    link.StartLink();
    link.StopLink();
    link.SpeakText("still here");
    EXPECT_TRUE(link.HostWindowExists());
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "host created"), 2);
    EXPECT_EQ(channelLog.poked.back(), "Gavelton\f0\f\fstill here");
}

TEST_F(ChatLinkTest, DdeFetchEmptiesText1AndKeepsTheWholeReply) {
    link.Fields().conversation = "stale";
    channel->reply = std::string(40000, 'x') + "ESP from Bo: 7";
    EXPECT_EQ(link.FetchAllText().text, channel->reply);
    EXPECT_EQ(channelLog.calls.back(), "request Gavelton");

    channel->transactionSucceeds = false;
    const ChatFetch failed = link.FetchAllText();
    EXPECT_EQ(failed.text, "");
    EXPECT_EQ(failed.fault, LinkFault::NotAnswering);
    EXPECT_TRUE(link.Fields().errorCheck);
    EXPECT_TRUE(sink.shown.empty());
}

// A client that refuses at once may answer the next time; one that let a request wait out the
// time limit is hung, and the fetch and the line say so, so that the command asks no more.
TEST_F(ChatLinkTest, DdeRequestsThatWaitedOutTheirTimeLimitSaySo) {
    channel->transactionSucceeds = false;
    EXPECT_FALSE(link.FetchAllText().waitedOut);
    EXPECT_EQ(link.SpeakText("SOLD!"), LinkFault::NotAnswering);
    EXPECT_FALSE(link.LastWaitedOut());

    channel->onTransaction = [&] { pump.waited += std::chrono::seconds(kTransactionTimeoutSeconds); };
    EXPECT_TRUE(link.FetchAllText().waitedOut);
    EXPECT_EQ(link.SpeakText("SOLD!"), LinkFault::NotAnswering);
    EXPECT_TRUE(link.LastWaitedOut());

    channel->transactionSucceeds = true;  // slow, but it answers
    EXPECT_EQ(link.SpeakText("SOLD!"), LinkFault::None);
    EXPECT_FALSE(link.LastWaitedOut());
}

// ---------------------------------------------------------------------------------------
// A link that was handed no platform pieces

TEST(ChatLinkWithoutPlatform, NothingAnswersAndTheHostIsToldOfTheLibrary) {
    test::TempFolder folder;
    test::CountingPump pump;
    test::RecordingSink sink;
    ChatLink link(pump, sink);

    // DDE: every attempt fails and the request gives up, as with no chat client running.
    const ChatFetch fetch = link.FetchAllText();
    EXPECT_EQ(fetch.fault, LinkFault::NotAnswering);
    EXPECT_EQ(pump.yields, 5 * 12);
    EXPECT_TRUE(link.Fields().errorCheck);

    // Library: not loaded, said once per start, and nothing is sent.
    link.LoadLinkSettings(folder.Write("SCONTROL.TXT", "t\r\n0\r\n1\r\n"));
    EXPECT_EQ(link.StartLink(), LinkFault::LibraryMissing);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].title, "Gavelton");
    EXPECT_EQ(sink.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(link.SpeakText("hello"), LinkFault::LibraryMissing);
}

// ---------------------------------------------------------------------------------------
// WaitSeconds

TEST_F(ChatLinkTest, WaitSecondsEndsAtTheNthChangeOfTheSecond) {
    pump.yields = 10;
    link.WaitSeconds(3);
    EXPECT_EQ(pump.yields, 10 + 96 + 96 + 120);  // ends on the first look past 300
    // It sleeps on the event queue between looks instead of spinning.
    EXPECT_EQ(pump.waits, 3 + 3 + 4);
}

TEST_F(ChatLinkTest, WaitSecondsAlwaysMakesOnePass) {
    link.WaitSeconds(0);
    EXPECT_EQ(pump.yields, 120);
    pump.yields = 0;
    link.WaitSeconds(-5);
    EXPECT_EQ(pump.yields, 120);
}

}  // namespace
}  // namespace gv
