// The evening's log file: one file per day, each event in it when it happens, and events
// that cannot be written kept, in order, until they can.

#include "books/evening_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fakes.h"
#include "files.h"
#include "floor/floor.h"
#include "scratch_folder.h"

namespace gv {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

const std::string kBom = "\xEF\xBB\xBF";

class EveningLogTest : public ::testing::Test {
protected:
    fs::path File(const std::string& date) const { return folder.path() / ("Gavelton log " + date + ".txt"); }

    testing::ScratchFolder folder;
    std::string now = "2026-12-09 20:15:01";
    std::vector<std::string> statuses;
    EveningLog log{folder.path(), [this] { return now; }};
};

TEST_F(EveningLogTest, OneFilePerDayTimeFirstCrLfAndTheMarkOnlyWhenCreated) {
    ASSERT_TRUE(log.Add("Gavelton started").ok);
    now = "2026-12-09 23:59:59";
    ASSERT_TRUE(log.Add(std::vector<std::string>{"Host: SOLD", "Said \"two\nlines\": confirmed"}).ok);
    // After midnight the events go to the next day's file.
    now = "2026-12-10 00:00:02";
    ASSERT_TRUE(log.Add("Gavelton closed").ok);
    EXPECT_EQ(ReadFile(File("2026-12-09")), kBom + "20:15:01 Gavelton started\r\n23:59:59 Host: SOLD\r\n" +
                                                "23:59:59 Said \"two lines\": confirmed\r\n");
    EXPECT_EQ(ReadFile(File("2026-12-10")), kBom + "00:00:02 Gavelton closed\r\n");

    // A second run the same day adds to the file, without a second mark.
    EveningLog again{folder.path(), [this] { return now; }};
    ASSERT_TRUE(again.Add("Gavelton started").ok);
    EXPECT_EQ(ReadFile(File("2026-12-10")),
              kBom + "00:00:02 Gavelton closed\r\n00:00:02 Gavelton started\r\n");
}

TEST_F(EveningLogTest, EventsThatCannotBeWrittenWaitInOrderAndTheFailureIsTold) {
    log.SetOnStatus([this](const std::string& status) { statuses.push_back(status); });
    fs::create_directory(File("2026-12-09"));  // nothing can be written there
    EXPECT_FALSE(log.Add("Host: Get Bids").ok);
    now = "2026-12-09 20:16:00";
    EXPECT_FALSE(log.Add("Host: SOLD").ok);
    EXPECT_EQ(log.Pending(), 2u);
    ASSERT_EQ(statuses.size(), 2u);
    EXPECT_EQ(statuses[0].rfind("Gavelton log 2026-12-09.txt not written: ", 0), 0u) << statuses[0];
    EXPECT_GT(statuses[0].size(), std::string("Gavelton log 2026-12-09.txt not written: ").size());

    fs::remove(File("2026-12-09"));
    now = "2026-12-10 00:00:01";
    ASSERT_TRUE(log.Add("Gavelton closed").ok);
    EXPECT_EQ(log.Pending(), 0u);
    EXPECT_EQ(statuses.back(), "");
    // Each event at the time it happened and in the file of its day.
    EXPECT_EQ(ReadFile(File("2026-12-09")), kBom + "20:15:01 Host: Get Bids\r\n20:16:00 Host: SOLD\r\n");
    EXPECT_EQ(ReadFile(File("2026-12-10")), kBom + "00:00:01 Gavelton closed\r\n");
}

}  // namespace
}  // namespace gv
