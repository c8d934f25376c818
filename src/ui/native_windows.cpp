// Windows: topmost windows and the standard look (the menu bar's commands are in
// menu_commands_windows.cpp).
#include <wx/frame.h>

#include "common/windows_api.h"
#include "ui/native.h"

namespace gv::ui {

void KeepOnTop(wxTopLevelWindow* window) {
    ::SetWindowPos(static_cast<HWND>(window->GetHWND()), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void PassCloseWhileDisabled(wxTopLevelWindow*) {}

wxWindow* DisabledWhileBusy(wxTopLevelWindow* /*window*/, wxWindow* client) { return client; }

bool FocusTakesTheKeyboard() { return false; }

void UseCompactStyle(wxWindow*) {}

void UseFixedRowHeights(wxWindow*) {}  // the generic list draws only the rows in view

std::uintptr_t NativeWindowHandle(wxWindow* window) {
    return reinterpret_cast<std::uintptr_t>(window->GetHWND());
}

}  // namespace gv::ui
