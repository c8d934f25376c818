// The tier panel driven by the host's keys: what the filters let through, the typing limits,
// the Enter walk, and the normalisation when the focus leaves a high bound box.

#include <wx/clipbrd.h>
#include <wx/textctrl.h>

#include "gui_fixture.h"

namespace gv::ui::test {
namespace {

class TierPanel : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        StartWindow();
        ClickMenu(2);  // Bids
        ASSERT_EQ(frame_->ShownPanel(), AuctionFrame::Panel::Bids);
    }
    wxTextCtrl* High(int r) { return Find<wxTextCtrl>(wxString::Format("HighBid(%d)", r)); }
    wxTextCtrl* Raise(int r) { return Find<wxTextCtrl>(wxString::Format("RaiseAmount(%d)", r)); }
    wxString Low(int r) { return Text(wxString::Format("LowBid(%d)", r)); }
    // Clicks into a box and replaces its text by typing.
    void TypeInto(wxTextCtrl* box, const std::string& text) {
        Click(box);
        box->SelectAll();
        Key(WXK_BACK);
        Type(text);
    }
};

TEST_F(TierPanel, FiltersSwallowWhatTheBoxDoesNotTake) {
    TypeInto(High(1), "1a.2-3 4");
    EXPECT_EQ(High(1)->GetValue(), "1234");
    TypeInto(Raise(1), "1.5.x");
    EXPECT_EQ(Raise(1)->GetValue(), "1.5.");
    // The table follows what the host sees.
    EXPECT_EQ(frame_->Tiers().Row(1).raise, "1.5.");
    Key(WXK_BACK);
    EXPECT_EQ(Raise(1)->GetValue(), "1.5");
}

TEST_F(TierPanel, TypingStopsAtTheLimits) {
    TypeInto(High(2), "123456789");
    EXPECT_EQ(High(2)->GetValue(), "1234567");
    TypeInto(Raise(2), "123456");
    EXPECT_EQ(Raise(2)->GetValue(), "1234");
}

TEST_F(TierPanel, APasteGoesThroughTheSameFilterAndLimit) {
    PasteInto(High(1), "12ab 3456789");
    EXPECT_EQ(High(1)->GetValue(), "1234567");
    EXPECT_EQ(frame_->Tiers().Row(1).high, "1234567");
    PasteInto(Raise(1), "1.5x99");
    EXPECT_EQ(Raise(1)->GetValue(), "1.59");
    // Ctrl+V is a key like any other to the filter, and it is not a digit.
    Click(High(2));
    const wxString before = High(2)->GetValue();
    High(2)->SelectAll();
    Key('V', wxMOD_CONTROL);
    EXPECT_EQ(High(2)->GetValue(), before);
}

TEST_F(TierPanel, EnterWalksThroughAllBoxesAndNormalisesOnTheWay) {
    TypeInto(High(0), "100");
    Key(WXK_RETURN);
    EXPECT_EQ(Focused(), Raise(0));
    // Leaving high 0 by Enter opened row 1 at once.
    EXPECT_EQ(Low(1), "101");
    EXPECT_EQ(High(1)->GetValue(), "9999999");
    EXPECT_EQ(Raise(1)->GetValue(), "1");
    Key(WXK_RETURN);
    EXPECT_EQ(Focused(), High(1));
    for (int r = 1; r < 5; ++r) {
        Key(WXK_RETURN);
        EXPECT_EQ(Focused(), Raise(r)) << r;
        Key(WXK_RETURN);
        EXPECT_EQ(Focused(), High(r + 1)) << r;
    }
    Key(WXK_RETURN);
    EXPECT_EQ(Focused(), Raise(5));
    Key(WXK_RETURN);
    EXPECT_EQ(Focused(), High(0));
}

TEST_F(TierPanel, TabAndClickElsewhereNormaliseTheRowLeft) {
    TypeInto(High(0), "100");
    Key(WXK_TAB);
    EXPECT_EQ(Low(1), "101");
    // An overlap pushes the later rows up.
    TypeInto(High(1), "500");
    Key(WXK_TAB);
    EXPECT_EQ(Low(2), "501");
    TypeInto(High(0), "700");
    Click(Raise(3));
    EXPECT_EQ(Low(1), "701");
    EXPECT_EQ(High(1)->GetValue(), "701");
    EXPECT_EQ(Low(2), "702");
    EXPECT_EQ(High(2)->GetValue(), "9999999");
    // Erasing a high bound raises it to its low bound on leaving.
    TypeInto(High(1), "");
    Key(WXK_TAB);
    EXPECT_EQ(High(1)->GetValue(), "701");
    EXPECT_EQ(frame_->Tiers().Row(1).high, "701");
}

TEST_F(TierPanel, AMenuCommandLeavingTheBoxNormalisesIt) {
    TypeInto(High(0), "250");
    ClickMenu(4);  // About: the focus goes to Dummy
    EXPECT_EQ(frame_->ShownPanel(), AuctionFrame::Panel::About);
    EXPECT_EQ(frame_->Tiers().Row(1).low, "251");
    EXPECT_EQ(Focused(), frame_->Dummy());
}

}  // namespace
}  // namespace gv::ui::test
