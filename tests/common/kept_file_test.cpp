#include "common/kept_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "scratch_folder.h"

namespace gv {
namespace {
namespace fs = std::filesystem;
using Step = KeptFile::Step;

class KeptFileTest : public ::testing::Test {
protected:
    // Items.TXT as Gavelton read it at start.
    // `own`: Gavelton's text of what it read (the file trimmed, as loading does).
    void ReadAtStart(const std::string& bytes, const std::string& own) {
        scratch_.Write("Items.TXT", bytes);
        file.Read(ReadWholeFile(path_), own);
    }
    void ReadAtStart(const std::string& bytes) { ReadAtStart(bytes, bytes); }
    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(scratch_.path()), fs::directory_iterator()));
    }
    gv::testing::ScratchFolder scratch_{"gv-kept"};
    fs::path path_ = scratch_.path() / "Items.TXT";
    fs::path beside_ = scratch_.path() / "Items (Gavelton).TXT";
    KeptFile file{path_, beside_};
};

TEST_F(KeptFileTest, WritesOwnChangesAndNothingWhenNothingChanged) {
    ReadAtStart("Lamp - 10\r\n\r\n", "Lamp - 10\r\n");
    // Read as it stands, the blank line included: nothing of Gavelton's changed.
    EXPECT_EQ(file.Keep("Lamp - 10\r\n", true).step, Step::InStep);
    EXPECT_EQ(ReadWholeFile(path_), "Lamp - 10\r\n\r\n");
    EXPECT_EQ(file.Keep("Lamp - 10\r\nVase - 5\r\n", true).step, Step::Written);
    EXPECT_EQ(ReadWholeFile(path_), "Lamp - 10\r\nVase - 5\r\n");
    EXPECT_EQ(file.Keep("Vase - 5\r\n", false).step, Step::Written);
    EXPECT_EQ(ReadWholeFile(path_), "Vase - 5\r\n");
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(KeptFileTest, TheCloseWritesTheSavedFormEvenUnchanged) {
    ReadAtStart("  Lamp - 10\r\n", "Lamp - 10\r\n");
    EXPECT_EQ(file.Keep("Lamp - 10\r\n", false, true).step, Step::Written);
    EXPECT_EQ(ReadWholeFile(path_), "Lamp - 10\r\n");
}

TEST_F(KeptFileTest, NothingIsWrittenBeforeTheFileWasRead) {
    EXPECT_EQ(file.Keep("Lamp - 10\r\n", true, true).step, Step::InStep);
    EXPECT_FALSE(fs::exists(path_));
}

TEST_F(KeptFileTest, AChangeMadeOutsideIsTakenInOnlyWhileNoCommandRunsAndOwnIsUnchanged) {
    ReadAtStart("Lamp - 10\r\n");
    scratch_.Write("Items.TXT", "Lamp - 10\r\nLate rug - 40\r\n");
    // A command under way: the file waits, and it is not written over.
    EXPECT_EQ(file.Keep("Lamp - 10\r\n", false).step, Step::InStep);
    const KeptFile::Outcome outcome = file.Keep("Lamp - 10\r\n", true);
    ASSERT_EQ(outcome.step, Step::TakeIn);
    EXPECT_EQ(outcome.bytes, "Lamp - 10\r\nLate rug - 40\r\n");
    file.TakenIn("Lamp - 10\r\nLate rug - 40\r\n");
    // What Gavelton changes next goes over the file it took in.
    EXPECT_EQ(file.Keep("Late rug - 40\r\n", false).step, Step::Written);
    EXPECT_EQ(ReadWholeFile(path_), "Late rug - 40\r\n");
    EXPECT_FALSE(fs::exists(beside_));
}

TEST_F(KeptFileTest, WhenBothChangedTheFileStaysAndGaveltonsGoesBesideUntilTheyAgree) {
    ReadAtStart("Lamp - 10\r\nVase - 5\r\n");
    scratch_.Write("Items.TXT", "Lamp - 10\r\nVase - 5\r\nLate rug - 40\r\n");
    const KeptFile::Outcome outcome = file.Keep("Vase - 5\r\n", true);
    EXPECT_EQ(outcome.step, Step::Beside);
    EXPECT_EQ(outcome.reason, "changed outside Gavelton");
    EXPECT_TRUE(file.KeptBeside());
    EXPECT_EQ(ReadWholeFile(path_), "Lamp - 10\r\nVase - 5\r\nLate rug - 40\r\n");
    EXPECT_EQ(ReadWholeFile(beside_), "Vase - 5\r\n");
    // Later changes follow it there; the close does not write over the host's file either.
    EXPECT_EQ(file.Keep("", false, true).step, Step::Beside);
    EXPECT_EQ(ReadWholeFile(beside_), "");
    EXPECT_EQ(ReadWholeFile(path_), "Lamp - 10\r\nVase - 5\r\nLate rug - 40\r\n");
    // The host puts Gavelton's list in place: in step again.
    scratch_.Write("Items.TXT", "");
    EXPECT_EQ(file.Keep("", false).step, Step::InStep);
    EXPECT_FALSE(file.KeptBeside());
    EXPECT_EQ(file.Keep("Bowl - 1\r\n", false).step, Step::Written);
    EXPECT_EQ(ReadWholeFile(path_), "Bowl - 1\r\n");
}

TEST_F(KeptFileTest, AFileThatCannotBeReadIsNeverReplaced) {
    // A link to itself: there, but no read gets through, even as root.
    ReadAtStart("Lamp - 10\r\n");
    fs::remove(path_);
    fs::create_symlink(path_.filename(), path_);
    EXPECT_EQ(file.Keep("Lamp - 10\r\n", true).step, Step::InStep);
    const KeptFile::Outcome outcome = file.Keep("Vase - 5\r\n", true, true);
    EXPECT_EQ(outcome.step, Step::Beside);
    EXPECT_EQ(outcome.reason, "cannot be read");
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(ReadWholeFile(beside_), "Vase - 5\r\n");
}

TEST_F(KeptFileTest, AFileDeletedOutsideIsWrittenAgain) {
    ReadAtStart("Lamp - 10\r\n");
    fs::remove(path_);
    EXPECT_EQ(file.Keep("Lamp - 10\r\n", true).step, Step::InStep);
    EXPECT_EQ(file.Keep("Lamp - 10\r\nVase - 5\r\n", true).step, Step::Written);
    EXPECT_EQ(ReadWholeFile(path_), "Lamp - 10\r\nVase - 5\r\n");
}

TEST_F(KeptFileTest, AStagedFileChangesOnlyAtCommitAndLeavesNothingWhenDropped) {
    ReadAtStart("Lamp - 10\r\nVase - 5\r\n");
    EXPECT_EQ(file.Stage("Vase - 5\r\n").step, Step::Written);
    EXPECT_EQ(ReadWholeFile(path_), "Lamp - 10\r\nVase - 5\r\n");
    EXPECT_EQ(file.Commit().step, Step::Written);
    EXPECT_EQ(ReadWholeFile(path_), "Vase - 5\r\n");
    EXPECT_EQ(file.Commit().step, Step::InStep);  // nothing staged

    file.Stage("");
    file.Keep("Vase - 5\r\n", false);  // a new decision drops the staged file
    EXPECT_EQ(FilesInFolder(), 1u);
    EXPECT_EQ(ReadWholeFile(path_), "Vase - 5\r\n");
}

}  // namespace
}  // namespace gv
