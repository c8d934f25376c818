#pragma once
// The words of the evening's log: one event each, as a host reads them back after the
// auction. The log puts the time in front.

#include <string>
#include <string_view>

#include "books/sales_record.h"
#include "common/atomic_file.h"
#include "floor/block.h"
#include "link/link_port.h"

namespace gv {

// A line said into the chat and what became of it; `confirmed` is whether the link can know
// that a line without a fault arrived.
std::string SaidEvent(std::string_view line, LinkFault fault, bool confirmed);
// A line left unsaid because the chat client hung on an earlier one.
std::string NotSaidEvent(std::string_view line);
// A sale, and what the sales record made of it (none: there is no record).
std::string SaleEvent(const SaleRow& row, const FileResult* recorded);
// A sale as the log and the title name it: "Lamp for 50 tokens to Ann", "Lamp without a bid".
std::string SaleText(const SaleRow& row);
// The bids on the block after a Get Bids changed them.
std::string BidsEvent(const BlockState& block);
// A command the host ran, with what it ran on when that matters ("Add to List: Lamp - 10").
std::string CommandEvent(std::string_view command, std::string_view detail = {});

}  // namespace gv
