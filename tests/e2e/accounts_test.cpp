// The accounts window after an evening of sales against the practice world: opened by Ctrl+K
// and by the floor log's "Accounts", a payment and a pass to the runner-up recorded through its
// boxes and buttons as a host does, and who owes what read off its rows and its statement line.

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

#include "auction_fixture.h"
#include "files.h"
#include "ui/accounts_window.h"
#include "ui/caption.h"
#include "ui/floor_log_window.h"
#include "ui/list_view.h"

namespace gv::e2e {
namespace {

using Rows = std::vector<std::string>;

class AccountsAgainstTheWorld : public AuctionTest {
protected:
    void SetUp() override {
        AuctionTest::SetUp();
        WriteTiers({"0", "9999999", "10", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""});
        WriteItems({"Oak chest - 500", "Lamp - 50"});
        StartAuction();
        ChooseMenu(0);
    }

    void Sell(const std::vector<std::string>& bids) {
        Press(Command::StateItem);
        Post(bids);
        GetBids();
        Press(Command::Sold);
    }
    ui::AccountsWindow* Window() const { return frame_->AccountsView(); }
    // Each row's cells but the date owed since, which is today's.
    static Rows Shown(const ui::RowList& list, unsigned columns) {
        Rows rows;
        for (unsigned row = 0; row < list.RowCount(); ++row) {
            std::string text;
            for (unsigned column = 0; column < columns; ++column)
                text += (column > 0 ? "|" : "") + list.CellText(row, column).utf8_string();
            rows.push_back(text);
        }
        return rows;
    }
    void ClickRow(ui::RowList& list, unsigned row) {
        const auto* model = static_cast<const wxDataViewVirtualListModel*>(list.GetModel());
        const wxRect cell = list.GetItemRect(model->GetItem(row));
        ClickAt(list.ClientToScreen(cell.GetPosition() + wxSize(8, cell.height / 2)));
        ASSERT_TRUE(WaitUntil([&] { return list.FirstSelected() == row; })) << "row " << row << " not chosen";
    }
    void Fill(wxTextCtrl* box, const std::string& text) {
        // No window manager under the tests' X server hands the keyboard over on a click.
        box->GetParent()->Raise();
        box->SetFocus();
        ASSERT_TRUE(WaitUntil([&] { return Focused() == box; }));
        Type(text);
        ASSERT_TRUE(WaitUntil([&] { return box->GetValue() == text; }));
    }
    void Run(const wxString& button) { Click(Find<wxButton>(button)); }
};

TEST_F(AccountsAgainstTheWorld, RecordsAPaymentAndAPassAndShowsWhoOwesWhat) {
    Sell({"ESP from Ann: 600", "ESP from Ben: 700"});
    Press(Command::GetNextItem);
    Sell({"ESP from Ben: 60"});

    Key('k', wxMOD_CONTROL);
    ASSERT_TRUE(WaitUntil([&] { return Window() != nullptr && Window()->IsShown(); }));
    EXPECT_EQ(Window()->GetTitle(), "Gavelton - Accounts");
    ui::AccountsWindow& window = *Window();
    EXPECT_EQ(Shown(window.Accounts(), 5), (Rows{"Ben|2|760|0|760"}));
    EXPECT_EQ(window.Summary().GetLabel(), "1 bidder owes 760");

    // Ben pays 500 of it, against no sale in particular.
    ClickRow(window.Accounts(), 0);
    EXPECT_EQ(window.History().RowCount(), 2u);  // his two sales
    Fill(window.Amount(), "500");
    Run("RecordPayment");
    EXPECT_TRUE(WaitUntil([&] { return Shown(window.Accounts(), 5) == Rows{"Ben|2|760|500|260"}; }))
        << Shown(window.Accounts(), 5).front();
    EXPECT_EQ(window.Note().GetLabel(), "Payment recorded");
    const Rows history = Shown(window.History(), 5);
    ASSERT_EQ(history.size(), 3u);
    EXPECT_NE(history[0].find("|sale|Oak chest|700"), std::string::npos) << history[0];
    EXPECT_NE(history[2].find("|payment||500"), std::string::npos) << history[2];

    // He will not take the chest after all: it goes to Ann at her own bid.
    ClickRow(window.History(), 0);
    Run("PassToRunnerUp");
    // Ben owes nothing now, but stays in sight while he is the bidder chosen.
    EXPECT_TRUE(WaitUntil([&] {
        return Shown(window.Accounts(), 5) == Rows{"Ann|1|600|0|600", "Ben|1|60|500|-440"};
    })) << Shown(window.Accounts(), 5).size();
    EXPECT_EQ(window.Summary().GetLabel(), "1 of 2 bidders owes 600");
    window.View()->SetSelection(0);  // who owes, chosen afresh
    window.View()->SendSelectionChangedEvent(wxEVT_CHOICE);
    EXPECT_EQ(Shown(window.Accounts(), 5), (Rows{"Ann|1|600|0|600"}));
    window.View()->SetSelection(2);  // everyone
    window.View()->SendSelectionChangedEvent(wxEVT_CHOICE);
    EXPECT_EQ(Shown(window.Accounts(), 5), (Rows{"Ann|1|600|0|600", "Ben|1|60|500|-440"}));
    ClickRow(window.Accounts(), 0);
    Key('c', wxMOD_CONTROL);
    EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == "Ann: Oak chest 600; paid 0; owes 600"; }))
        << ClipboardText();

    const std::string file = ui::test::ReadFile(folder_ / "Accounts.csv");
    EXPECT_NE(file.find(",Payment,Ben,,,500,\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find(",Pass to runner-up,Ann,Oak chest,"), std::string::npos) << file;
    // Sales.csv stays the record of what was sold.
    EXPECT_NE(ui::test::ReadFile(folder_ / "Sales.csv").find(",Oak chest,500,700,Ben,600,Ann,"),
              std::string::npos);

    // Ctrl+K closes it; the floor log's "Accounts" opens it again.
    window.Accounts().SetFocus();
    Key('k', wxMOD_CONTROL);
    ASSERT_TRUE(WaitUntil([&] { return Window() == nullptr; }));
    ChooseMenu(5);
    ASSERT_TRUE(WaitUntil([&] { return frame_->FloorLogView() != nullptr; }));
    Click(frame_->FloorLogView()->AccountsButton());
    EXPECT_TRUE(WaitUntil([&] { return Window() != nullptr; }));
}

// What a button acts on is what the host chose for the bidder chosen: a line chosen in one
// bidder's history is nothing of the next one's. And a winner who raised her own bid passes
// the sale to the bidder below her, at that bidder's bid.
TEST_F(AccountsAgainstTheWorld, AChoiceStaysWithItsBidderAndAPassGoesToTheRealRunnerUp) {
    // The chat is in the client's code page: "B\xE9 Ro" is "Bé Ro".
    Sell({"ESP from Ann: 600", "ESP from B\xE9 Ro: 700", "ESP from Cy: 800", "ESP from Cy: 900"});
    Press(Command::GetNextItem);
    Sell({"ESP from Ann: 60"});
    EXPECT_NE(ui::test::ReadFile(folder_ / "Sales.csv").find(",Oak chest,500,900,Cy,700,Bé Ro,4"),
              std::string::npos)
        << ui::test::ReadFile(folder_ / "Sales.csv");

    Key('k', wxMOD_CONTROL);
    ASSERT_TRUE(WaitUntil([&] { return Window() != nullptr && Window()->IsShown(); }));
    ui::AccountsWindow& window = *Window();
    ASSERT_EQ(Shown(window.Accounts(), 1), (Rows{"Cy", "Ann"}));
    ClickRow(window.Accounts(), 1);
    ClickRow(window.History(), 0);  // Ann's lamp
    ClickRow(window.Accounts(), 0);
    EXPECT_EQ(window.History().FirstSelected(), std::nullopt);
    Fill(window.Amount(), "100");
    Run("RecordPayment");  // against what Cy owes, not against a sale
    EXPECT_TRUE(WaitUntil([&] { return window.Note().GetLabel() == "Payment recorded"; }))
        << window.Note().GetLabel();

    ClickRow(window.History(), 0);  // Cy's chest
    Run("PassToRunnerUp");
    EXPECT_TRUE(WaitUntil([&] { return window.Note().GetLabel() == "Passed to the runner-up"; }))
        << window.Note().GetLabel();
    const std::string file = ui::test::ReadFile(folder_ / "Accounts.csv");
    EXPECT_NE(file.find(",Payment,Cy,,,100,\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find(",Pass to runner-up,Bé Ro,Oak chest,"), std::string::npos) << file;
    window.View()->SetSelection(2);  // everyone
    window.View()->SendSelectionChangedEvent(wxEVT_CHOICE);
    EXPECT_EQ(Shown(window.Accounts(), 5), (Rows{"Bé Ro|1|700|0|700", "Ann|1|60|0|60", "Cy|0|0|100|-100"}));
}

// Both files cut inside a quoted field at their last line, as a crash of a hand edit leaves
// them: the sale and the payment added after the cut count, though their own quotes would close
// the cut ones, and the cut lines are named.
TEST_F(AccountsAgainstTheWorld, EntriesAfterALineCutInsideAQuoteCount) {
    const std::string bom = "\xEF\xBB\xBF";
    ui::test::WriteFile(folder_ / "Sales.csv",
                        bom +
                            "Time,Item,Minimum bid,Price,Winner,Runner-up bid,Runner-up,"
                            "Bids accepted\r\n2026-12-02 20:00:00,\"Rug, red");
    ui::test::WriteFile(folder_ / "Accounts.csv",
                        bom +
                            "Time,Kind,Bidder,Item,Sale time,Amount,Reason\r\n"
                            "2026-12-02 21:00:00,Correction,Ann,Lamp,2026-12-02 20:05:00,,\"typo, so");
    Sell({"ESP from Ann: 600", "ESP from Ben, Jr: 700"});  // quoted in both files

    Key('k', wxMOD_CONTROL);
    ASSERT_TRUE(WaitUntil([&] { return Window() != nullptr && Window()->IsShown(); }));
    ui::AccountsWindow& window = *Window();
    EXPECT_EQ(Shown(window.Accounts(), 5), (Rows{"Ben, Jr|1|700|0|700"}));
    ClickRow(window.Accounts(), 0);
    Fill(window.Amount(), "200");
    Run("RecordPayment");
    EXPECT_TRUE(WaitUntil([&] { return Shown(window.Accounts(), 5) == Rows{"Ben, Jr|1|700|200|500"}; }))
        << Shown(window.Accounts(), 5).front();
    EXPECT_EQ(window.Summary().GetLabel(),
              "1 bidder owes 500; Sales.csv: line 2 not read; Accounts.csv: line 2 not read");
}

}  // namespace
}  // namespace gv::e2e
