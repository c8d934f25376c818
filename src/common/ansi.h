#pragma once
// Conversion between Gavelton's own text (UTF-8) and 8-bit ANSI text: the system's ANSI
// code page on Windows, Windows-1252 elsewhere, so files and chat texts are byte-for-byte
// what a Windows host has. A character with no 8-bit form becomes "?"; no text is ever
// emptied or shortened by a conversion (a malformed UTF-8 byte also becomes "?").

#include <string>
#include <string_view>

namespace gv {

std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

}  // namespace gv
