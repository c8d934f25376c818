// The child of E2eKilledAfterSold: sells a Lamp through the real window and is killed with
// SIGKILL as soon as SOLD has returned, before anything else can run. It says where its
// files are, since nothing of it is left to clean up after itself.

#include <unistd.h>
#include <wx/button.h>

#include <csignal>
#include <cstdio>

#include "auction_fixture.h"

namespace gv::e2e {
namespace {

class E2eKilledAfterSold : public AuctionTest {};

TEST_F(E2eKilledAfterSold, Child) {
    WriteItems({"Vase - 5", "Lamp - 10"});
    StartAuction();
    Press(Command::GetNextItem);  // right after start: the Lamp
    Press(Command::StateItem);
    Post({"ESP from Ann: 50"});
    GetBids();
    std::printf("FOLDER %s\nSERVICE %s\nPID %d\n", folder_.c_str(), service_->Path().c_str(), ::getpid());
    std::fflush(stdout);

    const std::size_t before = world_->Said().size();
    Click(Button(Command::Sold));
    ASSERT_TRUE(
        WaitUntil([&] { return world_->Said().size() >= before + 2 && !frame_->Gate().IsBusy(); }, 5000));
    std::raise(SIGKILL);
}

}  // namespace
}  // namespace gv::e2e
