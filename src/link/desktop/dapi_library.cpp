#include "link/desktop/dapi_library.h"

#include <wx/dynlib.h>
#include <wx/log.h>

#include <vector>

namespace gv {

namespace {

// Catches what wxDynamicLibrary would otherwise show in a log window of its own, so the host
// gets one message that says everything.
class CapturingLog final : public wxLog {
public:
    std::string text;

protected:
    void DoLogTextAtLevel(wxLogLevel, const wxString& message) override {
        if (!text.empty()) text += "; ";
        text += message.utf8_string();
    }
};

class ScopedLogCapture {
public:
    ScopedLogCapture() : previous_(wxLog::SetActiveTarget(&capture_)) {}
    ~ScopedLogCapture() { wxLog::SetActiveTarget(previous_); }
    ScopedLogCapture(const ScopedLogCapture&) = delete;
    ScopedLogCapture& operator=(const ScopedLogCapture&) = delete;
    const std::string& Text() const { return capture_.text; }

private:
    CapturingLog capture_;
    wxLog* previous_;
};

const char* const kKeepsRunning =
    "Gavelton keeps running, but nothing is said into the chat or read from it until "
    "ReConnect finds the library.";

template <typename Fn>
bool Bind(wxDynamicLibrary& library, const char* name, Fn& target, std::vector<std::string>& missing) {
    if (!library.HasSymbol(name)) {
        missing.emplace_back(name);
        return false;
    }
    target = reinterpret_cast<Fn>(library.GetSymbol(name));
    return true;
}

}  // namespace

WxDapiLoader::WxDapiLoader(std::string fileName) : fileName_(std::move(fileName)) {}

WxDapiLoader::~WxDapiLoader() = default;

const WadapiFunctions* WxDapiLoader::Load(std::string& problem) {
    if (library_ && library_->IsLoaded()) return &functions_;

    auto library = std::make_unique<wxDynamicLibrary>();
    std::string reason;
    {
        ScopedLogCapture capture;
        if (!library->Load(wxString::FromUTF8(fileName_), wxDL_NOW | wxDL_VERBATIM)) {
            reason = capture.Text();
        }
    }
    if (!library->IsLoaded()) {
        problem = "The chat client's API library " + fileName_ + " could not be loaded";
        problem += reason.empty() ? "." : " (" + reason + ").";
        problem += "\n\n";
        problem += kKeepsRunning;
        return nullptr;
    }

    WadapiFunctions functions;
    std::vector<std::string> missing;
    {
        wxLogNull quiet;
        Bind(*library, "InitDDE", functions.initDDE, missing);
        Bind(*library, "KillDDE", functions.killDDE, missing);
        Bind(*library, "DapiRegister", functions.dapiRegister, missing);
        Bind(*library, "DapiUnregister", functions.dapiUnregister, missing);
        Bind(*library, "DapiCommunicate", functions.dapiCommunicate, missing);
        Bind(*library, "DapiGetAllText", functions.dapiGetAllText, missing);
    }
    if (!missing.empty()) {
        problem = "The chat client's API library " + fileName_ + " was found, but it lacks the function";
        problem += missing.size() > 1 ? "s " : " ";
        for (std::size_t i = 0; i < missing.size(); ++i) {
            if (i > 0) problem += ", ";
            problem += missing[i];
        }
        problem += ".\n\n";
        problem += kKeepsRunning;
        return nullptr;  // unloaded with `library`; tried again next time
    }

    library_ = std::move(library);
    functions_ = functions;
    return &functions_;
}

}  // namespace gv
