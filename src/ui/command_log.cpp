#include "ui/command_log.h"

#include "floor/log_events.h"

namespace gv::ui {

std::string_view CommandName(Command command) {
    switch (command) {
        case Command::StateRules:
            return "State Rules";
        case Command::StateItem:
            return "State Item";
        case Command::GetBids:
            return "Get Bids";
        case Command::GetNextItem:
            return "Get Next Item";
        case Command::Call1st:
            return "call 1st";
        case Command::Call2nd:
            return "call 2nd";
        case Command::Call3rd:
            return "call 3rd";
        case Command::Sold:
            return "SOLD";
        case Command::AddToList:
            return "Add to List";
        case Command::Delete:
            return "Delete";
    }
    return {};
}

void LogCommand(Auction& auction, Command command, Origin origin, std::string_view detail) {
    if (origin == Origin::Live) return;
    auction.log.Add(CommandEvent(CommandName(command), detail));
}

}  // namespace gv::ui
