#pragma once
// Where the floor log window is opened and closed (the Log command, Ctrl+L, its hotkey): it
// follows the floor's judgements while open, never during a command (it catches up once the
// command is over, so the log never slows Get Bids), and a place that cannot be kept is named
// in the title.

#include <functional>

#include "common/atomic_file.h"
#include "common/command_gate.h"
#include "floor/floor.h"
#include "floor/trouble_board.h"

class wxWindow;

namespace gv::ui {

class FloorLogWindow;

class FloorLogDock final : public FloorListener, public GateListener {
public:
    // `owner` is the main window; everything given must outlive the dock.
    FloorLogDock(wxWindow* owner, Floor& floor, CommandGate& gate, TroubleBoard& troubles);
    ~FloorLogDock() override;
    FloorLogDock(const FloorLogDock&) = delete;
    FloorLogDock& operator=(const FloorLogDock&) = delete;

    // Opens the floor log window, or closes it when it is open. Opened from elsewhere (its
    // hotkey), it takes the keyboard only when Gavelton had it.
    void Toggle(bool fromElsewhere = false);
    // Keeps the open window's size and place and closes it; whether the place could be kept.
    FileResult Close();
    // The open floor log window; null while it is closed.
    FloorLogWindow* View() const { return window_; }
    // What the window's "Undo last sale" runs; the command is hidden while this is empty.
    void SetUndoLastSale(std::function<void()> undo);

    void JudgementsChanged() override;
    void IdleAgain() override;

private:
    // Lets go of the window without closing it (the window itself is going).
    void Forget();

    wxWindow* owner_;
    Floor& floor_;
    CommandGate& gate_;
    TroubleBoard& troubles_;
    FloorLogWindow* window_ = nullptr;
    bool keptBefore_ = false;  // the floor's own choice, restored when the window closes
    bool behind_ = false;      // a busy command judged rows the window does not show yet
    std::function<void()> undoLastSale_;
    FloorEvents::Subscription subscription_;
};

}  // namespace gv::ui
