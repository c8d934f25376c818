#include "ui/accounts_dock.h"

#include <wx/window.h>

#include <utility>

#include "ui/accounts_window.h"

namespace gv::ui {

AccountsDock::AccountsDock(wxWindow* owner, Ledger& ledger, CommandGate& gate, TroubleBoard& troubles)
    : owner_(owner),
      ledger_(ledger),
      held_(
          gate,
          [this] {
              if (AccountsWindow* window = View()) window->ShowAccounts();
          },
          [this] {
              refreshDue_ = true;
              owner_->CallAfter([this] { Refresh(); });
          }),
      toggle_(
          gate, troubles, [this] { return Open(); }, [this] { Gone(); }) {}

AccountsWindow* AccountsDock::View() const { return static_cast<AccountsWindow*>(toggle_.Window()); }

AccountsWindow* AccountsDock::Open() {
    // Closed, the window costs SOLD nothing: it listens only while open.
    subscription_ = ledger_.Events().Subscribe(*this);
    held_.Start();
    worker_ = std::make_unique<BookWorker>([this] { owner_->CallAfter([this] { Computed(); }); });
    return new AccountsWindow(owner_, ledger_);
}

void AccountsDock::Gone() {
    subscription_ = {};
    held_.Stop();
    refreshDue_ = false;
    worker_.reset();
}

void AccountsDock::Refresh() {
    refreshDue_ = false;
    if (worker_) worker_->Compute(ledger_.Texts(), ledger_.TakeStale());
}

void AccountsDock::Computed() {
    if (!worker_) return;  // closed since
    std::optional<BookWorker::Computed> computed = worker_->Take();
    // A book of records that changed since is not shown: the one asked for after it will be.
    if (!computed || !ledger_.Adopt(std::move(computed->book), computed->change)) return;
    if (AccountsWindow* window = View()) window->ShowAccounts();
}

}  // namespace gv::ui
