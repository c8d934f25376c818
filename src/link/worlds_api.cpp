#include "link/worlds_api.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace gv::worlds_api {

std::filesystem::path ServiceSocketPath(std::string* error) {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0') {
        return std::filesystem::path(runtime) / kService;
    }
    std::error_code ec;
    std::filesystem::path folder =
        std::filesystem::temp_directory_path(ec) / ("gavelton-" + std::to_string(::getuid()));
    if (ec) folder = std::filesystem::path("/tmp") / ("gavelton-" + std::to_string(::getuid()));
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        if (error != nullptr) *error = std::strerror(errno);
        return {};
    }
    // Someone else's folder (or a link to one) must not carry our conversation.
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) {
        if (error != nullptr) *error = "unsafe folder " + folder.string();
        return {};
    }
    if ((st.st_mode & 077) != 0) ::chmod(folder.c_str(), 0700);
    return folder / kService;
}

}  // namespace gv::worlds_api
#endif
