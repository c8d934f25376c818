#pragma once
// What the host may change in Gavelton.ini: one row per key, with its default, the values it
// takes and its line in the hosts' manual. Reading, the defaults and what the title says of a
// refused value all come from the rows. A value that is not allowed keeps the default, and the
// host is told which key it was.

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "setup/hotkey_combo.h"

namespace gv {

inline constexpr const char* kHostSettingsFile = "Gavelton.ini";

// What the keys set. Each field starts at its row's default.
struct HostSettings {
    HostSettings();
    bool operator==(const HostSettings&) const = default;

    int getBidsEvery{};      // [Live] GetBidsEvery
    bool liveSound{};        // [Live] Sound
    bool hotkeysEnabled{};   // [Hotkeys] Enabled
    HotkeyTable hotkeys{};   // [Hotkeys] StateItem, GetBids, ...: by HotkeyCommand
    int warnOwedFrom{};      // [Accounts] WarnOwedFrom
    bool checkBeforeSold{};  // [Floor] CheckBeforeSold
};

// A whole number of decimal digits: 0 is off, any other value from `low` to `high`.
struct WholeSetting {
    int HostSettings::*field;
    int low;
    int high;
};
// 0 or 1.
struct SwitchSetting {
    bool HostSettings::*field;
};
// A key combination as ParseKeyCombo reads it; empty switches the hotkey off.
struct HotkeySetting {
    HotkeyCommand command;
};

struct SettingRow {
    std::string_view section;  // "Live" for [Live]
    std::string_view key;      // "GetBidsEvery"
    // What the key allows, and which field of HostSettings it sets.
    std::variant<WholeSetting, SwitchSetting, HotkeySetting> type;
    std::string_view defaultText;  // as the host would write it after "="
    // The manual's words after the key: what it does. ManualWords adds what the type says.
    std::string_view manual;
};

// Every key, in the order the hosts' manual lists them; of two hotkeys given one combination,
// the one first in this order keeps it.
std::span<const SettingRow> HostSettingRows();
// The row of a hotkey in [Hotkeys].
const SettingRow& HotkeySettingRow(HotkeyCommand command);

// "[Live] GetBidsEvery", as the title names a key.
std::string SettingLabel(const SettingRow& row);
// The row's words in the hosts' manual, after "Key=Default": "seconds between Get Bids that
// run by themselves: 0 (off) or 2 to 60"; empty for a key the manual lists without words.
std::string ManualWords(const SettingRow& row);

// The keys as "Section/Key", the form wxFileConfig reads them in.
const std::vector<std::string_view>& HostSettingKeys();

// Takes `text`, without the blanks around it, as the value of `key` (one of HostSettingKeys).
// False, with `settings` unchanged, when the value is not one the key allows.
bool SetHostSetting(HostSettings& settings, std::string_view key, std::string_view text);

// What the title says of the keys whose values were not allowed, e.g.
// "Gavelton.ini: [Live] GetBidsEvery=1 not allowed, default used"; empty when there are none.
struct RejectedSetting {
    std::string key;  // "Section/Key"
    std::string text;
};
std::string RejectedSettingsText(const std::vector<RejectedSetting>& rejected);

// One combination cannot run two commands: of the hotkeys that share one, every one after the
// first in [Hotkeys] order is switched off. What the title says of them, e.g.
// "Gavelton.ini: [Hotkeys] GetBids=Ctrl+Shift+F5 switched off, StateItem has it"; empty when none.
std::string SwitchOffSharedHotkeys(HostSettings& settings);

}  // namespace gv
