// The main window as the host first sees it, its menu bar of plain commands (by mouse and by
// keyboard), the auction panel's buttons, and the busy state refusing all input.

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include "gui_fixture.h"
#include "setup/setup_files.h"

namespace gv::ui::test {
namespace {

const wxColour kCyan(0, 255, 255);
const wxColour kAmber(255, 191, 0);

// The auction panel's buttons in the designed tab order, as the screen-reader and Windows
// checks find them by window name, with their captions.
struct DesignedButton {
    Command command;
    const char* name;
    const char* caption;
};
constexpr DesignedButton kDesignedButtons[] = {
    {Command::StateRules, "Command7", "State Rules"}, {Command::StateItem, "Command5", "State Item"},
    {Command::GetBids, "Command6", "Get Bids"},       {Command::GetNextItem, "Command11", "Get Next Item"},
    {Command::Call1st, "Command1", "call 1st"},       {Command::Call2nd, "Command2", "call 2nd"},
    {Command::Call3rd, "Command3", "call 3rd"},       {Command::Sold, "Command4", "SOLD"},
    {Command::AddToList, "Command9", "Add to List"},  {Command::Delete, "Command8", "Delete"},
};
constexpr Command kAuctionButtons[] = {Command::StateRules,  Command::StateItem, Command::GetBids,
                                       Command::GetNextItem, Command::Call1st,   Command::Call2nd,
                                       Command::Call3rd,     Command::Sold};

class MainWindow : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        WriteFile(kItemsFile, "Oak chest - 500\r\nHalf-plate armour - 1200\r\n");
        StartWindow();
    }
};

TEST_F(MainWindow, OpensOnTheAuctionPanelWithThePlaceholders) {
    EXPECT_EQ(frame_->GetTitle(), "Gavelton");
    EXPECT_EQ(frame_->ShownPanel(), AuctionFrame::Panel::Auction);
    for (const char* frame : {"ListFrame", "BidFrame", "AboutFrame"}) {
        EXPECT_FALSE(Find<wxWindow>(frame)->IsShown()) << frame;
    }
    const std::pair<const char*, const char*> captions[] = {
        {"BlockItem", "Item on the block"},  {"BlockMin", "Min Bid"},
        {"CurrentBidder", "Current Bidder"}, {"CurrentBid", "Current Bid"},
        {"LastBidder", "Last Bidder"},       {"LastBid", "Last Bid"},
    };
    for (const auto& [name, caption] : captions) {
        EXPECT_EQ(Text(name), caption) << name;
        EXPECT_TRUE(Find<wxWindow>(name)->IsShownOnScreen()) << name;
    }
    for (const Command command : kAuctionButtons) {
        EXPECT_TRUE(Button(command)->IsShownOnScreen()) << Button(command)->GetLabel();
    }
    EXPECT_EQ(frame_->ClientArea()->GetBackgroundColour(), kCyan);
    EXPECT_EQ(calls_.events, (std::vector<std::string>{"settings:SCONTROL.TXT", "start"}));
}

// The window names are what other programs look the buttons up by; they never change.
TEST_F(MainWindow, ButtonsKeepTheirDesignedNamesAndCaptions) {
    for (const DesignedButton& designed : kDesignedButtons) {
        ASSERT_NE(Button(designed.command), nullptr) << designed.name;
        EXPECT_EQ(Button(designed.command)->GetName(), designed.name);
        EXPECT_EQ(Button(designed.command)->GetLabel(), designed.caption) << designed.name;
    }
}

TEST_F(MainWindow, KeepsTheDesignedProportions) {
    const Metrics& m = frame_->DesignScale();
    EXPECT_GE(frame_->GetClientSize().x, m.Px(3450));
    EXPECT_EQ(frame_->GetClientSize().y, m.Px(2640));
    EXPECT_EQ(Button(Command::StateItem)->GetRect(), m.Rect({1800, 120, 1575, 375}));
    EXPECT_EQ(Find<wxWindow>("LastBid")->GetRect(), m.Rect({2520, 1800, 855, 255}));
    ClickMenu(2);
    EXPECT_EQ(Find<wxWindow>("BidFrame")->GetRect(), m.Rect({120, 0, 3255, 2535}));
    EXPECT_EQ(Find<wxWindow>("RaiseAmount(5)")->GetRect(), m.Rect({2640, 2160, 495, 285}));
}

TEST_F(MainWindow, DummyHoldsTheFocusOutOfSight) {
    wxWindow* dummy = frame_->Dummy();
    EXPECT_EQ(dummy->GetName(), "Dummy");
    EXPECT_EQ(Focused(), dummy);
    EXPECT_TRUE(dummy->IsShown());
    EXPECT_TRUE(dummy->IsEnabled());
    // Wholly beyond the client area, however wide the platform made the window.
    EXPECT_GE(dummy->GetPosition().x, frame_->ClientArea()->GetClientSize().x);
}

TEST_F(MainWindow, TabWalksTheAuctionButtonsInTheDesignedOrder) {
    for (const Command command : kAuctionButtons) {
        Key(WXK_TAB);
        ASSERT_NE(Focused(), nullptr);
        EXPECT_EQ(Focused(), Button(command)) << Focused()->GetName();
    }
}

