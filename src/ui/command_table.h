#pragma once
// The command table: one row per command of the main window, from which its button's caption,
// its place on the menu bar, its key in Gavelton's window, its system-wide hotkey and its name
// in the evening's log are all taken, with the handler that runs it.

#include <optional>
#include <span>
#include <string_view>

#include "floor/auction.h"
#include "setup/hotkey_combo.h"
#include "ui/commands.h"

namespace gv::ui {

class CommandDesk;

struct CommandRow {
    Command command;
    // The caption of its button, and its name in the evening's log ("Get Bids").
    std::string_view name;
    // On the menu bar: the caption with "&" before its mnemonic, and the item's designed name.
    std::string_view menuCaption = {};
    std::string_view menuName = {};
    // Its key in [Hotkeys] of Gavelton.ini, whose row there holds the default combination.
    std::optional<HotkeyCommand> hotkey = {};
    // Ctrl+key in Gavelton's window; 0 for none. `textBoxKeeps`: in a text box the key is the
    // box's own (Ctrl+Z undoes the typing there).
    char ctrlKey = 0;
    bool textBoxKeeps = false;
    // The evening's log names it when the host runs it (the list's commands log their entry
    // themselves).
    bool logged = true;
    // Run from the window, it leaves the focus on Dummy.
    bool endsOnDummy = true;
    // Run by a hotkey it does not wait for the command that runs (opening a window asks the
    // chat client nothing).
    bool anyTime = false;
    void (*run)(CommandDesk& desk, Origin origin) = nullptr;
};

std::span<const CommandRow> CommandRows();
const CommandRow& RowOf(Command command);

// Logs the command as one the host ran, unless it did not come from the host (a live run of
// Get Bids); `detail` says what it ran on when that matters.
void LogCommand(Auction& auction, Command command, Origin origin, std::string_view detail = {});

}  // namespace gv::ui
