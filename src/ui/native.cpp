#include "ui/native.h"

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/utils.h>

#include <string_view>
#include <type_traits>

#ifdef _WIN32
#include "common/windows_api.h"
#else
#include <wx/dynlib.h>
#endif

namespace gv::ui {

#ifdef _WIN32

namespace {
constexpr unsigned kFirstCommandId = 0x7E00;  // above wx's own menu ids
}

void KeepOnTop(wxTopLevelWindow* window) {
    ::SetWindowPos(static_cast<HWND>(window->GetHWND()), HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE);
}

void UseCompactStyle(wxWindow*) {}

void MenuCommands::Install(wxFrame* frame, std::vector<Command> commands) {
    frame_ = frame;
    commands_ = std::move(commands);
    HMENU menu = static_cast<HMENU>(frame->GetMenuBar()->GetHMenu());
    for (std::size_t i = 0; i < commands_.size(); ++i) {
        ::AppendMenuW(menu, MF_STRING, kFirstCommandId + i, commands_[i].caption.wc_str());
    }
    ::DrawMenuBar(static_cast<HWND>(frame->GetHWND()));
}

int MenuCommands::NaturalWidth() const {
    return 0;  // a Windows menu bar wraps onto a second row instead of widening the window
}

bool MenuCommands::HandleCommand(unsigned id) const {
    if (id < kFirstCommandId || id >= kFirstCommandId + commands_.size()) return false;
    commands_[id - kFirstCommandId].run();
    return true;
}

wxRect MenuCommands::ItemScreenRect(std::size_t index) const {
    RECT r{};
    ::GetMenuItemRect(static_cast<HWND>(frame_->GetHWND()),
                      static_cast<HMENU>(frame_->GetMenuBar()->GetHMenu()),
                      static_cast<UINT>(index), &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

#else  // GTK

namespace {

// The few GTK and GLib calls needed, taken from the libraries wxWidgets already loaded, so
// the build needs no GTK headers.
struct Gtk {
    using Widget = void;
    struct Allocation {
        int x, y, width, height;
    };
    struct List {
        void* data;
        List* next;
        List* prev;
    };
    Widget* (*menu_item_new_with_mnemonic)(const char*) = nullptr;
    void (*menu_shell_append)(Widget*, Widget*) = nullptr;
    void (*widget_show)(Widget*) = nullptr;
    unsigned long (*signal_connect_data)(void*, const char*, void (*)(), void*, void*, int) = nullptr;
    const char* (*type_name_from_instance)(void*) = nullptr;
    List* (*container_get_children)(Widget*) = nullptr;
    void (*list_free)(List*) = nullptr;
    int (*translate_coordinates)(Widget*, Widget*, int, int, int*, int*) = nullptr;
    Widget* (*get_toplevel)(Widget*) = nullptr;
    void* (*get_window)(Widget*) = nullptr;
    int (*window_get_origin)(void*, int*, int*) = nullptr;
    int (*allocated_width)(Widget*) = nullptr;
    int (*allocated_height)(Widget*) = nullptr;
    void* (*style_context)(Widget*) = nullptr;
    void (*context_add_class)(void*, const char*) = nullptr;
    void* (*css_provider_new)() = nullptr;
    int (*css_load_from_data)(void*, const char*, long, void**) = nullptr;
    void* (*screen_get_default)() = nullptr;
    void (*add_provider_for_screen)(void*, void*, unsigned) = nullptr;
    Widget* (*shell_selected_item)(Widget*) = nullptr;
    void (*preferred_width)(Widget*, int*, int*) = nullptr;
    void (*shell_deactivate)(Widget*) = nullptr;
    bool ok = false;

    static const Gtk& Get() {
        static const Gtk gtk = Load();
        return gtk;
    }

private:
    static Gtk Load() {
        Gtk g;
        wxDynamicLibrary self;
        self.Attach(wxDynamicLibrary::GetProgramHandle());
        bool all = true;
        const auto sym = [&](auto& fn, const char* name) {
            void* p = self.GetSymbol(name);
            if (!p) all = false;
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(p);
        };
        sym(g.menu_item_new_with_mnemonic, "gtk_menu_item_new_with_mnemonic");
        sym(g.menu_shell_append, "gtk_menu_shell_append");
        sym(g.widget_show, "gtk_widget_show");
        sym(g.signal_connect_data, "g_signal_connect_data");
        sym(g.type_name_from_instance, "g_type_name_from_instance");
        sym(g.container_get_children, "gtk_container_get_children");
        sym(g.list_free, "g_list_free");
        sym(g.translate_coordinates, "gtk_widget_translate_coordinates");
        sym(g.get_toplevel, "gtk_widget_get_toplevel");
        sym(g.get_window, "gtk_widget_get_window");
        sym(g.window_get_origin, "gdk_window_get_origin");
        sym(g.allocated_width, "gtk_widget_get_allocated_width");
        sym(g.allocated_height, "gtk_widget_get_allocated_height");
        sym(g.style_context, "gtk_widget_get_style_context");
        sym(g.context_add_class, "gtk_style_context_add_class");
        sym(g.css_provider_new, "gtk_css_provider_new");
        sym(g.css_load_from_data, "gtk_css_provider_load_from_data");
        sym(g.screen_get_default, "gdk_screen_get_default");
        sym(g.add_provider_for_screen, "gtk_style_context_add_provider_for_screen");
        sym(g.shell_selected_item, "gtk_menu_shell_get_selected_item");
        sym(g.preferred_width, "gtk_widget_get_preferred_width");
        sym(g.shell_deactivate, "gtk_menu_shell_deactivate");
        self.Detach();  // the program handle is not ours to close
        g.ok = all;
        return g;
    }
};

Gtk::Widget* FindMenuBar(const Gtk& gtk, Gtk::Widget* widget) {
    if (!widget) return nullptr;
    const char* type = gtk.type_name_from_instance(widget);
    if (type && std::string_view(type) == "GtkMenuBar") return widget;
    if (!type || (std::string_view(type) != "GtkBox" && std::string_view(type) != "GtkEventBox")) {
        return nullptr;
    }
    Gtk::List* children = gtk.container_get_children(widget);
    Gtk::Widget* found = nullptr;
    for (Gtk::List* c = children; c && !found; c = c->next) found = FindMenuBar(gtk, c->data);
    gtk.list_free(children);
    return found;
}

void OnActivate(void* /*item*/, void* data) {
    (*static_cast<std::function<void()>*>(data))();
}

}  // namespace

// GTK's menu bar takes a quick click on an item as "open the menu" and waits for a second
// click; for a bar of plain commands the release of the first click runs the command.
int MenuCommands::OnBarRelease(void* bar, void* /*event*/, void* data) {
    const auto* self = static_cast<const MenuCommands*>(data);
    const Gtk& gtk = Gtk::Get();
    void* selected = gtk.shell_selected_item(bar);
    const wxPoint pointer = wxGetMousePosition();
    for (std::size_t i = 0; i < self->items_.size(); ++i) {
        if (self->items_[i] != selected) continue;
        if (!self->ItemScreenRect(i).Contains(pointer)) return 0;
        gtk.shell_deactivate(bar);
        self->commands_[i].run();
        return 1;
    }
    return 0;
}

void KeepOnTop(wxTopLevelWindow* window) {
    // The toolkit's stay-on-top style asks the window manager to keep the window above.
    window->SetWindowStyleFlag(window->GetWindowStyleFlag() | wxSTAY_ON_TOP);
}

void UseCompactStyle(wxWindow* control) {
    const Gtk& gtk = Gtk::Get();
    if (!gtk.ok || !control->GetHandle()) return;
    static bool installed = false;
    if (!installed) {
        installed = true;
        void* css = gtk.css_provider_new();
        gtk.css_load_from_data(css,
                               "button.gavelton { min-height: 0; min-width: 0; padding: 0 2px; }"
                               "entry.gavelton { min-height: 0; padding: 0 3px; }",
                               -1, nullptr);
        gtk.add_provider_for_screen(gtk.screen_get_default(), css, 600 /* application */);
    }
    gtk.context_add_class(gtk.style_context(control->GetHandle()), "gavelton");
}

void MenuCommands::Install(wxFrame* frame, std::vector<Command> commands) {
    frame_ = frame;
    commands_ = std::move(commands);
    const Gtk& gtk = Gtk::Get();
    Gtk::Widget* bar = gtk.ok ? FindMenuBar(gtk, frame->GetMenuBar()->GetHandle()) : nullptr;
    if (!bar) {
        // Without access to the bar, fall back to ordinary menus that carry the command.
        wxMenuBar* menuBar = frame->GetMenuBar();
        for (Command& command : commands_) {
            auto* menu = new wxMenu;
            const int id = wxWindow::NewControlId();
            menu->Append(id, command.caption);
            menuBar->Append(menu, command.caption);
            frame->Bind(wxEVT_MENU, [&command](wxCommandEvent&) { command.run(); }, id);
        }
        return;
    }
    for (Command& command : commands_) {
        wxString mnemonic = command.caption;
        mnemonic.Replace("&", "_");
        Gtk::Widget* item = gtk.menu_item_new_with_mnemonic(mnemonic.utf8_str());
        gtk.signal_connect_data(item, "activate", reinterpret_cast<void (*)()>(&OnActivate),
                                &command.run, nullptr, 0);
        gtk.menu_shell_append(bar, item);
        gtk.widget_show(item);
        items_.push_back(item);
    }
    bar_ = bar;
    gtk.signal_connect_data(bar, "button-release-event", reinterpret_cast<void (*)()>(&OnBarRelease),
                            this, nullptr, 0);
}

int MenuCommands::NaturalWidth() const {
    if (!bar_) return 0;
    int minimum = 0, natural = 0;
    Gtk::Get().preferred_width(bar_, &minimum, &natural);
    return natural;
}

wxRect MenuCommands::ItemScreenRect(std::size_t index) const {
    const Gtk& gtk = Gtk::Get();
    if (index >= items_.size()) return {};
    Gtk::Widget* item = items_[index];
    Gtk::Widget* top = gtk.get_toplevel(item);
    int x = 0, y = 0, ox = 0, oy = 0;
    gtk.translate_coordinates(item, top, 0, 0, &x, &y);
    gtk.window_get_origin(gtk.get_window(top), &ox, &oy);
    return {ox + x, oy + y, gtk.allocated_width(item), gtk.allocated_height(item)};
}

#endif

}  // namespace gv::ui
