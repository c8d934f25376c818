#pragma once
// Files as the tests check and prepare them: the whole bytes, read and written as they are.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace gv::testing {

// The file's bytes; "<missing>" when it cannot be read, so that no file never passes for an
// empty one.
inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace gv::testing
