// The board behind the title: what failed, in a fixed order, which of it turns the window
// amber, and each trouble logged once when it comes and once when it goes.

#include "floor/trouble_board.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "files.h"
#include "scratch_folder.h"

namespace gv {
namespace {

using Trouble = TroubleBoard::Trouble;

class TroubleBoardTest : public ::testing::Test {
protected:
    TroubleBoardTest() {
        board.SetView([this](const std::string& shown, bool isAmber) {
            title = shown;
            amber = isAmber;
            ++shows;
        });
    }
    // The title's events in the evening's log, each after its time, "|" after each.
    std::string Logged() const {
        std::istringstream file(testing::ReadFile(folder.path() / "Gavelton log 2026-12-09.txt"));
        std::string titled;
        for (std::string line; std::getline(file, line);) {
            const std::string event = line.substr(line.find(' ') + 1, line.find('\r') - line.find(' ') - 1);
            if (event.find("the title: ") != std::string::npos) titled += event + "|";
        }
        return titled;
    }

    testing::ScratchFolder folder;
    EveningLog log{folder.path(), [] { return std::string("2026-12-09 20:00:00"); }};
    FloorEvents events;
    TroubleBoard board{log, events};
    std::string title;
    bool amber = false;
    int shows = 0;
};

TEST_F(TroubleBoardTest, TheTitleNamesEachTroubleInOrderAndOnlyTheLinkRecordAndLogTurnItAmber) {
    board.Set(Trouble::Link, "chat client not answering: bids not fetched");
    board.Set(Trouble::Settings, "Gavelton.ini: [Live] Sound=2 not allowed, default used");
    EXPECT_EQ(title,
              "Gavelton - Gavelton.ini: [Live] Sound=2 not allowed, default used; chat client not answering: "
              "bids not fetched");
    EXPECT_TRUE(amber);
    board.Set(Trouble::Link, {});
    EXPECT_FALSE(amber);  // a refused setting is named, never amber
    board.Set(Trouble::Settings, {});
    EXPECT_EQ(title, "Gavelton");
    const int before = shows;
    board.Set(Trouble::Settings, {});  // no change, nothing shown again
    EXPECT_EQ(shows, before);
    EXPECT_EQ(Logged(),
              "In the title: chat client not answering: bids not fetched|"
              "In the title: Gavelton.ini: [Live] Sound=2 not allowed, default used|"
              "Gone from the title: chat client not answering: bids not fetched|"
              "Gone from the title: Gavelton.ini: [Live] Sound=2 not allowed, default used|");
}

TEST_F(TroubleBoardTest, TheFloorsEventsReachTheBoardAndARecordChangeClearsTheUndoNote) {
    board.Set(Trouble::Undo, "undo refused: no sale to undo");
    events.Tell([](FloorListener& l) { l.RecordStatus("Sales.csv not written: disk full"); });
    EXPECT_EQ(title, "Gavelton - Sales.csv not written: disk full");
    EXPECT_TRUE(amber);
    events.Tell([](FloorListener& l) { l.LinkStatus("chat client not answering: call not said"); });
    EXPECT_EQ(board.Text(Trouble::Link), "chat client not answering: call not said");
}

}  // namespace
}  // namespace gv
