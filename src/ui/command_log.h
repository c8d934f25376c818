#pragma once
// The evening's log of the commands the host ran, in the words of their buttons.

#include <string_view>

#include "floor/auction.h"
#include "ui/commands.h"

namespace gv::ui {

// The caption of the command's button: "Get Bids", "SOLD", "Add to List", ...
std::string_view CommandName(Command command);

// Logs the command as one the host ran, unless it did not come from the host (a live run of
// Get Bids); `detail` says what it ran on when that matters.
void LogCommand(Auction& auction, Command command, Origin origin, std::string_view detail = {});

}  // namespace gv::ui
