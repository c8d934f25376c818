#pragma once
// The accounts window as the main window opens and closes it (its command, Ctrl+K, its
// hotkey): while open it shows the accounts again after every sale, undo and entry, never in
// the middle of a command. After a command it takes the records' text and has the book computed
// on a thread kept while the window is open, so that the host's next command does not wait for
// a long history.

#include <memory>

#include "books/book_worker.h"
#include "books/books_events.h"
#include "books/ledger.h"
#include "common/atomic_file.h"
#include "common/command_gate.h"
#include "common/held_while_busy.h"
#include "floor/trouble_board.h"
#include "ui/window_toggle.h"

class wxWindow;

namespace gv::ui {

class AccountsWindow;

class AccountsDock final : public BooksListener {
public:
    // `owner` is the main window; everything given must outlive the dock.
    AccountsDock(wxWindow* owner, Ledger& ledger, CommandGate& gate, TroubleBoard& troubles);

    // Opens the accounts window, or closes it when it is open. Opened from elsewhere (its
    // hotkey), it takes the keyboard only when Gavelton had it.
    void Toggle(bool fromElsewhere = false) { toggle_.Toggle(fromElsewhere); }
    // Keeps the open window's size and place and closes it; whether the place could be kept.
    FileResult Close() { return toggle_.Close(); }
    // The open accounts window; null while it is closed.
    AccountsWindow* View() const;

    void AccountsChanged() override { held_.Changed(); }
    // Whether the open window has yet to show a change of the accounts: one during a command,
    // or a book still being computed.
    bool Behind() const { return held_.Behind() || refreshDue_ || (worker_ && worker_->Busy()); }

private:
    AccountsWindow* Open();
    void Gone();
    // Computes the book from the records' text now, off this thread, and shows it once done.
    void Refresh();
    void Computed();

    wxWindow* owner_;
    Ledger& ledger_;
    HeldWhileBusy held_;       // a change during a command: the book computed once it is over
    bool refreshDue_ = false;  // the command is over, and the book is to be computed
    BooksEvents::Subscription subscription_;
    WindowToggle toggle_;                 // the window goes before what it uses
    std::unique_ptr<BookWorker> worker_;  // while open; last: it reaches the owner
};

}  // namespace gv::ui
