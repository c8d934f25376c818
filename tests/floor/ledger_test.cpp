// The accounts as the host keeps them: each entry one row of Accounts.csv and one event of the
// evening's log, told to whoever shows the accounts; a payment taken back while it is the
// latest; a row the file cannot take named in the title until it is written; and the debts of
// earlier evenings that Get Bids names beside a bidder's verdicts.

#include "books/ledger.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "books/book_worker.h"
#include "fakes.h"
#include "files.h"
#include "floor/floor.h"
#include "floor/sales_to_books.h"
#include "floor/trouble_board.h"
#include "patience.h"
#include "scratch_folder.h"

namespace gv {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

constexpr const char* kNow = "2026-12-09 21:00:00";

class LedgerTest : public ::testing::Test, protected testing::FloorRig {
protected:
    LedgerTest() {
        testing::WriteFile(folder.path() / "Sales.csv",
                           "2026-12-02 20:00:00,Oak chest,500,700,Ben,650,Cy,4\r\n"
                           "2026-12-09 20:10:00,Lamp,50,120,Ann,110,Ben,3\r\n");
        ledger.SetClock([] { return std::string(kNow); });
        floor.SetCapturePath(folder.path() / "TALLY.TXT");
        floor.SetEveningLog(&log);
        floor.SetDebts(&ledger);
        ledger.SetListAgain([this](const SaleRow& sale) { floor.ListAgain(sale); });
        board.HearBooks(ledger.Events());
        told.subscription = floor.Events().Subscribe(told);
        told.booksSubscription = ledger.Events().Subscribe(told);
    }

    std::size_t Sale(const std::string& item) {
        const AccountBook& book = ledger.Book();
        for (std::size_t s = 0; s < book.Sales().size(); ++s)
            if (book.SaleRows()[book.Sales()[s].row].item == item) return s;
        return HistoryLine::kNoSale;
    }
    // The evening's log's events, without their times, that begin with `lead`.
    Lines Logged(const std::string& lead) const {
        Lines logged;
        std::istringstream text(testing::ReadFile(folder.path() / "Gavelton log 2026-12-09.txt"));
        for (std::string line; std::getline(text, line);) {
            const std::string event = line.substr(line.find(' ') + 1, line.size() - line.find(' ') - 2);
            if (event.starts_with(lead)) logged.push_back(event);
        }
        return logged;
    }
    double Owed(std::string_view bidder) {
        const Account* account = ledger.Book().Find(bidder);
        return account == nullptr ? -1 : account->owed;
    }
    std::string AccountsFile() const { return testing::ReadFile(folder.path() / "Accounts.csv"); }

    struct Told final : FloorListener, BooksListener {
        void AccountsChanged() override { ++changes; }
        void ItemsChanged() override { ++itemChanges; }
        int changes = 0;
        int itemChanges = 0;
        FloorEvents::Subscription subscription;
        BooksEvents::Subscription booksSubscription;
    };

