// What a screen reader learns of the window, read over AT-SPI by a process of its own
// (atspi-probe) while a whole auction runs against the practice world: every caption and
// box by its name, the bids after Get Bids, the bid changes announced, and no Dummy.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>

#include "auction_fixture.h"

namespace gv::e2e {
namespace {

// One object of the accessibility tree, or one name change (depth 0, showing unset).
struct Spoken {
    int depth = 0;
    std::string role;
    std::string name;
    std::string description;
    bool showing = false;
};

std::ostream& operator<<(std::ostream& out, const Spoken& s) {
    return out << s.role << " \"" << s.name << "\" (" << s.description << ")";
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    if (!line.empty() && line.back() == '\t') fields.emplace_back();
    return fields;
}

// atspi-probe as a child process; every question is answered while the window goes on
// answering the probe's own questions, so the waits pump the window's events.
class Probe {
public:
    using Pump = std::function<bool(const std::function<bool()>&, int)>;

    Probe(Pump pump) : pump_(std::move(pump)) {
        pid_ = StartChild({GV_ATSPI_PROBE, std::to_string(::getpid())}, input_, output_);
        if (pid_ < 0) return;
        ::fcntl(output_, F_SETFL, ::fcntl(output_, F_GETFL) | O_NONBLOCK);
        pump_([&] { return Read() || ended_; }, 20000);
        const std::size_t end = said_.find('\n');
        ready_ = said_.rfind("READY\n", 0) == 0;
        problem_ = end == std::string::npos ? "no answer: " + said_ : said_.substr(0, end);
        said_.clear();
    }

    ~Probe() {
        if (input_ >= 0) ::close(input_);
        if (output_ >= 0) ::close(output_);
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    bool Ready() const { return ready_; }
    const std::string& Problem() const { return problem_; }

    std::vector<Spoken> Tree() {
        std::vector<Spoken> objects;
        for (const std::string& line : Ask("tree")) {
            const auto f = Fields(line);
            if (f.size() != 5) continue;
            objects.push_back({std::stoi(f[0]), f[1], f[2], f[3], f[4] == "showing"});
        }
        return objects;
    }

    std::vector<Spoken> Changes() {
        std::vector<Spoken> changes;
        for (const std::string& line : Ask("changes")) {
            const auto f = Fields(line);
            if (f.size() == 3) changes.push_back({0, f[0], f[1], f[2], false});
        }
        return changes;
    }

    // Waits until the name changes so far satisfy `done`; returns them all.
    std::vector<Spoken> ChangesUntil(const std::function<bool(const std::vector<Spoken>&)>& done,
                                     int milliseconds = testing::kPatienceMs) {
        std::vector<Spoken> all;
        pump_(
            [&] {
                for (const Spoken& change : Changes()) all.push_back(change);
                return done(all);
            },
            milliseconds);
        return all;
    }
    // Until one of `role` is heard to change to `name`.
    std::vector<Spoken> ChangesUntil(const std::string& role, const std::string& name,
                                     int milliseconds = testing::kPatienceMs) {
        return ChangesUntil(
            [&](const std::vector<Spoken>& all) {
                return std::any_of(all.begin(), all.end(),
                                   [&](const Spoken& s) { return s.role == role && s.name == name; });
            },
            milliseconds);
    }

private:
    // True once the output holds a whole line.
    bool Read() {
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(output_, buffer, sizeof buffer);
            if (got > 0) {
                said_.append(buffer, static_cast<std::size_t>(got));
                continue;
            }
            if (got == 0) ended_ = true;
            break;
        }
        return said_.find('\n') != std::string::npos;
    }

    std::vector<std::string> Ask(const std::string& command) {
        std::vector<std::string> lines;
        if (!ready_) return lines;
        const std::string line = command + "\n";
        if (::write(input_, line.data(), line.size()) != static_cast<ssize_t>(line.size())) return lines;
        const bool answered = pump_(
            [&] {
                Read();
                return said_.find("END\n") != std::string::npos || ended_;
            },
            20000);
        EXPECT_TRUE(answered) << "atspi-probe did not answer \"" << command << "\"";
        std::istringstream in(said_.substr(0, said_.find("END\n")));
        said_.erase(0, std::min(said_.size(), said_.find("END\n") + 4));
        for (std::string l; std::getline(in, l);) lines.push_back(l);
        return lines;
    }

