// The stand-in wadapi library against a headless practice world on a socket of its own:
// what a tool gets back through the three callbacks, and what the world logs.

#include <algorithm>
#include <thread>

#include "link/wadapi_api.h"
#include "world_fixture.h"

namespace {

std::vector<std::string> g_acks;
std::vector<std::string> g_texts;
std::vector<std::pair<std::string, std::string>> g_data;
std::thread::id g_dataThread;

int32_t WADAPI_CALL OnAck(const char* code) {
    g_acks.emplace_back(code);
    return 0;
}
int32_t WADAPI_CALL OnData(const char* sender, int32_t, const char* data) {
    g_data.emplace_back(sender, data);
    g_dataThread = std::this_thread::get_id();
    return 0;
}
int32_t WADAPI_CALL OnAllText(const char* text) {
    g_texts.emplace_back(text);
    return 0;
}

class WadapiAgainstWorld : public WorldFixture {
protected:
    void SetUp() override {
        g_acks.clear();
        g_texts.clear();
        g_data.clear();
        WorldFixture::SetUp();
    }
    void TearDown() override {
        KillDDE();  // also after a failed assertion, so the next test starts without a session
        WorldFixture::TearDown();
    }
    std::vector<std::string> LibLines() const { return LogLines("LIB"); }
};

TEST_F(WadapiAgainstWorld, ASessionGetsTheClientsCodesAndTheChatText) {
    StartWorld();
    ASSERT_EQ(InitDDE("Gavelton", OnAck, OnData, OnAllText), 0);
    DapiRegister("Gavelton");
    DapiRegister("Gavelton");
    DapiCommunicate("Gavelton", 0, "", "Item on the Block currently is Caf\xE9 table");
    DapiCommunicate("Gavelton", 2, "Ann", "you won");
    DapiCommunicate("Gavelton", 0, "", "");
    DapiCommunicate("Gavelton", 2, "", "to nobody");
    DapiGetAllText("Gavelton");
    DapiUnregister("Gavelton");
    DapiUnregister("Gavelton");
    EXPECT_EQ(KillDDE(), 0);

    EXPECT_EQ(g_acks, (std::vector<std::string>{"0", "9", "0", "0", "11", "12", "0", "0", "10"}));
    ASSERT_EQ(g_texts.size(), 1u);
    EXPECT_EQ(g_texts[0], "Hal: Item on the Block currently is Caf\xE9 table\r\nESP to Ann: you won");
    EXPECT_EQ(LibLines(),
              (std::vector<std::string>{
                  "LIB\tInitDDE\tGavelton",
                  "LIB\tDapiRegister\tGavelton",
                  "LIB\tDapiRegister\tGavelton",
                  "LIB\tDapiCommunicate\tGavelton\t0\t\tItem on the Block currently is Caf\\xE9 table",
                  "LIB\tDapiCommunicate\tGavelton\t2\tAnn\tyou won",
                  "LIB\tDapiCommunicate\tGavelton\t0\t\t",
                  "LIB\tDapiCommunicate\tGavelton\t2\t\tto nobody",
                  "LIB\tDapiGetAllText\tGavelton",
                  "LIB\tDapiUnregister\tGavelton",
                  "LIB\tDapiUnregister\tGavelton",
                  "LIB\tKillDDE",
              }));
}

TEST_F(WadapiAgainstWorld, TheWorldsStateAndForcedCodesComeBackAsCodes) {
    StartWorld();
    ASSERT_EQ(InitDDE("Gavelton", OnAck, OnData, OnAllText), 0);
    // The script runs on the world's clock: ask until each line has taken effect.
    Script("!ack 7");
    ASSERT_TRUE(PumpUntil([] {
        DapiGetAllText("Gavelton");
        return g_acks.back() != "0";
    }));
    EXPECT_EQ(g_acks.back(), "7");
    EXPECT_EQ(g_texts.size(), g_acks.size() - 1);  // the text comes only with a plain "0"
    DapiGetAllText("Gavelton");
    EXPECT_EQ(g_acks.back(), "0");  // the forced code answered once

    Script("!nohost");
    ASSERT_TRUE(PumpUntil([] {
        DapiGetAllText("Gavelton");
        return g_acks.back() != "0";
    }));
    EXPECT_EQ(g_acks.back(), "17");
    DapiRegister("Gavelton");
    EXPECT_EQ(g_acks.back(), "17");
    const std::size_t texts = g_texts.size();
    Script("!host Hal");
    ASSERT_TRUE(PumpUntil([] {
        DapiGetAllText("Gavelton");
        return g_acks.back() == "0";
    }));
    EXPECT_EQ(g_texts.size(), texts + 1);
}

TEST_F(WadapiAgainstWorld, DataFromTheWorldArrivesOnTheLoopThread) {
    StartWorld();
    ASSERT_EQ(InitDDE("Gavelton", OnAck, OnData, OnAllText), 0);
    Script("!data Ann hello there");
    ASSERT_TRUE(PumpUntil([] { return !g_data.empty(); }));
    EXPECT_EQ(g_data[0], (std::pair<std::string, std::string>{"Ann", "hello there"}));
    EXPECT_EQ(g_dataThread, std::this_thread::get_id());
    KillDDE();
}

TEST_F(WadapiAgainstWorld, WithoutAWorldEveryRequestSaysNotLoggedIn) {
    EXPECT_NE(InitDDE("Gavelton", OnAck, OnData, OnAllText), 0);
    DapiRegister("Gavelton");
    DapiGetAllText("Gavelton");
    EXPECT_EQ(g_acks, (std::vector<std::string>{"17", "17"}));
    EXPECT_TRUE(g_texts.empty());

    // A world that starts later is found by the next request.
    StartWorld();
    DapiRegister("Gavelton");
    EXPECT_EQ(g_acks.back(), "0");
    KillDDE();
}

TEST_F(WadapiAgainstWorld, AToolThatVanishesLosesItsRegistration) {
    StartWorld();
    ASSERT_EQ(InitDDE("Gavelton", OnAck, OnData, OnAllText), 0);
    DapiRegister("Gavelton");
    // A second InitDDE without KillDDE drops the first conversation, as a crashed tool would.
    ASSERT_EQ(InitDDE("Gavelton", OnAck, OnData, OnAllText), 0);
    ASSERT_TRUE(PumpUntil([] {
        DapiRegister("Gavelton");
        return g_acks.back() == "0";
    }));
    KillDDE();
}

TEST(WadapiWithoutInit, RequestsDoNothing) {
    g_acks.clear();
    EXPECT_EQ(DapiRegister("Gavelton"), -1);
    EXPECT_EQ(KillDDE(), 0);
    EXPECT_TRUE(g_acks.empty());
}

}  // namespace
