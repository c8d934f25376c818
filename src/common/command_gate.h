#pragma once
// The gate every command of the main window passes: while one talks to the chat client the
// window is busy and takes no input. A run the host did not start (a live Get Bids) is quiet:
// it looks busy only once it takes long, and the host's command that comes meanwhile is held
// and run right after it. A close that comes while busy waits for the end of the command.

#include <chrono>
#include <functional>
#include <vector>

#include "common/busy.h"

namespace gv {

// What the window does at each step; the gate decides when.
class GateView {
public:
    virtual ~GateView() = default;
    // The window takes no input, and turns red with the hourglass.
    virtual void ShowBusy() = 0;
    // A quiet run began: the look waits `delay`, then BusyLookDue; the focus is noted.
    virtual void StartQuiet(std::chrono::milliseconds delay) = 0;
    // The command is over: the window takes input again (input queued meanwhile dropped) and
    // shows its idle colour. The gate still counts as busy while this runs.
    virtual void EndBusy() = 0;
    // Where the focus goes after the command: to Dummy after a host's command; after a quiet
    // run, back where it was.
    virtual void PlaceFocus(bool afterQuietRun) = 0;
    // Runs `action` from the event loop, after the current event.
    virtual void Later(const std::function<void()>& action) = 0;
    // Closes the window; `force` when the close may not be cancelled (a session's end).
    virtual void Close(bool force) = 0;
};

// Told when the window is idle again after a command.
class GateListener {
public:
    virtual ~GateListener() = default;
    virtual void IdleAgain() = 0;
};

class CommandGate final : public BusyHost {
public:
    static constexpr std::chrono::milliseconds kQuietBusy{300};

    // Without a view (no window yet, or none any more) the commands run as they come.
    CommandGate() = default;
    void SetView(GateView* view) { view_ = view; }

    void EnterBusy() override;
    void LeaveBusy() override;
    // The quiet run's time is up: it looks busy now, as the host's commands do.
    void BusyLookDue();

    bool IsBusy() const { return depth_ > 0; }
    // A host's command may run now.
    bool Idle() const;
    // Runs a command the host did not start quietly.
    void RunQuietly(const std::function<void()>& command);
    bool Quiet() const { return quiet_; }
    // Holds the host's command that came during a quiet run that does not look busy yet; only
    // the first (a second click in one run is the double click a busy window drops). False
    // when dropped.
    bool HoldUntilIdle(std::function<void()> command);
    bool CommandHeld() const { return static_cast<bool>(held_); }
    // Idle now, or `command` held to run as soon as it is.
    bool IdleOrHeld(const std::function<void()>& command);

    // A close came: true when the window may close now; while busy it closes after the
    // command (`canCancel` false: a session's end, which will not wait for an answer).
    bool CloseNowOrLater(bool canCancel);
    // The window is closing (or no longer): held commands are dropped meanwhile.
    void SetClosing(bool closing) { closing_ = closing; }
    bool Closing() const { return closing_; }

    // Each window that waits for the command to end listens while it is open.
    void AddListener(GateListener& listener) { listeners_.push_back(&listener); }
    void RemoveListener(GateListener& listener) { std::erase(listeners_, &listener); }

private:
    void RunHeld();

    GateView* view_ = nullptr;
    std::vector<GateListener*> listeners_;
    int depth_ = 0;
    bool quiet_ = false;
    bool looksBusy_ = false;
    std::function<void()> held_;
    bool closePending_ = false;
    bool closeCanCancel_ = true;
    bool closing_ = false;
};

}  // namespace gv
