// The floor log window over a fake link: opened and closed by the Log command and Ctrl+L
// beside a main window that keeps its size, its rows copied with Ctrl+C, its size and place
// kept for the next time, and the undo command hidden until it has something to run.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <wx/dataview.h>
#include <wx/display.h>
#include <wx/log.h>
#include <wx/panel.h>
#include <wx/sizer.h>

#include "floor/judgement.h"
#include "gui_fixture.h"
#include "setup/setup_files.h"
#include "ui/caption.h"
#include "ui/floor_log_window.h"
#include "ui/window_place.h"

namespace gv::ui::test {
namespace {

constexpr std::size_t kLogMenu = 5;

class FloorLog : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        WriteFile(kItemsFile, "Oak chest - 500\r\nLamp - 10\r\n");
        StartWindow();
        ClickMenu(0);  // Oak chest on the block
    }

    FloorLogWindow* OpenLog() {
        if (!frame_->FloorLogView()) ClickMenu(kLogMenu);
        EXPECT_TRUE(WaitUntil([&] { return frame_->FloorLogView() && frame_->FloorLogView()->IsShown(); }));
        return frame_->FloorLogView();
    }
    // Gives the open log a place, closes it and opens it again: the place it comes back at is kept.
    FloorLogWindow* ReopenAfterPlacing(const wxRect& placed) {
        // Each step failing stops the test: the caller asserts on what this returns.
        FloorLogWindow* log = OpenLog();
        if (!log) return nullptr;
        log->SetSize(placed);
        if (!WaitUntil([&] { return log->GetRect() == placed; })) {
            ADD_FAILURE() << "the log never took its place";
            return nullptr;
        }
        ClickMenu(kLogMenu);
        if (!WaitUntil([] { return !wxWindow::FindWindowByName("FloorLog"); })) {
            ADD_FAILURE() << "the log never closed";
            return nullptr;
        }
        return OpenLog();
    }
    void GetBidsOver(const std::vector<std::string>& chat) {
        link_.fetches = {{testing::Chat(chat)}};
        Click(Button(Command::GetBids));
        ASSERT_TRUE(WaitUntil([&] { return !frame_->Gate().IsBusy() && link_.fetches.empty(); }));
    }
    // Puts the keyboard in the log's list, as the host's click would.
    void ClickIntoList(FloorLogWindow* log) {
        log->Raise();
        log->List()->SetFocus();
        ASSERT_TRUE(WaitUntil([&] { return log->IsActive(); }));
    }
};

TEST_F(FloorLog, LogCaptionAndCtrlLOpenAndCloseItBesideAnUnchangedWindow) {
    const wxSize before = frame_->GetSize();
    FloorLogWindow* log = OpenLog();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->GetTitle(), "Gavelton - Floor log");
    EXPECT_TRUE(log->HasFlag(wxSTAY_ON_TOP));
    EXPECT_TRUE(log->HasFlag(wxRESIZE_BORDER));
    EXPECT_EQ(frame_->GetSize(), before);
    // The sixth caption is shown whole, and the window is no wider than the designed width or
    // the menu bar's captions need, as with five.
    EXPECT_LE(frame_->Menu().ItemScreenRect(kLogMenu).GetRight(), frame_->GetScreenRect().GetRight());
    EXPECT_EQ(frame_->GetClientSize().x,
              std::max(frame_->DesignScale().Px(3450), frame_->Menu().NaturalWidth()));
    EXPECT_EQ(Focused(), frame_->Dummy());

    ClickMenu(kLogMenu);
    EXPECT_EQ(frame_->FloorLogView(), nullptr);
    EXPECT_TRUE(WaitUntil([] { return !wxWindow::FindWindowByName("FloorLog"); }));

    Key('l', wxMOD_CONTROL);
    EXPECT_TRUE(WaitUntil([&] { return frame_->FloorLogView() != nullptr; }));
    // Ctrl+L in the log window closes it too.
    ClickIntoList(frame_->FloorLogView());
    Key('l', wxMOD_CONTROL);
    EXPECT_TRUE(WaitUntil([&] { return frame_->FloorLogView() == nullptr; }));
}

