#pragma once
// A side window that one command opens and closes (the floor log, the accounts: each with its
// menu item, key and hotkey): opened from elsewhere it takes the keyboard only when Gavelton had it; closed,
// it keeps its size and place, and a place that cannot be kept is named in the title, never asked about.

#include <functional>

#include "common/atomic_file.h"
#include "common/command_gate.h"
#include "floor/trouble_board.h"
#include "ui/side_window.h"

namespace gv::ui {

class WindowToggle {
public:
    // What opening makes; what the owner does once the window is gone, however it went.
    WindowToggle(const CommandGate& gate, TroubleBoard& troubles, std::function<SideWindow*()> make,
                 std::function<void()> gone);
    ~WindowToggle();
    WindowToggle(const WindowToggle&) = delete;
    WindowToggle& operator=(const WindowToggle&) = delete;

    void Toggle(bool fromElsewhere);
    // Keeps the open window's size and place and closes it; whether the place could be kept.
    FileResult Close();
    SideWindow* Window() const { return window_; }

private:
    // Lets go of the window without closing it (the window itself is going).
    void Forget();

    const CommandGate& gate_;
    TroubleBoard& troubles_;
    std::function<SideWindow*()> make_;
    std::function<void()> gone_;
    SideWindow* window_ = nullptr;
};

}  // namespace gv::ui
