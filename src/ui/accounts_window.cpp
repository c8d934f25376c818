#include "ui/accounts_window.h"

#include <wx/accel.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <array>
#include <functional>

#include "common/text.h"
#include "ui/caption.h"
#include "ui/command_table.h"
#include "ui/list_view.h"

namespace gv::ui {

namespace {

// The view choice's items, in the order of AccountsView.
constexpr std::array kViews = {"Who owes", "This evening", "Everyone"};

std::string Money(double value) { return NumberText(value); }

std::string AccountCell(const Account& account, unsigned column) {
    switch (column) {
        case 0:
            return account.bidder;
        case 1:
            return std::to_string(account.itemsWon);
        case 2:
            return Money(account.total);
        case 3:
            return Money(account.paid);
        case 4:
            return Money(account.owed);
        default:
            return account.owedSince;
    }
}

std::string AccountSentence(const Account& account) {
    std::string sentence = account.bidder + ", " + std::to_string(account.itemsWon) +
                           (account.itemsWon == 1 ? " item" : " items") + " for " + Money(account.total) +
                           ", paid " + Money(account.paid);
    if (account.owed > 0) return sentence + ", owes " + Money(account.owed) + " since " + account.owedSince;
    return sentence + (account.owed < 0 ? ", credit " + Money(-account.owed) : ", owes nothing");
}

// A row on the clipboard: its `columns` cells, tab-separated.
template <class Row>
auto TabbedCells(std::string (*cell)(const Row&, unsigned), unsigned columns) {
    return [cell, columns](const Row& row) {
        std::string text;
        for (unsigned column = 0; column < columns; ++column) {
            if (column > 0) text += '\t';
            text += cell(row, column);
        }
        return text;
    };
}

ListDesign<Account> AccountsDesign() {
    return {
        "Accounts",
        {{"Bidder", 120},
         {"Items", 50, wxALIGN_RIGHT},
         {"Total", 70, wxALIGN_RIGHT},
         {"Paid", 70, wxALIGN_RIGHT},
         {"Owed", 70, wxALIGN_RIGHT},
         {"Owed since", 90}},
        AccountCell,
        AccountSentence,
        TabbedCells(AccountCell, 6),
        std::equal_to<Account>(),
    };
}

std::string KindText(HistoryLine::Kind kind) {
    switch (kind) {
        case HistoryLine::Kind::Sale:
            return "sale";
        case HistoryLine::Kind::Payment:
            return "payment";
        case HistoryLine::Kind::Pass:
            return "pass to runner-up";
        case HistoryLine::Kind::WriteOff:
            return "write-off";
        case HistoryLine::Kind::Correction:
            return "correction";
    }
    return {};
}

// The time of day of "YYYY-MM-DD HH:MM:SS"; the evening has its own column.
std::string TimeOfDay(const std::string& time) {
    const std::size_t blank = time.find(' ');
    return blank == std::string::npos ? time : time.substr(blank + 1);
}

std::string HistoryCell(const HistoryLine& line, unsigned column) {
    switch (column) {
        case 0:
            return line.evening;
        case 1:
            return TimeOfDay(line.time);
        case 2:
            return KindText(line.kind);
        case 3:
            return line.item;
        case 4:
            return line.amount ? Money(*line.amount) : std::string();
        default:
            return line.note;
    }
}

std::string HistorySentence(const HistoryLine& line) {
    std::string sentence = line.time + ", " + KindText(line.kind);
    if (!line.item.empty()) sentence += ", " + line.item;
    if (line.amount) sentence += ", " + Money(*line.amount);
    if (!line.note.empty()) sentence += ", " + line.note;
    return sentence;
}

ListDesign<HistoryLine> HistoryDesign() {
    return {
        "History of the bidder chosen",
        {{"Evening", 90},
         {"Time", 70},
         {"What", 110},
         {"Item", 150},
         {"Amount", 70, wxALIGN_RIGHT},
         {"Note", 200}},
        HistoryCell,
        HistorySentence,
        TabbedCells(HistoryCell, 6),
        std::equal_to<HistoryLine>(),
    };
}

wxTextCtrl* Box(wxWindow* parent, const wxString& name, const wxString& hint, int width) {
    auto* box = new wxTextCtrl(parent, wxID_ANY, {}, wxDefaultPosition, parent->FromDIP(wxSize(width, -1)), 0,
                               wxDefaultValidator, name);
    box->SetHint(hint);
    return box;
}

Caption* Line(wxWindow* parent, const wxString& name, const wxString& role) {
    Caption::Style style;
    style.foreground = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    style.growsDown = true;
    Caption::Speech speech;
    speech.role = role;
    auto* line = new Caption(parent, name, {}, style, speech);
    line->SetMinSize({-1, parent->GetCharHeight() + 6});
    return line;
}

}  // namespace

AccountsWindow::AccountsWindow(wxWindow* owner, Ledger& ledger)
    : SideWindow(owner, "Accounts", "Accounts"), ledger_(ledger) {
    const int gap = FromDIP(4);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    summary_ = Line(this, "AccountsSummary", "Accounts summary");
    sizer->Add(summary_, 0, wxEXPAND | wxALL, gap);

    auto* choose = new wxBoxSizer(wxHORIZONTAL);
    auto* show = new wxStaticText(this, wxID_ANY, "&Show:");
    view_ = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, 0, wxDefaultValidator,
                         "AccountsView");
    for (const char* view : kViews) view_->Append(view);
    view_->SetSelection(0);
    auto* named = new wxStaticText(this, wxID_ANY, "&Name:");
    filter_ = Box(this, "AccountsFilter", "part of a name", 160);
    choose->Add(show, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    choose->Add(view_, 0, wxRIGHT, 3 * gap);
    choose->Add(named, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    choose->Add(filter_, 0);
    sizer->Add(choose, 0, wxLEFT | wxRIGHT | wxBOTTOM, gap);

    accounts_ = new ListView<Account>(this, "AccountsList", AccountsDesign());
    sizer->Add(accounts_, 3, wxEXPAND | wxLEFT | wxRIGHT, gap);
    history_ = new ListView<HistoryLine>(this, "AccountsHistory", HistoryDesign());
    sizer->Add(history_, 2, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, gap);
    BuildEntry(this, sizer);
    note_ = Line(this, "AccountsNote", "Accounts note");
    sizer->Add(note_, 0, wxEXPAND | wxALL, gap);
    SetSizer(sizer);
    // Wide enough for every button whatever the font.
    const wxSize least = sizer->GetMinSize() + GetSize() - GetClientSize();
    SetMinSize(least);
    wxSize size = FromDIP(wxSize(640, 560));
    size.IncTo(least);
    SetSize(size);

    view_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ShowAccounts(false); });
    filter_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { ShowAccounts(false); });
    accounts_->Bind(wxEVT_DATAVIEW_SELECTION_CHANGED, [this](wxDataViewEvent&) {
        const std::optional<unsigned> row = accounts_->FirstSelected();
        chosen_ = row ? accounts_->Rows()[*row].bidder : std::string();
        ShowHistory();
    });
    BindKeys();
    Place(owner);
    ShowAccounts();
}

