#include "setup/rules.h"

#include "common/program_title.h"

namespace gv {

std::vector<std::string> RulesLines(const TierTable& table) {
    std::vector<std::string> lines = {
        kProgramTitle,
        "Gavelton auction caller - free for every host",
        "---------------------",
        "This is an auction and the following rules must be followed.",
        "1. ALL Bids must be ESP to me.",
        "2. Do not send 1,000 or 1k or 1.000 -- send 1000.",
        "3. The minimum Bid Raise applies as follows:",
    };
    for (int i = 0; i < kTierRows; ++i) {
        if (!table.InUse(i)) continue;
        const TierRow& row = table.Row(i);
        lines.push_back(" Raise Amount is " + row.raise + " for Bids between " + row.low + " and " +
                        row.high);
    }
    return lines;
}

}  // namespace gv
