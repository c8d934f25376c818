#pragma once
// Everything one auction is made of, wired once: the block, the tier table, the item list, the
// floor's commands, and the chat link and event pump they run over. The main window binds its
// controls to it; the program builds it over the real link, tests over fakes.

#include "books/accounts_record.h"
#include "books/evening_log.h"
#include "books/ledger.h"
#include "books/sales_record.h"
#include "common/command_gate.h"
#include "common/event_pump.h"
#include "floor/block.h"
#include "floor/floor.h"
#include "floor/sales_to_books.h"
#include "floor/setup_keeper.h"
#include "link/link_port.h"
#include "setup/item_list.h"
#include "setup/tier_table.h"

namespace gv {

struct Auction {
    Auction(LinkPort& linkPort, LinkSession& linkSession, EventPump& eventPump)
        : link(linkPort), session(linkSession), pump(eventPump) {
        floor.SetEveningLog(&log);
        floor.SetDebts(&ledger);
        floor.SetListStore(&keeper);
        ledger.SetListAgain([this](const SaleRow& sale) { floor.ListAgain(sale); });
    }
    Auction(const Auction&) = delete;
    Auction& operator=(const Auction&) = delete;

    LinkPort& link;
    LinkSession& session;
    EventPump& pump;
    // One command at a time; the window, once there is one, shows the busy state.
    CommandGate gate;
    BlockState block;
    TierTable tiers;
    ItemList items;
    Floor floor{block, tiers, items, link, pump, gate};
    // Sales.csv in the working folder; SOLD adds to it once the program hands it to the floor.
    SalesRecord sales;
    // The evening's log in the working folder.
    EveningLog log{{}, LocalTimeText};
    // Accounts.csv in the working folder, and who owes what from it and the sales.
    AccountsRecord accounts;
    Ledger ledger{sales, accounts, log};
    SalesToBooks salesToBooks{floor.Events(), ledger};
    // Items.TXT and BIDS.TXT in the working folder, once the program started it.
    SetupKeeper keeper{items, tiers, floor, sales, log};
};

}  // namespace gv
