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
        {.name = "Command7", .look = Look::Button, .twips = {120, 120, 1575, 375}, .text = "State Rules"},
        {.name = "Command5", .look = Look::Button, .twips = {1800, 120, 1575, 375}, .text = "State Item"},
        {.name = "Command6", .look = Look::Button, .twips = {120, 600, 1575, 375}, .text = "Get Bids"},
        {.name = "Command11", .look = Look::Button, .twips = {2040, 600, 1335, 375}, .text = "Get Next Item"},
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
        {.name = "Command1", .look = Look::Button, .twips = {120, 2160, 855, 375}, .text = "call 1st"},
        {.name = "Command2", .look = Look::Button, .twips = {960, 2160, 855, 375}, .text = "call 2nd"},
        {.name = "Command3", .look = Look::Button, .twips = {1800, 2160, 855, 375}, .text = "call 3rd"},
        {.name = "Command4", .look = Look::Button, .twips = {2640, 2160, 735, 375}, .text = "SOLD"},
    };
}

}  // namespace

AuctionPanel::AuctionPanel(wxWindow* client, ControlBuilder& build, Auction& auction, PanelHost& host)
    : PanelBase(auction, host) {
    std::map<std::string, wxWindow*> made;
    for (const ControlDesign& design : AuctionDesign()) {
        wxWindow* control = build.Build(client, design);
        made[design.name] = control;
        if (design.name != "Dummy") controls_.push_back(control);
    }
    dummy_ = static_cast<wxButton*>(made["Dummy"]);
    // The focus rests there after every command; a reader has nothing to say of it.
    HideFromAssistiveTechnology(dummy_);
    blockItem_ = static_cast<Caption*>(made["BlockItem"]);
    blockMin_ = static_cast<Caption*>(made["BlockMin"]);
    currentBid_ = static_cast<Caption*>(made["CurrentBid"]);
    currentBidder_ = static_cast<Caption*>(made["CurrentBidder"]);
    lastBid_ = static_cast<Caption*>(made["LastBid"]);
    lastBidder_ = static_cast<Caption*>(made["LastBidder"]);

    const std::pair<const char*, void (AuctionPanel::*)()> handlers[] = {
        {"Command7", &AuctionPanel::Command7_Click}, {"Command5", &AuctionPanel::Command5_Click},
        {"Command6", &AuctionPanel::Command6_Click}, {"Command11", &AuctionPanel::Command11_Click},
        {"Command1", &AuctionPanel::Command1_Click}, {"Command2", &AuctionPanel::Command2_Click},
        {"Command3", &AuctionPanel::Command3_Click}, {"Command4", &AuctionPanel::Command4_Click},
    };
    for (const auto& [name, handler] : handlers) {
        made[name]->Bind(wxEVT_BUTTON, [this, handler = handler](wxCommandEvent&) { (this->*handler)(); });
    }
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

template <class Command>
void AuctionPanel::Run(Command command) {
    if (!host_.Idle()) return;
    command(auction_.floor);
    host_.FocusDummy();
}

void AuctionPanel::Command1_Click() {
    Run([](Floor& floor) { floor.Call(1); });
}

void AuctionPanel::Command2_Click() {
    Run([](Floor& floor) { floor.Call(2); });
}

void AuctionPanel::Command3_Click() {
    Run([](Floor& floor) { floor.Call(3); });
}

void AuctionPanel::Command4_Click() {
    Run([](Floor& floor) { floor.Sold(); });
}

void AuctionPanel::Command5_Click() {
    Run([](Floor& floor) { floor.StateItem(); });
}

void AuctionPanel::Command6_Click() {
    Run([](Floor& floor) { floor.GetBids(); });
}

void AuctionPanel::Command7_Click() {
    Run([](Floor& floor) { floor.StateRules(); });
}

void AuctionPanel::Command11_Click() {
    Run([this](Floor& floor) {
        floor.GetNextItem();
        ShowBlock();
    });
}

}  // namespace gv::ui
