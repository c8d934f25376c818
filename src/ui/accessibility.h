#pragma once
// What a screen reader learns of the window: a name for every control whose screen shows
// none of its own (the text boxes), the captions Gavelton draws as labels with their text,
// and a change event when such a caption changes, so that a reader can speak a new bid
// without the host moving the focus. Windows answers through wxWidgets' wxAccessible (MSAA),
// GTK through ATK; the window code sees only these calls.

class wxString;
class wxWindow;

namespace gv::ui {

enum class SpokenRole {
    Native,  // the control's own role (a text box, a list)
    Label,   // static text: a caption Gavelton draws itself
};

// Gives the control its accessible name and, where not empty, a description that says what
// it shows ("Current bid").
void Describe(wxWindow* control, SpokenRole role, const wxString& name, const wxString& description);
// A described control's name has changed; assistive technology is told.
void Rename(wxWindow* control, const wxString& name);
// Keeps the control out of assistive technology's view; it can still take the focus.
void HideFromAssistiveTechnology(wxWindow* control);

}  // namespace gv::ui