    Pump pump_;
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    bool ready_ = false;
    bool ended_ = false;
    std::string said_;
    std::string problem_;
};

const Spoken* FindSpoken(const std::vector<Spoken>& objects, const std::string& role,
                         const std::string& name) {
    for (const Spoken& object : objects) {
        if (object.role == role && object.name == name) return &object;
    }
    return nullptr;
}

// Whether a caption that shows `role` was heard to change to `name`.
bool Heard(const std::vector<Spoken>& changes, const std::string& name, const std::string& role) {
    for (const Spoken& change : changes) {
        if (change.role == "label" && change.name == name && change.description == role) return true;
    }
    return false;
}

class ScreenReader : public AuctionTest {
protected:
    void SetUp() override {
        AuctionTest::SetUp();
        WriteTiers(
            {"0", "999", "10", "1000", "9999999", "100", "", "", "", "", "", "", "", "", "", "", "", ""});
        WriteItems({"Oak chest - 500", "Vase - 40"});
        StartAuction();
        probe_ = std::make_unique<Probe>(
            [this](const std::function<bool()>& done, int limit) { return WaitUntil(done, limit); });
        ASSERT_TRUE(probe_->Ready()) << probe_->Problem();
        // The window learns of a new listener over the bus, in its own time, and sends no
        // change before: a title the probe hears proves that it hears the window.
        bool heard = false;
        for (int attempt = 0; attempt < 40 && !heard; ++attempt) {
            const std::string title = "Gavelton listening " + std::to_string(attempt);
            frame_->SetTitle(title);
            heard = FindSpoken(probe_->ChangesUntil("frame", title, 500), "frame", title) != nullptr;
        }
        ASSERT_TRUE(heard) << "the probe hears no name change from the window";
        frame_->SetTitle("Gavelton");
        probe_->ChangesUntil("frame", "Gavelton");
    }

    void TearDown() override {
        probe_.reset();
        AuctionTest::TearDown();
    }

    // Oak chest on the block, State Item, and Ann, Ben, Cy bidding.
    void RunToBids() {
        ChooseMenu(0);
        Press(Command::StateItem);
        Post({"ESP from Ann: 450", "ESP from Ben: 520", "ESP from Cy: 525", "ESP from Cy: 530"});
        GetBids();
        ASSERT_EQ(BlockLabels(), (std::vector<std::string>{"Oak chest", "500", "530", "Cy", "520", "Ben"}));
    }

