#include "ui/return_window.h"

#include "ui/hotkeys.h"
#include "ui/native.h"

namespace gv::ui {

std::uintptr_t ReturnWindow::Handle() const {
    if (kept_ != 0 && IsShownWindow(kept_)) return kept_;
    return NativeWindowHandle(own_);
}

void ReturnWindow::KeepKeyboard() {
    // With no window holding the keyboard there is nothing to give it back to: Gavelton's
    // own window then comes back as after a click.
    kept_ = KeyboardWindow();
}

}  // namespace gv::ui
