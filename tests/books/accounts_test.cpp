// Who owes what, computed from the two histories: payments, passes to the runner-up,
// write-offs and corrections; the views, the statement line, the debt warning, and the amounts
// a host types.

#include "books/accounts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text.h"

namespace gv {
namespace {

constexpr std::size_t kNoSale = HistoryLine::kNoSale;
constexpr std::size_t kOakChest = 0, kLamp = 1, kRug = 2;  // the sales with a winner, in order

const std::string kSales =
    "2026-12-02 20:00:00,Oak chest,500,700,Ben,650,Cy,4\r\n"
    "2026-12-09 20:10:00,Lamp,50,120,Ben,110,Ann,3\r\n"
    "2026-12-09 20:20:00,Rug,10,80,Ann,,,1\r\n"
    "2026-12-09 20:30:00,Vase,5,,,,,0\r\n";
const std::string kLater = "2026-12-09 21:00:00";

class AccountsTest : public ::testing::Test {
protected:
    AccountBook Book() const { return AccountBook(ReadSales(sales), ReadAccounts(entries)); }
    // As the window records an entry: written, then read back with the rest.
    void Record(const EntryRequest& request) {
        ASSERT_TRUE(request.entry) << request.refusal;
        entries += CsvRow(*request.entry) + "\r\n";
    }
    std::vector<std::string> Notes(const AccountBook& book, std::string_view bidder) const {
        std::vector<std::string> notes;
        for (const HistoryLine& line : book.History(bidder))
            notes.push_back(line.time + " " + line.item + " " +
                            (line.amount ? NumberText(*line.amount) : "-") +
                            (line.note.empty() ? "" : " " + line.note));
        return notes;
    }

