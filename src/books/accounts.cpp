#include "books/accounts.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <unordered_set>

#include "common/clock.h"
#include "common/text.h"
#include "setup/amount.h"

namespace gv {

namespace {

constexpr std::size_t kNoSale = HistoryLine::kNoSale;

// What is left of sums of amounts with fractions once they cancel out is noise, not a debt.
bool IsSomething(double amount, double scale) { return amount > 1e-9 * std::max(1.0, std::fabs(scale)); }

}  // namespace

std::size_t AccountBook::SaleKeyHash::operator()(const SaleKey& key) const {
    return std::hash<std::string_view>{}(key.time) * 31 + std::hash<std::string_view>{}(key.item);
}

std::size_t AccountBook::SaleNamed(std::string_view item, std::string_view time) const {
    const auto found = saleAt_.find(SaleKey{time, item});
    return found == saleAt_.end() ? kNoSale : found->second;
}

std::size_t AccountBook::AccountOf(std::string_view bidder) {
    const auto [at, added] = accountAt_.try_emplace(bidder, accounts_.size());
    if (added) {
        accounts_.emplace_back().bidder = bidder;
        accountSales_.emplace_back();
    }
    return at->second;
}

AccountBook::AccountBook(CsvRows<SaleRow> sales, CsvRows<AccountEntry> entries)
    : sales_(std::move(sales)), entries_(std::move(entries)) {
    // One pass over the sales, one over the entries, one over the accounts: a long history is
    // recomputed after every SOLD and payment while the window is open.
    const std::vector<SaleRow>& rows = sales_.rows;
    states_.reserve(rows.size());
    saleAt_.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SaleRow& row = rows[i];
        if (row.winner.empty()) continue;  // went without a bid: nobody owes for it
        saleAt_.try_emplace(SaleKey{row.time, row.item}, states_.size());
        states_.push_back({i, row.winner, CsvAmount(row.price).value_or(0)});
    }
    const std::vector<Payment> payments = ApplyEntries();
    // Everyone who won anything has an account, also when the sale went to someone else since.
    for (const SaleState& state : states_) AccountOf(rows[state.row].winner);
    for (std::size_t s = 0; s < states_.size(); ++s) {
        SaleState& state = states_[s];
        if (state.writtenOff) continue;
        const std::size_t a = AccountOf(state.winner);
        ++accounts_[a].itemsWon;
        accounts_[a].total += state.price;
        accountSales_[a].push_back(s);
        state.unpaid = state.price;
    }
    SharePayments(payments);
}

// The entries in the order they were recorded, each on the sale as the earlier ones left it;
// the payments among them, for SharePayments.
std::vector<AccountBook::Payment> AccountBook::ApplyEntries() {
    std::vector<Payment> payments;
    const std::vector<AccountEntry>& list = entries_.rows;
    entrySale_.assign(list.size(), kNoSale);
    entryWinnerBefore_.assign(list.size(), {});
    entryPriceBefore_.assign(list.size(), 0);
    for (std::size_t j = 0; j < list.size(); ++j) {
        const AccountEntry& entry = list[j];
        const std::optional<double> amount = CsvAmount(entry.amount);
        const std::size_t sale = SaleNamed(entry.item, entry.saleTime);
        entrySale_[j] = sale;
        if (entry.kind == EntryKind::Payment) {
            // Money that came in counts even when the sale it names cannot be found.
            payments.push_back({entry.bidder, amount.value_or(0), sale});
            continue;
        }
        if (sale == kNoSale) {
            if (j < entries_.lines.size()) unmatched_.push_back(entries_.lines[j]);
            continue;
        }
        SaleState& state = states_[sale];
        entryWinnerBefore_[j] = state.winner;
        entryPriceBefore_[j] = state.price;
        switch (entry.kind) {
            case EntryKind::Pass:
                state.winner = entry.bidder;
                state.price = amount.value_or(0);
                state.passed = true;
                break;
            case EntryKind::WriteOff:
                state.writtenOff = true;
                break;
            case EntryKind::Correction:
                if (!entry.bidder.empty()) state.winner = entry.bidder;
                if (amount) state.price = *amount;
                break;
            case EntryKind::Payment:
                break;
        }
    }
    return payments;
}

