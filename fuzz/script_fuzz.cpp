// The practice world's script reader on any line: it never ends the program, a waiting time
// is a real number of seconds, and a line that is not a command is posted as it stands.

#include <cmath>
#include <cstdint>
#include <string_view>

#include "core/script.h"
#include "require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const pw::ScriptLine parsed = pw::ParseScriptLine(line);
    if (parsed.kind == pw::ScriptLine::Kind::Wait)
        GV_REQUIRE(std::isfinite(parsed.seconds) && parsed.seconds >= 0);
    if (parsed.kind == pw::ScriptLine::Kind::Post) GV_REQUIRE(parsed.text == line);
    if (line.empty() || line[0] != '!') GV_REQUIRE(parsed.kind == pw::ScriptLine::Kind::Post);
    return 0;
}
