#pragma once
// A headless practice world on a socket of its own (XDG_RUNTIME_DIR points at a fresh
// folder), fed script lines through its standard input, and an event loop to run meanwhile.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/evtloop.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class WorldFixture : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/gv-standins-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
        ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
        loop_.reset(wxAppConsole::GetInstance()->GetTraits()->CreateEventLoop());
        activate_ = std::make_unique<wxEventLoopActivator>(loop_.get());
    }

    void TearDown() override {
        StopWorld();
        activate_.reset();
        loop_.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    std::filesystem::path Socket() const { return dir_ / "WorldsApi"; }

    void StartWorld(const std::string& extra = "") {
        const std::string command = std::string("exec '") + PRACTICE_WORLD_EXE +
                                    "' --headless --verbose --host Hal --log '" + (dir_ / "world.log").string() +
                                    "' --script - " + extra + " > '" + (dir_ / "world.out").string() + "'";
        world_ = ::popen(command.c_str(), "w");
        ASSERT_NE(world_, nullptr);
        // READY, not the socket file: a stale file from an earlier world may be there already.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!Ready() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_TRUE(Ready()) << "the practice world did not start";
        ASSERT_TRUE(std::filesystem::exists(Socket()));
    }

    bool Ready() const {
        std::ifstream out(dir_ / "world.out");
        std::string line;
        return std::getline(out, line) && line == "READY";
    }

    // A line for the world's script; its effect shows a moment later.
    void Script(const std::string& line) {
        std::fputs((line + "\n").c_str(), world_);
        std::fflush(world_);
    }

    // Ends the world with "!quit"; its exit status.
    int StopWorld() {
        if (world_ == nullptr) return -1;
        Script("!quit");
        const int status = ::pclose(world_);
        world_ = nullptr;
        return status;
    }

    // Runs the event loop until `done` or five seconds.
    template <typename Done>
    bool PumpUntil(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done()) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            loop_->DispatchTimeout(20);
            wxAppConsole::GetInstance()->ProcessPendingEvents();  // socket events are queued
        }
        return true;
    }

    // The log's lines of one kind ("LIB", "POKE", ...).
    std::vector<std::string> LogLines(const std::string& kind) const {
        std::ifstream in(dir_ / "world.log");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            if (line.rfind(kind + "\t", 0) == 0) lines.push_back(line);
        }
        return lines;
    }

    std::filesystem::path dir_;
    std::FILE* world_ = nullptr;
    std::unique_ptr<wxEventLoopBase> loop_;
    std::unique_ptr<wxEventLoopActivator> activate_;
};
