#include "auction_fixture.h"

#include <wx/button.h>

namespace gv::e2e {

namespace {

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace

std::string Name(Transport transport) { return transport == Transport::Dde ? "Dde" : "Library"; }

void AuctionTest::SetUp() {
    GuiTest::SetUp();
    service_ = std::make_unique<ServiceFolder>();
}

Auction& AuctionTest::AuctionForWindow() {
    desktop_ = std::make_unique<ui::DesktopAuction>(sink_);
    return desktop_->Get();
}

void AuctionTest::TearDown() {
    // The window goes first, so it unregisters from a world that is still there.
    GuiTest::TearDown();
    desktop_.reset();
    world_.reset();
    service_.reset();
}

void AuctionTest::UseTransport(Transport transport) {
    transport_ = transport;
    if (transport == Transport::Library) {
        ui::test::WriteFile(folder_ / "SCONTROL.TXT", CrLfLines({"VZones 3.0", "0", "1", "0"}));
    } else {
        std::filesystem::remove(folder_ / "SCONTROL.TXT");
    }
}

void AuctionTest::WriteTiers(const std::vector<std::string>& lines) {
    ui::test::WriteFile(folder_ / "BIDS.TXT", CrLfLines(lines));
}

void AuctionTest::WriteItems(const std::vector<std::string>& lines) {
    ui::test::WriteFile(folder_ / "Items.TXT", CrLfLines(lines));
}

void AuctionTest::StartAuction(const WorldOptions& world) {
    world_ = std::make_unique<WorldProcess>(GV_PRACTICE_WORLD, service_->Path(), world);
    ASSERT_TRUE(world_->Ready()) << world_->Problem();
    StartWindow();
    ASSERT_TRUE(WaitUntil([&] { return !frame_->Gate().IsBusy(); }));
    EXPECT_TRUE(sink_.shown.empty()) << sink_.shown.front().text;
}

std::vector<std::string> AuctionTest::Press(Command command) {
    const std::size_t before = world_->Said().size();
    wxButton* target = Button(command);
    if (target == nullptr) return {};
    const std::string button = target->GetLabel().utf8_string();
    EXPECT_TRUE(target->IsShownOnScreen()) << button;
    Click(target);
    if (command == Command::GetNextItem) {
        // Get Next Item says nothing and does not wait on the chat: give anything it might
        // wrongly send time to arrive.
        ui::test::Settle(200);
    } else {
        // Every other button of the panel speaks: wait for its first line to reach the world
        // and for the command to end, so that all of its lines are in.
        EXPECT_TRUE(WaitUntil([&] { return world_->Said().size() > before && !frame_->Gate().IsBusy(); }))
            << button << " said nothing or did not finish";
        ui::test::Settle(60);
    }
    std::vector<std::string> said = world_->Said();
    said.erase(said.begin(), said.begin() + static_cast<std::ptrdiff_t>(std::min(before, said.size())));
    return said;
}

void AuctionTest::GetBids() {
    const std::size_t before = world_->Fetches();
    Click(Button(Command::GetBids));
    // A click held for the end of a live run has not fetched yet.
    EXPECT_TRUE(WaitUntil([&] {
        return world_->Fetches() > before && !frame_->Gate().IsBusy() && !frame_->Gate().CommandHeld();
    })) << "Get Bids did not fetch the chat";
    ui::test::Settle(60);
}

void AuctionTest::ChooseMenu(std::size_t index) {
    ClickMenu(index);
    ui::test::Settle(60);
}

void AuctionTest::Post(const std::vector<std::string>& lines) {
    ASSERT_TRUE(world_->Post(lines)) << "the world did not take the lines";
}

std::vector<std::string> AuctionTest::BlockLabels() const {
    std::vector<std::string> labels;
    for (const char* name :
         {"BlockItem", "BlockMin", "CurrentBid", "CurrentBidder", "LastBid", "LastBidder"}) {
        labels.push_back(Text(name).utf8_string());
    }
    return labels;
}

}  // namespace gv::e2e
