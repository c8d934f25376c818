#include "setup/setup_files.h"

#include "common/ansi.h"
#include "common/lines.h"
#include "common/text.h"

namespace gv {

void ReadBids(std::string_view bytes, TierTable& table) {
    const std::string text = FromAnsi(bytes);
    LineReader reader(text, LineEnds::CrLfCrOrLf);
    std::string_view line;
    // Lines fill the fields in file order; the first line missing ends the load, and
    // whatever it did not reach keeps its text.
    for (int r = 0; r < kTierRows; ++r) {
        TierRow& row = table.Row(r);
        for (std::string* field : {&row.low, &row.high, &row.raise}) {
            if (!reader.Next(line)) return;
            *field = Trim(line);
        }
    }
}

void ReadItems(std::string_view bytes, ItemList& list) {
    list.Clear();
    const std::string text = FromAnsi(bytes);
    LineReader reader(text, LineEnds::CrLfCrOrLf);
    std::string_view line;
    while (reader.Next(line)) {
        const std::string_view entry = TrimView(line);
        if (!entry.empty()) list.Append(std::string(entry));
    }
}

void LoadBids(const std::filesystem::path& path, TierTable& table) {
    if (const auto bytes = ReadWholeFile(path)) ReadBids(*bytes, table);
}

void LoadItems(const std::filesystem::path& path, ItemList& list) {
    if (const auto bytes = ReadWholeFile(path)) ReadItems(*bytes, list);
}

std::string BidsBytes(const TierTable& table) {
    std::string text;
    for (int r = 0; r < kTierRows; ++r) {
        const TierRow& row = table.Row(r);
        for (const std::string* field : {&row.low, &row.high, &row.raise}) {
            text += *field;
            text += "\r\n";
        }
    }
    return ToAnsi(text);
}

std::string ItemsBytes(const ItemList& list) {
    std::string text;
    for (const std::string& entry : list.Entries()) {
        text += entry;
        text += "\r\n";
    }
    return ToAnsi(text);
}

FileResult SaveBids(const std::filesystem::path& path, const TierTable& table) {
    return WriteFileAtomically(path, BidsBytes(table));
}

FileResult SaveItems(const std::filesystem::path& path, const ItemList& list) {
    return WriteFileAtomically(path, ItemsBytes(list));
}

}  // namespace gv
