// The numeric value of any text, and the number text of any value: a finite value's number
// text reads back to the same value (to the 15 significant digits it keeps), holds no blank and
// no leading zero, and infinity reads back as infinity.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "common/text.h"
#include "require.h"

namespace {

void CheckNumberText(double value) {
    const std::string text = gv::NumberText(value);
    GV_REQUIRE(!text.empty());
    GV_REQUIRE(text.find(' ') == std::string::npos);
    const std::string_view digits =
        text[0] == '-' ? std::string_view(text).substr(1) : std::string_view(text);
    GV_REQUIRE(!digits.empty());
    // "0" alone for zero; otherwise no zero before the first other digit or the point.
    GV_REQUIRE(digits == "0" || digits[0] != '0');
    const double back = gv::ValOrInfinity(text);
    if (std::isinf(value)) {
        GV_REQUIRE(back == value);
        return;
    }
    if (std::isnan(value)) return;
    GV_REQUIRE(std::fabs(back - value) <= 1e-14 * std::fabs(value) + 1e-300);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const gv::NumericValue read = gv::Val(text);
    if (!read.outOfRange) {
        GV_REQUIRE(!std::isnan(read.value) && !std::isinf(read.value));
        GV_REQUIRE(!(read.value == 0 && std::signbit(read.value)));  // no negative zero
        CheckNumberText(read.value);
    } else {
        GV_REQUIRE(std::isinf(gv::ValOrInfinity(text)));
    }
    // Any eight bytes as a double, the odd ones (subnormal, huge, negative) included.
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        CheckNumberText(value);
    }
    return 0;
}
