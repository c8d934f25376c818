#include "ui/command_table.h"

#include <algorithm>
#include <array>

#include "floor/log_events.h"
#include "ui/accounts_dock.h"
#include "ui/command_desk.h"
#include "ui/floor_log_dock.h"
#include "ui/panel_set.h"

namespace gv::ui {

namespace {

using Panel = PanelSet::Panel;

void ShowPanel(CommandDesk& desk, Panel panel) { desk.Panels().Show(panel); }

// In the order of the buttons, then the menu bar left to right, then the keys.
constexpr std::array kRows =
    std::to_array<CommandRow>(
        {
            {.command = Command::StateRules,
             .name = "State Rules",
             .run = [](CommandDesk& d, Origin) { d.Floor().StateRules(); }},
            {.command = Command::StateItem,
             .name = "State Item",
             .hotkey = HotkeyCommand::StateItem,
             .run = [](CommandDesk& d, Origin) { d.Floor().StateItem(); }},
            {.command = Command::GetBids,
             .name = "Get Bids",
             .hotkey = HotkeyCommand::GetBids,
             .run =
                 [](CommandDesk& d, Origin origin) {
                     d.Floor().GetBids(origin == Origin::Live ? Floor::By::Itself : Floor::By::Host);
                 }},
            {.command = Command::GetNextItem,
             .name = "Get Next Item",
             .hotkey = HotkeyCommand::GetNextItem,
             .run = [](CommandDesk& d, Origin) { d.Floor().GetNextItem(); }},
            {.command = Command::Call1st,
             .name = "call 1st",
             .hotkey = HotkeyCommand::Call1st,
             .run = [](CommandDesk& d, Origin) { d.Floor().Call(1); }},
            {.command = Command::Call2nd,
             .name = "call 2nd",
             .hotkey = HotkeyCommand::Call2nd,
             .run = [](CommandDesk& d, Origin) { d.Floor().Call(2); }},
            {.command = Command::Call3rd,
             .name = "call 3rd",
             .hotkey = HotkeyCommand::Call3rd,
             .run = [](CommandDesk& d, Origin) { d.Floor().Call(3); }},
            {.command = Command::Sold,
             .name = "SOLD",
             .hotkey = HotkeyCommand::Sold,
             .run = [](CommandDesk& d, Origin) { d.Floor().Sold(); }},
            // The list's buttons refuse while busy rather than wait, and log the entry they ran on.
            {.command = Command::AddToList,
             .name = "Add to List",
             .logged = false,
             .endsOnDummy = false,
             .run = [](CommandDesk& d, Origin) { d.Panels().ListControls().OnAddToList(); }},
            {.command = Command::Delete,
             .name = "Delete",
             .logged = false,
             .endsOnDummy = false,
             .run = [](CommandDesk& d, Origin) { d.Panels().ListControls().OnDelete(); }},
            {.command = Command::Auction,
             .name = "Auction",
             .menuCaption = "&Auction",
             .menuName = "AUCTIONITSELF",
             .run =
                 [](CommandDesk& d, Origin) {
                     d.Floor().AuctionCommand();
                     d.Panels().AuctionControls().ShowBlock();
                     ShowPanel(d, Panel::Auction);
                 }},
            {.command = Command::List,
             .name = "List",
             .menuCaption = "&List",
             .menuName = "AUCTIONLIST",
             .run =
                 [](CommandDesk& d, Origin) {
                     d.Panels().ListControls().HideDelete();
                     d.Floor().ListCommand();
                     ShowPanel(d, Panel::List);
                 }},
            {.command = Command::Bids,
             .name = "Bids",
             .menuCaption = "&Bids",
             .menuName = "BIDRAISES",
             .logged = false,
             .run = [](CommandDesk& d, Origin) { ShowPanel(d, Panel::Bids); }},
            {.command = Command::Reconnect,
             .name = "ReConnect",
             .menuCaption = "&ReConnect",
             .menuName = "Reconnect",
             .run = [](CommandDesk& d, Origin) { d.Reconnect(); }},
            {.command = Command::About,
             .name = "About",
             .menuCaption = "Ab&out",
             .menuName = "ABOUTPROGRAM",
             .logged = false,
             .run = [](CommandDesk& d, Origin) { ShowPanel(d, Panel::About); }},
            {.command = Command::FloorLog,
             .name = "Log",
             .menuCaption = "Lo&g",
             .menuName = "FLOORLOG",
             .hotkey = HotkeyCommand::FloorLog,
             .ctrlKey = 'L',
             .logged = false,
             .anyTime = true,
             .run = [](CommandDesk& d, Origin origin) { d.FloorLog().Toggle(origin != Origin::Window); }},
            {.command = Command::Accounts,
             .name = "Accounts",
             .hotkey = HotkeyCommand::Accounts,
             .ctrlKey = 'K',
             .logged = false,
             .anyTime = true,
             .run = [](CommandDesk& d, Origin origin) { d.Accounts().Toggle(origin != Origin::Window); }},
            {.command = Command::UndoLastSale,
             .name = "Undo last sale",
             .ctrlKey = 'Z',
             .textBoxKeeps = true,
             .logged = false,
             .run = [](CommandDesk& d, Origin) { d.UndoLastSale(); }},
        });

// Every command has its row, in the order of the enum.
constexpr bool InEnumOrder() {
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (static_cast<std::size_t>(kRows[i].command) != i) return false;
    return kRows.size() == static_cast<std::size_t>(Command::UndoLastSale) + 1;
}
static_assert(InEnumOrder(), "one row per command, in the order of enum Command");

}  // namespace

std::span<const CommandRow> CommandRows() { return kRows; }

const CommandRow& RowOf(Command command) { return kRows.at(static_cast<std::size_t>(command)); }

void LogCommand(Auction& auction, Command command, Origin origin, std::string_view detail) {
    if (origin == Origin::Live) return;
    auction.log.Add(CommandEvent(RowOf(command).name, detail));
}

}  // namespace gv::ui
