// X11: a passive grab of each combination on the root window, with every variant of the lock
// modifiers (Caps, Num and Scroll Lock) so that a lit lock does not hide the key. The key
// presses reach us through a GDK filter on the root window.
#include <gdk/gdk.h>
#include <wx/frame.h>

#include "ui/hotkeys.h"

#ifdef GDK_WINDOWING_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <gdk/gdkx.h>
#endif

#include <cctype>
#include <string>

namespace gv::ui {

namespace {

class NoHotkeys final : public SystemHotkeys {
public:
    bool Available() const override { return false; }
    std::vector<HotkeyGrab> Register(std::vector<HotkeyBinding> bindings) override {
        return std::vector<HotkeyGrab>(bindings.size(), HotkeyGrab::NoSuchKey);
    }
};

#ifdef GDK_WINDOWING_X11

Display* XDisplayOf(GdkDisplay* display) { return gdk_x11_display_get_xdisplay(display); }

// The modifier bit a lock key sits on, 0 when it is on none.
unsigned LockBit(Display* display, KeySym lock) {
    const KeyCode code = XKeysymToKeycode(display, lock);
    XModifierKeymap* map = XGetModifierMapping(display);
    unsigned bit = 0;
    for (int modifier = 0; modifier < 8 && code != 0 && bit == 0; ++modifier) {
        for (int k = 0; k < map->max_keypermod; ++k) {
            if (map->modifiermap[modifier * map->max_keypermod + k] == code) bit = 1u << modifier;
        }
    }
    XFreeModifiermap(map);
    return bit;
}

KeySym KeySymOf(const std::string& key) {
    if (key == "PageUp") return XK_Prior;
    if (key == "PageDown") return XK_Next;
    if (key.size() == 1) {
        const std::string lower(1, static_cast<char>(std::tolower(static_cast<unsigned char>(key[0]))));
        return XStringToKeysym(lower.c_str());
    }
    return XStringToKeysym(key.c_str());
}

unsigned ModifierMask(unsigned modifiers) {
    return ((modifiers & kModCtrl) != 0 ? ControlMask : 0u) |
           ((modifiers & kModShift) != 0 ? ShiftMask : 0u) | ((modifiers & kModAlt) != 0 ? Mod1Mask : 0u);
}

class X11Hotkeys final : public SystemHotkeys {
public:
    X11Hotkeys(wxFrame* frame, GdkDisplay* display)
        : frame_(frame),
          gdkDisplay_(display),
          display_(XDisplayOf(display)),
          root_(gdk_screen_get_root_window(gdk_display_get_default_screen(display))) {
        locks_ = LockBit(display_, XK_Num_Lock) | LockBit(display_, XK_Scroll_Lock) | LockMask;
        gdk_window_add_filter(root_, &X11Hotkeys::Filter, this);
    }
    ~X11Hotkeys() override {
        gdk_window_remove_filter(root_, &X11Hotkeys::Filter, this);
        gdk_x11_display_error_trap_push(gdkDisplay_);
        for (const Grab& grab : grabs_) Ungrab(grab);
        gdk_x11_display_error_trap_pop_ignored(gdkDisplay_);
    }
    X11Hotkeys(const X11Hotkeys&) = delete;
    X11Hotkeys& operator=(const X11Hotkeys&) = delete;

    bool Available() const override { return true; }

    std::vector<HotkeyGrab> Register(std::vector<HotkeyBinding> bindings) override {
        std::vector<HotkeyGrab> results;
        for (HotkeyBinding& binding : bindings) {
            const KeySym sym = KeySymOf(binding.combo.key);
            const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(display_, sym);
            if (code == 0) {
                results.push_back(HotkeyGrab::NoSuchKey);
                continue;
            }
            Grab grab{code, ModifierMask(binding.combo.modifiers), std::move(binding.run)};
            // BadAccess: another client grabbed one of the variants first.
            gdk_x11_display_error_trap_push(gdkDisplay_);
            ForEachVariant(grab, [this, &grab](unsigned state) {
                XGrabKey(display_, grab.code, state, RootXid(), False, GrabModeAsync, GrabModeAsync);
            });
            if (gdk_x11_display_error_trap_pop(gdkDisplay_) != 0) {
                gdk_x11_display_error_trap_push(gdkDisplay_);
                Ungrab(grab);  // the variants we did get are no use alone
                gdk_x11_display_error_trap_pop_ignored(gdkDisplay_);
                results.push_back(HotkeyGrab::Taken);
                continue;
            }
            grabs_.push_back(std::move(grab));
            results.push_back(HotkeyGrab::Held);
        }
        return results;
    }

private:
    struct Grab {
        KeyCode code;
        unsigned state;
        std::function<void()> run;
    };

    ::Window RootXid() const { return GDK_WINDOW_XID(root_); }

