// 8-bit text in the system's ANSI code page, through the system's own converters.

#include <climits>
#include <string>

#include "common/ansi.h"
#include "common/utf8.h"
#include "common/windows_api.h"

namespace gv {

namespace {

// UTF-8 to UTF-16 with our own decoder, so that each malformed byte gives one "?" as on
// every other system (the system converter would merge or drop them).
std::wstring Utf8ToWide(std::string_view utf8) {
    std::wstring w;
    w.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = utf8::DecodeUtf8(utf8, i);
        if (cp == utf8::kBadUtf8) {
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
    if (utf8::IsAscii(utf8)) return std::string(utf8);
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
    if (utf8::IsAscii(ansi)) return std::string(ansi);
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
        utf8::AppendUtf8(out, c);
    }
    return out;
}

}  // namespace gv
