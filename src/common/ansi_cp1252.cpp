// 8-bit text as Windows-1252, where no system code page stands behind it: byte for byte what a
// Windows host in the west has, and every byte survives a round trip.

#include "common/ansi.h"
#include "common/utf8.h"

namespace gv {

using utf8::AppendUtf8;
using utf8::DecodeUtf8;
using utf8::IsAscii;
using utf8::kBadUtf8;

namespace {

// Windows-1252, bytes 0x80 to 0x9F. The five bytes Windows leaves undefined map to the C1
// control of the same number, so every byte survives a round trip.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

int Cp1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int k = 0; k < 32; ++k) {
        if (kCp1252High[k] == cp) return 0x80 + k;
    }
    return -1;
}

}  // namespace

std::string ToAnsi(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = DecodeUtf8(utf8, i);
        const int b = cp == kBadUtf8 ? -1 : Cp1252Byte(cp);
        out.push_back(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}

std::string FromAnsi(std::string_view ansi) {
    if (IsAscii(ansi)) return std::string(ansi);
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 2);
    for (const char c : ansi) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else {
            AppendUtf8(out, b < 0xA0 ? char32_t{kCp1252High[b - 0x80]} : char32_t{b});
        }
    }
    return out;
}

}  // namespace gv
