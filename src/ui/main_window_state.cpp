// The main window's busy state, and what it shows of a command that failed: the title names
// the failure and the idle background turns amber until the next command goes through.

#include <wx/app.h>
#include <wx/panel.h>
#include <wx/utils.h>

#include <utility>

#include "common/program_title.h"
#include "ui/colours.h"
#include "ui/input_guard.h"
#include "ui/main_window.h"
#include "ui/native.h"

namespace gv::ui {

void AuctionFrame::RunQuietly(const std::function<void()>& command) {
    quiet_ = true;
    try {
        command();
    } catch (...) {
        quiet_ = false;
        throw;
    }
    quiet_ = false;
}

void AuctionFrame::EnterBusy() {
    if (busyDepth_++ > 0) return;
    // A quick run the host did not start would only flash the window, and a click it swallowed
    // would be lost: the window stays as it is and holds the host's command for after the run.
    if (quiet_) {
        focusBefore_ = wxWindow::FindFocus();
        busyLookDelay_.StartOnce(kQuietBusyMilliseconds);
        return;
    }
    RefuseInput();
    ShowBusyLook();
}

void AuctionFrame::RefuseInput() {
    if (inputGuard_) return;
    inputGuard_ = std::make_unique<InputGuard>(this);
    wxEvtHandler::AddFilter(inputGuard_.get());
    Disable();  // the whole window, its menu bar included
}

// A run that lasts looks busy and takes no input, as the host's commands do.
void AuctionFrame::ShowBusyLook() {
    if (!IsBusy() || busyLook_) return;
    RefuseInput();
    busyLook_ = true;
    wxBeginBusyCursor();
    client_->SetBackgroundColour(kRed);
    client_->Refresh();
    client_->Update();
}

void AuctionFrame::LeaveBusy() {
    if (busyDepth_ == 0) return;
    if (busyDepth_ > 1) {
        --busyDepth_;
        return;
    }
    busyLookDelay_.Stop();
    if (inputGuard_) Enable();
    if (client_->GetBackgroundColour() != IdleColour()) {
        client_->SetBackgroundColour(IdleColour());
        client_->Refresh();
    }
    if (busyLook_) wxEndBusyCursor();
    busyLook_ = false;
    // Input already queued while busy is dropped before the window takes input again (held,
    // after a quick quiet run).
    auction_.pump.Yield();
    if (inputGuard_) {
        wxEvtHandler::RemoveFilter(inputGuard_.get());
        inputGuard_.reset();
    }
    // Busy until here: a timer that fires in the yield above (a live run coming due) must not
    // start a command while the guard of this one is still in place.
    busyDepth_ = 0;
    // Putting the focus into a window that does not have the keyboard would, on GTK, take the
    // keyboard from the program that has it (and bring a minimised Gavelton back).
    if (keyboardElsewhere_ && FocusTakesTheKeyboard()) {
        // Where it was.
    } else if (!quiet_) {
        FocusDummy();
    } else if (focusBefore_ && wxWindow::FindFocus() != focusBefore_) {
        // Disabling the window may have taken the focus from one of its controls.
        focusBefore_->SetFocus();
    }
    focusBefore_ = nullptr;
    CatchUpFloorLog();
    if (held_) CallAfter([this] { RunHeld(); });
    if (closePending_) {
        closePending_ = false;
        CallAfter([this] { Close(!closeCanCancel_); });
    }
}

bool AuctionFrame::HoldUntilIdle(std::function<void()> command) {
    // Only the first: a second click in one run is the double click a busy window drops.
    if (!quiet_ || busyLook_ || held_ || closing_) return false;
    held_ = std::move(command);
    return true;
}

void AuctionFrame::RunHeld() {
    const std::function<void()> command = std::exchange(held_, {});
    if (command && !closing_) command();
}

bool AuctionFrame::IdleOrHeld(void (AuctionFrame::*handler)()) {
    if (Idle()) return true;
    HoldUntilIdle([this, handler] { (this->*handler)(); });
    return false;
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
    for (const std::string* failure : {&settingsFailure_, &hotkeyFailure_, &placeFailure_, &recordFailure_,
                                       &logFailure_, &undoNote_, &linkFailure_}) {
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
