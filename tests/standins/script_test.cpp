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

TEST(ScriptLine, FaultCommandsSayHowTheWorldMisbehaves) {
    const auto delay = ParseScriptLine("!delay 5.1");
    EXPECT_EQ(delay.kind, Kind::Delay);
    EXPECT_DOUBLE_EQ(delay.seconds, 5.1);
    EXPECT_EQ(ParseScriptLine("!delay 0").kind, Kind::Delay);
    EXPECT_EQ(ParseScriptLine("!die").kind, Kind::Die);
    const auto huge = ParseScriptLine("!reply huge 100");
    EXPECT_EQ(huge.kind, Kind::Reply);
    EXPECT_EQ(huge.text, "huge");
    EXPECT_EQ(huge.megabytes, 100u);
    for (const char* shape : {"empty", "unicode", "normal"}) {
        const auto reply = ParseScriptLine(std::string("!reply ") + shape);
        EXPECT_EQ(reply.kind, Kind::Reply) << shape;
        EXPECT_EQ(reply.text, shape);
    }
    // A delay or a reply the world could not carry out is refused, not half done.
    for (const char* line : {"!delay", "!delay -1", "!delay inf", "!delay 100000", "!reply", "!reply huge",
                             "!reply huge 0", "!reply huge 1.5", "!reply huge 2000", "!reply bitmap"}) {
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
