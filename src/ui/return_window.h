#pragma once
// Which window the link brings forward after each DDE request (with ActivateClient on):
// Gavelton's own, or, while a command runs that did not come from Gavelton's window (a
// hotkey, a live run), the window that had the keyboard when that command started.

#include <cstdint>

class wxWindow;

namespace gv::ui {

class ReturnWindow {
public:
    explicit ReturnWindow(wxWindow* own) : own_(own) {}

    // What the link activates now. A kept window that has gone since gives way to Gavelton's.
    std::uintptr_t Handle() const;

    // Notes the window that has the keyboard now; until Release, the link gives it back there.
    void KeepKeyboard();
    void Release() { kept_ = 0; }

private:
    wxWindow* own_;
    std::uintptr_t kept_ = 0;
};

}  // namespace gv::ui
