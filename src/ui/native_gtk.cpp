// GTK: the menu bar's plain commands, topmost windows and a compact look, through GTK's own
// calls on the widgets wxWidgets made.
#include <gtk/gtk.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/utils.h>

#include "ui/native.h"

namespace gv::ui {

namespace {

// wx puts the GtkMenuBar inside a box (or an event box) of its own.
GtkWidget* FindMenuBar(GtkWidget* widget) {
    if (!widget) return nullptr;
    const GType type = G_OBJECT_TYPE(widget);
    if (type == GTK_TYPE_MENU_BAR) return widget;
    if (type != GTK_TYPE_BOX && type != GTK_TYPE_EVENT_BOX) return nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    GtkWidget* found = nullptr;
    for (GList* c = children; c && !found; c = c->next) found = FindMenuBar(static_cast<GtkWidget*>(c->data));
    g_list_free(children);
    return found;
}

void OnActivate(GtkMenuItem* /*item*/, gpointer data) { (*static_cast<std::function<void()>*>(data))(); }

// Falls back to ordinary menus that carry the command, where the bar cannot be reached.
void InstallAsMenus(wxFrame* frame, std::vector<MenuCommands::Command>& commands) {
    wxMenuBar* menuBar = frame->GetMenuBar();
    for (MenuCommands::Command& command : commands) {
        auto* menu = new wxMenu;
        const int id = wxWindow::NewControlId();
        menu->Append(id, command.caption);
        menuBar->Append(menu, command.caption);
        frame->Bind(
            wxEVT_MENU, [&command](wxCommandEvent&) { command.run(); }, id);
    }
}

}  // namespace

// GTK's menu bar takes a quick click on an item as "open the menu" and waits for a second
// click; for a bar of plain commands the release of the first click runs the command.
int MenuCommands::OnBarRelease(void* bar, void* /*event*/, void* data) {
    const auto* self = static_cast<const MenuCommands*>(data);
    GtkWidget* selected = gtk_menu_shell_get_selected_item(GTK_MENU_SHELL(bar));
    const wxPoint pointer = wxGetMousePosition();
    for (std::size_t i = 0; i < self->items_.size(); ++i) {
        if (self->items_[i] != selected) continue;
        if (!self->ItemScreenRect(i).Contains(pointer)) return FALSE;
        gtk_menu_shell_deactivate(GTK_MENU_SHELL(bar));
        self->commands_[i].run();
        return TRUE;
    }
    return FALSE;
}

void KeepOnTop(wxTopLevelWindow* window) {
    // The toolkit's stay-on-top style asks the window manager to keep the window above.
    window->SetWindowStyleFlag(window->GetWindowStyleFlag() | wxSTAY_ON_TOP);
}

namespace {

// wxWidgets' own handler of "delete-event" drops it while the window is disabled; an emission
// hook runs before any handler, so the close goes to the window's close handler first.
gboolean OnDeleteEmission(GSignalInvocationHint* /*hint*/, guint count, const GValue* values, gpointer data) {
    auto* window = static_cast<wxTopLevelWindow*>(data);
    if (count > 0 && G_VALUE_HOLDS_OBJECT(&values[0]) &&
        g_value_get_object(&values[0]) == static_cast<gpointer>(window->GetHandle()) &&
        !window->IsEnabled()) {
        window->Close();
    }
    return TRUE;  // stay installed
}

}  // namespace

bool FocusTakesTheKeyboard() { return true; }

wxWindow* DisabledWhileBusy(wxTopLevelWindow* window, wxWindow* /*client*/) { return window; }

void PassCloseWhileDisabled(wxTopLevelWindow* window) {
    const guint signal = g_signal_lookup("delete-event", GTK_TYPE_WIDGET);
    const gulong hook = g_signal_add_emission_hook(signal, 0, &OnDeleteEmission, window, nullptr);
    window->Bind(wxEVT_DESTROY, [window, signal, hook](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == window) g_signal_remove_emission_hook(signal, hook);
        event.Skip();
    });
}

