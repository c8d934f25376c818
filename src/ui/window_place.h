#pragma once
// Where Gavelton's own windows beside the main window (the floor log and the like) open: where
// the host last left each, kept under the window's own name in one file of the working folder,
// or the first time beside the main window.

#include <wx/gdicmn.h>

#include <vector>

#include "common/atomic_file.h"

class wxTopLevelWindow;

namespace gv::ui {

// Where the windows' sizes and places are kept, in the working folder: never Gavelton.ini,
// which is the host's own.
inline constexpr const char* kWindowStateFile = "Gavelton windows.ini";

// Where a window first opens (no place kept yet): its designed size, made smaller where the
// room needs it, beside, below or above the main window `main`, whichever side leaves the most
// of it, inside the screen's work area `screen`: never over the main window's controls.
wxRect FirstPlaceBeside(const wxRect& screen, const wxRect& main, const wxSize& designed);

// A kept place that no screen shows enough of to take hold of (a monitor unplugged since) comes
// back on the screen nearest to it, kept whole where it fits; a place a screen shows stays as it
// is. `screens` are the work areas of the screens there are now.
wxRect OntoNearestScreen(const wxRect& place, const std::vector<wxRect>& screens);

// One window's size and place in kWindowStateFile, kept under the window's name (the name it
// was made with, "FloorLog") beside those of the other windows.
class KeptPlace {
public:
    // Puts `window` where the file (read afresh: tests and hosts alike run in the folder whose
    // files they mean) last kept it, on a screen there is now, and keeps it from now on. False
    // when nothing is kept under its name: the window stays as it is.
    bool Restore(wxTopLevelWindow* window);
    // Keeps the window's present size and place, the file written with it, once: later calls
    // keep nothing and succeed. Says whether the file could be written.
    FileResult Keep();

private:
    wxTopLevelWindow* window_ = nullptr;
    bool kept_ = false;
};

}  // namespace gv::ui
