#include "ui/floor_log_dock.h"

#include <wx/window.h>

#include <utility>

#include "ui/floor_log_window.h"

namespace gv::ui {

FloorLogDock::FloorLogDock(wxWindow* owner, Floor& floor, CommandGate& gate, TroubleBoard& troubles)
    : owner_(owner),
      floor_(floor),
      held_(
          gate,
          [this] {
              if (FloorLogWindow* window = View()) window->ShowJudgements();
          },
          [this] {
              owner_->CallAfter([this] {
                  if (FloorLogWindow* window = View()) window->ShowJudgements();
              });
          }),
      toggle_(
          gate, troubles, [this] { return Open(); }, [this] { Gone(); }) {}

FloorLogWindow* FloorLogDock::View() const { return static_cast<FloorLogWindow*>(toggle_.Window()); }

FloorLogWindow* FloorLogDock::Open() {
    keptBefore_ = floor_.KeepsJudgements();
    // The log shows what Get Bids judges from now on; judging costs nothing while it is closed.
    floor_.SetKeepJudgements(true);
    // It follows the judgements only while open: closed, it costs Get Bids nothing.
    subscription_ = floor_.Events().Subscribe(*this);
    held_.Start();
    auto* window = new FloorLogWindow(owner_, floor_);
    if (undoLastSale_) window->SetUndoLastSale(undoLastSale_);
    if (openAccounts_) window->SetOpenAccounts(openAccounts_);
    return window;
}

void FloorLogDock::Gone() {
    subscription_ = {};
    held_.Stop();
    floor_.SetKeepJudgements(keptBefore_);
}

void FloorLogDock::SetUndoLastSale(std::function<void()> undo) {
    undoLastSale_ = std::move(undo);
    if (FloorLogWindow* window = View()) window->SetUndoLastSale(undoLastSale_);
}

void FloorLogDock::SetOpenAccounts(std::function<void()> open) {
    openAccounts_ = std::move(open);
    if (FloorLogWindow* window = View()) window->SetOpenAccounts(openAccounts_);
}

}  // namespace gv::ui
