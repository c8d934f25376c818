#pragma once
// System-wide hotkeys: key combinations that run a command whichever program has the
// keyboard. Windows registers them with the main window; X11 grabs them on the root window.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "setup/hotkey_combo.h"

class wxFrame;

namespace gv::ui {

struct HotkeyBinding {
    KeyCombo combo;
    std::function<void()> run;  // called from the event loop, never inside the platform's handler
};

enum class HotkeyGrab {
    Held,       // pressing the combination runs `run`
    Taken,      // another program holds it
    NoSuchKey,  // the keyboard has no such key
};

class SystemHotkeys {
public:
    virtual ~SystemHotkeys() = default;
    // False where the desktop offers no system-wide keys (a display that is not X).
    virtual bool Available() const = 0;
    // Takes each binding's combination; what became of each, in order. A combination another
    // program holds leaves the others working.
    virtual std::vector<HotkeyGrab> Register(std::vector<HotkeyBinding> bindings) = 0;
};

// For the main window; it must outlive the object.
std::unique_ptr<SystemHotkeys> MakeSystemHotkeys(wxFrame* frame);

// The top-level window that has the keyboard now (the foreground window, or the X input
// focus' top level); 0 when none has it.
std::uintptr_t KeyboardWindow();
// Whether the window still exists and is shown.
bool IsShownWindow(std::uintptr_t window);

}  // namespace gv::ui
