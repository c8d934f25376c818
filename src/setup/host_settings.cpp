#include "setup/host_settings.h"

#include <charconv>

namespace gv {
namespace {

constexpr std::string_view kGetBidsEvery = "Live/GetBidsEvery";
constexpr std::string_view kLiveSound = "Live/Sound";
constexpr std::string_view kHotkeysEnabled = "Hotkeys/Enabled";
constexpr std::string_view kHotkeysSection = "Hotkeys/";

// Blanks the editor left around a value are not part of it; blanks inside it are.
std::string_view WithoutBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Whole decimal digits only: "5s", "+5", "5.0" and an empty value are refused, not guessed at.
bool ParseWhole(std::string_view text, int& value) {
    if (text.empty() || text.front() < '0' || text.front() > '9') return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

}  // namespace

const std::vector<std::string_view>& HostSettingKeys() {
    static const std::vector<std::string> hotkeyKeys = [] {
        std::vector<std::string> keys;
        for (std::size_t i = 0; i < kHotkeyCount; ++i)
            keys.push_back(std::string(kHotkeysSection) +
                           std::string(HotkeyName(static_cast<HotkeyCommand>(i))));
        return keys;
    }();
    static const std::vector<std::string_view> keys = [] {
        std::vector<std::string_view> all{kGetBidsEvery, kLiveSound, kHotkeysEnabled};
        all.insert(all.end(), hotkeyKeys.begin(), hotkeyKeys.end());
        return all;
    }();
    return keys;
}

bool SetHostSetting(HostSettings& settings, std::string_view key, std::string_view text) {
    text = WithoutBlanks(text);
    if (key.starts_with(kHotkeysSection) && key != kHotkeysEnabled) {
        const std::string_view name = key.substr(kHotkeysSection.size());
        for (std::size_t i = 0; i < kHotkeyCount; ++i) {
            if (HotkeyName(static_cast<HotkeyCommand>(i)) == name)
                return ParseKeyCombo(text, settings.hotkeys.at(i));
        }
        return false;
    }
    int value = 0;
    if (!ParseWhole(text, value)) return false;
    if (key == kGetBidsEvery) {
        if (value != 0 && (value < kLiveEveryMin || value > kLiveEveryMax)) return false;
        settings.getBidsEvery = value;
        return true;
    }
    if (key == kLiveSound || key == kHotkeysEnabled) {
        if (value != 0 && value != 1) return false;
        (key == kLiveSound ? settings.liveSound : settings.hotkeysEnabled) = value == 1;
        return true;
    }
    return false;
}

std::string RejectedSettingsText(const std::vector<RejectedSetting>& rejected) {
    if (rejected.empty()) return {};
    std::string text = std::string(kHostSettingsFile) + ": ";
    for (std::size_t i = 0; i < rejected.size(); ++i) {
        if (i > 0) text += ", ";
        const std::string& key = rejected[i].key;
        const std::size_t slash = key.find('/');
        text += "[" + key.substr(0, slash) + "] " + key.substr(slash + 1) + "=" + rejected[i].text;
    }
    text += " not allowed, default used";
    return text;
}

}  // namespace gv

namespace gv {

std::string SwitchOffSharedHotkeys(HostSettings& settings) {
    std::string text;
    for (std::size_t later = 1; later < kHotkeyCount; ++later) {
        KeyCombo& combo = settings.hotkeys.at(later);
        if (combo.Off()) continue;
        for (std::size_t first = 0; first < later; ++first) {
            if (settings.hotkeys.at(first) != combo) continue;
            text += text.empty() ? std::string(kHostSettingsFile) + ": " : ", ";
            text += "[Hotkeys] " + std::string(HotkeyName(static_cast<HotkeyCommand>(later))) + "=" +
                    KeyComboText(combo) + " switched off, " +
                    std::string(HotkeyName(static_cast<HotkeyCommand>(first))) + " has it";
            combo = {};
            break;
        }
    }
    return text;
}

}  // namespace gv
