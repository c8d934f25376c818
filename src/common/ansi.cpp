#include "common/ansi.h"

#include <cstdint>
#include <cstring>

#ifdef _WIN32
#include <climits>
#include <vector>

#include "common/windows_api.h"
#endif

namespace gv {
namespace {

bool IsAscii(std::string_view text) {
    // Eight bytes at a time: the chat capture is mostly plain ASCII and can be megabytes.
    const char* p = text.data();
    std::size_t n = text.size();
    while (n >= 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        if (w & 0x8080808080808080ULL) return false;
        p += 8;
        n -= 8;
    }
    for (; n > 0; --n, ++p) {
        if (static_cast<unsigned char>(*p) & 0x80) return false;
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

constexpr char32_t kBad = 0xFFFFFFFF;

// Decodes one UTF-8 character at `i` and advances past it. A malformed byte (stray
// continuation, overlong form, surrogate, beyond U+10FFFF, cut short) gives kBad and
// advances by that one byte only, so every bad byte becomes one "?".
char32_t DecodeUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    std::size_t len;
    char32_t cp;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, cp = b0 & 0x1Fu, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, cp = b0 & 0x0Fu, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, cp = b0 & 0x07u, min = 0x10000;
    } else {
        ++i;
        return kBad;
    }
    if (s.size() - i < len) {
        ++i;
        return kBad;
    }
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kBad;
        }
        cp = (cp << 6) | (b & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kBad;
    }
    i += len;
    return cp;
}

#ifndef _WIN32
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
#endif

}  // namespace

#ifndef _WIN32

std::string ToAnsi(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = DecodeUtf8(utf8, i);
        const int b = cp == kBad ? -1 : Cp1252Byte(cp);
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

#else  // _WIN32: the system's ANSI code page

namespace {

// UTF-8 to UTF-16 with our own decoder, so that each malformed byte gives one "?" as on
// every other system (the system converter would merge or drop them).
std::wstring Utf8ToWide(std::string_view utf8) {
    std::wstring w;
    w.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = DecodeUtf8(utf8, i);
        if (cp == kBad) {
            w.push_back(L'?');
        } else if (cp >= 0x10000) {
            w.push_back(static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10)));
            w.push_back(static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            w.push_back(static_cast<wchar_t>(cp));
        }
    }
    return w;
}

}  // namespace

std::string ToAnsi(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    const std::wstring w = Utf8ToWide(utf8);
    if (w.size() > static_cast<std::size_t>(INT_MAX / 2)) return std::string(w.size(), '?');
    const int wn = static_cast<int>(w.size());
    const UINT cp = GetACP();
    // A UTF-8 ANSI code page refuses the default-character arguments.
    const DWORD flags = cp == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* defaultChar = cp == CP_UTF8 ? nullptr : "?";
    const int n = WideCharToMultiByte(cp, flags, w.data(), wn, nullptr, 0, defaultChar, nullptr);
    if (n <= 0) return std::string(w.size(), '?');
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(cp, flags, w.data(), wn, out.data(), n, defaultChar, nullptr);
    return out;
}

std::string FromAnsi(std::string_view ansi) {
    if (IsAscii(ansi)) return std::string(ansi);
    if (ansi.size() > static_cast<std::size_t>(INT_MAX / 2)) return std::string(ansi.size(), '?');
    const int an = static_cast<int>(ansi.size());
    const int wn = MultiByteToWideChar(CP_ACP, 0, ansi.data(), an, nullptr, 0);
    if (wn <= 0) return std::string(ansi.size(), '?');
    std::wstring w(static_cast<std::size_t>(wn), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), an, w.data(), wn);
    std::string out;
    out.reserve(w.size() + w.size() / 2);
    for (std::size_t i = 0; i < w.size(); ++i) {
        char32_t c = static_cast<char16_t>(w[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < w.size() && w[i + 1] >= 0xDC00 && w[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(w[i + 1]) - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = U'?';
        }
        AppendUtf8(out, c);
    }
    return out;
}

#endif

}  // namespace gv
