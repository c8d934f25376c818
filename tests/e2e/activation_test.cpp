// With the client's window brought forward around each DDE request, Gavelton's own window comes
// back by its handle: another window titled "Gavelton" (a file manager open on the install
// folder) is never brought forward instead, even while the failure display changes the title.

#include <wx/frame.h>

#include "auction_fixture.h"
#include "ui/native.h"

// Last: Xlib's macros (None, Bool, ...) would clash with the headers above.
#include <X11/Xlib.h>

namespace gv::e2e {
namespace {

class E2eActivation : public AuctionTest {};

TEST_F(E2eActivation, GaveltonsOwnWindowComesBackNotAnotherOfItsTitle) {
    ui::test::WriteFile(folder_ / "SCONTROL.TXT", "VZones 3.0\r\n1\r\n0\r\n");
    // The practice world runs without a window here: a window of the client's title stands in.
    (new wxFrame(nullptr, wxID_ANY, "VZones 3.0"))->Show();
    auto* impostor = new wxFrame(nullptr, wxID_ANY, "Gavelton");
    impostor->Show();
    WriteItems({"Lamp - 10"});
    StartAuction();
    ChooseMenu(0);

    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const auto focus = [display] {
        ::Window focused = 0;
        int revert = 0;
        XSync(display, False);
        XGetInputFocus(display, &focused, &revert);
        return static_cast<std::uintptr_t>(focused);
    };
    const std::uintptr_t own = ui::NativeWindowHandle(frame_);
    ASSERT_NE(own, 0u);
    EXPECT_EQ(Press(Command::StateItem).size(), 3u);
    EXPECT_TRUE(WaitUntil([&] { return focus() == own; })) << "focus on " << focus();
    EXPECT_NE(focus(), ui::NativeWindowHandle(impostor));
    XCloseDisplay(display);
}

}  // namespace
}  // namespace gv::e2e
