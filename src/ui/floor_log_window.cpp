#include "ui/floor_log_window.h"

#include <wx/accel.h>
#include <wx/button.h>
#include <wx/display.h>
#include <wx/settings.h>
#include <wx/sizer.h>

#include <functional>
#include <string>

#include "common/program_title.h"
#include "floor/judgement.h"
#include "ui/caption.h"
#include "ui/command_table.h"
#include "ui/gavel_icon.h"
#include "ui/list_view.h"
#include "ui/native.h"

namespace gv::ui {

namespace {

std::string CellOf(const Judgement& row, unsigned column) {
    switch (column) {
        case 0:
            return row.line > 0 ? std::to_string(row.line) : std::string();
        case 1:
            return row.speaker;
        case 2:
            return row.message;
        case 3:
            return AmountText(row);
        case 4:
            return VerdictText(row);
        default:
            return CallText(row);
    }
}

ListDesign<Judgement> LogDesign() {
    return {
        "Floor log",
        {{"Line", 50, wxALIGN_RIGHT},
         {"Who", 110, wxALIGN_LEFT},
         {"Message", 200, wxALIGN_LEFT},
         {"Amount", 70, wxALIGN_RIGHT},
         {"Verdict", 380, wxALIGN_LEFT},
         {"Call", 120, wxALIGN_LEFT}},
        CellOf,
        RowSentence,
        RowTabText,
        std::equal_to<Judgement>(),
    };
}

}  // namespace

FloorLogWindow::FloorLogWindow(wxWindow* owner, const Floor& floor)
    : SideWindow(owner, "Floor log", "FloorLog"), floor_(floor) {
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    Caption::Style style;
    style.foreground = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    style.growsDown = true;
    Caption::Speech speech;
    speech.role = "Floor log summary";
    summary_ = new Caption(this, "FloorLogSummary", wxString::FromUTF8(LogSummary(floor_.Judgements())),
                           style, speech);
    summary_->SetMinSize({-1, GetCharHeight() + 6});
    sizer->Add(summary_, 0, wxEXPAND | wxALL, FromDIP(4));
    list_ = new ListView<Judgement>(this, "FloorLogList", LogDesign());
    sizer->Add(list_, 1, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(4));
    undo_ = new wxButton(this, wxID_ANY, "&Undo last sale", wxDefaultPosition, wxDefaultSize, 0,
                         wxDefaultValidator, "UndoLastSale");
    undo_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (undoLastSale_) undoLastSale_();
    });
    undo_->Hide();
    accounts_ = new wxButton(this, wxID_ANY, "&Accounts", wxDefaultPosition, wxDefaultSize, 0,
                             wxDefaultValidator, "OpenAccounts");
    accounts_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (openAccounts_) openAccounts_();
    });
    accounts_->Hide();
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(undo_, 0, wxRIGHT, FromDIP(4));
    buttons->Add(accounts_, 0);
    sizer->Add(buttons, 0, wxALL, FromDIP(4));
    SetSizer(sizer);
    SetSize(FromDIP(wxSize(960, 420)));
    KeepControlsWhole();
    BindKeys();
    Place(owner);
    ShowJudgements();
}

void FloorLogWindow::ShowJudgements() {
    list_->ShowRows(floor_.Judgements().rows);
    summary_->SetLabel(wxString::FromUTF8(LogSummary(floor_.Judgements())));
}

wxDataViewCtrl* FloorLogWindow::List() const { return list_; }

unsigned FloorLogWindow::RowCount() const { return list_->RowCount(); }

wxString FloorLogWindow::CellText(unsigned row, unsigned column) const {
    return list_->CellText(row, column);
}

void FloorLogWindow::CopySelection() { list_->CopySelection(); }

void FloorLogWindow::SetUndoLastSale(std::function<void()> undo) {
    undoLastSale_ = std::move(undo);
    undo_->Show(static_cast<bool>(undoLastSale_));
    KeepControlsWhole();
}

void FloorLogWindow::SetOpenAccounts(std::function<void()> open) {
    openAccounts_ = std::move(open);
    accounts_->Show(static_cast<bool>(openAccounts_));
    KeepControlsWhole();
}

void FloorLogWindow::KeepControlsWhole() {
    // The summary wraps and the list scrolls at any width; the buttons' row does not.
    const int least =
        undo_->GetContainingSizer()->GetMinSize().x + 2 * FromDIP(4) + GetSize().x - GetClientSize().x;
    SetMinSize({least, -1});
    if (GetSize().x < least) SetSize(least, GetSize().y);
    Layout();
}

void FloorLogWindow::BindKeys() {
    // Accelerators: the list itself would take the keys first otherwise.
    const int copy = wxWindow::NewControlId();
    const int close = wxWindow::NewControlId();
    const int accounts = wxWindow::NewControlId();
    // Its own command's key closes it, as in the main window; the accounts' key opens them.
    wxAcceleratorEntry keys[] = {{wxACCEL_CTRL, 'C', copy},
                                 {wxACCEL_CTRL, RowOf(Command::FloorLog).ctrlKey, close},
                                 {wxACCEL_CTRL, RowOf(Command::Accounts).ctrlKey, accounts}};
    SetAcceleratorTable(wxAcceleratorTable(3, keys));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { CopySelection(); }, copy);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { RequestClose(); }, close);
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            if (openAccounts_) openAccounts_();
        },
        accounts);
}

}  // namespace gv::ui
