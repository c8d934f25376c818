#include "ui/window_gate.h"

#include <wx/app.h>
#include <wx/eventfilter.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <utility>

#include "ui/colours.h"
#include "ui/native.h"
#include "ui/panel_set.h"

namespace gv::ui {

namespace {

// While busy the window takes none of the host's input, whatever the platform lets through a
// disabled window: an event filter drops every input event aimed at the window's controls.
class InputGuard final : public wxEventFilter {
public:
    explicit InputGuard(wxWindow* top) : top_(top) {}
    int FilterEvent(wxEvent& event) override {
        const wxEventType type = event.GetEventType();
        const bool input = event.GetEventCategory() == wxEVT_CATEGORY_USER_INPUT || type == wxEVT_MENU ||
                           type == wxEVT_BUTTON || type == wxEVT_LISTBOX || type == wxEVT_LISTBOX_DCLICK ||
                           type == wxEVT_CHECKBOX || type == wxEVT_TEXT_ENTER || type == wxEVT_TEXT_PASTE ||
                           type == wxEVT_TEXT_CUT || type == wxEVT_NAVIGATION_KEY ||
                           type == wxEVT_CONTEXT_MENU;
        if (!input) return Event_Skip;
        auto* window = wxDynamicCast(event.GetEventObject(), wxWindow);
        if (window && wxGetTopLevelParent(window) == top_) return Event_Processed;
        return Event_Skip;
    }

private:
    wxWindow* top_;
};

}  // namespace

WindowGate::WindowGate(wxFrame* frame, CommandGate& gate, EventPump& pump)
    : frame_(frame), gate_(gate), pump_(pump), returnWindow_(frame) {
    lookDelay_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { gate_.BusyLookDue(); });
}

WindowGate::~WindowGate() {
    gate_.SetView(nullptr);
    lookDelay_.Stop();
    if (inputGuard_) wxEvtHandler::RemoveFilter(inputGuard_.get());
    if (hourglass_) wxEndBusyCursor();
}

void WindowGate::Attach(wxWindow* client, PanelSet& panels, const TroubleBoard& troubles) {
    client_ = client;
    panels_ = &panels;
    troubles_ = &troubles;
    gate_.SetView(this);
    // A command run by hotkey while another program had the keyboard leaves the focus on no
    // control of Gavelton's; the window activated so would take no key until clicked. Only
    // once it is active: the focus moved before would take the keyboard from the other program.
    frame_->Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& event) {
        event.Skip();
        if (!event.GetActive()) return;
        frame_->CallAfter([this] {
            wxWindow* focus = wxWindow::FindFocus();
            if (frame_->IsActive() && !gate_.IsBusy() &&
                (focus == nullptr || focus == frame_ || wxGetTopLevelParent(focus) != frame_))
                panels_->FocusDummy();
        });
    });
}

const wxColour& WindowGate::IdleColour() const { return troubles_->Amber() ? kAmber : kCyan; }

void WindowGate::ShowIdleColour() {
    if (gate_.IsBusy() || client_ == nullptr) return;
    client_->SetBackgroundColour(IdleColour());
    client_->Refresh();
}

void WindowGate::RefuseInput() {
    if (inputGuard_) return;
    inputGuard_ = std::make_unique<InputGuard>(frame_);
    wxEvtHandler::AddFilter(inputGuard_.get());
    disabled_ = DisabledWhileBusy(frame_, client_);
    disabled_->Disable();
}

// A run that lasts looks busy and takes no input, as the host's commands do.
void WindowGate::ShowBusy() {
    RefuseInput();
    hourglass_ = true;
    wxBeginBusyCursor();
    client_->SetBackgroundColour(kRed);
    client_->Refresh();
    client_->Update();
}

void WindowGate::StartQuiet(std::chrono::milliseconds delay) {
    focusBefore_ = wxWindow::FindFocus();
    lookDelay_.StartOnce(static_cast<int>(delay.count()));
}

void WindowGate::EndBusy() {
    lookDelay_.Stop();
    if (inputGuard_ && disabled_) disabled_->Enable();
    if (client_->GetBackgroundColour() != IdleColour()) {
        client_->SetBackgroundColour(IdleColour());
        client_->Refresh();
    }
    if (hourglass_) wxEndBusyCursor();
    hourglass_ = false;
    // Input already queued while busy is dropped before the window takes input again (held,
    // after a quick quiet run).
    pump_.Yield();
    if (inputGuard_) {
        wxEvtHandler::RemoveFilter(inputGuard_.get());
        inputGuard_.reset();
    }
}

void WindowGate::PlaceFocus(bool afterQuietRun) {
    // Putting the focus into a window that does not have the keyboard would, on GTK, take the
    // keyboard from the program that has it (and bring a minimised Gavelton back).
    if (keyboardElsewhere_ && FocusTakesTheKeyboard()) {
        // Where it was.
    } else if (!afterQuietRun) {
        panels_->FocusDummy();
    } else if (focusBefore_ && wxWindow::FindFocus() != focusBefore_) {
        // Disabling the window may have taken the focus from one of its controls.
        focusBefore_->SetFocus();
    }
    focusBefore_ = nullptr;
}

void WindowGate::Later(const std::function<void()>& action) { frame_->CallAfter(action); }

void WindowGate::Close(bool force) { frame_->Close(force); }

void WindowGate::KeepKeyboardWhereItIs(bool keep) {
    keyboardElsewhere_ = keep && !HasKeyboard();
    if (keep) {
        returnWindow_.KeepKeyboard();
    } else {
        returnWindow_.Release();
    }
}

bool WindowGate::HasKeyboard() {
    // The main window, the floor log, or a box of Gavelton's.
    for (wxWindow* window : wxTopLevelWindows) {
        auto* top = dynamic_cast<wxTopLevelWindow*>(window);
        if (top && top->IsActive()) return true;
    }
    return false;
}

}  // namespace gv::ui