    std::unique_ptr<Probe> probe_;
};

TEST_F(ScreenReader, FindsEveryCaptionAndBoxByItsNameWithTheBidsAndNoDummy) {
    RunToBids();
    const std::vector<Spoken> tree = probe_->Tree();
    ASSERT_FALSE(tree.empty());
    std::ostringstream listing;  // for a failure: all that the reader found
    for (const Spoken& object : tree) {
        listing << "\n"
                << std::string(static_cast<std::size_t>(object.depth) * 2, ' ') << object
                << (object.showing ? "" : " hidden");
    }
    // The window's six captions, each with what it shows as its name and its role.
    const std::pair<const char*, const char*> block[] = {
        {"Oak chest", "Item on the block"}, {"500", "Minimum bid"}, {"530", "Current bid"},
        {"Cy", "Current bidder"},           {"520", "Last bid"},    {"Ben", "Last bidder"},
    };
    for (const auto& [name, role] : block) {
        const Spoken* caption = FindSpoken(tree, "label", name);
        ASSERT_NE(caption, nullptr) << "no label \"" << name << "\" in" << listing.str();
        EXPECT_EQ(caption->description, role) << name;
        EXPECT_TRUE(caption->showing) << name;
    }
    // The boxes of the hidden panels are there too, named, but not showing.
    std::vector<std::pair<std::string, std::string>> named = {{"text", "Item"}, {"text", "Minimum bid"}};
    const char* lows[] = {"Row 1 low bound 0", "Row 2 low bound 1000", "Row 3 low bound",
                          "Row 4 low bound",   "Row 5 low bound",      "Row 6 low bound"};
    for (int row = 1; row <= 6; ++row) {
        named.emplace_back("text", "Row " + std::to_string(row) + " high bound");
        named.emplace_back("text", "Row " + std::to_string(row) + " raise");
        named.emplace_back("label", lows[row - 1]);
    }
    named.emplace_back("label",
                       "Use the Pacer Program to configure your system if having problems like freezing or "
                       "repeating.");
    named.emplace_back("push button", "Get Bids");
    for (const auto& [role, name] : named) {
        const Spoken* object = FindSpoken(tree, role, name);
        ASSERT_NE(object, nullptr) << "no " << role << " \"" << name << "\" in" << listing.str();
        EXPECT_EQ(object->showing, role == "push button") << name;
    }
    int unspoken = 0;
    for (const Spoken& object : tree) {
        EXPECT_EQ(object.name.find("Dummy"), std::string::npos) << object;
        if (object.role == "text" || object.role == "push button") {
            EXPECT_FALSE(object.name.empty()) << object;
        }
        if (object.role == "redundant object") ++unspoken;
    }
    EXPECT_EQ(unspoken, 1) << "Dummy, kept from readers";
}

TEST_F(ScreenReader, HearsEveryBidChangeAndTheFailureDisplayWithoutTheFocusMoving) {
    RunToBids();
    const auto heardAll = [](const std::vector<std::pair<std::string, std::string>>& expected) {
        return [expected](const std::vector<Spoken>& changes) {
            return std::all_of(expected.begin(), expected.end(),
                               [&](const auto& e) { return Heard(changes, e.first, e.second); });
        };
    };
    const std::vector<std::pair<std::string, std::string>> bids = {
        {"Oak chest", "Item on the block"}, {"500", "Minimum bid"}, {"530", "Current bid"},
        {"Cy", "Current bidder"},           {"520", "Last bid"},    {"Ben", "Last bidder"}};
    std::vector<Spoken> changes = probe_->ChangesUntil(heardAll(bids));
    for (const auto& [name, role] : bids) {
        EXPECT_TRUE(Heard(changes, name, role)) << "no name change to \"" << name << "\" of the " << role;
    }
    // A caption that did not change says nothing again: everything heard from here until Get
    // Next Item's changes have all arrived is one of those changes.
    GetBids();
    Press(Command::GetNextItem);  // Get Next Item: the Vase, the bids cleared
    const std::vector<std::pair<std::string, std::string>> next = {
        {"Vase", "Item on the block"}, {"40", "Minimum bid"}, {"", "Current bid"},
        {"", "Current bidder"},        {"", "Last bid"},      {"", "Last bidder"}};
    changes = probe_->ChangesUntil(heardAll(next));
    for (const auto& [name, role] : next) {
        EXPECT_TRUE(Heard(changes, name, role)) << "no name change to \"" << name << "\" of the " << role;
    }
    for (const Spoken& change : changes) {
        const bool fromNextItem = std::any_of(
            next.begin(), next.end(), [&](const auto& e) { return Heard({change}, e.first, e.second); });
        if (!fromNextItem) ADD_FAILURE() << "again: " << change;
    }

    world_->Stop();
    Click(Button(Command::GetBids));
    const std::string failure = "Gavelton - chat client not answering: bids not fetched";
    ASSERT_TRUE(WaitUntil([&] { return !frame_->Gate().IsBusy() && frame_->GetTitle() == failure; }, 20000));
    EXPECT_TRUE(FindSpoken(probe_->ChangesUntil("frame", failure), "frame", failure));
}

TEST_F(ScreenReader, ReadsTheFloorLogByItsNamesAndHearsANewGetBids) {
    ChooseMenu(5);  // Log
    ASSERT_TRUE(WaitUntil([&] { return frame_->FloorLogView() != nullptr; }));
    RunToBids();
    const std::string summary = "Oak chest: 4 ESP lines judged, 2 taken";
    EXPECT_TRUE(Heard(probe_->ChangesUntil("label", summary), summary, "Floor log summary"));
    const std::vector<Spoken> tree = probe_->Tree();
    std::ostringstream listing;
    for (const Spoken& object : tree)
        listing << "\n" << std::string(static_cast<std::size_t>(object.depth) * 2, ' ') << object;
    const auto named = [&](const std::string& name) {
        return std::any_of(tree.begin(), tree.end(), [&](const Spoken& s) { return s.name == name; });
    };
    EXPECT_TRUE(named("Gavelton - Floor log")) << listing.str();
    EXPECT_TRUE(named("Floor log")) << listing.str();
    for (const char* column : {"Line", "Who", "Message", "Amount", "Verdict"})
        EXPECT_TRUE(named(column)) << column;
    EXPECT_TRUE(named("refused, 5 over the standing bid, the raise for 525 is 10")) << listing.str();
}

}  // namespace
}  // namespace gv::e2e