TEST_F(MainWindow, EachMenuCaptionRunsItsCommandOnOneClick) {
    ClickMenu(1);
    EXPECT_EQ(frame_->ShownPanel(), AuctionFrame::Panel::List);
    EXPECT_TRUE(Find<wxWindow>("List2")->IsShownOnScreen());
    EXPECT_FALSE(Button(Command::StateItem)->IsShownOnScreen());
    EXPECT_EQ(Focused(), frame_->Dummy());
    ClickMenu(2);
    EXPECT_EQ(frame_->ShownPanel(), AuctionFrame::Panel::Bids);
    EXPECT_FALSE(Find<wxWindow>("ListFrame")->IsShown());
    ClickMenu(4);
    EXPECT_EQ(frame_->ShownPanel(), AuctionFrame::Panel::About);
    EXPECT_EQ(Text("Label4"),
              "Use the Pacer Program to configure your system if having problems like freezing or "
              "repeating.");
    ClickMenu(0);
    EXPECT_EQ(frame_->ShownPanel(), AuctionFrame::Panel::Auction);
    EXPECT_EQ(Text("BlockItem"), "Oak chest");
    EXPECT_EQ(Text("BlockMin"), "500");
    EXPECT_EQ(Text("CurrentBid"), "");
    EXPECT_EQ(Text("LastBidder"), "");
    EXPECT_EQ(Focused(), frame_->Dummy());
}

TEST_F(MainWindow, MenuCommandsAnswerTheKeyboard) {
    Key(WXK_F10);
    Key(WXK_RIGHT);
    Key(WXK_RIGHT);
    Key(WXK_RETURN);
    EXPECT_EQ(frame_->ShownPanel(), AuctionFrame::Panel::Bids);
}

TEST_F(MainWindow, AuctionButtonsRunTheFloorAndEndOnDummy) {
    Click(Button(Command::GetNextItem));
    EXPECT_EQ(Text("BlockItem"), "Half-plate armour");
    EXPECT_EQ(Text("BlockMin"), "1200");
    EXPECT_EQ(Focused(), frame_->Dummy());
    // SOLD when the chat client does not answer: the window says so; the entry still leaves
    // the list (SOLD again would say the sale again and take nothing more).
    link_.speakFault = LinkFault::NotAnswering;
    Click(Button(Command::Sold));
    EXPECT_EQ(frame_->Items().Entries(), std::vector<std::string>{"Oak chest - 500"});
    EXPECT_EQ(Find<wxListBox>("List2")->GetCount(), 1u);
    EXPECT_FALSE(frame_->Gate().IsBusy());
    EXPECT_TRUE(frame_->IsEnabled());
    EXPECT_EQ(frame_->GetTitle(), "Gavelton - chat client not answering: sale not said");
    EXPECT_EQ(frame_->ClientArea()->GetBackgroundColour(), kAmber);
    EXPECT_EQ(link_.spoken, (std::vector<std::string>{"SOLD!", "Half-plate armour is sold for  tokens to "}));
    EXPECT_EQ(Focused(), frame_->Dummy());
}

TEST_F(MainWindow, BusyRefusesEveryInputAndRecoversAfter) {
    ClickMenu(2);
    auto* high = Find<wxTextCtrl>("HighBid(1)");
    Click(high);
    frame_->Gate().EnterBusy();
    Settle();
    EXPECT_EQ(frame_->ClientArea()->GetBackgroundColour(), wxColour(255, 0, 0));
    EXPECT_FALSE(frame_->IsEnabled());
    EXPECT_TRUE(wxIsBusy());

    Type("42");
    Key(WXK_TAB);
    Click(high);
    Type("7");
    ClickMenu(1);  // List
    Key('L', wxMOD_ALT);
    Key(WXK_F10);
    Key(WXK_RETURN);
    EXPECT_EQ(frame_->ShownPanel(), AuctionFrame::Panel::Bids);
    EXPECT_EQ(high->GetValue(), "");
    EXPECT_EQ(frame_->Tiers().Row(1).high, "");

    frame_->Gate().LeaveBusy();
    Settle();
    EXPECT_TRUE(frame_->IsEnabled());
    EXPECT_FALSE(wxIsBusy());
    EXPECT_EQ(frame_->ClientArea()->GetBackgroundColour(), kCyan);
    EXPECT_EQ(Focused(), frame_->Dummy());
    // The window takes input again.
    Click(high);
    Type("42");
    EXPECT_EQ(high->GetValue(), "42");
}

TEST_F(MainWindow, ReConnectRestartsTheLinkAndKeepsThePanel) {
    ClickMenu(1);
    calls_.events.clear();
    link_.startFault = LinkFault::NotAnswering;
    ClickMenu(3);  // ReConnect
    ASSERT_TRUE(WaitUntil([&] { return calls_.events.size() == 2 && !frame_->Gate().IsBusy(); }));
    EXPECT_EQ(calls_.events, (std::vector<std::string>{"stop", "start"}));
    EXPECT_EQ(frame_->ShownPanel(), AuctionFrame::Panel::List);
    EXPECT_EQ(frame_->GetTitle(), "Gavelton - chat client not answering: not connected");
    EXPECT_EQ(frame_->ClientArea()->GetBackgroundColour(), kAmber);
    EXPECT_EQ(Focused(), frame_->Dummy());

    // Once the client answers again, the next reconnect clears the display.
    link_.startFault = LinkFault::None;
    ClickMenu(3);
    ASSERT_TRUE(WaitUntil([&] { return frame_->GetTitle() == "Gavelton" && !frame_->Gate().IsBusy(); }));
    EXPECT_EQ(frame_->ClientArea()->GetBackgroundColour(), kCyan);
}

}  // namespace
}  // namespace gv::ui::test
