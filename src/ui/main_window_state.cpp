// The main window's busy state, and what it shows of a command that failed: the title names
// the failure and the idle background turns amber until the next command goes through.

#include <wx/app.h>
#include <wx/panel.h>
#include <wx/utils.h>

#include "common/program_title.h"
#include "ui/colours.h"
#include "ui/input_guard.h"
#include "ui/main_window.h"

namespace gv::ui {

void AuctionFrame::EnterBusy() {
    if (busyDepth_++ > 0) return;
    wxBeginBusyCursor();
    inputGuard_ = std::make_unique<InputGuard>(this);
    wxEvtHandler::AddFilter(inputGuard_.get());
    Disable();  // the whole window, its menu bar included
    client_->SetBackgroundColour(kRed);
    client_->Refresh();
    client_->Update();
}

void AuctionFrame::LeaveBusy() {
    if (busyDepth_ == 0 || --busyDepth_ > 0) return;
    Enable();
    client_->SetBackgroundColour(IdleColour());
    client_->Refresh();
    wxEndBusyCursor();
    // Input already queued while busy is dropped before the window takes input again.
    auction_.pump.Yield();
    wxEvtHandler::RemoveFilter(inputGuard_.get());
    inputGuard_.reset();
    FocusDummy();
    if (closePending_) {
        closePending_ = false;
        CallAfter([this] { Close(!closeCanCancel_); });
    }
}

void AuctionFrame::ShowLinkStatus(const std::string& failure) {
    if (failure == linkFailure_) return;
    linkFailure_ = failure;
    ShowTrouble();
}

void AuctionFrame::ShowRecordStatus(const std::string& failure) {
    // What an undo could not do is old news once the record changes again.
    if (!undoNote_.empty()) {
        undoNote_.clear();
        ShowTrouble();
    }
    if (failure == recordFailure_) return;
    recordFailure_ = failure;
    ShowTrouble();
}

void AuctionFrame::ShowTrouble() {
    wxString title = kProgramTitle;
    std::vector<std::string> shown;
    for (const std::string* failure :
         {&settingsFailure_, &recordFailure_, &logFailure_, &undoNote_, &linkFailure_}) {
        if (failure->empty()) continue;
        title += title == kProgramTitle ? " - " : "; ";
        title += wxString::FromUTF8(*failure);
        shown.push_back(*failure);
    }
    SetTitle(title);
    LogTitleFailures(shown);
    if (!IsBusy()) {
        client_->SetBackgroundColour(IdleColour());
        client_->Refresh();
    }
}

// A refused setting stays named in the title but does not turn the window amber: amber going
// back to cyan is how the host sees the chat client answer again.
const wxColour& AuctionFrame::IdleColour() const {
    return linkFailure_.empty() && recordFailure_.empty() && logFailure_.empty() ? kCyan : kAmber;
}

}  // namespace gv::ui
