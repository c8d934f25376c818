// System-wide hotkeys against the practice world: another X client holds the keyboard, the
// keys come through the X server (XTest), each runs its command, and with the client's window
// brought forward around each DDE request the keyboard goes back to that other client, not to
// Gavelton. A combination another client grabbed first is named in the title.

#include <wx/frame.h>

#include "auction_fixture.h"
#include "ui/floor_log_window.h"
#include "ui/native.h"

// Last: Xlib's macros (None, Bool, ...) would clash with the headers above.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace gv::e2e {
namespace {

class E2eHotkeys : public AuctionTest {
protected:
    void SetUp() override {
        AuctionTest::SetUp();
        ui::test::WriteFile(folder_ / "Gavelton.ini", "[Hotkeys]\nEnabled=1\n");
        ui::test::WriteFile(folder_ / "SCONTROL.TXT", "VZones 3.0\r\n1\r\n0\r\n");
        WriteItems({"Lamp - 10", "Vase - 20"});
        // The practice world runs without a window here: a window of the client's title stands in.
        (new wxFrame(nullptr, wxID_ANY, "VZones 3.0"))->Show();
        other_ = XOpenDisplay(nullptr);
        ASSERT_NE(other_, nullptr);
    }
    void TearDown() override {
        AuctionTest::TearDown();
        if (other_ != nullptr) XCloseDisplay(other_);
    }

    // A window of another X client, given the keyboard.
    void HoldKeyboardElsewhere() {
        const ::Window root = DefaultRootWindow(other_);
        holder_ = XCreateSimpleWindow(other_, root, 0, 0, 200, 100, 0, 0, 0);
        XStoreName(other_, holder_, "Chat");
        XMapRaised(other_, holder_);
        ASSERT_TRUE(WaitUntil([&] {
            XWindowAttributes attributes{};
            return XGetWindowAttributes(other_, holder_, &attributes) != 0 &&
                   attributes.map_state == IsViewable;
        }));
        XSetInputFocus(other_, holder_, RevertToParent, CurrentTime);
        ASSERT_TRUE(WaitUntil([&] { return Focus() == holder_; }));
    }

    ::Window Focus() const {
        ::Window focused = 0;
        int revert = 0;
        XSync(other_, False);
        XGetInputFocus(other_, &focused, &revert);
        return focused;
    }

    // The window's _NET_WM_USER_TIME; -1 when it has none.
    long UserTime(::Window window) const {
        const Atom atom = XInternAtom(other_, "_NET_WM_USER_TIME", False);
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        long time = -1;
        XSync(other_, False);
        if (XGetWindowProperty(other_, window, atom, 0, 1, False, AnyPropertyType, &type, &format, &count,
                               &after, &data) == Success &&
            data != nullptr) {
            if (format == 32 && count == 1) time = *reinterpret_cast<const long*>(data);
            XFree(data);
        }
        return time;
    }

    // Ctrl+Shift and the function key, through the X server as a keyboard would send them.
    void HotKey(int functionKey) { sim_.Char(WXK_F1 + functionKey - 1, wxMOD_CONTROL | wxMOD_SHIFT); }

    // Presses the hotkey and waits until the command has said its lines and finished.
    std::vector<std::string> SayByHotkey(int functionKey) {
        const std::size_t before = world_->Said().size();
        HotKey(functionKey);
        // Done when its lines are in and the keyboard is back where it was.
        EXPECT_TRUE(WaitUntil([&] {
            return world_->Said().size() > before && !frame_->Gate().IsBusy() && Focus() == holder_;
        })) << "Ctrl+Shift+F"
            << functionKey << " said nothing, did not finish or kept the keyboard";
        const std::vector<std::string> said = world_->Said();
        return {said.begin() + static_cast<std::ptrdiff_t>(before), said.end()};
    }

