// A sale made through the window is in Sales.csv the moment SOLD returns, and a payment in
// Accounts.csv the moment the accounts window recorded it: Gavelton killed right then (no
// close, no flush, no handler) leaves it there, exactly once, and every event up to the sale
// in the evening's log.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>

#include "gui_fixture.h"

namespace gv::e2e {
namespace {

// The one log file of the day, found by its name's form: the child's day may not be today.
void ExpectEveryEventUpToTheSaleLogged(const std::filesystem::path& folder) {
    std::string text;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("Gavelton log ", 0) == 0 && name.size() == 27)
            text += ui::test::ReadFile(entry.path());
    }
    ASSERT_EQ(text.rfind("\xEF\xBB\xBF", 0), 0u) << text;
    std::size_t at = 0;
    for (const char* event :
         {" Gavelton started in ", " Host: Get Next Item\r\n", " Host: State Item\r\n",
          " Said \"Item on the Block currently is Lamp\": ", " Host: Get Bids\r\n",
          " Ann: 50, taken (now the current bid)\r\n", " Bids on Lamp: current bid 50 from Ann\r\n",
          " Host: SOLD\r\n", " Said \"SOLD!\": ", " Said \"Lamp is sold for 50 tokens to Ann\": ",
          " Sold Lamp for 50 tokens to Ann, 1 bid taken; recorded in Sales.csv\r\n"}) {
        const std::size_t found = text.find(event, at);
        ASSERT_NE(found, std::string::npos) << event << " after " << at << " in\n" << text;
        at = found + 1;
    }
    EXPECT_EQ(text.find("Gavelton closed"), std::string::npos) << text;
}

// The child run as `test` of its own; what it said, and where its files are. Cleans up after
// it when it goes.
class KilledChild {
public:
    explicit KilledChild(const std::string& test) {
        FILE* child = ::popen(
            ("exec " GV_KILLED_CHILD " --gtest_filter=E2eKilledAfterSold." + test + " 2>&1").c_str(), "r");
        if (child == nullptr) return;
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, child) != nullptr) output += buffer;
        killed = [](int status) {
            return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        }(::pclose(child));
        folder = After("FOLDER");
    }
    ~KilledChild() {
        std::error_code ignored;
        if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
        if (const std::filesystem::path service = After("SERVICE"); !service.empty())
            std::filesystem::remove_all(service, ignored);
        // The folder the test program gives its link, named after its process.
        if (const std::filesystem::path pid = After("PID"); !pid.empty())
            std::filesystem::remove_all(
                std::filesystem::temp_directory_path() / ("gavelton-ui-runtime-" + pid.string()), ignored);
    }
    KilledChild(const KilledChild&) = delete;
    KilledChild& operator=(const KilledChild&) = delete;

    std::string output;
    bool killed = false;
    std::filesystem::path folder;

private:
    std::filesystem::path After(const std::string& key) const {
        const std::size_t at = output.find(key + " ");
        if (at == std::string::npos) return {};
        const std::size_t start = at + key.size() + 1;
        return output.substr(start, output.find('\n', start) - start);
    }
};

TEST(E2eKilledAfterSold, TheSaleIsInSalesCsvOnceAfterSigkill) {
    const KilledChild child("Child");
    const std::string& output = child.output;
    const std::filesystem::path& folder = child.folder;
    ASSERT_FALSE(folder.empty()) << output;
    EXPECT_TRUE(child.killed) << output;

    const std::string csv = ui::test::ReadFile(folder / "Sales.csv");
    const std::string row = ",Lamp,10,50,Ann,,,1\r\n";
    EXPECT_NE(csv.find(row), std::string::npos) << csv;
    EXPECT_EQ(csv.find(row), csv.rfind(row)) << csv;
    EXPECT_EQ(csv.find("Vase"), std::string::npos) << csv;
    // Nor is the sold Lamp on the list at the next start.
    EXPECT_EQ(ui::test::ReadFile(folder / "Items.TXT"), "Vase - 5\r\n");

    ExpectEveryEventUpToTheSaleLogged(folder);
}

TEST(E2eKilledAfterSold, APaymentIsInAccountsCsvOnceAfterSigkill) {
    const KilledChild child("AfterPayment");
    ASSERT_FALSE(child.folder.empty()) << child.output;
    EXPECT_TRUE(child.killed) << child.output;
    const std::string csv = ui::test::ReadFile(child.folder / "Accounts.csv");
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF", 0), 0u) << csv;
    const std::string row = ",Payment,Ann,,,50,\r\n";
    EXPECT_NE(csv.find(row), std::string::npos) << csv;
    EXPECT_EQ(csv.find(row), csv.rfind(row)) << csv;
    EXPECT_NE(ui::test::ReadFile(child.folder / "Sales.csv").find(",Lamp,10,50,Ann,,,1\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace gv::e2e
