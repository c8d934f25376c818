// SCONTROL.TXT: up to four lines (client title, activate flag, library flag, pause). Reading
// stops quietly at the first missing or unusable line; what was read so far is kept.
#include <cmath>
#include <cstdint>
#include <limits>

#include "common/ansi.h"
#include "common/atomic_file.h"
#include "common/lines.h"
#include "common/text.h"
#include "link/chat_link.h"

namespace gv {

namespace {

// The nearest whole number, a half going to the even neighbour.
double RoundHalfEven(double value) {
    const double down = std::floor(value);
    const double diff = value - down;
    if (diff < 0.5) return down;
    if (diff > 0.5) return down + 1.0;
    return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

}  // namespace

LinkSettings LoadLinkSettings(const std::filesystem::path& path) {
    LinkSettings settings;
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return settings;

    LineReader reader(*bytes, LineEnds::CrLfCrOrLf);
    std::string_view line;

    if (!reader.Next(line)) return settings;
    settings.clientTitle = FromAnsi(TrimView(line));

    if (!reader.Next(line)) return settings;
    NumericValue value = Val(TrimView(line));
    if (value.outOfRange) return settings;
    settings.activateClient = value.value == 1.0;

    if (!reader.Next(line)) return settings;
    value = Val(TrimView(line));
    if (value.outOfRange) return settings;
    settings.useDapi = value.value == 1.0;

    if (!reader.Next(line)) return settings;
    value = Val(TrimView(line));
    if (value.outOfRange) return settings;
    const double pause = RoundHalfEven(value.value);
    if (pause < std::numeric_limits<std::int16_t>::min() ||
        pause > std::numeric_limits<std::int16_t>::max()) {
        return settings;
    }
    settings.speakPause = static_cast<int>(pause);
    return settings;
}

}  // namespace gv
