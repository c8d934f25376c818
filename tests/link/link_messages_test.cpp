#include "link/link_messages.h"

#include <gtest/gtest.h>

#include "link/chat_link.h"
#include "link_fakes.h"

namespace gv {
namespace {

TEST(LinkMessagesAck, SuccessAndCodesBeforeZeroShowNothing) {
    EXPECT_EQ(AckMessage("0"), std::nullopt);
    EXPECT_EQ(AckMessage(""), std::nullopt);
    EXPECT_EQ(AckMessage(" 1"), std::nullopt);
    EXPECT_EQ(AckMessage("/"), std::nullopt);
}

TEST(LinkMessagesAck, KnownCodesHaveTheClientsWording) {
    EXPECT_EQ(AckMessage("1"), "1- Target avatar is not logged on");
    EXPECT_EQ(AckMessage("7"), "7 - Target avatar is currently busy");
    EXPECT_EQ(AckMessage("9"), "9 - App.Title already registered");
    EXPECT_EQ(AckMessage("10"), "10 - App.Title was not registered");
    EXPECT_EQ(AckMessage("17"), "17 - You are not logged in yet");
}

TEST(LinkMessagesAck, CodesAreMatchedWholeAndExactly) {
    for (const char* code : {"18", "07", "00", "1 ", "7a", "99", "x"}) {
        EXPECT_EQ(AckMessage(code), "99 - Unknown error occured") << code;
    }
}

TEST(LinkMessagesAck, ChatLinkShowsOneInformationBoxPerFailureCode) {
    test::CountingPump pump;
    test::RecordingSink sink;
    ChatLink link(pump, sink);
    link.ProcessAckData("0");
    link.ProcessAckData("");
    link.ProcessAckData(nullptr);
    EXPECT_TRUE(sink.shown.empty());

    link.ProcessAckData("7");
    link.ProcessAckData("18");
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[0],
              (test::ShownMessage{"7 - Target avatar is currently busy", "ProcessAckData Response Message",
                                  MessageIcon::Information}));
    EXPECT_EQ(sink.shown[1].text, "99 - Unknown error occured");
}

TEST(LinkMessagesIncomingData, ShowsSenderAndDataUnderTheToolsTitle) {
    test::CountingPump pump;
    test::RecordingSink sink;
    ChatLink link(pump, sink);
    link.ProcessIncomingData("Ann", "hello");
    link.ProcessIncomingData("Zo\xEB", "caf\xE9");  // ANSI texts are widened
    ASSERT_EQ(sink.shown.size(), 2u);
    EXPECT_EQ(sink.shown[0],
              (test::ShownMessage{"Data received from Ann: hello", "Gavelton", MessageIcon::None}));
    EXPECT_EQ(sink.shown[1].text, "Data received from Zo\xC3\xAB: caf\xC3\xA9");
}

TEST(LinkMessagesAllText, EachDeliveryReplacesTheLastAndNothingEmptiesIt) {
    test::CountingPump pump;
    test::RecordingSink sink;
    ChatLink link(pump, sink);
    EXPECT_EQ(link.AllText(), "");
    link.ProcessAllText("Ann: hi\r\nESP from Bo: 5\xBD");
    EXPECT_EQ(link.AllText(), "Ann: hi\r\nESP from Bo: 5\xC2\xBD");
    link.ProcessAllText("second");
    EXPECT_EQ(link.AllText(), "second");
    EXPECT_TRUE(sink.shown.empty());
}

}  // namespace
}  // namespace gv
