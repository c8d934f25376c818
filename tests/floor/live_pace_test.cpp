// The pace of Get Bids run by itself: when it starts and stops, how it backs off a chat
// client that fails, and that the host's commands go first.

#include "floor/live_pace.h"

#include <gtest/gtest.h>

#include <vector>

#include "floor/floor.h"

namespace gv {
namespace {

using std::chrono::seconds;
using Time = LivePace::Clock::time_point;

class LivePaceTest : public ::testing::Test {
protected:
    // The time at which the next run comes due, found by looking each tenth of a second.
    Time NextDue(LivePace& pace, Time from) const {
        for (Time t = from; t < from + seconds(200); t += std::chrono::milliseconds(100)) {
            if (pace.Due(t, false)) return t;
        }
        ADD_FAILURE() << "no run came due";
        return from;
    }

    BlockState block_;
    Time t0_ = Time{} + seconds(1000);
};

TEST_F(LivePaceTest, OffOrWithNothingOnTheBlockNoRunComes) {
    LivePace off(0);
    PutOnBlock(block_, "Oak chest - 500");
    off.Follow(block_, t0_);
    EXPECT_FALSE(off.Due(t0_ + seconds(3600), false));

    // At start the captions hold no entry of the list, nor after an empty entry.
    LivePace pace(2);
    BlockState fresh;
    pace.Follow(fresh, t0_);
    EXPECT_FALSE(pace.Due(t0_ + seconds(60), false));
    PutOnBlock(fresh, "");
    pace.Follow(fresh, t0_);
    EXPECT_FALSE(pace.Due(t0_ + seconds(60), false));
}

TEST_F(LivePaceTest, RunsAtThePaceAndACommandGoesFirst) {
    LivePace pace(5);
    PutOnBlock(block_, "Oak chest - 500");
    pace.Follow(block_, t0_);
    EXPECT_EQ(NextDue(pace, t0_), t0_ + seconds(5));
    // Due while a command runs: it waits, and runs once the window has been idle a moment,
    // so that the host's next click comes first.
    EXPECT_FALSE(pace.Due(t0_ + seconds(7), true));
    EXPECT_FALSE(pace.Due(t0_ + std::chrono::milliseconds(7900), false));
    EXPECT_TRUE(pace.Due(t0_ + seconds(8), false));
    // The next comes a pace after the end of the run, however long it took.
    pace.RunEnded(t0_ + seconds(9), true);
    pace.Follow(block_, t0_ + seconds(9));  // the same entry: nothing starts over
    EXPECT_EQ(NextDue(pace, t0_ + seconds(9)), t0_ + seconds(14));
}

TEST_F(LivePaceTest, FailuresDoubleTheWaitUpToAMinuteAndOneSuccessRestoresThePace) {
    LivePace pace(2);
    PutOnBlock(block_, "Oak chest - 500");
    pace.Follow(block_, t0_);
    std::vector<long long> waits;
    Time now = NextDue(pace, t0_);
    for (int run = 0; run < 7; ++run) {
        pace.RunEnded(now, false);
        const Time next = NextDue(pace, now);
        waits.push_back(std::chrono::duration_cast<seconds>(next - now).count());
        now = next;
    }
    EXPECT_EQ(waits, (std::vector<long long>{4, 8, 16, 32, 60, 60, 60}));
    pace.RunEnded(now, true);
    EXPECT_EQ(NextDue(pace, now), now + seconds(2));

    // A slow pace reaches the bound at its first failure.
    LivePace slow(45);
    slow.Follow(block_, t0_);
    slow.RunEnded(t0_, false);
    EXPECT_EQ(slow.Wait(), seconds(60));
}

// The client is back when any fetch goes through, the host's own Get Bids too: the next run
// comes a pace after it, not at the end of a wait of up to a minute.
TEST_F(LivePaceTest, AFetchThatGoesThroughBringsBackThePaceAtOnce) {
    LivePace pace(2);
    PutOnBlock(block_, "Oak chest - 500");
    pace.Follow(block_, t0_);
    Time now = NextDue(pace, t0_);
    for (int run = 0; run < 5; ++run) {
        pace.RunEnded(now, false);
        now = NextDue(pace, now);
    }
    pace.RunEnded(now, false);
    ASSERT_EQ(pace.Wait(), seconds(60));
    pace.FetchWentThrough(now + seconds(5));  // the host's Get Bids
    EXPECT_EQ(pace.Wait(), seconds(2));
    EXPECT_EQ(NextDue(pace, now + seconds(5)), now + seconds(7));

    // At the pace, a pressed Get Bids leaves the next run where it was.
    pace.RunEnded(now + seconds(7), true);
    pace.FetchWentThrough(now + seconds(8));
    EXPECT_EQ(NextDue(pace, now + seconds(8)), now + seconds(9));
}

TEST_F(LivePaceTest, SoldStopsTheRunsAndTheNextEntryStartsThemAfresh) {
    LivePace pace(2);
    PutOnBlock(block_, "Oak chest - 500");
    pace.Follow(block_, t0_);
    pace.RunEnded(t0_ + seconds(2), false);  // backing off
    block_.blockEntrySold = true;
    pace.Follow(block_, t0_ + seconds(3));
    EXPECT_FALSE(pace.Running());
    EXPECT_FALSE(pace.Due(t0_ + seconds(600), false));

    // Get Next Item (or the Auction command) puts the next entry up: at the pace again.
    PutOnBlock(block_, "Lamp - 20");
    pace.Follow(block_, t0_ + seconds(700));
    EXPECT_EQ(NextDue(pace, t0_ + seconds(700)), t0_ + seconds(702));

    // The same entry put up again after its sale (a list holding it twice) starts them too.
    block_.blockEntrySold = true;
    pace.Follow(block_, t0_ + seconds(710));
    PutOnBlock(block_, "Lamp - 20");
    pace.Follow(block_, t0_ + seconds(720));
    EXPECT_EQ(NextDue(pace, t0_ + seconds(720)), t0_ + seconds(722));
}

}  // namespace
}  // namespace gv
