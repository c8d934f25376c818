#include "ui/one_per_folder.h"

#include <wx/app.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include "common/windows_api.h"
#else
#include "link/desktop/worlds_api.h"
#endif

namespace gv::ui {

namespace {

#ifdef _WIN32

// The folder's window carries a property of the key's name; the message of the same name asks
// it to the front.
std::function<void()> gToFront;

bool OnFrontMessage(wxWindowMSW*, WXUINT, WXWPARAM, WXLPARAM) {
    if (gToFront && wxTheApp != nullptr) wxTheApp->CallAfter(gToFront);
    return true;
}

struct Search {
    const wchar_t* key;
    HWND found = nullptr;
};

BOOL CALLBACK FindMarked(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (GetPropW(window, search->key) == nullptr) return TRUE;
    search->found = window;
    return FALSE;
}

#else

constexpr const char* kTopic = "front";

// Where the call to the front is served: a socket in the temporary folder.
wxString ServiceOf(const wxString& key) {
    return wxFileName(wxFileName::GetTempDir(), "." + key + ".sock").GetFullPath();
}

class FrontConnection final : public wxConnection {
public:
    explicit FrontConnection(const std::function<void()>& toFront) : toFront_(toFront) {}
    bool OnExecute(const wxString&, const void*, size_t, wxIPCFormat) override {
        // Not inside the other program's call: it waits for the answer.
        if (wxTheApp != nullptr && toFront_) wxTheApp->CallAfter(toFront_);
        return true;
    }

private:
    std::function<void()> toFront_;
};

class FrontServer final : public wxServer {
public:
    explicit FrontServer(std::function<void()> toFront) : toFront_(std::move(toFront)) {}
    wxConnectionBase* OnAcceptConnection(const wxString& topic) override {
        if (topic != kTopic) return nullptr;
        return new FrontConnection(toFront_);
    }

private:
    std::function<void()> toFront_;
};

#endif

}  // namespace

wxString FolderKeyOf(const wxString& folder) {
    wxFileName name = wxFileName::DirName(folder);
    name.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE | wxPATH_NORM_TILDE);
    wxString path = name.GetPath(wxPATH_GET_VOLUME);
    if (!wxFileName::IsCaseSensitive()) path.MakeLower();
    // FNV-1a over the UTF-8 bytes: the same folder gives the same name in every build.
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : path.utf8_string()) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return wxString::Format("Gavelton-%016llx", static_cast<unsigned long long>(hash));
}

OnePerFolder::OnePerFolder(const wxString& folder) : key_(FolderKeyOf(folder)) {
    checker_.Create(key_, wxFileName::GetTempDir());
#ifndef _WIN32
    // Sockets are set up on the main thread before first use; at start nothing has yet.
    if (!wxSocketBase::IsInitialized()) wxSocketBase::Initialize();
#endif
}

#ifdef _WIN32
OnePerFolder::~OnePerFolder() {
    // The window, and its property with it, is gone by now.
    if (!served_) return;
    wxWindowMSW::MSWUnregisterMessageHandler(static_cast<int>(RegisterWindowMessageW(key_.wc_str())),
                                             &OnFrontMessage);
    gToFront = nullptr;
}
#else
OnePerFolder::~OnePerFolder() = default;
#endif

bool OnePerFolder::AnotherRuns() {
    if (!checker_.IsAnotherRunning()) return false;
    // The first may be starting still: its window or service comes up a moment after its lock.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do {
#ifdef _WIN32
        Search search{key_.wc_str()};
        EnumWindows(&FindMarked, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            // This one was just started by the host, so it may hand the foreground over.
            if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
            SetForegroundWindow(search.found);
            PostMessageW(search.found, RegisterWindowMessageW(key_.wc_str()), 0, 0);
            break;
        }
#else
        const wxString service = ServiceOf(key_);
        // wx would wait ten minutes for a Gavelton that hangs; a host must not.
        if (worlds_api::ServiceAnswers(service.utf8_string(), std::chrono::milliseconds(500))) {
            wxClient client;
            std::unique_ptr<wxConnectionBase> connection(client.MakeConnection("localhost", service, kTopic));
            if (connection) {
                connection->Execute(wxString(kTopic));
                connection->Disconnect();
                break;
            }
        }
#endif
        wxMilliSleep(100);
    } while (std::chrono::steady_clock::now() < end);
    return true;
}

void OnePerFolder::Listen() {
#ifndef _WIN32
    // This one holds the folder's lock: a socket file there was left by a Gavelton killed.
    std::error_code ignored;
    std::filesystem::remove(ServiceOf(key_).utf8_string(), ignored);
    // Asked while the window is not there yet: it comes to the front once it is.
    auto server = std::make_unique<FrontServer>([this] { toFront_ ? toFront_() : void(askedEarly_ = true); });
    if (server->Create(ServiceOf(key_))) server_ = std::move(server);
#endif
}

void OnePerFolder::Serve(wxWindow* window, std::function<void()> toFront) {
    toFront_ = std::move(toFront);
#ifdef _WIN32
    served_ = true;
    gToFront = toFront_;
    wxWindowMSW::MSWRegisterMessageHandler(static_cast<int>(RegisterWindowMessageW(key_.wc_str())),
                                           &OnFrontMessage);
    SetPropW(static_cast<HWND>(window->GetHWND()), key_.wc_str(), reinterpret_cast<HANDLE>(1));
#else
    static_cast<void>(window);
    if (std::exchange(askedEarly_, false)) toFront_();
#endif
}

}  // namespace gv::ui