void AccountsWindow::BuildEntry(wxWindow* parent, wxSizer* sizer) {
    // Three short rows, so that the window fits beside Gavelton's on a small screen: a payment,
    // what a sale's change needs, and the changes of a sale.
    const int gap = FromDIP(4);
    const auto row = [&] {
        auto* line = new wxBoxSizer(wxHORIZONTAL);
        sizer->Add(line, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, gap);
        return line;
    };
    const auto label = [&](wxSizer* line, const wxString& text) {
        line->Add(new wxStaticText(parent, wxID_ANY, text), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    };
    const auto button = [&](wxSizer* line, const wxString& caption, const wxString& name,
                            void (AccountsWindow::*run)()) {
        auto* b = new wxButton(parent, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize, 0,
                               wxDefaultValidator, name);
        b->Bind(wxEVT_BUTTON, [this, run](wxCommandEvent&) { (this->*run)(); });
        line->Add(b, 0, wxRIGHT, gap);
        return b;
    };
    wxSizer* payment = row();
    label(payment, "&Amount:");
    amount_ = Box(parent, "AccountsAmount", "paid, or a price", 120);
    payment->Add(amount_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 3 * gap);
    button(payment, "Record &payment", "RecordPayment", &AccountsWindow::RecordPayment);
    undo_ = button(payment, "Undo pa&yment", "UndoPayment", &AccountsWindow::UndoPayment);

    wxSizer* why = row();
    label(why, "&Winner:");
    winner_ = Box(parent, "AccountsWinner", "for a correction", 130);
    why->Add(winner_, 0, wxRIGHT, 3 * gap);
    label(why, "&Reason:");
    reason_ = Box(parent, "AccountsReason", "why, for the record", 160);
    why->Add(reason_, 1);

    wxSizer* sale = row();
    button(sale, "Pass to r&unner-up", "PassToRunnerUp", &AccountsWindow::PassToRunnerUp);
    button(sale, "Write &off", "WriteOff", &AccountsWindow::WriteOff);
    backOnList_ = new wxCheckBox(parent, wxID_ANY, "back on the &list", wxDefaultPosition, wxDefaultSize, 0,
                                 wxDefaultValidator, "BackOnList");
    sale->Add(backOnList_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 3 * gap);
    button(sale, "&Correct", "CorrectSale", &AccountsWindow::Correct);
}

void AccountsWindow::BindKeys() {
    // Accelerators: the lists would take the keys first otherwise.
    const int copy = wxWindow::NewControlId();
    const int close = wxWindow::NewControlId();
    // Its own command's key closes it, as in the main window.
    wxAcceleratorEntry keys[] = {{wxACCEL_CTRL, 'C', copy},
                                 {wxACCEL_CTRL, RowOf(Command::Accounts).ctrlKey, close}};
    SetAcceleratorTable(wxAcceleratorTable(2, keys));
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            // In a text box Ctrl+C copies what is selected there, as everywhere.
            if (auto* box = dynamic_cast<wxTextCtrl*>(FindFocus()); box && box->GetParent() == this) {
                box->Copy();
                return;
            }
            CopyStatement();
        },
        copy);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { RequestClose(); }, close);
}

