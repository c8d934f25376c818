#pragma once
// The bid-raise tier panel BidFrame: six rows of low bound, high bound and raise boxes, their
// key filters, the Enter walk, and the normalisation when the focus leaves a high bound box.

#include <array>
#include <optional>

#include "floor/auction.h"
#include "ui/controls.h"

class wxPanel;
class wxTextCtrl;

namespace gv::ui {

class TierPanel {
public:
    // `top`: the window whose controls count as "another control of the tool" when the focus
    // leaves a high bound box.
    TierPanel(wxWindow* client, ControlBuilder& build, Auction& auction, wxWindow* top);

    wxPanel* Frame() const { return frame_; }
    void ShowTiers();

    void LeaveHighBound(int row);
    // Normalises the row whose high bound box holds the focus, if one does: the focus is
    // about to move elsewhere (a command, the close).
    void LeaveFocusedHigh();
    // A control of the window took the focus; leaving a high bound box normalises its row,
    // also when the toolkit does not say where the focus went.
    void ChildFocused(wxWindow* to);

private:
    struct Row {
        Caption* low = nullptr;
        wxTextCtrl* high = nullptr;
        wxTextCtrl* raise = nullptr;
    };
    void BuildRow(ControlBuilder& build, int r);
    void BindRow(int r);
    void OnKey(wxKeyEvent& event, TierBox box);

    Auction& auction_;
    wxWindow* top_;
    wxPanel* frame_ = nullptr;
    std::array<Row, kTierRows> rows_{};
    std::optional<int> highWithFocus_;  // the high bound box that holds the focus
};

}  // namespace gv::ui
