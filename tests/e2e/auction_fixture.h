#pragma once
// A whole auction: the real main window, linked over the real transport to practice-world
// running as a child process, driven by clicking the real buttons.

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "gui_fixture.h"
#include "ui/desktop.h"
#include "world_process.h"

namespace gv::e2e {

using ui::Command;

enum class Transport { Dde, Library };

std::string Name(Transport transport);
// Test names and failure messages say the transport by name.
inline void PrintTo(Transport transport, std::ostream* out) { *out << Name(transport); }

class AuctionTest : public ui::test::GuiTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // The real chat link, as the program builds it.
    Auction& AuctionForWindow() override;

    // Before StartAuction: the files the window reads at start, in its working folder.
    void UseTransport(Transport transport);
    void WriteTiers(const std::vector<std::string>& lines);  // BIDS.TXT
    void WriteItems(const std::vector<std::string>& lines);  // Items.TXT

    // Starts the world, then the window (which registers with it).
    void StartAuction(const WorldOptions& world = {});

    // Clicks the auction panel's button and waits until its command has finished; returns
    // the lines the tool said into the chat meanwhile (none for Get Next Item).
    std::vector<std::string> Press(Command command);
    // Get Bids: clicks and waits until the chat was fetched and the command has finished.
    void GetBids();
    void ChooseMenu(std::size_t index);  // 0 Auction, 1 List, 2 Bids, 3 ReConnect, 4 About
    void Post(const std::vector<std::string>& lines);

    // The six block labels as the window shows them:
    // BlockItem, BlockMin, CurrentBid, CurrentBidder, LastBid, LastBidder.
    std::vector<std::string> BlockLabels() const;

    Transport transport_ = Transport::Dde;
    std::unique_ptr<ServiceFolder> service_;
    std::unique_ptr<WorldProcess> world_;
    std::unique_ptr<ui::DesktopAuction> desktop_;
};

// The same tests in both transports.
class BothTransports : public AuctionTest, public ::testing::WithParamInterface<Transport> {
protected:
    void SetUp() override {
        AuctionTest::SetUp();
        UseTransport(GetParam());
    }
};

// Oak chest on the block and stated, so bids count from here on.
template <class Base>
class StatedItem : public Base {
protected:
    void SetUp() override {
        Base::SetUp();
        this->WriteItems({"Oak chest - 500"});
        this->StartAuction();
        this->ChooseMenu(0);
        this->Press(Command::StateItem);
    }
};

inline std::string TransportName(const ::testing::TestParamInfo<Transport>& info) { return Name(info.param); }

}  // namespace gv::e2e
