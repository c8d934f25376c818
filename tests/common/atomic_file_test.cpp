#include "common/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

#include "scratch_folder.h"

namespace gv {
namespace {
namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
protected:
    void TearDown() override {
        // A test may have taken the write permission; the folder must still go.
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    }
    std::size_t EntriesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }
    gv::testing::ScratchFolder scratch_{"gv-atomic"};
    fs::path dir_ = scratch_.path();
};

TEST_F(AtomicFile, WritesAndReadsBackExactBytes) {
    const fs::path file = dir_ / "BIDS.TXT";
    const std::string bytes("0\r\n\0\xFF\r\n", 7);
    ASSERT_TRUE(WriteFileAtomically(file, bytes).ok);
    EXPECT_EQ(ReadWholeFile(file), bytes);
    ASSERT_TRUE(WriteFileAtomically(file, "").ok);
    EXPECT_EQ(ReadWholeFile(file), "");
    EXPECT_EQ(EntriesInFolder(), 1u) << "no temporary file is left behind";
}

// The mark goes only into a new file; a write the disk takes only part of is cut off again, so
// the file never ends in half of what was added (a file size limit stands in for a full disk).
TEST_F(AtomicFile, AppendingAddsTheHeaderOnceAndNeverLeavesHalfAWrite) {
    const fs::path file = dir_ / "log.txt";
    ASSERT_TRUE(AppendToFile(file, "one\r\n", "MARK").ok);
    ASSERT_TRUE(AppendToFile(file, "two\r\n", "MARK").ok);
    EXPECT_EQ(ReadWholeFile(file), "MARKone\r\ntwo\r\n");

    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit small = before;
    small.rlim_cur = 20;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileResult full = AppendToFile(file, std::string(40, 'x'), "MARK");
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(full.ok);
    EXPECT_FALSE(full.reason.empty());
    EXPECT_EQ(ReadWholeFile(file), "MARKone\r\ntwo\r\n");
}

TEST_F(AtomicFile, LargeFileReadsWhole) {
    const fs::path file = dir_ / "big";
    std::string bytes(10 * 1024 * 1024 + 3, 'b');
    bytes.back() = 'e';
    ASSERT_TRUE(WriteFileAtomically(file, bytes).ok);
    EXPECT_EQ(ReadWholeFile(file), bytes);
}

// The primitives under both the atomic save and the capture file: a file larger than one read
// buffer goes out and comes back whole, in order.
TEST_F(AtomicFile, PrimitivesMoveEveryByteAcrossManyCalls) {
    std::string bytes;
    for (int i = 0; i < 300000; ++i) bytes.push_back(static_cast<char>((i * 7 + i / 251) & 0xFF));
    const fs::path path = dir_ / "big.bin";
    {
        OwnedFile out(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
        ASSERT_TRUE(out.IsOpen());
        ASSERT_TRUE(WriteAll(out, bytes));
        EXPECT_TRUE(out.Close());
        EXPECT_FALSE(out.IsOpen());
        EXPECT_TRUE(out.Close());  // already closed: nothing to do
    }
    OwnedFile in(::open(path.c_str(), O_RDONLY));
    ASSERT_TRUE(in.IsOpen());
    const std::optional<std::string> back = ReadToEnd(in, 0);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, bytes);
    EXPECT_FALSE(OwnedFile(-1).IsOpen());
}

TEST_F(AtomicFile, MissingFileOrFolderReadsAsNothing) {
    EXPECT_EQ(ReadWholeFile(dir_ / "none"), std::nullopt);
    EXPECT_EQ(ReadWholeFile(dir_), std::nullopt);
}

TEST_F(AtomicFile, FailureLeavesTheEarlierFileAndGivesAReason) {
    // A folder standing where the file should go: the rename fails after the data were
    // written, so the temporary file must be cleaned up.
    const fs::path blocked = dir_ / "Items.TXT";
    fs::create_directory(blocked);
    fs::path inside = blocked / "keep";
    std::ofstream(inside) << "x";
    const FileResult r = WriteFileAtomically(blocked, "new");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.reason.empty());
    EXPECT_TRUE(fs::is_directory(blocked));
    EXPECT_EQ(EntriesInFolder(), 1u);

    const FileResult missing = WriteFileAtomically(dir_ / "no-such-folder" / "BIDS.TXT", "x");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.reason, std::generic_category().message(ENOENT));
}

TEST_F(AtomicFile, ReadOnlyFolderKeepsTheEarlierFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    const fs::path file = dir_ / "BIDS.TXT";
    ASSERT_TRUE(WriteFileAtomically(file, "old\r\n").ok);
    fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const FileResult r = WriteFileAtomically(file, "new\r\n");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.reason, std::generic_category().message(EACCES));
    EXPECT_EQ(ReadWholeFile(file), "old\r\n");
}

TEST_F(AtomicFile, ReplacingKeepsThePermissionsOfTheEarlierFile) {
    const fs::path file = dir_ / "Items.TXT";
    std::ofstream(file) << "old";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteFileAtomically(file, "new").ok);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadWholeFile(file), "new");
}

}  // namespace
}  // namespace gv
