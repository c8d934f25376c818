#include "setup/host_settings.h"

#include <array>
#include <charconv>

namespace gv {
namespace {

// One row per key. The hotkeys' defaults hold Ctrl+Shift, which with these keys types nothing
// on any keyboard layout.
constexpr auto kRows = std::to_array<SettingRow>({
    {"Live", "GetBidsEvery", WholeSetting{&HostSettings::getBidsEvery, 2, 60}, "0",
     "seconds between Get Bids that run by themselves"},
    {"Live", "Sound", SwitchSetting{&HostSettings::liveSound}, "0",
     "a short system sound when such a Get Bids finds a new current bid"},
    {"Hotkeys", "Enabled", SwitchSetting{&HostSettings::hotkeysEnabled}, "0",
     "the keys below work in every program, the chat client too"},
    {"Hotkeys", "StateItem", HotkeySetting{HotkeyCommand::StateItem}, "Ctrl+Shift+F5",
     "each key runs its button's command, as a click on it would"},
    {"Hotkeys", "GetBids", HotkeySetting{HotkeyCommand::GetBids}, "Ctrl+Shift+F6", ""},
    {"Hotkeys", "Call1st", HotkeySetting{HotkeyCommand::Call1st}, "Ctrl+Shift+F7", ""},
    {"Hotkeys", "Call2nd", HotkeySetting{HotkeyCommand::Call2nd}, "Ctrl+Shift+F8", ""},
    {"Hotkeys", "Call3rd", HotkeySetting{HotkeyCommand::Call3rd}, "Ctrl+Shift+F9", ""},
    {"Hotkeys", "Sold", HotkeySetting{HotkeyCommand::Sold}, "Ctrl+Shift+F10", ""},
    {"Hotkeys", "GetNextItem", HotkeySetting{HotkeyCommand::GetNextItem}, "Ctrl+Shift+F11", ""},
    {"Hotkeys", "FloorLog", HotkeySetting{HotkeyCommand::FloorLog}, "Ctrl+Shift+L",
     "opens or closes the floor log window"},
    {"Hotkeys", "Accounts", HotkeySetting{HotkeyCommand::Accounts}, "Ctrl+Shift+K",
     "opens or closes the accounts window"},
    {"Accounts", "WarnOwedFrom", WholeSetting{&HostSettings::warnOwedFrom, 1, 3650}, "1",
     "a bid warns of its bidder's debt this many days old"},
    {"Floor", "CheckBeforeSold", SwitchSetting{&HostSettings::checkBeforeSold}, "0",
     "SOLD first looks at the chat for later bids (recommended)"},
});

// Where each hotkey's row stands in kRows, so that every combination of HostSettings::hotkeys
// is read.
constexpr std::array<std::size_t, kHotkeyCount> kHotkeyRowAt = [] {
    std::array<std::size_t, kHotkeyCount> at{};
    at.fill(kRows.size());
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (const auto* hotkey = std::get_if<HotkeySetting>(&kRows[i].type))
            at.at(static_cast<std::size_t>(hotkey->command)) = i;
    }
    return at;
}();

constexpr bool EachHotkeyOnce() {
    std::size_t hotkeyRows = 0;
    for (const SettingRow& row : kRows) hotkeyRows += std::holds_alternative<HotkeySetting>(row.type) ? 1 : 0;
    for (const std::size_t at : kHotkeyRowAt)
        if (at == kRows.size()) return false;
    return hotkeyRows == kHotkeyCount;
}
static_assert(EachHotkeyOnce(), "each HotkeyCommand has one row in [Hotkeys]");

constexpr bool KeysDiffer() {
    for (std::size_t i = 0; i < kRows.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (kRows[i].section == kRows[j].section && kRows[i].key == kRows[j].key) return false;
    return true;
}
static_assert(KeysDiffer(), "each key has one row");

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

KeyCombo& Combo(HostSettings& settings, const HotkeySetting& hotkey) {
    return settings.hotkeys.at(static_cast<std::size_t>(hotkey.command));
}

// The row's own check of `text`; sets its field only when the value is allowed.
bool Apply(HostSettings& settings, const SettingRow& row, std::string_view text) {
    text = WithoutBlanks(text);
    if (const auto* hotkey = std::get_if<HotkeySetting>(&row.type))
        return ParseKeyCombo(text, Combo(settings, *hotkey));
    int value = 0;
    if (!ParseWhole(text, value)) return false;
    if (const auto* whole = std::get_if<WholeSetting>(&row.type)) {
        if (value != 0 && (value < whole->low || value > whole->high)) return false;
        settings.*whole->field = value;
        return true;
    }
    const auto& flag = std::get<SwitchSetting>(row.type);
    if (value != 0 && value != 1) return false;
    settings.*flag.field = value == 1;
    return true;
}

// The row of "Section/Key", or null for a key Gavelton.ini does not have.
const SettingRow* FindRow(std::string_view key) {
    for (const SettingRow& row : kRows) {
        if (key.size() == row.section.size() + 1 + row.key.size() && key.starts_with(row.section) &&
            key[row.section.size()] == '/' && key.ends_with(row.key))
            return &row;
    }
    return nullptr;
}

}  // namespace

HostSettings::HostSettings() {
    for (const SettingRow& row : kRows) Apply(*this, row, row.defaultText);
}

std::span<const SettingRow> HostSettingRows() { return kRows; }

const SettingRow& HotkeySettingRow(HotkeyCommand command) {
    return kRows[kHotkeyRowAt.at(static_cast<std::size_t>(command))];
}

std::string SettingLabel(const SettingRow& row) {
    return "[" + std::string(row.section) + "] " + std::string(row.key);
}

std::string ManualWords(const SettingRow& row) {
    std::string words(row.manual);
    if (const auto* whole = std::get_if<WholeSetting>(&row.type))
        return words + ": 0 (off) or " + std::to_string(whole->low) + " to " + std::to_string(whole->high);
    if (std::holds_alternative<SwitchSetting>(row.type)) return "1 = " + words;
    return words;
}

const std::vector<std::string_view>& HostSettingKeys() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        all.reserve(kRows.size());
        for (const SettingRow& row : kRows)
            all.push_back(std::string(row.section) + "/" + std::string(row.key));
        return all;
    }();
    static const std::vector<std::string_view> keys(names.begin(), names.end());
    return keys;
}

