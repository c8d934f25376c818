#pragma once
// What a panel needs of the window it sits in.

namespace gv::ui {

class PanelHost {
public:
    virtual ~PanelHost() = default;
    // A command of the host may run now: no command is talking to the chat client and the
    // window is not closing.
    virtual bool Idle() const = 0;
    // Where every command ends: the keyboard focus on the off-screen button Dummy.
    virtual void FocusDummy() = 0;
};

}  // namespace gv::ui
