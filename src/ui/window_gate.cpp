#include "ui/window_gate.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/utils.h>

#include <utility>

#include "ui/colours.h"
#include "ui/input_guard.h"
#include "ui/native.h"

namespace gv::ui {

WindowGate::WindowGate(wxFrame* frame, EventPump& pump) : frame_(frame), pump_(pump), returnWindow_(frame) {
    lookDelay_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { gate_.BusyLookDue(); });
}

WindowGate::~WindowGate() {
    lookDelay_.Stop();
    if (inputGuard_) wxEvtHandler::RemoveFilter(inputGuard_.get());
    if (hourglass_) wxEndBusyCursor();
}

void WindowGate::Attach(wxWindow* client, std::function<void()> focusDummy, std::function<bool()> amber) {
    client_ = client;
    focusDummy_ = std::move(focusDummy);
    amber_ = std::move(amber);
}

void WindowGate::Paint(bool red) {
    const wxColour& colour = red ? kRed : (amber_ && amber_() ? kAmber : kCyan);
    if (client_->GetBackgroundColour() == colour) return;
    client_->SetBackgroundColour(colour);
    client_->Refresh();
}

void WindowGate::ShowIdleColour() {
    if (gate_.IsBusy()) return;
    client_->SetBackgroundColour(amber_ && amber_() ? kAmber : kCyan);
    client_->Refresh();
}

void WindowGate::RefuseInput() {
    if (inputGuard_) return;
    inputGuard_ = std::make_unique<InputGuard>(frame_);
    wxEvtHandler::AddFilter(inputGuard_.get());
    frame_->Disable();  // the whole window, its menu bar included
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
    if (inputGuard_) frame_->Enable();
    Paint(false);
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
        focusDummy_();
    } else if (focusBefore_ && wxWindow::FindFocus() != focusBefore_) {
        // Disabling the window may have taken the focus from one of its controls.
        focusBefore_->SetFocus();
    }
    focusBefore_ = nullptr;
}

void WindowGate::Later(std::function<void()> action) { frame_->CallAfter(std::move(action)); }

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
