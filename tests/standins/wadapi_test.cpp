// The stand-in wadapi library against a headless practice world on a socket of its own:
// what a tool gets back through the three callbacks, and what the world logs.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/evtloop.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "link/wadapi_api.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

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

class LibraryAgainstWorld : public ::testing::Test {
protected:
    void SetUp() override {
        g_acks.clear();
        g_texts.clear();
        g_data.clear();
        char pattern[] = "/tmp/gv-standins-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
        ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
        loop_.reset(wxAppConsole::GetInstance()->GetTraits()->CreateEventLoop());
        activate_ = std::make_unique<wxEventLoopActivator>(loop_.get());
    }

    void TearDown() override {
        KillDDE();  // also after a failed assertion, so the next test starts without a session
        StopWorld();
        activate_.reset();
        loop_.reset();
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    void StartWorld() {
        const std::string command = std::string("exec '") + PRACTICE_WORLD_EXE + "' --headless --verbose --host Hal --log '" +
                                    (dir_ / "world.log").string() + "' --script - > '" +
                                    (dir_ / "world.out").string() + "'";
        world_ = ::popen(command.c_str(), "w");
        ASSERT_NE(world_, nullptr);
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!fs::exists(dir_ / "WorldsApi") && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(10ms);
        }
        ASSERT_TRUE(fs::exists(dir_ / "WorldsApi")) << "the practice world did not start";
    }

    // A line for the world's script; its effect shows a moment later.
    void Script(const std::string& line) {
        std::fputs((line + "\n").c_str(), world_);
        std::fflush(world_);
    }

    void StopWorld() {
        if (world_ == nullptr) return;
        Script("!quit");
        ::pclose(world_);
        world_ = nullptr;
    }

    // Runs the event loop until `done` or five seconds.
    template <typename Done>
    bool PumpUntil(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (!done()) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            loop_->DispatchTimeout(20);
            wxAppConsole::GetInstance()->ProcessPendingEvents();  // socket events are queued
        }
        return true;
    }

    std::vector<std::string> LibLines() const {
        std::ifstream in(dir_ / "world.log");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("LIB\t", 0) == 0) lines.push_back(line);
        }
        return lines;
    }

    fs::path dir_;
    std::FILE* world_ = nullptr;
    std::unique_ptr<wxEventLoopBase> loop_;
    std::unique_ptr<wxEventLoopActivator> activate_;
};

TEST_F(LibraryAgainstWorld, ASessionGetsTheClientsCodesAndTheChatText) {
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
    EXPECT_EQ(LibLines(), (std::vector<std::string>{
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

TEST_F(LibraryAgainstWorld, TheWorldsStateAndForcedCodesComeBackAsCodes) {
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

TEST_F(LibraryAgainstWorld, DataFromTheWorldArrivesOnTheLoopThread) {
    StartWorld();
    ASSERT_EQ(InitDDE("Gavelton", OnAck, OnData, OnAllText), 0);
    Script("!data Ann hello there");
    ASSERT_TRUE(PumpUntil([] { return !g_data.empty(); }));
    EXPECT_EQ(g_data[0], (std::pair<std::string, std::string>{"Ann", "hello there"}));
    EXPECT_EQ(g_dataThread, std::this_thread::get_id());
    KillDDE();
}

TEST_F(LibraryAgainstWorld, WithoutAWorldEveryRequestSaysNotLoggedIn) {
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

TEST_F(LibraryAgainstWorld, AToolThatVanishesLosesItsRegistration) {
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

TEST(LibraryWithoutInit, RequestsDoNothing) {
    g_acks.clear();
    EXPECT_EQ(DapiRegister("Gavelton"), -1);
    EXPECT_EQ(KillDDE(), 0);
    EXPECT_TRUE(g_acks.empty());
}

}  // namespace
