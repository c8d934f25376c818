// A second list window beside the floor log, built from the log's pieces over rows of its own
// (each winner's total for the evening, with a paid mark): a side window with a list, opened
// and closed by a toggle. What reuse can break: the rows shown and updated, what a screen
// reader hears of them, the clipboard's text, and its place, kept under its own name in the
// file that keeps the floor log's.

#include <wx/frame.h>
#include <wx/weakref.h>

#include <functional>
#include <memory>
#include <string>

#include "gui_fixture.h"
#include "ui/floor_log_window.h"
#include "ui/list_view.h"
#include "ui/side_window.h"
#include "ui/window_place.h"
#include "ui/window_toggle.h"

namespace gv::ui::test {
namespace {

constexpr std::size_t kLogMenu = 5;

struct Account {
    std::string name;
    long total = 0;
    bool paid = false;
    bool operator==(const Account&) const = default;
};

std::string PaidText(const Account& account) { return account.paid ? "paid" : ""; }

ListDesign<Account> AccountsDesign() {
    return {
        "Accounts",
        {{"Winner", 120}, {"Total", 70, wxALIGN_RIGHT}, {"Paid", 50}},
        [](const Account& account, unsigned column) {
            if (column == 0) return account.name;
            return column == 1 ? std::to_string(account.total) : PaidText(account);
        },
        [](const Account& account) {
            return account.name + " owes " + std::to_string(account.total) +
                   (account.paid ? ", paid" : ", not paid");
        },
        [](const Account& account) {
            return account.name + '\t' + std::to_string(account.total) + '\t' + PaidText(account);
        },
        std::equal_to<Account>(),
    };
}

class AccountsWindow final : public SideWindow {
public:
    explicit AccountsWindow(wxWindow* owner)
        : SideWindow(owner, "Accounts", "Accounts"),
          list(new ListView<Account>(this, "AccountsList", AccountsDesign())) {
        SetSize(FromDIP(wxSize(300, 200)));
        Place(owner);
    }

    ListView<Account>* list;
};

class ListReuseAccounts : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        StartWindow();
    }
    void TearDown() override {
        if (accounts_) CloseAccounts();
        toggle_.reset();
        GuiTest::TearDown();
    }

    AccountsWindow* OpenAccounts() {
        if (!toggle_) {
            toggle_ = std::make_unique<WindowToggle>(
                frame_->Gate(), frame_->Troubles(), [this] { return accounts_ = new AccountsWindow(frame_); },
                [this] { accounts_ = nullptr; });
        }
        toggle_->Toggle(false);
        EXPECT_TRUE(WaitUntil([&] { return accounts_ && accounts_->IsShown(); }));
        return accounts_;
    }
    FileResult CloseAccounts() {
        const wxWeakRef<wxFrame> window(accounts_);
        const FileResult kept = toggle_->Close();
        EXPECT_EQ(accounts_, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return !window; }));
        return kept;
    }

    AccountsWindow* accounts_ = nullptr;
    std::unique_ptr<WindowToggle> toggle_;
};

TEST_F(ListReuseAccounts, ShowsSpeaksAndCopiesItsOwnRows) {
    ListView<Account>& list = *OpenAccounts()->list;
    list.ShowRows({{"Ann", 600}, {"Ben", 40, true}});
    ASSERT_EQ(list.RowCount(), 2u);
    EXPECT_EQ(list.CellText(0, 1), "600");
    EXPECT_EQ(list.CellText(1, 2), "paid");
    EXPECT_EQ(list.Spoken(0), "Accounts");
    EXPECT_EQ(list.Spoken(1), "Ann owes 600, not paid");
    EXPECT_EQ(list.Spoken(2), "Ben owes 40, paid");

    // Ann pays and Cy wins: the list is told of those rows alone, so the rows picked stay picked.
    list.SelectAll();
    list.ShowRows({{"Ann", 600, true}, {"Ben", 40, true}, {"Cy", 75}});
    ASSERT_EQ(list.RowCount(), 3u);
    EXPECT_EQ(list.CellText(0, 2), "paid");
    EXPECT_EQ(list.Spoken(3), "Cy owes 75, not paid");
    EXPECT_EQ(list.GetSelectedItemsCount(), 2);
    list.CopySelection();
    EXPECT_EQ(ClipboardText(), "Ann\t600\tpaid\nBen\t40\tpaid\n");

    // Rows no longer there are gone from the list and from what is read of it.
    list.ShowRows({{"Ann", 600, true}});
    EXPECT_EQ(list.RowCount(), 1u);
    EXPECT_EQ(list.Spoken(2), "");
}

TEST_F(ListReuseAccounts, KeepsItsPlaceUnderItsOwnNameBesideTheFloorLogs) {
    ClickMenu(kLogMenu);
    ASSERT_TRUE(WaitUntil([&] { return frame_->FloorLogView() && frame_->FloorLogView()->IsShown(); }));
    const wxRect logPlace(60, 70, 700, 300);
    frame_->FloorLogView()->SetSize(logPlace);
    ASSERT_TRUE(WaitUntil([&] { return frame_->FloorLogView()->GetRect() == logPlace; }));
    ClickMenu(kLogMenu);
    ASSERT_TRUE(WaitUntil([] { return !wxWindow::FindWindowByName("FloorLog"); }));

    // Nothing kept under its name yet: it opens beside the main window, not where the log was.
    AccountsWindow* accounts = OpenAccounts();
    EXPECT_TRUE(WaitUntil([&] { return !accounts->GetScreenRect().Intersects(frame_->GetScreenRect()); }));
    EXPECT_NE(accounts->GetRect(), logPlace);
    const wxRect accountsPlace(500, 400, 320, 240);
    accounts->SetSize(accountsPlace);
    ASSERT_TRUE(WaitUntil([&] { return accounts->GetRect() == accountsPlace; }));
    // Its close box closes it through the toggle, which keeps its place.
    const wxWeakRef<wxFrame> closing(accounts);
    accounts->Close();
    ASSERT_TRUE(WaitUntil([&] { return !closing; }));
    EXPECT_EQ(accounts_, nullptr);
    EXPECT_EQ(frame_->Troubles().Text(TroubleBoard::Trouble::Place), "");

    accounts = OpenAccounts();
    EXPECT_TRUE(WaitUntil([&] { return accounts->GetRect() == accountsPlace; }))
        << accounts->GetRect().x << "," << accounts->GetRect().y;
    // The log, opened while the other window stands, is where it was kept before.
    ClickMenu(kLogMenu);
    ASSERT_TRUE(WaitUntil([&] { return frame_->FloorLogView() != nullptr; }));
    EXPECT_TRUE(WaitUntil([&] { return frame_->FloorLogView()->GetRect() == logPlace; }))
        << frame_->FloorLogView()->GetRect().x << "," << frame_->FloorLogView()->GetRect().y;
}

}  // namespace
}  // namespace gv::ui::test
