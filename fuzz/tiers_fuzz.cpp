// The tier table's normalisation and lookup on any six rows, after any walk of the host's
// through the high bound boxes: nothing ends the program, every row stays within the table,
// and the lookup names a row in use whose bounds hold the amount.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "common/text.h"
#include "require.h"
#include "setup/tier_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    gv::TierTable tiers;
    for (int r = 0; r < gv::kTierRows; ++r) {
        tiers.Row(r) = {in.ConsumeRandomLengthString(10), in.ConsumeRandomLengthString(10),
                        in.ConsumeRandomLengthString(6)};
    }
    const int steps = in.ConsumeIntegralInRange(0, 24);
    for (int step = 0; step < steps; ++step) {
        // The host types into a high bound box (or not) and leaves it.
        const int row = in.ConsumeIntegralInRange(-1, gv::kTierRows);
        if (in.ConsumeBool() && row >= 0 && row < gv::kTierRows)
            tiers.Row(row).high = in.ConsumeRandomLengthString(8);
        tiers.NormaliseHigh(row);
    }
    for (int probe = 0; probe < 4; ++probe) {
        const double amount = in.ConsumeFloatingPoint<double>();
        const gv::RaiseLookup found = tiers.LookupRaise(amount);
        if (!found.row) {
            GV_REQUIRE(found.text == "1");
            continue;
        }
        GV_REQUIRE(*found.row >= 0 && *found.row < gv::kTierRows);
        const gv::TierRow& row = tiers.Row(*found.row);
        GV_REQUIRE(tiers.InUse(*found.row) && !row.raise.empty() && found.text == row.raise);
        GV_REQUIRE(gv::ValOrInfinity(row.low) <= amount && gv::ValOrInfinity(row.high) >= amount);
    }
    return 0;
}
