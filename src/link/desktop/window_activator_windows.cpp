// Bringing a top-level window to the front by its title or its handle, through the Windows user
// interface.
#include <wx/string.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/windows_api.h"
#include "link/desktop/dde_channel.h"
#include "link/desktop/title_match.h"

namespace gv {

namespace {

struct Found {
    std::vector<HWND> windows;
    std::vector<std::wstring> titles;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    if (!IsWindowVisible(window)) return TRUE;
    const int length = GetWindowTextLengthW(window);
    std::wstring title(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, title.data(), length + 1);
    title.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    auto* found = reinterpret_cast<Found*>(param);
    found->windows.push_back(window);
    found->titles.push_back(std::move(title));
    return TRUE;
}

class DesktopActivator final : public WindowActivator {
public:
    bool Activate(const std::string& title) override {
        Found found;
        EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&found));
        HWND chosen = nullptr;
        if (!PickByTitle(found.windows, wxString::FromUTF8(title).ToStdWstring(), found.titles, chosen))
            return false;
        Bring(chosen);
        return true;
    }

    bool ActivateWindow(std::uintptr_t handle) override {
        const auto window = reinterpret_cast<HWND>(handle);
        if (window == nullptr || !IsWindow(window)) return false;
        Bring(window);
        return true;
    }

private:
    static void Bring(HWND window) {
        if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
    }
};

}  // namespace

std::unique_ptr<WindowActivator> MakeDesktopWindowActivator() { return std::make_unique<DesktopActivator>(); }

}  // namespace gv
