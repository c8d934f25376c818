// Bringing a top-level window to the front by its title or its id, through the X server.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <string>
#include <vector>

#include "link/desktop/dde_channel.h"
#include "link/desktop/title_match.h"

namespace gv {

namespace {

// Xlib's default handler ends the program on any protocol error; a window that vanishes
// between listing and raising must not do that.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : display_(display), previous_(XSetErrorHandler(IgnoreXError)) {}
    ~ErrorTrap() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

private:
    Display* display_;
    XErrorHandler previous_;
};

std::vector< ::Window> ClientList(Display* display, ::Window root) {
    std::vector< ::Window> windows;
    const Atom atom = XInternAtom(display, "_NET_CLIENT_LIST", True);
    if (atom == None) return windows;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, root, atom, 0, 1L << 16, False, XA_WINDOW, &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr) {
        if (type == XA_WINDOW && format == 32) {
            const auto* ids = reinterpret_cast<const unsigned long*>(data);  // format 32 is long
            windows.assign(ids, ids + count);
        }
        XFree(data);
    }
    return windows;
}

// Without a window manager, the mapped children of the root are the top-level windows.
std::vector< ::Window> MappedTopLevels(Display* display, ::Window root) {
    std::vector< ::Window> windows;
    ::Window rootReturn = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) == 0) return windows;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable) {
            windows.push_back(children[i]);
        }
    }
    if (children != nullptr) XFree(children);
    return windows;
}

std::string TitleOf(Display* display, ::Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", True);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", True);
    if (netName != None && utf8 != None) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, netName, 0, 1L << 16, False, utf8, &type, &format, &count,
                               &after, &data) == Success &&
            data != nullptr) {
            std::string title;
            if (type == utf8 && format == 8) title.assign(reinterpret_cast<const char*>(data), count);
            XFree(data);
            if (type == utf8) return title;
        }
    }
    XTextProperty property{};
    std::string title;
    if (XGetWMName(display, window, &property) != 0 && property.value != nullptr) {
        char** list = nullptr;
        int count = 0;
        if (Xutf8TextPropertyToTextList(display, &property, &list, &count) >= Success && list != nullptr) {
            if (count > 0 && list[0] != nullptr) title = list[0];
            XFreeStringList(list);
        }
        XFree(property.value);
    }
    return title;
}

// Asks the window manager to activate the window, as a pager would (source indication 2), or
// without one raises and focuses it.
void Bring(Display* display, ::Window root, ::Window chosen, bool managed) {
    if (managed) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = chosen;
        event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = 2;
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    } else {
        XRaiseWindow(display, chosen);
        XSetInputFocus(display, chosen, RevertToParent, CurrentTime);
    }
}

class DesktopActivator final : public WindowActivator {
public:
    bool Activate(const std::string& title) override {
        Display* display = XOpenDisplay(nullptr);
        if (display == nullptr) return false;
        bool activated = false;
        {
            ErrorTrap trap(display);
            const ::Window root = DefaultRootWindow(display);
            std::vector< ::Window> windows = ClientList(display, root);
            const bool managed = !windows.empty();
            if (!managed) windows = MappedTopLevels(display, root);
            std::vector<std::string> titles;
            titles.reserve(windows.size());
            for (::Window window : windows) titles.push_back(TitleOf(display, window));
            ::Window chosen = 0;
            if (PickByTitle(windows, title, titles, chosen)) {
                Bring(display, root, chosen, managed);
                activated = true;
            }
        }
        XCloseDisplay(display);
        return activated;
    }

    bool ActivateWindow(std::uintptr_t handle) override {
        if (handle == 0) return false;
        Display* display = XOpenDisplay(nullptr);
        if (display == nullptr) return false;
        bool activated = false;
        {
            ErrorTrap trap(display);
            const ::Window root = DefaultRootWindow(display);
            const auto window = static_cast< ::Window>(handle);
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(display, window, &attributes) != 0 &&
                attributes.map_state == IsViewable) {
                Bring(display, root, window, !ClientList(display, root).empty());
                activated = true;
            }
        }
        XCloseDisplay(display);
        return activated;
    }
};

}  // namespace

std::unique_ptr<WindowActivator> MakeDesktopWindowActivator() { return std::make_unique<DesktopActivator>(); }

}  // namespace gv
