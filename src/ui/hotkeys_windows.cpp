// Windows: each combination registered as a hotkey of the main window; the system sends
// WM_HOTKEY, which wxWidgets hands on as wxEVT_HOTKEY.
#include <wx/frame.h>
#include <wx/log.h>

#include <string>

#include "common/windows_api.h"
#include "ui/hotkeys.h"

namespace gv::ui {

namespace {

constexpr int kFirstHotkeyId = 0x2E00;  // the application's own range is 0x0000 to 0xBFFF
constexpr UINT kNoRepeat = 0x4000;      // MOD_NOREPEAT, which older headers hide

UINT VirtualKey(const std::string& key) {
    if (key.size() == 1) return static_cast<unsigned char>(key[0]);  // 'A'..'Z', '0'..'9'
    if (key[0] == 'F' && key.size() <= 3) return VK_F1 + static_cast<UINT>(std::stoi(key.substr(1)) - 1);
    if (key == "Insert") return VK_INSERT;
    if (key == "Delete") return VK_DELETE;
    if (key == "Home") return VK_HOME;
    if (key == "End") return VK_END;
    if (key == "PageUp") return VK_PRIOR;
    if (key == "PageDown") return VK_NEXT;
    if (key == "Pause") return VK_PAUSE;
    return 0;
}

UINT ModifierFlags(unsigned modifiers) {
    // A key held down would repeat its WM_HOTKEY and run the command again.
    return kNoRepeat | ((modifiers & kModCtrl) != 0 ? MOD_CONTROL : 0u) |
           ((modifiers & kModShift) != 0 ? MOD_SHIFT : 0u) | ((modifiers & kModAlt) != 0 ? MOD_ALT : 0u);
}

class WindowsHotkeys final : public SystemHotkeys {
public:
    explicit WindowsHotkeys(wxFrame* frame) : frame_(frame) {}
    ~WindowsHotkeys() override {
        const wxLogNull quiet;
        for (const int id : ids_) {
            frame_->Unbind(wxEVT_HOTKEY, &WindowsHotkeys::OnHotkey, this, id);
            ::UnregisterHotKey(static_cast<HWND>(frame_->GetHWND()), id);
        }
    }
    WindowsHotkeys(const WindowsHotkeys&) = delete;
    WindowsHotkeys& operator=(const WindowsHotkeys&) = delete;

    bool Available() const override { return true; }

    std::vector<HotkeyGrab> Register(std::vector<HotkeyBinding> bindings) override {
        std::vector<HotkeyGrab> results;
        for (HotkeyBinding& binding : bindings) {
            const UINT key = VirtualKey(binding.combo.key);
            const int id = kFirstHotkeyId + static_cast<int>(runs_.size());
            if (key == 0) {
                results.push_back(HotkeyGrab::NoSuchKey);
                continue;
            }
            // wxWindow::RegisterHotKey would drop MOD_NOREPEAT; the event is wx's either way.
            if (!::RegisterHotKey(static_cast<HWND>(frame_->GetHWND()), id,
                                  ModifierFlags(binding.combo.modifiers), key)) {
                results.push_back(HotkeyGrab::Taken);
                continue;
            }
            frame_->Bind(wxEVT_HOTKEY, &WindowsHotkeys::OnHotkey, this, id);
            ids_.push_back(id);
            runs_.push_back(std::move(binding.run));
            results.push_back(HotkeyGrab::Held);
        }
        return results;
    }

private:
    void OnHotkey(wxKeyEvent& event) {
        const auto index = static_cast<std::size_t>(event.GetId() - kFirstHotkeyId);
        if (index < runs_.size()) frame_->CallAfter(runs_[index]);
    }

    wxFrame* frame_;
    std::vector<int> ids_;
    std::vector<std::function<void()>> runs_;
};

}  // namespace

std::unique_ptr<SystemHotkeys> MakeSystemHotkeys(wxFrame* frame) {
    return std::make_unique<WindowsHotkeys>(frame);
}

std::uintptr_t KeyboardWindow() { return reinterpret_cast<std::uintptr_t>(::GetForegroundWindow()); }

bool IsShownWindow(std::uintptr_t window) {
    const auto handle = reinterpret_cast<HWND>(window);
    return handle != nullptr && ::IsWindow(handle) && ::IsWindowVisible(handle);
}

}  // namespace gv::ui