// A payment against a sale goes to it first; the rest of it, and every other payment, to the
// bidder's sales oldest first, so that what is owed is owed from the oldest evening.
void AccountBook::SharePayments(const std::vector<Payment>& payments) {
    const std::vector<SaleRow>& rows = sales_.rows;
    std::vector<double> unshared(accounts_.size(), 0);
    for (const Payment& payment : payments) {
        const std::size_t a = AccountOf(payment.bidder);
        if (a >= unshared.size()) unshared.resize(a + 1, 0);
        accounts_[a].paid += payment.amount;
        double left = payment.amount;
        if (payment.sale != kNoSale) {
            SaleState& state = states_[payment.sale];
            if (!state.writtenOff && state.winner == payment.bidder) {
                const double taken = std::min(left, state.unpaid);
                state.unpaid -= taken;
                left -= taken;
            }
        }
        unshared[a] += left;
    }
    for (std::size_t a = 0; a < accounts_.size(); ++a) {
        Account& account = accounts_[a];
        std::vector<std::size_t>& own = accountSales_[a];
        const auto older = [&](std::size_t x, std::size_t y) {
            return rows[states_[x].row].time < rows[states_[y].row].time;
        };
        if (!std::is_sorted(own.begin(), own.end(), older)) std::stable_sort(own.begin(), own.end(), older);
        double left = unshared[a];
        for (const std::size_t s : own) {
            SaleState& state = states_[s];
            const double taken = std::min(left, state.unpaid);
            state.unpaid -= taken;
            left -= taken;
            if (!IsSomething(state.unpaid, state.price)) state.unpaid = 0;
            if (state.unpaid > 0 && account.owedSince.empty())
                account.owedSince = std::string(DateOf(rows[state.row].time));
        }
        account.owed = account.total - account.paid;
        if (!IsSomething(std::fabs(account.owed), std::max(account.total, account.paid))) account.owed = 0;
    }
}

const Account* AccountBook::Find(std::string_view bidder) const {
    const auto found = accountAt_.find(bidder);
    return found == accountAt_.end() ? nullptr : &accounts_[found->second];
}

std::vector<const Account*> AccountBook::Rows(AccountsView view, std::string_view evening,
                                              std::string_view nameFilter) const {
    std::unordered_set<std::string_view> tonight;
    if (view == AccountsView::ThisEvening) {
        for (const SaleState& state : states_) {
            const SaleRow& row = sales_.rows[state.row];
            if (DateOf(row.time) != evening) continue;
            tonight.insert(row.winner);
            tonight.insert(state.winner);
        }
    }
    std::vector<const Account*> rows;
    for (const Account& account : accounts_) {
        if (view == AccountsView::Owing && !(account.owed > 0)) continue;
        if (view == AccountsView::ThisEvening && !tonight.contains(account.bidder)) continue;
        if (!HoldsIgnoringCase(account.bidder, nameFilter)) continue;
        rows.push_back(&account);
    }
    std::sort(rows.begin(), rows.end(), [](const Account* x, const Account* y) {
        if (x->owed != y->owed) return x->owed > y->owed;
        return x->bidder < y->bidder;
    });
    return rows;
}

std::vector<HistoryLine> AccountBook::History(std::string_view bidder) const {
    std::vector<HistoryLine> lines;
    for (std::size_t s = 0; s < states_.size(); ++s) {
        const SaleRow& row = sales_.rows[states_[s].row];
        if (row.winner != bidder) continue;
        lines.push_back({HistoryLine::Kind::Sale,
                         std::string(DateOf(row.time)),
                         row.time,
                         row.item,
                         CsvAmount(row.price),
                         {},
                         s});
    }
    const std::vector<AccountEntry>& list = entries_.rows;
    for (std::size_t j = 0; j < list.size(); ++j) {
        const AccountEntry& entry = list[j];
        const bool theirs = entry.bidder == bidder;
        const bool fromThem = entryWinnerBefore_[j] == bidder && !entryWinnerBefore_[j].empty();
        if (!theirs && !fromThem) continue;
        if (entry.kind != EntryKind::Payment && entrySale_[j] == kNoSale) continue;  // named no sale
        if (entry.kind == EntryKind::Payment && !theirs) continue;
        lines.push_back(EntryLine(j, theirs));
    }
    // Oldest first; a sale before what was recorded about it in the same second.
    std::stable_sort(lines.begin(), lines.end(),
                     [](const HistoryLine& x, const HistoryLine& y) { return x.time < y.time; });
    return lines;
}

