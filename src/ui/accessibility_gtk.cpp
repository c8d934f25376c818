// GTK: the names, roles and change events through the ATK objects of the widgets wxWidgets
// made (wxWidgets 3.2 has no wxAccessible on GTK).
#include <gtk/gtk.h>
#include <wx/window.h>

#include "ui/accessibility.h"

namespace gv::ui {

namespace {

// wx wraps a list box (and a multi-line text box) in a scrolled window; the focus and so the
// reader's attention go to the widget inside.
AtkObject* AccessibleOf(wxWindow* control) {
    auto* widget = static_cast<GtkWidget*>(control->GetHandle());
    if (!widget) return nullptr;
    if (GTK_IS_SCROLLED_WINDOW(widget)) {
        if (GtkWidget* inner = gtk_bin_get_child(GTK_BIN(widget))) widget = inner;
    }
    return gtk_widget_get_accessible(widget);
}

}  // namespace

void Describe(wxWindow* control, SpokenRole role, const wxString& name, const wxString& description) {
    AtkObject* object = AccessibleOf(control);
    if (!object) return;
    // A drawn caption is a bare container to GTK ("panel", no name).
    if (role == SpokenRole::Label) atk_object_set_role(object, ATK_ROLE_LABEL);
    atk_object_set_name(object, name.utf8_str());
    if (!description.empty()) atk_object_set_description(object, description.utf8_str());
}

void Rename(wxWindow* control, const wxString& name) {
    // ATK sends the name change to the bridge (every change after the first name).
    if (AtkObject* object = AccessibleOf(control)) atk_object_set_name(object, name.utf8_str());
}

void HideFromAssistiveTechnology(wxWindow* control) {
    AtkObject* object = AccessibleOf(control);
    if (!object) return;
    // ATK has no way to drop one widget from its container's children; this role tells
    // readers to pass over it, and it has no name to speak.
    atk_object_set_role(object, ATK_ROLE_REDUNDANT_OBJECT);
    atk_object_set_name(object, "");
    atk_object_set_description(object, "");
}

}  // namespace gv::ui
