#include "setup/setup_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files.h"
#include "scratch_folder.h"

namespace gv {
namespace {
namespace fs = std::filesystem;

class SetupFiles : public ::testing::Test {
protected:
    void TearDown() override {
        // A test may have taken the write permission; the folder must still go.
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    }
    gv::testing::ScratchFolder scratch_{"gv-setup"};
    fs::path dir_ = scratch_.path();
    fs::path bids_ = dir_ / kBidsFile;
    fs::path items_ = dir_ / kItemsFile;
};

using V = std::vector<std::string>;

TEST_F(SetupFiles, MissingFilesLeaveTheTablesAsTheyWere) {
    TierTable table;
    ItemList list;
    list.Append("Kept - 1");
    LoadBids(bids_, table);
    LoadItems(items_, list);
    EXPECT_EQ(table, TierTable{});
    EXPECT_EQ(list.Entries(), V{"Kept - 1"});

    ASSERT_TRUE(SaveBids(bids_, table).ok);
    ASSERT_TRUE(SaveItems(items_, ItemList{}).ok);
    std::string expected = "0\r\n9999999\r\n1\r\n";
    for (int i = 0; i < 15; ++i) expected += "\r\n";
    EXPECT_EQ(testing::ReadFile(bids_), expected);
    EXPECT_EQ(testing::ReadFile(items_), "");
}

TEST_F(SetupFiles, SavedFilesLoadBackTheSame) {
    TierTable table;
    table.Row(0) = {"0", "100", "5"};
    table.Row(1) = {"101", "9999999", "1.5."};
    table.Row(3) = {"", "500", ""};
    ItemList list;
    for (const char* e :
         {"Oak chest - 500", "Caf\u00E9 \u201Cbest\u201D, \"new\" - 7", "Half-plate armour - 1200"}) {
        list.Append(e);
    }
    ASSERT_TRUE(SaveBids(bids_, table).ok);
    ASSERT_TRUE(SaveItems(items_, list).ok);
    // Files are 8-bit text, one CR LF after every line.
    EXPECT_EQ(testing::ReadFile(items_),
              "Oak chest - 500\r\nCaf\xE9 \x93"
              "best\x94, \"new\" - 7\r\nHalf-plate armour - 1200\r\n");

    TierTable t2;
    t2.Row(5) = {"x", "y", "z"};  // every field is overwritten by the 18 lines
    ItemList l2;
    l2.Append("old");
    LoadBids(bids_, t2);
    LoadItems(items_, l2);
    EXPECT_EQ(t2, table);
    EXPECT_EQ(l2.Entries(), list.Entries());
}

TEST_F(SetupFiles, ShortBidsFileFillsOnlyWhatItCovers) {
    TierTable table;
    table.Row(1) = {"a", "b", "c"};
    testing::WriteFile(bids_, "0\r\n100\r\n5\r\n");
    LoadBids(bids_, table);
    EXPECT_EQ(table.Row(0), (TierRow{"0", "100", "5"}));
    EXPECT_EQ(table.Row(1), (TierRow{"a", "b", "c"}));
    EXPECT_EQ(table.LookupRaise(101).row, std::nullopt) << "no normalisation on load";

    testing::WriteFile(bids_, "0\r\n100\r\n5\r\n101");  // fourth line without a line end
    LoadBids(bids_, table);
    EXPECT_EQ(table.Row(1), (TierRow{"101", "b", "c"}));

    testing::WriteFile(bids_, "");
    TierTable fresh;
    LoadBids(bids_, fresh);
    EXPECT_EQ(fresh, TierTable{});
}

TEST_F(SetupFiles, BidsLinesAreTrimmedAndExtraLinesIgnored) {
    std::string text = "  0 \r\n\t100\r\n 5\r\n";
    for (int i = 3; i < 18; ++i) text += "\r\n";
    text += "1\r\n2\r\n3\r\n";
    testing::WriteFile(bids_, text);
    TierTable table;
    LoadBids(bids_, table);
    EXPECT_EQ(table.Row(0), (TierRow{"0", "\t100", "5"}));
    for (int r = 1; r < kTierRows; ++r) EXPECT_EQ(table.Row(r), TierRow{}) << r;
}

TEST_F(SetupFiles, EveryKindOfLineEndIsRead) {
    for (const char* end : {"\r\n", "\r", "\n"}) {
        testing::WriteFile(bids_, std::string("0") + end + "100" + end + "5" + end + "101" + end);
        testing::WriteFile(items_, std::string(" A - 1 ") + end + end + "   " + end + "B - 2");
        TierTable table;
        ItemList list;
        LoadBids(bids_, table);
        LoadItems(items_, list);
        EXPECT_EQ(table.Row(0), (TierRow{"0", "100", "5"}));
        EXPECT_EQ(table.Row(1).low, "101");
        EXPECT_EQ(list.Entries(), (V{"A - 1", "B - 2"}));
    }
}

TEST_F(SetupFiles, NulAndHighBytesLoadAsCharacters) {
    std::string items("Vase\0blue - 5\r\n", 15);
    for (int b = 0x80; b <= 0xFF; ++b) items.push_back(static_cast<char>(b));
    items += "\r\n";
    testing::WriteFile(items_, items);
    ItemList list;
    LoadItems(items_, list);
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.EntryAt(0), std::string("Vase\0blue - 5", 13));
    // Saved again, the file is byte for byte what was read.
    ASSERT_TRUE(SaveItems(items_, list).ok);
    EXPECT_EQ(testing::ReadFile(items_), items);

