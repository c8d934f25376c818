#include "ui/list_panel.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include "ui/command_table.h"
#include "ui/key_input.h"

namespace gv::ui {

ListPanel::ListPanel(wxWindow* client, ControlBuilder& build, Auction& auction, PanelHost& host)
    : PanelBase(auction, host) {
    frame_ =
        build.Add<wxPanel>(client, {.name = "ListFrame", .look = Look::Frame, .twips = {120, 0, 3255, 2535}});
    const auto label = [&](const char* name, const char* text, Twips twips, Caption::Align align) {
        build.Build(frame_,
                    {.name = name, .look = Look::Label, .twips = twips, .text = text, .align = align});
    };
    label("Label11", "Auction Items", {120, 120, 3015, 255}, Caption::Align::Centre);
    list_ = build.Add<wxListBox>(frame_, {.name = "List2",
                                          .look = Look::List,
                                          .twips = {120, 360, 3015, 1200},
                                          .spokenName = "Auction Items"});
    label("Label12", "Item", {0, 1680, 495, 255}, Caption::Align::Right);
    auctionItem_ = build.Add<wxTextCtrl>(frame_, {.name = "AuctionItem",
                                                  .look = Look::TextBox,
                                                  .twips = {600, 1680, 2535, 285},
                                                  .spokenName = "Item"});
    label("Label13", "Min Bid", {0, 2040, 735, 255}, Caption::Align::Right);
    minBid_ = build.Add<wxTextCtrl>(frame_, {.name = "MinBid",
                                             .look = Look::TextBox,
                                             .twips = {840, 2040, 735, 285},
                                             .maxChars = kMinBidMaxChars,
                                             .spokenName = "Minimum bid"});
    const ControlDesign addToList = {.name = "Command9",
                                     .look = Look::Button,
                                     .twips = {1680, 2040, 1455, 375},
                                     .text = std::string(RowOf(Command::AddToList).name),
                                     .command = Command::AddToList};
    // Last in the tab order, and created after the list box so that it is drawn above it.
    const ControlDesign deleteEntry = {.name = "Command8",
                                       .look = Look::Button,
                                       .twips = {2280, 1200, 735, 375},
                                       .text = std::string(RowOf(Command::Delete).name),
                                       .command = Command::Delete};
    const auto press = [this](Command command) { host_.Run(command, Origin::Window); };
    buttons_.Add(build.Build(frame_, addToList), addToList, press);
    buttons_.Add(build.Build(frame_, deleteEntry), deleteEntry, press);
    deleteButton_ = buttons_.Find(Command::Delete);
    deleteButton_->Hide();

    list_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { OnSelect(); });
    minBid_->Bind(wxEVT_CHAR, [](wxKeyEvent& event) { FilterKey(event, &FilterMinBidKey); });
    FilterPastes(minBid_, &FilterMinBidKey, kMinBidMaxChars);
}

void ListPanel::OnAddToList() {
    if (!host_.Idle()) return;
    std::string item = auctionItem_->GetValue().utf8_string();
    std::string minBid = minBid_->GetValue().utf8_string();
    const bool added = AddToList(auction_.items, item, minBid);
    ShowText(auctionItem_, wxString::FromUTF8(item));
    ShowText(minBid_, wxString::FromUTF8(minBid));
    if (!added) return;
    LogCommand(auction_, Command::AddToList, Origin::Window, auction_.items.Entries().back());
    ShowItems();
    host_.FocusDummy();
}

void ListPanel::OnDelete() {
    if (!host_.Idle()) return;
    const auto selected = auction_.items.Selection();
    if (selected) {
        LogCommand(auction_, Command::Delete, Origin::Window, auction_.items.Entries()[*selected]);
    }
    DeleteSelected(auction_.items);
    ShowItems();
    host_.FocusDummy();
}

void ListPanel::OnSelect() {
    const int selection = list_->GetSelection();
    auction_.items.Select(selection == wxNOT_FOUND
                              ? std::nullopt
                              : std::optional<std::size_t>(static_cast<std::size_t>(selection)));
    deleteButton_->Hide();
    if (auction_.items.Selection()) {
        deleteButton_->Show();
        deleteButton_->Raise();
    }
}

void ListPanel::HideDelete() { deleteButton_->Hide(); }

void ListPanel::ShowItems() {
    const ItemList& items = auction_.items;
    const auto& entries = items.Entries();
    bool same = list_->GetCount() == entries.size();
    for (unsigned i = 0; same && i < entries.size(); ++i) {
        same = list_->GetString(i) == wxString::FromUTF8(entries[i]);
    }
    if (!same) {
        wxArrayString rows;
        for (const std::string& entry : entries) rows.Add(wxString::FromUTF8(entry));
        list_->Set(rows);
    }
    const auto selection = items.Selection();
    list_->SetSelection(selection ? static_cast<int>(*selection) : wxNOT_FOUND);
    deleteButton_->Show(selection.has_value());
    if (selection) deleteButton_->Raise();
}

}  // namespace gv::ui
