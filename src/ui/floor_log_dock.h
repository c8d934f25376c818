#pragma once
// The floor log window as the main window opens and closes it (the Log command, Ctrl+L, its
// hotkey): while open it follows the floor's judgements, never during a command (it catches up
// once the command is over, so the log never slows Get Bids).

#include <functional>

#include "common/atomic_file.h"
#include "common/command_gate.h"
#include "common/held_while_busy.h"
#include "floor/floor.h"
#include "floor/trouble_board.h"
#include "ui/window_toggle.h"

class wxWindow;

namespace gv::ui {

class FloorLogWindow;

class FloorLogDock final : public FloorListener {
public:
    // `owner` is the main window; everything given must outlive the dock.
    FloorLogDock(wxWindow* owner, Floor& floor, CommandGate& gate, TroubleBoard& troubles);

    // Opens the floor log window, or closes it when it is open. Opened from elsewhere (its
    // hotkey), it takes the keyboard only when Gavelton had it.
    void Toggle(bool fromElsewhere = false) { toggle_.Toggle(fromElsewhere); }
    // Keeps the open window's size and place and closes it; whether the place could be kept.
    FileResult Close() { return toggle_.Close(); }
    // The open floor log window; null while it is closed.
    FloorLogWindow* View() const;
    // What the window's "Undo last sale" runs; the command is hidden while this is empty.
    void SetUndoLastSale(std::function<void()> undo);
    // What the window's "Accounts" and its Ctrl+K run.
    void SetOpenAccounts(std::function<void()> open);

    void JudgementsChanged() override { held_.Changed(); }

private:
    FloorLogWindow* Open();
    void Gone();

    wxWindow* owner_;
    Floor& floor_;
    bool keptBefore_ = false;  // the floor's own choice, restored when the window closes
    HeldWhileBusy held_;       // the rows a busy command judged show once it is over
    std::function<void()> undoLastSale_;
    std::function<void()> openAccounts_;
    FloorEvents::Subscription subscription_;
    WindowToggle toggle_;  // last: the window goes before what it uses
};

}  // namespace gv::ui
