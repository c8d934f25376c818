#include "ui/command_desk.h"

#include <wx/accel.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include <algorithm>

#include "floor/floor.h"
#include "ui/command_table.h"
#include "ui/floor_log_dock.h"
#include "ui/native.h"
#include "ui/panel_set.h"
#include "ui/window_gate.h"

namespace gv::ui {

CommandDesk::CommandDesk(wxFrame* frame, Auction& auction, WindowGate& gate, TroubleBoard& troubles)
    : frame_(frame), auction_(auction), gate_(gate), troubles_(troubles) {}

void CommandDesk::Attach(PanelSet& panels, FloorLogDock& floorLog, AccountsDock& accounts) {
    panels_ = &panels;
    floorLog_ = &floorLog;
    accounts_ = &accounts;
}

void CommandDesk::Run(Command command, Origin origin) {
    const CommandRow& row = RowOf(command);
    if (!(row.anyTime && origin == Origin::Hotkey) && !Idle()) {
        if (origin != Origin::Live) HoldUntilIdle([this, command, origin] { Run(command, origin); });
        return;
    }
    // A change made to the setup files outside comes in before the command acts on the list,
    // and what the command changed is on disk before anything else can happen.
    auction_.keeper.Keep(Idle());
    if (row.logged) LogCommand(auction_, command, origin);
    const bool fromElsewhere = origin != Origin::Window;
    if (fromElsewhere) KeepKeyboardWhereItIs(true);
    row.run(*this, origin);
    if (fromElsewhere) KeepKeyboardWhereItIs(false);
    auction_.keeper.Keep(false);
    if (origin == Origin::Window && row.endsOnDummy) FocusDummy();
}

CommandGate& CommandDesk::Gate() { return gate_.Gate(); }

bool CommandDesk::Idle() const { return gate_.Gate().Idle(); }

bool CommandDesk::HoldUntilIdle(std::function<void()> command) {
    return gate_.Gate().HoldUntilIdle(std::move(command));
}

void CommandDesk::FocusDummy() { panels_->FocusDummy(); }

void CommandDesk::KeepKeyboardWhereItIs(bool keep) { gate_.KeepKeyboardWhereItIs(keep); }

void CommandDesk::InstallMenu(MenuCommands& menu) {
    std::vector<MenuCommands::Command> commands;
    for (const CommandRow& row : CommandRows()) {
        if (row.menuCaption.empty()) continue;
        // The command runs after the menu bar has finished with the click or key.
        const Command command = row.command;
        commands.push_back({wxString(row.menuName.data(), row.menuName.size()),
                            wxString(row.menuCaption.data(), row.menuCaption.size()), [this, command] {
                                frame_->CallAfter([this, command] { Run(command, Origin::Window); });
                            }});
    }
    menu.Install(frame_, std::move(commands));
}

void CommandDesk::BindKeys() {
    std::vector<wxAcceleratorEntry> accelerators;
    std::vector<const CommandRow*> textBoxKeeps;
    for (const CommandRow& row : CommandRows()) {
        if (row.ctrlKey == 0) continue;
        if (row.textBoxKeeps) {
            textBoxKeeps.push_back(&row);
            continue;
        }
        const int id = wxWindow::NewControlId();
        accelerators.emplace_back(wxACCEL_CTRL, row.ctrlKey, id);
        const Command command = row.command;
        frame_->Bind(
            wxEVT_MENU, [this, command](wxCommandEvent&) { Run(command, Origin::Window); }, id);
    }
    if (!accelerators.empty())
        frame_->SetAcceleratorTable(
            wxAcceleratorTable(static_cast<int>(accelerators.size()), accelerators.data()));
    frame_->Bind(wxEVT_CHAR_HOOK, [this, textBoxKeeps](wxKeyEvent& event) {
        const bool inTextBox = dynamic_cast<wxTextCtrl*>(wxWindow::FindFocus()) != nullptr;
        for (const CommandRow* row : textBoxKeeps) {
            if (event.GetKeyCode() == row->ctrlKey && event.GetModifiers() == wxMOD_CONTROL && !inTextBox) {
                Run(row->command, Origin::Window);
                return;
            }
        }
        event.Skip();
    });
}

std::vector<HotkeyBinding> CommandDesk::HotkeyBindings(const HostSettings& settings) {
    std::vector<const CommandRow*> rows;
    for (const CommandRow& row : CommandRows())
        if (row.hotkey) rows.push_back(&row);
    std::sort(rows.begin(), rows.end(),
              [](const CommandRow* a, const CommandRow* b) { return *a->hotkey < *b->hotkey; });
    std::vector<HotkeyBinding> bindings;
    for (const CommandRow* row : rows) {
        const KeyCombo& combo = settings.hotkeys.at(static_cast<std::size_t>(*row->hotkey));
        const Command command = row->command;
        if (!combo.Off()) bindings.push_back({combo, [this, command] { Run(command, Origin::Hotkey); }});
    }
    return bindings;
}

bool CommandDesk::ReadyForLive() const {
    // The boxes of the other panels keep every key the host types; a window disabled under a
    // message box waits as well.
    return Idle() && frame_->IsEnabled() && panels_->Shown() == PanelSet::Panel::Auction;
}

void CommandDesk::RunQuietly(Command command) {
    gate_.Gate().RunQuietly([this, command] { Run(command, Origin::Live); });
}

void CommandDesk::Reconnect() {
    BusyScope busy(gate_.Gate());
    auction_.session.StopLink();
    // A registration the link cannot confirm is no news: the client's answer clears a failure.
    const LinkFault fault = auction_.session.StartLink();
    if (fault != LinkFault::None || auction_.link.LinesConfirmed())
        troubles_.Set(TroubleBoard::Trouble::Link, LinkFailureText(fault, "not connected"));
}

void CommandDesk::UndoLastSale() {
    troubles_.Set(TroubleBoard::Trouble::Undo, auction_.floor.UndoLastSale().note);
    panels_->AuctionControls().ShowBlock();
    panels_->ListControls().ShowItems();
}

}  // namespace gv::ui
