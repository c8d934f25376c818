// Items.TXT and BIDS.TXT kept as the floor changes the list, taken in when the host edited them
// elsewhere, and the list checked against the sales record at start.

#include "floor/setup_keeper.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "common/clock.h"
#include "fakes.h"
#include "files.h"
#include "scratch_folder.h"
#include "setup/setup_files.h"

namespace gv {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

struct StatusSpy final : FloorListener {
    explicit StatusSpy(FloorEvents& events) : subscription(events.Subscribe(*this)) {}
    void SetupFileStatus(SetupFile file, const std::string& trouble) override {
        (file == SetupFile::Items ? items : bids) = trouble;
    }
    void ListedThoughSold(const std::string& note) override { listed = note; }
    void TiersChanged() override { ++tiersShown; }
    std::string items, bids, listed;
    int tiersShown = 0;
    FloorEvents::Subscription subscription;
};

class SetupKeeperTest : public ::testing::Test, protected testing::FloorRig {
protected:
    SetupKeeperTest() {
        floor.SetSalesRecord(&record);
        floor.SetListStore(&keeper);
        floor.SetClock([] { return LocalTimeText(); });
        floor.SetCapturePath(folder.path() / "TALLY.TXT");
    }
    void Start(const std::string& itemsText) {
        folder.Write(kItemsFile, itemsText);
        keeper.Start(folder.path());
    }
    std::string Items() const { return ReadFile(folder.path() / kItemsFile); }
    // Back-dates Items.TXT, as a list written before the evening's sales.
    void WrittenAnHourAgo() {
        const fs::path path = folder.path() / kItemsFile;
        fs::last_write_time(path, fs::last_write_time(path) - std::chrono::hours(1));
    }

