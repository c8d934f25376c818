#pragma once
// The main window's background: cyan at rest, red while a command talks to the chat client,
// amber after a command that could not reach the chat client or the sales record.

#include <wx/colour.h>

namespace gv::ui {

inline const wxColour kCyan(0, 255, 255);
inline const wxColour kRed(255, 0, 0);
inline const wxColour kAmber(255, 191, 0);
// A caption that has just changed by itself (a new current bid from a live run).
inline const wxColour kChanged(255, 255, 0);

}  // namespace gv::ui
