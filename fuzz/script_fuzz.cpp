// The practice world's script reader on any line: it never ends the program, a waiting time
// or a delay is a real number of seconds (a delay at most a day), a huge reply is 1 to 1024
// megabytes, and a line that is not a command is posted as it stands.

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
    // The world sleeps this long before each answer, and builds a reply this large.
    if (parsed.kind == pw::ScriptLine::Kind::Delay)
        GV_REQUIRE(std::isfinite(parsed.seconds) && parsed.seconds >= 0 && parsed.seconds <= 86400);
    if (parsed.kind == pw::ScriptLine::Kind::Reply && parsed.text == "huge")
        GV_REQUIRE(parsed.megabytes >= 1 && parsed.megabytes <= 1024);
    if (parsed.kind == pw::ScriptLine::Kind::Post) GV_REQUIRE(parsed.text == line);
    if (line.empty() || line[0] != '!') GV_REQUIRE(parsed.kind == pw::ScriptLine::Kind::Post);
    return 0;
}