    testing::ScratchFolder folder;
    SalesRecord record{folder.path() / "Sales.csv"};
    EveningLog log{folder.path(), LocalTimeText};
    SetupKeeper keeper{items, tiers, floor, record, log};
    StatusSpy statuses{floor.Events()};
};

TEST_F(SetupKeeperTest, SoldIsOffTheListOnDiskTheMomentSoldReturns) {
    Start("Vase - 5\r\nLamp - 10\r\n");
    floor.GetNextItem();  // the Lamp
    floor.Sold();
    EXPECT_EQ(Items(), "Vase - 5\r\n");
    EXPECT_NE(ReadFile(record.Path()).find(",Lamp,10,"), std::string::npos);
    // Undo puts it back on disk too, through the floor's own telling.
    ASSERT_TRUE(floor.UndoLastSale().undone);
    EXPECT_EQ(Items(), "Vase - 5\r\nLamp - 10\r\n");
    EXPECT_EQ(statuses.items, "");
}

TEST_F(SetupKeeperTest, AListEditedElsewhereIsTakenInAndTheBlockKeepsItsEntry) {
    Start("Vase - 5\r\nLamp - 10\r\n");
    floor.GetNextItem();  // the Lamp, second
    folder.Write(kItemsFile, "Late rug - 40\r\nVase - 5\r\nLamp - 10\r\n");
    keeper.Keep(true);
    EXPECT_EQ(items.Entries(), (std::vector<std::string>{"Late rug - 40", "Vase - 5", "Lamp - 10"}));
    EXPECT_EQ(block.blockItemIndex, 2);
    floor.Sold();
    EXPECT_EQ(Items(), "Late rug - 40\r\nVase - 5\r\n");
    EXPECT_NE(ReadFile(folder.path() / LogFileName(LocalTimeText().substr(0, 10)))
                  .find("Items.TXT changed outside Gavelton: its 3 entries taken in"),
              std::string::npos);
}

TEST_F(SetupKeeperTest, WhenBothChangedTheTitleNamesTheFileBesideAndTheCloseKeepsItThere) {
    Start("Vase - 5\r\nLamp - 10\r\n");
    folder.Write(kItemsFile, "Vase - 5\r\nLamp - 10\r\nLate rug - 40\r\n");
    floor.GetNextItem();
    floor.Sold();  // the Lamp, before Gavelton looked at the file again
    EXPECT_EQ(Items(), "Vase - 5\r\nLamp - 10\r\nLate rug - 40\r\n");
    EXPECT_EQ(ReadFile(folder.path() / "Items (Gavelton).TXT"), "Vase - 5\r\n");
    EXPECT_EQ(statuses.items,
              "Items.TXT changed outside Gavelton: Gavelton's list is in Items (Gavelton).TXT");
    EXPECT_EQ(keeper.Close(), "");
    EXPECT_EQ(Items(), "Vase - 5\r\nLamp - 10\r\nLate rug - 40\r\n");
}

TEST_F(SetupKeeperTest, ARaiseTableEditedElsewhereIsTakenInAndShown) {
    folder.Write(kBidsFile, "0\r\n100\r\n5\r\n");
    Start("");
    ASSERT_EQ(tiers.Row(0).raise, "5");
    folder.Write(kBidsFile, "0\r\n200\r\n10\r\n");
    keeper.Keep(true);
    EXPECT_EQ(tiers.Row(0).high, "200");
    EXPECT_EQ(tiers.Row(0).raise, "10");
    EXPECT_EQ(statuses.tiersShown, 1);
}

TEST_F(SetupKeeperTest, AFailedWriteShowsInTheTitleAndIsTriedAgainWithTheNextChange) {
    Start("Vase - 5\r\n");
    fs::remove(folder.path() / kItemsFile);
    fs::create_directory(folder.path() / kItemsFile);  // nothing can be written there
    items.Append("Lamp - 10");
    keeper.ItemsChanged();
    EXPECT_EQ(statuses.items.rfind("Items.TXT not written: ", 0), 0u) << statuses.items;
    EXPECT_NE(keeper.Close().find("Items.TXT could not be saved: "), std::string::npos);
    fs::remove(folder.path() / kItemsFile);
    items.Append("Rug - 15");
    keeper.ItemsChanged();
    EXPECT_EQ(statuses.items, "");
    EXPECT_EQ(Items(), "Vase - 5\r\nLamp - 10\r\nRug - 15\r\n");
}

TEST_F(SetupKeeperTest, AtStartAnEntrySoldAfterTheListWasWrittenIsNamedUntilItLeavesTheList) {
    record.Add({LocalTimeText(), "Lamp", "10", "50", "Ann", "", "", 1});
    Start("Vase - 5\r\nLamp - 10\r\n");
    EXPECT_EQ(statuses.listed, "");  // the list was written after the sale
    WrittenAnHourAgo();
    keeper.Start(folder.path());
    EXPECT_EQ(statuses.listed,
              "Lamp is still on the list, but Sales.csv sold it at " + LocalTimeText().substr(11, 5));
    EXPECT_EQ(items.Count(), 2u) << "nothing is removed by itself";
    items.RemoveAt(1);
    keeper.ItemsChanged();
    EXPECT_EQ(statuses.listed, "");
}

TEST(SetupKeeperListedThoughSold, MatchesNameAndMinimumOfSalesAfterTheListOnly) {
    const std::vector<SaleRow> sales = {
        {"2026-12-09 20:31:05", "Lamp", "10", "50", "Ann", "", "", 1},
        {"2026-12-10 19:00:00", "Vase", "5", "8", "Bo", "", "", 1},
        {"2026-12-10 21:00:00", "Rug", "99", "120", "Cy", "", "", 1},
        {"2026-12-10 21:05:00", "Half-plate armour", "1200", "", "", "", "", 0}};
    const auto found = FindListedThoughSold({"Lamp - 10", "Vase - 5", "Rug - 15", "Half-plate armour - 1200"},
                                            sales, "2026-12-09 20:00:00", "2026-12-10");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].second, "Lamp is still on the list, but Sales.csv sold it on 2026-12-09 at 20:31");
    EXPECT_EQ(found[1].second, "Vase is still on the list, but Sales.csv sold it at 19:00");
    EXPECT_EQ(found[2].first, "Half-plate armour - 1200");
    EXPECT_TRUE(FindListedThoughSold({"Lamp - 10"}, sales, "2026-12-09 20:31:05", "2026-12-10").empty());
}

}  // namespace
}  // namespace gv
