#pragma once
// What wxWidgets does not offer: plain commands on the menu bar (a click runs the command,
// no drop-down list), keeping a window on top, and a compact look for the small controls.

#include <wx/gdicmn.h>
#include <wx/string.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class wxFrame;
class wxTopLevelWindow;
class wxWindow;

namespace gv::ui {

// Makes the window topmost without moving or resizing it.
void KeepOnTop(wxTopLevelWindow* window);

// Whether putting the focus on a control of a window that does not have the keyboard takes the
// keyboard from the program that has it. GTK asks for it; Windows only moves Gavelton's own
// focus, which it needs for keys (Alt+F4 among them) once the host comes back to the window.
bool FocusTakesTheKeyboard();

// The close button, or a close another program asks for, reaches the window's close handler
// also while the window is disabled (busy): GTK would drop it, and the host's close would be
// lost. Windows hands a close asked for by another program (WM_CLOSE) to the window already.
void PassCloseWhileDisabled(wxTopLevelWindow* window);

// What a command in progress disables of `window`. GTK: the whole window, its menu bar
// included (its close still comes through, above). Windows gives a disabled window no click at
// all, its close button's included: there only `client` is disabled, and a menu bar command
// that comes meanwhile finds the window busy and is dropped as a click on it would be.
wxWindow* DisabledWhileBusy(wxTopLevelWindow* window, wxWindow* client);

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
    MenuCommands() = default;
    MenuCommands(const MenuCommands&) = delete;
    MenuCommands& operator=(const MenuCommands&) = delete;
#ifdef _WIN32
    ~MenuCommands();
#endif

    struct Command {
        wxString name;     // the designed control name, e.g. "AUCTIONITSELF"
        wxString caption;  // with "&" before the mnemonic letter
        std::function<void()> run;
    };

    // Puts the commands on the frame's (empty) menu bar, left to right.
    void Install(wxFrame* frame, std::vector<Command> commands);

    // The width the menu bar has in the window: where the platform lets the items' spacing be
    // chosen, they are spaced to fit it in one row.
    void FitWidth(int pixels);
    // The width the menu bar needs to show every caption (0 where it never widens the window).
    int NaturalWidth() const;
    // Where the command's caption is on the screen (for driving the window in tests).
    wxRect ItemScreenRect(std::size_t index) const;

#ifdef _WIN32
    // From the frame's window procedure: runs the command with this WM_COMMAND id, if ours.
    bool HandleCommand(unsigned id) const;
    // From the frame's window procedure, before wxWidgets sees it: measures and draws the
    // drawn items and finds a caption by its mnemonic. True, with the answer in `result`,
    // when the message was about one of ours.
    bool HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                       std::intptr_t& result) const;
#endif

private:
#ifndef _WIN32
    static int OnBarRelease(void* bar, void* event, void* data);
#endif
    wxFrame* frame_ = nullptr;
    std::vector<Command> commands_;
    std::vector<void*> items_;  // GTK: the GtkMenuItem of each command
    void* bar_ = nullptr;       // the menu bar: GTK's GtkMenuBar, Windows' HMENU
#ifdef _WIN32
    struct ItemName;  // what a screen reader reads of a drawn item (MSAAMENUINFO)
    std::vector<std::shared_ptr<ItemName>> names_;
    int fitWidth_ = 0;  // pixels at fitDpi_
    int fitDpi_ = 96;
    // What the system adds to the width a drawn item asks for, read off the bar once it is laid
    // out (-1 until then: guessed as twice the font's average character width); and what the
    // first item asked for.
    mutable int systemAdds_ = -1;
    mutable unsigned firstAsked_ = 0;
#endif
};

}  // namespace gv::ui
