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

#include "books/csv_file.h"
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

// The header row's text, and one sale's, each without its line end.
std::string SalesHeader();
std::string CsvRow(const SaleRow& row);

// The rows of a Sales.csv text, read as CsvTableReader reads them. A row counts when it has a
// time that begins with a date and reaches the winner's column; it then is a sale when it has
// both a winner and a price (a number alone, above 0) and an item that went without a bid when
// it has neither. Every other row is unread.
CsvRows<SaleRow> ReadSales(std::string_view bytes);

class SalesRecord {
public:
    explicit SalesRecord(std::filesystem::path path = kSalesFile) : file_(std::move(path), SalesHeader()) {}

    // Adds the sale and writes every row not yet in the file.
    FileResult Add(const SaleRow& row);
    // Writes the rows not yet in the file, if any.
    FileResult Flush();
    // Takes the latest row added back out: from memory while it waits there, else from the
    // file, where it must stand exactly as it was written: as the file's last row, or once
    // anywhere; the file is replaced atomically without it and is otherwise left as it is.
    RowRemoval RemoveLatest(const SaleRow& row);
    std::size_t Pending() const { return file_.Pending(); }
    const std::filesystem::path& Path() const { return file_.Path(); }
    // Every sale: the file's rows and those still waiting to be written. Reads, never writes.
    CsvRows<SaleRow> Read() const;
    RecordText Text() const { return TextOf(file_); }

private:
    CsvRecordFile file_;
};

}  // namespace gv
