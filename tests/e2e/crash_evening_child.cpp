// The child of E2eCrashSoak: an evening in the folder it is given, run through the real window
// against the practice world, until it is killed. It sells, undoes, adds to the list and
// records payments at random, says what it did on its standard output as each thing returns,
// and, in the mode it was given, kills itself with SIGKILL the moment one of them returned.

#include <unistd.h>
#include <wx/textctrl.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "auction_fixture.h"
#include "ui/accounts_window.h"
#include "ui/command_desk.h"
#include "ui/list_view.h"

namespace gv::e2e {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

void Say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// Names with a blank and an accent, as avatars have them.
constexpr const char* kBidders[] = {"Ann", "Bo Vine", "Zoë"};

class E2eCrashEvening : public AuctionTest {
protected:
    E2eCrashEvening() { folder_ = Env("GV_CRASH_FOLDER"); }

    void Run(Command command) {
        frame_->Commands().Run(command, ui::Origin::Window);
        ASSERT_TRUE(WaitUntil([&] { return !frame_->Gate().IsBusy(); }));
    }
    // After `what` returned: said, and the end of this run when the mode asks for it.
    void Did(const std::string& what, const std::string& line) {
        Say(line);
        if (mode_ == what) std::raise(SIGKILL);
    }

    void Sell() {
        if (frame_->Items().Empty()) return;
        Run(Command::GetNextItem);
        Run(Command::StateItem);
        const std::string& min = frame_->Block().blockMin;
        const std::string bidder = kBidders[random_() % 3];
        Post({"ESP from " + bidder + ": " + std::to_string(std::atoi(min.c_str()) + 5 + random_() % 50)});
        GetBids();
        Run(Command::Sold);
        Did("sold", "SOLD " + frame_->Block().blockItem);
        if (random_() % 5 == 0) {
            Run(Command::UndoLastSale);
            Did("undone", "UNDONE " + frame_->Block().blockItem);
        }
    }

    void Add() {
        Run(Command::List);
        const std::string name = "Extra " + Env("GV_CRASH_RUN") + "-" + std::to_string(++added_);
        Find<wxTextCtrl>("AuctionItem")->ChangeValue(wxString::FromUTF8(name));
        Find<wxTextCtrl>("MinBid")->ChangeValue("7");
        Run(Command::AddToList);
        Did("added", "ADDED " + name + " - 7");
        Run(Command::Auction);
    }

    void Pay() {
        if (frame_->AccountsView() == nullptr) Run(Command::Accounts);  // Ctrl+K also closes it
        ASSERT_TRUE(WaitUntil([&] { return frame_->AccountsView() != nullptr; }));
        ui::AccountsWindow& window = *frame_->AccountsView();
        // Nobody may owe yet: then this step pays nothing.
        if (!WaitUntil([&] { return window.Accounts().RowCount() > 0; }, 3000)) return;
        window.Choose(kBidders[random_() % 3]);  // one who owes, if any does
        if (window.Chosen().empty()) return;
        window.Amount()->ChangeValue("1");
        const std::size_t before = window.History().RowCount();
        window.RecordPayment();
        if (!WaitUntil([&] { return window.History().RowCount() > before; })) return;
        Did("paid", "PAID " + window.Chosen());
    }

    std::string mode_ = Env("GV_CRASH_MODE");
    std::mt19937 random_{static_cast<unsigned>(std::strtoul(Env("GV_CRASH_SEED").c_str(), nullptr, 10))};
    int added_ = 0;
};

TEST_F(E2eCrashEvening, Child) {
    ASSERT_FALSE(folder_.empty()) << "GV_CRASH_FOLDER names the evening's folder";
    Say("SCRATCH " + scratch_.path().string());
    Say("SERVICE " + service_->Path().string());
    Say("PID " + std::to_string(::getpid()));
    StartAuction();
    Say("READY");
    for (int step = 0; step < 100; ++step) {
        const auto pick = random_() % 10;
        if (pick < 5) {
            Sell();
        } else if (pick < 8) {
            Add();
        } else {
            Pay();
        }
        if (HasFatalFailure()) return;
    }
    Say("CLOSING");
    CloseWindow();
    Say("CLOSED");
}

}  // namespace
}  // namespace gv::e2e
