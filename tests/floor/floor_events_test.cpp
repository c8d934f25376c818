// The floor's events: any number of listeners, each told in order, free to leave or come while
// they are told; and what one Get Bids tells of itself.

#include "floor/floor_events.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes.h"
#include "floor/floor.h"

namespace gv {
namespace {

struct Ear final : FloorListener {
    Ear(std::vector<std::string>& into, std::string called) : heard(into), name(std::move(called)) {}
    void BlockChanged() override {
        heard.push_back(name);
        if (onHeard) onHeard();
    }
    void BidsTaken(const BidsOutcome& outcome) override { outcomes.push_back(outcome); }
    std::vector<std::string>& heard;
    std::string name;
    std::function<void()> onHeard;
    std::vector<BidsOutcome> outcomes;
};

void TellBlockChanged(FloorEvents& events) {
    events.Tell([](FloorListener& listener) { listener.BlockChanged(); });
}

TEST(FloorEvents, EveryListenerIsToldInOrderAndMayLeaveOrComeWhileTold) {
    FloorEvents events;
    std::vector<std::string> heard;
    Ear a{heard, "a"}, b{heard, "b"}, c{heard, "c"}, late{heard, "late"};
    auto hearA = events.Subscribe(a);
    auto hearB = events.Subscribe(b);
    auto hearC = events.Subscribe(c);
    FloorEvents::Subscription hearLate;
    // b leaves while told and brings another in: c is still told, the newcomer from the next.
    b.onHeard = [&] {
        hearB = {};
        hearLate = events.Subscribe(late);
    };
    TellBlockChanged(events);
    EXPECT_EQ(heard, (std::vector<std::string>{"a", "b", "c"}));
    heard.clear();
    TellBlockChanged(events);
    EXPECT_EQ(heard, (std::vector<std::string>{"a", "c", "late"}));
    EXPECT_EQ(events.Listeners(), 3u);
    {
        FloorEvents::Subscription moved = std::move(hearA);
    }  // the listener leaves with the subscription, wherever it was moved
    EXPECT_EQ(events.Listeners(), 2u);
}

TEST(FloorEvents, GetBidsTellsWhetherTheChatCameAndWhetherTheCurrentBidChanged) {
    testing::FloorRig rig;
    rig.floor.SetCapturePath(::testing::TempDir() + "gv_floor_events_capture.txt");
    std::vector<std::string> heard;
    Ear ear{heard, "ear"};
    auto hear = rig.floor.Events().Subscribe(ear);
    PutOnBlock(rig.block, "Oak chest - 500");
    rig.link.fetches.assign(5, ChatFetch{"", LinkFault::NotAnswering});
    const BidsOutcome failed = rig.floor.GetBids();
    const std::string chat =
        testing::Chat({"Host: Item on the Block currently is Oak chest", "ESP from Ann: 500"});
    rig.link.fetches = {{chat}, {chat}};
    const BidsOutcome first = rig.floor.GetBids();
    const BidsOutcome again = rig.floor.GetBids();
    EXPECT_FALSE(failed.fetched);
    EXPECT_TRUE(first.fetched && first.newBid);
    EXPECT_TRUE(again.fetched);
    EXPECT_FALSE(again.newBid);
    ASSERT_EQ(ear.outcomes.size(), 3u);
    EXPECT_TRUE(ear.outcomes[1].newBid);
}

}  // namespace
}  // namespace gv
