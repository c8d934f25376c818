#pragma once
// The auction panel: the announcement and bid buttons and the six block captions, placed
// directly on the main window's client area, and the off-screen focus target Dummy.

#include <vector>

#include "floor/auction.h"
#include "ui/controls.h"
#include "ui/panel_host.h"

class wxButton;

namespace gv::ui {

class AuctionPanel : private PanelBase {
public:
    AuctionPanel(wxWindow* client, ControlBuilder& build, Auction& auction, PanelHost& host);

    // Hidden while a frame covers the panel, so that neither the mouse nor Tab reaches it.
    void Show(bool shown);
    void ShowBlock();
    // A new current bid that came by itself: its caption is marked until told otherwise.
    void MarkNewBid(bool marked);
    bool NewBidMarked() const;
    wxButton* Dummy() const { return dummy_; }
    // Where Dummy is designed to lie, beyond the client area's right edge.
    const Twips& DummyTwips() const { return dummyTwips_; }
    // The button of one of the panel's commands; none for a command of another panel.
    wxButton* Button(Command command) const { return buttons_.Find(command); }

private:
    wxButton* dummy_ = nullptr;
    Twips dummyTwips_ = {};
    CommandButtons buttons_;
    Caption* blockItem_ = nullptr;
    Caption* blockMin_ = nullptr;
    Caption* currentBid_ = nullptr;
    Caption* currentBidder_ = nullptr;
    Caption* lastBid_ = nullptr;
    Caption* lastBidder_ = nullptr;
    std::vector<wxWindow*> controls_;  // every control but Dummy
};

}  // namespace gv::ui
