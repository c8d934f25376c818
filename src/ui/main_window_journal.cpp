// The main window's part in the evening's log, and the undo of the latest sale by Ctrl+Z.

#include <wx/event.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <utility>

#include "ui/main_window.h"

namespace gv::ui {

namespace {

bool Holds(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

void AuctionFrame::BindJournal() {
    auction_.log.SetOnStatus([this](const std::string& failure) { ShowLogStatus(failure); });
    // The floor log window's command does what Ctrl+Z does.
    SetUndoLastSale([this] { UndoLastSale(); });
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        // In a text box Ctrl+Z undoes the typing there, as everywhere else.
        const bool undo = event.GetKeyCode() == 'Z' && event.GetModifiers() == wxMOD_CONTROL &&
                          dynamic_cast<wxTextCtrl*>(wxWindow::FindFocus()) == nullptr;
        if (!undo) {
            event.Skip();
            return;
        }
        UndoLastSale();
    });
}

void AuctionFrame::UndoLastSale() {
    if (!IdleOrHeld(&AuctionFrame::UndoLastSale)) return;
    const UndoOutcome outcome = auction_.floor.UndoLastSale();
    undoNote_ = outcome.note;
    ShowTrouble();
    auctionPanel_->ShowBlock();
    listPanel_->ShowItems();
    FocusDummy();
}

void AuctionFrame::ShowLogStatus(const std::string& failure) {
    if (failure == logFailure_) return;
    logFailure_ = failure;
    ShowTrouble();
}

void AuctionFrame::LogTitleFailures(const std::vector<std::string>& failures) {
    // Taken over first: logging may fail and show that in the title, which comes back here.
    const std::vector<std::string> before = std::exchange(titleLogged_, failures);
    std::vector<std::string> events;
    for (const std::string& failure : failures) {
        if (!Holds(before, failure)) events.push_back("In the title: " + failure);
    }
    for (const std::string& failure : before) {
        if (!Holds(failures, failure)) events.push_back("Gone from the title: " + failure);
    }
    auction_.log.Add(events);
}

}  // namespace gv::ui
