#pragma once
// The main window's four panels on its client area: the auction panel, and the three frames
// that cover it when shown (the item list ListFrame, the tier table BidFrame, AboutFrame).
// The captions and the list follow the floor's block by themselves.

#include <memory>

#include "floor/auction.h"
#include "floor/floor_events.h"
#include "ui/about_panel.h"
#include "ui/auction_panel.h"
#include "ui/list_panel.h"
#include "ui/tier_panel.h"

namespace gv::ui {

class PanelSet final : public FloorListener {
public:
    enum class Panel { Auction, List, Bids, About };

    // Built in the tab order: the auction panel's controls, then the three frames.
    PanelSet(wxWindow* client, ControlBuilder& build, Auction& auction, PanelHost& host, wxWindow* top);

    void Show(Panel panel);
    Panel Shown() const { return shown_; }
    AuctionPanel& AuctionControls() { return auction_; }
    ListPanel& ListControls() { return list_; }
    TierPanel& TierControls() { return tiers_; }
    wxButton* Dummy() const { return auction_.Dummy(); }
    // The button of a command of the auction or the item list panel.
    wxButton* Button(Command command) const;
    // Where every command ends: no tier box is left highlighted, the focus on Dummy.
    void FocusDummy();

    void BlockChanged() override;
    void ItemsChanged() override;
    void TiersChanged() override;

private:
    AuctionPanel auction_;
    ListPanel list_;
    TierPanel tiers_;
    AboutPanel about_;
    Panel shown_ = Panel::Auction;
    FloorEvents::Subscription subscription_;
};

}  // namespace gv::ui