AccountsView AccountsWindow::ViewChosen() const {
    const int chosen = view_->GetSelection();
    return chosen == 1   ? AccountsView::ThisEvening
           : chosen == 2 ? AccountsView::Everyone
                         : AccountsView::Owing;
}

void AccountsWindow::ShowAccounts(bool keepChosen) {
    const AccountBook& book = ledger_.Book();
    std::vector<const Account*> rows =
        book.Rows(ViewChosen(), ledger_.Evening(), filter_->GetValue().utf8_string());
    // A bidder who paid up stays in sight, last, until the host looks elsewhere.
    const auto chosen = [&](const Account* account) { return account->bidder == chosen_; };
    if (keepChosen && !chosen_.empty() && std::none_of(rows.begin(), rows.end(), chosen))
        if (const Account* account = book.Find(chosen_)) rows.push_back(account);
    std::vector<Account> shown;
    shown.reserve(rows.size());
    for (const Account* account : rows) shown.push_back(*account);
    accounts_->ShowRows(shown);
    summary_->SetLabel(wxString::FromUTF8(AccountsSummary(book, rows)));
    Choose(chosen_);
}

void AccountsWindow::Choose(const std::string& bidder) {
    const std::vector<Account>& rows = accounts_->Rows();
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&](const Account& account) { return account.bidder == bidder; });
    const std::optional<unsigned> selected = accounts_->FirstSelected();
    if (found == rows.end()) {
        if (selected) accounts_->UnselectAll();
    } else if (const auto row = static_cast<unsigned>(found - rows.begin()); selected != row) {
        accounts_->SelectOnly(row);
    }
    chosen_ = found == rows.end() ? std::string() : bidder;
    ShowHistory();
}

