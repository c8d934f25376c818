// The floor log window after a Get Bids against the practice world: a row for each line that
// matters, with every kind of verdict, as the window's list shows it.

#include "auction_fixture.h"
#include "ui/caption.h"
#include "ui/floor_log_window.h"

namespace gv::e2e {
namespace {

using Rows = std::vector<std::string>;

class FloorLogAgainstTheWorld : public AuctionTest {
protected:
    void SetUp() override {
        AuctionTest::SetUp();
        WriteTiers(
            {"0", "999", "10", "1000", "9999999", "100", "", "", "", "", "", "", "", "", "", "", "", ""});
        WriteItems({"Oak chest - 500"});
        StartAuction();
        ChooseMenu(0);
        ChooseMenu(5);  // Log
        ASSERT_TRUE(WaitUntil([&] { return frame_->FloorLogView() != nullptr; }));
    }

    // Who, message, amount and verdict of each row (line numbers are the world's to choose).
    Rows Shown() const {
        const ui::FloorLogWindow& log = *frame_->FloorLogView();
        Rows rows;
        for (unsigned row = 0; row < log.RowCount(); ++row) {
            std::string text;
            for (unsigned column = 1; column < 5; ++column) {
                text += log.CellText(row, column).utf8_string();
                if (column < 4) text += '|';
            }
            rows.push_back(text);
        }
        return rows;
    }
};

TEST_F(FloorLogAgainstTheWorld, ShowsEveryJudgementOfTheLastGetBids) {
    Post({"ESP from Ann: 520", "ESP from Ann: 530"});
    Press(Command::StateItem);
    Post({"ESP from Ann: 0450", "ESP from Ann: 0500 tokens", "ESP from Ben: 505", "ESP from Ben: 510",
          "ESP from Cy: 510", "ESP from Cy: 1000", "ESP from Dee: 1050", "ESP from Eve 2000",
          "ESP from Fay: six hundred", "ESP from Gus: 0", "ESP from Hal: 1E999"});
    GetBids();
    const Rows rows = Shown();
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[0], "|||2 ESP lines before the start, not judged");
    EXPECT_NE(rows[1].find("|Item on the Block currently is Oak chest||the auction of Oak chest started"),
              std::string::npos)
        << rows[1];
    const Rows bids(rows.begin() + 2, rows.end());
    EXPECT_EQ(bids, (Rows{
                        "Ann|0450|450|refused, below the minimum 500",
                        "Ann|0500 tokens|500|taken (now the current bid)",
                        "Ben|505|505|refused, 5 over the standing bid, the raise for 505 is 10",
                        "Ben|510|510|taken (now the current bid)",
                        "Cy|510|510|refused, not above the standing 510",
                        "Cy|1000|1000|taken (now the current bid)",
                        "Dee|1050|1050|refused, 50 over the standing bid, the raise for 1050 is 100",
                        "|Eve 2000||not a bid, no colon after the name",
                        "Fay|six hundred||passed over, no number in front",
                        "Gus|0|0|passed over, not above 0",
                        "Hal|1E999||passed over, a number beyond range",
                    }));
    EXPECT_EQ(frame_->FloorLogView()->Summary().GetLabel(), "Oak chest: 11 ESP lines judged, 3 taken");

    // The client gone: the log says the fetch failed rather than look like nobody bid.
    world_->Stop();
    Click(Button(Command::GetBids));
    ASSERT_TRUE(WaitUntil(
        [&] {
            return !frame_->Gate().IsBusy() && !frame_->Troubles().Text(TroubleBoard::Trouble::Link).empty();
        },
        20000));
    EXPECT_EQ(Shown(), (Rows{"|||chat client not answering: bids not fetched"}));
}

}  // namespace
}  // namespace gv::e2e
