#pragma once
// The CSV files Gavelton keeps beside the auction (Sales.csv, Accounts.csv). Written as
// spreadsheets read them: RFC 4180 quoting, CR LF, UTF-8 with a byte-order mark, and a guard
// against formulas. Never damaged: each addition replaces the whole file atomically with the
// earlier rows plus the new ones, and a row that cannot be written waits in memory for the next
// addition that succeeds, or for close. Read back forgivingly, because a host may have edited
// them by hand in a spreadsheet; reading never writes.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/atomic_file.h"

namespace gv {

// One field as CSV holds it: quoted when it holds a comma, a quote or a line break, with its
// quotes doubled; after a leading ' when it begins with =, +, -, @, a tab or a CR, so that a
// spreadsheet shows it as text rather than running it as a formula.
std::string CsvField(std::string_view text);
// The fields joined by commas, each as CsvField writes it; without a line end.
std::string CsvLine(std::span<const std::string_view> fields);

// What taking a row back out of a record came to.
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

// A CSV file that rows are only ever added to, at the end.
class CsvRecordFile {
public:
    // `header`: the header row's text, without its line end; it starts a file that is new or empty.
    CsvRecordFile(std::filesystem::path path, std::string header)
        : path_(std::move(path)), header_(std::move(header)) {}

    // Adds the row (its text, without a line end) and writes every row not yet in the file.
    FileResult Add(std::string row);
    // Writes the rows not yet in the file, if any.
    FileResult Flush();

    enum class Where {
        Last,           // only as the file's last row
        LastOrOnlyOne,  // as the last row, or once anywhere in the file
    };
    // Takes the latest row added back out: from memory while it waits there, else from the
    // file, where it must stand exactly as it was written, as `where` allows; the file is
    // replaced atomically without it and is otherwise left as it is.
    RowRemoval RemoveLatest(std::string_view row, Where where);

    std::size_t Pending() const { return pending_.size(); }
    // What the file holds with the waiting rows after it, as they will be written, read without
    // writing anything: empty when there is neither a file nor a waiting row, nullopt when the
    // file is there but cannot be read.
    std::optional<std::string> Contents() const;
    // The waiting rows alone under the header, as a file of their own would hold them.
    std::string WaitingText() const;
    const std::filesystem::path& Path() const { return path_; }

private:
    FileResult WithWaitingRows(std::string& bytes) const;

    std::filesystem::path path_;
    std::string header_;
    std::vector<std::string> pending_;
};

// The records of a CSV text, whatever a spreadsheet left of it: with or without the byte-order
// mark, "," or ";" between fields (whichever the first lines hold more of outside quotes), CR LF,
// LF or CR alone ending a record, line breaks inside quoted fields.
class CsvReader {
public:
    explicit CsvReader(std::string_view bytes);

    // The next record; false at the end of the text. A record whose quote is never closed, or
    // is closed over a line break somewhere a spreadsheet never closes one (a line cut inside
    // a quoted field, with rows added after it), would swallow the records after it: it is
    // given as broken, and reading goes on at its second line.
    bool Next();
    std::size_t Line() const { return line_; }  // where the record starts, 1 for the first line
    bool Broken() const { return broken_; }
    std::size_t Size() const { return count_; }
    const std::string& Field(std::size_t index) const { return fields_[index]; }
    char Separator() const { return separator_; }

private:
    std::string& NewField();

    std::string_view text_;
    char separator_ = ',';
    std::size_t pos_ = 0;
    std::size_t nextLine_ = 1;
    std::size_t line_ = 0;
    bool broken_ = false;
    std::vector<std::string> fields_;  // reused from record to record, so that reading allocates little
    std::size_t count_ = 0;
};

// The rows of one of Gavelton's CSV files, the columns found by their header's names (any case,
// any order, more columns than these) or, before any header, in the order Gavelton writes them.
// Blank rows and header rows are passed over.
class CsvTableReader {
public:
    CsvTableReader(std::string_view bytes, std::span<const std::string_view> columns);

    bool Next();
    std::size_t Line() const { return reader_.Line(); }
    bool Broken() const { return reader_.Broken(); }
    // The field of `column` (an index into the columns), without the spaces around it; nullopt
    // when the row stops before it or the header does not name it.
    std::optional<std::string_view> Field(std::size_t column) const;

private:
    bool IsHeader() const;

    CsvReader reader_;
    std::span<const std::string_view> columns_;
    std::vector<std::size_t> place_;  // of each column among the fields
};

// A text field without the ' that CsvField puts before a field that begins like a formula.
std::string_view CsvText(std::string_view field);
// A number field without a ' that a spreadsheet or CsvField put before it.
std::string_view CsvNumber(std::string_view field);
// An amount field: a number alone as the chat writes it, above 0; nullopt for anything else.
std::optional<double> CsvAmount(std::string_view field);

// The rows of a file that could be read, each with its line, and the lines of those that could not.
template <class Row>
struct CsvRows {
    std::vector<Row> rows;
    std::vector<std::size_t> lines;   // of each row
    std::vector<std::size_t> unread;  // lines of the rows that could not be read, in file order
    std::string failure;              // the whole file could not be read: why
};

// Reads every row with `readRow(const CsvTableReader&) -> std::optional<Row>`.
template <class Row, class ReadRow>
CsvRows<Row> ReadCsvRows(std::string_view bytes, std::span<const std::string_view> columns, ReadRow readRow) {
    CsvRows<Row> read;
    CsvTableReader table(bytes, columns);
    while (table.Next()) {
        std::optional<Row> row;
        if (!table.Broken()) row = readRow(table);
        if (!row) {
            read.unread.push_back(table.Line());
            continue;
        }
        read.rows.push_back(std::move(*row));
        read.lines.push_back(table.Line());
    }
    return read;
}

// A record file's text with the rows still waiting: taken where the file is written, read into
// rows anywhere. A file that cannot be read (a spreadsheet holds it) is a failure, never an
// empty history, and the rows waiting to go into it still count.
struct RecordText {
    std::string bytes;
    std::string failure;
};
RecordText TextOf(const CsvRecordFile& file);

// The rows as `readAll(std::string_view bytes) -> CsvRows<Row>` reads them.
template <class Row, class ReadAll>
CsvRows<Row> ReadRecordText(const RecordText& text, ReadAll readAll) {
    CsvRows<Row> rows = readAll(text.bytes);
    rows.failure = text.failure;
    return rows;
}

// "line 7", "lines 3, 7 and 9".
std::string LinesText(std::span<const std::size_t> lines);
// "Sales.csv: line 7 not read", "Sales.csv: lines 3, 7 and 9 not read", "Sales.csv cannot be
// read" (for any failure); empty when every row was read.
template <class Row>
std::string UnreadText(std::string_view file, const CsvRows<Row>& read);
std::string UnreadText(std::string_view file, std::span<const std::size_t> unread, std::string_view failure);

template <class Row>
std::string UnreadText(std::string_view file, const CsvRows<Row>& read) {
    return UnreadText(file, read.unread, read.failure);
}

}  // namespace gv
