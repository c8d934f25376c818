#pragma once
// The accounts file Accounts.csv: one row added for every payment, pass to the runner-up,
// write-off and correction, in the working folder beside Sales.csv, which it never rewrites.
// Written and read as Sales.csv is (see csv_file.h).

#include <filesystem>
#include <string>
#include <string_view>

#include "books/csv_file.h"
#include "common/atomic_file.h"

namespace gv {

inline constexpr const char* kAccountsFile = "Accounts.csv";

enum class EntryKind {
    Payment,     // a bidder paid, all or part, against one sale or none
    Pass,        // a sale went to its runner-up
    WriteOff,    // nobody pays for a sale
    Correction,  // a sale's winner or price was wrong
};
// The kind as the file names it: "Payment", "Pass to runner-up", "Write-off", "Correction".
std::string_view EntryKindText(EntryKind kind);

struct AccountEntry {
    std::string time;  // when it was recorded: local, "YYYY-MM-DD HH:MM:SS"
    EntryKind kind = EntryKind::Payment;
    // Payment: who paid. Pass: the runner-up, who takes the sale. Write-off: the winner who
    // does not pay. Correction: the winner now; empty when the winner stays.
    std::string bidder;
    // The sale, as Sales.csv has it: its item and its time. Empty for a payment against none.
    std::string item;
    std::string saleTime;
    // Payment: what was paid. Pass: the runner-up's price. Write-off: the price written off.
    // Correction: the price now; empty when the price stays. As NumberText writes numbers.
    std::string amount;
    std::string reason;  // a correction has one always; the others when the host gave one

    bool operator==(const AccountEntry&) const = default;
};

// The header row's text, and one entry's, each without its line end.
std::string AccountsHeader();
std::string CsvRow(const AccountEntry& entry);

// The rows of an Accounts.csv text, read as CsvTableReader reads them. A row counts when its
// time begins with a date, its kind is one of the four (any case), and it has what its kind
// needs: a payment its bidder and amount; a pass its runner-up, sale and price; a write-off its
// sale; a correction its sale, reason, and a winner or a price. Every amount given is a number
// alone, above 0. Every other row is unread.
CsvRows<AccountEntry> ReadAccounts(std::string_view bytes);

class AccountsRecord {
public:
    explicit AccountsRecord(std::filesystem::path path = kAccountsFile)
        : file_(std::move(path), AccountsHeader()) {}

    // Adds the entry and writes every entry not yet in the file.
    FileResult Add(const AccountEntry& entry);
    // Writes the entries not yet in the file, if any.
    FileResult Flush();
    // Takes a payment back out while it is the latest entry: the last one waiting in memory, or,
    // when none waits, the file's last row exactly as it was written. Any other entry, and a
    // payment with anything after it, is NotThere and left alone.
    RowRemoval UndoPayment(const AccountEntry& entry);
    std::size_t Pending() const { return file_.Pending(); }
    const std::filesystem::path& Path() const { return file_.Path(); }
    // Every entry: the file's rows and those still waiting to be written. Reads, never writes.
    CsvRows<AccountEntry> Read() const;
    RecordText Text() const { return TextOf(file_); }

private:
    CsvRecordFile file_;
};

}  // namespace gv
