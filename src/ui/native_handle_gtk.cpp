// GTK: a window's X id, on its own because GDK's X11 header brings Xlib's macros.
#include <gtk/gtk.h>
#include <wx/window.h>

#include "ui/native.h"

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

namespace gv::ui {

std::uintptr_t NativeWindowHandle(wxWindow* window) {
    GtkWidget* widget = window->GetHandle();
    GdkWindow* gdkWindow = widget != nullptr ? gtk_widget_get_window(widget) : nullptr;
#ifdef GDK_WINDOWING_X11
    if (gdkWindow != nullptr && GDK_IS_X11_WINDOW(gdkWindow)) return GDK_WINDOW_XID(gdkWindow);
#endif
    return 0;
}

}  // namespace gv::ui
