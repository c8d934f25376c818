#include "ui/panel_set.h"

#include <wx/button.h>
#include <wx/panel.h>

namespace gv::ui {

PanelSet::PanelSet(wxWindow* client, ControlBuilder& build, Auction& auction, PanelHost& host, wxWindow* top)
    : auction_(client, build, auction, host),
      list_(client, build, auction, host),
      tiers_(client, build, auction, top),
      about_(client, build),
      subscription_(auction.floor.Events().Subscribe(*this)) {}

void PanelSet::Show(Panel panel) {
    shown_ = panel;
    // A frame covers the auction panel; its controls are hidden under it, so neither the
    // mouse nor Tab can reach them.
    list_.Frame()->Show(panel == Panel::List);
    tiers_.Frame()->Show(panel == Panel::Bids);
    about_.Frame()->Show(panel == Panel::About);
    auction_.Show(panel == Panel::Auction);
}

wxButton* PanelSet::Button(Command command) const {
    wxButton* button = auction_.Button(command);
    return button ? button : list_.Button(command);
}

void PanelSet::FocusDummy() {
    tiers_.LeaveFocusedHigh();
    Dummy()->SetFocus();
}

void PanelSet::BlockChanged() { auction_.ShowBlock(); }

void PanelSet::ItemsChanged() { list_.ShowItems(); }

void PanelSet::TiersChanged() { tiers_.ShowTiers(); }

}  // namespace gv::ui
