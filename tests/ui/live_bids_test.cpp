// Get Bids by itself ([Live] GetBidsEvery=2) over a fake chat link: it finds new bids without
// a press and shows what a pressed Get Bids would, marks the new bid for a moment, keeps the
// focus and the keys of another window where they are, and looks busy only when it lasts.

#include "ui/live_bids.h"

#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "gui_fixture.h"
#include "setup/setup_files.h"

namespace gv::ui::test {
namespace {

const wxColour kCyan(0, 255, 255);
const wxColour kRed(255, 0, 0);

const std::string kMarker = "Host: Item on the Block currently is Oak chest";

class LiveBidsWindow : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        WriteFile(kHostSettingsFile, "[Live]\nGetBidsEvery=2\n");
        WriteFile(kItemsFile, "Oak chest - 500\r\n");
        WriteFile(kBidsFile, testing::Chat({"0", "999", "10", "1000", "9999999", "100", "", "", "", "", "",
                                            "", "", "", "", "", "", ""}));
        StartWindow();
        ClickMenu(0);  // Auction: Oak chest on the block
        ASSERT_EQ(Text("BlockItem"), "Oak chest");
    }

    int Runs() const { return frame_->Live()->Measured().runs; }
    // Waits for `count` more runs to end.
    bool AwaitRuns(int count) {
        const int goal = Runs() + count;
        return WaitUntil([&] { return Runs() >= goal; }, 2500 * count + testing::kPatienceMs);
    }
    std::vector<wxString> Captions() const {
        std::vector<wxString> shown;
        for (const char* name : {"CurrentBid", "CurrentBidder", "LastBid", "LastBidder"})
            shown.push_back(Text(name));
        return shown;
    }
    void QueueChat(const std::vector<std::string>& lines) { link_.fetches.push_back({testing::Chat(lines)}); }
};

TEST_F(LiveBidsWindow, FindsNewBidsWithoutAPressAndShowsWhatAPressWould) {
    QueueChat({kMarker, "ESP from Ann: 600"});
    ASSERT_TRUE(WaitUntil([&] { return Text("CurrentBid") == "600"; }));
    EXPECT_TRUE(frame_->AuctionControls().NewBidMarked());

    const std::vector<std::string> chat = {kMarker,
                                           "ESP from Ann: 600",
                                           "ESP from Ben: 650",
                                           "ESP from Cy: 655",
                                           "ESP from Dee: 1000",
                                           "ESP from Eve: 1050"};
    QueueChat(chat);
    ASSERT_TRUE(WaitUntil([&] { return Text("CurrentBid") == "1000"; }));
    const std::vector<wxString> live = Captions();

    // The same chat, fetched once by the host's press on a fresh block, before the next run.
    ClickMenu(0);
    ASSERT_EQ(Text("CurrentBid"), "");
    const int runs = Runs();
    QueueChat(chat);
    Click(Button(Command::GetBids));
    ASSERT_TRUE(WaitUntil([&] { return Text("CurrentBid") == "1000" && !frame_->Gate().IsBusy(); }));
    EXPECT_EQ(Runs(), runs) << "a live run took the host's fetch";
    EXPECT_EQ(Captions(), live);
    // The mark goes by itself.
    EXPECT_TRUE(WaitUntil([&] { return !frame_->AuctionControls().NewBidMarked(); }));
}

TEST_F(LiveBidsWindow, AQuickRunLeavesTheFocusAndTheKeysOfAnotherWindowAlone) {
    // Another program's window has the keyboard, as the chat client would.
    auto* other = new wxFrame(nullptr, wxID_ANY, "Chat", wxPoint(0, 0), wxSize(300, 120));
    auto* box = new wxTextCtrl(other, wxID_ANY, "");
    other->Show();
    box->SetFocus();
    sim_.MouseMove(box->GetScreenRect().GetPosition() + wxPoint(10, 10));
    ASSERT_TRUE(WaitUntil([&] { return Focused() == box; }));
    for (int i = 0; i < 3; ++i) QueueChat({kMarker, "ESP from Ann: 600"});

    std::vector<wxColour> during;
    link_.onFetch = [&] { during.push_back(frame_->ClientArea()->GetBackgroundColour()); };
    // The host types through two runs; every key arrives.
    std::string typed;
    const int goal = Runs() + 2;
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (Runs() >= goal) return true;
            typed += static_cast<char>('a' + typed.size() % 26);
            sim_.Char(typed.back());
            return false;
        },
        testing::kPatienceMs));
    // Every key typed arrives; one lost would keep the box short of `typed` past the deadline.
    EXPECT_TRUE(WaitUntil([&] { return box->GetValue() == typed; })) << box->GetValue() << " != " << typed;
    EXPECT_EQ(Focused(), box);
    ASSERT_FALSE(during.empty());
    for (const wxColour& colour : during) EXPECT_EQ(colour, kCyan) << "a quick run flashed the window";
    other->Destroy();
}

