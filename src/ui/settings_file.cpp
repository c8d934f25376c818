#include "ui/settings_file.h"

#include <wx/fileconf.h>
#include <wx/filefn.h>
#include <wx/log.h>

#include <vector>

namespace gv::ui {

HostSettings LoadHostSettings(const wxString& path, std::string& failure) {
    HostSettings settings;
    failure.clear();
    if (!wxFileExists(path)) return settings;
    // wxFileConfig reports a line it cannot parse through the log, which would show a box at
    // start; the keys it could read still count.
    const wxLogNull quiet;
    wxFileConfig file(wxString(), wxString(), path, wxString(), wxCONFIG_USE_LOCAL_FILE);
    file.SetExpandEnvVars(false);  // a "$" in a value is the host's, not an environment variable
    std::vector<RejectedSetting> rejected;
    for (const std::string_view key : HostSettingKeys()) {
        const wxString name = wxString::FromUTF8(key.data(), key.size());
        wxString text;
        if (!file.Read(name, &text)) continue;
        if (!SetHostSetting(settings, key, text.utf8_string())) {
            rejected.push_back({std::string(key), text.utf8_string()});
        }
    }
    failure = RejectedSettingsText(rejected);
    const std::string shared = SwitchOffSharedHotkeys(settings);
    if (!shared.empty()) failure += (failure.empty() ? "" : "; ") + shared;
    return settings;
}

}  // namespace gv::ui