namespace {

void AddCompactClass(GtkWidget* widget) {
    static bool installed = false;
    if (!installed) {
        installed = true;
        // The menu bar's six captions fit in the room its five took at the theme's padding.
        GtkCssProvider* css = gtk_css_provider_new();
        gtk_css_provider_load_from_data(
            css,
            "button.gavelton { min-height: 0; min-width: 0; padding: 0 2px; }"
            "entry.gavelton { min-height: 0; padding: 0 3px; }"
            "menubar.gavelton > menuitem { padding-left: 4px; padding-right: 4px; }",
            -1, nullptr);
        gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    }
    gtk_style_context_add_class(gtk_widget_get_style_context(widget), "gavelton");
}

}  // namespace

void UseCompactStyle(wxWindow* control) {
    if (GtkWidget* widget = control->GetHandle()) AddCompactClass(widget);
}

void UseFixedRowHeights(wxWindow* list) {
    GtkWidget* widget = list->GetHandle();
    if (widget && GTK_IS_SCROLLED_WINDOW(widget)) widget = gtk_bin_get_child(GTK_BIN(widget));
    if (!widget || !GTK_IS_TREE_VIEW(widget)) return;
    GtkTreeView* tree = GTK_TREE_VIEW(widget);
    // Fixed-height mode needs every column of a fixed width; the host can still drag them.
    for (guint i = 0; GtkTreeViewColumn* column = gtk_tree_view_get_column(tree, static_cast<gint>(i)); ++i) {
        const gint width = gtk_tree_view_column_get_width(column);
        gtk_tree_view_column_set_sizing(column, GTK_TREE_VIEW_COLUMN_FIXED);
        if (width > 0 && gtk_tree_view_column_get_fixed_width(column) <= 0)
            gtk_tree_view_column_set_fixed_width(column, width);
    }
    gtk_tree_view_set_fixed_height_mode(tree, TRUE);
}

void MenuCommands::Install(wxFrame* frame, std::vector<Command> commands) {
    frame_ = frame;
    commands_ = std::move(commands);
    GtkWidget* bar = FindMenuBar(frame->GetMenuBar()->GetHandle());
    if (!bar) {
        InstallAsMenus(frame, commands_);
        return;
    }
    for (Command& command : commands_) {
        wxString mnemonic = command.caption;
        mnemonic.Replace("&", "_");
        GtkWidget* item = gtk_menu_item_new_with_mnemonic(mnemonic.utf8_str());
        g_signal_connect(item, "activate", G_CALLBACK(&OnActivate), &command.run);
        gtk_menu_shell_append(GTK_MENU_SHELL(bar), item);
        gtk_widget_show(item);
        items_.push_back(item);
    }
    bar_ = bar;
    AddCompactClass(static_cast<GtkWidget*>(bar));
    g_signal_connect(bar, "button-release-event", G_CALLBACK(&OnBarRelease), this);
}

void MenuCommands::FitWidth(int /*pixels*/) {}  // the captions' padding is set in the style above

int MenuCommands::NaturalWidth() const {
    if (!bar_) return 0;
    int minimum = 0, natural = 0;
    gtk_widget_get_preferred_width(static_cast<GtkWidget*>(bar_), &minimum, &natural);
    return natural;
}

wxRect MenuCommands::ItemScreenRect(std::size_t index) const {
    if (index >= items_.size()) return {};
    auto* item = static_cast<GtkWidget*>(items_[index]);
    GtkWidget* top = gtk_widget_get_toplevel(item);
    int x = 0, y = 0, ox = 0, oy = 0;
    gtk_widget_translate_coordinates(item, top, 0, 0, &x, &y);
    gdk_window_get_origin(gtk_widget_get_window(top), &ox, &oy);
    return {ox + x, oy + y, gtk_widget_get_allocated_width(item), gtk_widget_get_allocated_height(item)};
}

}  // namespace gv::ui
