// Each ESP line keeps the verdict it got the first time Get Bids judged it in its auction, in
// the floor log and in the evening's log alike.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes.h"
#include "files.h"
#include "floor/floor.h"
#include "scratch_folder.h"

namespace gv {
namespace {

using testing::Chat;
using Lines = std::vector<std::string>;

constexpr const char* kStart = "Host: Item on the Block currently is Oak chest";

class FirstVerdictsTest : public ::testing::Test, protected testing::FloorRig {
protected:
    FirstVerdictsTest() {
        floor.SetCapturePath(folder.path() / "TALLY.TXT");
        floor.SetLog(&log);
        tiers.Row(0) = {"0", "9999999", "10"};
        items.Append("Oak chest - 500");
        floor.AuctionCommand();
    }

    void GetBids(const Lines& chat) {
        link.fetches = {{Chat(chat)}};
        floor.GetBids();
    }
    // The ESP rows of the floor log as "line who: verdict".
    Lines Shown() const {
        Lines shown;
        for (const Judgement& row : floor.Judgements().rows)
            if (row.kind == RowKind::Esp)
                shown.push_back(std::to_string(row.line) + " " + row.speaker + ": " + VerdictText(row));
        return shown;
    }
    // The evening's log from its first "Bid judged" on, without the times.
    Lines Logged() const {
        Lines logged;
        const std::string text = testing::ReadFile(folder.path() / "Gavelton log 2026-12-09.txt");
        for (std::size_t at = text.find(' '); at != std::string::npos;) {
            const std::size_t end = text.find("\r\n", at);
            const std::string event = text.substr(at + 1, end - at - 1);
            if (event.starts_with("Auction of") || event.starts_with("Bid judged")) logged.push_back(event);
            at = text.find(' ', end);
        }
        return logged;
    }
    Lines Sentences() const {
        Lines sentences;
        for (const Judgement& row : floor.Judgements().rows)
            if (row.kind == RowKind::Esp) sentences.push_back("Bid judged: " + RowSentence(row));
        return sentences;
    }

    testing::ScratchFolder folder;
    EveningLog log{folder.path(), [] { return std::string("2026-12-09 20:15:00"); }};
};

TEST_F(FirstVerdictsTest, LinesJudgedBeforeKeepTheirVerdictAndNewLinesGetTheirs) {
    const Lines first = {kStart, "ESP from Ann: 600", "ESP from Ben: 605", "ESP from Ben: 700"};
    GetBids(first);
    Lines second = first;
    for (const char* line : {"Ann: nice chest", "ESP from Cy: 650", "ESP from Cy: 800"})
        second.push_back(line);
    GetBids(second);
    EXPECT_EQ(block.currentBid, "800");
    EXPECT_EQ(Shown(),
              (Lines{"2 Ann: taken (now the current bid)",
                     "3 Ben: refused, 5 over the standing bid, the raise for 605 is 10",
                     "4 Ben: taken (now the current bid)", "6 Cy: refused, not above the standing 700",
                     "7 Cy: taken (now the current bid)"}));
    EXPECT_EQ(LogSummary(floor.Judgements()), "Oak chest: 5 ESP lines judged, 3 taken");
    // The evening's log holds each line once, as the window shows it.
    Lines logged = {"Auction of Oak chest started by Host at line 1 of the chat"};
    for (const std::string& sentence : Sentences()) logged.push_back(sentence);
    EXPECT_EQ(Logged(), logged);
}

TEST_F(FirstVerdictsTest, AnotherStartOrRowsThatNoLongerPairStartAfresh) {
    GetBids({kStart, "ESP from Ann: 600", "ESP from Ben: 700"});
    // A line of the auction is not what it was: pairing on would give it another line's verdict.
    GetBids({kStart, "ESP from Ann: 600", "ESP from Cy: 710"});
    EXPECT_EQ(Shown(),
              (Lines{"2 Ann: refused, not above the standing 700", "3 Cy: taken (now the current bid)"}));
    // The scroll-back drops the oldest line: every number moves, and the auction is judged afresh.
    GetBids({"Ann: hello", kStart, "ESP from Ann: 600", "ESP from Cy: 710", "ESP from Ben: 720"});
    GetBids({kStart, "ESP from Ann: 600", "ESP from Cy: 710", "ESP from Ben: 720", "ESP from Cy: 900"});
    EXPECT_EQ(
        Shown(),
        (Lines{"2 Ann: refused, not above the standing 720", "3 Cy: refused, not above the standing 720",
               "4 Ben: refused, not above the standing 720", "5 Cy: taken (now the current bid)"}));
    const Lines logged = Logged();
    ASSERT_GE(logged.size(), 5u);
    EXPECT_EQ(logged[logged.size() - 5], "Auction of Oak chest started by Host at line 1 of the chat");
    EXPECT_EQ(Lines(logged.end() - 4, logged.end()), Sentences());

    // The item put on the block again (the host back from the list) is the same auction: the
    // lines keep their first verdicts, and the evening's log gets none of them twice.
    const Lines shown = Shown();
    floor.AuctionCommand();
    GetBids({kStart, "ESP from Ann: 600", "ESP from Cy: 710", "ESP from Ben: 720", "ESP from Cy: 900"});
    EXPECT_EQ(Shown(), shown);
    EXPECT_EQ(Logged(), logged);
}

}  // namespace
}  // namespace gv
