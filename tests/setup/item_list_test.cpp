#include "setup/item_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gv {
namespace {

using V = std::vector<std::string>;

TEST(ItemListAddToList, AppendsTrimmedPairAndEmptiesBothBoxes) {
    ItemList list;
    list.Append("First - 10");
    list.Select(0);
    std::string item = "Oak chest", min = "500";
    EXPECT_TRUE(AddToList(list, item, min));
    EXPECT_EQ(list.Entries(), (V{"First - 10", "Oak chest - 500"}));
    EXPECT_EQ(item, "");
    EXPECT_EQ(min, "");
    EXPECT_EQ(list.Selection(), std::nullopt);

    item = "  Lamp  ";
    min = "";
    EXPECT_TRUE(AddToList(list, item, min));
    EXPECT_EQ(list.EntryAt(2), "Lamp - 0");
}

TEST(ItemListAddToList, MinimumBidTextKeptAsTypedUnlessWorthNothing) {
    ItemList list;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"000", "Vase - 0"}, {"050", "Vase - 050"}, {" 7 ", "Vase - 7"},
        {"abc", "Vase - 0"}, {"   ", "Vase - 0"},   {"1E999", "Vase - 1E999"},
    };
    for (const auto& [minText, expected] : cases) {
        std::string item = "Vase", min = minText;
        ASSERT_TRUE(AddToList(list, item, min));
        EXPECT_EQ(list.Entries().back(), expected) << minText;
    }
    std::string item = "Half-plate armour", min = "1200";
    AddToList(list, item, min);
    const std::string& e = list.Entries().back();
    EXPECT_EQ(e, "Half-plate armour - 1200");
    EXPECT_EQ(e.substr(e.rfind('-') + 2), "1200");
}

TEST(ItemListAddToList, EmptyItemNameAddsNothing) {
    ItemList list;
    list.Append("Kept - 1");
    list.Select(0);
    for (std::string item : {"", "    "}) {
        std::string min = " 300 ";
        EXPECT_FALSE(AddToList(list, item, min));
        EXPECT_EQ(item, "");
        EXPECT_EQ(min, " 300 ") << "the minimum box keeps its untrimmed text";
    }
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Selection(), 0u);
    std::string tabbed = "\t", min;
    EXPECT_TRUE(AddToList(list, tabbed, min)) << "tabs are not trimmed";
}

TEST(ItemList, DeleteRemovesExactlyTheSelectedEntry) {
    ItemList list;
    for (const char* e : {"A - 1", "B - 2", "B - 2", "C - 3"}) list.Append(e);
    list.Select(2);
    DeleteSelected(list);
    EXPECT_EQ(list.Entries(), (V{"A - 1", "B - 2", "C - 3"}));
    EXPECT_EQ(list.Selection(), std::nullopt);
    DeleteSelected(list);  // nothing selected: nothing removed
    EXPECT_EQ(list.Count(), 3u);
}

TEST(ItemList, IndexesOutsideTheListAreHarmless) {
    ItemList list;
    list.Append("A - 1");
    list.Append("B - 2");
    EXPECT_EQ(list.EntryAt(-1), "");
    EXPECT_EQ(list.EntryAt(2), "");
    EXPECT_FALSE(list.RemoveAt(2));
    EXPECT_FALSE(list.RemoveAt(-1));
    for (const std::size_t outside : {std::size_t{2}, std::size_t{5}}) {
        list.Select(outside);
        EXPECT_EQ(list.Selection(), std::nullopt) << outside;
    }
    // Removing an entry before the selected one keeps the same entry selected; removing the
    // selected entry (SOLD may) leaves nothing selected rather than its successor.
    list.Select(1);
    EXPECT_TRUE(list.RemoveAt(0));
    EXPECT_EQ(list.Selection(), 0u);
    EXPECT_EQ(list.EntryAt(0), "B - 2");
    list.Append("C - 3");
    EXPECT_TRUE(list.RemoveAt(0));
    EXPECT_EQ(list.Selection(), std::nullopt);
    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.Selection(), std::nullopt);
}

}  // namespace
}  // namespace gv
