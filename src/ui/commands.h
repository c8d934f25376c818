#pragma once
// The commands of the main window's buttons, by what they do. The panels' design tables give
// each its button, under the button's designed window name.

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
