// 8-bit ANSI conversion: any bytes become text and back to the same bytes; any text (valid
// UTF-8 or not) becomes at least one byte for each of its characters, never fewer.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/ansi.h"
#include "require.h"

namespace {

// Characters as a forgiving UTF-8 reader counts them: a lead byte or a stray byte starts one.
std::size_t Characters(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    GV_REQUIRE(gv::ToAnsi(gv::FromAnsi(bytes)) == bytes);

    const std::string ansi = gv::ToAnsi(bytes);  // the same bytes taken as UTF-8 text
    GV_REQUIRE(bytes.empty() == ansi.empty());
    GV_REQUIRE(ansi.size() >= Characters(bytes));
    GV_REQUIRE(ansi.size() <= bytes.size());
    return 0;
}
