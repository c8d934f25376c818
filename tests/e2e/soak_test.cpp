// An evening's auction: the real window, clicked as a host clicks it, against the practice
// world with bidders, over an item list of a hundred entries, for GAVELTON_SOAK_MINUTES
// (2 unless set) shared by the two transports, with Get Bids also running by itself every
// 2 seconds. It fails on a command past its time bound, a window that stops answering, a sale
// the chat does not bear out, a bid in the chat that no fetch took, memory that grows, or an
// item list that does not hold exactly the unsold entries at close.

#include <wx/timer.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "auction_fixture.h"
#include "common/lines.h"
#include "common/text.h"
#include "floor/floor.h"
#include "floor/intake.h"
#include "ui/live_bids.h"

namespace gv::e2e {
namespace {

using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;

constexpr int kItems = 100;
constexpr auto kCommandBound = std::chrono::seconds(5);  // the chat link's transaction limit
// Past five seconds without answering, Windows greys a window out as "Not Responding".
constexpr auto kAnswerBound = std::chrono::seconds(5);
constexpr long kGrowthBound = 5L * 1024 * 1024;
// AddressSanitizer holds freed memory resident in its quarantine (up to 256 MB), so there the
// resident size says nothing of a leak; the bound holds in the other builds.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kResidentMeasured = false;
#else
constexpr bool kResidentMeasured = true;
#endif

const Lines kTiers = {"0", "999", "10", "1000", "9999999", "100", "", "", "",
                      "",  "",    "",   "",     "",        "",    "", "", ""};

double Minutes() {
    const char* set = std::getenv("GAVELTON_SOAK_MINUTES");
    const double minutes = set ? std::atof(set) : 2.0;
    return minutes > 0 ? minutes : 2.0;
}

long ResidentBytes() {
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

// The lines of a chat or a file, by the rules Gavelton reads them with.
Lines SplitLines(std::string_view text) {
    Lines lines;
    LineReader reader(text, LineEnds::CrLfOrCr);
    for (std::string_view line; reader.Next(line);) lines.emplace_back(line);
    return lines;
}

// A CSV row's fields; the soak's names and prices hold no comma or quote.
Lines Fields(const std::string& row) {
    Lines fields;
    std::size_t start = 0;
    for (std::size_t comma = row.find(','); comma != std::string::npos; comma = row.find(',', start)) {
        fields.push_back(row.substr(start, comma - start));
        start = comma + 1;
    }
    fields.push_back(row.substr(start));
    return fields;
}

// One item's auction as the soak drove it.
struct Lot {
    std::string item;
    std::string minimum;
    std::size_t linesBeforeLastGetBids = 0;  // the chat's length when the last Get Bids was pressed
};

// How the host's clicks fared beside the live runs.
struct Clicks {
    int made = 0;
    int besideRun = 0;     // a live run came between the click and its command's end
    int getBidsAgain = 0;  // Get Bids pressed again because a live run came between
};

// A standing bid: amount and bidder; no amount before the first.
struct Standing {
    std::optional<double> amount;
    std::string bidder;
    bool operator==(const Standing&) const = default;
};

// Gavelton's bid rules, written out afresh over the chat: the first bid reaches the minimum,
// each later one beats the standing bid by its own tier's raise (10 below 1000, then 100).
// Returns the standing bid after each ESP line of the item's auction, with the line's index
// in the chat; the first entry is the state before any bid.
std::vector<std::pair<std::size_t, Standing>> Replay(const Lines& chat, const Lot& lot) {
    const std::string marker = "Host: " + MarkerText(lot.item);
    const std::string sale = "Host: " + lot.item + " is sold for ";
    std::vector<std::pair<std::size_t, Standing>> states = {{0, {}}};
    const auto start = std::find(chat.begin(), chat.end(), marker);
    Standing standing;
    const double minimum = Val(lot.minimum).value;
    for (auto line = start; line != chat.end() && line->rfind(sale, 0) != 0; ++line) {
        if (line->rfind("ESP from ", 0) != 0) continue;
        const std::size_t colon = line->find(':');
        const double amount = Val(line->substr(colon + 1)).value;
        const std::string bidder = Trim(line->substr(9, colon - 9));
        const bool accepted = !standing.amount ? amount > 0 && amount >= minimum
                                               : amount > *standing.amount &&
                                                     amount - *standing.amount >= (amount < 1000 ? 10 : 100);
        if (accepted) standing = {amount, bidder};
        states.emplace_back(static_cast<std::size_t>(line - chat.begin()), standing);
    }
    return states;
}

class Soak : public BothTransports {
protected:
    int LiveRuns() const { return frame_->Live()->Measured().runs; }

    // Clicks as a host does. A click that lands in a live run waits for the run to end: every
    // click runs its command.
    void HostPress(Command command) {
        const std::size_t said = world_->Said().size();
        const wxString item = Text("BlockItem");
        const int runs = LiveRuns();
        ++clicks_.made;
        Click(Button(command));
        EXPECT_TRUE(WaitUntil([&] {
            if (frame_->Gate().IsBusy() || frame_->Gate().CommandHeld()) return false;
            return command == Command::GetNextItem ? Text("BlockItem") != item : world_->Said().size() > said;
        })) << "a click was lost";
        if (LiveRuns() > runs) ++clicks_.besideRun;
    }
    // Get Bids as the host presses it; pressed again when a live run came between, so that a
    // fetch surely starts after the press.
    void HostGetBids() {
        const int runs = LiveRuns();
        GetBids();
        if (LiveRuns() == runs) return;
        ++clicks_.getBidsAgain;
        GetBids();
    }

    // Clicks a button of the auction panel and holds the command to its time bound.
    void Timed(const std::string& command, const std::function<void()>& press) {
        const auto start = Clock::now();
        press();
        const auto took = Clock::now() - start;
        longest_[command] = std::max(longest_[command], took);
        EXPECT_LT(took, kCommandBound)
            << command << " took " << std::chrono::duration<double>(took).count() << " s";
    }
    // The host waits for the bidders to say a few more lines, as long as they keep bidding; the
    // window goes on answering meanwhile.
    void AwaitBidders(std::size_t lines, int milliseconds) {
        const std::size_t goal = world_->LogLines("BIDDER").size() + lines;
        WaitUntil([&] { return world_->LogLines("BIDDER").size() >= goal; }, milliseconds);
    }
    std::size_t ChatLines() const {
        const std::optional<std::string> chat = world_->ChatText();
        return chat ? SplitLines(*chat).size() : 0;
    }

    // One item from Get Next Item to SOLD.
    Lot Auction() {
        Timed("Get Next Item", [&] { HostPress(Command::GetNextItem); });
        Lot lot{Text("BlockItem").utf8_string(), Text("BlockMin").utf8_string()};
        const int runsBefore = LiveRuns();
        Timed("State Item", [&] { HostPress(Command::StateItem); });
        for (int round = 0; round < 2; ++round) {
            AwaitBidders(3, 1500);
            Timed("Get Bids", [&] { HostGetBids(); });
            Timed("State Item", [&] { HostPress(Command::StateItem); });
        }
        for (const auto& [button, caption] : {std::pair{Command::Call1st, "call 1st"},
                                              {Command::Call2nd, "call 2nd"},
                                              {Command::Call3rd, "call 3rd"}}) {
            AwaitBidders(1, 700);
            Timed("Get Bids", [&] { HostGetBids(); });
            Timed(caption, [&] { HostPress(button); });
        }
        // Get Bids runs by itself while an entry is on the block, however slow the machine:
        // the host, who waited for it, waits on.
        EXPECT_TRUE(WaitUntil([&] { return LiveRuns() > runsBefore; }, 60000))
            << "Get Bids never ran by itself while " << lot.item << " was on the block";
        lot.linesBeforeLastGetBids = ChatLines();
        Timed("Get Bids", [&] { HostGetBids(); });
        Timed("SOLD", [&] { HostPress(Command::Sold); });
        // The block is looked at a few times a second, and a sold entry stops the runs.
        EXPECT_TRUE(WaitUntil([&] { return !frame_->Live()->Pace().Running(); }))
            << "Get Bids still runs by itself after SOLD of " << lot.item;
        return lot;
    }

    std::map<std::string, Clock::duration> longest_;
    Clicks clicks_;
};

TEST_P(Soak, AnEveningOfBiddersBothTransportsInTurn) {
    Lines items;
    for (int i = 1; i <= kItems; ++i) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "Lot %03d - %d", i, 50 + (i * 37) % 450);
        items.emplace_back(entry);
    }
    WriteTiers(kTiers);
    WriteItems(items);
    ui::test::WriteFile(folder_ / kHostSettingsFile, "[Live]\nGetBidsEvery=2\n");
    StartAuction({.more = {"--bidders", "3", "--seed", "7", "--pace", "0.3-1.2"}});

