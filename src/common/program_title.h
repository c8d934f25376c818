#pragma once
// The program's title: its window's caption, the title of its message boxes, the first line of
// the rules, and the name it registers under with the chat client.

namespace gv {

inline constexpr const char* kProgramTitle = "Gavelton";

}  // namespace gv
