#include "ui/accounts_dock.h"

#include <wx/window.h>

#include <utility>

#include "ui/accounts_window.h"

namespace gv::ui {

AccountsDock::AccountsDock(wxWindow* owner, Ledger& ledger, FloorEvents& events, CommandGate& gate,
                           TroubleBoard& troubles)
    : owner_(owner),
      ledger_(ledger),
      events_(events),
      gate_(gate),
      toggle_(
          gate, troubles, [this] { return Open(); }, [this] { Gone(); }) {}

AccountsWindow* AccountsDock::View() const { return static_cast<AccountsWindow*>(toggle_.Window()); }

AccountsWindow* AccountsDock::Open() {
    // Closed, the window costs SOLD nothing: it listens only while open.
    subscription_ = events_.Subscribe(*this);
    gate_.AddListener(*this);
    return new AccountsWindow(owner_, ledger_);
}

void AccountsDock::Gone() {
    subscription_ = {};
    gate_.RemoveListener(*this);
    behind_ = false;
}

void AccountsDock::AccountsChanged() {
    if (gate_.IsBusy()) {
        behind_ = true;
    } else if (AccountsWindow* window = View()) {
        window->ShowAccounts();
    }
}

void AccountsDock::IdleAgain() {
    if (!std::exchange(behind_, false)) return;
    owner_->CallAfter([this] {
        if (AccountsWindow* window = View()) window->ShowAccounts();
    });
}

}  // namespace gv::ui