    template <class Each>
    void ForEachVariant(const Grab& grab, Each each) const {
        // Every subset of the lock bits, each once.
        for (unsigned locks = locks_;; locks = (locks - 1) & locks_) {
            each(grab.state | locks);
            if (locks == 0) break;
        }
    }

    void Ungrab(const Grab& grab) const {
        ForEachVariant(grab,
                       [this, &grab](unsigned state) { XUngrabKey(display_, grab.code, state, RootXid()); });
    }

    static GdkFilterReturn Filter(GdkXEvent* native, GdkEvent* /*event*/, gpointer data) {
        auto* self = static_cast<X11Hotkeys*>(data);
        const auto* event = static_cast<const XEvent*>(native);
        if (event->type != KeyPress && event->type != KeyRelease) return GDK_FILTER_CONTINUE;
        const XKeyEvent& key = event->xkey;
        for (const Grab& grab : self->grabs_) {
            if (key.keycode != grab.code || (key.state & ~self->locks_) != grab.state) continue;
            if (event->type == KeyRelease) {
                self->held_ = 0;
            } else if (self->held_ != grab.code) {
                // A key held down repeats its press (GDK makes the repeats come without
                // releases): the command runs once a press.
                self->held_ = grab.code;
                self->frame_->CallAfter(grab.run);
            }
            return GDK_FILTER_REMOVE;
        }
        if (event->type == KeyRelease && key.keycode == self->held_) self->held_ = 0;
        return GDK_FILTER_CONTINUE;
    }

    wxFrame* frame_;
    GdkDisplay* gdkDisplay_;
    Display* display_;
    GdkWindow* root_;
    unsigned locks_ = 0;
    KeyCode held_ = 0;
    std::vector<Grab> grabs_;
};

// The input focus may sit on a child; the top level is the ancestor just below the root.
::Window TopLevelOf(Display* display, ::Window window) {
    for (;;) {
        ::Window root = 0, parent = 0;
        ::Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return 0;
        if (children != nullptr) XFree(children);
        if (parent == root || parent == 0) return window;
        window = parent;
    }
}

::Window ActiveByWindowManager(Display* display) {
    const Atom atom = XInternAtom(display, "_NET_ACTIVE_WINDOW", True);
    if (atom == None) return 0;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    ::Window active = 0;
    if (XGetWindowProperty(display, DefaultRootWindow(display), atom, 0, 1, False, AnyPropertyType, &type,
                           &format, &count, &after, &data) == Success &&
        data != nullptr) {
        if (format == 32 && count == 1)
            active = static_cast<::Window>(*reinterpret_cast<const unsigned long*>(data));
        XFree(data);
    }
    return active;
}

#endif

}  // namespace

std::unique_ptr<SystemHotkeys> MakeSystemHotkeys(wxFrame* frame) {
#ifdef GDK_WINDOWING_X11
    GdkDisplay* display = gdk_display_get_default();
    if (display != nullptr && GDK_IS_X11_DISPLAY(display))
        return std::make_unique<X11Hotkeys>(frame, display);
#endif
    return std::make_unique<NoHotkeys>();
}

std::uintptr_t KeyboardWindow() {
#ifdef GDK_WINDOWING_X11
    GdkDisplay* gdkDisplay = gdk_display_get_default();
    if (gdkDisplay == nullptr || !GDK_IS_X11_DISPLAY(gdkDisplay)) return 0;
    Display* display = XDisplayOf(gdkDisplay);
    gdk_x11_display_error_trap_push(gdkDisplay);
    ::Window window = ActiveByWindowManager(display);
    if (window == 0) {
        int revert = 0;
        XGetInputFocus(display, &window, &revert);
        // None and PointerRoot: no window has the keyboard for itself.
        window = window == None || window == PointerRoot ? 0 : TopLevelOf(display, window);
    }
    if (gdk_x11_display_error_trap_pop(gdkDisplay) != 0) return 0;
    return window;
#else
    return 0;
#endif
}

bool IsShownWindow(std::uintptr_t window) {
#ifdef GDK_WINDOWING_X11
    GdkDisplay* gdkDisplay = gdk_display_get_default();
    if (window == 0 || gdkDisplay == nullptr || !GDK_IS_X11_DISPLAY(gdkDisplay)) return false;
    XWindowAttributes attributes{};
    gdk_x11_display_error_trap_push(gdkDisplay);
    const Status got =
        XGetWindowAttributes(XDisplayOf(gdkDisplay), static_cast<::Window>(window), &attributes);
    const bool failed = gdk_x11_display_error_trap_pop(gdkDisplay) != 0;
    return !failed && got != 0 && attributes.map_state == IsViewable;
#else
    (void)window;
    return false;
#endif
}

}  // namespace gv::ui
