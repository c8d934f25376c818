// Start-up and close-down: loading both setup files and Gavelton.ini, centring, saving both
// files on every close, a save that fails, and a close request that arrives while a command is busy.

#include <wx/display.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

#include "books/sales_record.h"
#include "gui_fixture.h"
#include "setup/host_settings.h"
#include "setup/setup_files.h"
#include "ui/native.h"

// Last: Xlib's macros (None, Bool, ...) would clash with the headers above.
#include <X11/Xlib.h>

namespace gv::ui::test {
namespace {

using Lifecycle = GuiTest;

std::string InitialBids() {
    std::string bids = "0\r\n9999999\r\n1\r\n";
    for (int i = 0; i < 15; ++i) bids += "\r\n";
    return bids;
}

TEST_F(Lifecycle, WithoutFilesStartsWithTheDesignedTableAndWritesBothOnClose) {
    StartWindow();
    EXPECT_EQ(Text("LowBid(0)"), "0");
    EXPECT_EQ(Text("HighBid(0)"), "9999999");
    EXPECT_EQ(Text("RaiseAmount(0)"), "1");
    for (int r = 1; r < 6; ++r) {
        EXPECT_EQ(Text(wxString::Format("LowBid(%d)", r)), "") << r;
        EXPECT_EQ(Text(wxString::Format("HighBid(%d)", r)), "") << r;
        EXPECT_EQ(Text(wxString::Format("RaiseAmount(%d)", r)), "") << r;
    }
    EXPECT_EQ(Find<wxListBox>("List2")->GetCount(), 0u);
    CloseWindow();
    EXPECT_EQ(ReadFile(kBidsFile), InitialBids());
    ASSERT_TRUE(std::filesystem::exists(kItemsFile));
    EXPECT_EQ(std::filesystem::file_size(kItemsFile), 0u);
    EXPECT_TRUE(sink_.shown.empty());
}

TEST_F(Lifecycle, LoadsBothFilesIntoThePanelsAndWritesWhatTheyHoldAtClose) {
    WriteFile(kBidsFile, " 0 \r\n 100\r\n5 \r\n101\r\n");
    WriteFile(kItemsFile, "\r\n  Oak chest - 500  \r\n\r\nVase, \"blue\" - 050\r\n");
    StartWindow();
    EXPECT_EQ(Text("LowBid(0)"), "0");
    EXPECT_EQ(Text("HighBid(0)"), "100");
    EXPECT_EQ(Text("RaiseAmount(0)"), "5");
    EXPECT_EQ(Text("LowBid(1)"), "101");
    EXPECT_EQ(Text("HighBid(1)"), "");
    auto* list = Find<wxListBox>("List2");
    ASSERT_EQ(list->GetCount(), 2u);
    EXPECT_EQ(list->GetString(0), "Oak chest - 500");
    EXPECT_EQ(list->GetString(1), "Vase, \"blue\" - 050");

    // An edit made on the panel is what the close writes.
    ClickMenu(2);
    Click(Find<wxTextCtrl>("RaiseAmount(1)"));
    Type("25");
    CloseWindow();
    std::string bids = "0\r\n100\r\n5\r\n101\r\n\r\n25\r\n";
    for (int i = 0; i < 12; ++i) bids += "\r\n";
    EXPECT_EQ(ReadFile(kBidsFile), bids);
    EXPECT_EQ(ReadFile(kItemsFile), "Oak chest - 500\r\nVase, \"blue\" - 050\r\n");
}

// What the host does is on disk at once, and what the host writes elsewhere comes in.
TEST_F(Lifecycle, AddToListAndARaiseAreOnDiskAtOnceAndAnEditElsewhereIsTakenIn) {
    WriteFile(kItemsFile, "Lamp - 10\r\n");
    StartWindow();
    ClickMenu(1);
    Click(Find<wxTextCtrl>("AuctionItem"));
    Type("Vase");
    Click(Button(Command::AddToList));
    EXPECT_EQ(ReadFile(kItemsFile), "Lamp - 10\r\nVase - 0\r\n");
    ClickMenu(2);
    Click(Find<wxTextCtrl>("RaiseAmount(0)"));
    Type("5");
    Click(Find<wxTextCtrl>("HighBid(0)"));  // the raise box left: the change is taken
    const std::string raise = Text("RaiseAmount(0)").utf8_string();
    ASSERT_NE(raise, "1");
    EXPECT_EQ(ReadFile(kBidsFile).rfind("0\r\n9999999\r\n" + raise + "\r\n", 0), 0u) << ReadFile(kBidsFile);

    // Late consignments typed into Items.TXT in an editor while Gavelton runs.
    WriteFile(kItemsFile, "Lamp - 10\r\nVase - 0\r\nLate rug - 40\r\n");
    auto* list = Find<wxListBox>("List2");
    ASSERT_TRUE(WaitUntil([&] { return list->GetCount() == 3u; })) << "the edit was not taken in";
    EXPECT_EQ(list->GetString(2), "Late rug - 40");
    CloseWindow();
    EXPECT_EQ(ReadFile(kItemsFile), "Lamp - 10\r\nVase - 0\r\nLate rug - 40\r\n");
    EXPECT_FALSE(std::filesystem::exists("Items (Gavelton).TXT"));
}

TEST_F(Lifecycle, OpensCentredOnTheScreen) {
    StartWindow();
    const wxRect screen = wxDisplay(static_cast<const wxWindow*>(frame_)).GetGeometry();
    const wxRect window = frame_->GetRect();
    EXPECT_EQ(window.x, screen.x + (screen.width - window.width) / 2);
    EXPECT_EQ(window.y, screen.y + (screen.height - window.height) / 2);
}

class LifecycleFailedSave : public Lifecycle {
protected:
    void SetUp() override {
        Lifecycle::SetUp();
        std::filesystem::create_directory(kBidsFile);  // nothing can be written there
        WriteFile(kItemsFile, "Lamp - 0\r\n");
        StartWindow();
        window_ = frame_;
        ClickMenu(1);
        Click(Find<wxTextCtrl>("AuctionItem"));
        Type("Vase");
        Click(Button(Command::AddToList));
    }
    wxWeakRef<wxFrame> window_;
};

TEST_F(LifecycleFailedSave, TheHostMayCloseWithoutSaving) {
    sink_.answers = {[] { return SaveChoice::CloseWithoutSaving; }};
    CloseWindow();
    EXPECT_FALSE(window_) << "Close without saving must close";
    ASSERT_EQ(sink_.asked.size(), 1u);
    EXPECT_NE(sink_.asked[0].text.find("BIDS.TXT could not be saved"), std::string::npos)
        << sink_.asked[0].text;
    EXPECT_EQ(sink_.asked[0].text.find("Items.TXT"), std::string::npos)
        << "only the file that failed is named";
    EXPECT_TRUE(sink_.shown.empty());
    EXPECT_TRUE(std::filesystem::is_directory(kBidsFile));
    EXPECT_EQ(ReadFile(kItemsFile), "Lamp - 0\r\nVase - 0\r\n");
}

TEST_F(LifecycleFailedSave, CancelKeepsTheToolOpenAndRetrySavesOnceThePlaceIsFree) {
    sink_.answers = {[] { return SaveChoice::Cancel; }};
    frame_->Close();
    Settle(200);
    ASSERT_TRUE(window_) << "Cancel must keep Gavelton open";
    EXPECT_FALSE(frame_->Gate().IsBusy());

    // Still usable: the list takes another entry, and nothing of it is lost at the next close.
    Click(Find<wxTextCtrl>("AuctionItem"));
    Type("Rug");
    Click(Button(Command::AddToList));
    sink_.answers = {[] { return SaveChoice::Retry; },
                     [] {
                         std::filesystem::remove(kBidsFile);
                         return SaveChoice::Retry;
                     }};
    CloseWindow();
    EXPECT_FALSE(window_);
    EXPECT_EQ(sink_.asked.size(), 3u);
    EXPECT_EQ(ReadFile(kBidsFile), InitialBids());
    EXPECT_EQ(ReadFile(kItemsFile), "Lamp - 0\r\nVase - 0\r\nRug - 0\r\n");
}

TEST_F(LifecycleFailedSave, ASessionEndThatCannotWaitIsToldAndCloses) {
    frame_->Close(true);
    EXPECT_TRUE(WaitUntil([&] { return !window_; }));
    frame_ = nullptr;
    EXPECT_TRUE(sink_.asked.empty());
    ASSERT_EQ(sink_.shown.size(), 1u);
    EXPECT_NE(sink_.shown[0].text.find("BIDS.TXT could not be saved"), std::string::npos);
    EXPECT_EQ(sink_.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(ReadFile(kItemsFile), "Lamp - 0\r\nVase - 0\r\n");
}

TEST_F(Lifecycle, ACloseWhileBusyWaitsForTheCommandToFinish) {
    StartWindow();
    wxWeakRef<wxFrame> window(frame_);
    frame_->Gate().EnterBusy();
    frame_->Close();
    Settle(300);
    ASSERT_TRUE(window) << "closed in the middle of a command";
    EXPECT_FALSE(std::filesystem::exists(kBidsFile));
    frame_->Gate().LeaveBusy();
    EXPECT_TRUE(WaitUntil([&] { return !window; }));
    EXPECT_EQ(ReadFile(kBidsFile), InitialBids());
    frame_ = nullptr;
}

// The close button, or wmctrl -c: the window manager sends WM_DELETE_WINDOW, here from another
// client as a window manager would.
void CloseAsTheWindowManagerDoes(wxWindow* window) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<::Window>(NativeWindowHandle(window));
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
}

TEST_F(Lifecycle, TheCloseButtonDuringACommandClosesOnceItIsOver) {
    StartWindow();
    wxWeakRef<wxFrame> window(frame_);
    int asked = 0;
    frame_->Bind(wxEVT_CLOSE_WINDOW, [&](wxCloseEvent& event) {
        ++asked;
        event.Skip();
    });
    frame_->Gate().EnterBusy();
    CloseAsTheWindowManagerDoes(frame_);
    EXPECT_TRUE(WaitUntil([&] { return asked == 1; })) << "the close was dropped";
    ASSERT_TRUE(window) << "closed in the middle of a command";
    frame_->Gate().LeaveBusy();
    EXPECT_TRUE(WaitUntil([&] { return !window; }));
    EXPECT_EQ(ReadFile(kBidsFile), InitialBids());
    if (!window) frame_ = nullptr;
}

TEST_F(Lifecycle, ASessionEndingWhileBusySavesAtOnceAndClosesAfterTheCommand) {
    StartWindow();
    wxWeakRef<wxFrame> window(frame_);
    frame_->Gate().EnterBusy();
    frame_->Close(true);  // cannot be refused, as at log-off
    Settle(300);
    ASSERT_TRUE(window);
    EXPECT_EQ(ReadFile(kBidsFile), InitialBids());
    EXPECT_TRUE(std::filesystem::exists(kItemsFile));
    frame_->Gate().LeaveBusy();
    EXPECT_TRUE(WaitUntil([&] { return !window; }));
    frame_ = nullptr;
}

// A sale the record cannot take is shown at once, kept, and written when it can be: here at close.
TEST_F(Lifecycle, ASaleTheRecordCannotTakeIsShownAndWrittenAtClose) {
    WriteFile(kItemsFile, "Lamp - 10\r\n");
    std::filesystem::create_directory(kSalesFile);
    StartWindow();
    ClickMenu(0);                  // Lamp on the block
    Click(Button(Command::Sold));  // SOLD
    ASSERT_TRUE(WaitUntil([&] { return !frame_->Gate().IsBusy(); }));
    EXPECT_EQ(frame_->GetTitle().utf8_string().rfind("Gavelton - Sales.csv not written: ", 0), 0u)
        << frame_->GetTitle();
    EXPECT_EQ(frame_->ClientArea()->GetBackgroundColour(), wxColour(255, 191, 0));

    std::filesystem::remove(kSalesFile);
    CloseWindow();
    const std::string sales = ReadFile(kSalesFile);
    EXPECT_NE(sales.find(",Lamp,10,,,,,0\r\n"), std::string::npos) << sales;
    EXPECT_TRUE(sink_.asked.empty());
}

// Gavelton.ini is read at start from the working folder and never written; a refused value is
// named in the title, keeps its default and leaves the other keys read.
TEST_F(Lifecycle, ReadsTheHostSettingsAndNamesARefusedValue) {
    const std::string ini = "; the host's notes\n[Live]\nGetBidsEvery = 1\nSound=1\nnot a line\n";
    WriteFile(kHostSettingsFile, ini);
    StartWindow();
    EXPECT_EQ(frame_->GetTitle(), "Gavelton - Gavelton.ini: [Live] GetBidsEvery=1 not allowed, default used");
    EXPECT_EQ(frame_->ClientArea()->GetBackgroundColour(), wxColour(0, 255, 255));
    EXPECT_EQ(frame_->Settings().getBidsEvery, 0);
    EXPECT_TRUE(frame_->Settings().liveSound);
    EXPECT_TRUE(sink_.shown.empty());
    CloseWindow();
    EXPECT_EQ(ReadFile(kHostSettingsFile), ini);
}

}  // namespace
}  // namespace gv::ui::test
