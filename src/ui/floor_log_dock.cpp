#include "ui/floor_log_dock.h"

#include <wx/window.h>

#include <string>
#include <utility>

#include "ui/floor_log_window.h"
#include "ui/window_gate.h"

namespace gv::ui {

FloorLogDock::FloorLogDock(wxWindow* owner, Floor& floor, CommandGate& gate, TroubleBoard& troubles)
    : owner_(owner), floor_(floor), gate_(gate), troubles_(troubles) {}

FloorLogDock::~FloorLogDock() { Close(); }

void FloorLogDock::Toggle(bool fromElsewhere) {
    if (gate_.Closing()) return;
    if (window_) {
        const FileResult kept = Close();
        // A place that cannot be kept costs the host only the next opening's place: named in
        // the title, never asked about.
        troubles_.Set(
            TroubleBoard::Trouble::Place,
            kept.ok ? std::string() : std::string(kWindowStateFile) + " not written: " + kept.reason);
        return;
    }
    keptBefore_ = floor_.KeepsJudgements();
    // The log shows what Get Bids judges from now on; judging costs nothing while it is closed.
    floor_.SetKeepJudgements(true);
    // It follows the judgements only while open: closed, it costs Get Bids nothing.
    subscription_ = floor_.Events().Subscribe(*this);
    gate_.SetListener(this);
    window_ = new FloorLogWindow(owner_, floor_);
    window_->SetOnCloseRequest([this] { Toggle(); });
    window_->SetOnGone([this] { Forget(); });
    if (undoLastSale_) window_->SetUndoLastSale(undoLastSale_);
    if (fromElsewhere && !WindowGate::HasKeyboard()) {
        window_->ShowWithoutActivating();
    } else {
        window_->Show();
    }
}

FileResult FloorLogDock::Close() {
    if (!window_) return {};
    FloorLogWindow* window = window_;
    Forget();
    return window->Retire();
}

void FloorLogDock::Forget() {
    if (!window_) return;
    window_->SetOnGone({});
    window_->SetOnCloseRequest({});
    window_ = nullptr;
    subscription_ = {};
    gate_.SetListener(nullptr);
    behind_ = false;
    floor_.SetKeepJudgements(keptBefore_);
}

void FloorLogDock::SetUndoLastSale(std::function<void()> undo) {
    undoLastSale_ = std::move(undo);
    if (window_) window_->SetUndoLastSale(undoLastSale_);
}

void FloorLogDock::JudgementsChanged() {
    // The rows a busy command judged show once it is over.
    if (gate_.IsBusy()) {
        behind_ = true;
    } else {
        window_->ShowJudgements();
    }
}

void FloorLogDock::IdleAgain() {
    if (!std::exchange(behind_, false)) return;
    owner_->CallAfter([this] {
        if (window_) window_->ShowJudgements();
    });
}

}  // namespace gv::ui
