#include "common/command_gate.h"

#include <algorithm>
#include <utility>

namespace gv {

void CommandGate::EnterBusy() {
    if (depth_++ > 0) return;
    // A quick run the host did not start would only flash the window, and a click it swallowed
    // would be lost: the window stays as it is and holds the host's command for after the run.
    if (view_ == nullptr) return;
    if (quiet_) {
        view_->StartQuiet(kQuietBusy);
        return;
    }
    looksBusy_ = true;
    view_->ShowBusy();
}

void CommandGate::BusyLookDue() {
    if (depth_ == 0 || looksBusy_ || view_ == nullptr) return;
    looksBusy_ = true;
    view_->ShowBusy();
}

void CommandGate::LeaveBusy() {
    if (depth_ == 0) return;
    if (depth_ > 1) {
        --depth_;
        return;
    }
    looksBusy_ = false;
    if (view_ == nullptr) {
        depth_ = 0;
        return;
    }
    view_->EndBusy();
    // Busy until here: a timer that fires in EndBusy (a live run coming due) must not start a
    // command while the window still refuses input.
    depth_ = 0;
    view_->PlaceFocus(quiet_);
    // Over a copy, each still there when its turn comes: one told may close another's window.
    for (GateListener* listener : std::vector<GateListener*>(listeners_))
        if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
            listener->IdleAgain();
    if (held_) view_->Later([this] { RunHeld(); });
    if (closePending_) {
        closePending_ = false;
        view_->Later([this] {
            if (view_ != nullptr) view_->Close(!closeCanCancel_);
        });
    }
}

bool CommandGate::Idle() const { return depth_ == 0 && !closing_ && !held_; }

void CommandGate::RunQuietly(const std::function<void()>& command) {
    quiet_ = true;
    try {
        command();
    } catch (...) {
        quiet_ = false;
        throw;
    }
    quiet_ = false;
}

bool CommandGate::HoldUntilIdle(std::function<void()> command) {
    if (!quiet_ || looksBusy_ || held_ || closing_) return false;
    held_ = std::move(command);
    return true;
}

bool CommandGate::IdleOrHeld(const std::function<void()>& command) {
    if (Idle()) return true;
    HoldUntilIdle(command);
    return false;
}

void CommandGate::RunHeld() {
    const std::function<void()> command = std::exchange(held_, {});
    if (command && !closing_) command();
}

bool CommandGate::CloseNowOrLater(bool canCancel) {
    if (!IsBusy()) return true;
    // Never tear the window down under a command that is talking to the chat client.
    closePending_ = true;
    closeCanCancel_ = canCancel;
    return false;
}

}  // namespace gv
