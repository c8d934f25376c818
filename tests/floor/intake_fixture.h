#pragma once
// The fixture of the bid intake's tests: Oak chest on the block, a two-row tier table.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes.h"
#include "floor/floor.h"
#include "floor/intake.h"

namespace gv {

inline constexpr const char* kMarkerLine = "Host: Item on the Block currently is Oak chest";

// Oak chest with minimum 500 on the block; raise 10 up to 999, 100 from 1000 on.
class IntakeTest : public ::testing::Test {
protected:
    IntakeTest() {
        tiers.Row(0) = {"0", "999", "10"};
        tiers.Row(1) = {"1000", "9999999", "100"};
        PutOnBlock(block, "Oak chest - 500");
    }

    // Runs the intake and returns the number of yields it made.
    int Take(const std::string& capture) {
        int yields = 0;
        TakeBids(
            capture, block, tiers, [&] { ++yields; }, [&] { ++accepted; });
        return yields;
    }

    void ExpectBids(const std::string& current, const std::string& bidder, const std::string& last,
                    const std::string& lastBidder) {
        EXPECT_EQ(block.currentBid, current);
        EXPECT_EQ(block.currentBidder, bidder);
        EXPECT_EQ(block.lastBid, last);
        EXPECT_EQ(block.lastBidder, lastBidder);
    }

    BlockState block;
    TierTable tiers;
    int accepted = 0;

    // An auction of "Lamp - 10" over each chat, and the current bid and bidder it leaves.
    struct LampCase {
        const char* name;
        std::vector<std::string> chat;
        const char* current;
        const char* bidder;
    };
    void ExpectLampAuctions(const std::vector<LampCase>& cases) {
        for (const LampCase& c : cases) {
            SCOPED_TRACE(c.name);
            block = {};
            PutOnBlock(block, "Lamp - 10");
            Take(testing::Chat(c.chat));
            EXPECT_EQ(block.currentBid, c.current);
            EXPECT_EQ(block.currentBidder, c.bidder);
        }
    }
};

}  // namespace gv
