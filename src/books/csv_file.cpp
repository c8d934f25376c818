#include "books/csv_file.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include "common/text.h"
#include "setup/amount.h"

namespace gv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
// What a spreadsheet takes for the start of a formula.
constexpr std::string_view kFormulaStart = "=+-@\t\r";

// Which of "," and ";" separates the fields: the one the first lines hold more of outside
// quotes. A spreadsheet set to a language that writes decimal commas saves with ";".
char GuessSeparator(std::string_view text) {
    constexpr int kLinesLooked = 20;
    int commas = 0;
    int semicolons = 0;
    int lines = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == ',') {
            ++commas;
        } else if (c == ';') {
            ++semicolons;
        } else if (c == '\n' && ++lines == kLinesLooked) {
            break;
        }
    }
    return semicolons > commas ? ';' : ',';
}

}  // namespace

std::string CsvField(std::string_view text) {
    // Item names come from the host and bidder names from the chat: a spreadsheet would run a
    // field that begins like a formula. A leading ' makes it show the field as text.
    std::string field;
    if (!text.empty() && kFormulaStart.find(text.front()) != std::string_view::npos) field = "'";
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

std::string CsvLine(std::span<const std::string_view> fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += CsvField(fields[i]);
    }
    return line;
}

FileResult CsvRecordFile::Add(std::string row) {
    pending_.push_back(std::move(row));
    return Flush();
}

FileResult CsvRecordFile::Flush() {
    if (pending_.empty()) return {};
    std::string bytes;
    FileResult read = WithWaitingRows(bytes);
    if (!read.ok) return read;
    FileResult result = WriteFileAtomically(path_, bytes);
    if (result.ok) pending_.clear();
    return result;
}

FileResult CsvRecordFile::WithWaitingRows(std::string& bytes) const {
    // The rows already in the file stay as they are, whoever wrote them; a file that is there
    // but cannot be read is not replaced, or its rows would be lost.
    std::error_code error;
    const bool exists = std::filesystem::exists(path_, error);
    if (error) return {false, error.message()};
    if (exists) {
        std::optional<std::string> earlier = ReadWholeFile(path_);
        if (!earlier) return {false, "the file cannot be read"};
        bytes = std::move(*earlier);
        if (!bytes.empty() && bytes.back() != '\n') bytes += kLineEnd;
    }
    if (bytes.empty()) {
        bytes += kByteOrderMark;
        bytes += header_;
        bytes += kLineEnd;
    }
    for (const std::string& row : pending_) {
        bytes += row;
        bytes += kLineEnd;
    }
    return {};
}

RecordText TextOf(const CsvRecordFile& file) {
    std::optional<std::string> bytes = file.Contents();
    if (!bytes) return {file.WaitingText(), "the file cannot be read"};
    return {std::move(*bytes), {}};
}

std::string CsvRecordFile::WaitingText() const {
    std::string bytes(kByteOrderMark);
    bytes += header_;
    bytes += kLineEnd;
    for (const std::string& row : pending_) {
        bytes += row;
        bytes += kLineEnd;
    }
    return bytes;
}

std::optional<std::string> CsvRecordFile::Contents() const {
    std::string bytes;
    if (!pending_.empty()) {
        if (!WithWaitingRows(bytes).ok) return std::nullopt;
        return bytes;
    }
    std::error_code error;
    const bool exists = std::filesystem::exists(path_, error);
    if (error) return std::nullopt;
    if (!exists) return bytes;
    return ReadWholeFile(path_);
}

RowRemoval CsvRecordFile::RemoveLatest(std::string_view row, Where where) {
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
    std::string line(kLineEnd);
    line += row;
    line += kLineEnd;
    // Rows are added at the end, so the latest row is the last one unless someone added rows
    // since; two equal rows written within a second are told apart by place: the last is the
    // latest. Elsewhere in the file it must be the only one of its kind.
    std::size_t at = std::string::npos;
    if (bytes->ends_with(line)) {
        at = bytes->size() - line.size();
    } else if (where == Where::LastOrOnlyOne) {
        at = bytes->find(line);
        if (at != std::string::npos && bytes->find(line, at + 1) != std::string::npos) at = std::string::npos;
    }
    if (at == std::string::npos) return {Outcome::NotThere, {}};
    bytes->erase(at + kLineEnd.size(), line.size() - kLineEnd.size());
    const FileResult written = WriteFileAtomically(path_, *bytes);
    if (!written.ok) return {Outcome::Failed, written.reason};
    return {};
}

CsvReader::CsvReader(std::string_view bytes) : text_(bytes) {
    if (text_.starts_with(kByteOrderMark)) text_.remove_prefix(kByteOrderMark.size());
    separator_ = GuessSeparator(text_);
}

std::string& CsvReader::NewField() {
    if (count_ == fields_.size()) fields_.emplace_back();
    std::string& field = fields_[count_++];
    field.clear();
    return field;
}

