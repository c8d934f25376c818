#include "common/clock.h"

namespace gv {

std::string LocalTimeText() { return LocalTimeTextOf(std::time(nullptr)); }

std::string LocalTimeTextOf(std::time_t moment) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &moment);
#else
    localtime_r(&moment, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::optional<std::chrono::sys_days> DayOf(std::string_view time) {
    if (time.size() < 10 || (time.size() > 10 && time[10] >= '0' && time[10] <= '9')) return std::nullopt;
    int parts[3] = {0, 0, 0};
    constexpr std::size_t kDigits[3] = {4, 2, 2};
    std::size_t at = 0;
    for (int p = 0; p < 3; ++p) {
        if (p > 0 && time[at++] != '-') return std::nullopt;
        for (std::size_t d = 0; d < kDigits[p]; ++d, ++at) {
            if (time[at] < '0' || time[at] > '9') return std::nullopt;
            parts[p] = parts[p] * 10 + (time[at] - '0');
        }
    }
    const std::chrono::year_month_day date{std::chrono::year(parts[0]),
                                           std::chrono::month(static_cast<unsigned>(parts[1])),
                                           std::chrono::day(static_cast<unsigned>(parts[2]))};
    if (!date.ok()) return std::nullopt;
    return std::chrono::sys_days(date);
}

std::string_view DateOf(std::string_view time) {
    return DayOf(time) ? time.substr(0, 10) : std::string_view();
}

}  // namespace gv
