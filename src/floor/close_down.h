#pragma once
// What closing Gavelton saves: the tier table and the item list, and the sales, the accounts
// entries and the evening's events that could not be written yet. A save that fails is never
// silent.

#include <string>

#include "common/atomic_file.h"
#include "common/message_sink.h"
#include "floor/auction.h"

namespace gv {

// Saves what is not saved yet; the failures, one line each, empty when all went well. A file
// already in step is not written again on a retry.
std::string SaveForClose(Auction& auction);

// Saves everything before the program ends. When a save fails and the close can be cancelled,
// the host may retry, close without saving, or cancel: false then, and Gavelton stays open.
// Where the close cannot wait for an answer (the session is ending), the failures are shown
// and the close goes on.
bool SaveBeforeClose(Auction& auction, MessageSink& messages, bool canCancel);

}  // namespace gv