// Entry `j` as a line of the history of the bidder it names (`theirs`) or of the one it took
// the sale from.
HistoryLine AccountBook::EntryLine(std::size_t j, bool theirs) const {
    const AccountEntry& entry = entries_.rows[j];
    HistoryLine line{HistoryLine::Kind::Payment,
                     std::string(DateOf(entry.time)),
                     entry.time,
                     entry.item,
                     CsvAmount(entry.amount),
                     {},
                     entrySale_[j]};
    switch (entry.kind) {
        case EntryKind::Payment:
            if (!entry.item.empty()) line.note = "for " + entry.item;
            break;
        case EntryKind::Pass:
            line.kind = HistoryLine::Kind::Pass;
            line.note =
                theirs ? "passed from " + std::string(entryWinnerBefore_[j]) : "passed to " + entry.bidder;
            break;
        case EntryKind::WriteOff:
            line.kind = HistoryLine::Kind::WriteOff;
            line.note = "written off";
            break;
        case EntryKind::Correction: {
            line.kind = HistoryLine::Kind::Correction;
            std::string changes;
            if (!entry.bidder.empty() && entry.bidder != entryWinnerBefore_[j])
                changes = "winner " + std::string(entryWinnerBefore_[j]) + " to " + entry.bidder;
            if (line.amount && *line.amount != entryPriceBefore_[j]) {
                if (!changes.empty()) changes += ", ";
                changes += "price " + NumberText(entryPriceBefore_[j]) + " to " + NumberText(*line.amount);
            }
            line.note = changes.empty() ? "corrected" : "corrected: " + changes;
            break;
        }
    }
    if (!entry.reason.empty()) line.note += " (" + entry.reason + ")";
    return line;
}

std::string AccountBook::Statement(std::string_view bidder) const {
    const auto found = accountAt_.find(bidder);
    if (found == accountAt_.end()) return {};
    const Account& account = accounts_[found->second];
    std::string items;
    double price = 0;
    double unpaid = 0;
    for (const std::size_t s : accountSales_[found->second]) {
        const SaleState& state = states_[s];
        if (!(state.unpaid > 0)) continue;
        if (!items.empty()) items += ", ";
        items += sales_.rows[state.row].item + " " + NumberText(state.price);
        price += state.price;
        unpaid += state.unpaid;
    }
    std::string text = account.bidder + ": ";
    if (items.empty()) {
        text += "nothing owed";
        if (account.owed < 0) text += "; credit " + NumberText(-account.owed);
        return text;
    }
    return text + items + "; paid " + NumberText(price - unpaid) + "; owes " + NumberText(unpaid);
}

std::string AccountBook::DebtWarning(std::string_view bidder, std::string_view evening,
                                     int warnOwedFromDays) const {
    if (warnOwedFromDays <= 0) return {};
    const std::optional<std::chrono::sys_days> day = DayOf(evening);
    const auto found = accountAt_.find(bidder);
    if (!day || found == accountAt_.end()) return {};
    const std::chrono::sys_days last = *day - std::chrono::days(warnOwedFromDays);
    double unpaid = 0;
    std::string_view since;  // dates as "YYYY-MM-DD" sort as the days they are
    for (const std::size_t s : accountSales_[found->second]) {
        const SaleState& state = states_[s];
        if (!(state.unpaid > 0)) continue;
        const std::string_view date = DateOf(sales_.rows[state.row].time);
        const std::optional<std::chrono::sys_days> sold = DayOf(date);
        if (!sold || *sold > last) continue;
        unpaid += state.unpaid;
        if (since.empty() || date < since) since = date;
    }
    if (since.empty()) return {};
    return "owes " + NumberText(unpaid) + " from " + std::string(since);
}

std::string AccountBook::UnreadText() const {
    std::string text = gv::UnreadText(kSalesFile, sales_);
    std::string accounts = gv::UnreadText(kAccountsFile, entries_);
    if (!unmatched_.empty()) {
        accounts += accounts.empty() ? std::string(kAccountsFile) + ": " : ", ";
        accounts += LinesText(unmatched_) + (unmatched_.size() == 1 ? " names no sale" : " name no sale");
    }
    if (!text.empty() && !accounts.empty()) text += "; ";
    return text + accounts;
}

std::string AccountsSummary(const AccountBook& book, const std::vector<const Account*>& rows) {
    std::size_t owing = 0;
    double owed = 0;
    for (const Account* account : rows) {
        if (!(account->owed > 0)) continue;
        ++owing;
        owed += account->owed;
    }
    std::string text;
    if (rows.empty()) {
        text = "No bidder to show";
    } else if (owing == 0) {
        text = rows.size() == 1
                   ? "The bidder shown owes nothing"
                   : "None of the " + std::to_string(rows.size()) + " bidders shown owes anything";
    } else {
        const std::string of = owing < rows.size() ? " of " + std::to_string(rows.size()) : std::string();
        text = std::to_string(owing) + of + (owing == 1 && of.empty() ? " bidder owes " : " bidders owe ") +
               NumberText(owed);
        if (owing == 1 && !of.empty()) text = "1" + of + " bidders owes " + NumberText(owed);
    }
    const std::string unread = book.UnreadText();
    return unread.empty() ? text : text + "; " + unread;
}

}  // namespace gv
