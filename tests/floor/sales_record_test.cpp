// The sales record: CSV as spreadsheets read it, rows added without losing earlier ones, and a
// row that cannot be written kept until it can.

#include "books/sales_record.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/atomic_file.h"
#include "fakes.h"
#include "files.h"
#include "floor/floor.h"
#include "scratch_folder.h"

namespace gv {
namespace {

namespace fs = std::filesystem;

const std::string kBom = "\xEF\xBB\xBF";
const std::string kHeader = "Time,Item,Minimum bid,Price,Winner,Runner-up bid,Runner-up,Bids accepted\r\n";

using testing::ReadFile;

TEST(SalesRecordCsv, FieldsAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(CsvField("Oak chest"), "Oak chest");
    EXPECT_EQ(CsvField("Vase, blue"), "\"Vase, blue\"");
    EXPECT_EQ(CsvField("12\" ruler"), "\"12\"\" ruler\"");
    EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("lone\rCR"), "\"lone\rCR\"");
    EXPECT_EQ(CsvField("lone\nLF"), "\"lone\nLF\"");
}

// A field a spreadsheet would run as a formula is written to show as text; only such a field.
TEST(SalesRecordCsv, AFieldThatBeginsLikeAFormulaIsWrittenAsText) {
    EXPECT_EQ(CsvField("=HYPERLINK(\"x\")"), "\"'=HYPERLINK(\"\"x\"\")\"");
    EXPECT_EQ(CsvField("+1"), "'+1");
    EXPECT_EQ(CsvField("-2+3"), "'-2+3");
    EXPECT_EQ(CsvField("@SUM(A1)"), "'@SUM(A1)");
    EXPECT_EQ(CsvField("\tcmd"), "'\tcmd");
    EXPECT_EQ(CsvField("\r=1"), "\"'\r=1\"");
    EXPECT_EQ(CsvField("Vase=blue"), "Vase=blue");
    EXPECT_EQ(CsvField("'quoted"), "'quoted");
    const SaleRow row{"2026-12-07 20:15:00", "Vase, \"blue\"", "50", "75", "Zo\xC3\xAB", "60", "Ann", 3};
    EXPECT_EQ(CsvRow(row), "2026-12-07 20:15:00,\"Vase, \"\"blue\"\"\",50,75,Zo\xC3\xAB,60,Ann,3");
}

TEST(SalesRecordFile, StartsWithTheMarkAndHeaderAndKeepsEveryEarlierRow) {
    testing::ScratchFolder folder;
    SalesRecord record(folder.path() / "Sales.csv");
    ASSERT_TRUE(record.Add({"t1", "Lamp", "10", "50", "Ann", "", "", 1}).ok);
    ASSERT_TRUE(record.Add({"t2", "Rug", "15", "", "", "", "", 0}).ok);
    EXPECT_EQ(ReadFile(record.Path()), kBom + kHeader + "t1,Lamp,10,50,Ann,,,1\r\nt2,Rug,15,,,,,0\r\n");

    // Rows written by someone else (a spreadsheet, an earlier run), even without a last line
    // end, stay as they are.
    folder.Write("Sales.csv", kBom + kHeader + "old,=Box,1,2,Cy,,,1");
    ASSERT_TRUE(record.Add({"t3", "Vase", "5", "7", "=Bo", "6", "Ann", 2}).ok);
    EXPECT_EQ(ReadFile(record.Path()),
              kBom + kHeader + "old,=Box,1,2,Cy,,,1\r\nt3,Vase,5,7,'=Bo,6,Ann,2\r\n");
}

// Two lots of one item sold within a second write two equal rows: the latest is the one the
// latest sale wrote, and only it goes; a row changed since is left.
TEST(SalesRecordFile, RemoveLatestTakesOutTheLastOfTwoEqualRows) {
    testing::ScratchFolder folder;
    SalesRecord record(folder.path() / "Sales.csv");
    const SaleRow potion{"t1", "Potion", "5", "5", "Ann", "", "", 1};
    ASSERT_TRUE(record.Add({"t0", "Lamp", "10", "50", "Ann", "", "", 1}).ok);
    ASSERT_TRUE(record.Add(potion).ok);
    ASSERT_TRUE(record.Add(potion).ok);
    const RowRemoval removed = record.RemoveLatest(potion);
    EXPECT_EQ(removed.outcome, RowRemoval::Outcome::Removed);
    EXPECT_FALSE(removed.waited);
    EXPECT_EQ(ReadFile(record.Path()), kBom + kHeader + "t0,Lamp,10,50,Ann,,,1\r\nt1,Potion,5,5,Ann,,,1\r\n");

    // The host wrote a row of his own after it: the sale's row is still found where it is.
    folder.Write("Sales.csv", ReadFile(record.Path()) + "by hand,Rug,1,1,Bo,,,0\r\n");
    EXPECT_EQ(record.RemoveLatest(potion).outcome, RowRemoval::Outcome::Removed);
    EXPECT_EQ(ReadFile(record.Path()),
              kBom + kHeader + "t0,Lamp,10,50,Ann,,,1\r\nby hand,Rug,1,1,Bo,,,0\r\n");
    // Two equal rows, neither of them the last: which one the sale wrote cannot be told.
    folder.Write("Sales.csv",
                 kBom + kHeader + "t1,Potion,5,5,Ann,,,1\r\nt1,Potion,5,5,Ann,,,1\r\nx,Rug,1,1,Bo,,,0\r\n");
    EXPECT_EQ(record.RemoveLatest(potion).outcome, RowRemoval::Outcome::NotThere);
}

TEST(SalesRecordFile, NoSaleMakesNoFileAndAnEmptyFileGetsTheHeader) {
    testing::ScratchFolder folder;
    SalesRecord record(folder.path() / "Sales.csv");
    EXPECT_TRUE(record.Flush().ok);  // a close without a sale
    EXPECT_FALSE(fs::exists(record.Path()));

    folder.Write("Sales.csv", "");
    ASSERT_TRUE(record.Add({"t1", "Lamp", "10", "50", "Ann", "", "", 1}).ok);
    EXPECT_EQ(ReadFile(record.Path()), kBom + kHeader + "t1,Lamp,10,50,Ann,,,1\r\n");
}

TEST(SalesRecordFile, ARowThatCannotBeWrittenWaitsForTheNextSuccess) {
    testing::ScratchFolder folder;
    const fs::path path = folder.path() / "Sales.csv";
    fs::create_directory(path);  // nothing can be written there
    SalesRecord record(path);
    const FileResult failed = record.Add({"t1", "Lamp", "10", "50", "Ann", "", "", 1});
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.reason.empty());
    EXPECT_EQ(record.Pending(), 1u);