TEST_F(FloorLog, ShowsTheLastGetBidsAndCopiesSelectedRowsAsTabSeparatedText) {
    FloorLogWindow* log = OpenLog();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->Summary().GetLabel(), "Oak chest: no Get Bids judged yet");
    GetBidsOver({"Host: Item on the Block currently is Oak chest", "ESP from Ann: 450", "ESP from Ben: 600"});
    ASSERT_EQ(log->RowCount(), 3u);
    EXPECT_EQ(log->CellText(1, 4), "refused, below the minimum 500");
    EXPECT_EQ(log->Summary().GetLabel(), "Oak chest: 2 ESP lines judged, 1 taken");

    // A later Get Bids of the auction adds its new lines below the rows shown before, which
    // keep the verdicts they first got.
    GetBidsOver({"Host: Item on the Block currently is Oak chest", "ESP from Ann: 450", "ESP from Ben: 600",
                 "ESP from Cy: 5000", "ESP from Ann: 610"});
    ASSERT_EQ(log->RowCount(), 5u);
    EXPECT_EQ(log->Summary().GetLabel(), "Oak chest: 4 ESP lines judged, 2 taken");
    ClickIntoList(log);
    log->List()->SelectAll();
    Key('c', wxMOD_CONTROL);
    EXPECT_EQ(ClipboardText(),
              "1\tHost\tItem on the Block currently is Oak chest\t\tthe auction of Oak chest started\t\n"
              "2\tAnn\t450\t450\trefused, below the minimum 500\t\n"
              "3\tBen\t600\t600\ttaken (now the current bid)\t\n"
              "4\tCy\t5000\t5000\ttaken (now the current bid)\t\n"
              "5\tAnn\t610\t610\trefused, not above the standing 5000\t\n");
    EXPECT_EQ(log->CellText(4, 4), "refused, not above the standing 5000");

    // The next item starts an empty log.
    Click(Button(Command::GetNextItem));
    EXPECT_TRUE(WaitUntil([&] { return log->RowCount() == 0; }));
    EXPECT_EQ(log->Summary().GetLabel(), "Lamp: no Get Bids judged yet");
}

// A log made narrow keeps its buttons whole, and a caption that grows down wraps its text
// whole and gives the room back once widened: an item's name is the host's, of any length.
TEST_F(FloorLog, ANarrowLogKeepsItsButtonsAndWrapsItsSummaryWhole) {
    FloorLogWindow* log = OpenLog();
    ASSERT_NE(log, nullptr);
    log->SetSize(1, log->GetSize().y);
    for (const char* name : {"UndoLastSale", "OpenAccounts"}) {
        const wxWindow* button = wxWindow::FindWindowByName(name, log);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_TRUE(WaitUntil([&] { return button->GetRect().GetRight() < log->GetClientSize().x; }))
            << name << " ends at " << button->GetRect().GetRight() << " of " << log->GetClientSize().x;
    }

    auto* frame = new wxFrame(nullptr, wxID_ANY, "Narrow");
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    Caption::Style style;
    style.growsDown = true;
    auto* caption = new Caption(frame, "Grows", "A name far longer than the window is wide, to wrap", style);
    caption->SetMinSize({1, frame->GetCharHeight() + 6});
    sizer->Add(caption, 0, wxEXPAND);
    sizer->Add(new wxPanel(frame), 1, wxEXPAND);
    frame->SetSizer(sizer);
    frame->SetClientSize(1000, 200);
    frame->Show();
    const auto shown = [&] { return caption->NeededSize(caption->GetSize().x); };
    ASSERT_TRUE(WaitUntil([&] { return caption->GetSize().x > 0; }));
    const int oneLine = caption->GetSize().y;
    frame->SetClientSize(shown().x / 3, 200);
    EXPECT_TRUE(WaitUntil([&] { return !caption->SingleLine(); })) << caption->GetSize().y;
    EXPECT_TRUE(WaitUntil([&] { return shown().y <= caption->GetSize().y; }))
        << shown().y << " > " << caption->GetSize().y;
    frame->SetClientSize(1000, 200);
    EXPECT_TRUE(WaitUntil([&] { return caption->GetSize().y == oneLine; })) << caption->GetSize().y;
    frame->Destroy();
}

