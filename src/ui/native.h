#pragma once
// What wxWidgets does not offer: plain commands on the menu bar (a click runs the command,
// no drop-down list), keeping a window on top, and a compact look for the small controls.

#include <wx/gdicmn.h>
#include <wx/string.h>

#include <cstdint>
#include <functional>
#include <vector>

class wxFrame;
class wxTopLevelWindow;
class wxWindow;

namespace gv::ui {

// Makes the window topmost without moving or resizing it.
void KeepOnTop(wxTopLevelWindow* window);

// The window's native handle (HWND, X window id), 0 while it has none (not yet realised, or a
// display that is not X).
std::uintptr_t NativeWindowHandle(wxWindow* window);

// GTK themes pad buttons and entries for touch-sized layouts; the design is a compact
// classic form, so trim their padding. Nothing elsewhere.
void UseCompactStyle(wxWindow* control);

// A list whose rows are all one line high: the toolkit need not measure every row of a long
// list to size it (GTK's tree view otherwise lays out each row's text, thousands of them).
void UseFixedRowHeights(wxWindow* list);

class MenuCommands {
public:
    struct Command {
        wxString name;     // the designed control name, e.g. "AUCTIONITSELF"
        wxString caption;  // with "&" before the mnemonic letter
        std::function<void()> run;
    };

    // Puts the commands on the frame's (empty) menu bar, left to right.
    void Install(wxFrame* frame, std::vector<Command> commands);

    // The width the menu bar needs to show every caption (0 where it never widens the window).
    int NaturalWidth() const;
    // Where the command's caption is on the screen (for driving the window in tests).
    wxRect ItemScreenRect(std::size_t index) const;

#ifdef _WIN32
    // From the frame's window procedure: runs the command with this WM_COMMAND id, if ours.
    bool HandleCommand(unsigned id) const;
#endif

private:
#ifndef _WIN32
    static int OnBarRelease(void* bar, void* event, void* data);
#endif
    wxFrame* frame_ = nullptr;
    std::vector<Command> commands_;
    std::vector<void*> items_;  // GTK: the GtkMenuItem of each command
    void* bar_ = nullptr;       // GTK: the GtkMenuBar
};

}  // namespace gv::ui
