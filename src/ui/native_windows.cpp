// Windows: the menu bar's plain commands, topmost windows and the standard look.
#include <wx/frame.h>
#include <wx/menu.h>

#include "common/windows_api.h"
#include "ui/native.h"

namespace gv::ui {

namespace {
constexpr unsigned kFirstCommandId = 0x7E00;  // above wx's own menu ids
}

void KeepOnTop(wxTopLevelWindow* window) {
    ::SetWindowPos(static_cast<HWND>(window->GetHWND()), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void UseCompactStyle(wxWindow*) {}

void UseFixedRowHeights(wxWindow*) {}  // the generic list draws only the rows in view

std::uintptr_t NativeWindowHandle(wxWindow* window) {
    return reinterpret_cast<std::uintptr_t>(window->GetHWND());
}

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
                      static_cast<HMENU>(frame_->GetMenuBar()->GetHMenu()), static_cast<UINT>(index), &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace gv::ui
