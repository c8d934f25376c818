#include "link/dde_requests.h"

#include "common/ansi.h"

namespace gv {

namespace {

enum class Outcome { Done, ConversationFailed, ClientNotFound, OwnWindowNotFound };

void Changed(DdeRequestContext& context) {
    if (context.fieldsChanged) context.fieldsChanged();
}

Outcome Attempt(DdeRequestContext& context, DdeFields& fields, const DdeRequestShape& shape) {
    context.channel.Close();
    fields.conversation = shape.data;
    Changed(context);
    if (!context.channel.Open(shape.topic)) return Outcome::ConversationFailed;

    if (context.settings.activateClient && !context.activator.Activate(context.settings.clientTitle)) {
        return Outcome::ClientNotFound;
    }

    if (shape.transaction == DdeTransaction::Poke) {
        if (!context.channel.Poke(shape.item, ToAnsi(fields.conversation)))
            return Outcome::ConversationFailed;
    } else {
        std::optional<std::string> reply = context.channel.Request(shape.item);
        if (!reply) return Outcome::ConversationFailed;
        // Kept whole: the newest lines of a long chat, where the bids are, come last.
        fields.conversation = FromAnsi(*reply);
        Changed(context);
    }

    // The transaction is done even if Gavelton's own window cannot be found again.
    if (context.settings.activateClient &&
        !context.activator.ActivateWindow(context.ownWindow ? context.ownWindow() : 0)) {
        return Outcome::OwnWindowNotFound;
    }
    return Outcome::Done;
}

}  // namespace

DdeRequestResult RunDdeRequest(DdeRequestContext& context, DdeFields& fields, const DdeRequestShape& shape) {
    fields.errorCheck = false;
    Changed(context);
    DdeRequestResult result;
    while (true) {
        ++result.attempts;
        switch (Attempt(context, fields, shape)) {
            case Outcome::Done:
            case Outcome::OwnWindowNotFound:
                return result;
            case Outcome::ClientNotFound:
                result.outcome = DdeOutcome::ClientNotFound;
                return result;
            case Outcome::ConversationFailed:
                context.pump.YieldTimes(kYieldsAfterFailedAttempt);
                if (result.attempts >= kDdeAttempts) {
                    fields.errorCheck = true;
                    Changed(context);
                    result.outcome = DdeOutcome::GaveUp;
                    return result;
                }
                break;
        }
    }
}

}  // namespace gv
