// Windows: the names, roles and change events through wxWidgets' wxAccessible, which answers
// MSAA's WM_GETOBJECT for the control; what it leaves unanswered, the system's standard
// object of the control answers.
#include <wx/access.h>
#include <wx/window.h>

#include "ui/accessibility.h"

#if !wxUSE_ACCESSIBILITY
#error "Gavelton's Windows build needs wxWidgets built with wxUSE_ACCESSIBILITY"
#endif

namespace gv::ui {

namespace {

class SpokenAccessible final : public wxAccessible {
public:
    explicit SpokenAccessible(wxWindow* control) : wxAccessible(control) {}

    wxString name;
    wxString description;
    bool label = false;
    bool hidden = false;

    wxAccStatus GetName(int childId, wxString* out) override {
        if (childId != wxACC_SELF) return wxACC_NOT_IMPLEMENTED;
        *out = name;
        return wxACC_OK;
    }
    wxAccStatus GetDescription(int childId, wxString* out) override {
        if (childId != wxACC_SELF || description.empty()) return wxACC_NOT_IMPLEMENTED;
        *out = description;
        return wxACC_OK;
    }
    wxAccStatus GetRole(int childId, wxAccRole* role) override {
        if (childId != wxACC_SELF || !label) return wxACC_NOT_IMPLEMENTED;
        *role = wxROLE_SYSTEM_STATICTEXT;
        return wxACC_OK;
    }
    wxAccStatus GetState(int childId, long* state) override {
        if (childId != wxACC_SELF || !hidden) return wxACC_NOT_IMPLEMENTED;
        // Readers pass over invisible objects; it still takes the focus.
        *state = wxACC_STATE_SYSTEM_INVISIBLE | wxACC_STATE_SYSTEM_OFFSCREEN | wxACC_STATE_SYSTEM_FOCUSABLE;
        if (GetWindow()->HasFocus()) *state |= wxACC_STATE_SYSTEM_FOCUSED;
        return wxACC_OK;
    }
};

SpokenAccessible& SpokenOf(wxWindow* control) {
    auto* spoken = dynamic_cast<SpokenAccessible*>(control->GetAccessible());
    if (!spoken) {
        spoken = new SpokenAccessible(control);
        control->SetAccessible(spoken);  // the window owns it
    }
    return *spoken;
}

}  // namespace

void Describe(wxWindow* control, SpokenRole role, const wxString& name, const wxString& description) {
    SpokenAccessible& spoken = SpokenOf(control);
    spoken.label = role == SpokenRole::Label;
    spoken.name = name;
    spoken.description = description;
}

void Rename(wxWindow* control, const wxString& name) {
    SpokenOf(control).name = name;
    wxAccessible::NotifyEvent(wxACC_EVENT_OBJECT_NAMECHANGE, control, wxOBJID_CLIENT, wxACC_SELF);
}

void HideFromAssistiveTechnology(wxWindow* control) {
    SpokenAccessible& spoken = SpokenOf(control);
    spoken.hidden = true;
    spoken.name.clear();
    spoken.description.clear();
}

}  // namespace gv::ui
