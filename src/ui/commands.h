#pragma once
// The commands of the main window, by what they do: its buttons, its menu bar and its keys.
// Each is declared once, as a row of the command table (ui/command_table.h).

namespace gv::ui {

enum class Command {
    // The auction panel.
    StateRules,
    StateItem,
    GetBids,
    GetNextItem,
    Call1st,
    Call2nd,
    Call3rd,
    Sold,
    // The item list panel.
    AddToList,
    Delete,
    // The menu bar.
    Auction,
    List,
    Bids,
    Reconnect,
    About,
    FloorLog,
    // A key, and a button of the floor log window.
    Accounts,
    // A key only.
    UndoLastSale,
};

// Where a command came from: the host's click or key in Gavelton's own window, a system-wide
// hotkey pressed in another program, or a live run of Get Bids. Only a command from the window
// may move the keyboard; the others leave it with whatever window had it.
enum class Origin {
    Window,
    Hotkey,
    Live,
};

}  // namespace gv::ui
