#pragma once
// The accounts window as the main window opens and closes it (its command, Ctrl+K, its
// hotkey): while open it shows the accounts again after every sale, undo and entry, never in
// the middle of a command (it catches up once the command is over, so SOLD does not wait for
// it).

#include "common/atomic_file.h"
#include "common/command_gate.h"
#include "floor/floor_events.h"
#include "floor/ledger.h"
#include "floor/trouble_board.h"
#include "ui/window_toggle.h"

class wxWindow;

namespace gv::ui {

class AccountsWindow;

class AccountsDock final : public FloorListener, public GateListener {
public:
    // `owner` is the main window; everything given must outlive the dock.
    AccountsDock(wxWindow* owner, Ledger& ledger, FloorEvents& events, CommandGate& gate, TroubleBoard& troubles);

    // Opens the accounts window, or closes it when it is open. Opened from elsewhere (its
    // hotkey), it takes the keyboard only when Gavelton had it.
    void Toggle(bool fromElsewhere = false) { toggle_.Toggle(fromElsewhere); }
    // Keeps the open window's size and place and closes it; whether the place could be kept.
    FileResult Close() { return toggle_.Close(); }
    // The open accounts window; null while it is closed.
    AccountsWindow* View() const;

    void AccountsChanged() override;
    void IdleAgain() override;

private:
    AccountsWindow* Open();
    void Gone();

    wxWindow* owner_;
    Ledger& ledger_;
    FloorEvents& events_;
    CommandGate& gate_;
    bool behind_ = false;  // the accounts changed during a command the window has not shown yet
    FloorEvents::Subscription subscription_;
    WindowToggle toggle_;  // last: the window goes before what it uses
};

}  // namespace gv::ui
