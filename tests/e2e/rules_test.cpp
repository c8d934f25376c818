// The rules as the chat hears them, over each transport.

#include "auction_fixture.h"

namespace gv::e2e {
namespace {

using Lines = std::vector<std::string>;

const Lines kFixedRules = {
    "This is an auction and the following rules must be followed.", "1. ALL Bids must be ESP to me.",
    "2. Do not send 1,000 or 1k or 1.000 -- send 1000.", "3. The minimum Bid Raise applies as follows:"};

// The fixed lines: the title, our credit line (ours to word, so only present), the rule.
void ExpectHeading(const Lines& said) {
    ASSERT_GE(said.size(), 7u);
    EXPECT_EQ(said[0], "Gavelton");
    EXPECT_FALSE(said[1].empty());
    EXPECT_EQ(said[2], "---------------------");
    EXPECT_EQ(Lines(said.begin() + 3, said.begin() + 7), kFixedRules);
}

class E2eRules : public BothTransports {};

TEST_P(E2eRules, InitialTableGivesOneTierLine) {
    StartAuction();
    const Lines said = Press(Command::StateRules);
    ExpectHeading(said);
    EXPECT_EQ(Lines(said.begin() + std::min<std::ptrdiff_t>(7, std::ssize(said)), said.end()),
              (Lines{" Raise Amount is 1 for Bids between 0 and 9999999"}));
}

TEST_P(E2eRules, ThreeTiersGiveThreeLinesInOrder) {
    WriteTiers(
        {"0", "100", "5", "101", "1000", "10", "1001", "9999999", "25", "", "", "", "", "", "", "", "", ""});
    StartAuction();
    const Lines said = Press(Command::StateRules);
    ExpectHeading(said);
    EXPECT_EQ(Lines(said.begin() + std::min<std::ptrdiff_t>(7, std::ssize(said)), said.end()),
              (Lines{" Raise Amount is 5 for Bids between 0 and 100",
                     " Raise Amount is 10 for Bids between 101 and 1000",
                     " Raise Amount is 25 for Bids between 1001 and 9999999"}));
    // Stating the rules again says the same.
    EXPECT_EQ(Press(Command::StateRules), said);
}

INSTANTIATE_TEST_SUITE_P(E2e, E2eRules, ::testing::Values(Transport::Dde, Transport::Library), TransportName);

}  // namespace
}  // namespace gv::e2e
