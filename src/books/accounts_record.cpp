#include "books/accounts_record.h"

#include <optional>

#include "common/clock.h"
#include "common/text.h"

namespace gv {

namespace {

enum AccountsColumn : std::size_t { kTime, kKind, kBidder, kItem, kSaleTime, kAmount, kReason };
constexpr std::string_view kAccountsColumns[] = {"Time",      "Kind",   "Bidder", "Item",
                                                 "Sale time", "Amount", "Reason"};
constexpr EntryKind kKinds[] = {EntryKind::Payment, EntryKind::Pass, EntryKind::WriteOff,
                                EntryKind::Correction};

std::optional<EntryKind> KindNamed(std::string_view text) {
    for (const EntryKind kind : kKinds)
        if (SameIgnoringCase(EntryKindText(kind), text)) return kind;
    return std::nullopt;
}

std::optional<AccountEntry> ReadEntryRow(const CsvTableReader& table) {
    const auto field = [&](std::size_t column) { return table.Field(column).value_or(""); };
    AccountEntry entry;
    entry.time = field(kTime);
    const std::optional<EntryKind> kind = KindNamed(CsvText(field(kKind)));
    if (DateOf(entry.time).empty() || !kind) return std::nullopt;
    entry.kind = *kind;
    entry.bidder = CsvText(field(kBidder));
    entry.item = CsvText(field(kItem));
    entry.saleTime = field(kSaleTime);
    entry.amount = CsvNumber(field(kAmount));
    entry.reason = CsvText(field(kReason));

    if (!entry.amount.empty() && !CsvAmount(entry.amount)) return std::nullopt;
    const bool sale = !DateOf(entry.saleTime).empty();
    switch (entry.kind) {
        case EntryKind::Payment:
            if (entry.bidder.empty() || entry.amount.empty()) return std::nullopt;
            break;
        case EntryKind::Pass:
            if (!sale || entry.bidder.empty() || entry.amount.empty()) return std::nullopt;
            break;
        case EntryKind::WriteOff:
            if (!sale) return std::nullopt;
            break;
        case EntryKind::Correction:
            if (!sale || entry.reason.empty() || (entry.bidder.empty() && entry.amount.empty()))
                return std::nullopt;
            break;
    }
    return entry;
}

}  // namespace

std::string_view EntryKindText(EntryKind kind) {
    switch (kind) {
        case EntryKind::Payment:
            return "Payment";
        case EntryKind::Pass:
            return "Pass to runner-up";
        case EntryKind::WriteOff:
            return "Write-off";
        case EntryKind::Correction:
            return "Correction";
    }
    return {};
}

std::string AccountsHeader() { return CsvLine(kAccountsColumns); }

std::string CsvRow(const AccountEntry& entry) {
    const std::string_view fields[] = {
        entry.time,  EntryKindText(entry.kind), entry.bidder, entry.item, entry.saleTime, entry.amount,
        entry.reason};
    return CsvLine(fields);
}

CsvRows<AccountEntry> ReadAccounts(std::string_view bytes) {
    return ReadCsvRows<AccountEntry>(bytes, kAccountsColumns, ReadEntryRow);
}

FileResult AccountsRecord::Add(const AccountEntry& entry) { return file_.Add(CsvRow(entry)); }

FileResult AccountsRecord::Flush() { return file_.Flush(); }

RowRemoval AccountsRecord::UndoPayment(const AccountEntry& entry) {
    if (entry.kind != EntryKind::Payment) return {RowRemoval::Outcome::NotThere, {}};
    return file_.RemoveLatest(CsvRow(entry), CsvRecordFile::Where::Last);
}

CsvRows<AccountEntry> AccountsRecord::Read() const {
    return ReadRecordText<AccountEntry>(Text(), ReadAccounts);
}

}  // namespace gv
