#pragma once
// A system-wide hotkey as the host writes it in Gavelton.ini ("Ctrl+Shift+F6"): the
// combinations allowed, the one text each is shown as, and the commands a hotkey can run.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace gv {

inline constexpr unsigned kModCtrl = 1;
inline constexpr unsigned kModShift = 2;
inline constexpr unsigned kModAlt = 4;

struct KeyCombo {
    unsigned modifiers = 0;  // kModCtrl | kModShift | kModAlt
    // "F1" to "F24" but F12, "A" to "Z", "0" to "9", "Insert", "Delete", "Home", "End",
    // "PageUp", "PageDown", "Pause"; empty when the hotkey is switched off.
    std::string key;
    bool Off() const { return key.empty(); }
    bool operator==(const KeyCombo&) const = default;
};

// An empty text switches the hotkey off. False for a key not in the list above, and for a
// combination that would take keys the host types into the chat: a letter or digit without
// Ctrl or Alt (Shift alone types capitals), or with both Ctrl and Alt (AltGr on many keyboards,
// "Ctrl+Alt+2" types a character there). F12 belongs to debuggers on Windows.
bool ParseKeyCombo(std::string_view text, KeyCombo& combo);

// "Ctrl+Shift+F6": modifiers in that order, then the key; empty when off.
std::string KeyComboText(const KeyCombo& combo);

// The commands a hotkey can run; each names its row in [Hotkeys] (see HostSettingRows) and its
// combination in a HotkeyTable.
enum class HotkeyCommand : std::size_t {
    StateItem,
    GetBids,
    Call1st,
    Call2nd,
    Call3rd,
    Sold,
    GetNextItem,
    FloorLog,
    Accounts,
    Count,  // not a command: how many there are, for the tables kept by command
};
inline constexpr std::size_t kHotkeyCount = static_cast<std::size_t>(HotkeyCommand::Count);

using HotkeyTable = std::array<KeyCombo, kHotkeyCount>;

}  // namespace gv
