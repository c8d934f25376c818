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

constexpr const char* kTopic = "front";

// Where the call to the front is served: a DDE service on Windows, a socket elsewhere.
wxString ServiceOf(const wxString& key) {
#ifdef _WIN32
    return key;
#else
    return wxFileName(wxFileName::GetTempDir(), "." + key + ".sock").GetFullPath();
#endif
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

OnePerFolder::~OnePerFolder() = default;

bool OnePerFolder::AnotherRuns() {
    if (!checker_.IsAnotherRunning()) return false;
#ifdef _WIN32
    // The first Gavelton may take the foreground only if the one the host just started lets it.
    AllowSetForegroundWindow(ASFW_ANY);
#endif
    // The first may be starting still: its service comes up right after its lock.
    const wxString service = ServiceOf(key_);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do {
#ifndef _WIN32
        // wx would wait ten minutes for a Gavelton that hangs; a host must not.
        if (!worlds_api::ServiceAnswers(service.utf8_string(), std::chrono::milliseconds(500))) {
            wxMilliSleep(100);
            continue;
        }
#endif
        wxClient client;
        std::unique_ptr<wxConnectionBase> connection(client.MakeConnection("localhost", service, kTopic));
        if (connection) {
            connection->Execute(wxString(kTopic));
            connection->Disconnect();
            break;
        }
        wxMilliSleep(100);
    } while (std::chrono::steady_clock::now() < end);
    return true;
}

void OnePerFolder::Serve(std::function<void()> toFront) {
    toFront_ = std::move(toFront);
    if (std::exchange(askedEarly_, false)) toFront_();
}

void OnePerFolder::Listen() {
#ifndef _WIN32
    // This one holds the folder's lock: a socket file there was left by a Gavelton killed.
    std::error_code ignored;
    std::filesystem::remove(ServiceOf(key_).utf8_string(), ignored);
#endif
    // Asked while the window is not there yet: it comes to the front once it is.
    auto server = std::make_unique<FrontServer>([this] { toFront_ ? toFront_() : void(askedEarly_ = true); });
    if (server->Create(ServiceOf(key_))) server_ = std::move(server);
}

}  // namespace gv::ui
