#pragma once
// Reads the host's Gavelton.ini with wxFileConfig. Without the file every key has its
// default; a value a key does not allow keeps the default and is named in `failure`.

#include <wx/string.h>

#include <string>

#include "setup/host_settings.h"

namespace gv::ui {

HostSettings LoadHostSettings(const wxString& path, std::string& failure);

}  // namespace gv::ui
