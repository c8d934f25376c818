// The WorldsApi service as a tool meets it: what it accepts, what it refuses, and what a
// request answers, over the real socket with wx's own IPC client.

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <wx/ipc.h>
#include <wx/log.h>

#include <cstring>

#include "world_fixture.h"

namespace {

// A C string with its terminating NUL, as plain-text DDE data carries it.
template <std::size_t N>
std::string Text(const char (&s)[N]) {
    return std::string(s, N);
}

class Service : public WorldFixture {
protected:
    // One transaction on a conversation of its own, as Gavelton makes them.
    bool Poke(const char* topic, const std::string& data, wxIPCFormat format = wxIPC_TEXT) {
        wxLogNull quiet;
        std::unique_ptr<wxConnectionBase> conversation(
            client_.MakeConnection("localhost", Socket().string(), topic));
        if (!conversation) return false;
        const bool poked = conversation->Poke(topic, data.data(), data.size(), format);
        conversation->Disconnect();
        return poked;
    }
    std::optional<std::string> Request(const char* topic, const std::string& item,
                                       wxIPCFormat format = wxIPC_TEXT) {
        wxLogNull quiet;
        std::unique_ptr<wxConnectionBase> conversation(
            client_.MakeConnection("localhost", Socket().string(), topic));
        if (!conversation) return std::nullopt;
        size_t size = 0;
        const void* value = conversation->Request(item, &size, format);
        std::optional<std::string> reply;
        if (value != nullptr) reply = std::string(static_cast<const char*>(value), size);
        conversation->Disconnect();
        return reply;
    }
    // The chat as GetAllText answers it, without its terminating NUL.
    std::string Chat() {
        const auto reply = Request("WorldsApi_GetAllText", "Gavelton");
        if (!reply) return "(refused)";
        if (reply->empty() || reply->back() != '\0') return "(no NUL) " + *reply;
        return reply->substr(0, reply->size() - 1);
    }

    wxTCPClient client_;
};

TEST_F(Service, PlainTextPokesReachTheChatAndTheLogByteForByte) {
    StartWorld();
    ASSERT_TRUE(Poke("WorldsApi_Register", Text("Gavelton")));
    ASSERT_TRUE(Poke("WorldsApi_Communicate", Text("Gavelton\f0\f\fCaf\xE9 SOLD!")));
    ASSERT_TRUE(Poke("WorldsApi_Communicate", Text("Gavelton\f2\fAnn\fwon")));
    EXPECT_EQ(Chat(), "Hal: Caf\xE9 SOLD!\r\nESP to Ann: won");
    EXPECT_EQ(
        LogLines("POKE"),
        (std::vector<std::string>{
            "POKE\tWorldsApi_Register\tWorldsApi_Register\t1\tGavelton\\x00",
            "POKE\tWorldsApi_Communicate\tWorldsApi_Communicate\t1\tGavelton\\f0\\f\\fCaf\\xE9 SOLD!\\x00",
            "POKE\tWorldsApi_Communicate\tWorldsApi_Communicate\t1\tGavelton\\f2\\fAnn\\fwon\\x00",
        }));
    EXPECT_EQ(LogLines("REQUEST"), std::vector<std::string>{"REQUEST\tWorldsApi_GetAllText\tGavelton\t1\t"});
}

TEST_F(Service, WhatARealClientWouldNotUnderstandStaysOutOfTheChat) {
    StartWorld();
    // wx's own UTF-8 format, a poke under the wrong item, a poke of the request-only topic.
    Poke("WorldsApi_Communicate", Text("Gavelton\f0\f\futf8"), wxIPC_UTF8TEXT);
    {
        wxLogNull quiet;
        std::unique_ptr<wxConnectionBase> conversation(
            client_.MakeConnection("localhost", Socket().string(), "WorldsApi_Communicate"));
        ASSERT_TRUE(conversation);
        const std::string data("Gavelton\f0\f\fwrong item\0", 21);
        conversation->Poke("Speak", data.data(), data.size(), wxIPC_TEXT);
        conversation->Disconnect();
    }
    Poke("WorldsApi_GetAllText", Text("Gavelton"));
    EXPECT_EQ(Chat(), "");
    EXPECT_EQ(LogLines("POKE").size(), 3u);  // logged all the same

    EXPECT_FALSE(Request("WorldsApi_GetAllText", "Gavelton", wxIPC_UTF8TEXT));
    EXPECT_FALSE(Request("WorldsApi_Communicate", "WorldsApi_Communicate"));
    wxLogNull quiet;
    EXPECT_EQ(client_.MakeConnection("localhost", Socket().string(), "WorldsApi_Unknown"), nullptr);
    EXPECT_EQ(LogLines("CONNECT").back(), "CONNECT\tWorldsApi_Unknown\t\t\trefused");
}

TEST_F(Service, WithTheHostLoggedOutNothingIsSaidAndTheChatIsRefused) {
    StartWorld();
    Script("!nohost");
    ASSERT_TRUE(PumpUntil([this] { return !Request("WorldsApi_GetAllText", "Gavelton"); }));
    ASSERT_TRUE(Poke("WorldsApi_Communicate", Text("Gavelton\f0\f\fhello")));
    Script("!host Hal");
    ASSERT_TRUE(PumpUntil([this] { return Request("WorldsApi_GetAllText", "Gavelton").has_value(); }));
    EXPECT_EQ(Chat(), "");
}

TEST_F(Service, AStaleSocketIsReplacedButALiveWorldIsLeftAlone) {
    // A socket file nobody listens on, left by a world that was killed.
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, Socket().c_str());
    ASSERT_EQ(::bind(stale, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(stale);
    StartWorld();
    ASSERT_TRUE(Poke("WorldsApi_Register", Text("Gavelton")));

    // A second world must not take the socket from the first.
    const std::string second = std::string("'") + PRACTICE_WORLD_EXE + "' --headless 2>/dev/null";
    EXPECT_NE(std::system(second.c_str()), 0);
    EXPECT_TRUE(Poke("WorldsApi_Register", Text("Other")));
    // A poke over the socket returns once it is sent, not once the world has logged it.
    EXPECT_TRUE(PumpUntil([this] { return LogLines("POKE").size() == 2u; }));

    EXPECT_EQ(StopWorld(), 0);
    EXPECT_FALSE(std::filesystem::exists(Socket()));  // a world that ends takes its socket along
}

}  // namespace