std::string AccountsWindow::Chosen() const { return chosen_; }

void AccountsWindow::ShowHistory() {
    // A line chosen in one bidder's history is nothing of the next bidder's: the list would keep
    // it chosen at its place among the new lines.
    if (historyOf_ != chosen_) {
        history_->UnselectAll();
        historyOf_ = chosen_;
    }
    history_->ShowRows(chosen_.empty() ? std::vector<HistoryLine>() : ledger_.Book().History(chosen_));
    undo_->Enable(ledger_.LatestPayment() != nullptr);
}

std::optional<std::size_t> AccountsWindow::ChosenSale() const {
    const std::optional<unsigned> row = history_->FirstSelected();
    if (!row) return std::nullopt;
    const std::size_t sale = history_->Rows()[*row].sale;
    if (sale == HistoryLine::kNoSale) return std::nullopt;
    return sale;
}

void AccountsWindow::CopyStatement() {
    const std::string statement = ledger_.Book().Statement(chosen_);
    if (statement.empty() || !wxTheClipboard->Open()) return;
    wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(statement)));
    wxTheClipboard->Close();
    SetNote("Copied: " + statement);
}

void AccountsWindow::RecordPayment() {
    if (chosen_.empty()) return SetNote("Choose a bidder.");
    const std::size_t sale = ChosenSale().value_or(HistoryLine::kNoSale);
    Take(PaymentEntry(ledger_.Book(), chosen_, amount_->GetValue().utf8_string(), sale, ledger_.Now()),
         "Payment recorded");
}

void AccountsWindow::PassToRunnerUp() {
    const std::optional<std::size_t> sale = ChosenSale();
    if (!sale) return SetNote("Choose the sale in the bidder's history.");
    Take(PassEntry(ledger_.Book(), *sale, amount_->GetValue().utf8_string(), ledger_.Now()),
         "Passed to the runner-up");
}

void AccountsWindow::WriteOff() {
    const std::optional<std::size_t> sale = ChosenSale();
    if (!sale) return SetNote("Choose the sale in the bidder's history.");
    Take(WriteOffEntry(ledger_.Book(), *sale, reason_->GetValue().utf8_string(), ledger_.Now()),
         "Written off", true);
}

void AccountsWindow::Correct() {
    const std::optional<std::size_t> sale = ChosenSale();
    if (!sale) return SetNote("Choose the sale in the bidder's history.");
    Take(CorrectionEntry(ledger_.Book(), *sale, winner_->GetValue().utf8_string(),
                         amount_->GetValue().utf8_string(), reason_->GetValue().utf8_string(), ledger_.Now()),
         "Sale corrected");
}

void AccountsWindow::UndoPayment() {
    const std::string refused = ledger_.UndoLatestPayment();
    SetNote(refused.empty() ? "Payment taken back" : refused);
}

void AccountsWindow::Take(const EntryRequest& request, const std::string& done, bool writeOff) {
    // The ledger tells every window once it recorded, and the book read before goes then.
    const EntryOutcome outcome =
        writeOff ? ledger_.WriteOff(request, backOnList_->GetValue()) : ledger_.Record(request);
    if (!outcome.recorded) return SetNote(outcome.refusal);
    amount_->Clear();
    winner_->Clear();
    reason_->Clear();
    SetNote(done);
}

void AccountsWindow::SetNote(const std::string& text) { note_->SetLabel(wxString::FromUTF8(text)); }

}  // namespace gv::ui