    testing::WriteFile(bids_, std::string("\0\xFF\r\n1E999\r\n\x80", 12));
    TierTable table;
    LoadBids(bids_, table);
    EXPECT_EQ(table.Row(0).low, std::string("\0\u00FF", 3));
    EXPECT_EQ(table.Row(0).raise, "\u20AC");
    table.NormaliseHigh(0);  // must not end the program
    EXPECT_EQ(table.Row(0).high, "9999999");
}

TEST_F(SetupFiles, OneTenMegabyteLine) {
    const std::string big(10 * 1024 * 1024, 'x');
    testing::WriteFile(items_, big);
    testing::WriteFile(bids_, big);
    ItemList list;
    TierTable table;
    LoadItems(items_, list);
    LoadBids(bids_, table);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.EntryAt(0).size(), big.size());
    EXPECT_EQ(table.Row(0).low.size(), big.size());
    EXPECT_EQ(table.Row(0).high, "9999999");
}

TEST_F(SetupFiles, EmptyItemsFileEmptiesTheList) {
    testing::WriteFile(items_, "");
    ItemList list;
    list.Append("Old - 1");
    list.Select(0);
    LoadItems(items_, list);
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.Selection(), std::nullopt);
}

TEST_F(SetupFiles, FailedSaveKeepsTheEarlierFileAndSaysWhy) {
    ItemList list;
    list.Append("Earlier - 1");
    ASSERT_TRUE(SaveItems(items_, list).ok);
    const std::string before = testing::ReadFile(items_);

    // The folder vanished: nothing can be written, and nothing is claimed.
    const FileResult gone = SaveBids(dir_ / "gone" / kBidsFile, TierTable{});
    EXPECT_FALSE(gone.ok);
    EXPECT_FALSE(gone.reason.empty());

    // A folder where the file should be: the new contents never replace it.
    fs::create_directory(bids_);
    EXPECT_FALSE(SaveBids(bids_, TierTable{}).ok);
    EXPECT_TRUE(fs::is_directory(bids_));

    if (::geteuid() != 0) {
        fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        list.Append("Later - 2");
        const FileResult r = SaveItems(items_, list);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.reason.empty());
        EXPECT_EQ(testing::ReadFile(items_), before);
    }
}

}  // namespace
}  // namespace gv
