// Get Bids as a whole: the capture over the link, the capture file, and the intake on it.

#include "floor/capture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fakes.h"
#include "files.h"
#include "floor/floor.h"
#include "scratch_folder.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace gv {
namespace {

namespace fs = std::filesystem;

using testing::ReadFile;
using testing::WriteFile;

class CaptureTest : public ::testing::Test, protected testing::FloorRig {
protected:
    CaptureTest() {
        capturePath = folder / "TALLY.TXT";
        floor.SetCapturePath(capturePath);
        spy.onChange = [this] { ++changes; };
        PutOnBlock(block, "Oak chest - 500");
    }

    const std::string kChat = testing::Chat(
        {"Host: Item on the Block currently is Oak chest", "ESP from Ann: 500", "ESP from Zoë: 600"});

    testing::ScratchFolder scratch{"gv-floor"};
    fs::path folder = scratch.path();
    fs::path capturePath;
};

TEST_F(CaptureTest, NoTextAfterFiveAttemptsLeavesNoFileAndNoBids) {
    WriteFile(capturePath, kChat);  // an older capture must not be read again
    floor.GetBids();
    EXPECT_EQ(link.yieldsAtFetch, (std::vector<int>{12, 24, 36, 48, 60}));
    EXPECT_EQ(pump.yields, 60);
    EXPECT_FALSE(fs::exists(capturePath));
    EXPECT_EQ(block.currentBid, "");
    EXPECT_EQ(changes, 0);
}

// Bids taken between two passes of the loop reach the captions once, the last of them at the end.
TEST_F(CaptureTest, BidsBetweenPassesAreToldOnceWithTheLast) {
    link.fetches = {{kChat}};
    pump.passDue = false;
    floor.GetBids();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(block.currentBid, "600");
}

TEST_F(CaptureTest, CaptureFileHoldsTheAnsiTextAndCrLf) {
    link.fetches = {{""}, {""}, {kChat}};
    floor.GetBids();
    EXPECT_EQ(link.yieldsAtFetch, (std::vector<int>{12, 24, 36}));
    EXPECT_EQ(ReadFile(capturePath),
              "Host: Item on the Block currently is Oak chest\r\nESP from Ann: 500\r\n"
              "ESP from Zo\xEB: 600\r\n\r\n");
    EXPECT_EQ(block.currentBid, "600");
    EXPECT_EQ(block.currentBidder, "Zoë");
    EXPECT_EQ(block.lastBidder, "Ann");
    EXPECT_EQ(block.markerText, "Item on the Block currently is Oak chest");
    EXPECT_EQ(changes, 2);
    // 36 before the fetch, 4 lines read (the added CR LF makes an empty last line), 2 bids.
    EXPECT_EQ(pump.yields, 36 + 4 + 2);
    // The capture's counted yields are real waits; only the intake's may be passed over.
    EXPECT_EQ(pump.loopYields, 4 + 2);

    // A text without a line end of its own gets exactly one.
    link.fetches = {{"Ann: hi"}};
    floor.GetBids();
    EXPECT_EQ(ReadFile(capturePath), "Ann: hi\r\n");
}

TEST_F(CaptureTest, UnwritableCapturePathFallsBackToTheFetchedText) {
    // A folder at the capture path: it cannot be deleted nor written, and stays as it is.
    fs::create_directory(capturePath);
    WriteFile(capturePath / "keep.txt", "keep");
    link.fetches = {{kChat}};
    floor.GetBids();
    EXPECT_EQ(block.currentBid, "600");
    EXPECT_EQ(block.currentBidder, "Zoë");
    EXPECT_TRUE(fs::is_directory(capturePath));
    EXPECT_EQ(ReadFile(capturePath / "keep.txt"), "keep");

    // A capture path in a folder that does not exist.
    floor.SetCapturePath(folder / "missing" / "TALLY.TXT");
    block.currentBid.clear();
    link.fetches = {{kChat}};
    floor.GetBids();
    EXPECT_EQ(block.currentBid, "600");
}

#ifndef _WIN32
// A FIFO at the capture path, which nobody reads or writes: nothing in Get Bids may wait on it.
TEST_F(CaptureTest, AFifoAtTheCapturePathNeverBlocks) {
    ASSERT_EQ(::mkfifo(capturePath.c_str(), 0600), 0);
    EXPECT_FALSE(WriteCaptureFile(capturePath, "chat"));
    EXPECT_FALSE(ReadCaptureFile(capturePath).has_value());
    link.fetches = {{kChat}};
    floor.GetBids();
    EXPECT_EQ(block.currentBid, "600");
    EXPECT_EQ(block.currentBidder, "Zoë");
}

TEST_F(CaptureTest, SymbolicLinkAtTheCapturePathIsNotFollowed) {
    const fs::path target = folder / "precious.txt";
    WriteFile(target, "precious");
    fs::create_symlink(target, capturePath);

    EXPECT_FALSE(WriteCaptureFile(capturePath, "overwritten"));
    EXPECT_FALSE(ReadCaptureFile(capturePath).has_value());
    EXPECT_EQ(ReadFile(target), "precious");

    link.fetches = {{kChat}};
    floor.GetBids();
    EXPECT_EQ(ReadFile(target), "precious");
    EXPECT_FALSE(fs::is_symlink(capturePath));  // the link itself was deleted
    EXPECT_TRUE(fs::is_regular_file(capturePath));
    EXPECT_EQ(block.currentBid, "600");

    // A dangling link is deleted as well, and nothing is created where it pointed.
    fs::remove(capturePath);
    fs::create_symlink(folder / "nowhere.txt", capturePath);
    EXPECT_TRUE(DeleteCaptureFile(capturePath));
    EXPECT_FALSE(fs::exists(fs::symlink_status(capturePath)));
    EXPECT_FALSE(fs::exists(folder / "nowhere.txt"));
}
#endif

TEST_F(CaptureTest, CaptureFilePrimitives) {
    EXPECT_TRUE(DeleteCaptureFile(capturePath));  // none there
    EXPECT_FALSE(ReadCaptureFile(capturePath).has_value());
    EXPECT_TRUE(WriteCaptureFile(capturePath, std::string("a\0b\r\n", 5)));
    EXPECT_EQ(ReadCaptureFile(capturePath), std::string("a\0b\r\n", 5));
    EXPECT_TRUE(WriteCaptureFile(capturePath, "x"));  // an existing file is emptied first
    EXPECT_EQ(ReadCaptureFile(capturePath), "x");
    EXPECT_TRUE(DeleteCaptureFile(capturePath));
    EXPECT_FALSE(fs::exists(capturePath));

    fs::create_directory(capturePath);
    EXPECT_FALSE(DeleteCaptureFile(capturePath));
    EXPECT_FALSE(ReadCaptureFile(capturePath).has_value());
}

TEST_F(CaptureTest, CapturedTextPrefersTheFileAndFallsBackToTheText) {
    CaptureResult none;
    EXPECT_FALSE(CapturedText(none, capturePath).has_value());

    CaptureResult saved{"Zoë: hi", true};
    WriteFile(capturePath, "Zo\xEB: hi\r\n");
    EXPECT_EQ(CapturedText(saved, capturePath), "Zoë: hi\r\n");

    // Saved, but gone before it could be read back: the text still holds the bids.
    fs::remove(capturePath);
    EXPECT_EQ(CapturedText(saved, capturePath), "Zoë: hi\r\n");
    CaptureResult unsaved{"Ann: 5", false};
    EXPECT_EQ(CapturedText(unsaved, capturePath), "Ann: 5\r\n");
}

TEST(CapturePath, DefaultLocation) {
#ifdef _WIN32
    EXPECT_EQ(DefaultCapturePath(), fs::path(L"C:\\TALLY.TXT"));
#else
    EXPECT_EQ(DefaultCapturePath(), fs::path("TALLY.TXT"));
#endif
}

}  // namespace
}  // namespace gv
