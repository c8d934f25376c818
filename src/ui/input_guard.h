#pragma once
// While busy the window takes none of the host's input, whatever the platform lets through a
// disabled window: an event filter drops every input event aimed at the window's controls.

#include <wx/eventfilter.h>
#include <wx/textctrl.h>
#include <wx/window.h>

namespace gv::ui {

class InputGuard final : public wxEventFilter {
public:
    explicit InputGuard(wxWindow* top) : top_(top) {}
    int FilterEvent(wxEvent& event) override {
        const wxEventType type = event.GetEventType();
        const bool input = event.GetEventCategory() == wxEVT_CATEGORY_USER_INPUT || type == wxEVT_MENU ||
                           type == wxEVT_BUTTON || type == wxEVT_LISTBOX || type == wxEVT_LISTBOX_DCLICK ||
                           type == wxEVT_CHECKBOX || type == wxEVT_TEXT_ENTER || type == wxEVT_TEXT_PASTE ||
                           type == wxEVT_TEXT_CUT || type == wxEVT_NAVIGATION_KEY ||
                           type == wxEVT_CONTEXT_MENU;
        if (!input) return Event_Skip;
        auto* window = wxDynamicCast(event.GetEventObject(), wxWindow);
        if (window && wxGetTopLevelParent(window) == top_) return Event_Processed;
        return Event_Skip;
    }

private:
    wxWindow* top_;
};

}  // namespace gv::ui
