#include "core/script.h"

#include <gtest/gtest.h>

#include "core/script_runner.h"

namespace {

using pw::ParseScriptLine;
using Kind = pw::ScriptLine::Kind;

TEST(ScriptLine, ChatLinesArePostedAsTheyStand) {
    for (const char* line : {"Ann: hello", "ESP from Ann: 500", "", "  !wait 1", "!unknown word", "!"}) {
        const auto parsed = ParseScriptLine(line);
        EXPECT_EQ(parsed.kind, Kind::Post) << line;
        EXPECT_EQ(parsed.text, line);
    }
}

TEST(ScriptLine, CommandsSteerTheWorld) {
    EXPECT_EQ(ParseScriptLine("!wait 1.5").kind, Kind::Wait);
    EXPECT_DOUBLE_EQ(ParseScriptLine("!wait 1.5").seconds, 1.5);
    EXPECT_EQ(ParseScriptLine("!quit").kind, Kind::Quit);
    EXPECT_EQ(ParseScriptLine("!nohost").kind, Kind::NoHost);
    const auto host = ParseScriptLine("!host  Hal 9000 ");
    EXPECT_EQ(host.kind, Kind::Host);
    EXPECT_EQ(host.text, "Hal 9000");
    EXPECT_EQ(ParseScriptLine("!ack 7").text, "7");
    const auto data = ParseScriptLine("!data Ann hello  there");
    EXPECT_EQ(data.kind, Kind::Data);
    EXPECT_EQ(data.sender, "Ann");
    EXPECT_EQ(data.text, "hello  there");
}

TEST(ScriptLine, ACommandWithoutWhatItNeedsIsNotPosted) {
    for (const char* line :
         {"!wait", "!wait soon", "!wait -1", "!wait 1s", "!wait nan", "!host", "!ack", "!data"}) {
        EXPECT_EQ(ParseScriptLine(line).kind, Kind::Invalid) << line;
    }
}

TEST(ScriptRunner, WaitsPauseTheLinesAfterThem) {
    using namespace std::chrono_literals;
    std::vector<std::string> posted;
    pw::ScriptRunner runner([&](const pw::ScriptLine& line) {
        posted.push_back(line.text);
        return line.kind != Kind::Quit;
    });
    for (const char* line : {"a", "!wait 2", "b", "!wait 0", "c"}) runner.Add(line);
    runner.EndInput();
    runner.Start();
    const auto t0 = pw::ScriptRunner::Clock::time_point{} + 100s;
    EXPECT_FALSE(runner.Pump(t0));
    EXPECT_EQ(posted, std::vector<std::string>{"a"});
    EXPECT_FALSE(runner.Pump(t0 + 1999ms));
    EXPECT_EQ(posted.size(), 1u);
    EXPECT_TRUE(runner.Pump(t0 + 2s));
    EXPECT_EQ(posted, (std::vector<std::string>{"a", "b", "c"}));
}

TEST(ScriptRunner, QuitEndsTheScriptAndLinesStillToComeKeepItGoing) {
    std::vector<std::string> posted;
    pw::ScriptRunner runner([&](const pw::ScriptLine& line) {
        posted.push_back(line.text);
        return line.kind != Kind::Quit;
    });
    runner.Start();
    const auto now = pw::ScriptRunner::Clock::now();
    EXPECT_FALSE(runner.Pump(now));  // standard input still open: not ended
    runner.Add("a");
    runner.Add("!quit");
    runner.Add("never");
    EXPECT_TRUE(runner.Pump(now));
    EXPECT_EQ(posted, (std::vector<std::string>{"a", "!quit"}));
}

}  // namespace
