// The item list panel driven by the host: Add to List, the minimum bid's filter and limit,
// selecting a row, Delete, and what the List command resets.

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include "gui_fixture.h"

namespace gv::ui::test {
namespace {

class ListPanel : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        StartWindow();
        ClickMenu(1);  // List
        ASSERT_EQ(frame_->ShownPanel(), AuctionFrame::Panel::List);
    }
    wxListBox* List() { return Find<wxListBox>("List2"); }
    wxTextCtrl* Item() { return Find<wxTextCtrl>("AuctionItem"); }
    wxTextCtrl* MinBid() { return Find<wxTextCtrl>("MinBid"); }
    wxButton* Delete() { return Button(Command::Delete); }
    void Add(const std::string& item, const std::string& minBid) {
        Click(Item());
        Type(item);
        Click(MinBid());
        Type(minBid);
        Click(Button(Command::AddToList));
    }
    std::vector<wxString> Rows() {
        std::vector<wxString> rows;
        for (unsigned i = 0; i < List()->GetCount(); ++i) rows.push_back(List()->GetString(i));
        return rows;
    }
    // Clicks on a row of the list box, found by hit-testing down its height.
    void ClickRow(int row) {
        wxListBox* list = List();
        for (int y = 1; y < list->GetClientSize().y; ++y) {
            if (list->HitTest(wxPoint(10, y)) == row) {
                ClickAt(list->ClientToScreen(wxPoint(10, y + 3)));
                return;
            }
        }
        FAIL() << "row " << row << " not on screen";
    }
};

TEST_F(ListPanel, AddToListAppendsTheEntryAndClearsTheBoxes) {
    Add("Oak chest", "500");
    Add("  Lamp  ", "");
    Add("Vase", "050");
    EXPECT_EQ(Rows(), (std::vector<wxString>{"Oak chest - 500", "Lamp - 0", "Vase - 050"}));
    EXPECT_EQ(Item()->GetValue(), "");
    EXPECT_EQ(MinBid()->GetValue(), "");
    EXPECT_EQ(List()->GetSelection(), wxNOT_FOUND);
    EXPECT_FALSE(Delete()->IsShown());
    EXPECT_EQ(Focused(), frame_->Dummy());
    EXPECT_EQ(frame_->Items().Count(), 3u);
}

TEST_F(ListPanel, AnItemOfSpacesAddsNothingAndKeepsTheMinimum) {
    Add("   ", "300");
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Item()->GetValue(), "");
    EXPECT_EQ(MinBid()->GetValue(), "300");
}

TEST_F(ListPanel, MinimumBidTakesFiveDigitsAndNothingElse) {
    Click(MinBid());
    Type("12a-. 3456789");
    EXPECT_EQ(MinBid()->GetValue(), "12345");
    Key(WXK_RETURN);
    EXPECT_EQ(MinBid()->GetValue(), "12345");
    EXPECT_TRUE(Rows().empty());
    // The item box has no filter and no limit.
    Click(Item());
    const std::string longName(80, 'x');
    Type("Half-plate, \"armour\" " + longName);
    EXPECT_EQ(Item()->GetValue(), "Half-plate, \"armour\" " + longName);
}

TEST_F(ListPanel, DeleteShowsForASelectedRowAndRemovesExactlyIt) {
    Add("One", "1");
    Add("Two", "2");
    Add("Three", "3");
    EXPECT_FALSE(Delete()->IsShown());
    ClickRow(1);
    ASSERT_EQ(List()->GetSelection(), 1);
    ASSERT_TRUE(Delete()->IsShown());
    // Drawn over the list box's lower right corner.
    EXPECT_TRUE(Delete()->GetScreenRect().Intersects(List()->GetScreenRect()));
    Click(Delete());
    EXPECT_EQ(Rows(), (std::vector<wxString>{"One - 1", "Three - 3"}));
    EXPECT_EQ(List()->GetSelection(), wxNOT_FOUND);
    EXPECT_FALSE(Delete()->IsShown());
    EXPECT_EQ(Focused(), frame_->Dummy());
}

TEST_F(ListPanel, ListCommandClearsTheSelectionAndTheBlockIndex) {
    Add("One", "1");
    Add("Two", "2");
    ClickMenu(0);  // Auction: One goes on the block
    EXPECT_EQ(Text("BlockItem"), "One");
    Click(Button(Command::GetNextItem));  // Get Next Item
    EXPECT_EQ(frame_->Block().blockItemIndex, 1);
    EXPECT_EQ(Text("BlockMin"), "2");
    ClickMenu(1);
    ClickRow(0);
    ASSERT_TRUE(Delete()->IsShown());
    ClickMenu(1);
    EXPECT_EQ(List()->GetSelection(), wxNOT_FOUND);
    EXPECT_FALSE(Delete()->IsShown());
    EXPECT_EQ(frame_->Block().blockItemIndex, 0);
    ClickMenu(0);
    EXPECT_EQ(Text("BlockItem"), "One");
}

}  // namespace
}  // namespace gv::ui::test
