#include "floor/sales_record.h"

#include <system_error>

namespace gv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string CsvField(std::string_view text) {
    // Item names come from the host and bidder names from the chat: a spreadsheet would run a
    // field that begins like a formula. A leading ' makes it show the field as text.
    std::string field;
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        field = "'";
    field += text;
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string CsvHeader() { return "Time,Item,Minimum bid,Price,Winner,Runner-up bid,Runner-up,Bids accepted"; }

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

FileResult SalesRecord::Add(SaleRow row) {
    pending_.push_back(std::move(row));
    return Flush();
}

FileResult SalesRecord::Flush() {
    if (pending_.empty()) return {};
    // The rows already in the file stay as they are, whoever wrote them; a file that is there
    // but cannot be read is not replaced, or its rows would be lost.
    std::error_code error;
    const bool exists = std::filesystem::exists(path_, error);
    if (error) return {false, error.message()};
    std::string bytes;
    if (exists) {
        std::optional<std::string> earlier = ReadWholeFile(path_);
        if (!earlier) return {false, "the file cannot be read"};
        bytes = std::move(*earlier);
        if (!bytes.empty() && bytes.back() != '\n') bytes += kLineEnd;
    }
    if (bytes.empty()) {
        bytes += kByteOrderMark;
        bytes += CsvHeader();
        bytes += kLineEnd;
    }
    for (const SaleRow& row : pending_) {
        bytes += CsvRow(row);
        bytes += kLineEnd;
    }
    FileResult result = WriteFileAtomically(path_, bytes);
    if (result.ok) pending_.clear();
    return result;
}

RowRemoval SalesRecord::RemoveLatest(const SaleRow& row) {
    using Outcome = RowRemoval::Outcome;
    // Rows are written oldest first and all together, so the latest one waits if any does.
    if (!pending_.empty()) {
        if (pending_.back() != row) return {Outcome::NotThere, {}};
        pending_.pop_back();
        return {Outcome::Removed, {}, true};
    }
    std::error_code error;
    const bool exists = std::filesystem::exists(path_, error);
    if (error) return {Outcome::Failed, error.message()};
    if (!exists) return {Outcome::NotThere, {}};
    std::optional<std::string> bytes = ReadWholeFile(path_);
    if (!bytes) return {Outcome::Failed, "the file cannot be read"};
    // The whole line as written: after a line end (the header's at least), up to its own.
    const std::string line = std::string(kLineEnd) + CsvRow(row) + std::string(kLineEnd);
    // Rows are added at the end, so the latest sale's row is the last one unless someone
    // added rows since; two lots sold alike within a second write two equal rows, and the
    // last is this sale's. Elsewhere in the file it must be the only one of its kind.
    std::size_t at = std::string::npos;
    if (bytes->ends_with(line)) {
        at = bytes->size() - line.size();
    } else {
        at = bytes->find(line);
        if (at != std::string::npos && bytes->find(line, at + 1) != std::string::npos) at = std::string::npos;
    }
    if (at == std::string::npos) return {Outcome::NotThere, {}};
    bytes->erase(at + kLineEnd.size(), line.size() - kLineEnd.size());
    const FileResult written = WriteFileAtomically(path_, *bytes);
    if (!written.ok) return {Outcome::Failed, written.reason};
    return {};
}

}  // namespace gv