// On a small screen the log's designed 900 x 420 fits nowhere beside the centred main window:
// it takes the widest room (below it here), made smaller, and covers none of it.
TEST(FloorLogFirstPlace, KeepsTheMainWindowClearInsideTheScreen) {
    const wxRect screen(0, 0, 1024, 768);
    const wxRect main(392, 279, 240, 210);
    const wxRect place = FirstLogPlace(screen, main, {900, 420});
    EXPECT_FALSE(place.Intersects(main));
    EXPECT_TRUE(screen.Contains(place));
    EXPECT_EQ(place, wxRect(124, 489, 900, 279));
    // With room enough on the right, it sits there at full size, level with the main window.
    EXPECT_EQ(FirstLogPlace({0, 0, 1600, 1200}, {100, 500, 240, 210}, {900, 420}),
              wxRect(340, 500, 900, 420));
}

TEST_F(FloorLog, FirstOpensClearOfTheMainWindow) {
    frame_->Move(0, 0);  // where a log opened at the screen's start would cover it
    ASSERT_TRUE(WaitUntil([&] { return frame_->GetScreenRect().GetPosition() == wxPoint(0, 0); }));
    FloorLogWindow* log = OpenLog();
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !log->GetScreenRect().Intersects(frame_->GetScreenRect()); }))
        << log->GetScreenRect().x << "," << log->GetScreenRect().y;
    EXPECT_TRUE(wxDisplay(frame_).GetClientArea().Contains(log->GetScreenRect()));
}

TEST_F(FloorLog, SizeAndPlaceKeptInAFileOfTheirOwn) {
    const wxRect placed(60, 70, 700, 300);
    FloorLogWindow* log = ReopenAfterPlacing(placed);
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return log->GetRect() == placed; }))
        << log->GetRect().x << "," << log->GetRect().y;
    EXPECT_TRUE(std::filesystem::exists(folder_ / kWindowStateFile));
    // The host's own settings file is never written behind the host's back.
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Gavelton.ini"));
}

// A place kept on a monitor unplugged since comes back on the screen nearest to it, whole.
TEST_F(FloorLog, APlaceOffEveryScreenComesBackOnTheNearest) {
    const std::vector<wxRect> two = {{0, 0, 1920, 1040}, {1920, 0, 1280, 984}};
    EXPECT_EQ(OntoNearestScreen({100, 200, 700, 300}, two), wxRect(100, 200, 700, 300));
    EXPECT_EQ(OntoNearestScreen({3150, 900, 700, 300}, two), wxRect(3150, 900, 700, 300)) << "a corner shows";
    EXPECT_EQ(OntoNearestScreen({3300, 100, 700, 300}, two), wxRect(2500, 100, 700, 300));
    EXPECT_EQ(OntoNearestScreen({-2000, -900, 2400, 300}, two), wxRect(0, 0, 1920, 300));
    EXPECT_EQ(OntoNearestScreen({1900, 1100, 700, 300}, two), wxRect(1220, 740, 700, 300))
        << "nearer the first";

    FloorLogWindow* log = ReopenAfterPlacing({9000, 7000, 700, 300});
    ASSERT_NE(log, nullptr);
    const wxRect screen = wxDisplay(frame_).GetClientArea();
    const wxRect back(screen.GetRight() + 1 - 700, screen.GetBottom() + 1 - 300, 700, 300);
    EXPECT_TRUE(WaitUntil([&] { return log->GetRect() == back; }))
        << log->GetRect().x << "," << log->GetRect().y << " " << log->GetRect().width << "x"
        << log->GetRect().height;
}

