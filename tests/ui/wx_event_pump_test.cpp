// The wx pump's loop yield: passed over right after a real pass, a real pass once a few
// milliseconds have gone by. Counted yields are always real.

#include <gtest/gtest.h>
#include <wx/app.h>

#include <chrono>

#include "ui/wx_services.h"

namespace gv::ui {
namespace {

// The interval is given, so that a loaded machine cannot make "right after" late.
TEST(WxEventPump, LoopYieldsPassOverOnlyWhatComesRightAfterAPass) {
    WxEventPump pump(std::chrono::hours(1));
    int delivered = 0;
    pump.Yield();

    wxTheApp->CallAfter([&] { ++delivered; });
    pump.YieldInLoop();  // within the interval after the last pass: nothing is dispatched
    EXPECT_EQ(delivered, 0);

    pump.Yield();  // a counted yield always dispatches
    EXPECT_EQ(delivered, 1);

    WxEventPump eager(std::chrono::milliseconds(0));
    eager.Yield();
    wxTheApp->CallAfter([&] { ++delivered; });
    eager.YieldInLoop();  // past the interval after the last pass: a real one
    EXPECT_EQ(delivered, 2);
}

}  // namespace
}  // namespace gv::ui
