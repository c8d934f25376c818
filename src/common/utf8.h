#pragma once
// The UTF-8 side of the 8-bit conversion, shared by the code page of every system.

#include <cstddef>
#include <string>
#include <string_view>

namespace gv::utf8 {

// What DecodeUtf8 gives for a malformed byte.
inline constexpr char32_t kBadUtf8 = 0xFFFFFFFF;

// True when every byte is below 0x80 (looked at eight bytes at a time: captures are megabytes).
bool IsAscii(std::string_view text);
void AppendUtf8(std::string& out, char32_t cp);
// Decodes one UTF-8 character at `i` and advances past it. A malformed byte (stray
// continuation, overlong form, surrogate, beyond U+10FFFF, cut short) gives kBadUtf8 and
// advances by that one byte only, so every bad byte becomes one "?".
char32_t DecodeUtf8(std::string_view s, std::size_t& i);

}  // namespace gv::utf8
