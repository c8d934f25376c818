#include "setup/setup_files.h"

#include "common/ansi.h"
#include "common/lines.h"
#include "common/text.h"

namespace gv {

void LoadBids(const std::filesystem::path& path, TierTable& table) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) return;
    const std::string text = FromAnsi(*bytes);
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

void LoadItems(const std::filesystem::path& path, ItemList& list) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) return;
    list.Clear();
    const std::string text = FromAnsi(*bytes);
    LineReader reader(text, LineEnds::CrLfCrOrLf);
    std::string_view line;
    while (reader.Next(line)) {
        const std::string_view entry = TrimView(line);
        if (!entry.empty()) list.Append(std::string(entry));
    }
}

FileResult SaveBids(const std::filesystem::path& path, const TierTable& table) {
    std::string text;
    for (int r = 0; r < kTierRows; ++r) {
        const TierRow& row = table.Row(r);
        for (const std::string* field : {&row.low, &row.high, &row.raise}) {
            text += *field;
            text += "\r\n";
        }
    }
    return WriteFileAtomically(path, ToAnsi(text));
}

FileResult SaveItems(const std::filesystem::path& path, const ItemList& list) {
    std::string text;
    for (const std::string& entry : list.Entries()) {
        text += entry;
        text += "\r\n";
    }
    return WriteFileAtomically(path, ToAnsi(text));
}

}  // namespace gv