bool CsvReader::Next() {
    if (pos_ >= text_.size()) return false;
    const std::size_t start = pos_;
    line_ = nextLine_;
    broken_ = false;
    count_ = 0;
    const char stops[] = {separator_, '\r', '\n', '\0'};
    for (;;) {
        std::string& field = NewField();
        if (pos_ < text_.size() && text_[pos_] == '"') {
            bool closed = false;
            bool spanned = false;  // over a line break
            for (++pos_; pos_ < text_.size(); ++pos_) {
                const char c = text_[pos_];
                if (c == '"') {
                    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                        field += '"';
                        ++pos_;
                        continue;
                    }
                    ++pos_;
                    closed = true;
                    break;
                }
                // CR LF is one line break; the LF counts it.
                if (c == '\n' || (c == '\r' && !(pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n'))) {
                    ++nextLine_;
                    spanned = true;
                }
                field += c;
            }
            // A spreadsheet closes a field over several lines right before a separator or a line
            // end. Closed anywhere else, it is a quote torn open (a line cut short) that took in
            // the rows after it, at the opening quote of one of their fields.
            const bool tornOpen = spanned && pos_ < text_.size() && text_[pos_] != separator_ &&
                                  text_[pos_] != '\r' && text_[pos_] != '\n';
            if (!closed || tornOpen) {
                broken_ = true;
                count_ = 0;
                const std::size_t end = text_.find_first_of("\r\n", start);
                pos_ = end == std::string_view::npos ? text_.size() : end + 1;
                if (end != std::string_view::npos && text_[end] == '\r' && pos_ < text_.size() &&
                    text_[pos_] == '\n')
                    ++pos_;
                nextLine_ = line_ + 1;
                return true;
            }
        }
        // Unquoted, or what a hand edit left after a closing quote: taken as it stands.
        std::size_t end = text_.find_first_of(std::string_view(stops, 3), pos_);
        if (end == std::string_view::npos) end = text_.size();
        field.append(text_.substr(pos_, end - pos_));
        pos_ = end;
        if (pos_ >= text_.size()) return true;
        const char c = text_[pos_++];
        if (c == separator_) continue;
        if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        ++nextLine_;
        return true;
    }
}

CsvTableReader::CsvTableReader(std::string_view bytes, std::span<const std::string_view> columns)
    : reader_(bytes), columns_(columns), place_(columns.size()) {
    for (std::size_t i = 0; i < place_.size(); ++i) place_[i] = i;
}

bool CsvTableReader::IsHeader() const {
    // Two of the names at least, so that a garbage line holding one word such as "Item" is
    // not taken for a header that would move every column after it.
    std::size_t named = 0;
    for (std::size_t i = 0; i < reader_.Size(); ++i) {
        const std::string_view field = TrimView(reader_.Field(i));
        named += static_cast<std::size_t>(
            std::any_of(columns_.begin(), columns_.end(),
                        [&](std::string_view name) { return SameIgnoringCase(field, name); }));
    }
    return named >= std::min<std::size_t>(2, columns_.size());
}

bool CsvTableReader::Next() {
    while (reader_.Next()) {
        if (reader_.Broken()) return true;
        bool blank = true;
        for (std::size_t i = 0; i < reader_.Size() && blank; ++i) blank = TrimView(reader_.Field(i)).empty();
        if (blank) continue;
        if (!IsHeader()) return true;
        // The columns are where this header names them, until the next header.
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            place_[c] = std::string_view::npos;
            for (std::size_t i = 0; i < reader_.Size(); ++i) {
                if (SameIgnoringCase(TrimView(reader_.Field(i)), columns_[c])) {
                    place_[c] = i;
                    break;
                }
            }
        }
    }
    return false;
}

std::optional<std::string_view> CsvTableReader::Field(std::size_t column) const {
    const std::size_t at = place_[column];
    if (at == std::string_view::npos || at >= reader_.Size()) return std::nullopt;
    return TrimView(reader_.Field(at));
}

std::string_view CsvText(std::string_view field) {
    if (field.size() >= 2 && field.front() == '\'' && kFormulaStart.find(field[1]) != std::string_view::npos)
        field.remove_prefix(1);
    return field;
}

std::string_view CsvNumber(std::string_view field) {
    if (field.starts_with('\'')) field.remove_prefix(1);
    return TrimView(field);
}

std::optional<double> CsvAmount(std::string_view field) {
    const BidAmount read = ReadWholeAmount(CsvNumber(field));
    if (read.fault != AmountFault::None) return std::nullopt;
    return read.amount;
}

std::string LinesText(std::span<const std::size_t> lines) {
    std::string text = lines.size() == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += i + 1 == lines.size() ? " and " : ", ";
        text += std::to_string(lines[i]);
    }
    return text;
}

std::string UnreadText(std::string_view file, std::span<const std::size_t> unread, std::string_view failure) {
    if (!failure.empty()) return std::string(file) + " cannot be read";
    if (unread.empty()) return {};
    return std::string(file) + ": " + LinesText(unread) + " not read";
}

}  // namespace gv
