#include "core/bidders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include "common/text.h"
#include "floor/floor.h"
#include "floor/intake.h"

namespace {

using pw::Bidders;
using pw::Pace;

struct Said {
    double at;
    std::string line;
    bool operator==(const Said&) const = default;
};

std::string Speaker(const std::string& line) {
    const std::string esp = "ESP from ";
    const std::size_t from = line.rfind(esp, 0) == 0 ? esp.size() : 0;
    return line.substr(from, line.find(':') - from);
}

// A host running an evening on Gavelton's own floor rules, with the bidders in the room and
// a clock that moves a tenth of a second a step.
class Room {
public:
    Room(std::uint64_t seed, int count = 3, Pace pace = {}) : bidders_(count, seed, pace) {
        tiers_.Row(0) = {"0", "999", "10"};
        tiers_.Row(1) = {"1000", "9999999", "100"};
    }

    // One item from the block to SOLD: State Item, then every ten seconds Get Bids and State
    // Item again, then the three calls and the sale. Returns the bids Get Bids accepted.
    int Auction(const std::string& entry, double seconds) {
        gv::PutOnBlock(block_, entry);
        Host(gv::StateItemLines(block_, tiers_));
        for (double left = seconds; left > 0; left -= 10) {
            Run(10);
            GetBids();
            Host(gv::StateItemLines(block_, tiers_));
        }
        for (int call = 1; call <= 3; ++call) {
            Run(3);
            GetBids();
            Host(gv::CallLines(block_, call));
        }
        Host(gv::SoldLines(block_));
        return block_.bidsTaken;
    }

    void Run(double seconds) {
        for (const double until = now_ + seconds; now_ < until; now_ += 0.1) {
            for (std::string& line : bidders_.Act(now_)) {
                bidders_.Hear(line, now_);
                said_.push_back({now_, line});
                chat_.push_back(std::move(line));
            }
        }
    }

    const std::vector<Said>& said() const { return said_; }
    const gv::BlockState& block() const { return block_; }
    std::size_t ChatSize() const { return chat_.size(); }

private:
    void Host(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            chat_.push_back("Host: " + line);
            bidders_.Hear(chat_.back(), now_);
        }
    }
    void GetBids() {
        std::string capture;
        for (const std::string& line : chat_) capture += line + "\r\n";
        gv::TakeBids(capture, block_, tiers_, [] {});
    }

    Bidders bidders_;
    gv::TierTable tiers_;
    gv::BlockState block_;
    std::vector<std::string> chat_;
    std::vector<Said> said_;
    double now_ = 0;
};

bool PlainDigits(const std::string& line) {
    const std::size_t colon = line.find(": ");
    const std::string amount = line.substr(colon + 2);
    return !amount.empty() &&
           std::all_of(amount.begin(), amount.end(), [](char c) { return c >= '0' && c <= '9'; });
}

TEST(Bidders, BidAtTheirPaceOnWhatIsOnTheBlockAndStopAtTheSale) {
    int plainBids = 0;
    int accepted = 0;
    std::map<std::string, int> kinds;
    int gaps = 0;
    int gapsWithinPace = 0;
    for (std::uint64_t seed = 1; seed <= 10; ++seed) {
        Room room(seed);
        room.Run(30);  // nothing on the block yet
        ASSERT_TRUE(room.said().empty()) << "seed " << seed;

        accepted += room.Auction("Oak chest - 500", 120);
        EXPECT_GT(gv::Val(room.block().currentBid).value, 500) << "seed " << seed;
        const std::size_t atSale = room.said().size();
        room.Run(60);
        EXPECT_EQ(room.said().size(), atSale) << "spoke after SOLD, seed " << seed;

        // A new item opens the bidding again, from its own minimum.
        const std::size_t secondItem = room.said().size();
        const int lampBids = room.Auction("Lamp - 20", 60);
        EXPECT_GT(lampBids, 0) << "seed " << seed;
        accepted += lampBids;

        std::map<std::string, double> lastAt;
        std::map<std::string, bool> out;
        std::string leader;
        double best = 0;
        for (std::size_t i = 0; i < room.said().size(); ++i) {
            const Said& said = room.said()[i];
            if (i == secondItem) {
                lastAt.clear();
                out.clear();
                leader.clear();
                best = 0;
            }
            const std::string who = Speaker(said.line);
            if (lastAt.count(who) != 0) {
                // Never faster than the pace; slower only when a leader sat a turn out.
                const double gap = said.at - lastAt[who];
                EXPECT_GE(gap, 2 - 1e-9) << who << " after " << gap << " s";
                ++gaps;
                if (gap <= 8.1 + 1e-9) ++gapsWithinPace;
            }
            lastAt[who] = said.at;
            const bool esp = said.line.rfind("ESP from ", 0) == 0;
            if (esp && PlainDigits(said.line)) {
                ++plainBids;
                // Nobody raises their own best bid.
                const double amount = gv::Val(said.line.substr(said.line.find(':') + 1)).value;
                if (amount > best) {
                    EXPECT_NE(who, leader) << "raised their own bid: " << said.line;
                    best = amount;
                    leader = who;
                }
            }
            if (esp && out[who]) ADD_FAILURE() << who << " bid past the limit: " << said.line;
            if (said.line.ends_with("too rich for me")) out[who] = true;

            if (!esp) {
                ++kinds[said.line.ends_with("too rich for me") ? "limit" : "chatter"];
            } else if (said.line.find(',') != std::string::npos) {
                ++kinds["1,000"];
            } else if (said.line.ends_with("k")) {
                ++kinds["1k"];
            } else if (said.line.find('.') != std::string::npos) {
                ++kinds["1.000"];
            }
        }
    }
    // Mostly valid raises: two in three plain bids pass Gavelton's own rules.
    EXPECT_GT(accepted * 3, plainBids * 2) << accepted << " of " << plainBids << " plain bids accepted";
    EXPECT_GT(gapsWithinPace * 4, gaps * 3) << gapsWithinPace << " of " << gaps << " gaps within 2 to 8 s";
    for (const char* kind : {"limit", "chatter", "1,000", "1k", "1.000"}) {
        EXPECT_GT(kinds[kind], 0) << "no " << kind << " in ten evenings";
    }
}

TEST(Bidders, ASeedRepeatsAnEveningExactly) {
    const auto evening = [](std::uint64_t seed) {
        Room room(seed, 5, Pace{0.5, 1});
        room.Auction("Oak chest - 500", 40);
        room.Auction("Lamp - 20", 40);
        return room.said();
    };
    const std::vector<Said> first = evening(42);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(evening(42), first);
    EXPECT_NE(evening(43), first);
}

TEST(Bidders, NamesStayDistinctBeyondTheFirstDozen) {
    const Bidders crowd(30, 1, Pace{});
    std::vector<std::string> names = crowd.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
    EXPECT_EQ(names.size(), 30U);
}

TEST(BiddersPace, ReadsMinDashMaxInSeconds) {
    const auto pace = pw::ParsePace("0.5-1");
    ASSERT_TRUE(pace);
    EXPECT_DOUBLE_EQ(pace->min, 0.5);
    EXPECT_DOUBLE_EQ(pace->max, 1);
    EXPECT_TRUE(pw::ParsePace("3-3"));
    for (const char* bad : {"", "5", "8-2", "-1", "1-", "-1-2", "a-b", "1 - 2", "1e3-2e3"}) {
        EXPECT_FALSE(pw::ParsePace(bad)) << bad;
    }
}

}  // namespace