TEST_F(LiveBidsWindow, ARunThatLastsShowsTheBusyWindow) {
    bool shown = false;
    bool slowed = false;
    link_.onFetch = [&] {
        if (std::exchange(slowed, true)) return;  // the client is slow once, and the link yields meanwhile
        const auto end = std::chrono::steady_clock::now() + testing::kPatience;
        while (!(shown = frame_->ClientArea()->GetBackgroundColour() == kRed) &&
               std::chrono::steady_clock::now() < end) {
            pump_.Yield();
            pump_.WaitForEvent(std::chrono::milliseconds(5));
        }
    };
    ASSERT_TRUE(AwaitRuns(1));
    EXPECT_TRUE(shown);
    EXPECT_NE(frame_->ClientArea()->GetBackgroundColour(), kRed);
    EXPECT_TRUE(frame_->IsEnabled());
}

// The host cannot see a quick run: a click or a menu choice landing in one is held and runs as
// soon as the run ends, never lost and never in the middle of it.
TEST_F(LiveBidsWindow, AClickOrMenuChoiceDuringAQuickRunRunsRightAfterIt) {
    // A click that reaches the window only after the run has turned busy (a loaded X server)
    // is refused as any click on a busy window is, and tells nothing of a quick run: the
    // click is made again during the next run, a few times at most.
    const auto clickDuringNextRun = [&](const wxRect& target) {
        const wxPoint centre = target.GetPosition() + wxPoint(target.width / 2, target.height / 2);
        sim_.MouseMove(centre);
        EXPECT_TRUE(WaitUntil([&] { return wxGetMousePosition() == centre; }));
        bool held = false;
        for (int attempt = 0; attempt < 5 && !held; ++attempt) {
            QueueChat({kMarker, "ESP from Ann: 600"});
            const std::size_t said = link_.spoken.size();
            bool clicked = false;
            bool turnedBusy = false;
            link_.onFetch = [&] {
                if (std::exchange(clicked, true)) return;
                sim_.MouseClick();
                const auto end = std::chrono::steady_clock::now() + testing::kPatience;
                while (!(held = frame_->Gate().CommandHeld()) &&
                       !(turnedBusy = frame_->ClientArea()->GetBackgroundColour() == kRed) &&
                       std::chrono::steady_clock::now() < end) {
                    pump_.Yield();
                    pump_.WaitForEvent(std::chrono::milliseconds(5));
                }
                EXPECT_EQ(link_.spoken.size(), said) << "the command ran in the middle of the run";
            };
            EXPECT_TRUE(AwaitRuns(1));
            link_.onFetch = nullptr;
            if (!held && !turnedBusy) break;  // neither held nor late: lost
        }
        return held;
    };

    EXPECT_TRUE(clickDuringNextRun(Button(Command::Call1st)->GetScreenRect()));
    EXPECT_TRUE(WaitUntil([&] { return !link_.spoken.empty() && frame_->Gate().Idle(); }));
    // After the run: the call names the bid the run found.
    EXPECT_EQ(link_.spoken,
              (std::vector<std::string>{"1ST CALL", "Oak chest", "Current Bid is 600 from Ann"}));
    EXPECT_EQ(Focused(), frame_->Dummy()) << "the click's command did not end as a click's does";
    EXPECT_EQ(frame_->Live()->Measured().heldCommands, 1);

    EXPECT_TRUE(clickDuringNextRun(frame_->Menu().ItemScreenRect(2)));  // Bids
    EXPECT_TRUE(WaitUntil([&] { return frame_->ShownPanel() == AuctionFrame::Panel::Bids; }));
}

// Leaving the busy state drops the input queued meanwhile; a timer due then (a live run) must
// find the window still busy, or it would start a command under the guard of the last.
TEST_F(LiveBidsWindow, NothingStartsWhileTheBusyStateIsLeft) {
    bool idleWhileLeaving = true;
    frame_->Gate().EnterBusy();
    frame_->CallAfter([&] { idleWhileLeaving = frame_->Gate().Idle(); });
    frame_->Gate().LeaveBusy();
    EXPECT_FALSE(idleWhileLeaving);
    EXPECT_TRUE(frame_->Gate().Idle());
}

}  // namespace
}  // namespace gv::ui::test
