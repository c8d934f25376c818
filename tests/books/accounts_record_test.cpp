// Accounts.csv: written as Sales.csv is, read back forgivingly, and a payment taken back out
// only while it is the latest entry.

#include "books/accounts_record.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "books/accounts.h"
#include "files.h"
#include "scratch_folder.h"

namespace gv {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

const std::string kBom = "\xEF\xBB\xBF";
const std::string kHeader = "Time,Kind,Bidder,Item,Sale time,Amount,Reason\r\n";

AccountEntry Payment(std::string time, std::string bidder, std::string amount) {
    return {std::move(time), EntryKind::Payment, std::move(bidder), "", "", std::move(amount), ""};
}

TEST(AccountsRecordFile, WrittenAsSpreadsheetsReadItAndReadBackTheSame) {
    testing::ScratchFolder folder;
    AccountsRecord record(folder.path() / "Accounts.csv");
    const AccountEntry paid = Payment("2026-12-09 21:00:00", "=Bo", "500");
    const AccountEntry corrected{"2026-12-09 21:01:00", EntryKind::Correction, "Ann",
                                 "Vase, \"blue\"",      "2026-12-02 20:15:00", "",
                                 "typo, sorry"};
    ASSERT_TRUE(record.Add(paid).ok);
    ASSERT_TRUE(record.Add(corrected).ok);
    EXPECT_EQ(ReadFile(record.Path()), kBom + kHeader + "2026-12-09 21:00:00,Payment,'=Bo,,,500,\r\n" +
                                           "2026-12-09 21:01:00,Correction,Ann,\"Vase, \"\"blue\"\"\"," +
                                           "2026-12-02 20:15:00,,\"typo, sorry\"\r\n");
    const CsvRows<AccountEntry> read = record.Read();
    EXPECT_EQ(read.rows, (std::vector<AccountEntry>{paid, corrected}));
    EXPECT_TRUE(read.unread.empty());
}

// Each row needs what its kind needs; the others still count.
TEST(AccountsRecordFile, RowsWithoutWhatTheirKindNeedsAreNamed) {
    const CsvRows<AccountEntry> read =
        ReadAccounts(kHeader +
                     "2026-12-09 21:00:00,payment,Ben,,,'500\r\n"        // 2: counts
                     "2026-12-09 21:01:00,Payment,Ben,,,\"1,200\",\r\n"  // 3: a thousands comma
                     "2026-12-09 21:02:00,Payment,,,,50,\r\n"            // 4: nobody paid
                     "2026-12-09 21:03:00,Correction,Ann,Lamp,2026-12-02 20:05:00,,\r\n"      // 5: no reason
                     "2026-12-09 21:04:00,Pass to runner-up,Cy,Lamp,2026-12-02 20:05:00\r\n"  // 6: no price
                     "2026-12-09 21:05:00,Refund,Ben,,,5,\r\n"                           // 7: no such kind
                     "2026-12-09 21:06:00,Write-off,Ben,Lamp,2026-12-02 20:05:00\r\n");  // 8: counts
    EXPECT_EQ(read.lines, (std::vector<std::size_t>{2, 8}));
    EXPECT_EQ(read.unread, (std::vector<std::size_t>{3, 4, 5, 6, 7}));
}

TEST(AccountsRecordFile, APaymentIsUndoneOnlyWhileItIsTheLatestEntry) {
    testing::ScratchFolder folder;
    AccountsRecord record(folder.path() / "Accounts.csv");
    const AccountEntry first = Payment("2026-12-09 21:00:00", "Ben", "300");
    const AccountEntry second = Payment("2026-12-09 21:01:00", "Ben", "200");
    ASSERT_TRUE(record.Add(first).ok);
    ASSERT_TRUE(record.Add(second).ok);
    EXPECT_EQ(record.UndoPayment(first).outcome, RowRemoval::Outcome::NotThere);
    EXPECT_EQ(record.UndoPayment(second).outcome, RowRemoval::Outcome::Removed);
    EXPECT_EQ(ReadFile(record.Path()), kBom + kHeader + "2026-12-09 21:00:00,Payment,Ben,,,300,\r\n");

    const CsvRows<SaleRow> sales = ReadSales("2026-12-02 20:00:00,Oak chest,500,700,Ben,650,Cy,4\r\n");
    const AccountBook book(CsvRows<SaleRow>(sales), record.Read());
    EXPECT_EQ(book.Find("Ben")->owed, 400);

    // Only a payment is undone, and only by kind: the write-off is the latest entry here.
    const AccountEntry writeOff{
        "2026-12-09 21:02:00", EntryKind::WriteOff, "Ben", "Oak chest", "2026-12-02 20:00:00", "700", ""};
    ASSERT_TRUE(record.Add(writeOff).ok);
    EXPECT_EQ(record.UndoPayment(writeOff).outcome, RowRemoval::Outcome::NotThere);
}

// A file cut inside a quoted reason, with no line end: the entries added after it count, and
// the cut line stays as it was, not read.
TEST(AccountsRecordFile, EntriesAddedAfterALineCutInsideAQuoteCount) {
    testing::ScratchFolder folder;
    const std::string torn = kBom + kHeader + "2026-12-09 21:00:00,Payment,Ben,,,300,\r\n" +
                             "2026-12-09 21:01:00,Correction,Ann,Lamp,2026-12-02 20:05:00,,\"typo, so";
    folder.Write("Accounts.csv", torn);
    AccountsRecord record(folder.path() / "Accounts.csv");
    const AccountEntry paid = Payment("2026-12-09 21:02:00", "Ann, the elder", "5");
    const AccountEntry corrected{
        "2026-12-09 21:03:00", EntryKind::Correction, "Ann", "Vase", "2026-12-02 20:15:00", "",
        "\"wrong\" winner"};
    ASSERT_TRUE(record.Add(paid).ok);
    ASSERT_TRUE(record.Add(corrected).ok);
    EXPECT_EQ(ReadFile(record.Path()).substr(0, torn.size()), torn);
    const CsvRows<AccountEntry> read = record.Read();
    EXPECT_EQ(read.rows,
              (std::vector<AccountEntry>{Payment("2026-12-09 21:00:00", "Ben", "300"), paid, corrected}));
    EXPECT_EQ(read.unread, std::vector<std::size_t>{3});
}

TEST(AccountsRecordFile, AnEntryThatCannotBeWrittenCountsAndWaitsForTheNext) {
    testing::ScratchFolder folder;
    AccountsRecord record(folder.path() / "later" / "Accounts.csv");  // no such folder yet
    const AccountEntry first = Payment("2026-12-09 21:00:00", "Ben", "300");
    EXPECT_FALSE(record.Add(first).ok);
    EXPECT_EQ(record.Pending(), 1u);
    EXPECT_EQ(record.Read().rows, (std::vector<AccountEntry>{first}));

    fs::create_directory(folder.path() / "later");
    ASSERT_TRUE(record.Add(Payment("2026-12-09 21:01:00", "Ann", "5")).ok);
    EXPECT_EQ(record.Pending(), 0u);
    EXPECT_EQ(ReadFile(record.Path()), kBom + kHeader + "2026-12-09 21:00:00,Payment,Ben,,,300,\r\n" +
                                           "2026-12-09 21:01:00,Payment,Ann,,,5,\r\n");
}

}  // namespace
}  // namespace gv
