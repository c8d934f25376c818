#include "ui/tier_panel.h"

#include <wx/panel.h>
#include <wx/textctrl.h>

#include "ui/key_input.h"

namespace gv::ui {

TierPanel::TierPanel(wxWindow* client, ControlBuilder& build, Auction& auction, wxWindow* top)
    : auction_(auction), top_(top) {
    frame_ =
        build.Add<wxPanel>(client, {.name = "BidFrame", .look = Look::Frame, .twips = {120, 0, 3255, 2535}});
    const std::pair<const char*, const char*> headings[] = {
        {"Label6", "Low"}, {"Label9", "Last"}, {"Label8", "High"}, {"Label10", "Raise"}};
    const int headingLeft[] = {120, 960, 1680, 2520};
    const int headingWidth[] = {855, 735, 855, 735};
    for (int i = 0; i < 4; ++i) {
        build.Build(frame_, {.name = headings[i].first,
                             .look = Look::Label,
                             .twips = {headingLeft[i], 120, headingWidth[i], 255},
                             .text = headings[i].second});
    }
    for (int r = 0; r < kTierRows; ++r) {
        BuildRow(build, r);
        BindRow(r);
    }
}

void TierPanel::BuildRow(ControlBuilder& build, int r) {
    const int top = 360 + 360 * r;
    const std::string index = "(" + std::to_string(r) + ")";
    const std::string spokenRow = "Row " + std::to_string(r + 1);
    Row& row = rows_[static_cast<std::size_t>(r)];
    row.low = build.Add<Caption>(frame_, {.name = "LowBid" + index,
                                          .look = Look::Value,
                                          .twips = {120, top, 855, 255},
                                          .spokenName = spokenRow + " low bound"});
    build.Build(frame_, {.name = "Label7" + index,
                         .look = Look::Label,
                         .twips = {960, top, 735, 255},
                         .text = r == 0 ? "< bid >" : "<      >"});
    row.high = build.Add<wxTextCtrl>(frame_, {.name = "HighBid" + index,
                                              .look = Look::TextBox,
                                              .twips = {1680, top, 855, 285},
                                              .maxChars = kHighBidMaxChars,
                                              .centred = true,
                                              .spokenName = spokenRow + " high bound"});
    row.raise = build.Add<wxTextCtrl>(frame_, {.name = "RaiseAmount" + index,
                                               .look = Look::TextBox,
                                               .twips = {2640, top, 495, 285},
                                               .maxChars = kRaiseMaxChars,
                                               .centred = true,
                                               .spokenName = spokenRow + " raise"});
}

void TierPanel::BindRow(int r) {
    wxTextCtrl* high = rows_[static_cast<std::size_t>(r)].high;
    wxTextCtrl* raise = rows_[static_cast<std::size_t>(r)].raise;
    high->Bind(wxEVT_CHAR, [this, r](wxKeyEvent& e) { OnKey(e, {TierBox::High, r}); });
    raise->Bind(wxEVT_CHAR, [this, r](wxKeyEvent& e) { OnKey(e, {TierBox::Raise, r}); });
    FilterPastes(high, &FilterHighBoundKey, kHighBidMaxChars);
    FilterPastes(raise, &FilterRaiseKey, kRaiseMaxChars);
    // The table always equals what the host sees.
    high->Bind(wxEVT_TEXT, [this, r, high](wxCommandEvent&) {
        auction_.tiers.Row(r).high = high->GetValue().utf8_string();
    });
    raise->Bind(wxEVT_TEXT, [this, r, raise](wxCommandEvent&) {
        auction_.tiers.Row(r).raise = raise->GetValue().utf8_string();
    });
    // Enter is handled by the key filter; nothing else may act on it.
    high->Bind(wxEVT_TEXT_ENTER, [](wxCommandEvent&) {});
    raise->Bind(wxEVT_TEXT_ENTER, [](wxCommandEvent&) {});
    high->Bind(wxEVT_SET_FOCUS, [this, r](wxFocusEvent& e) {
        highWithFocus_ = r;
        e.Skip();
    });
    high->Bind(wxEVT_KILL_FOCUS, [this, r, high](wxFocusEvent& e) {
        // Focus going to another of our controls normalises now; focus leaving for another
        // application does not (the next control of ours to take it will).
        wxWindow* to = e.GetWindow();
        if (highWithFocus_ == r && to && to != high && wxGetTopLevelParent(to) == top_) {
            highWithFocus_.reset();
            LeaveHighBound(r);
        }
        e.Skip();
    });
}

void TierPanel::OnKey(wxKeyEvent& event, TierBox box) {
    const KeyVerdict verdict =
        FilterKey(event, box.kind == TierBox::High ? &FilterHighBoundKey : &FilterRaiseKey);
    if (verdict != KeyVerdict::Enter) return;
    if (box.kind == TierBox::High) {
        highWithFocus_.reset();
        LeaveHighBound(box.row);
    }
    const TierBox next = EnterWalkFrom(box);
    const Row& row = rows_[static_cast<std::size_t>(next.row)];
    (next.kind == TierBox::High ? row.high : row.raise)->SetFocus();
}

void TierPanel::LeaveHighBound(int row) {
    auction_.tiers.NormaliseHigh(row);
    ShowTiers();
    auction_.keeper.Keep(false);  // the change is taken: on disk now
}

void TierPanel::LeaveFocusedHigh() {
    if (!highWithFocus_) return;
    const int row = *highWithFocus_;
    highWithFocus_.reset();
    LeaveHighBound(row);
}

void TierPanel::ChildFocused(wxWindow* to) {
    if (highWithFocus_ && to != rows_[static_cast<std::size_t>(*highWithFocus_)].high) LeaveFocusedHigh();
}

void TierPanel::ShowTiers() {
    for (int r = 0; r < kTierRows; ++r) {
        const TierRow& tier = auction_.tiers.Row(r);
        const Row& row = rows_[static_cast<std::size_t>(r)];
        row.low->SetLabel(wxString::FromUTF8(tier.low));
        ShowText(row.high, wxString::FromUTF8(tier.high));
        ShowText(row.raise, wxString::FromUTF8(tier.raise));
    }
}

}  // namespace gv::ui
