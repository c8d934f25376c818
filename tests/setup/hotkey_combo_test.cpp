// The [Hotkeys] keys of Gavelton.ini: which combinations a host may give a command, how they
// read back, and what happens to two commands given one combination.

#include "setup/hotkey_combo.h"

#include <gtest/gtest.h>

#include "setup/host_settings.h"

namespace gv {
namespace {

std::string Canonical(std::string_view text) {
    KeyCombo combo;
    combo.key = "unchanged";
    return ParseKeyCombo(text, combo) ? KeyComboText(combo) : "refused";
}

TEST(HotkeyCombo, ReadsModifiersInAnyOrderAndCase) {
    EXPECT_EQ(Canonical("Ctrl+Shift+F6"), "Ctrl+Shift+F6");
    EXPECT_EQ(Canonical(" shift + CTRL + f6 "), "Ctrl+Shift+F6");
    EXPECT_EQ(Canonical("Alt+pagedown"), "Alt+PageDown");
    EXPECT_EQ(Canonical("Ctrl+l"), "Ctrl+L");
    EXPECT_EQ(Canonical("Ctrl+Shift+7"), "Ctrl+Shift+7");
    EXPECT_EQ(Canonical("F24"), "F24");
    EXPECT_EQ(Canonical("Ctrl+Alt+F5"), "Ctrl+Alt+F5");  // AltGr with F5 types nothing
}

TEST(HotkeyCombo, EmptySwitchesOff) {
    KeyCombo combo{kModCtrl, "F5"};
    EXPECT_TRUE(ParseKeyCombo("  ", combo));
    EXPECT_TRUE(combo.Off());
}

TEST(HotkeyCombo, RefusesWhatTheHostTypesAndWhatIsNoKey) {
    for (const char* text : {"L", "7", "Shift+L", "Shift+2", "Ctrl+Alt+2", "Ctrl+Alt+Shift+E",  // typing
                             "F12", "Ctrl+F12", "F0", "F25", "F05", "Ctrl+Ctrl+F5", "Win+F5", "Ctrl+",
                             "Ctrl+Shift", "+F5", "Ctrl+Shift+F5+F6", "Ctrl+Esc", "Ctrl+é"}) {
        KeyCombo combo{kModCtrl, "F5"};
        EXPECT_FALSE(ParseKeyCombo(text, combo)) << text;
        EXPECT_EQ(KeyComboText(combo), "Ctrl+F5") << text;  // unchanged
    }
}

TEST(HotkeyCombo, DefaultsAreFunctionKeysAndEachCanBeChangedOrSwitchedOff) {
    HostSettings settings;
    EXPECT_FALSE(settings.hotkeysEnabled);
    EXPECT_EQ(KeyComboText(settings.hotkeys.at(0)), "Ctrl+Shift+F5");
    EXPECT_EQ(KeyComboText(settings.hotkeys.at(6)), "Ctrl+Shift+F11");
    for (std::size_t i = 0; i < kHotkeyCount; ++i) {
        const auto command = static_cast<HotkeyCommand>(i);
        EXPECT_EQ(KeyComboText(settings.hotkeys.at(i)), HotkeySettingRow(command).defaultText);
        for (std::size_t j = 0; j < i; ++j) EXPECT_NE(settings.hotkeys.at(i), settings.hotkeys.at(j));
    }
    EXPECT_TRUE(SetHostSetting(settings, "Hotkeys/Enabled", "1"));
    EXPECT_TRUE(settings.hotkeysEnabled);
    EXPECT_FALSE(SetHostSetting(settings, "Hotkeys/Enabled", "yes"));
    EXPECT_TRUE(SetHostSetting(settings, "Hotkeys/GetBids", "Alt+Insert"));
    EXPECT_EQ(KeyComboText(settings.hotkeys.at(1)), "Alt+Insert");
    EXPECT_TRUE(SetHostSetting(settings, "Hotkeys/Sold", ""));
    EXPECT_TRUE(settings.hotkeys.at(5).Off());
    EXPECT_FALSE(SetHostSetting(settings, "Hotkeys/Call1st", "Q"));
    EXPECT_EQ(KeyComboText(settings.hotkeys.at(2)), "Ctrl+Shift+F7");
    EXPECT_FALSE(SetHostSetting(settings, "Hotkeys/Nothing", "Ctrl+F1"));
}

TEST(HotkeyCombo, ACombinationGivenTwiceRunsOnlyTheFirstCommand) {
    HostSettings settings;
    // Swapped both ways: neither collides once both are read.
    ASSERT_TRUE(SetHostSetting(settings, "Hotkeys/StateItem", "Ctrl+Shift+F6"));
    ASSERT_TRUE(SetHostSetting(settings, "Hotkeys/GetBids", "Ctrl+Shift+F5"));
    ASSERT_TRUE(SetHostSetting(settings, "Hotkeys/Sold", "ctrl+shift+f7"));
    ASSERT_TRUE(SetHostSetting(settings, "Hotkeys/FloorLog", "Ctrl+Shift+F7"));
    ASSERT_TRUE(SetHostSetting(settings, "Hotkeys/Call2nd", ""));
    ASSERT_TRUE(SetHostSetting(settings, "Hotkeys/Call3rd", ""));
    EXPECT_EQ(SwitchOffSharedHotkeys(settings),
              "Gavelton.ini: [Hotkeys] Sold=Ctrl+Shift+F7 switched off, Call1st has it, "
              "[Hotkeys] FloorLog=Ctrl+Shift+F7 switched off, Call1st has it");
    EXPECT_EQ(KeyComboText(settings.hotkeys.at(2)), "Ctrl+Shift+F7");
    EXPECT_TRUE(settings.hotkeys.at(5).Off());
    EXPECT_TRUE(settings.hotkeys.at(7).Off());
    EXPECT_EQ(KeyComboText(settings.hotkeys.at(0)), "Ctrl+Shift+F6");
    EXPECT_EQ(SwitchOffSharedHotkeys(settings), "");  // two switched off hotkeys share nothing
}

}  // namespace
}  // namespace gv
