#pragma once
// Runs the main window's commands as the command table's rows say, whichever way they come: a
// button, the menu bar, a key, a system-wide hotkey or a live run. A host's command waits
// while another runs (held after a quiet live run, dropped otherwise); one from elsewhere
// leaves the keyboard where it is.

#include <functional>
#include <vector>

#include "common/command_gate.h"
#include "floor/auction.h"
#include "floor/trouble_board.h"
#include "setup/host_settings.h"
#include "ui/hotkeys.h"
#include "ui/panel_host.h"

class wxFrame;

namespace gv::ui {

class AccountsDock;
class FloorLogDock;
class MenuCommands;
class PanelSet;
class WindowGate;

class CommandDesk final : public PanelHost {
public:
    CommandDesk(wxFrame* frame, Auction& auction, WindowGate& gate, TroubleBoard& troubles);
    // The panels and the side windows the commands work on, once they are made.
    void Attach(PanelSet& panels, FloorLogDock& floorLog, AccountsDock& accounts);

    // PanelHost.
    void Run(Command command, Origin origin) override;
    bool Idle() const override;
    bool HoldUntilIdle(std::function<void()> command) override;
    void FocusDummy() override;
    void KeepKeyboardWhereItIs(bool keep) override;

    // The rows' menu captions on the menu bar, and their keys in the window.
    void InstallMenu(MenuCommands& menu);
    void BindKeys();
    // The rows' hotkeys as the host's settings combine them, in [Hotkeys] order.
    std::vector<HotkeyBinding> HotkeyBindings(const HostSettings& settings);

    // For the live runs: whether one may run now (idle, the window enabled, the auction panel
    // shown, whose captions a run changes), and one run quietly.
    bool ReadyForLive() const;
    void RunQuietly(Command command);

    CommandGate& Gate();

    // What the rows' handlers work on.
    gv::Floor& Floor() { return auction_.floor; }
    PanelSet& Panels() { return *panels_; }
    FloorLogDock& FloorLog() { return *floorLog_; }
    AccountsDock& Accounts() { return *accounts_; }
    void Reconnect();
    void UndoLastSale();

private:
    wxFrame* frame_;
    Auction& auction_;
    WindowGate& gate_;
    TroubleBoard& troubles_;
    PanelSet* panels_ = nullptr;
    FloorLogDock* floorLog_ = nullptr;
    AccountsDock* accounts_ = nullptr;
};

}  // namespace gv::ui
