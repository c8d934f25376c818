#pragma once
// A window of Gavelton's beside the main window (the floor log, and the like): on top like the
// main window, where the host last left it or the first time beside the main window, and
// closed through its owner, which keeps its place.

#include <wx/frame.h>

#include <functional>

#include "common/atomic_file.h"
#include "ui/window_place.h"

namespace gv::ui {

class SideWindow : public wxFrame {
public:
    // `title` after "Gavelton - "; `name` is the window's own, under which its place is kept.
    SideWindow(wxWindow* owner, const wxString& title, const wxString& name);
    ~SideWindow() override;
    SideWindow(const SideWindow&) = delete;
    SideWindow& operator=(const SideWindow&) = delete;

    // Keeps the size and place for the next time, then goes (at the next idle time) without
    // calling the SetOnGone callback: its owner has already let it go. Says whether the place
    // could be kept.
    FileResult Retire();
    // Runs when the host closes the window (its close box, or a key the window gives for it).
    void SetOnCloseRequest(std::function<void()> onClose) { onCloseRequest_ = std::move(onClose); }
    // Runs from the destructor, however the window goes.
    void SetOnGone(std::function<void()> onGone) { onGone_ = std::move(onGone); }

protected:
    // Once the window is built at its designed size: where it was kept, else beside `owner`.
    void Place(wxWindow* owner);
    void RequestClose();

private:
    std::function<void()> onCloseRequest_;
    std::function<void()> onGone_;
    KeptPlace place_;
};

}  // namespace gv::ui
