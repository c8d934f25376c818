// The floor log: each judgement of Get Bids with its reason, recorded without a window.

#include "floor/judgement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chat_text.h"
#include "fakes.h"
#include "floor/intake.h"
#include "intake_fixture.h"

namespace gv {
namespace {

using testing::Chat;
using Lines = std::vector<std::string>;

// Each row as "line|who|message|amount|verdict|".
Lines Rows(const std::vector<Judgement>& rows) {
    Lines out;
    for (const Judgement& row : rows) {
        std::string text = RowTabText(row);
        for (char& c : text)
            if (c == '\t') c = '|';
        out.push_back(text);
    }
    return out;
}

class JudgementTest : public IntakeTest {
protected:
    Lines Judge(const Lines& chat) {
        rows.clear();
        TakeBids(Chat(chat), block, tiers, {}, {}, &rows);
        return Rows(rows);
    }
    std::vector<Judgement> rows;
};

TEST_F(JudgementTest, EveryVerdictWithTheFiguresTheRulesUsed) {
    const Lines chat = {
        "Ann: 550",
        "ESP from Ann: 520",
        kMarkerLine,
        "ESP from Ann: 0450",
        "ESP from Ann: 0500 tokens",
        "ESP from Ben: 505",
        "ESP from Ben: 510",
        "ESP from Cy: 510",
        "ESP from Cy: 1000",
        "ESP from Dee: 1050",
        "esp from Eve: 5000",
        "ESP from Fay: 1,500",
        "ESP from Gus six hundred",
        "ESP from Hal: six hundred",
        "ESP from Ida: 0",
        "ESP from Jo: -20",
        "ESP from Kit: 1E999",
        "ESP from Lu: 1 100",
    };
    EXPECT_EQ(Judge(chat),
              (Lines{
                  "||||1 ESP line before the start, not judged|",
                  "3|Host|Item on the Block currently is Oak chest||the auction of Oak chest started|",
                  "4|Ann|0450|450|refused, below the minimum 500|",
                  "5|Ann|0500 tokens|500|taken (now the current bid)|",
                  "6|Ben|505|505|refused, 5 over the standing bid, the raise for 505 is 10|",
                  "7|Ben|510|510|taken (now the current bid)|",
                  "8|Cy|510|510|refused, not above the standing 510|",
                  "9|Cy|1000|1000|taken (now the current bid)|",
                  "10|Dee|1050|1050|refused, 50 over the standing bid, the raise for 1050 is 100|",
                  "12|Fay|1,500|1|refused, not above the standing 1000|",
                  "13||Gus six hundred||not a bid, no colon after the name|",
                  "14|Hal|six hundred||passed over, no number in front|",
                  "15|Ida|0|0|passed over, not above 0|",
                  "16|Jo|-20|-20|passed over, not above 0|",
                  "17|Kit|1E999||passed over, a number beyond range|",
                  "18|Lu|1 100|1100|taken (now the current bid)|",
              }));
    ExpectBids("1100", "Lu", "1000", "Cy");
}

TEST_F(JudgementTest, WhereTheAuctionStartedAndWhatEndedAnEarlierOne) {
    const Lines chat = {
        kMarkerLine,
        "ESP from Ann: 600",
        "Host: Oak chest is sold for 600 tokens to Ann",
        "ESP from Ben: 700",
        "Cy: Item on the Block currently is Oak chest",
        "ESP from Dee: 800",
    };
    EXPECT_EQ(Judge(chat),
              (Lines{
                  "3|Host|Oak chest is sold for 600 tokens to Ann||ended an earlier auction|",
                  "||||2 ESP lines before the start, not judged|",
                  "5|Cy|Item on the Block currently is Oak chest||the auction of Oak chest started|",
                  "6|Dee|800|800|taken (now the current bid)|",
              }));

    // Ended and never started again: the log says no bid counts, rather than look empty.
    EXPECT_EQ(Judge({kMarkerLine, "ESP from Ann: 600", "Host: Item on the Block currently is Lamp"}),
              (Lines{"3|Host|Item on the Block currently is Lamp||ended an earlier auction|",
                     "||||1 ESP line before the start, not judged|",
                     "||||no start of the auction of Oak chest in the chat: no bid counts|"}));
}

TEST_F(JudgementTest, RecordingChangesNothingTheIntakeDecides) {
    for (const int repeatEvery : {0, 3}) {
        const testing::ChatText chat = testing::MakeChat({.bytes = 64 << 10, .repeatEvery = repeatEvery});
        BlockState plain = block;
        int plainYields = 0, recordedYields = 0;
        TakeBids(chat.text, plain, tiers, [&] { ++plainYields; });
        BlockState recorded = block;
        TakeBids(
            chat.text, recorded, tiers, [&] { ++recordedYields; }, {}, &rows);
        EXPECT_EQ(recorded.currentBid, plain.currentBid);
        EXPECT_EQ(recorded.currentBidder, plain.currentBidder);
        EXPECT_EQ(recorded.lastBid, plain.lastBid);
        EXPECT_EQ(recorded.bidsTaken, plain.bidsTaken);
        EXPECT_EQ(recordedYields, plainYields);
        const auto taken = std::count_if(rows.begin(), rows.end(), [](const Judgement& r) {
            return r.kind == RowKind::Esp && r.verdict == Verdict::Taken;
        });
        EXPECT_EQ(taken, plain.bidsTaken);
        rows.clear();
    }
}

// The host's last call before each bid, read from the chat: only the host's own call lines after
// the start count, and the call never changes which bid is taken.
TEST_F(JudgementTest, EachBidSaysWhichOfTheHostsCallsItCameAfter) {
    const Lines chat = {
        "Host: 3RD CALL",  // the earlier auction's
        kMarkerLine,         "ESP from Ann: 500",  "Host: 1ST CALL",
        "Ben: 2ND CALL",  // a bidder joking counts for nothing
        "ESP from Ben: 510", "Host:   2ND CALL  ", "Host: 2ND CALL for real", "ESP from Cy: 520",
        "Host: 3RD CALL",    "ESP from Dee: 530",  "ESP from Eve: 531",
    };
    EXPECT_EQ(Judge(chat),
              (Lines{
                  "2|Host|Item on the Block currently is Oak chest||the auction of Oak chest started|",
                  "3|Ann|500|500|taken (now the current bid)|",
                  "6|Ben|510|510|taken (now the current bid)|after the 1st call",
                  "9|Cy|520|520|taken (now the current bid)|after the 2nd call",
                  "11|Dee|530|530|taken (now the current bid)|after the 3rd call",
                  "12|Eve|531|531|refused, 1 over the standing bid, the raise for 531 is 10|"
                  "after the 3rd call",
              }));
    EXPECT_EQ(block.currentBid, "530");
    EXPECT_EQ(RowSentence(rows[4]), "Line 11, Dee: 530, after the 3rd call, taken (now the current bid)");
}

TEST(JudgementText, ClipboardFieldsAndSentences) {
    Judgement row;
    row.line = 7;
    row.speaker = "Ben";
    row.message = "505\tplease\nnow";
    row.verdict = Verdict::RaiseTooSmall;
    row.amount = 505;
    row.standing = 500;
    row.raise = 10;
    // A tab or line end inside the chat's text would split the pasted row.
    EXPECT_EQ(RowTabText(row),
              "7\tBen\t505 please now\t505\trefused, 5 over the standing bid, the raise for 505 is 10\t");
    EXPECT_EQ(RowSentence(row),
              "Line 7, Ben: 505\tplease\nnow, refused, 5 over the standing bid, the raise for 505 is 10");

    for (const char* yes : {"12", " 1 2", "-5", "+.5", ".5", "&H1F", "&o7"})
        EXPECT_TRUE(NumberInFront(yes)) << yes;
    for (const char* no : {"", "six", "&H", "&O9", "-", ".", "k5"}) EXPECT_FALSE(NumberInFront(no)) << no;
}

class JudgementFloorLogTest : public ::testing::Test, protected testing::FloorRig {
protected:
    JudgementFloorLogTest() {
        floor.SetCapturePath(::testing::TempDir() + "gv_floor_log_capture.txt");
        spy.onJudgements = [this] { ++told; };
        items.Append("Oak chest - 500");
        items.Append("Lamp - 10");
        floor.AuctionCommand();
        told = 0;
    }
    int told = 0;
};

TEST_F(JudgementFloorLogTest, KeptOnlyWhenAskedAndStartedAfreshForEachItem) {
    link.fetches = {{Chat({kMarkerLine, "ESP from Ann: 600"})}};
    floor.GetBids();
    EXPECT_FALSE(floor.Judgements().judged);
    EXPECT_TRUE(floor.Judgements().rows.empty());
    EXPECT_EQ(LogSummary(floor.Judgements()), "Oak chest: no Get Bids judged yet");
    EXPECT_EQ(block.currentBid, "600");

    floor.SetKeepJudgements(true);
    told = 0;
    link.fetches = {{Chat({kMarkerLine, "ESP from Ann: 600", "ESP from Ben: 700"})}};
    floor.GetBids();
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(floor.Judgements().judged);
    EXPECT_EQ(floor.Judgements().item, "Oak chest");
    ASSERT_EQ(floor.Judgements().rows.size(), 3u);
    EXPECT_EQ(VerdictText(floor.Judgements().rows[1]), "refused, not above the standing 600");
    EXPECT_EQ(LogSummary(floor.Judgements()), "Oak chest: 2 ESP lines judged, 1 taken");

    floor.Sold();
    EXPECT_EQ(told, 2);
    EXPECT_EQ(VerdictText(floor.Judgements().rows.back()), "sold for 700 to Ben");

    floor.GetNextItem();
    EXPECT_EQ(told, 3);
    EXPECT_FALSE(floor.Judgements().judged);
    EXPECT_TRUE(floor.Judgements().rows.empty());
    EXPECT_EQ(floor.Judgements().item, "Lamp");
    floor.AuctionCommand();
    EXPECT_EQ(told, 4);
}

TEST_F(JudgementFloorLogTest, AFetchThatFailedIsARowOfItsOwn) {
    floor.SetKeepJudgements(true);
    link.fetches.assign(5, ChatFetch{"", LinkFault::NotAnswering});
    floor.GetBids();
    ASSERT_EQ(floor.Judgements().rows.size(), 1u);
    EXPECT_EQ(RowTabText(floor.Judgements().rows[0]),
              "\t\t\t\tchat client not answering: bids not fetched\t");
    EXPECT_EQ(LogSummary(floor.Judgements()), "Oak chest: chat client not answering: bids not fetched");
    EXPECT_EQ(told, 1);
}

}  // namespace
}  // namespace gv