    fs::remove(path);
    ASSERT_TRUE(record.Add({"t2", "Rug", "15", "20", "Bo", "", "", 1}).ok);
    EXPECT_EQ(record.Pending(), 0u);
    EXPECT_EQ(ReadFile(path), kBom + kHeader + "t1,Lamp,10,50,Ann,,,1\r\nt2,Rug,15,20,Bo,,,1\r\n");
}

// Sales.csv after a host's spreadsheet: every row that can be read counts, every other is named
// by its line, and reading leaves the file exactly as it was.
TEST(SalesRecordReading, DamagedRowsAreNamedByLineAndTheRestCount) {
    testing::ScratchFolder folder;
    const std::string bytes =
        "2026-12-02 20:00:00,Oak chest,500,700,Ben,650,Cy,4\r\n"     // 1: no header before it
        "2026-12-02 20:05:00,Lamp,50,120\r\n"                        // 2: cut short before the winner
        "2026-12-02 20:10:00,Rug,10,'80,'=Bo,,,2,extra,columns\r\n"  // 3
        "total so far: lots\r\n"                                     // 4: garbage
        "2026-12-02 20:15:00,Vase,5,,,,,0\r\n"                       // 5: no bid
        "2026-12-02 20:20:00,Cup,5,seven,Ann,,,1\r\n"                // 6: no price
        "2026-12-02 20:25:00,Mug,5,30,,,,1\r\n"                      // 7: a price without a winner
        "07/12/2026 20:30,Jug,5,30,Ann,,,1\r\n";                     // 8: no date to read
    SalesRecord record(folder.Write("Sales.csv", bytes));
    const CsvRows<SaleRow> read = record.Read();
    EXPECT_EQ(read.rows,
              (std::vector<SaleRow>{{"2026-12-02 20:00:00", "Oak chest", "500", "700", "Ben", "650", "Cy", 4},
                                    {"2026-12-02 20:10:00", "Rug", "10", "80", "=Bo", "", "", 2},
                                    {"2026-12-02 20:15:00", "Vase", "5", "", "", "", "", 0}}));
    EXPECT_EQ(read.lines, (std::vector<std::size_t>{1, 3, 5}));
    EXPECT_EQ(read.unread, (std::vector<std::size_t>{2, 4, 6, 7, 8}));
    EXPECT_EQ(ReadFile(record.Path()), bytes);

    // Saved again by a spreadsheet in a language with decimal commas, its columns moved.
    EXPECT_EQ(ReadSales(kBom + "Winner;Price;Time;Item\r\nAnn;75;2026-12-03 21:00:00;Vase, blue\r\n").rows,
              (std::vector<SaleRow>{{"2026-12-03 21:00:00", "Vase, blue", "", "75", "Ann", "", "", 0}}));

    const CsvRows<SaleRow> none = SalesRecord(folder.path() / "missing.csv").Read();
    EXPECT_TRUE(none.rows.empty() && none.unread.empty() && none.failure.empty());
}