bool SetHostSetting(HostSettings& settings, std::string_view key, std::string_view text) {
    const SettingRow* row = FindRow(key);
    return row != nullptr && Apply(settings, *row, text);
}

std::string RejectedSettingsText(const std::vector<RejectedSetting>& rejected) {
    if (rejected.empty()) return {};
    std::string text = std::string(kHostSettingsFile) + ": ";
    for (std::size_t i = 0; i < rejected.size(); ++i) {
        if (i > 0) text += ", ";
        const SettingRow* row = FindRow(rejected[i].key);
        // As it was judged: the blanks around it were not part of it.
        text += (row != nullptr ? SettingLabel(*row) : rejected[i].key) + "=" +
                std::string(WithoutBlanks(rejected[i].text));
    }
    text += " not allowed, default used";
    return text;
}

std::string SwitchOffSharedHotkeys(HostSettings& settings) {
    std::string text;
    for (auto later = kRows.begin(); later != kRows.end(); ++later) {
        const auto* laterHotkey = std::get_if<HotkeySetting>(&later->type);
        if (laterHotkey == nullptr) continue;
        KeyCombo& combo = Combo(settings, *laterHotkey);
        if (combo.Off()) continue;
        for (auto first = kRows.begin(); first != later; ++first) {
            const auto* firstHotkey = std::get_if<HotkeySetting>(&first->type);
            if (firstHotkey == nullptr || Combo(settings, *firstHotkey) != combo) continue;
            text += text.empty() ? std::string(kHostSettingsFile) + ": " : ", ";
            text += SettingLabel(*later) + "=" + KeyComboText(combo) + " switched off, " +
                    std::string(first->key) + " has it";
            combo = {};
            break;
        }
    }
    return text;
}

}  // namespace gv
