#pragma once
// The sales record Sales.csv: one row for every item sold, for collecting payment after the
// auction. Written as spreadsheets read CSV (RFC 4180 quoting, CR LF, UTF-8 with a byte-order
// mark), and never damaged: each addition replaces the file atomically with the earlier rows
// plus the new one. A row that cannot be written stays in memory and goes with the next
// addition that succeeds, or at close.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/atomic_file.h"

namespace gv {

inline constexpr const char* kSalesFile = "Sales.csv";

struct SaleRow {
    std::string time;  // local, "YYYY-MM-DD HH:MM:SS"
    std::string item;
    std::string minimumBid;
    std::string price;   // empty when the item went without a bid
    std::string winner;  // likewise
    std::string runnerUpBid;
    std::string runnerUp;
    int bidsAccepted = 0;

    bool operator==(const SaleRow&) const = default;
};

// What taking a row back out of the record came to.
struct RowRemoval {
    enum class Outcome {
        Removed,   // out of the file, or out of memory when it was still waiting there
        NotThere,  // not in the file as it was written: changed or taken out since; left alone
        Failed,    // the file could not be read or rewritten now; nothing changed
    };
    Outcome outcome = Outcome::Removed;
    std::string reason;   // for Failed
    bool waited = false;  // Removed: the row was still waiting in memory, never written
};

// One field as CSV holds it: quoted when it holds a comma, a quote or a line break, with its
// quotes doubled; after a leading ' when it begins with =, +, -, @, a tab or a CR, so that a
// spreadsheet shows it as text rather than running it as a formula.
std::string CsvField(std::string_view text);
// The header row's text, and one sale's, each without its line end.
std::string CsvHeader();
std::string CsvRow(const SaleRow& row);

class SalesRecord {
public:
    explicit SalesRecord(std::filesystem::path path = kSalesFile) : path_(std::move(path)) {}

    // Adds the sale and writes every row not yet in the file.
    FileResult Add(SaleRow row);
    // Writes the rows not yet in the file, if any.
    FileResult Flush();
    // Takes the latest row added back out: from memory while it waits there, else from the
    // file, where it must stand exactly as it was written: as the file's last row, or once
    // anywhere; the file is replaced atomically without it and is otherwise left as it is.
    RowRemoval RemoveLatest(const SaleRow& row);
    std::size_t Pending() const { return pending_.size(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    std::vector<SaleRow> pending_;
};

}  // namespace gv
