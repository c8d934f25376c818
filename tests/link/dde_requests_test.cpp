#include "link/dde_requests.h"

#include <gtest/gtest.h>

#include "link_fakes.h"

namespace gv {
namespace {

class DdeRequestsTest : public ::testing::Test {
protected:
    test::CountingPump pump;
    test::FakeChannel::Log log;
    test::FakeChannel channel{log};
    test::FakeActivator activator{log.calls};
    LinkSettings settings;
    DdeFields fields;
    int shown = 0;
    DdeRequestContext context{pump, channel, activator, settings, [this] { ++shown; }, [] { return 42u; }};

    int Poke(const std::string& data) {
        return RunDdeRequest(
                   context, fields,
                   DdeRequestShape{"WorldsApi_Register", "WorldsApi_Register", data, DdeTransaction::Poke})
            .attempts;
    }
    int Request() {
        return RunDdeRequest(context, fields,
                             DdeRequestShape{"WorldsApi_GetAllText", "Gavelton", "", DdeTransaction::Request})
            .attempts;
    }
};

TEST_F(DdeRequestsTest, OnePokeWhenTheClientAnswers) {
    fields.errorCheck = true;  // left from an earlier request
    EXPECT_EQ(Poke("Gavelton"), 1);
    EXPECT_EQ(log.calls,
              (std::vector<std::string>{"close", "open WorldsApi_Register", "poke WorldsApi_Register"}));
    EXPECT_EQ(log.poked, (std::vector<std::string>{"Gavelton"}));
    EXPECT_EQ(fields.conversation, "Gavelton");
    EXPECT_FALSE(fields.errorCheck);
    EXPECT_EQ(pump.yields, 0);
    EXPECT_GT(shown, 0);
}

TEST_F(DdeRequestsTest, PokedDataIsAnsi) {
    Poke("Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(log.poked.at(0), "Caf\xE9 \x80");
}

TEST_F(DdeRequestsTest, NoServerMeansFiveAttemptsTwelveYieldsEachThenErrorCheck) {
    channel.openSucceeds = false;
    std::vector<std::string> trace;
    pump.trace = &trace;
    EXPECT_EQ(Poke("Gavelton"), 5);
    EXPECT_TRUE(fields.errorCheck);
    EXPECT_EQ(pump.yields, 5 * 12);
    // Every attempt closes, opens, fails, then yields twelve times.
    EXPECT_EQ(std::count(log.calls.begin(), log.calls.end(), "open WorldsApi_Register"), 5);
    EXPECT_TRUE(log.poked.empty());
}

TEST_F(DdeRequestsTest, RefusedTransactionIsRetriedAndCanSucceedLater) {
    channel.transactionSucceeds = false;
    EXPECT_EQ(Poke("x"), 5);
    EXPECT_TRUE(fields.errorCheck);
    EXPECT_EQ(log.poked.size(), 5u);

    channel.transactionSucceeds = true;
    pump.yields = 0;
    EXPECT_EQ(Poke("x"), 1);
    EXPECT_FALSE(fields.errorCheck);  // the next request clears it
    EXPECT_EQ(pump.yields, 0);
}

TEST_F(DdeRequestsTest, RequestReplyIsKeptWholeAndWidened) {
    std::string reply;
    for (int i = 0; reply.size() < 100000; ++i) reply += "Ann: line " + std::to_string(i) + "\r\n";
    reply += "ESP from Bo: 5\xBD";
    channel.reply = reply;
    fields.conversation = "old";
    EXPECT_EQ(Request(), 1);
    EXPECT_EQ(log.calls.back(), "request Gavelton");
    ASSERT_GT(fields.conversation.size(), 32000u);
    EXPECT_EQ(fields.conversation.substr(fields.conversation.size() - 16), "ESP from Bo: 5\xC2\xBD");
    EXPECT_EQ(fields.conversation.size(), reply.size() + 1);
}

TEST_F(DdeRequestsTest, FailedRequestLeavesText1Empty) {
    channel.transactionSucceeds = false;
    fields.conversation = "old chat";
    EXPECT_EQ(Request(), 5);
    EXPECT_EQ(fields.conversation, "");
    EXPECT_TRUE(fields.errorCheck);
}

TEST_F(DdeRequestsTest, ActivationWrapsTheTransaction) {
    settings.activateClient = true;
    settings.clientTitle = "VZones";
    // Gavelton's own window comes back by its handle: another window titled "Gavelton" (a
    // file manager on the install folder) is never brought forward instead.
    activator.windows = {"VZones 3.0 - Main", "Gavelton"};
    activator.shownWindow = 42;
    EXPECT_EQ(Poke("Gavelton"), 1);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"close", "open WorldsApi_Register", "activate VZones",
                                                   "poke WorldsApi_Register", "activate window 42"}));
}

TEST_F(DdeRequestsTest, NoClientWindowEndsAtOnceWithoutTransactionOrError) {
    settings.activateClient = true;
    activator.windows = {"Gavelton"};
    EXPECT_EQ(Poke("Gavelton"), 1);
    EXPECT_EQ(log.calls,
              (std::vector<std::string>{"close", "open WorldsApi_Register", "activate VZones 3.0"}));
    EXPECT_TRUE(log.poked.empty());
    EXPECT_FALSE(fields.errorCheck);
    EXPECT_EQ(pump.yields, 0);
}

TEST_F(DdeRequestsTest, OwnWindowMissingAfterTheTransactionEndsWithoutRetry) {
    settings.activateClient = true;
    activator.windows = {"VZones 3.0"};
    EXPECT_EQ(Poke("Gavelton"), 1);
    EXPECT_EQ(log.poked.size(), 1u);
    EXPECT_EQ(log.calls.back(), "activate window 42");
    EXPECT_FALSE(fields.errorCheck);
}

TEST_F(DdeRequestsTest, ActivationIsNotTriedWhenTheConversationFails) {
    settings.activateClient = true;
    channel.openSucceeds = false;
    EXPECT_EQ(Poke("Gavelton"), 5);
    EXPECT_EQ(std::count(log.calls.begin(), log.calls.end(), "activate VZones 3.0"), 0);
}

}  // namespace
}  // namespace gv
