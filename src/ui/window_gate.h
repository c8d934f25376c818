#pragma once
// The main window's side of the command gate: what busy looks like (red, the hourglass, no
// input), the quiet run's delay before it looks so, where the focus goes after, and which
// window the link brings forward while a command from elsewhere runs.

#include <wx/timer.h>
#include <wx/weakref.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "common/command_gate.h"
#include "common/event_pump.h"
#include "floor/trouble_board.h"
#include "ui/return_window.h"

class wxEventFilter;
class wxFrame;
class wxWindow;

namespace gv::ui {

class PanelSet;

class WindowGate final : public GateView {
public:
    // Shows `gate` on `frame` from Attach until it goes.
    WindowGate(wxFrame* frame, CommandGate& gate, EventPump& pump);
    ~WindowGate() override;
    WindowGate(const WindowGate&) = delete;
    WindowGate& operator=(const WindowGate&) = delete;

    // The area that turns red, the panels whose Dummy has the focus after a command, and the
    // board that says whether the idle colour is amber (something failed).
    void Attach(wxWindow* client, PanelSet& panels, const TroubleBoard& troubles);

    CommandGate& Gate() { return gate_; }
    const CommandGate& Gate() const { return gate_; }
    // The idle colour, unless a command runs.
    void ShowIdleColour();

    // For a command that did not come from the window: while `keep` holds, the link brings
    // the window that has the keyboard now forward after each request, not Gavelton's.
    void KeepKeyboardWhereItIs(bool keep);
    std::uintptr_t ReturnHandle() const { return returnWindow_.Handle(); }
    // One of Gavelton's windows has the keyboard now.
    static bool HasKeyboard();

    // GateView.
    void ShowBusy() override;
    void StartQuiet(std::chrono::milliseconds delay) override;
    void EndBusy() override;
    void PlaceFocus(bool afterQuietRun) override;
    void Later(const std::function<void()>& action) override;
    void Close(bool force) override;

private:
    void RefuseInput();  // the window disabled, and the input aimed at it dropped
    const wxColour& IdleColour() const;

    wxFrame* frame_;
    CommandGate& gate_;
    EventPump& pump_;
    wxWindow* client_ = nullptr;
    PanelSet* panels_ = nullptr;
    const TroubleBoard* troubles_ = nullptr;
    wxTimer lookDelay_;  // shows the busy look when a quiet command takes long
    std::unique_ptr<wxEventFilter> inputGuard_;
    wxWindow* disabled_ = nullptr;  // while the input is refused
    bool hourglass_ = false;
    wxWeakRef<wxWindow> focusBefore_;
    // The command running came from elsewhere (a hotkey, a live run) while another program had
    // the keyboard: the busy state's end leaves the focus alone.
    bool keyboardElsewhere_ = false;
    ReturnWindow returnWindow_;
};

}  // namespace gv::ui
