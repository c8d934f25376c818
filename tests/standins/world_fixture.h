#pragma once
// A headless practice world on a socket of its own (XDG_RUNTIME_DIR points at a fresh
// folder), fed script lines through its standard input, and an event loop to run meanwhile.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/evtloop.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "world_process.h"

class WorldFixture : public ::testing::Test {
protected:
    void SetUp() override {
        service_ = std::make_unique<gv::e2e::ServiceFolder>();
        loop_.reset(wxAppConsole::GetInstance()->GetTraits()->CreateEventLoop());
        activate_ = std::make_unique<wxEventLoopActivator>(loop_.get());
    }

    void TearDown() override {
        StopWorld();
        activate_.reset();
        loop_.reset();
        service_.reset();
    }

    std::filesystem::path Socket() const { return service_->Path() / "WorldsApi"; }

    void StartWorld() {
        world_ = std::make_unique<gv::e2e::WorldProcess>(PRACTICE_WORLD_EXE, service_->Path(),
                                                         gv::e2e::WorldOptions{.host = "Hal"});
        ASSERT_TRUE(world_->Ready()) << world_->Problem();
    }

    // A line for the world's script; its effect shows a moment later.
    void Script(const std::string& line) { ASSERT_TRUE(world_->Script(line)); }

    // Ends the world with "!quit"; its exit status.
    int StopWorld() {
        if (!world_) return -1;
        const int status = world_->Stop();
        world_.reset();
        return status;
    }

    // Runs the event loop until `done`, or gives up after a long while.
    template <typename Done>
    bool PumpUntil(Done done) {
        return gv::e2e::WaitFor(
            done,
            [this] {
                loop_->DispatchTimeout(20);
                wxAppConsole::GetInstance()->ProcessPendingEvents();  // socket events are queued
            },
            gv::testing::kPatience);
    }

    // The log's lines of one kind ("LIB", "POKE", ...).
    std::vector<std::string> LogLines(const std::string& kind) const { return world_->LogLines(kind); }

    std::unique_ptr<gv::e2e::ServiceFolder> service_;
    std::unique_ptr<gv::e2e::WorldProcess> world_;
    std::unique_ptr<wxEventLoopBase> loop_;
    std::unique_ptr<wxEventLoopActivator> activate_;
};
