#pragma once
// A window's showing of a change held back while a command runs and done once it is over, so
// that a side window never slows a command: the floor log and the accounts window each follow
// their part's changes through one.

#include <functional>
#include <utility>

#include "common/command_gate.h"

namespace gv {

class HeldWhileBusy final : public GateListener {
public:
    // `show` runs for a change when the window is idle; `once` runs when a command that had
    // changes is over (in the gate's IdleAgain: it puts the showing off to the event loop).
    HeldWhileBusy(CommandGate& gate, std::function<void()> show, std::function<void()> once)
        : gate_(gate), show_(std::move(show)), once_(std::move(once)) {}
    ~HeldWhileBusy() override { Stop(); }
    HeldWhileBusy(const HeldWhileBusy&) = delete;
    HeldWhileBusy& operator=(const HeldWhileBusy&) = delete;

    // While the window is open; a change held when it closes is forgotten.
    void Start() {
        if (!started_) gate_.AddListener(*this);
        started_ = true;
    }
    void Stop() {
        if (started_) gate_.RemoveListener(*this);
        started_ = false;
        behind_ = false;
    }

    void Changed() {
        if (gate_.IsBusy()) {
            behind_ = true;
        } else {
            show_();
        }
    }
    // A change a command made that the window has not been told of yet.
    bool Behind() const { return behind_; }

    void IdleAgain() override {
        if (std::exchange(behind_, false)) once_();
    }

private:
    CommandGate& gate_;
    std::function<void()> show_;
    std::function<void()> once_;
    bool started_ = false;
    bool behind_ = false;
};

}  // namespace gv
