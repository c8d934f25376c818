#include "link/link_settings.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "common/ansi.h"
#include "common/atomic_file.h"
#include "common/lines.h"
#include "common/text.h"

namespace gv {

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
    // The default rounding mode takes a half to the even neighbour.
    const double pause = std::nearbyint(value.value);
    if (pause < std::numeric_limits<std::int16_t>::min() ||
        pause > std::numeric_limits<std::int16_t>::max()) {
        return settings;
    }
    settings.speakPause = static_cast<int>(pause);
    return settings;
}

}  // namespace gv
