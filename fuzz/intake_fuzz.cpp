// The bid intake over any chat, any tier table and any block: a bid it accepts is above zero
// and reaches the minimum, each accepted raise beats the bid before it, and a second intake
// over the same chat changes nothing.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "common/text.h"
#include "floor/floor.h"
#include "floor/intake.h"
#include "require.h"

namespace {

// Short texts drawn from what tier bounds and minimums tend to be, or any bytes.
std::string Amount(FuzzedDataProvider& in) {
    static const char* const kUsual[] = {"",    "0",    "1",       "10",    "100", "500",
                                         "999", "1000", "9999999", "1E999", ".5",  "Min Bid"};
    if (in.ConsumeBool()) return kUsual[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kUsual) - 1)];
    return in.ConsumeRandomLengthString(12);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    gv::TierTable tiers;
    for (int r = 0; r < gv::kTierRows; ++r) {
        if (!in.ConsumeBool()) continue;
        tiers.Row(r) = {Amount(in), Amount(in), Amount(in)};
    }
    gv::BlockState block;
    gv::PutOnBlock(block, in.ConsumeRandomLengthString(24) + " - " + Amount(in));
    const std::string chat = in.ConsumeRemainingBytesAsString();

    const double minimum = gv::ValOrInfinity(block.blockMin);
    double standing = 0;
    int accepted = 0;
    gv::TakeBids(chat, block, tiers, {}, [&] {
        ++accepted;
        const double bid = gv::ValOrInfinity(block.currentBid);
        GV_REQUIRE(bid > 0);
        GV_REQUIRE(bid >= minimum);
        GV_REQUIRE(bid > standing);
        if (standing > 0) {
            GV_REQUIRE(bid - standing >= gv::ValOrInfinity(tiers.LookupRaise(bid).text));
            GV_REQUIRE(gv::ValOrInfinity(block.lastBid) == standing);
        }
        standing = bid;
    });

    const gv::BlockState after = block;
    int again = 0;
    gv::TakeBids(chat, block, tiers, {}, [&] { ++again; });
    GV_REQUIRE(again == 0);
    GV_REQUIRE(block.currentBid == after.currentBid && block.currentBidder == after.currentBidder);
    GV_REQUIRE(block.lastBid == after.lastBid && block.lastBidder == after.lastBidder);
    return 0;
}
