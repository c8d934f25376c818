// The main window's side of the floor log: the Log command and Ctrl+L open and close the log
// window, and every change of the floor's judgements redraws it.

#include <wx/accel.h>

#include <string>
#include <utility>

#include "ui/floor_log_window.h"
#include "ui/main_window.h"

namespace gv::ui {

void AuctionFrame::BindFloorLogKey() {
    const int id = wxWindow::NewControlId();
    wxAcceleratorEntry toggle(wxACCEL_CTRL, 'L', id);
    SetAcceleratorTable(wxAcceleratorTable(1, &toggle));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnLogMenu(); }, id);
}

void AuctionFrame::OnLogMenu() {
    if (!IdleOrHeld(&AuctionFrame::OnLogMenu)) return;
    ToggleFloorLog();
    FocusDummy();
}

void AuctionFrame::ToggleFloorLog(bool fromElsewhere) {
    if (closing_) return;
    Floor& floor = auction_.floor;
    if (floorLog_) {
        const FileResult kept = CloseFloorLog();
        // A place that cannot be kept costs the host only the next opening's place: named in
        // the title, never asked about.
        const std::string failure =
            kept.ok ? std::string() : std::string(kWindowStateFile) + " not written: " + kept.reason;
        if (failure != placeFailure_) {
            placeFailure_ = failure;
            ShowTrouble();
        }
        return;
    }
    keptJudgementsBefore_ = floor.KeepsJudgements();
    // The log shows what Get Bids judges from now on; judging costs nothing while it is closed.
    floor.SetKeepJudgements(true);
    floorLog_ = new FloorLogWindow(this, floor);
    floorLog_->SetOnCloseRequest([this] { ToggleFloorLog(); });
    floorLog_->SetOnGone([this] { ForgetFloorLog(); });
    if (undoLastSale_) floorLog_->SetUndoLastSale(undoLastSale_);
    floor.SetOnJudgements([this] {
        // The rows a busy command judged show once it is over: the log never slows Get Bids.
        if (IsBusy()) {
            logBehind_ = true;
        } else if (floorLog_) {
            floorLog_->ShowJudgements();
        }
    });
    if (fromElsewhere && !HasKeyboard()) {
        floorLog_->ShowWithoutActivating();
    } else {
        floorLog_->Show();
    }
}

FileResult AuctionFrame::CloseFloorLog() {
    if (!floorLog_) return {};
    FloorLogWindow* log = floorLog_;
    ForgetFloorLog();
    return log->Retire();
}

void AuctionFrame::ForgetFloorLog() {
    if (!floorLog_) return;
    floorLog_->SetOnGone({});
    floorLog_->SetOnCloseRequest({});
    floorLog_ = nullptr;
    auction_.floor.SetOnJudgements({});
    auction_.floor.SetKeepJudgements(keptJudgementsBefore_);
}

void AuctionFrame::SetUndoLastSale(std::function<void()> undo) {
    undoLastSale_ = std::move(undo);
    if (floorLog_) floorLog_->SetUndoLastSale(undoLastSale_);
}

void AuctionFrame::CatchUpFloorLog() {
    if (!std::exchange(logBehind_, false)) return;
    CallAfter([this] {
        if (floorLog_) floorLog_->ShowJudgements();
    });
}

}  // namespace gv::ui