    Display* other_ = nullptr;
    ::Window holder_ = 0;
};

TEST_F(E2eHotkeys, EachRunsItsCommandWhileAnotherClientKeepsTheKeyboard) {
    StartAuction();
    ChooseMenu(0);  // Lamp on the block
    EXPECT_EQ(frame_->GetTitle(), "Gavelton");
    HoldKeyboardElsewhere();

    EXPECT_EQ(SayByHotkey(5).front(), "Item on the Block currently is Lamp");
    EXPECT_EQ(Focus(), holder_);

    Post({"ESP from Ann: 15"});
    const std::size_t fetches = world_->Fetches();
    HotKey(6);
    EXPECT_TRUE(WaitUntil([&] { return BlockLabels()[2] == "15" && !frame_->Gate().IsBusy(); }));
    EXPECT_EQ(world_->Fetches(), fetches + 1);
    EXPECT_EQ(Focus(), holder_);

    // A lit Caps Lock or Num Lock does not hide the hotkeys.
    sim_.Char(WXK_CAPITAL);
    sim_.Char(WXK_NUMLOCK);
    EXPECT_TRUE(WaitUntil([&] {
        ::Window root = 0, child = 0;
        int x = 0, y = 0, wx = 0, wy = 0;
        unsigned int mask = 0;
        XQueryPointer(other_, DefaultRootWindow(other_), &root, &child, &x, &y, &wx, &wy, &mask);
        return (mask & LockMask) != 0 && (mask & Mod2Mask) != 0;
    }));
    EXPECT_EQ(SayByHotkey(7).front(), "1ST CALL");
    EXPECT_EQ(SayByHotkey(8).front(), "2ND CALL");
    EXPECT_EQ(SayByHotkey(9).front(), "3RD CALL");
    EXPECT_EQ(SayByHotkey(10).back(), "Lamp is sold for 15 tokens to Ann");
    EXPECT_EQ(Focus(), holder_);

    HotKey(11);
    EXPECT_TRUE(WaitUntil([&] { return BlockLabels()[0] == "Vase"; }));
    EXPECT_EQ(Focus(), holder_);
    EXPECT_EQ(frame_->GetTitle(), "Gavelton");
}

// Without ActivateClient nothing brings a window forward: after a command, and after the floor
// log's hotkey, the keyboard and the focus are exactly as they were, no window of Gavelton's
// holding it or asking for it.
TEST_F(E2eHotkeys, CommandsAndTheFloorLogLeaveTheKeyboardAlone) {
    ui::test::WriteFile(folder_ / "SCONTROL.TXT", "VZones 3.0\r\n0\r\n0\r\n");
    StartAuction();
    ChooseMenu(0);
    HoldKeyboardElsewhere();

    EXPECT_EQ(SayByHotkey(5).front(), "Item on the Block currently is Lamp");
    EXPECT_FALSE(frame_->IsActive());
    EXPECT_EQ(Focused(), nullptr) << "a control of Gavelton's took the focus";

    sim_.Char('L', wxMOD_CONTROL | wxMOD_SHIFT);
    ASSERT_TRUE(WaitUntil([&] { return frame_->FloorLogView() && frame_->FloorLogView()->IsShown(); }));
    ui::FloorLogWindow* log = frame_->FloorLogView();
    const auto logWindow = static_cast<::Window>(ui::NativeWindowHandle(log));
    // A window manager gives a new window the keyboard unless its user time says no input yet.
    EXPECT_TRUE(WaitUntil([&] { return UserTime(logWindow) == 0; })) << "the log asks for the keyboard";
    EXPECT_EQ(Focus(), holder_);
    EXPECT_FALSE(log->IsActive());
    EXPECT_EQ(Focused(), nullptr);
}

// After a hotkey no control of Gavelton's holds the focus; once the host activates the window,
// its own keys work at once, without a click inside it first.
TEST_F(E2eHotkeys, GaveltonsKeysWorkAsSoonAsItsWindowIsActivatedAfterAHotkey) {
    StartAuction();
    ChooseMenu(0);
    HoldKeyboardElsewhere();
    EXPECT_EQ(SayByHotkey(5).front(), "Item on the Block currently is Lamp");
    ASSERT_EQ(Focused(), nullptr);

    // As a window manager does when the host clicks the title bar.
    const auto own = static_cast<::Window>(ui::NativeWindowHandle(frame_));
    XSetInputFocus(other_, own, RevertToParent, CurrentTime);
    ASSERT_TRUE(WaitUntil([&] { return Focus() == own; })) << Focus() << " " << own;
    ASSERT_TRUE(WaitUntil([&] { return frame_->IsActive(); }, 3000));
    Key('k', wxMOD_CONTROL);
    EXPECT_TRUE(WaitUntil([&] { return frame_->AccountsView() != nullptr; })) << "Ctrl+K did nothing";
}

TEST_F(E2eHotkeys, OneAnotherClientHoldsIsNamedAndTheOthersStillWork) {
    // Another client took Ctrl+Shift+F6 before Gavelton started, Num Lock or not.
    const KeyCode f6 = XKeysymToKeycode(other_, XK_F6);
    XGrabKey(other_, f6, ControlMask | ShiftMask, DefaultRootWindow(other_), False, GrabModeAsync,
             GrabModeAsync);
    XSync(other_, False);
    StartAuction();
    EXPECT_EQ(frame_->GetTitle(), "Gavelton - hotkey Ctrl+Shift+F6 taken by another program");
    ChooseMenu(0);
    HoldKeyboardElsewhere();

    EXPECT_EQ(SayByHotkey(5).front(), "Item on the Block currently is Lamp");
    const std::size_t fetches = world_->Fetches();
    HotKey(6);
    HotKey(11);  // runs after the other, had Gavelton the other
    EXPECT_TRUE(WaitUntil([&] { return BlockLabels()[0] == "Vase"; }));
    EXPECT_EQ(world_->Fetches(), fetches);
    EXPECT_EQ(Focus(), holder_);
}

}  // namespace
}  // namespace gv::e2e
