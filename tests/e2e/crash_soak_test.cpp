// Evenings killed with SIGKILL at random moments (in a command, right after SOLD, an undo, an
// Add to List or a payment, during the close, or at any time) and started again in the same
// folder. After every kill the folder must agree with the evening: each lot and each entry
// added is either on the list or sold, never both and never neither; every file reads; no row
// of Sales.csv or Accounts.csv and no line of the evening's log is lost or doubled.
// GV_CRASH_KILLS (default 20) and GV_CRASH_SECONDS (default 150) bound it; GV_CRASH_SEED
// replays one.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "books/accounts_record.h"
#include "books/sales_record.h"
#include "files.h"
#include "floor/floor.h"
#include "scratch_folder.h"
#include "setup/setup_files.h"

namespace gv::e2e {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using testing::ReadFile;

long EnvNumber(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value == nullptr ? fallback : std::strtol(value, nullptr, 10);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// One run of the child, in its own process group, so that its practice world goes with it.
class Child {
public:
    Child(const fs::path& folder, int run, unsigned seed, const std::string& mode) {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setpgid(0, 0);
            ::dup2(pipeEnds[1], STDOUT_FILENO);
            ::close(pipeEnds[0]);
            ::setenv("GV_CRASH_FOLDER", folder.c_str(), 1);
            ::setenv("GV_CRASH_RUN", std::to_string(run).c_str(), 1);
            ::setenv("GV_CRASH_SEED", std::to_string(seed).c_str(), 1);
            ::setenv("GV_CRASH_MODE", mode.c_str(), 1);
            const char* program = std::getenv("GV_CRASH_CHILD");  // a copy, for a long run beside a build
            if (program == nullptr) program = GV_CRASH_CHILD;
            ::execl(program, program, "--gtest_filter=E2eCrashEvening.Child", nullptr);
            ::_exit(127);
        }
        ::setpgid(pid_, pid_);
        ::close(pipeEnds[1]);
        out_ = pipeEnds[0];
    }
    ~Child() {
        Kill();
        if (out_ >= 0) ::close(out_);
        std::error_code ignored;
        for (const char* key : {"SCRATCH", "SERVICE"})
            if (const std::string path = After(key); !path.empty()) fs::remove_all(path, ignored);
        if (const std::string pid = After("PID"); !pid.empty())
            fs::remove_all(fs::temp_directory_path() / ("gavelton-ui-runtime-" + pid), ignored);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // Reads what it says until a line starts with `line` (true), it ends, or the deadline.
    bool WaitFor(const std::string& line, Clock::time_point deadline) {
        while (Clock::now() < deadline) {
            if (Said(line)) return true;
            if (!ReadSome(deadline)) return Said(line);
        }
        return Said(line);
    }
    // Reads the rest of what it says, until it ends or the deadline.
    void Drain(Clock::time_point deadline) {
        while (Clock::now() < deadline && ReadSome(deadline)) {
        }
    }
    // The whole group, the world with it; true when the child itself ended by SIGKILL.
    bool Kill() {
        if (pid_ <= 0) return killed_;
        ::kill(-pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        killed_ = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        pid_ = -1;
        return killed_;
    }
    // The child's own end (a self-kill or a close), then the group.
    bool EndsWithin(Clock::time_point deadline) {
        Drain(deadline);
        return Kill();
    }
    const std::string& Output() const { return output_; }
    std::vector<std::string> SaidAfter(const std::string& key) const {
        std::vector<std::string> values;
        for (const std::string& line : Lines(Unix())) {
            if (line.rfind(key + " ", 0) == 0) values.push_back(line.substr(key.size() + 1));
        }
        return values;
    }

private:
    std::string Unix() const {
        std::string text = output_;
        std::string crlf;
        for (const char c : text) {
            if (c == '\n') crlf += '\r';
            crlf += c;
        }
        return crlf;
    }
    bool Said(const std::string& line) const {
        return output_.rfind(line, 0) == 0 || output_.find("\n" + line) != std::string::npos;
    }
    bool ReadSome(Clock::time_point deadline) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd wait{out_, POLLIN, 0};
        if (::poll(&wait, 1, static_cast<int>(std::max<long>(0, left.count()))) <= 0) return false;
        char buffer[4096];
        const ssize_t got = ::read(out_, buffer, sizeof buffer);
        if (got <= 0) return false;
        output_.append(buffer, static_cast<std::size_t>(got));
        return true;
    }
    std::string After(const std::string& key) const {
        const std::vector<std::string> values = SaidAfter(key);
        return values.empty() ? std::string() : values.front();
    }

    pid_t pid_ = -1;
    int out_ = -1;
    bool killed_ = false;
    std::string output_;
};

// What the folder held after the last kill, to tell what the next run lost or doubled.
struct Evening {
    std::set<std::string> lots;      // the list at the start of the evening, and every entry added
    std::vector<std::string> sales;  // Sales.csv's lines
    std::vector<std::string> accounts;
    std::string log;  // the evening's logs, one after the other by name
};

std::string EveningLogs(const fs::path& folder) {
    std::map<std::string, std::string> logs;
    for (const auto& file : fs::directory_iterator(folder)) {
        const std::string name = file.path().filename().string();
        if (name.rfind("Gavelton log ", 0) == 0) logs[name] = ReadFile(file.path());
    }
    std::string all;
    for (const auto& [name, text] : logs) all += text;
    return all;
}

// Every earlier line is there still, as often as it was: rows are only ever added (what undo
// takes out was added in the same run).
void ExpectKept(const std::vector<std::string>& before, const std::vector<std::string>& now,
                const char* file) {
    std::multiset<std::string> left(now.begin(), now.end());
    for (const std::string& line : before) {
        const auto found = left.find(line);
        EXPECT_NE(found, left.end()) << file << " lost: " << line;
        if (found != left.end()) left.erase(found);
    }
}

void CheckFolder(const fs::path& folder, Evening& evening, const std::vector<std::string>& added, int paid,
                 const std::string& after) {
    SCOPED_TRACE(after);
    for (const std::string& entry : added) evening.lots.insert(entry);

    const std::string salesText = fs::exists(folder / kSalesFile) ? ReadFile(folder / kSalesFile) : "";
    const CsvRows<SaleRow> sales = ReadSales(salesText);
    EXPECT_TRUE(sales.unread.empty()) << salesText;
    std::vector<std::string> salesLines = Lines(salesText);
    ExpectKept(evening.sales, salesLines, kSalesFile);
    const std::set<std::string> unique(salesLines.begin(), salesLines.end());
    EXPECT_EQ(unique.size(), salesLines.size()) << "a row of Sales.csv doubled:\n" << salesText;

    const std::string accountsText =
        fs::exists(folder / kAccountsFile) ? ReadFile(folder / kAccountsFile) : "";
    EXPECT_TRUE(ReadAccounts(accountsText).unread.empty()) << accountsText;
    const std::vector<std::string> accountsLines = Lines(accountsText);
    ExpectKept(evening.accounts, accountsLines, kAccountsFile);
    // A payment the child recorded but was killed before saying is the one row more.
    const std::size_t grown = accountsLines.size() - std::min(accountsLines.size(), evening.accounts.size());
    const std::size_t header = evening.accounts.empty() && !accountsLines.empty() ? 1 : 0;
    EXPECT_GE(grown, static_cast<std::size_t>(paid) + header);
    EXPECT_LE(grown, static_cast<std::size_t>(paid) + header + 1) << "an entry of Accounts.csv doubled";

    const std::string log = EveningLogs(folder);
    EXPECT_EQ(log.rfind(evening.log, 0), 0u) << "the evening's log lost or changed lines";
    EXPECT_TRUE(log.empty() || log.ends_with("\r\n")) << "the evening's log ends in half a line";

    ItemList list;
    ReadItems(ReadFile(folder / kItemsFile), list);
    // Not written before the first change or close, then always whole.
    if (fs::exists(folder / kBidsFile)) {
        EXPECT_EQ(Lines(ReadFile(folder / kBidsFile)).size(), 18u);
    }
    std::map<std::string, int> listed;
    for (const std::string& entry : list.Entries()) {
        ++listed[entry];
        if (entry.rfind("Extra ", 0) == 0) evening.lots.insert(entry);  // added, killed before it said so
    }
    std::map<std::string, int> sold;
    for (const SaleRow& row : sales.rows) ++sold[row.item + " - " + row.minimumBid];
    for (const auto& [entry, count] : sold)
        if (entry.rfind("Extra ", 0) == 0) evening.lots.insert(entry);
    for (const std::string& entry : evening.lots) {
        EXPECT_EQ(listed[entry] + sold[entry], 1)
            << entry << ": listed " << listed[entry] << " times, sold " << sold[entry] << " times";
    }
    for (const auto& [entry, count] : listed)
        EXPECT_TRUE(evening.lots.contains(entry)) << "unknown entry " << entry;
    EXPECT_FALSE(fs::exists(folder / "Items (Gavelton).TXT"));
    EXPECT_FALSE(fs::exists(folder / "BIDS (Gavelton).TXT"));

    evening.sales = std::move(salesLines);
    evening.accounts = accountsLines;
    evening.log = log;
}

TEST(E2eCrashSoak, EveryKillLeavesTheFolderInStepWithTheEvening) {
    const long kills = EnvNumber("GV_CRASH_KILLS", 20);
    const auto end = Clock::now() + std::chrono::seconds(EnvNumber("GV_CRASH_SECONDS", 150));
    const unsigned seed = static_cast<unsigned>(EnvNumber("GV_CRASH_SEED", std::random_device{}() % 100000));
    std::printf("crash soak: seed %u\n", seed);
    std::mt19937 random(seed);

    testing::ScratchFolder folder("gv-crash");
    Evening evening;
    std::string items;
    for (int lot = 1; lot <= 400; ++lot) {
        const std::string entry = "Lot " + std::to_string(lot) + " - " + std::to_string(5 + lot % 40);
        evening.lots.insert(entry);
        items += entry + "\r\n";
    }
    folder.Write(kItemsFile, items);

    const char* const modes[] = {"time", "time", "time", "sold", "undone", "added", "paid", "closing"};
    std::map<std::string, int> survived;
    int killed = 0;
    int run = 0;
    while (killed < kills && Clock::now() < end) {
        const std::string mode = modes[random() % std::size(modes)];
        ++run;
        Child child(folder.path(), run, seed + static_cast<unsigned>(run), mode);
        const auto limit = Clock::now() + std::chrono::seconds(90);
        ASSERT_TRUE(child.WaitFor("READY", limit)) << "run " << run << " did not start:\n" << child.Output();
        bool dead = false;
        if (mode == "time") {
            // Any moment of the evening: within a command, between two, in the close.
            const auto moment = Clock::now() + std::chrono::milliseconds(random() % 6000);
            child.WaitFor("CLOSED", moment);
            dead = child.Kill();
        } else if (mode == "closing") {
            if (child.WaitFor("CLOSING", limit)) {
                const auto moment = Clock::now() + std::chrono::milliseconds(random() % 150);
                child.WaitFor("CLOSED", moment);
            }
            dead = child.Kill();
        } else {
            dead = child.EndsWithin(limit);
        }
        // A run not killed closed as a host closes: any other end is a fault of its own.
        EXPECT_TRUE(dead || child.Output().find("\nCLOSED") != std::string::npos)
            << "run " << run << " (" << mode << ") ended by itself";
        const std::vector<std::string> said = child.SaidAfter("PAID");
        CheckFolder(
            folder.path(), evening, child.SaidAfter("ADDED"), static_cast<int>(said.size()),
            "after run " + std::to_string(run) + " (" + mode + ", seed " + std::to_string(seed) + ")");
        if (HasFailure()) {
            ADD_FAILURE() << child.Output();
            return;
        }
        if (dead) {
            ++killed;
            ++survived[mode];
        }
    }
    std::string counts;
    for (const auto& [mode, count] : survived) counts += " " + mode + " " + std::to_string(count);
    std::printf("crash soak: %d kills survived in %d runs (%s )\n", killed, run, counts.c_str());
    EXPECT_GT(killed, 0);
}

}  // namespace
}  // namespace gv::e2e
