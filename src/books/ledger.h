#pragma once
// The accounts as the host keeps them: the book of who owes what, read afresh from Sales.csv
// and Accounts.csv after every sale, undo and entry; the entries the host records, each one
// row added to Accounts.csv and one event in the evening's log; and the debts from earlier
// evenings that Get Bids checks each bidder against.

#include <functional>
#include <optional>
#include <string>

#include "books/accounts.h"
#include "books/accounts_record.h"
#include "books/books_events.h"
#include "books/debts.h"
#include "books/evening_log.h"
#include "books/sales_record.h"

namespace gv {

// What the book is computed from: both records' text, taken where they are written, so that
// the computing may happen on another thread without touching the records.
struct BookTexts {
    RecordText sales;
    RecordText accounts;
    unsigned long long change = 0;  // the ledger's count of changes when they were taken
};
AccountBook BookOf(const BookTexts& texts);

// What recording an entry came to: `refusal` for the window when nothing was recorded.
struct EntryOutcome {
    bool recorded = false;
    std::string refusal;
};

class Ledger final : public Debts {
public:
    // Everything given must outlive the ledger; its Events() tell of what changed.
    Ledger(const SalesRecord& sales, AccountsRecord& accounts, EveningLog& log);

    BooksEvents& Events() { return events_; }
    // Whoever puts a written-off sale's item back at the end of the item list (the floor,
    // which keeps the list); none: a write-off leaves the list as it is.
    void SetListAgain(std::function<void(const SaleRow&)> listAgain) { listAgain_ = std::move(listAgain); }

    void SetClock(std::function<std::string()> timeText) { timeText_ = std::move(timeText); }
    // `[Accounts] WarnOwedFrom`: how many days before this evening a debt must be to count; 0
    // warns of none.
    void SetWarnOwedFrom(int days);

    // The book as both records hold it now.
    const AccountBook& Book();
    // For a book computed elsewhere (BookOf, off the window's thread): the records' texts now;
    // then the book computed from them, which the ledger keeps unless something changed since
    // (false then).
    BookTexts Texts() const;
    bool Adopt(AccountBook book, unsigned long long change);
    // The book the records' last change made old, for whoever computes the next one to let go
    // of where letting go of it does not hold up a command (a long history's book is large).
    std::optional<AccountBook> TakeStale();
    // This evening, "YYYY-MM-DD", and now, as the entries take them from the clock.
    std::string Evening() const;
    std::string Now() const { return timeText_(); }

    // Records the entry asked for, unless it was refused. A row the file cannot take now waits
    // in memory, and the title says so until it is written.
    EntryOutcome Record(const EntryRequest& request);
    // A write-off, with the item back at the end of the list (SetListAgain) when `backOnList`.
    EntryOutcome WriteOff(const EntryRequest& request, bool backOnList);
    // The latest entry, when it is a payment that may still be taken back; null otherwise.
    const AccountEntry* LatestPayment();
    // Takes the latest payment back out: what the window's title says when that could not be
    // done, else the empty text.
    std::string UndoLatestPayment();
    // Writes the entries still waiting, if any.
    FileResult Flush();
    std::size_t Pending() const { return accounts_.Pending(); }

    // Debts: the debts of earlier evenings, by bidder, read again once the day or an entry changed them.
    const DebtMap& FromEarlierEvenings() override;

    // A sale or its undo, as the floor tells them, changes the book.
    void SaleMade(const SaleRow& row);
    void SaleUndone(const SaleRow& row);

private:
    void Changed();
    void Status(const FileResult& written);

    const SalesRecord& sales_;
    AccountsRecord& accounts_;
    EveningLog& log_;
    BooksEvents events_;
    std::function<void(const SaleRow&)> listAgain_;
    std::function<std::string()> timeText_;
    int warnOwedFrom_;
    std::optional<AccountBook> book_;  // none: read when next asked for
    bool stale_ = false;               // the records changed since: read again when asked for
    unsigned long long changes_ = 0;   // each sale, undo and entry since the ledger began
    DebtMap debts_;
    std::string debtsEvening_;  // the evening `debts_` were read for; empty: read them again
};

}  // namespace gv
