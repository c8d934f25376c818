#pragma once
// Reading a whole file, and replacing a file only once its new contents are complete.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace gv {

struct FileResult {
    bool ok = true;
    std::string reason;  // for the host, when !ok (e.g. "Permission denied")
};

// Whole file as bytes; nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Writes the bytes to a temporary file in the same folder, flushes it to disk and only then
// renames it over `path`. On any failure the earlier file is left exactly as it was and the
// temporary file is removed.
FileResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace gv
