#include "ui/host_hotkeys.h"

namespace gv::ui {

namespace {

std::string HotkeyTroubleText(const std::vector<std::string>& combos, const char* what) {
    if (combos.empty()) return {};
    std::string text = combos.size() == 1 ? "hotkey " : "hotkeys ";
    for (std::size_t i = 0; i < combos.size(); ++i) text += (i > 0 ? ", " : "") + combos[i];
    return text + " " + what;
}

}  // namespace

std::string TakeHotkeys(std::unique_ptr<SystemHotkeys>& hotkeys, wxFrame* frame,
                        std::vector<HotkeyBinding> bindings) {
    hotkeys = MakeSystemHotkeys(frame);
    if (!hotkeys->Available()) return "hotkeys not available on this display";
    std::vector<std::string> taken;
    std::vector<std::string> missing;
    std::vector<std::string> texts;
    texts.reserve(bindings.size());
    for (const HotkeyBinding& binding : bindings) texts.push_back(KeyComboText(binding.combo));
    const std::vector<HotkeyGrab> grabs = hotkeys->Register(std::move(bindings));
    for (std::size_t i = 0; i < grabs.size(); ++i) {
        if (grabs[i] == HotkeyGrab::Taken) taken.push_back(texts[i]);
        if (grabs[i] == HotkeyGrab::NoSuchKey) missing.push_back(texts[i]);
    }
    std::string trouble = HotkeyTroubleText(taken, "taken by another program");
    const std::string noKey = HotkeyTroubleText(missing, "not on this keyboard");
    if (!noKey.empty()) trouble += (trouble.empty() ? "" : ", ") + noKey;
    return trouble;
}

}  // namespace gv::ui
