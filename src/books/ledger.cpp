#include "books/ledger.h"

#include <utility>

#include "common/clock.h"

namespace gv {

namespace {

std::string SaleNamed(const AccountEntry& entry) { return entry.item + " (sold " + entry.saleTime + ")"; }

// The entry as the evening's log tells it, and what became of its row.
std::string EntryEvent(const AccountEntry& entry, const FileResult& written) {
    std::string event;
    switch (entry.kind) {
        case EntryKind::Payment:
            event = "Payment recorded: " + entry.bidder + " paid " + entry.amount;
            if (!entry.item.empty()) event += " for " + SaleNamed(entry);
            break;
        case EntryKind::Pass:
            event = "Sale passed to the runner-up: " + SaleNamed(entry) + " to " + entry.bidder + " for " +
                    entry.amount;
            break;
        case EntryKind::WriteOff:
            event = "Sale written off: " + SaleNamed(entry) + ", " + entry.amount + " from " + entry.bidder;
            break;
        case EntryKind::Correction:
            event = "Sale corrected: " + SaleNamed(entry);
            if (!entry.bidder.empty()) event += ", winner now " + entry.bidder;
            if (!entry.amount.empty()) event += ", price now " + entry.amount;
            break;
    }
    if (!entry.reason.empty()) event += ", reason: " + entry.reason;
    if (written.ok) return event + "; recorded in " + kAccountsFile;
    return event + "; " + kAccountsFile + " not written: " + written.reason + ", the row waits to be written";
}

}  // namespace

Ledger::Ledger(const SalesRecord& sales, AccountsRecord& accounts, EveningLog& log)
    : sales_(sales),
      accounts_(accounts),
      log_(log),
      timeText_(LocalTimeText),
      warnOwedFrom_(kWarnOwedFromDays) {}

void Ledger::SetWarnOwedFrom(int days) {
    warnOwedFrom_ = days;
    debtsEvening_.clear();
}

AccountBook BookOf(const BookTexts& texts) {
    return {ReadRecordText<SaleRow>(texts.sales, ReadSales),
            ReadRecordText<AccountEntry>(texts.accounts, ReadAccounts)};
}

const AccountBook& Ledger::Book() {
    if (!book_ || stale_) {
        book_.emplace(BookOf(Texts()));
        stale_ = false;
    }
    return *book_;
}

std::optional<AccountBook> Ledger::TakeStale() {
    if (!stale_) return std::nullopt;
    stale_ = false;
    return std::exchange(book_, std::nullopt);
}

BookTexts Ledger::Texts() const { return {sales_.Text(), accounts_.Text(), changes_}; }

bool Ledger::Adopt(AccountBook book, unsigned long long change) {
    if (change != changes_) return false;
    book_.emplace(std::move(book));
    stale_ = false;
    return true;
}

std::string Ledger::Evening() const { return std::string(DateOf(timeText_())); }

EntryOutcome Ledger::Record(const EntryRequest& request) {
    if (!request.entry) return {false, request.refusal};
    const FileResult written = accounts_.Add(*request.entry);
    log_.Add(EntryEvent(*request.entry, written));
    Status(written);
    Changed();
    return {true, {}};
}

EntryOutcome Ledger::WriteOff(const EntryRequest& request, bool backOnList) {
    // The sale is looked up before the book is read again: the entry names it by item and time.
    std::optional<SaleRow> sale;
    if (request.entry && backOnList && listAgain_) {
        for (const SaleRow& row : Book().SaleRows())
            if (row.item == request.entry->item && row.time == request.entry->saleTime) sale = row;
    }
    EntryOutcome outcome = Record(request);
    if (outcome.recorded && sale) listAgain_(*sale);
    return outcome;
}

const AccountEntry* Ledger::LatestPayment() {
    const std::vector<AccountEntry>& entries = Book().Entries();
    if (entries.empty() || entries.back().kind != EntryKind::Payment) return nullptr;
    return &entries.back();
}

std::string Ledger::UndoLatestPayment() {
    const AccountEntry* latest = LatestPayment();
    if (latest == nullptr) return "Undo payment: the latest entry is not a payment";
    const AccountEntry payment = *latest;
    const RowRemoval removal = accounts_.UndoPayment(payment);
    switch (removal.outcome) {
        case RowRemoval::Outcome::Removed:
            break;
        case RowRemoval::Outcome::NotThere:
            Changed();
            return std::string("Payment not taken back: ") + kAccountsFile + " changed since it was written";
        case RowRemoval::Outcome::Failed:
            return std::string("Payment not taken back: ") + kAccountsFile +
                   " not rewritten: " + removal.reason;
    }
    std::string event = "Payment taken back: " + payment.bidder + " " + payment.amount;
    if (!payment.item.empty()) event += " for " + SaleNamed(payment);
    log_.Add(event);
    if (accounts_.Pending() == 0) Status({});
    Changed();
    return {};
}

FileResult Ledger::Flush() {
    FileResult written = accounts_.Flush();
    Status(written);
    return written;
}

const DebtMap& Ledger::FromEarlierEvenings() {
    // Only entries and the date change a debt from an earlier evening: this evening's sales are
    // the newest, and payments go to the oldest sales first.
    const std::string evening = Evening();
    if (evening == debtsEvening_) return debts_;
    debts_.clear();
    const AccountBook& book = Book();
    for (const Account& account : book.Accounts()) {
        if (account.owedSince.empty()) continue;
        std::string warning = book.DebtWarning(account.bidder, evening, warnOwedFrom_);
        if (!warning.empty()) debts_.emplace(account.bidder, std::move(warning));
    }
    debtsEvening_ = evening;
    return debts_;
}

void Ledger::SaleMade(const SaleRow&) {
    stale_ = true;
    ++changes_;
    events_.Tell([](BooksListener& listener) { listener.AccountsChanged(); });
}

void Ledger::SaleUndone(const SaleRow&) { SaleMade({}); }

void Ledger::Changed() {
    stale_ = true;
    ++changes_;
    debtsEvening_.clear();
    events_.Tell([](BooksListener& listener) { listener.AccountsChanged(); });
}

void Ledger::Status(const FileResult& written) {
    const std::string failure =
        written.ok ? std::string() : std::string(kAccountsFile) + " not written: " + written.reason;
    events_.Tell([&](BooksListener& listener) { listener.AccountsStatus(failure); });
}

}  // namespace gv
