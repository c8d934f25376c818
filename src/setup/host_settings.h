#pragma once
// What the host may change in Gavelton.ini: each key with its default and the values it
// takes. A value that is not allowed keeps the default, and the host is told which key it was.

#include <string>
#include <string_view>
#include <vector>

#include "setup/hotkey_combo.h"

namespace gv {

inline constexpr const char* kHostSettingsFile = "Gavelton.ini";

struct HostSettings {
    // [Live] GetBidsEvery: seconds between Get Bids run by themselves; 0 is off.
    int getBidsEvery = 0;
    // [Live] Sound: a short system sound when such a run finds a new current bid.
    bool liveSound = false;
    // [Hotkeys] Enabled: the system-wide hotkeys below are taken at start.
    bool hotkeysEnabled = false;
    // [Hotkeys] StateItem, GetBids, ...: each command's combination, or off.
    HotkeyTable hotkeys = DefaultHotkeys();
};

inline constexpr int kLiveEveryMin = 2;
inline constexpr int kLiveEveryMax = 60;

// The keys as "Section/Key", the form wxFileConfig reads them in.
const std::vector<std::string_view>& HostSettingKeys();

// Takes `text`, without the blanks around it, as the value of `key` (one of HostSettingKeys).
// False, with `settings` unchanged, when the value is not one the key allows.
bool SetHostSetting(HostSettings& settings, std::string_view key, std::string_view text);

// What the title says of the keys whose values were not allowed, e.g.
// "Gavelton.ini: [Live] GetBidsEvery=1 not allowed, default used"; empty when there are none.
struct RejectedSetting {
    std::string key;
    std::string text;
};
std::string RejectedSettingsText(const std::vector<RejectedSetting>& rejected);

// One combination cannot run two commands: of the hotkeys that share one, every one after the
// first in [Hotkeys] order is switched off. What the title says of them, e.g.
// "Gavelton.ini: [Hotkeys] GetBids=Ctrl+Shift+F5 switched off, StateItem has it"; empty when none.
std::string SwitchOffSharedHotkeys(HostSettings& settings);

}  // namespace gv
