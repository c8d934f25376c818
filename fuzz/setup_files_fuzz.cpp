// BIDS.TXT and Items.TXT with any bytes in them: what is loaded, saved and loaded again is the
// same table and list, and saving that again writes the same bytes.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "require.h"
#include "setup/setup_files.h"

namespace {

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        // The saves flush to the disk each time; in memory that costs nothing.
        const std::filesystem::path shm = "/dev/shm";
        const auto base = std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
        auto path = base / ("gv-fuzz-setup-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

template <class Model, class Load, class Save>
void RoundTrip(const std::string& bytes, Load load, Save save) {
    const std::filesystem::path file = Folder() / "file.txt";
    Write(file, bytes);
    Model first;
    load(file, first);
    GV_REQUIRE(save(file, first).ok);
    const std::string saved = Read(file);
    Model second;
    load(file, second);
    GV_REQUIRE(second == first);
    GV_REQUIRE(save(file, second).ok);
    GV_REQUIRE(Read(file) == saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    RoundTrip<gv::TierTable>(bytes, gv::LoadBids, gv::SaveBids);
    RoundTrip<gv::ItemList>(bytes, gv::LoadItems, gv::SaveItems);
    return 0;
}
