#pragma once
// The item list panel ListFrame: the list box List2, the boxes for a new entry, Add to List
// and Delete.

#include "floor/auction.h"
#include "ui/controls.h"
#include "ui/panel_host.h"

class wxButton;
class wxListBox;
class wxPanel;
class wxTextCtrl;

namespace gv::ui {

class ListPanel : private PanelBase {
public:
    ListPanel(wxWindow* client, ControlBuilder& build, Auction& auction, PanelHost& host);

    wxPanel* Frame() const { return frame_; }
    // The list box and the Delete button as the item list holds them.
    void ShowItems();
    void HideDelete();
    wxButton* Button(Command command) const { return buttons_.Find(command); }

    void OnAddToList();
    void OnDelete();
    void OnSelect();  // a row of the list box chosen, or none

private:
    wxPanel* frame_ = nullptr;
    wxListBox* list_ = nullptr;
    wxTextCtrl* auctionItem_ = nullptr;
    wxTextCtrl* minBid_ = nullptr;
    CommandButtons buttons_;
    wxButton* deleteButton_ = nullptr;
};

}  // namespace gv::ui
