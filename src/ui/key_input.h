#pragma once
// The key filters' side of the boxes: the character a key event types, and pasted text put
// through the same filter and typing limit as typing.

#include <wx/event.h>

#include "setup/tier_table.h"

namespace gv::ui {

// The character a key event types, as the key filters see it; -1 for keys that type no
// character (arrows, Delete, Tab), which the boxes handle themselves.
int CharCode(const wxKeyEvent& event);

using KeyFilter = KeyVerdict (*)(int keyCode);

// Lets the key through to the box when the filter passes it (or it types no character).
// Returns the verdict for the keys the caller acts on (Enter).
KeyVerdict FilterKey(wxKeyEvent& event, KeyFilter filter);

// Binds a box's paste so that only what the filter passes goes in, up to the box's limit.
void FilterPastes(wxWindow* box, KeyFilter filter, std::size_t maxChars);

}  // namespace gv::ui
