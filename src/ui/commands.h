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

}  // namespace gv::ui
