// The capture file through the POSIX calls. A symbolic link standing at the path is never
// followed.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/atomic_file.h"
#include "floor/capture.h"

namespace gv {

namespace {

bool IsPlainFile(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

// O_NOFOLLOW refuses a symbolic link at the path; O_NONBLOCK keeps a FIFO that appeared there
// from blocking the window (plain files ignore it).
constexpr int kOpenFlags = O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;

}  // namespace

bool DeleteCaptureFile(const std::filesystem::path& path) {
    // unlink removes a symbolic link itself, never its target, and refuses folders.
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool WriteCaptureFile(const std::filesystem::path& path, std::string_view bytes) {
    OwnedFile file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | kOpenFlags, 0666));
    if (!file.IsOpen() || !IsPlainFile(file.Get())) return false;
    if (!WriteAll(file, bytes)) return false;
    return file.Close();
}

std::optional<std::string> ReadCaptureFile(const std::filesystem::path& path) {
    OwnedFile file(::open(path.c_str(), O_RDONLY | kOpenFlags));
    if (!file.IsOpen()) return std::nullopt;
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return ReadToEnd(file, static_cast<std::size_t>(info.st_size));
}

}  // namespace gv
