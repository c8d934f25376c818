// Reading CSV as a spreadsheet may leave it: the records, their lines and their fields.

#include "books/csv_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/clock.h"

namespace gv {
namespace {

struct Record {
    std::size_t line;
    std::vector<std::string> fields;  // {"<broken>"} for a broken record
    bool operator==(const Record&) const = default;
};

std::vector<Record> Records(const std::string& text) {
    std::vector<Record> records;
    CsvReader reader(text);
    while (reader.Next()) {
        Record record{reader.Line(), {}};
        if (reader.Broken()) record.fields.push_back("<broken>");
        for (std::size_t i = 0; i < reader.Size(); ++i) record.fields.push_back(reader.Field(i));
        records.push_back(record);
    }
    return records;
}

TEST(CsvFileReader, RecordsAndTheirLinesWhateverEndsThem) {
    const std::string text =
        "\xEF\xBB\xBF"
        "a,\"b, \"\"c\"\"\"\r\n"
        "\"two\r\nlines\",x\n"
        "lone,cr\r"
        ",\r\n"
        "last";
    EXPECT_EQ(Records(text), (std::vector<Record>{{1, {"a", "b, \"c\""}},
                                                  {2, {"two\r\nlines", "x"}},
                                                  {4, {"lone", "cr"}},
                                                  {5, {"", ""}},
                                                  {6, {"last"}}}));
}

// A spreadsheet set to a language with decimal commas saves with ";"; commas inside its
// fields are then text.
TEST(CsvFileReader, SemicolonsSeparateWhenTheyOutnumberCommas) {
    CsvReader reader("Time;Item\r\n2026-12-02;Vase, blue\r\n");
    EXPECT_EQ(reader.Separator(), ';');
    EXPECT_EQ(Records("Time;Item\r\n2026-12-02;Vase, blue\r\n"),
              (std::vector<Record>{{1, {"Time", "Item"}}, {2, {"2026-12-02", "Vase, blue"}}}));
    EXPECT_EQ(CsvReader("a,b;c\r\n\"x;y;z\",1").Separator(), ',');
}

// A quote opened by a hand edit and never closed would swallow every row after it.
TEST(CsvFileReader, AnUnclosedQuoteBreaksOnlyItsOwnLine) {
    EXPECT_EQ(Records("a,b\r\n\"c,d\r\ne,f\r\n"),
              (std::vector<Record>{{1, {"a", "b"}}, {2, {"<broken>"}}, {3, {"e", "f"}}}));
}

// A line cut inside a quoted field, then rows added after it: the torn quote closes at the
// first quote of a later row, where no spreadsheet closes a field. Only the torn line is lost;
// a field a spreadsheet wrote over two lines still reads as one.
TEST(CsvFileReader, AQuoteTornOpenTakesNoLaterRow) {
    EXPECT_EQ(Records("a,\"cut\r\nb,\"c, d\",e\r\nf,\"g\"\r\n"),
              (std::vector<Record>{{1, {"<broken>"}}, {2, {"b", "c, d", "e"}}, {3, {"f", "g"}}}));
    EXPECT_EQ(Records("\"two\r\nlines\"\r\nnext\r\n"),
              (std::vector<Record>{{1, {"two\r\nlines"}}, {3, {"next"}}}));
}

TEST(CsvFileTable, ColumnsAreFoundByTheHeaderWhereverItStands) {
    constexpr std::string_view kColumns[] = {"Time", "Item", "Price"};
    CsvTableReader table(
        "2026-12-02,Lamp,5\r\n"  // before any header: in the order written
        "\r\n"
        " price , TIME ,Note\r\n"
        "7,2026-12-03,late\r\n",
        kColumns);
    ASSERT_TRUE(table.Next());
    EXPECT_EQ(table.Line(), 1u);
    EXPECT_EQ(table.Field(1), "Lamp");
    ASSERT_TRUE(table.Next());
    EXPECT_EQ(table.Line(), 4u);
    EXPECT_EQ(table.Field(0), "2026-12-03");
    EXPECT_EQ(table.Field(2), "7");
    EXPECT_EQ(table.Field(1), std::nullopt);  // the header has no Item
    EXPECT_FALSE(table.Next());
}

TEST(CsvFileFields, GuardsComeOffAndOnlyWholeAmountsAndDatesCount) {
    EXPECT_EQ(CsvText("'=Bo"), "=Bo");
    EXPECT_EQ(CsvText("'quoted"), "'quoted");
    EXPECT_EQ(CsvAmount("'700"), 700);
    EXPECT_EQ(CsvAmount("1 200"), 1200);
    EXPECT_EQ(CsvAmount("1,200"), std::nullopt);
    EXPECT_EQ(CsvAmount("0"), std::nullopt);
    EXPECT_EQ(CsvAmount(""), std::nullopt);
    EXPECT_EQ(DateOf("2026-12-02 20:15:00"), "2026-12-02");
    EXPECT_EQ(DateOf("2026-02-30 20:15:00"), "");
    EXPECT_EQ(DateOf("02/12/2026 20:15"), "");
    const std::size_t lines[] = {3, 7, 9};
    EXPECT_EQ(UnreadText("Sales.csv", lines, {}), "Sales.csv: lines 3, 7 and 9 not read");
}

}  // namespace
}  // namespace gv
