// The keys of Gavelton.ini: what each allows, and what the title says of a refused value.

#include "setup/host_settings.h"

#include <gtest/gtest.h>

#include <fstream>
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
    EXPECT_EQ(RejectedSettingsText({{"Live/GetBidsEvery", "1\t "}, {"Live/Sound", " yes"}}),
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

// The key lines of the hosts' manual's section "Gavelton.ini" (its first block of indented
// lines), each as "[Section] Key=Default|words".
std::vector<std::string> ManualKeyLines() {
    std::ifstream file(GV_HOSTS_MANUAL);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        if (line.ends_with('\r')) line.pop_back();
        lines.push_back(line);
    }
    const auto underlined = [&](std::size_t i) {
        return i + 1 < lines.size() && !lines[i + 1].empty() &&
               lines[i + 1].find_first_not_of('-') == std::string::npos;
    };
    std::size_t i = 0;
    while (i < lines.size() && !(lines[i] == kHostSettingsFile && underlined(i))) ++i;
    i += 2;
    while (i < lines.size() && !underlined(i) && !lines[i].starts_with("  ")) ++i;
    std::vector<std::string> keys;
    std::string section;
    for (; i < lines.size() && !underlined(i) && lines[i].starts_with("  "); ++i) {
        const std::string entry = lines[i].substr(2);
        if (entry.starts_with('[')) {
            section = entry;
            continue;
        }
        const std::size_t blank = entry.find(' ');
        const std::size_t words = entry.find_first_not_of(' ', blank);
        keys.push_back(section + " " + entry.substr(0, blank) + "|" +
                       (words == std::string::npos ? "" : entry.substr(words)));
    }
    return keys;
}

TEST(HostSettings, TheHostsManualListsEachKeyAsItsRowHasIt) {
    std::vector<std::string> rows;
    for (const SettingRow& row : HostSettingRows())
        rows.push_back(SettingLabel(row) + "=" + std::string(row.defaultText) + "|" + ManualWords(row));
    EXPECT_EQ(ManualKeyLines(), rows) << GV_HOSTS_MANUAL;
}

}  // namespace
}  // namespace gv
