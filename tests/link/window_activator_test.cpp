// Activation of top-level windows on a real X server (run under Xvfb, which has no window
// manager unless the test plays one).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "link/desktop/dde_channel.h"

// Last: Xlib's macros (None, Bool, ...) would clash with the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace gv {
namespace {

class WindowActivatorX11 : public ::testing::Test {
protected:
    void SetUp() override {
        display_ = XOpenDisplay(nullptr);
        if (display_ == nullptr) GTEST_SKIP() << "no X display";
        root_ = DefaultRootWindow(display_);
    }
    void TearDown() override {
        if (display_ == nullptr) return;
        for (Window window : windows_) XDestroyWindow(display_, window);
        XDeleteProperty(display_, root_, Intern("_NET_CLIENT_LIST"));
        XCloseDisplay(display_);
    }

    ::Atom Intern(const char* name) { return XInternAtom(display_, name, False); }

    Window Make(const std::string& title, bool map) {
        const Window window = XCreateSimpleWindow(display_, root_, 0, 0, 50, 50, 0, 0, 0);
        XStoreName(display_, window, title.c_str());
        XChangeProperty(display_, window, Intern("_NET_WM_NAME"), Intern("UTF8_STRING"), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
        if (map) XMapWindow(display_, window);
        windows_.push_back(window);
        XSync(display_, False);
        return window;
    }

    // Waits until the window is mapped (Xvfb maps at once without a window manager).
    void WaitViewable(Window window) {
        for (int i = 0; i < 200; ++i) {
            XWindowAttributes attributes{};
            XGetWindowAttributes(display_, window, &attributes);
            if (attributes.map_state == IsViewable) return;
            XSync(display_, False);
        }
    }

    Window Focus() {
        Window focus = 0;
        int revert = 0;
        XSync(display_, False);
        XGetInputFocus(display_, &focus, &revert);
        return focus;
    }

    Display* display_ = nullptr;
    Window root_ = 0;
    std::vector<Window> windows_;
    std::unique_ptr<WindowActivator> activator_ = MakeDesktopWindowActivator();
};

TEST_F(WindowActivatorX11, WithoutWindowManagerRaisesAndFocusesByTitle) {
    const Window longer = Make("VZones 3.0 - Chat", true);
    const Window exact = Make("VZones 3.0", true);
    const Window gavelton = Make("Gavelton", true);
    WaitViewable(longer);
    WaitViewable(exact);
    WaitViewable(gavelton);

    EXPECT_TRUE(activator_->Activate("VZones 3.0"));
    EXPECT_EQ(Focus(), exact);  // the exact title wins over one listed earlier
    EXPECT_TRUE(activator_->Activate("Gavelton"));
    EXPECT_EQ(Focus(), gavelton);
    EXPECT_TRUE(activator_->Activate("VZones 3.0 -"));
    EXPECT_EQ(Focus(), longer);  // else the first that begins with it
    EXPECT_FALSE(activator_->Activate("No Such Window"));
    EXPECT_EQ(Focus(), longer);
}

TEST_F(WindowActivatorX11, UnmappedWindowsAreNotCandidates) {
    const Window hidden = Make("Hidden Client", false);
    EXPECT_FALSE(activator_->Activate("Hidden Client"));
    EXPECT_FALSE(activator_->ActivateWindow(hidden));
}

// By its id a window is found even where an earlier one has the same title.
TEST_F(WindowActivatorX11, ByItsIdTheWindowItselfAndNoOtherOfItsTitle) {
    const Window other = Make("Gavelton", true);
    const Window own = Make("Gavelton", true);
    WaitViewable(other);
    WaitViewable(own);
    EXPECT_TRUE(activator_->ActivateWindow(own));
    EXPECT_EQ(Focus(), own);
    EXPECT_FALSE(activator_->ActivateWindow(0));
    EXPECT_EQ(Focus(), own);
}

TEST_F(WindowActivatorX11, AsksTheWindowManagerWhenThereIsOne) {
    const Window first = Make("VZones 3.0 beta", false);
    const Window exact = Make("VZones 3.0", false);
    std::vector<unsigned long> list = {first, exact};
    XChangeProperty(display_, root_, Intern("_NET_CLIENT_LIST"), XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(list.data()), static_cast<int>(list.size()));
    // Play the window manager: client messages to the root come to us.
    XSelectInput(display_, root_, SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(display_, False);

    EXPECT_TRUE(activator_->Activate("VZones 3.0"));
    XEvent event{};
    bool got = false;
    for (int i = 0; i < 200 && !got; ++i) {
        XSync(display_, False);
        while (XCheckTypedEvent(display_, ClientMessage, &event)) {
            if (event.xclient.message_type == Intern("_NET_ACTIVE_WINDOW")) got = true;
        }
    }
    ASSERT_TRUE(got);
    EXPECT_EQ(event.xclient.window, exact);
    EXPECT_EQ(event.xclient.data.l[0], 2);  // asked as a pager would

    EXPECT_FALSE(activator_->Activate("Gavelton"));
    XSelectInput(display_, root_, NoEventMask);
}

TEST(WindowActivatorDesktop, NoDisplayIsNoWindow) {
    const char* old = std::getenv("DISPLAY");
    const std::string saved = old != nullptr ? old : "";
    ::setenv("DISPLAY", ":9999", 1);
    EXPECT_FALSE(MakeDesktopWindowActivator()->Activate("Gavelton"));
    if (old != nullptr) {
        ::setenv("DISPLAY", saved.c_str(), 1);
    } else {
        ::unsetenv("DISPLAY");
    }
}

}  // namespace
}  // namespace gv
