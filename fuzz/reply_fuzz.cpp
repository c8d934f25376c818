// Whatever bytes the chat client answers GetAllText with (NUL bytes, no CR, code-page bytes of
// every kind, any length), Get Bids ends, leaves the busy state, and shows captions the next
// Get Bids can read again.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "common/ansi.h"
#include "common/text.h"
#include "fakes.h"
#include "floor/floor.h"
#include "require.h"

namespace {

const std::filesystem::path& CapturePath() {
    static const std::filesystem::path path = [] {
        const std::filesystem::path shm = "/dev/shm";
        const auto base = std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
        return base / ("gv-fuzz-TALLY-" + std::to_string(::getpid()) + ".TXT");
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gv::testing::FloorRig rig;
    rig.floor.SetCapturePath(CapturePath());
    rig.tiers.Row(0) = {"0", "999", "10"};
    rig.tiers.Row(1) = {"1000", "9999999", "100"};
    gv::PutOnBlock(rig.block, "Oak chest - 500");
    // The reply as the link hands it over: the client's ANSI bytes widened to our own text.
    const std::string reply = gv::FromAnsi(std::string_view(reinterpret_cast<const char*>(data), size));
    rig.link.fetches = {{reply}, {reply}};

    rig.floor.GetBids();
    GV_REQUIRE(rig.calls.events.front() == "enter" && rig.calls.events.back() == "leave");
    const double bid = gv::ValOrInfinity(rig.block.currentBid);
    GV_REQUIRE(rig.block.currentBid.empty() || (bid >= 500 && bid < gv::ValOrInfinity("1E309")));

    const gv::BlockState after = rig.block;
    rig.floor.GetBids();  // the same chat again: nothing new
    GV_REQUIRE(rig.block.currentBid == after.currentBid && rig.block.lastBid == after.lastBid);
    return 0;
}
