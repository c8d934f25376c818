#pragma once
// The busy state: while a command talks to the chat client the main window shows the
// hourglass, refuses all input and turns red. The floor and the link enter it through this
// interface; the main window implements it.

namespace gv {

class BusyHost {
public:
    virtual ~BusyHost() = default;
    virtual void EnterBusy() = 0;  // hourglass, window and menu bar disabled, background red
    virtual void LeaveBusy() = 0;  // pointer restored, window enabled, cyan, focus to Dummy
};

// Enters the busy state for one scope and always leaves it, also on an exception.
class BusyScope {
public:
    explicit BusyScope(BusyHost& host) : host_(host) { host_.EnterBusy(); }
    ~BusyScope() { host_.LeaveBusy(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    BusyHost& host_;
};

// For code and tests that run without a window.
class NoBusyHost final : public BusyHost {
public:
    void EnterBusy() override {}
    void LeaveBusy() override {}
};

}  // namespace gv
