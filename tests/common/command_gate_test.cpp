// The gate every command passes: one command at a time, a quiet run that holds the host's
// command for after it, and a close that waits for the command under way.

#include "common/command_gate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/held_while_busy.h"

namespace gv {
namespace {

class StepView final : public GateView {
public:
    void ShowBusy() override { steps.push_back("busy"); }
    void StartQuiet(std::chrono::milliseconds delay) override {
        steps.push_back("quiet " + std::to_string(delay.count()));
    }
    void EndBusy() override { steps.push_back(gate->IsBusy() ? "end (still busy)" : "end"); }
    void PlaceFocus(bool afterQuietRun) override {
        steps.push_back(afterQuietRun ? "focus back" : "focus Dummy");
    }
    void Later(const std::function<void()>& action) override { later.push_back(action); }
    void Close(bool force) override { steps.push_back(force ? "close forced" : "close"); }

    void RunLater() {
        auto actions = std::move(later);
        later.clear();
        for (auto& action : actions) action();
    }

    CommandGate* gate = nullptr;
    std::vector<std::string> steps;
    std::vector<std::function<void()>> later;
};

class CommandGateTest : public ::testing::Test {
protected:
    CommandGateTest() {
        view.gate = &gate;
        gate.SetView(&view);
    }
    StepView view;
    CommandGate gate;
};

TEST_F(CommandGateTest, AHostsCommandLooksBusyOnceAndEndsOnDummy) {
    gate.EnterBusy();
    gate.EnterBusy();  // the link's own busy state inside the command's
    EXPECT_FALSE(gate.Idle());
    gate.LeaveBusy();
    EXPECT_TRUE(gate.IsBusy());
    gate.LeaveBusy();
    gate.LeaveBusy();  // one too many changes nothing
    EXPECT_TRUE(gate.Idle());
    // The window takes input again while still counted busy: a timer firing then starts nothing.
    EXPECT_EQ(view.steps, (std::vector<std::string>{"busy", "end (still busy)", "focus Dummy"}));
    // A host's command is never held: only a quiet run holds one.
    gate.EnterBusy();
    EXPECT_FALSE(gate.HoldUntilIdle([] {}));
    gate.LeaveBusy();
}

TEST_F(CommandGateTest, AQuietRunHoldsTheFirstHostCommandAndRunsItAfter) {
    int ran = 0;
    gate.RunQuietly([&] {
        gate.EnterBusy();
        EXPECT_TRUE(gate.HoldUntilIdle([&] { ++ran; }));
        EXPECT_FALSE(gate.HoldUntilIdle([&] { ran += 10; }));  // the double click a busy window drops
        EXPECT_TRUE(gate.CommandHeld());
        EXPECT_FALSE(gate.Idle());
        gate.LeaveBusy();
    });
    EXPECT_EQ(view.steps, (std::vector<std::string>{"quiet 300", "end (still busy)", "focus back"}));
    EXPECT_EQ(ran, 0);
    view.RunLater();
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(gate.Idle());
}

TEST_F(CommandGateTest, AQuietRunThatTakesLongLooksBusyAndHoldsNothingMore) {
    gate.RunQuietly([&] {
        gate.EnterBusy();
        gate.BusyLookDue();
        gate.BusyLookDue();                       // shown once
        EXPECT_FALSE(gate.HoldUntilIdle([] {}));  // the host sees it busy, as after a click of his
        gate.LeaveBusy();
    });
    gate.BusyLookDue();  // a timer late after the run shows nothing
    EXPECT_EQ(view.steps, (std::vector<std::string>{"quiet 300", "busy", "end (still busy)", "focus back"}));
    EXPECT_TRUE(view.later.empty());
}

TEST_F(CommandGateTest, ACloseWhileBusyClosesAfterTheCommand) {
    EXPECT_TRUE(gate.CloseNowOrLater(true));
    gate.EnterBusy();
    EXPECT_FALSE(gate.CloseNowOrLater(false));  // a session's end: not to be cancelled
    gate.LeaveBusy();
    view.RunLater();
    EXPECT_EQ(view.steps.back(), "close forced");

    // A command held for after a run is dropped once the window closes.
    int ran = 0;
    gate.RunQuietly([&] {
        gate.EnterBusy();
        gate.HoldUntilIdle([&] { ++ran; });
        gate.LeaveBusy();
    });
    gate.SetClosing(true);
    EXPECT_FALSE(gate.Idle());
    view.RunLater();
    EXPECT_EQ(ran, 0);
}

// A window that follows changes shows them at once when idle, those of a command once, after
// it, and nothing once it closed.
TEST_F(CommandGateTest, AChangeDuringACommandShowsOnceItIsOver) {
    int shown = 0;
    int caughtUp = 0;
    HeldWhileBusy held(
        gate, [&] { ++shown; }, [&] { ++caughtUp; });
    held.Start();
    held.Changed();
    EXPECT_EQ(shown, 1);
    gate.EnterBusy();
    held.Changed();
    held.Changed();
    EXPECT_TRUE(held.Behind());
    gate.LeaveBusy();
    EXPECT_EQ(caughtUp, 1);
    EXPECT_FALSE(held.Behind());
    gate.EnterBusy();
    gate.LeaveBusy();  // nothing changed: nothing to catch up
    EXPECT_EQ(caughtUp, 1);

    gate.EnterBusy();
    held.Changed();
    held.Stop();  // the window closed during the command
    gate.LeaveBusy();
    EXPECT_EQ(caughtUp, 1);
    EXPECT_EQ(shown, 1);
}

}  // namespace
}  // namespace gv
