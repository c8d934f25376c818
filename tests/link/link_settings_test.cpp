#include <gtest/gtest.h>

#include "link/chat_link.h"
#include "link_fakes.h"

namespace gv {
namespace {

LinkSettings LoadFrom(const std::string& bytes) {
    test::TempFolder folder;
    return LoadLinkSettings(folder.Write("SCONTROL.TXT", bytes));
}

TEST(LinkSettings, AbsentFileGivesTheDefaults) {
    test::TempFolder folder;
    const LinkSettings settings = LoadLinkSettings(folder.path() / "SCONTROL.TXT");
    EXPECT_EQ(settings.clientTitle, "VZones 3.0");
    EXPECT_FALSE(settings.activateClient);
    EXPECT_FALSE(settings.useDapi);
    EXPECT_EQ(settings.speakPause, 0);
}

TEST(LinkSettings, ReadingStopsAtTheFirstMissingLine) {
    LinkSettings one = LoadFrom("MyClient\r\n");
    EXPECT_EQ(one.clientTitle, "MyClient");
    EXPECT_FALSE(one.activateClient);
    EXPECT_FALSE(one.useDapi);
    EXPECT_EQ(one.speakPause, 0);

    LinkSettings two = LoadFrom("  MyClient  \r\n1");
    EXPECT_EQ(two.clientTitle, "MyClient");
    EXPECT_TRUE(two.activateClient);
    EXPECT_FALSE(two.useDapi);

    // An empty first line is a title too.
    EXPECT_EQ(LoadFrom("\r\n").clientTitle, "");
    EXPECT_EQ(LoadFrom("").clientTitle, "VZones 3.0");
}

TEST(LinkSettings, FullFileWithEveryLineEnding) {
    for (const std::string& end : {std::string("\r\n"), std::string("\r"), std::string("\n")}) {
        const LinkSettings s = LoadFrom("VZones" + end + "1" + end + "1" + end + "2" + end + "ignored" + end);
        EXPECT_EQ(s.clientTitle, "VZones");
        EXPECT_TRUE(s.activateClient);
        EXPECT_TRUE(s.useDapi);
        EXPECT_EQ(s.speakPause, 2);
    }
}

TEST(LinkSettings, FlagsAreTheNumericValueOfTheLine) {
    for (const char* yes : {"1", "1.0", "01", "1st", " 1 ", "\t1"}) {
        EXPECT_TRUE(LoadFrom(std::string("t\r\n") + yes + "\r\n").activateClient) << yes;
    }
    for (const char* no : {"yes", "2", "0", "", "-1", "0.99"}) {
        EXPECT_FALSE(LoadFrom(std::string("t\r\n") + no + "\r\n").activateClient) << no;
    }
}

TEST(LinkSettings, PauseRoundsHalfToEven) {
    const auto pause = [](const std::string& line) {
        return LoadFrom("t\r\n0\r\n0\r\n" + line + "\r\n").speakPause;
    };
    EXPECT_EQ(pause("2.5"), 2);
    EXPECT_EQ(pause("3.5"), 4);
    EXPECT_EQ(pause("2.6"), 3);
    EXPECT_EQ(pause("-2.5"), -2);
    EXPECT_EQ(pause("-3.5"), -4);
    EXPECT_EQ(pause("32767"), 32767);
    EXPECT_EQ(pause("-32768"), -32768);
    EXPECT_EQ(pause("abc"), 0);
}

TEST(LinkSettings, PauseOutOfRangeKeepsTheFirstThreeLines) {
    for (const char* line : {"99999", "32767.5", "-32769", "1E999"}) {
        const LinkSettings s = LoadFrom(std::string("Client\r\n1\r\n1\r\n") + line + "\r\n");
        EXPECT_EQ(s.speakPause, 0) << line;
        EXPECT_EQ(s.clientTitle, "Client");
        EXPECT_TRUE(s.activateClient);
        EXPECT_TRUE(s.useDapi);
    }
}

TEST(LinkSettings, TitleIsReadAsAnsi) {
    // 0xE9 is e-acute in the Windows ANSI code page.
    EXPECT_EQ(LoadFrom("Caf\xE9\r\n").clientTitle, "Caf\xC3\xA9");
}

TEST(LinkSettings, ChatLinkKeepsWhatItRead) {
    test::TempFolder folder;
    test::CountingPump pump;
    test::RecordingSink sink;
    ChatLink link(pump, sink);
    link.LoadLinkSettings(folder.Write("SCONTROL.TXT", "MyClient\r\n0\r\n1\r\n3\r\n"));
    EXPECT_EQ(link.Settings().clientTitle, "MyClient");
    EXPECT_TRUE(link.Settings().useDapi);
    EXPECT_EQ(link.Settings().speakPause, 3);
}

}  // namespace
}  // namespace gv
