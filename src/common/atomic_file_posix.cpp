// Files through the POSIX calls.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "common/atomic_file.h"

namespace gv {
namespace fs = std::filesystem;

bool OwnedFile::IsOpen() const { return handle_ >= 0; }

bool OwnedFile::Close() {
    if (handle_ < 0) return true;
    const int fd = handle_;
    handle_ = -1;
    return ::close(fd) == 0;
}

std::optional<std::size_t> ReadSome(OwnedFile& file, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(file.Get(), buffer, size);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) return std::nullopt;
    }
}

std::optional<std::size_t> WriteSome(OwnedFile& file, std::string_view bytes) {
    for (;;) {
        const ssize_t written = ::write(file.Get(), bytes.data(), bytes.size());
        if (written >= 0) return static_cast<std::size_t>(written);
        if (errno != EINTR) return std::nullopt;
    }
}

namespace {

std::string ErrnoText(int code) { return std::generic_category().message(code); }

// Makes a rename in the folder durable; the new file is in place whatever this says.
void SyncFolderOf(const fs::path& path) {
    fs::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    OwnedFile dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.IsOpen()) ::fsync(dir.Get());
}

}  // namespace

FileResult PreparedReplacement::Prepare(const fs::path& path, std::string_view bytes) {
    Drop();
    fs::path tmp;
    int fd = -1;
    for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tmp = TempPathBeside(path, attempt);
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return FileResult{false, ErrnoText(errno)};
    OwnedFile file(fd);

    auto fail = [&](int code) {
        file.Close();
        ::unlink(tmp.c_str());
        return FileResult{false, ErrnoText(code)};
    };
    // A replaced file keeps its permissions.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) ::fchmod(file.Get(), old.st_mode & 07777);
    if (!WriteAll(file, bytes)) return fail(errno);
    if (::fsync(file.Get()) != 0) return fail(errno);
    if (!file.Close()) return fail(errno);
    path_ = path;
    temp_ = tmp;
    return {};
}

FileResult PreparedReplacement::Commit() {
    if (temp_.empty()) return FileResult{false, "nothing prepared"};
    if (::rename(temp_.c_str(), path_.c_str()) != 0) {
        const int code = errno;
        Drop();
        return FileResult{false, ErrnoText(code)};
    }
    temp_.clear();
    SyncFolderOf(path_);
    return {};
}

FileResult AppendToFile(const fs::path& path, std::string_view bytes, std::string_view header) {
    OwnedFile file(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666));
    if (!file.IsOpen()) return FileResult{false, ErrnoText(errno)};
    struct stat before {};
    if (::fstat(file.Get(), &before) != 0) return FileResult{false, ErrnoText(errno)};
    std::string all;
    if (before.st_size == 0) all = header;
    all += bytes;
    if (!WriteAll(file, all)) {
        const int code = errno;
        // A full disk may take part of it: what the file held before stays, and only that.
        // Should that fail too, the write's reason is still the one to tell.
        [[maybe_unused]] const int cut = ::ftruncate(file.Get(), before.st_size);
        return FileResult{false, ErrnoText(code)};
    }
    if (!file.Close()) return FileResult{false, ErrnoText(errno)};
    return {};
}

}  // namespace gv
