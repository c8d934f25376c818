#include "ui/side_window.h"

#include <wx/display.h>

#include "common/program_title.h"
#include "ui/gavel_icon.h"
#include "ui/native.h"

namespace gv::ui {

SideWindow::SideWindow(wxWindow* owner, const wxString& title, const wxString& name)
    : wxFrame(owner, wxID_ANY, wxString(kProgramTitle) + " - " + title, wxDefaultPosition, wxDefaultSize,
              wxDEFAULT_FRAME_STYLE | wxSTAY_ON_TOP, name) {
    SetIcon(GavelIcon());
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        if (onCloseRequest_ && event.CanVeto()) {
            event.Veto();
            CallAfter([this] { RequestClose(); });
            return;
        }
        event.Skip();
    });
}

SideWindow::~SideWindow() {
    place_.Keep();
    if (onGone_) onGone_();
}

void SideWindow::Place(wxWindow* owner) {
    if (!place_.Restore(this)) {
        const wxRect screen = wxDisplay(owner).GetClientArea();
        SetSize(FirstPlaceBeside(screen, owner->GetScreenRect(), GetSize()));
    }
    KeepOnTop(this);
}

void SideWindow::RequestClose() {
    if (onCloseRequest_) onCloseRequest_();
}

FileResult SideWindow::Retire() {
    // Saved while the window still stands where the host left it.
    FileResult saved = place_.Keep();
    onGone_ = {};
    Destroy();
    return saved;
}

}  // namespace gv::ui
