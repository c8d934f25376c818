#pragma once
// The one procedure every DDE request runs: close the old conversation, fill Text1, open a
// conversation, activate the chat client, transact, activate Gavelton again. A failure of the
// conversation is retried after 12 yields, up to 5 attempts in all, and then only marks
// ErrorCheck; any other failure (no window to activate) ends the request at once.

#include <functional>
#include <string>

#include "common/event_pump.h"
#include "link/chat_link.h"
#include "link/dde_channel.h"

namespace gv {

enum class DdeTransaction { Poke, Request };

struct DdeRequestShape {
    const char* topic;  // WorldsApi_Register, ...
    std::string item;   // the topic's name again, or the registration name for GetAllText
    std::string data;   // put into Text1 before the conversation opens (own text, UTF-8)
    DdeTransaction transaction;
};

inline constexpr int kDdeAttempts = 5;
inline constexpr int kYieldsAfterFailedAttempt = 12;

struct DdeRequestContext {
    EventPump& pump;
    DdeChannel& channel;
    WindowActivator& activator;
    const LinkSettings& settings;
    std::function<void()> fieldsChanged;  // the host window shows the record again
};

// Runs one request on the record; returns the number of attempts made.
int RunDdeRequest(DdeRequestContext& context, DdeRecord& record, const DdeRequestShape& shape);

}  // namespace gv
