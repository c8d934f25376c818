#include "ui/side_window.h"

#include <wx/display.h>

#include <algorithm>

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
        wxRect place = FirstPlaceBeside(screen, owner->GetScreenRect(), GetSize());
        // A window that cannot be as small as the room beside the main window stays whole on
        // the screen, over the main window's edge if it must.
        wxSize size = place.GetSize();
        size.IncTo(GetMinSize());
        place.SetSize(size);
        place.x = std::max(screen.x, std::min(place.x, screen.GetRight() + 1 - place.width));
        place.y = std::max(screen.y, std::min(place.y, screen.GetBottom() + 1 - place.height));
        SetSize(place);
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
