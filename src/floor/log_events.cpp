#include "floor/log_events.h"

namespace gv {

namespace {

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    quoted += text;
    quoted += '"';
    return quoted;
}

}  // namespace

std::string SaidEvent(std::string_view line, LinkFault fault, bool confirmed) {
    switch (fault) {
        case LinkFault::None:
            return "Said " + Quoted(line) +
                   (confirmed ? ": confirmed by the chat client" : ": sent, not confirmed");
        case LinkFault::ClientNotFound:
        case LinkFault::LibraryMissing:
            return "Not said " + Quoted(line) + ": the chat client could not be asked (" +
                   std::string(LinkFaultText(fault)) + ")";
        case LinkFault::NotAnswering:
        case LinkFault::NoChatText:
            break;
    }
    return "Said " + Quoted(line) + ": the chat client did not answer";
}

std::string NotSaidEvent(std::string_view line) {
    return "Not said " + Quoted(line) + ": the chat client hangs on an earlier line";
}

std::string SaleText(const SaleRow& row) {
    if (row.price.empty()) return row.item + " without a bid";
    return row.item + " for " + row.price + " tokens to " + row.winner;
}

std::string SaleEvent(const SaleRow& row, const FileResult* recorded) {
    std::string event = "Sold " + SaleText(row);
    if (!row.runnerUpBid.empty()) event += ", runner-up " + row.runnerUpBid + " from " + row.runnerUp;
    event += ", " + std::to_string(row.bidsAccepted) + (row.bidsAccepted == 1 ? " bid taken" : " bids taken");
    if (recorded == nullptr) return event;
    if (recorded->ok) return event + "; recorded in " + kSalesFile;
    return event + "; " + kSalesFile + " not written: " + recorded->reason + ", the row waits to be written";
}

std::string BidsEvent(const BlockState& block) {
    std::string event =
        "Bids on " + block.blockItem + ": current bid " + block.currentBid + " from " + block.currentBidder;
    if (!block.lastBid.empty()) event += ", last bid " + block.lastBid + " from " + block.lastBidder;
    return event;
}

std::string CommandEvent(std::string_view command, std::string_view detail) {
    std::string event = "Host: ";
    event += command;
    if (!detail.empty()) {
        event += ": ";
        event += detail;
    }
    return event;
}

}  // namespace gv
