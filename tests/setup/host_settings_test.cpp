// The keys of Gavelton.ini: what each allows, and what the title says of a refused value.

#include "setup/host_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gv {
namespace {

TEST(HostSettings, GetBidsEveryIsOffOrTwoToSixtySeconds) {
    for (const auto* text : {"0", "2", "60", "007"}) {
        HostSettings settings;
        settings.getBidsEvery = 9;
        EXPECT_TRUE(SetHostSetting(settings, "Live/GetBidsEvery", text)) << text;
        EXPECT_EQ(settings.getBidsEvery, std::stoi(text)) << text;
    }
    for (const auto* text : {"1", "61", "-2", "+5", "5s", "2.5", "", "99999999999"}) {
        HostSettings settings;
        EXPECT_FALSE(SetHostSetting(settings, "Live/GetBidsEvery", text)) << text;
        EXPECT_EQ(settings.getBidsEvery, 0) << text;
    }
}

TEST(HostSettings, SoundIsZeroOrOne) {
    HostSettings settings;
    EXPECT_TRUE(SetHostSetting(settings, "Live/Sound", "1"));
    EXPECT_TRUE(settings.liveSound);
    for (const auto* text : {"2", "yes", ""})
        EXPECT_FALSE(SetHostSetting(settings, "Live/Sound", text)) << text;
    EXPECT_TRUE(settings.liveSound);
    EXPECT_TRUE(SetHostSetting(settings, "Live/Sound", "0"));
    EXPECT_FALSE(settings.liveSound);
}

// A blank the editor left after a value (or before it) is not part of it.
TEST(HostSettings, BlanksAroundAValueAreNotPartOfIt) {
    HostSettings settings;
    EXPECT_TRUE(SetHostSetting(settings, "Live/GetBidsEvery", "5 "));
    EXPECT_EQ(settings.getBidsEvery, 5);
    EXPECT_TRUE(SetHostSetting(settings, "Live/GetBidsEvery", "\t 7\t "));
    EXPECT_EQ(settings.getBidsEvery, 7);
    EXPECT_TRUE(SetHostSetting(settings, "Hotkeys/Enabled", "1 "));
    EXPECT_TRUE(settings.hotkeysEnabled);
    EXPECT_TRUE(SetHostSetting(settings, "Hotkeys/GetBids", " Ctrl+Shift+F2 "));
    EXPECT_EQ(KeyComboText(settings.hotkeys.at(static_cast<std::size_t>(HotkeyCommand::GetBids))),
              "Ctrl+Shift+F2");
    EXPECT_TRUE(SetHostSetting(settings, "Hotkeys/GetBids", "  "));
    EXPECT_TRUE(settings.hotkeys.at(static_cast<std::size_t>(HotkeyCommand::GetBids)).Off());
    // Blanks inside a value still make it another value.
    EXPECT_FALSE(SetHostSetting(settings, "Live/GetBidsEvery", "1 0"));
    EXPECT_EQ(settings.getBidsEvery, 7);
}

TEST(HostSettings, RefusedValuesAreNamedBySectionAndKey) {
    EXPECT_EQ(RejectedSettingsText({}), "");
    EXPECT_EQ(RejectedSettingsText({{"Live/GetBidsEvery", "1"}, {"Live/Sound", "yes"}}),
              "Gavelton.ini: [Live] GetBidsEvery=1, [Live] Sound=yes not allowed, default used");
}

// A default the key itself refused would leave its field at zero without a word.
TEST(HostSettings, EachKeyTakesItsOwnDefault) {
    const HostSettings defaults;
    ASSERT_EQ(HostSettingKeys().size(), HostSettingRows().size());
    for (std::size_t i = 0; i < HostSettingRows().size(); ++i) {
        HostSettings settings;
        const std::string_view key = HostSettingKeys()[i];
        EXPECT_TRUE(SetHostSetting(settings, key, HostSettingRows()[i].defaultText)) << key;
        EXPECT_EQ(settings, defaults) << key;
    }
}

}  // namespace
}  // namespace gv
