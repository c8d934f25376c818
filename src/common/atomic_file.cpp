#include "common/atomic_file.h"

#include <atomic>
#include <fstream>
#include <string>
#include <system_error>

#ifdef _WIN32
#include "common/windows_api.h"
#else
#include <unistd.h>
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

bool WriteAll(OwnedFile& file, std::string_view bytes) {
    while (!bytes.empty()) {
        const std::optional<std::size_t> written = WriteSome(file, bytes);
        if (!written) return false;
        bytes.remove_prefix(*written);
    }
    return true;
}

std::optional<std::string> ReadToEnd(OwnedFile& file, std::size_t expectedSize) {
    std::string bytes;
    bytes.reserve(expectedSize);
    char buffer[1 << 16];
    for (;;) {
        const std::optional<std::size_t> got = ReadSome(file, buffer, sizeof buffer);
        if (!got) return std::nullopt;
        if (*got == 0) return bytes;
        bytes.append(buffer, *got);
    }
}

FileResult WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    PreparedReplacement replacement;
    FileResult prepared = replacement.Prepare(path, bytes);
    if (!prepared.ok) return prepared;
    return replacement.Commit();
}

void PreparedReplacement::Drop() {
    if (temp_.empty()) return;
    std::error_code ignored;
    fs::remove(temp_, ignored);
    temp_.clear();
}

fs::path TempPathBeside(const fs::path& path, unsigned attempt) {
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

}  // namespace gv