    testing::ScratchFolder folder;
    EveningLog log{folder.path(), [] { return std::string(kNow); }};
    SalesRecord sales{folder.path() / "Sales.csv"};
    AccountsRecord accounts{folder.path() / "Accounts.csv"};
    Ledger ledger{sales, accounts, log};
    SalesToBooks salesToBooks{floor.Events(), ledger};
    TroubleBoard board{log, floor.Events()};
    Told told;
};

TEST_F(LedgerTest, AnEntryIsWrittenLoggedAndToldAndTheLatestPaymentCanBeTakenBack) {
    const EntryOutcome refused =
        ledger.Record(PaymentEntry(ledger.Book(), "Ben", "1,200", HistoryLine::kNoSale, kNow));
    EXPECT_FALSE(refused.recorded);
    EXPECT_FALSE(refused.refusal.empty());
    EXPECT_FALSE(fs::exists(folder.path() / "Accounts.csv"));
    EXPECT_EQ(told.changes, 0);

    EXPECT_TRUE(ledger.Record(PaymentEntry(ledger.Book(), "Ben", "500", Sale("Oak chest"), kNow)).recorded);
    EXPECT_EQ(told.changes, 1);
    EXPECT_NE(
        AccountsFile().find("\r\n2026-12-09 21:00:00,Payment,Ben,Oak chest,2026-12-02 20:00:00,500,\r\n"),
        std::string::npos)
        << AccountsFile();
    EXPECT_EQ(Owed("Ben"), 200);  // read afresh, not kept from before
    EXPECT_EQ(Logged("Payment"), (Lines{"Payment recorded: Ben paid 500 for Oak chest (sold 2026-12-02 "
                                        "20:00:00); recorded in Accounts.csv"}));

    ASSERT_NE(ledger.LatestPayment(), nullptr);
    EXPECT_EQ(ledger.UndoLatestPayment(), "");
    EXPECT_EQ(Owed("Ben"), 700);
    EXPECT_EQ(AccountsFile().find("Payment"), std::string::npos);
    EXPECT_EQ(Logged("Payment taken back"),
              (Lines{"Payment taken back: Ben 500 for Oak chest (sold 2026-12-02 20:00:00)"}));

    // Once another entry follows a payment, the payment stays.
    ledger.Record(PaymentEntry(ledger.Book(), "Ann", "120", HistoryLine::kNoSale, kNow));
    ledger.Record(PassEntry(ledger.Book(), Sale("Oak chest"), "", kNow));
    EXPECT_EQ(ledger.LatestPayment(), nullptr);
    EXPECT_NE(ledger.UndoLatestPayment(), "");
    EXPECT_EQ(Owed("Ann"), 0);
    EXPECT_EQ(Owed("Cy"), 650);
    EXPECT_EQ(Owed("Ben"), 0);
}

TEST_F(LedgerTest, ARowTheFileCannotTakeWaitsInTheTitleUntilItIsWritten) {
    fs::create_directory(folder.path() / "Accounts.csv");
    EXPECT_TRUE(
        ledger.Record(PaymentEntry(ledger.Book(), "Ben", "100", HistoryLine::kNoSale, kNow)).recorded);
    EXPECT_EQ(board.Text(TroubleBoard::Trouble::Accounts).rfind("Accounts.csv not written: ", 0), 0u)
        << board.Title();
    EXPECT_TRUE(board.Amber());
    EXPECT_EQ(ledger.Pending(), 1u);
    EXPECT_EQ(ledger.Book().Find("Ben")->paid, 100);  // the waiting row counts meanwhile
    fs::remove(folder.path() / "Accounts.csv");
    EXPECT_TRUE(ledger.Flush().ok);
    EXPECT_EQ(board.Text(TroubleBoard::Trouble::Accounts), "");
    EXPECT_NE(AccountsFile().find(",Payment,Ben,,,100,"), std::string::npos);
}

TEST_F(LedgerTest, AWriteOffMayPutTheItemBackAtTheEndOfTheList) {
    items.Append("Rug - 10");
    ledger.Record(WriteOffEntry(ledger.Book(), Sale("Lamp"), "Ann left", kNow));  // stays off the list
    EXPECT_EQ(items.Count(), 1u);
    ledger.WriteOff(WriteOffEntry(ledger.Book(), Sale("Oak chest"), "", kNow), true);
    EXPECT_EQ(items.Entries(), (Lines{"Rug - 10", "Oak chest - 500"}));
    EXPECT_EQ(told.itemChanges, 1);
    EXPECT_EQ(Owed("Ben"), 0);
}

TEST_F(LedgerTest, ABidderOwingFromAnEarlierEveningIsNamedBesideTheVerdictAndLoggedOncePerAuction) {
    tiers.Row(0) = {"0", "9999999", "10"};
    items.Append("Vase - 50");
    floor.AuctionCommand();
    link.fetches = {{testing::Chat({"Host: Item on the Block currently is Vase", "ESP from Ben: 60",
                                    "ESP from Ann: 70", "ESP from Ben: 65", "ESP from Ben: 90"})}};
    floor.SetKeepJudgements(true);
    floor.GetBids();
    Lines verdicts;
    for (const Judgement& row : floor.Judgements().rows)
        if (row.kind == RowKind::Esp) verdicts.push_back(row.speaker + ": " + VerdictText(row));
    // Ann owes for this evening's Lamp only: that is no debt from an earlier evening.
    EXPECT_EQ(verdicts, (Lines{"Ben: taken (now the current bid); owes 700 from 2026-12-02",
                               "Ann: taken (now the current bid)",
                               "Ben: refused, not above the standing 70; owes 700 from 2026-12-02",
                               "Ben: taken (now the current bid); owes 700 from 2026-12-02"}));
    EXPECT_EQ(block.currentBid, "90");  // the verdicts themselves are the host's to weigh
    EXPECT_EQ(Logged("Bidder owing"), (Lines{"Bidder owing from an earlier evening: Ben owes 700 from "
                                             "2026-12-02, bid at line 2 in the auction of Vase"}));
    // The evening's own record of the bids stays as it was.
    EXPECT_EQ(Logged("Bid judged: Line 2").front(),
              "Bid judged: Line 2, Ben: 60, taken (now the current bid)");

    // A payment changes the debt at once; a warning counted from more days than it is old, none.
    ledger.Record(PaymentEntry(ledger.Book(), "Ben", "300", HistoryLine::kNoSale, kNow));
    EXPECT_EQ(ledger.FromEarlierEvenings().at("Ben"), "owes 400 from 2026-12-02");
    ledger.SetWarnOwedFrom(8);
    EXPECT_TRUE(ledger.FromEarlierEvenings().empty());
    ledger.SetWarnOwedFrom(0);
    link.fetches = {{testing::Chat({"Host: Item on the Block currently is Vase", "ESP from Ben: 60"})}};
    floor.GetBids();
    ASSERT_EQ(floor.Judgements().rows.back().speaker, "Ben");
    for (const Judgement& row : floor.Judgements().rows) EXPECT_EQ(row.owed, "") << row.speaker;
}

// The window's thread computes the same book the ledger would, from the texts taken when asked;
// a book of texts that changed since is not kept.
TEST_F(LedgerTest, ABookComputedOnTheWorkersThreadIsTheLedgersOwnUnlessTheRecordsChangedSince) {
    std::mutex mutex;
    std::condition_variable wake;
    int done = 0;
    BookWorker worker([&] {
        const std::lock_guard lock(mutex);
        ++done;
        wake.notify_one();
    });
    const auto computed = [&](int count) {
        std::unique_lock lock(mutex);
        return wake.wait_for(lock, testing::kPatience, [&] { return done >= count; });
    };
    worker.Compute(ledger.Texts());
    EXPECT_TRUE(worker.Busy());
    ASSERT_TRUE(computed(1));
    std::optional<BookWorker::Computed> book = worker.Take();
    ASSERT_TRUE(book);
    EXPECT_FALSE(worker.Busy());
    EXPECT_EQ(book->book.Find("Ben")->owed, 700);
    EXPECT_TRUE(ledger.Adopt(std::move(book->book), book->change));

    worker.Compute(ledger.Texts());
    ledger.Record(PaymentEntry(ledger.Book(), "Ben", "100", HistoryLine::kNoSale, kNow));
    ASSERT_TRUE(computed(2));
    book = worker.Take();
    ASSERT_TRUE(book);
    EXPECT_FALSE(ledger.Adopt(std::move(book->book), book->change));
    EXPECT_EQ(Owed("Ben"), 600);  // the ledger's own, read after the payment
}

}  // namespace
}  // namespace gv
