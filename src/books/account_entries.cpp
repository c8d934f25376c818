// The entries the host asks for in the accounts window, checked against the book before
// anything is recorded: the amount typed, and the sale each entry is about.
#include <optional>
#include <string>
#include <utility>

#include "books/accounts.h"
#include "common/text.h"
#include "setup/amount.h"

namespace gv {

TypedAmount ReadTypedAmount(std::string_view typed, TypedAmountOf what) {
    const bool payment = what == TypedAmountOf::Payment;
    const std::string_view text = TrimView(typed);
    if (text.empty()) return {std::nullopt, payment ? "Type the amount paid." : "Type the price."};
    const BidAmount read = ReadWholeAmount(text);
    const std::string quoted = "Not an amount: \"" + std::string(text) + "\". ";
    switch (read.fault) {
        case AmountFault::BeyondRange:
            return {std::nullopt, quoted + "It is too large."};
        case AmountFault::NotPositive:
            return {std::nullopt, quoted + (payment ? "A payment" : "A price") + " must be more than 0."};
        case AmountFault::NoNumber:
        case AmountFault::LeftOver:
            break;
        case AmountFault::None:
            return {read.amount, {}};
    }
    return {std::nullopt, quoted + "Type the number alone, without separators: 1200, not 1,200."};
}

namespace {

constexpr std::size_t kNoSale = HistoryLine::kNoSale;

EntryRequest Refused(std::string why) { return {std::nullopt, std::move(why)}; }

AccountEntry SaleEntry(const AccountBook& book, std::size_t sale, EntryKind kind, std::string time) {
    const SaleRow& row = book.SaleRows()[book.Sales()[sale].row];
    AccountEntry entry;
    entry.time = std::move(time);
    entry.kind = kind;
    entry.item = row.item;
    entry.saleTime = row.time;
    return entry;
}

// Why nothing more can be done with the sale, or empty.
std::string SaleRefusal(const AccountBook& book, std::size_t sale) {
    if (sale >= book.Sales().size()) return "Choose a sale.";
    if (book.Sales()[sale].writtenOff) return "This sale was written off.";
    return {};
}

}  // namespace

EntryRequest PaymentEntry(const AccountBook& book, std::string_view bidder, std::string_view typedAmount,
                          std::size_t sale, std::string time) {
    const std::string_view who = TrimView(bidder);
    if (who.empty()) return Refused("Choose a bidder.");
    const TypedAmount amount = ReadTypedAmount(typedAmount, TypedAmountOf::Payment);
    if (!amount.amount) return Refused(amount.refusal);
    AccountEntry entry;
    if (sale != kNoSale) {
        if (const std::string why = SaleRefusal(book, sale); !why.empty()) return Refused(why);
        if (book.Sales()[sale].winner != who)
            return Refused("That sale is not " + std::string(who) + "'s to pay.");
        entry = SaleEntry(book, sale, EntryKind::Payment, std::move(time));
    } else {
        entry.time = std::move(time);
    }
    entry.bidder = who;
    entry.amount = NumberText(*amount.amount);
    return {std::move(entry), {}};
}

EntryRequest PassEntry(const AccountBook& book, std::size_t sale, std::string_view typedPrice,
                       std::string time) {
    if (const std::string why = SaleRefusal(book, sale); !why.empty()) return Refused(why);
    const SaleState& state = book.Sales()[sale];
    const SaleRow& row = book.SaleRows()[state.row];
    if (row.runnerUp.empty()) return Refused("This sale had no runner-up.");
    // Rows written before the runner-up was kept apart from the last bid name the winner where
    // she raised her own bid: the real runner-up is not in the file.
    if (row.runnerUp == row.winner)
        return Refused(
            "Sales.csv names no other bidder as this sale's runner-up: correct the sale to give it "
            "to another bidder.");
    if (row.runnerUp == state.winner) return Refused(row.runnerUp + " pays for this sale already.");
    std::optional<double> price;
    if (TrimView(typedPrice).empty()) {
        price = CsvAmount(row.runnerUpBid);
        if (!price) return Refused("The runner-up's bid cannot be read: type a price.");
    } else {
        const TypedAmount typed = ReadTypedAmount(typedPrice, TypedAmountOf::Price);
        if (!typed.amount) return Refused(typed.refusal);
        price = typed.amount;
    }
    AccountEntry entry = SaleEntry(book, sale, EntryKind::Pass, std::move(time));
    entry.bidder = row.runnerUp;
    entry.amount = NumberText(*price);
    return {std::move(entry), {}};
}

EntryRequest WriteOffEntry(const AccountBook& book, std::size_t sale, std::string_view reason,
                           std::string time) {
    if (const std::string why = SaleRefusal(book, sale); !why.empty()) return Refused(why);
    const SaleState& state = book.Sales()[sale];
    AccountEntry entry = SaleEntry(book, sale, EntryKind::WriteOff, std::move(time));
    entry.bidder = state.winner;
    entry.amount = NumberText(state.price);
    entry.reason = TrimView(reason);
    return {std::move(entry), {}};
}

EntryRequest CorrectionEntry(const AccountBook& book, std::size_t sale, std::string_view winner,
                             std::string_view typedPrice, std::string_view reason, std::string time) {
    if (const std::string why = SaleRefusal(book, sale); !why.empty()) return Refused(why);
    const SaleState& state = book.Sales()[sale];
    const std::string_view why = TrimView(reason);
    if (why.empty()) return Refused("Type the reason for the correction.");
    AccountEntry entry = SaleEntry(book, sale, EntryKind::Correction, std::move(time));
    const std::string_view who = TrimView(winner);
    if (!who.empty() && who != state.winner) entry.bidder = who;
    if (!TrimView(typedPrice).empty()) {
        const TypedAmount price = ReadTypedAmount(typedPrice, TypedAmountOf::Price);
        if (!price.amount) return Refused(price.refusal);
        if (*price.amount != state.price) entry.amount = NumberText(*price.amount);
    }
    if (entry.bidder.empty() && entry.amount.empty()) return Refused("Change the winner or the price.");
    entry.reason = why;
    return {std::move(entry), {}};
}

}  // namespace gv