    std::string sales = kSales;
    std::string entries;
};

TEST_F(AccountsTest, PaymentsInPartLowerWhatIsOwedFromTheOldestEveningOn) {
    Record(PaymentEntry(Book(), "Ben", "500", kNoSale, kLater));
    AccountBook book = Book();
    const Account* ben = book.Find("Ben");
    ASSERT_NE(ben, nullptr);
    EXPECT_EQ(ben->itemsWon, 2);
    EXPECT_EQ(ben->total, 820);
    EXPECT_EQ(ben->paid, 500);
    EXPECT_EQ(ben->owed, 320);
    EXPECT_EQ(ben->owedSince, "2026-12-02");
    EXPECT_EQ(book.Statement("Ben"), "Ben: Oak chest 700, Lamp 120; paid 500; owes 320");

    // Against the newer sale: the older one is still what is owed.
    Record(PaymentEntry(book, "Ben", "120", kLamp, "2026-12-09 21:05:00"));
    book = Book();
    EXPECT_EQ(book.Find("Ben")->owed, 200);
    EXPECT_EQ(book.Find("Ben")->owedSince, "2026-12-02");
    EXPECT_EQ(book.Statement("Ben"), "Ben: Oak chest 700; paid 500; owes 200");

    Record(PaymentEntry(book, "Ben", "250", kNoSale, "2026-12-09 21:10:00"));
    book = Book();
    EXPECT_EQ(book.Find("Ben")->owed, -50);
    EXPECT_EQ(book.Find("Ben")->owedSince, "");
    EXPECT_EQ(book.Statement("Ben"), "Ben: nothing owed; credit 50");
    EXPECT_EQ(PaymentEntry(book, "Ben", "5", kRug, kLater).refusal, "That sale is not Ben's to pay.");
}

TEST_F(AccountsTest, APassGoesToTheRunnerUpAtTheirBidOrATypedPriceAndBothKeepIt) {
    Record(PassEntry(Book(), kOakChest, "", kLater));
    AccountBook book = Book();
    EXPECT_EQ(book.Find("Ben")->total, 120);
    EXPECT_EQ(book.Find("Cy")->owed, 650);
    EXPECT_EQ(book.Find("Cy")->owedSince, "2026-12-02");
    EXPECT_EQ(Notes(book, "Ben"),
              (std::vector<std::string>{"2026-12-02 20:00:00 Oak chest 700", "2026-12-09 20:10:00 Lamp 120",
                                        "2026-12-09 21:00:00 Oak chest 650 passed to Cy"}));
    EXPECT_EQ(Notes(book, "Cy"),
              (std::vector<std::string>{"2026-12-09 21:00:00 Oak chest 650 passed from Ben"}));
    EXPECT_EQ(PassEntry(book, kOakChest, "", kLater).refusal, "Cy pays for this sale already.");
    EXPECT_EQ(PassEntry(book, kRug, "", kLater).refusal, "This sale had no runner-up.");
    // A row written before the runner-up was kept apart names the winner who raised her own bid.
    sales += "2026-12-09 20:40:00,Jug,5,45,Dee,30,Dee,4\r\n";
    EXPECT_EQ(
        PassEntry(Book(), 3, "", kLater).refusal,
        "Sales.csv names no other bidder as this sale's runner-up: correct the sale to give it to another "
        "bidder.");
    EXPECT_EQ(PassEntry(book, kLamp, "1,200", kLater).refusal,
              "Not an amount: \"1,200\". Type the number alone, without separators: 1200, not 1,200.");

    Record(PassEntry(book, kLamp, "100", kLater));
    book = Book();
    EXPECT_EQ(book.Find("Ann")->owed, 180);
    EXPECT_EQ(book.Find("Ben")->owed, 0);
    EXPECT_EQ(book.Find("Ben")->itemsWon, 0);
}

TEST_F(AccountsTest, AWriteOffCostsNobodyAndACorrectionNeedsAReason) {
    Record(WriteOffEntry(Book(), kRug, "left the world", kLater));
    AccountBook book = Book();
    EXPECT_EQ(book.Find("Ann")->owed, 0);
    EXPECT_EQ(book.Find("Ann")->itemsWon, 0);
    EXPECT_EQ(Notes(book, "Ann").back(), "2026-12-09 21:00:00 Rug 80 written off (left the world)");
    EXPECT_EQ(CorrectionEntry(book, kRug, "Dee", "", "typo", kLater).refusal, "This sale was written off.");

    EXPECT_EQ(CorrectionEntry(book, kLamp, "Dee", "100", " ", kLater).refusal,
              "Type the reason for the correction.");
    EXPECT_EQ(CorrectionEntry(book, kLamp, "Ben", "120", "typo", kLater).refusal,
              "Change the winner or the price.");
    Record(CorrectionEntry(book, kLamp, "Dee", "100", "typo", "2026-12-09 21:05:00"));
    book = Book();
    EXPECT_EQ(book.Find("Dee")->owed, 100);
    EXPECT_EQ(book.Find("Ben")->owed, 700);
    EXPECT_EQ(Notes(book, "Ben").back(),
              "2026-12-09 21:05:00 Lamp 100 corrected: winner Ben to Dee, price 120 to 100 (typo)");
}

TEST_F(AccountsTest, ViewsListByWhatIsOwedLargestFirstFilteredByName) {
    const auto names = [](const std::vector<const Account*>& rows) {
        std::vector<std::string> list;
        for (const Account* account : rows) list.push_back(account->bidder);
        return list;
    };
    AccountBook book = Book();
    EXPECT_EQ(names(book.Rows(AccountsView::Owing, "2026-12-09", "")),
              (std::vector<std::string>{"Ben", "Ann"}));
    EXPECT_EQ(names(book.Rows(AccountsView::ThisEvening, "2026-12-02", "")),
              (std::vector<std::string>{"Ben"}));
    EXPECT_EQ(names(book.Rows(AccountsView::Owing, "2026-12-09", "aN")), (std::vector<std::string>{"Ann"}));

    Record(PaymentEntry(book, "Ben", "820", kNoSale, kLater));
    book = Book();
    EXPECT_EQ(names(book.Rows(AccountsView::Owing, "2026-12-09", "")), (std::vector<std::string>{"Ann"}));
    EXPECT_EQ(names(book.Rows(AccountsView::Everyone, "2026-12-09", "")),
              (std::vector<std::string>{"Ann", "Ben"}));
}

TEST_F(AccountsTest, APaymentIsANumberAloneAsBidsAreRead) {
    EXPECT_EQ(ReadTypedAmount("1 200", TypedAmountOf::Payment).amount, 1200);
    EXPECT_EQ(ReadTypedAmount(" 12.5 ", TypedAmountOf::Payment).amount, 12.5);
    for (const char* typed : {"1,200", "", "-5", "0", "500 tokens", "six", "1E999"}) {
        const TypedAmount read = ReadTypedAmount(typed, TypedAmountOf::Payment);
        EXPECT_FALSE(read.amount) << typed;
        EXPECT_FALSE(read.refusal.empty()) << typed;
    }
    EXPECT_EQ(ReadTypedAmount("", TypedAmountOf::Payment).refusal, "Type the amount paid.");
    EXPECT_EQ(ReadTypedAmount("-5", TypedAmountOf::Payment).refusal,
              "Not an amount: \"-5\". A payment must be more than 0.");
    EXPECT_EQ(PaymentEntry(Book(), "Ben", "0", kNoSale, kLater).refusal,
              "Not an amount: \"0\". A payment must be more than 0.");
}

TEST_F(AccountsTest, ADebtFromAnEarlierEveningFollowsTheBidder) {
    AccountBook book = Book();
    EXPECT_EQ(book.DebtWarning("Ben", "2026-12-09", kWarnOwedFromDays), "owes 700 from 2026-12-02");
    EXPECT_EQ(book.DebtWarning("Ann", "2026-12-09", kWarnOwedFromDays), "");  // owes for tonight only
    EXPECT_EQ(book.DebtWarning("Ben", "2026-12-09", 0), "");                  // off
    EXPECT_EQ(book.DebtWarning("Ben", "2026-12-09", 7), "owes 700 from 2026-12-02");
    EXPECT_EQ(book.DebtWarning("Ben", "2026-12-09", 8), "");
    EXPECT_EQ(book.DebtWarning("Zed", "2026-12-09", 1), "");

    Record(PaymentEntry(book, "Ben", "650", kNoSale, kLater));
    EXPECT_EQ(Book().DebtWarning("Ben", "2026-12-09", 1), "owes 50 from 2026-12-02");
}

TEST_F(AccountsTest, RowsThatDoNotCountAreNamedForTheSummary) {
    sales += "a line of garbage\r\n";  // line 5
    entries =
        "2026-12-09 21:00:00,Payment,Ben,,,five,\r\n"
        "2026-12-09 21:01:00,Write-off,Ann,Teapot,2026-12-09 20:40:00,10,\r\n"
        "2026-12-09 21:02:00,Payment,Ben,Teapot,2026-12-09 20:40:00,10,\r\n";
    const AccountBook book = Book();
    EXPECT_EQ(book.UnreadText(),
              "Sales.csv: line 5 not read; Accounts.csv: line 1 not read, line 2 names no sale");
    EXPECT_EQ(book.Find("Ben")->paid, 10);  // money that came in counts all the same
}

}  // namespace
}  // namespace gv
