#include "ui/auction_panel.h"

#include <wx/button.h>

#include <map>

#include "ui/accessibility.h"
#include "ui/caption.h"
#include "ui/command_table.h"

namespace gv::ui {

namespace {

ControlDesign CommandButton(const char* name, Twips twips, Command command) {
    return {.name = name,
            .look = Look::Button,
            .twips = twips,
            .text = std::string(RowOf(command).name),
            .command = command};
}

// A block caption: its placeholder, and what it shows for a screen reader.
ControlDesign BlockCaption(const char* name, Twips twips, const char* placeholder, const char* role) {
    return {.name = name, .look = Look::Value, .twips = twips, .text = placeholder, .spokenRole = role};
}

// In the tab order: Dummy first, so that it holds the focus when the window opens.
std::vector<ControlDesign> AuctionDesign() {
    return {
        {.name = "Dummy",
         .look = Look::Button,
         .twips = {3600, 120, 1935, 495},
         .text = "Dummy Button",
         .measured = false},
        CommandButton("Command7", {120, 120, 1575, 375}, Command::StateRules),
        CommandButton("Command5", {1800, 120, 1575, 375}, Command::StateItem),
        CommandButton("Command6", {120, 600, 1575, 375}, Command::GetBids),
        CommandButton("Command11", {2040, 600, 1335, 375}, Command::GetNextItem),
        BlockCaption("BlockMin", {120, 1080, 855, 255}, "Min Bid", "Minimum bid"),
        BlockCaption("BlockItem", {960, 1080, 2415, 255}, "Item on the block", "Item on the block"),
        BlockCaption("CurrentBidder", {120, 1440, 2415, 255}, "Current Bidder", "Current bidder"),
        BlockCaption("CurrentBid", {2520, 1440, 855, 255}, "Current Bid", "Current bid"),
        BlockCaption("LastBidder", {120, 1800, 2415, 255}, "Last Bidder", "Last bidder"),
        BlockCaption("LastBid", {2520, 1800, 855, 255}, "Last Bid", "Last bid"),
        CommandButton("Command1", {120, 2160, 855, 375}, Command::Call1st),
        CommandButton("Command2", {960, 2160, 855, 375}, Command::Call2nd),
        CommandButton("Command3", {1800, 2160, 855, 375}, Command::Call3rd),
        CommandButton("Command4", {2640, 2160, 735, 375}, Command::Sold),
    };
}

}  // namespace

AuctionPanel::AuctionPanel(wxWindow* client, ControlBuilder& build, Auction& auction, PanelHost& host)
    : PanelBase(auction, host) {
    std::map<std::string, wxWindow*> made;
    for (const ControlDesign& design : AuctionDesign()) {
        wxWindow* control = build.Build(client, design);
        made[design.name] = control;
        buttons_.Add(control, design, [this](Command command) { host_.Run(command, Origin::Window); });
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

void AuctionPanel::MarkNewBid(bool marked) { currentBid_->SetMarked(marked); }

bool AuctionPanel::NewBidMarked() const { return currentBid_->Marked(); }

}  // namespace gv::ui
