#pragma once
// What a panel needs of the window it sits in.

#include <functional>

#include "floor/auction.h"
#include "ui/commands.h"

namespace gv::ui {

class PanelHost {
public:
    virtual ~PanelHost() = default;
    // A command of the host may run now: no command is talking to the chat client and the
    // window is not closing.
    virtual bool Idle() const = 0;
    // A host's command that came while the window was not idle: held and run as soon as it is,
    // when only a live run the host cannot see was working (true); dropped otherwise.
    virtual bool HoldUntilIdle(std::function<void()> command) = 0;
    // Where every command ends: the keyboard focus on the off-screen button Dummy.
    virtual void FocusDummy() = 0;
    // For a command that did not come from the window: while `keep` holds, the window the link
    // brings forward after each request is the one that has the keyboard now, not Gavelton's.
    virtual void KeepKeyboardWhereItIs(bool keep) = 0;
    // Runs a command of the panel's buttons, as the command table says.
    virtual void Run(Command command, Origin origin) = 0;
};

// What a panel with commands works on: the auction, and the window it sits in.
class PanelBase {
protected:
    PanelBase(Auction& auction, PanelHost& host) : auction_(auction), host_(host) {}
    Auction& auction_;
    PanelHost& host_;
};

}  // namespace gv::ui
