// Faults from outside while the setup files are saved: the program killed at any moment of a
// save, and a disk that takes no more. Either way the file on disk is the earlier one or the new
// one, whole, and never missing.

#include <gtest/gtest.h>

#ifndef _WIN32

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "common/atomic_file.h"
#include "files.h"
#include "scratch_folder.h"
#include "setup/setup_files.h"

namespace gv {
namespace {

namespace fs = std::filesystem;

using testing::ReadFile;

class SetupFaults : public ::testing::Test {
protected:
    gv::testing::ScratchFolder scratch_{"gv-setup-faults"};
    fs::path folder_ = scratch_.path();
};

// Two versions of each file, of different lengths, so that a mix or a cut shows.
struct Versions {
    TierTable tiers[2];
    ItemList items[2];
    std::string bidsBytes[2];
    std::string itemsBytes[2];
};

Versions MakeVersions(const fs::path& folder) {
    Versions v;
    v.tiers[1].Row(0) = {"0", "100", "5"};
    v.tiers[1].Row(1) = {"101", "9999999", "25"};
    for (int i = 0; i < 400; ++i)
        v.items[1].Append("Lot " + std::to_string(i) + " of the evening - " + std::to_string(i * 7));
    v.items[0].Append("Oak chest - 500");
    for (int k = 0; k < 2; ++k) {
        EXPECT_TRUE(SaveBids(folder / "bids.ref", v.tiers[k]).ok);
        EXPECT_TRUE(SaveItems(folder / "items.ref", v.items[k]).ok);
        v.bidsBytes[k] = ReadFile(folder / "bids.ref");
        v.itemsBytes[k] = ReadFile(folder / "items.ref");
    }
    return v;
}

TEST_F(SetupFaults, KilledAtAnyMomentOfASaveLeavesTheOldOrTheNewFileWhole) {
    const Versions v = MakeVersions(folder_);
    const fs::path bids = folder_ / kBidsFile;
    const fs::path items = folder_ / kItemsFile;
    ASSERT_TRUE(SaveBids(bids, v.tiers[0]).ok);
    ASSERT_TRUE(SaveItems(items, v.items[0]).ok);
    std::mt19937 random(7);
    int killedMidway = 0;
    for (int trial = 0; trial < 200; ++trial) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves both files over and over, switching versions, until killed.
            for (int k = 1;; k ^= 1) {
                SaveBids(bids, v.tiers[k]);
                SaveItems(items, v.items[k]);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200 + random() % 3000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        killedMidway += WIFSIGNALED(status) ? 1 : 0;
        const std::string b = ReadFile(bids);
        const std::string i = ReadFile(items);
        ASSERT_TRUE(b == v.bidsBytes[0] || b == v.bidsBytes[1])
            << "trial " << trial << ": BIDS.TXT is " << b.size() << " bytes";
        ASSERT_TRUE(i == v.itemsBytes[0] || i == v.itemsBytes[1])
            << "trial " << trial << ": Items.TXT is " << i.size() << " bytes";
    }
    EXPECT_EQ(killedMidway, 200);
}

TEST_F(SetupFaults, AFullDiskKeepsTheEarlierFileAndSaysWhy) {
    const Versions v = MakeVersions(folder_);
    const fs::path items = folder_ / kItemsFile;
    ASSERT_TRUE(SaveItems(items, v.items[0]).ok);
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A file size limit fails every write past it with EFBIG, as a full disk fails with ENOSPC.
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const FileResult result = SaveItems(items, v.items[1]);
        const std::string reason = result.ok ? "saved" : result.reason;
        const ssize_t written = ::write(pipe[1], reason.data(), reason.size());
        ::_exit(written >= 0 ? 0 : 1);
    }
    ::close(pipe[1]);
    char buffer[512];
    const ssize_t got = ::read(pipe[0], buffer, sizeof buffer);
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_GT(got, 0);
    const std::string reason(buffer, static_cast<std::size_t>(got));
    EXPECT_NE(reason, "saved");
    EXPECT_NE(reason.find("large"), std::string::npos) << reason;  // "File too large"
    EXPECT_EQ(ReadFile(items), v.itemsBytes[0]);
}

}  // namespace
}  // namespace gv

#endif  // !_WIN32
