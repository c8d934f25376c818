#include "books/sales_record.h"

#include <cmath>
#include <limits>

#include "common/clock.h"
#include "common/text.h"

namespace gv {

namespace {

// The columns in the order Gavelton writes them; the reader finds them by these names.
enum SalesColumn : std::size_t {
    kTime,
    kItem,
    kMinimumBid,
    kPrice,
    kWinner,
    kRunnerUpBid,
    kRunnerUp,
    kBidsAccepted
};
constexpr std::string_view kSalesColumns[] = {"Time",   "Item",          "Minimum bid", "Price",
                                              "Winner", "Runner-up bid", "Runner-up",   "Bids accepted"};

std::optional<SaleRow> ReadSaleRow(const CsvTableReader& table) {
    const std::optional<std::string_view> time = table.Field(kTime);
    const std::optional<std::string_view> item = table.Field(kItem);
    const std::optional<std::string_view> price = table.Field(kPrice);
    const std::optional<std::string_view> winner = table.Field(kWinner);
    // A row cut short before the winner cannot say who owes for it.
    if (!time || DateOf(*time).empty() || !item || !price || !winner) return std::nullopt;
    SaleRow row;
    row.time = *time;
    row.item = CsvText(*item);
    row.minimumBid = CsvNumber(table.Field(kMinimumBid).value_or(""));
    row.winner = CsvText(*winner);
    row.price = CsvNumber(*price);
    if (row.winner.empty() != row.price.empty()) return std::nullopt;
    if (!row.price.empty() && !CsvAmount(row.price)) return std::nullopt;
    row.runnerUpBid = CsvNumber(table.Field(kRunnerUpBid).value_or(""));
    row.runnerUp = CsvText(table.Field(kRunnerUp).value_or(""));
    const double bids = Val(CsvNumber(table.Field(kBidsAccepted).value_or(""))).value;
    if (bids > 0 && bids < std::numeric_limits<int>::max())
        row.bidsAccepted = static_cast<int>(std::floor(bids));
    return row;
}

}  // namespace

std::string SalesHeader() { return CsvLine(kSalesColumns); }

std::string CsvRow(const SaleRow& row) {
    const std::string_view fields[] = {row.time,   row.item,        row.minimumBid, row.price,
                                       row.winner, row.runnerUpBid, row.runnerUp};
    std::string text;
    for (const std::string_view field : fields) {
        text += CsvField(field);
        text += ',';
    }
    text += std::to_string(row.bidsAccepted);
    return text;
}

CsvRows<SaleRow> ReadSales(std::string_view bytes) {
    return ReadCsvRows<SaleRow>(bytes, kSalesColumns, ReadSaleRow);
}

FileResult SalesRecord::Add(const SaleRow& row) { return file_.Add(CsvRow(row)); }

FileResult SalesRecord::Flush() { return file_.Flush(); }

RowRemoval SalesRecord::RemoveLatest(const SaleRow& row) {
    // Two lots sold alike within a second write two equal rows, and the last is this sale's.
    return file_.RemoveLatest(CsvRow(row), CsvRecordFile::Where::LastOrOnlyOne);
}

CsvRows<SaleRow> SalesRecord::Read() const { return ReadRecordText<SaleRow>(Text(), ReadSales); }

}  // namespace gv
