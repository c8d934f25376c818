#pragma once
// The accounts window "Gavelton - Accounts": who owes what, from every evening's sales and the
// payments, passes, write-offs and corrections the host recorded, beside the main window and on
// top like it. What it shows is read afresh from the ledger each time it changed; what the
// host records goes to the ledger, which writes it down and tells every window.

#include <optional>
#include <string>
#include <vector>

#include "books/accounts.h"
#include "books/ledger.h"
#include "ui/side_window.h"

class wxButton;
class wxCheckBox;
class wxChoice;
class wxTextCtrl;

namespace gv::ui {

class Caption;
template <class Row>
class ListView;

class AccountsWindow final : public SideWindow {
public:
    // `ledger` must outlive the window.
    AccountsWindow(wxWindow* owner, Ledger& ledger);

    // Shows the accounts as the ledger reads them now, the bidder chosen kept chosen, and kept
    // in the list though the view would leave them out (they just paid up) when `keepChosen`.
    void ShowAccounts(bool keepChosen = true);
    // The chosen bidder's statement on the clipboard, one line for an ESP.
    void CopyStatement();

    // What the host does, as the window's buttons run them.
    void RecordPayment();
    void PassToRunnerUp();
    void WriteOff();
    void Correct();
    void UndoPayment();

    // The bidder chosen in the list; empty when none is.
    std::string Chosen() const;
    // Chooses the bidder's row, if the list shows it.
    void Choose(const std::string& bidder);
    // The history line chosen; none when none is, or it is not about a sale.
    std::optional<std::size_t> ChosenSale() const;

    ListView<Account>& Accounts() const { return *accounts_; }
    ListView<HistoryLine>& History() const { return *history_; }
    wxChoice* View() const { return view_; }
    wxTextCtrl* Filter() const { return filter_; }
    wxTextCtrl* Amount() const { return amount_; }
    wxTextCtrl* Winner() const { return winner_; }
    wxTextCtrl* Reason() const { return reason_; }
    wxCheckBox* BackOnList() const { return backOnList_; }
    const Caption& Summary() const { return *summary_; }
    // What the last thing the host did came to: a refusal, or what was recorded.
    const Caption& Note() const { return *note_; }

private:
    void BuildEntry(wxWindow* parent, wxSizer* sizer);
    void BindKeys();
    void ShowHistory();
    // Records the entry asked for, or shows why it cannot be.
    void Take(const EntryRequest& request, const std::string& done, bool writeOff = false);
    void SetNote(const std::string& text);
    AccountsView ViewChosen() const;

    Ledger& ledger_;
    Caption* summary_ = nullptr;
    wxChoice* view_ = nullptr;
    wxTextCtrl* filter_ = nullptr;
    ListView<Account>* accounts_ = nullptr;
    ListView<HistoryLine>* history_ = nullptr;
    wxTextCtrl* amount_ = nullptr;
    wxTextCtrl* winner_ = nullptr;
    wxTextCtrl* reason_ = nullptr;
    wxCheckBox* backOnList_ = nullptr;
    wxButton* undo_ = nullptr;
    Caption* note_ = nullptr;
    std::string chosen_;     // the bidder chosen, kept across a refresh that moves the rows
    std::string historyOf_;  // whose history the list shows
};

}  // namespace gv::ui
