// What a host can paste or type that the design never meant: ten megabytes at once into each
// box, characters the 8-bit code page has no room for, and control characters. The window stays
// usable and the files hold what the rules say.

#include <wx/button.h>
#include <wx/textctrl.h>

#include <chrono>

#include "gui_fixture.h"
#include "setup/setup_files.h"

namespace gv::ui::test {
namespace {

class BadInput : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        StartWindow();
    }
};

TEST_F(BadInput, TenMegabytesPastedIntoEachLimitedBoxStopAtItsLimit) {
    const wxString huge = wxString('7', 10u << 20) + "x";
    ClickMenu(2);  // Bids
    const auto start = std::chrono::steady_clock::now();
    PasteInto(Find<wxTextCtrl>("HighBid(1)"), huge);
    PasteInto(Find<wxTextCtrl>("RaiseAmount(1)"), huge);
    ClickMenu(1);  // List
    PasteInto(Find<wxTextCtrl>("MinBid"), huge);
    // The pastes are cut at each box's limit without stalling the window; the bound leaves
    // room for a machine four times slower than ours under the sanitizers, where the whole
    // test takes 11 s.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(90));
    EXPECT_EQ(Find<wxTextCtrl>("MinBid")->GetValue(), "77777");
    EXPECT_EQ(frame_->Tiers().Row(1).high, "7777777");
    EXPECT_EQ(frame_->Tiers().Row(1).raise, "7777");
    // Still usable: the next entry goes in as typed.
    Click(Find<wxTextCtrl>("AuctionItem"));
    Type("Vase");
    Click(Button(Command::AddToList));
    EXPECT_EQ(frame_->Items().Entries(), std::vector<std::string>{"Vase - 77777"});
}

TEST_F(BadInput, NamesOutsideTheCodePageAndControlCharactersAreSavedByTheRules) {
    ClickMenu(1);
    // A long name (a GTK entry holds at most 65535 characters), characters Windows-1252 has
    // (é, €) and has not (✓, 日), a tab and another control character.
    const wxString name = wxString::FromUTF8("Caf\xC3\xA9 \xE2\x82\xAC \xE2\x9C\x93 \xE6\x97\xA5\tx\x01y ") +
                          wxString('z', 50000);
    PasteInto(Find<wxTextCtrl>("AuctionItem"), name);
    Click(Button(Command::AddToList));
    ASSERT_EQ(frame_->Items().Count(), 1u);
    CloseWindow();
    const std::string saved = ReadFile(kItemsFile);
    // é and € have their code-page bytes; ✓ and 日 become "?"; the tab and \x01 stay as typed.
    EXPECT_EQ(saved.substr(0, 14), std::string("Caf\xE9 \x80 ? ?\tx\x01y"));
    EXPECT_EQ(saved.size(), 14u + 1 + 50000 + std::string(" - 0\r\n").size());
}

}  // namespace
}  // namespace gv::ui::test
