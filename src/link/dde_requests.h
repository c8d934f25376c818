#pragma once
// The one procedure every DDE request runs: close the old conversation, fill Text1, open a
// conversation, activate the chat client, transact, activate Gavelton again. A failure of the
// conversation is retried after 12 yields, up to 5 attempts in all, and then only marks
// ErrorCheck; any other failure (no window to activate) ends the request at once.

#include <cstdint>
#include <functional>
#include <string>

#include "common/event_pump.h"
#include "link/dde_fields.h"
#include "link/dde_parts.h"
#include "link/link_settings.h"

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
    std::function<void()> fieldsChanged;  // the host window shows the fields again
    // Gavelton's own main window, brought back after the client's (0 when there is none): by
    // its handle, as another window may have Gavelton's title.
    std::function<std::uintptr_t()> ownWindow = {};
};

enum class DdeOutcome {
    Done,            // the transaction went through (also when Gavelton's own window was not
                     // found again afterwards)
    GaveUp,          // every attempt failed in the conversation; ErrorCheck is set
    ClientNotFound,  // no window to activate before the transaction: nothing was sent
};

struct DdeRequestResult {
    int attempts = 0;
    DdeOutcome outcome = DdeOutcome::Done;
};

// Runs one request on the fields.
DdeRequestResult RunDdeRequest(DdeRequestContext& context, DdeFields& fields, const DdeRequestShape& shape);

}  // namespace gv
