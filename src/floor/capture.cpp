#include "floor/capture.h"

#include "common/ansi.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

#include <algorithm>
#include <cstddef>

namespace gv {

namespace {

constexpr int kCaptureAttempts = 5;
constexpr int kYieldsBeforeAttempt = 12;

}  // namespace

#ifdef _WIN32

bool DeleteCaptureFile(const std::filesystem::path& path) {
    if (DeleteFileW(path.c_str())) return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool WriteCaptureFile(const std::filesystem::path& path, std::string_view bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    while (ok && !bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        ok = WriteFile(file, bytes.data(), chunk, &written, nullptr) && written > 0;
        bytes.remove_prefix(written);
    }
    if (!CloseHandle(file)) ok = false;
    return ok;
}

std::optional<std::string> ReadCaptureFile(const std::filesystem::path& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0)
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[1 << 16];
    bool ok = true;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    if (!ok) return std::nullopt;
    return bytes;
}

#else

namespace {

// Closes the descriptor on every way out.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

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
    Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | kOpenFlags, 0666));
    if (fd.get() < 0 || !IsPlainFile(fd.get())) return false;
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd.get(), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return fd.Close();
}

std::optional<std::string> ReadCaptureFile(const std::filesystem::path& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | kOpenFlags));
    if (fd.get() < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
}

#endif

CaptureResult CaptureChat(LinkPort& link, EventPump& pump, const std::filesystem::path& path) {
    CaptureResult result;
    for (int attempt = 0; attempt < kCaptureAttempts; ++attempt) {
        pump.YieldTimes(kYieldsBeforeAttempt);
        // A file that cannot be deleted is no reason to stop: the fetched text itself can
        // still be read, and a stale file is never read in its place (see CapturedText).
        DeleteCaptureFile(path);
        ChatFetch fetch = link.FetchAllText();
        if (!fetch.text.empty()) {
            std::string bytes = ToAnsi(fetch.text);
            bytes += "\r\n";
            result.saved = WriteCaptureFile(path, bytes);
            result.text = std::move(fetch.text);
            result.fault = LinkFault::None;
            return result;
        }
        result.fault = fetch.fault == LinkFault::None ? LinkFault::NoChatText : fetch.fault;
        if (fetch.waitedOut) break;
    }
    return result;
}

std::optional<std::string> CapturedText(const CaptureResult& capture, const std::filesystem::path& path) {
    if (capture.text.empty()) return std::nullopt;
    if (capture.saved) {
        if (std::optional<std::string> bytes = ReadCaptureFile(path)) return FromAnsi(*bytes);
    }
    // The file could not be written or read back (e.g. no right to write there): the bids
    // are in the text we already hold, so read that rather than report "no new bids".
    std::string text = capture.text;
    text += "\r\n";
    return text;
}

}  // namespace gv
