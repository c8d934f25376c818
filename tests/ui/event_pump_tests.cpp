// The wx pump's loop yield: passed over right after a real pass, a real pass once a few
// milliseconds have gone by. Counted yields are always real.

#include <gtest/gtest.h>
#include <wx/app.h>

#include <chrono>
#include <thread>

#include "ui/wx_services.h"

namespace gv::ui {
namespace {

TEST(WxEventPump, LoopYieldsPassOverOnlyWhatComesRightAfterAPass) {
    WxEventPump pump;
    int delivered = 0;
    pump.Yield();

    wxTheApp->CallAfter([&] { ++delivered; });
    pump.YieldInLoop();  // moments after the last pass: nothing is dispatched
    EXPECT_EQ(delivered, 0);

    pump.Yield();  // a counted yield always dispatches
    EXPECT_EQ(delivered, 1);

    wxTheApp->CallAfter([&] { ++delivered; });
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    pump.YieldInLoop();  // long enough after the last pass: a real one
    EXPECT_EQ(delivered, 2);
}

}  // namespace
}  // namespace gv::ui
