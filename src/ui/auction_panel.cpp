#include "ui/auction_panel.h"

#include <wx/button.h>

#include <map>

#include "ui/accessibility.h"

namespace gv::ui {

namespace {

// In the tab order: Dummy first, so that it holds the focus when the window opens.
std::vector<ControlDesign> AuctionDesign() {
    return {
        {.name = "Dummy",
         .look = Look::Button,
         .twips = {3600, 120, 1935, 495},
         .text = "Dummy Button",
         .measured = false},
        {.name = "Command7",
         .look = Look::Button,
         .twips = {120, 120, 1575, 375},
         .text = "State Rules",
         .command = Command::StateRules},
        {.name = "Command5",
         .look = Look::Button,
         .twips = {1800, 120, 1575, 375},
         .text = "State Item",
         .command = Command::StateItem},
        {.name = "Command6",
         .look = Look::Button,
         .twips = {120, 600, 1575, 375},
         .text = "Get Bids",
         .command = Command::GetBids},
        {.name = "Command11",
         .look = Look::Button,
         .twips = {2040, 600, 1335, 375},
         .text = "Get Next Item",
         .command = Command::GetNextItem},
        {.name = "BlockMin",
         .look = Look::Value,
         .twips = {120, 1080, 855, 255},
         .text = "Min Bid",
         .spokenRole = "Minimum bid"},
        {.name = "BlockItem",
         .look = Look::Value,
         .twips = {960, 1080, 2415, 255},
         .text = "Item on the block",
         .spokenRole = "Item on the block"},
        {.name = "CurrentBidder",
         .look = Look::Value,
         .twips = {120, 1440, 2415, 255},
         .text = "Current Bidder",
         .spokenRole = "Current bidder"},
        {.name = "CurrentBid",
         .look = Look::Value,
         .twips = {2520, 1440, 855, 255},
         .text = "Current Bid",
         .spokenRole = "Current bid"},
        {.name = "LastBidder",
         .look = Look::Value,
         .twips = {120, 1800, 2415, 255},
         .text = "Last Bidder",
         .spokenRole = "Last bidder"},
        {.name = "LastBid",
         .look = Look::Value,
         .twips = {2520, 1800, 855, 255},
         .text = "Last Bid",
         .spokenRole = "Last bid"},
        {.name = "Command1",
         .look = Look::Button,
         .twips = {120, 2160, 855, 375},
         .text = "call 1st",
         .command = Command::Call1st},
        {.name = "Command2",
         .look = Look::Button,
         .twips = {960, 2160, 855, 375},
         .text = "call 2nd",
         .command = Command::Call2nd},
        {.name = "Command3",
         .look = Look::Button,
         .twips = {1800, 2160, 855, 375},
         .text = "call 3rd",
         .command = Command::Call3rd},
        {.name = "Command4",
         .look = Look::Button,
         .twips = {2640, 2160, 735, 375},
         .text = "SOLD",
         .command = Command::Sold},
    };
}

}  // namespace

AuctionPanel::AuctionPanel(wxWindow* client, ControlBuilder& build, Auction& auction, PanelHost& host)
    : PanelBase(auction, host) {
    std::map<std::string, wxWindow*> made;
    for (const ControlDesign& design : AuctionDesign()) {
        wxWindow* control = build.Build(client, design);
        made[design.name] = control;
        buttons_.Add(control, design, [this](Command command) { Press(command); });
        if (design.name == "Dummy") {
            dummy_ = static_cast<wxButton*>(control);
            dummyTwips_ = design.twips;
        } else {
            controls_.push_back(control);
        }
    }
    // The focus rests there after every command; a reader has nothing to say of it.
    HideFromAssistiveTechnology(dummy_);
    blockItem_ = static_cast<Caption*>(made["BlockItem"]);
    blockMin_ = static_cast<Caption*>(made["BlockMin"]);
    currentBid_ = static_cast<Caption*>(made["CurrentBid"]);
    currentBidder_ = static_cast<Caption*>(made["CurrentBidder"]);
    lastBid_ = static_cast<Caption*>(made["LastBid"]);
    lastBidder_ = static_cast<Caption*>(made["LastBidder"]);
}

void AuctionPanel::Show(bool shown) {
    for (wxWindow* control : controls_) control->Show(shown);
}

void AuctionPanel::ShowBlock() {
    const BlockState& block = auction_.block;
    blockItem_->SetLabel(wxString::FromUTF8(block.blockItem));
    blockMin_->SetLabel(wxString::FromUTF8(block.blockMin));
    currentBid_->SetLabel(wxString::FromUTF8(block.currentBid));
    currentBidder_->SetLabel(wxString::FromUTF8(block.currentBidder));
    lastBid_->SetLabel(wxString::FromUTF8(block.lastBid));
    lastBidder_->SetLabel(wxString::FromUTF8(block.lastBidder));
}

void AuctionPanel::Press(Command command) {
    if (!host_.Idle()) return;
    Floor& floor = auction_.floor;
    switch (command) {
        case Command::StateRules:
            floor.StateRules();
            break;
        case Command::StateItem:
            floor.StateItem();
            break;
        case Command::GetBids:
            floor.GetBids();
            break;
        case Command::GetNextItem:
            floor.GetNextItem();
            ShowBlock();
            break;
        case Command::Call1st:
            floor.Call(1);
            break;
        case Command::Call2nd:
            floor.Call(2);
            break;
        case Command::Call3rd:
            floor.Call(3);
            break;
        case Command::Sold:
            floor.Sold();
            break;
        case Command::AddToList:
        case Command::Delete:
            return;  // the item list panel's
    }
    host_.FocusDummy();
}

}  // namespace gv::ui
