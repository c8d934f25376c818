#pragma once
// Who owes what: an account for every bidder who won anything, computed each time from the two
// histories, Sales.csv and Accounts.csv, so that no running total can drift from what they say.
// Plain C++: the accounts window shows what this computes, and records what this allows.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "books/accounts_record.h"
#include "books/sales_record.h"

namespace gv {

// `[Accounts] WarnOwedFrom=` when the file does not say: a debt from any earlier evening counts.
inline constexpr int kWarnOwedFromDays = 1;

struct Account {
    std::string bidder;
    int itemsWon = 0;       // the sales they pay for now
    double total = 0;       // what those sales cost
    double paid = 0;        // all their payments
    double owed = 0;        // total - paid; below 0 when they paid more than they owe
    std::string owedSince;  // the evening ("YYYY-MM-DD") of their oldest sale not fully paid;
                            // empty when nothing is owed
    bool operator==(const Account&) const = default;
};

// Which bidders the window lists.
enum class AccountsView {
    Owing,        // those who owe anything
    ThisEvening,  // those who won anything on the evening given, whether they owe or not
    Everyone,
};

// One sale with a winner, as the accounts entries leave it.
struct SaleState {
    std::size_t row = 0;      // in the sales read
    std::string_view winner;  // who pays for it now, after passes and corrections
    double price = 0;         // what they pay
    bool passed = false;      // it went to its runner-up
    bool writtenOff = false;  // nobody pays for it
    double unpaid = 0;        // what is still to pay for it once the payments are shared out
};

// A line of one bidder's history: a sale as Sales.csv has it, or an entry of Accounts.csv.
struct HistoryLine {
    enum class Kind { Sale, Payment, Pass, WriteOff, Correction };
    Kind kind = Kind::Sale;
    std::string evening;           // the date of `time`
    std::string time;              // the sale's time for a sale, else when the entry was recorded
    std::string item;              // empty for a payment against no sale
    std::optional<double> amount;  // the price; what was paid; the new price of a pass or correction
    std::string note;              // what happened, for the window: "passed to Cy", "written off"
    std::size_t sale = kNoSale;    // into Sales(), for what the host does next with the sale
    static constexpr std::size_t kNoSale = static_cast<std::size_t>(-1);
    bool operator==(const HistoryLine&) const = default;
};

class AccountBook {
public:
    AccountBook() = default;
    AccountBook(CsvRows<SaleRow> sales, CsvRows<AccountEntry> entries);
    // The book points into the rows it holds.
    AccountBook(const AccountBook&) = delete;
    AccountBook& operator=(const AccountBook&) = delete;
    AccountBook(AccountBook&&) = default;
    AccountBook& operator=(AccountBook&&) = default;

    const std::vector<Account>& Accounts() const { return accounts_; }
    const Account* Find(std::string_view bidder) const;
    // The accounts the view lists, whose name holds `nameFilter` (capitals or not), by what they
    // owe, largest first, then by name. `evening`: "YYYY-MM-DD", for ThisEvening.
    std::vector<const Account*> Rows(AccountsView view, std::string_view evening,
                                     std::string_view nameFilter) const;
    // The bidder's sales and the entries that name them or took a sale from them, oldest first.
    std::vector<HistoryLine> History(std::string_view bidder) const;
    // One plain line for an ESP: the sales not fully paid with their prices, what was paid
    // towards them, and what is owed: "Ben: Oak chest 700, Lamp 120; paid 500; owes 320".
    // "Ben: nothing owed" (with "; credit 50" when paid beyond). Empty for no such account.
    std::string Statement(std::string_view bidder) const;
    // "owes 320 from 2026-12-02" when the bidder owes for sales of evenings at least
    // `warnOwedFromDays` days before `evening` ("YYYY-MM-DD"): what is unpaid of those, from the
    // oldest of them. Empty otherwise, and always when the days are 0 (the warning is off).
    std::string DebtWarning(std::string_view bidder, std::string_view evening, int warnOwedFromDays) const;

    const std::vector<SaleRow>& SaleRows() const { return sales_.rows; }
    const std::vector<SaleState>& Sales() const { return states_; }
    // The entries read, in the order they were recorded.
    const std::vector<AccountEntry>& Entries() const { return entries_.rows; }
    // For the window's summary line: the rows of either file that do not count, by line
    // ("Sales.csv: line 7 not read; Accounts.csv: line 3 not read, line 9 names no sale");
    // empty when everything counts.
    std::string UnreadText() const;

private:
    struct Payment {
        std::string_view bidder;
        double amount;
        std::size_t sale;
    };
    std::size_t SaleNamed(std::string_view item, std::string_view time) const;
    std::size_t AccountOf(std::string_view bidder);
    std::vector<Payment> ApplyEntries();
    void SharePayments(const std::vector<Payment>& payments);
    HistoryLine EntryLine(std::size_t j, bool theirs) const;

    struct SaleKey {
        std::string_view time;
        std::string_view item;
        bool operator==(const SaleKey&) const = default;
    };
    struct SaleKeyHash {
        std::size_t operator()(const SaleKey& key) const;
    };

    CsvRows<SaleRow> sales_;
    CsvRows<AccountEntry> entries_;
    std::vector<SaleState> states_;
    std::unordered_map<SaleKey, std::size_t, SaleKeyHash> saleAt_;  // the first sale of each key
    std::vector<Account> accounts_;
    std::unordered_map<std::string_view, std::size_t> accountAt_;  // names point into the rows
    std::vector<std::vector<std::size_t>> accountSales_;           // each account's sales, oldest first
    // For each entry: its sale (or kNoSale), and the winner and price before it applied.
    std::vector<std::size_t> entrySale_;
    std::vector<std::string_view> entryWinnerBefore_;
    std::vector<double> entryPriceBefore_;
    std::vector<std::size_t> unmatched_;  // lines of entries whose sale is not in Sales.csv
};

// The line over the window's list: how many of the rows owe, what they owe in all, and the
// rows of either file that do not count: "2 of 3 bidders owe 820; Sales.csv: line 7 not read".
std::string AccountsSummary(const AccountBook& book, const std::vector<const Account*>& rows);

// An amount typed by the host, read as a bid's amount is read in the chat, but only a number
// alone: "1200", "1 200" and "12.5" are amounts; "1,200", "500 tokens", "", "-5" and "0" are not.
enum class TypedAmountOf { Payment, Price };
struct TypedAmount {
    std::optional<double> amount;
    std::string refusal;  // for the window, when there is no amount
};
TypedAmount ReadTypedAmount(std::string_view typed, TypedAmountOf what);

// An entry the host asks for, or why it cannot be recorded (for the window). `time`: now, as
// LocalTimeText gives it; `sale`: an index into book.Sales().
struct EntryRequest {
    std::optional<AccountEntry> entry;
    std::string refusal;
};
// A payment of the bidder's, against one of their sales or (HistoryLine::kNoSale) none.
EntryRequest PaymentEntry(const AccountBook& book, std::string_view bidder, std::string_view typedAmount,
                          std::size_t sale, std::string time);
// The sale to its runner-up, at the runner-up's bid when `typedPrice` is empty.
EntryRequest PassEntry(const AccountBook& book, std::size_t sale, std::string_view typedPrice,
                       std::string time);
EntryRequest WriteOffEntry(const AccountBook& book, std::size_t sale, std::string_view reason,
                           std::string time);
// A new winner (empty: the same) or price (empty: the same), with the reason it needs.
EntryRequest CorrectionEntry(const AccountBook& book, std::size_t sale, std::string_view winner,
                             std::string_view typedPrice, std::string_view reason, std::string time);

}  // namespace gv