// What wxWidgets would tell the host in a box of its own (an error or a warning).
class BoxesOfItsOwn final : public wxLog {
public:
    BoxesOfItsOwn() : before_(wxLog::SetActiveTarget(this)) {}
    ~BoxesOfItsOwn() override { wxLog::SetActiveTarget(before_); }
    std::vector<wxString> told;

protected:
    void DoLogTextAtLevel(wxLogLevel level, const wxString& text) override {
        if (level <= wxLOG_Warning) told.push_back(text);
    }

private:
    wxLog* before_;
};

// The working folder made read-only, also for root (who writes into a folder without write
// permission): immutable while the object lives.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::filesystem::path& folder) : fd_(::open(folder.c_str(), O_RDONLY)) {
        if (::geteuid() != 0) {
            using std::filesystem::perms;
            std::filesystem::permissions(folder,
                                         perms::owner_write | perms::group_write | perms::others_write,
                                         std::filesystem::perm_options::remove);
            return;
        }
        int flags = 0;
        if (fd_ < 0 || ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) != 0) return;
        flags |= FS_IMMUTABLE_FL;
        immutable_ = ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ~ReadOnlyFolder() { Undo(); }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool Made() const { return ::geteuid() != 0 || immutable_; }
    void Undo() {
        int flags = 0;
        if (immutable_ && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd_, FS_IOC_SETFLAGS, &flags);
        }
        immutable_ = false;
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
    bool immutable_ = false;
};

TEST_F(FloorLog, APlaceThatCannotBeKeptIsNamedInTheTitleOnceNeverInABox) {
    const BoxesOfItsOwn boxes;
    ReadOnlyFolder readOnly(folder_);
    if (!readOnly.Made()) {
        // No immutable files here (tmpfs, no capability): a folder where the file should be.
        std::filesystem::create_directory(kWindowStateFile);
    }
    const std::string named = "Gavelton - Gavelton windows.ini not written: ";
    for (int round = 0; round < 2; ++round) {
        ASSERT_NE(OpenLog(), nullptr);
        ClickMenu(kLogMenu);
        ASSERT_TRUE(WaitUntil([] { return !wxWindow::FindWindowByName("FloorLog"); }));
        const std::string title = frame_->GetTitle().utf8_string();
        EXPECT_EQ(title.rfind(named, 0), 0u) << title;
        EXPECT_EQ(title.find(named.substr(10), named.size()), std::string::npos) << "named twice: " << title;
    }
    EXPECT_TRUE(boxes.told.empty()) << boxes.told.front();

    // Once it can be kept again, the title is plain again.
    readOnly.Undo();
    std::filesystem::remove(kWindowStateFile);
    ASSERT_NE(OpenLog(), nullptr);
    ClickMenu(kLogMenu);
    EXPECT_TRUE(WaitUntil([&] { return !frame_->GetTitle().Contains(kWindowStateFile); }))
        << frame_->GetTitle();
    EXPECT_TRUE(std::filesystem::is_regular_file(kWindowStateFile));
}

TEST_F(FloorLog, UndoLastSaleButtonRunsTheWindowsUndo) {
    FloorLogWindow* log = OpenLog();
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(log->UndoButton()->IsShown());
    int undone = 0;
    frame_->FloorLog().SetUndoLastSale([&] { ++undone; });
    EXPECT_TRUE(log->UndoButton()->IsShown());
    Click(log->UndoButton());
    EXPECT_TRUE(WaitUntil([&] { return undone == 1; }));
}

}  // namespace
}  // namespace gv::ui::test