    // The window answers throughout: a timer that ticks between the host's clicks.
    Clock::duration longestSilence{};
    Clock::time_point lastTick = Clock::now();
    wxTimer heartbeat;
    heartbeat.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        const auto now = Clock::now();
        longestSilence = std::max(longestSilence, now - lastTick);
        lastTick = now;
    });
    heartbeat.Start(50);

    const auto end = Clock::now() + std::chrono::duration<double, std::ratio<60>>(Minutes() / 2);
    std::vector<Lot> lots = {Auction()};
    const long residentAfterFirst = ResidentBytes();
    while (Clock::now() < end && static_cast<int>(lots.size()) < kItems - 1 && !HasFailure()) {
        lots.push_back(Auction());
    }
    const long residentAtEnd = ResidentBytes();
    heartbeat.Stop();
    const ui::LiveBids::Figures live = frame_->Live()->Measured();
    const std::optional<std::string> chatText = world_->ChatText();
    ASSERT_TRUE(chatText);
    CloseWindow();

    EXPECT_LT(longestSilence, kAnswerBound)
        << "the window did not answer for " << std::chrono::duration<double>(longestSilence).count() << " s";
    if (kResidentMeasured) {
        EXPECT_LT(residentAtEnd - residentAfterFirst, kGrowthBound)
            << "resident memory grew from " << residentAfterFirst << " to " << residentAtEnd << " bytes";
    }

    // Each sale is the standing bid of the chat as the last Get Bids read it: its winner and
    // price are a bidder's ESP line of the item, and no valid higher bid in the chat when the
    // host pressed was passed over.
    const Lines chat = SplitLines(*chatText);
    const std::string csv = ui::test::ReadFile(folder_ / "Sales.csv");
    Lines rows = SplitLines(std::string_view(csv).substr(csv.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0));
    ASSERT_EQ(rows.size(), lots.size() + 1) << "one row per sale and a header";
    int bids = 0;
    int chatBids = 0;         // valid bids in the chat, each item up to its sale
    int chatBidsAtPress = 0;  // ... of them, those in the chat when the last Get Bids was pressed
    for (std::size_t i = 0; i < lots.size(); ++i) {
        const Lines field = Fields(rows[i + 1]);
        ASSERT_GE(field.size(), 8U) << rows[i + 1];
        const Lot& lot = lots[i];
        EXPECT_EQ(field[1], lot.item);
        Standing sold;
        if (!field[3].empty()) sold = {Val(field[3]).value, field[4]};
        // The standing bid as of the last press, or any the chat reached after it (the fetch
        // itself comes a moment later).
        Standing atPress;
        bool borneOut = false;
        Standing before;
        int inChat = 0;
        int inChatAtPress = 0;
        for (const auto& [line, standing] : Replay(chat, lot)) {
            const bool accepted = standing != before;
            before = standing;
            inChat += accepted ? 1 : 0;
            if (line < lot.linesBeforeLastGetBids) {
                atPress = standing;
                inChatAtPress += accepted ? 1 : 0;
            } else if (standing == sold) {
                borneOut = true;
            }
        }
        EXPECT_TRUE(borneOut || sold == atPress) << rows[i + 1];
        // No bid the chat held at the last press was missed; none was taken that it lacks.
        const int seen = std::atoi(field[7].c_str());
        EXPECT_GE(seen, inChatAtPress) << rows[i + 1];
        EXPECT_LE(seen, inChat) << rows[i + 1];
        bids += seen;
        chatBids += inChat;
        chatBidsAtPress += inChatAtPress;
    }
    EXPECT_GT(bids, static_cast<int>(lots.size())) << "the bidders hardly bid";
    EXPECT_GE(live.runs, static_cast<int>(lots.size())) << "Get Bids hardly ran by itself";
    EXPECT_EQ(live.failures, 0) << "a live run failed against a world that answers";
    EXPECT_GT(live.newBids, 0) << "no bid ever showed without a press";

    // At close the item list holds exactly the entries not sold.
    Lines unsold = items;
    for (const Lot& lot : lots) {
        const auto entry = std::find_if(unsold.begin(), unsold.end(), [&](const std::string& e) {
            return e.rfind(lot.item + " - ", 0) == 0;
        });
        ASSERT_NE(entry, unsold.end()) << lot.item;
        unsold.erase(entry);
    }
    EXPECT_EQ(SplitLines(ui::test::ReadFile(folder_ / "Items.TXT")), unsold);

    std::ostringstream report;
    report << Name(GetParam()) << ": " << lots.size() << " items sold, " << bids << " bids taken, resident "
           << residentAfterFirst / 1024 << " KiB after the first item and " << residentAtEnd / 1024
           << " KiB at the end, window silent at most "
           << std::chrono::duration_cast<std::chrono::milliseconds>(longestSilence).count()
           << " ms; bids in the chat " << chatBids << " (" << chatBidsAtPress
           << " by the last press), live runs " << live.runs << " (" << live.failures << " failed, "
           << live.newBids << " with a new bid, longest "
           << std::chrono::duration_cast<std::chrono::milliseconds>(live.longest).count()
           << " ms), host clicks " << clicks_.made << " (" << live.heldCommands
           << " held for the end of a live run, " << clicks_.besideRun
           << " with a live run beside), Get Bids pressed again " << clicks_.getBidsAgain;
    for (const auto& [command, took] : longest_) {
        report << ", longest " << command << " "
               << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms";
    }
    RecordProperty("soak", report.str());
    std::printf("soak: %s\n", report.str().c_str());
}

INSTANTIATE_TEST_SUITE_P(Evening, Soak, ::testing::Values(Transport::Dde, Transport::Library), TransportName);

}  // namespace
}  // namespace gv::e2e