class SalesRecordFromFloor : public ::testing::Test, protected testing::FloorRig {
protected:
    SalesRecordFromFloor() {
        floor.SetSalesRecord(&record);
        floor.SetClock([] { return std::string("2026-12-07 20:15:00"); });
        spy.onRecordStatus = [this](const std::string& failure) { statuses.push_back(failure); };
        floor.SetCapturePath(folder.path() / "TALLY.TXT");
        tiers.Row(0) = {"0", "9999999", "5"};
        for (const char* entry : {"Lamp - 10", "Rug - 15"}) items.Append(entry);
        PutOnBlock(block, items.EntryAt(0));
    }
    testing::ScratchFolder folder;
    SalesRecord record{folder.path() / "Sales.csv"};
    std::vector<std::string> statuses;
};

TEST_F(SalesRecordFromFloor, EachItemOnceWithItsPriceWinnerRunnerUpAndBids) {
    link.fetches = {{testing::Chat({"Host: Item on the Block currently is Lamp", "ESP from Ann: 20",
                                    "ESP from Bo: 30", "ESP from Ann: 32"})}};
    floor.GetBids();
    floor.Sold();
    floor.Sold();  // said again, recorded once
    floor.GetNextItem();
    floor.Sold();  // Rug, without a bid
    EXPECT_EQ(ReadFile(record.Path()), kBom + kHeader + "2026-12-07 20:15:00,Lamp,10,30,Bo,20,Ann,2\r\n" +
                                           "2026-12-07 20:15:00,Rug,15,,,,,0\r\n");
    EXPECT_EQ(statuses, (std::vector<std::string>{"", ""}));
}

// The runner-up is whom the sale passes to if the winner does not pay: the highest bid of
// anyone else, not the winner's own bid below her last.
TEST_F(SalesRecordFromFloor, TheRunnerUpIsTheHighestBidOfAnotherBidder) {
    link.fetches = {{testing::Chat({"Host: Item on the Block currently is Lamp", "ESP from Ann: 10",
                                    "ESP from Bo: 20", "ESP from Cy: 30", "ESP from Cy: 45"})}};
    floor.GetBids();
    EXPECT_EQ(block.lastBidder, "Cy");  // the captions show the bids as they came
    floor.Sold();
    EXPECT_EQ(ReadFile(record.Path()), kBom + kHeader + "2026-12-07 20:15:00,Lamp,10,45,Cy,20,Bo,4\r\n");
}

// Nothing of the list on the block sells nothing; an entry the index no longer points at is
// recorded but stays in the list, and the entry now at the index is not taken instead.
TEST_F(SalesRecordFromFloor, OnlyTheEntryOnTheBlockIsSoldAndOnlyWhereItStands) {
    block = {};  // as at start
    floor.Sold();
    EXPECT_FALSE(fs::exists(record.Path()));
    EXPECT_EQ(items.Count(), 2u);

    floor.GetNextItem();  // Rug
    floor.ListCommand();  // the index back at Lamp
    floor.Sold();
    EXPECT_EQ(ReadFile(record.Path()), kBom + kHeader + "2026-12-07 20:15:00,Rug,15,,,,,0\r\n");
    EXPECT_EQ(items.Entries(), (std::vector<std::string>{"Lamp - 10", "Rug - 15"}));
}

TEST_F(SalesRecordFromFloor, AFailedRecordIsToldAndTheRowGoesWithTheNextSale) {
    fs::create_directory(record.Path());
    floor.Sold();
    ASSERT_EQ(statuses.size(), 1u);
    EXPECT_EQ(statuses[0].rfind("Sales.csv not written: ", 0), 0u) << statuses[0];
    fs::remove(record.Path());
    floor.GetNextItem();
    floor.Sold();
    EXPECT_EQ(statuses.back(), "");
    EXPECT_EQ(ReadFile(record.Path()), kBom + kHeader + "2026-12-07 20:15:00,Lamp,10,,,,,0\r\n" +
                                           "2026-12-07 20:15:00,Rug,15,,,,,0\r\n");
}

}  // namespace
}  // namespace gv
