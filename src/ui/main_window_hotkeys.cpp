// The main window's system-wide hotkeys: taken at start when Gavelton.ini turns them on; each
// runs its command as the button does, and a combination that cannot be had is named in the
// title.

#include <functional>
#include <string>
#include <vector>

#include "ui/main_window.h"

namespace gv::ui {

namespace {

std::string HotkeyTroubleText(const std::vector<std::string>& combos, const char* what) {
    if (combos.empty()) return {};
    std::string text = combos.size() == 1 ? "hotkey " : "hotkeys ";
    for (std::size_t i = 0; i < combos.size(); ++i) text += (i > 0 ? ", " : "") + combos[i];
    return text + " " + what;
}

}  // namespace

void AuctionFrame::StartHotkeys() {
    if (!settings_.hotkeysEnabled) return;
    const auto press = [this](Command command) -> std::function<void()> {
        return [this, command] { auctionPanel_->Press(command, Origin::Hotkey); };
    };
    const std::vector<std::pair<HotkeyCommand, std::function<void()>>> actions{
        {HotkeyCommand::StateItem, press(Command::StateItem)},
        {HotkeyCommand::GetBids, press(Command::GetBids)},
        {HotkeyCommand::Call1st, press(Command::Call1st)},
        {HotkeyCommand::Call2nd, press(Command::Call2nd)},
        {HotkeyCommand::Call3rd, press(Command::Call3rd)},
        {HotkeyCommand::Sold, press(Command::Sold)},
        {HotkeyCommand::GetNextItem, press(Command::GetNextItem)},
        {HotkeyCommand::FloorLog, [this] { ToggleFloorLog(true); }},
    };
    std::vector<HotkeyBinding> bindings;
    for (const auto& [hotkey, run] : actions) {
        const KeyCombo& combo = settings_.hotkeys.at(static_cast<std::size_t>(hotkey));
        if (run && !combo.Off()) bindings.push_back({combo, run});
    }
    hotkeys_ = MakeSystemHotkeys(this);
    if (!hotkeys_->Available()) {
        hotkeyFailure_ = "hotkeys not available on this display";
        return;
    }
    std::vector<std::string> taken;
    std::vector<std::string> missing;
    const std::vector<HotkeyGrab> grabs = hotkeys_->Register(bindings);
    for (std::size_t i = 0; i < grabs.size(); ++i) {
        if (grabs[i] == HotkeyGrab::Taken) taken.push_back(KeyComboText(bindings[i].combo));
        if (grabs[i] == HotkeyGrab::NoSuchKey) missing.push_back(KeyComboText(bindings[i].combo));
    }
    hotkeyFailure_ = HotkeyTroubleText(taken, "taken by another program");
    const std::string noKey = HotkeyTroubleText(missing, "not on this keyboard");
    if (!noKey.empty()) hotkeyFailure_ += (hotkeyFailure_.empty() ? "" : ", ") + noKey;
}

void AuctionFrame::KeepKeyboardWhereItIs(bool keep) {
    keyboardElsewhere_ = keep && !HasKeyboard();
    if (keep) {
        returnWindow_.KeepKeyboard();
    } else {
        returnWindow_.Release();
    }
}

bool AuctionFrame::HasKeyboard() {
    // The main window, the floor log, or a box of Gavelton's.
    for (wxWindow* window : wxTopLevelWindows) {
        auto* top = dynamic_cast<wxTopLevelWindow*>(window);
        if (top && top->IsActive()) return true;
    }
    return false;
}

}  // namespace gv::ui
