#include <gtest/gtest.h>

#include "core/dapi_wire.h"
#include "core/log.h"
#include "core/world.h"

namespace {

using pw::World;

TEST(CoreLogEscape, WritesEveryByteClassAsTheLogExpects) {
    EXPECT_EQ(pw::Escape("Gavelton\f0\f\fSOLD!"), "Gavelton\\f0\\f\\fSOLD!");
    EXPECT_EQ(pw::Escape("a\\b\tc\r\nd"), "a\\\\b\\tc\\r\\nd");
    EXPECT_EQ(pw::Escape(std::string("x\0y", 3)), "x\\x00y");
    EXPECT_EQ(pw::Escape("\x1F\x7F\x80\xE9\xFF"), "\\x1F\\x7F\\x80\\xE9\\xFF");
    EXPECT_EQ(pw::Escape(" ~"), " ~");
}

TEST(CoreLogEscape, UnescapeGivesBackEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    std::string back;
    ASSERT_TRUE(pw::Unescape(pw::Escape(all), back));
    EXPECT_EQ(back, all);

    EXPECT_FALSE(pw::Unescape("trailing\\", back));
    EXPECT_FALSE(pw::Unescape("\\x4", back));
    EXPECT_FALSE(pw::Unescape("\\xZZ", back));
    EXPECT_FALSE(pw::Unescape("\\q", back));
}

TEST(CoreDapiWire, FieldsCrossIntactWhateverTheyHold) {
    const std::vector<std::string> fields{"Gavelton", "", std::string("a\0b", 3), "12:34,", "\xE9"};
    const auto back = pw::dapi::Unpack(pw::dapi::Pack(fields));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, fields);
    EXPECT_EQ(pw::dapi::Unpack("")->size(), 0u);
}

TEST(CoreDapiWire, PaddingIsIgnoredButDamageIsRefused) {
    EXPECT_EQ(*pw::dapi::Unpack(std::string("1:0,\0\0\0", 7)), std::vector<std::string>{"0"});
    EXPECT_FALSE(pw::dapi::Unpack("5:abc,"));                      // shorter than it says
    EXPECT_FALSE(pw::dapi::Unpack("3:abcd,"));                     // no comma where it should be
    EXPECT_FALSE(pw::dapi::Unpack(":abc,"));                       // no length
    EXPECT_FALSE(pw::dapi::Unpack("1:a,x"));                       // stray byte after the fields
    EXPECT_FALSE(pw::dapi::Unpack("99999999999999999999999:a,"));  // a length beyond all reason
}

TEST(CoreWorldCommunicate, ThePokeOfEachModeBecomesItsChatLine) {
    World world("Hal");
    EXPECT_EQ(world.CommunicatePoke(std::string("Gavelton\f0\f\fSOLD!\0", 19)), "0");
    EXPECT_EQ(world.CommunicatePoke("Gavelton\f1\f\fhmm"), "0");
    EXPECT_EQ(world.CommunicatePoke("Gavelton\f2\fAnn\fyou won"), "0");
    // Only the first three form feeds separate fields; the text keeps the rest.
    EXPECT_EQ(world.CommunicatePoke("Gavelton\f0\f\fa\fb"), "0");
    EXPECT_EQ(world.Transcript(), (std::vector<std::string>{"Hal: SOLD!", "Hal thinks: hmm",
                                                            "ESP to Ann: you won", "Hal: a\fb"}));
}

TEST(CoreWorldCommunicate, FaultyRequestsGetTheirCodesAndLeaveTheChatAlone) {
    World world;
    EXPECT_EQ(world.CommunicatePoke("Gavelton\f0\f"), "14");        // fields missing
    EXPECT_EQ(world.CommunicatePoke("\f0\f\ftext"), "14");          // no name
    EXPECT_EQ(world.CommunicatePoke("Gavelton\f3\f\ftext"), "14");  // no such mode
    EXPECT_EQ(world.CommunicatePoke("Gavelton\f 0\f\ftext"), "14");
    EXPECT_EQ(world.CommunicatePoke("Gavelton\f0\f\f"), "11");
    EXPECT_EQ(world.CommunicatePoke(std::string("Gavelton\f0\f\f\0junk", 16)), "11");
    EXPECT_EQ(world.CommunicatePoke("Gavelton\f2\f\ftext"), "12");
    world.LogOut();
    EXPECT_EQ(world.CommunicatePoke("Gavelton\f0\f\ftext"), "17");
    EXPECT_EQ(world.CommunicatePoke("garbage"), "17");
    EXPECT_TRUE(world.Transcript().empty());
}

TEST(CoreWorldCommunicate, ALineBreakInTheTextCannotForgeAChatLine) {
    World world;
    ASSERT_EQ(world.Communicate("Gavelton", "0", "", "hi\r\nESP from Eve: 9999"), "0");
    ASSERT_EQ(world.Transcript().size(), 1u);
    EXPECT_EQ(world.AllText(), "Host: hi  ESP from Eve: 9999");
}

TEST(CoreWorldRegistration, CodesFollowTheClient) {
    World world;
    EXPECT_EQ(world.Register("Gavelton"), "0");
    EXPECT_EQ(world.Register("Gavelton"), "9");
    EXPECT_EQ(world.Register(""), "14");
    EXPECT_EQ(world.Unregister("Other"), "10");
    EXPECT_EQ(world.Unregister("Gavelton"), "0");
    EXPECT_EQ(world.Unregister("Gavelton"), "10");
    for (std::size_t i = 0; i < World::kMaxRegistrations; ++i) {
        ASSERT_EQ(world.Register("tool" + std::to_string(i)), "0");
    }
    EXPECT_EQ(world.Register("one too many"), "8");
    world.LogOut();
    EXPECT_EQ(world.Unregister("tool0"), "17");
    EXPECT_EQ(world.Registered().size(), World::kMaxRegistrations);
    world.LogIn("Hal");
    EXPECT_EQ(world.Unregister("tool0"), "0");
}

TEST(CoreWorldText, AllTextJoinsTheLinesWithCrLf) {
    World world;
    std::string text;
    EXPECT_EQ(world.GetAllText("Gavelton", &text), "0");
    EXPECT_EQ(text, "");
    world.LoadTranscript("Ann: hello\r\nESP from Ann: 500\nBob: \xE9t\xE9\r");
    world.Post("Cy: hi");
    EXPECT_EQ(world.GetAllText("Gavelton", &text), "0");
    EXPECT_EQ(text, "Ann: hello\r\nESP from Ann: 500\r\nBob: \xE9t\xE9\r\nCy: hi");
    EXPECT_EQ(world.GetAllText("", &text), "14");
    world.LogOut();
    EXPECT_EQ(world.GetAllText("Gavelton", &text), "17");
}

TEST(CoreWorldSend, DataLengthCodes) {
    const World world;
    EXPECT_EQ(world.Send("Gavelton", "Ann", "x", "1"), "0");
    EXPECT_EQ(world.Send("Gavelton", "Ann", "x", "-1"), "15");
    EXPECT_EQ(world.Send("Gavelton", "Ann", "", "0"), "16");
    EXPECT_EQ(world.Send("Gavelton", "", "x", "1"), "14");
}

TEST(CoreWorldForcedCode, AnswersOnceThenIsGone) {
    World world;
    EXPECT_FALSE(world.TakeForcedCode());
    world.ForceNextCode("7");
    EXPECT_EQ(world.TakeForcedCode(), "7");
    EXPECT_FALSE(world.TakeForcedCode());
}

}  // namespace
