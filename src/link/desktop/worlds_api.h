#pragma once
// Where the chat client's DDE service lives on platforms without DDE. Shared by the tool and
// by anything that plays the chat client.

#include <chrono>
#include <filesystem>
#include <string>

#include "link/worlds_api_names.h"

namespace gv::worlds_api {

#ifndef _WIN32
// The service is the socket file "WorldsApi" in $XDG_RUNTIME_DIR, or, where that is unset,
// in the folder gavelton-<uid> of the system's temp folder, created with mode 0700.
// Returns the socket path; `error` says why the folder could not be made (path then empty).
std::filesystem::path ServiceSocketPath(std::string* error = nullptr);

// Whether a program is serving `socket` and answers the opening of a conversation within
// `limit`. wxWidgets' own connect waits up to ten minutes for that answer, and a socket can
// be accepted by the system while nobody ever reads it; asked first, a hung service costs
// `limit`. The probe opens nothing on the service: wx's server answers any opening other
// than a connect with a refusal and hangs up.
bool ServiceAnswers(const std::filesystem::path& socket, std::chrono::milliseconds limit);
#endif

}  // namespace gv::worlds_api
