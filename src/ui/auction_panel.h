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
    wxButton* Dummy() const { return dummy_; }

    void Command1_Click();   // call 1st
    void Command2_Click();   // call 2nd
    void Command3_Click();   // call 3rd
    void Command4_Click();   // SOLD
    void Command5_Click();   // State Item
    void Command6_Click();   // Get Bids
    void Command7_Click();   // State Rules
    void Command11_Click();  // Get Next Item

private:
    // A floor command as the host's click runs it: refused while busy, ends on Dummy.
    template <class Command>
    void Run(Command command);

    wxButton* dummy_ = nullptr;
    Caption* blockItem_ = nullptr;
    Caption* blockMin_ = nullptr;
    Caption* currentBid_ = nullptr;
    Caption* currentBidder_ = nullptr;
    Caption* lastBid_ = nullptr;
    Caption* lastBidder_ = nullptr;
    std::vector<wxWindow*> controls_;  // every control but Dummy
};

}  // namespace gv::ui
