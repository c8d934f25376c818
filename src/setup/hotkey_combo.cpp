#include "setup/hotkey_combo.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "common/text.h"

namespace gv {
namespace {

constexpr std::array<std::string_view, 7> kNamedKeys{"Insert", "Delete",   "Home", "End",
                                                     "PageUp", "PageDown", "Pause"};

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The key's own spelling, or empty when it is not one we offer.
std::string KnownKey(std::string_view text) {
    if (text.size() == 1 && std::isalnum(static_cast<unsigned char>(text[0])))
        return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(text[0]))));
    if (text.size() >= 2 && text.size() <= 3 && (text[0] == 'F' || text[0] == 'f') &&
        std::all_of(text.begin() + 1, text.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
        text[1] != '0') {
        const int number = std::stoi(std::string(text.substr(1)));
        if (number >= 1 && number <= 24 && number != 12) return "F" + std::to_string(number);
        return {};
    }
    for (const std::string_view named : kNamedKeys) {
        if (SameIgnoringCase(text, named)) return std::string(named);
    }
    return {};
}

unsigned ModifierBit(std::string_view text) {
    if (SameIgnoringCase(text, "Ctrl")) return kModCtrl;
    if (SameIgnoringCase(text, "Shift")) return kModShift;
    if (SameIgnoringCase(text, "Alt")) return kModAlt;
    return 0;
}

bool TypesText(const KeyCombo& combo) {
    if (combo.key.size() != 1) return false;  // function and navigation keys type nothing
    const bool ctrl = (combo.modifiers & kModCtrl) != 0;
    const bool alt = (combo.modifiers & kModAlt) != 0;
    return ctrl == alt;  // neither: the plain or shifted character; both: AltGr's
}

}  // namespace

bool ParseKeyCombo(std::string_view text, KeyCombo& combo) {
    text = Trimmed(text);
    if (text.empty()) {
        combo = {};
        return true;
    }
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t plus = text.find('+', start);
        parts.push_back(Trimmed(text.substr(start, plus == std::string_view::npos ? plus : plus - start)));
        if (plus == std::string_view::npos) break;
        start = plus + 1;
    }
    KeyCombo parsed;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const unsigned bit = ModifierBit(parts[i]);
        if (bit == 0 || (parsed.modifiers & bit) != 0) return false;
        parsed.modifiers |= bit;
    }
    parsed.key = KnownKey(parts.back());
    if (parsed.key.empty() || TypesText(parsed)) return false;
    combo = parsed;
    return true;
}

std::string KeyComboText(const KeyCombo& combo) {
    if (combo.Off()) return {};
    std::string text;
    if ((combo.modifiers & kModCtrl) != 0) text += "Ctrl+";
    if ((combo.modifiers & kModShift) != 0) text += "Shift+";
    if ((combo.modifiers & kModAlt) != 0) text += "Alt+";
    return text + combo.key;
}

}  // namespace gv
