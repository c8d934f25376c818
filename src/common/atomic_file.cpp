#include "common/atomic_file.h"

#include <atomic>
#include <fstream>
#include <string>
#include <system_error>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace gv {
namespace fs = std::filesystem;

std::optional<std::string> ReadWholeFile(const fs::path& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    const auto size = fs::file_size(path, ec);
    if (!ec) bytes.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return std::nullopt;
    return bytes;
}

namespace {

// A name of our own beside the target, so the rename stays within one folder and volume.
fs::path TempPathFor(const fs::path& path, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
#ifdef _WIN32
    const unsigned long pid = GetCurrentProcessId();
#else
    const unsigned long pid = static_cast<unsigned long>(getpid());
#endif
    fs::path tmp = path;
    tmp += ".~" + std::to_string(pid) + "-" + std::to_string(counter.fetch_add(1)) + "-" +
           std::to_string(attempt) + ".tmp";
    return tmp;
}

FileResult Failure(std::string reason) { return FileResult{false, std::move(reason)}; }

}  // namespace

#ifdef _WIN32

namespace {

std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string out;
    if (n > 0 && text) {
        const int len =
            WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
        if (len > 0) {
            out.assign(static_cast<std::size_t>(len), '\0');
            WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), out.data(), len, nullptr, nullptr);
        }
    }
    if (text) LocalFree(text);
    while (!out.empty() &&
           (out.back() == '\n' || out.back() == '\r' || out.back() == ' ' || out.back() == '.')) {
        out.pop_back();
    }
    if (out.empty()) out = "Windows error " + std::to_string(code);
    return out;
}

}  // namespace

FileResult WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    fs::path tmp;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
        tmp = TempPathFor(path, attempt);
        h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    if (h == INVALID_HANDLE_VALUE) return Failure(SystemMessage(GetLastError()));

    auto fail = [&](DWORD code) {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        DeleteFileW(tmp.c_str());
        return Failure(SystemMessage(code));
    };
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(h, p, chunk, &written, nullptr)) return fail(GetLastError());
        p += written;
        left -= written;
    }
    if (!FlushFileBuffers(h)) return fail(GetLastError());
    const HANDLE closing = h;
    h = INVALID_HANDLE_VALUE;
    if (!CloseHandle(closing)) return fail(GetLastError());
    if (!MoveFileExW(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return fail(GetLastError());
    }
    return {};
}

#else

namespace {

std::string ErrnoText(int code) { return std::generic_category().message(code); }

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

FileResult WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    fs::path tmp;
    int fd = -1;
    for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tmp = TempPathFor(path, attempt);
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return Failure(ErrnoText(errno));

    auto fail = [&](int code) {
        if (fd >= 0) ::close(fd);
        ::unlink(tmp.c_str());
        return Failure(ErrnoText(code));
    };
    // A replaced file keeps its permissions.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    if (!WriteAll(fd, bytes)) return fail(errno);
    if (::fsync(fd) != 0) return fail(errno);
    const int closing = fd;
    fd = -1;
    if (::close(closing) != 0) return fail(errno);
    if (::rename(tmp.c_str(), path.c_str()) != 0) return fail(errno);

    // Make the rename itself durable; the new file is in place whatever this says.
    fs::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

#endif

}  // namespace gv
