#pragma once
// A folder of the test's own under the system's temporary folder, removed with everything in
// it when the object goes.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace gv::testing {

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix = "gv-test") {
        std::mt19937_64 random(std::random_device{}());
        path_ = std::filesystem::temp_directory_path() /
                (prefix + "-" + std::to_string(::getpid()) + "-" + std::to_string(random() % 1000000000));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes a file in the folder, byte for byte; its path.
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path file = path_ / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

private:
    std::filesystem::path path_;
};

}  // namespace gv::testing
