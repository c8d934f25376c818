#include "setup/host_settings.h"

#include <charconv>

namespace gv {
namespace {

constexpr std::string_view kGetBidsEvery = "Live/GetBidsEvery";
constexpr std::string_view kLiveSound = "Live/Sound";

// Whole decimal digits only: "5s", "+5", "5.0" and an empty value are refused, not guessed at.
bool ParseWhole(std::string_view text, int& value) {
    if (text.empty() || text.front() < '0' || text.front() > '9') return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

}  // namespace

const std::vector<std::string_view>& HostSettingKeys() {
    static const std::vector<std::string_view> keys{kGetBidsEvery, kLiveSound};
    return keys;
}

bool SetHostSetting(HostSettings& settings, std::string_view key, std::string_view text) {
    int value = 0;
    if (!ParseWhole(text, value)) return false;
    if (key == kGetBidsEvery) {
        if (value != 0 && (value < kLiveEveryMin || value > kLiveEveryMax)) return false;
        settings.getBidsEvery = value;
        return true;
    }
    if (key == kLiveSound) {
        if (value != 0 && value != 1) return false;
        settings.liveSound = value == 1;
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
