#include "setup/rules.h"

#include <gtest/gtest.h>

namespace gv {
namespace {

const std::vector<std::string> kFixed = {
    "Gavelton",
    "Gavelton auction caller - free for every host",
    "---------------------",
    "This is an auction and the following rules must be followed.",
    "1. ALL Bids must be ESP to me.",
    "2. Do not send 1,000 or 1k or 1.000 -- send 1000.",
    "3. The minimum Bid Raise applies as follows:",
};

std::vector<std::string> With(std::vector<std::string> tiers) {
    std::vector<std::string> all = kFixed;
    all.insert(all.end(), tiers.begin(), tiers.end());
    return all;
}

TEST(RulesLines, InitialTable) {
    EXPECT_EQ(RulesLines(TierTable{}), With({" Raise Amount is 1 for Bids between 0 and 9999999"}));
}

TEST(RulesLines, ThreeTiers) {
    TierTable t;
    t.Row(0) = {"0", "100", "5"};
    t.Row(1) = {"101", "1000", "10"};
    t.Row(2) = {"1001", "9999999", "25"};
    EXPECT_EQ(RulesLines(t), With({" Raise Amount is 5 for Bids between 0 and 100",
                                   " Raise Amount is 10 for Bids between 101 and 1000",
                                   " Raise Amount is 25 for Bids between 1001 and 9999999"}));
}

TEST(RulesLines, TextsGoInAsTheyStand) {
    TierTable t;
    t.Row(0) = {"0", "100", "5"};
    t.Row(1) = {"101", "200", ""};
    t.Row(2) = {"", "500", "3"};  // not in use: left out
    t.Row(3) = {"0501", "9999999", "1.5."};
    EXPECT_EQ(RulesLines(t), With({" Raise Amount is 5 for Bids between 0 and 100",
                                   " Raise Amount is  for Bids between 101 and 200",
                                   " Raise Amount is 1.5. for Bids between 0501 and 9999999"}));
    for (int r = 0; r < kTierRows; ++r) t.Row(r) = {"1", "2", "3"};
    EXPECT_EQ(RulesLines(t).size(), 13u);
}

}  // namespace
}  // namespace gv
