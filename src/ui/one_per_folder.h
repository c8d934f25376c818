#pragma once
// One Gavelton per working folder: two windows speaking as the host, each writing the folder's
// files at close, would undo each other's sales. A second start in the same folder brings the
// first window to the front and ends; a Gavelton in another folder starts as ever. The lock is
// the system's own (a named mutex on Windows, a lock file naming a live process elsewhere), so
// one left by a killed Gavelton blocks nothing. On Windows the first window is found by a
// property of the folder's name and asked with a message of that name; elsewhere over a socket.

#include <wx/ipc.h>
#include <wx/snglinst.h>
#include <wx/string.h>
#include <wx/window.h>

#include <functional>
#include <memory>

namespace gv::ui {

// The name both the lock and the call to the front are made from: the folder's full path
// (case-folded where the file system ignores case), hashed.
wxString FolderKeyOf(const wxString& folder);

class OnePerFolder {
public:
    explicit OnePerFolder(const wxString& folder);
    ~OnePerFolder();
    OnePerFolder(const OnePerFolder&) = delete;
    OnePerFolder& operator=(const OnePerFolder&) = delete;

    // Another Gavelton runs in the folder: it was asked to come to the front.
    bool AnotherRuns();
    // This one is the folder's, from now on: a later start asks it to the front.
    void Listen();
    // The folder's window, and what coming to the front does; runs after the current event.
    void Serve(wxWindow* window, std::function<void()> toFront);

private:
    wxString key_;
    wxSingleInstanceChecker checker_;
    std::function<void()> toFront_;
#ifdef _WIN32
    bool served_ = false;
#else
    std::unique_ptr<wxServer> server_;
    bool askedEarly_ = false;
#endif
};

}  // namespace gv::ui
