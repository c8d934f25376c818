// A whole Get Bids as the host presses it: the chat fetched over the link from a running
// practice world, the capture file written and read back, and the intake, with wxWidgets'
// own event loop doing every yield. Runs under an X server (xvfb-run), as the product does.
//
//   build/release/bench/get_bids_bench [--benchmark_filter=...]
//
// Besides the whole command it times its stages, so a slow run says where the time goes.

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/weakref.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "account_history.h"
#include "bench_stats.h"
#include "chat_text.h"
#include "common/busy.h"
#include "common/text.h"
#include "fakes.h"
#include "floor/capture.h"
#include "floor/floor.h"
#include "floor/intake.h"
#include "link/chat_link.h"
#include "link/desktop/dapi_library.h"
#include "link/desktop/desktop_platform.h"
#include "one_report.h"
#include "ui/accounts_window.h"
#include "ui/desktop.h"
#include "ui/floor_log_window.h"
#include "ui/list_view.h"
#include "ui/main_window.h"
#include "ui/wx_services.h"
#include "world_process.h"

namespace {

using gv::e2e::ServiceFolder;
using gv::e2e::WorldProcess;

class QuietSink final : public gv::MessageSink {
public:
    void ShowMessage(const std::string& text, const std::string&, gv::MessageIcon) override {
        std::fprintf(stderr, "get_bids_bench: the link says: %s\n", text.c_str());
    }
};

// An evening's chat: talk, the host's announcements, ESPs to the host (a few repeated), with
// the State Item line near the start so every bid line is judged.
std::string EveningChat(std::size_t bytes) {
    return gv::testing::MakeChat({.bytes = bytes, .bidEvery = 10, .raise = 10, .repeatEvery = 7}).text;
}

struct Setup {
    Setup() { tiers.Row(0) = {"0", "9999999", "10"}; }
    gv::TierTable tiers;
    gv::ItemList items;
    gv::BlockState block;
    gv::NoBusyHost busy;
    gv::ui::WxEventPump pump;
    QuietSink sink;
};

// Everything one chat size needs: a world holding the chat, and the tool's link to it.
struct Bench {
    std::filesystem::path folder;
    std::string chat;
    std::size_t lines = 0;
    std::unique_ptr<ServiceFolder> service;
    std::unique_ptr<WorldProcess> world;
    Setup setup;
    std::unique_ptr<gv::ChatLink> link;
};

std::unique_ptr<Bench> g_bench;
// One reporter for every round, so the figures read as one report.
gv::bench::OneReport* g_reporter = nullptr;

void ResetBlock() { gv::PutOnBlock(g_bench->setup.block, "Oak chest - 500"); }

void Counters(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(g_bench->chat.size()));
    state.counters["lines"] = static_cast<double>(g_bench->lines);
}

void BM_WholeGetBids(benchmark::State& state) {
    Bench& b = *g_bench;
    gv::Floor floor(b.setup.block, b.setup.tiers, b.setup.items, *b.link, b.setup.pump, b.setup.busy);
    floor.SetCapturePath(b.folder / "TALLY.TXT");
    for (auto _ : state) {
        state.PauseTiming();
        ResetBlock();
        state.ResumeTiming();
        floor.GetBids();
    }
    if (b.setup.block.currentBid.empty()) state.SkipWithError("no bid was taken");
    Counters(state);
}

// The real main window, started in the bench's folder on a list of one item and one tier,
// with its own link to the world.
// An auction over a link that answers at once: what the window itself costs, without the waits
// on the world, whose naps spread a command's time by a third.
struct InstantAuction {
    explicit InstantAuction(gv::ui::WxEventPump& pump) : auction(link, link, pump) {
        auction.floor.SetSalesRecord(&auction.sales);
    }
    gv::testing::Calls calls;
    gv::testing::FakeLink link{calls};
    gv::Auction auction;
};

class Window {
public:
    explicit Window(Bench& b, bool instantLink = false)
        : previous_(std::filesystem::current_path()), pump_(b.setup.pump), desktop_(b.setup.sink) {
        std::filesystem::current_path(b.folder);
        std::ofstream(b.folder / "Items.TXT", std::ios::binary) << "Oak chest - 500\r\n";
        std::ofstream(b.folder / "BIDS.TXT", std::ios::binary) << "0\r\n9999999\r\n10\r\n";
        if (instantLink) instant_ = std::make_unique<InstantAuction>(pump_);
        frame_ = new gv::ui::AuctionFrame(Auction(), b.setup.sink);
        frame_->Start();
        frame_->Show();
        pump_.Yield();
    }
    ~Window() {
        wxWeakRef<wxFrame> frame(frame_);
        frame_->Close(true);
        // The window goes at the next idle time, and must go before the auction under it.
        while (frame) {
            pump_.Yield();
            wxTheApp->ProcessIdle();
        }
        std::filesystem::current_path(previous_);
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    gv::ui::AuctionFrame& operator*() const { return *frame_; }
    gv::Auction& Auction() { return instant_ ? instant_->auction : desktop_.Get(); }
    gv::ui::AuctionFrame* operator->() const { return frame_; }

private:
    std::filesystem::path previous_;
    gv::ui::WxEventPump& pump_;
    gv::ui::DesktopAuction desktop_;
    std::unique_ptr<InstantAuction> instant_;
    gv::ui::AuctionFrame* frame_ = nullptr;
};

// The same command as the host presses it: Get Bids of the real main window, in the
// busy state, its labels refreshed after every accepted bid. The item is put on the block
// again (untimed) before each press, so every press is the item's first Get Bids: every line
// is judged anew and every row of the log is new.
// With `untilShown`, the time also covers the log catching up once the command is over.
void PressGetBidsEachIteration(benchmark::State& state, Window& window, bool untilShown = false) {
    for (auto _ : state) {
        state.PauseTiming();
        window->Commands().Run(gv::ui::Command::Auction, gv::ui::Origin::Window);
        // The Auction command's own redraw (captions, an emptied log) is done by the time a host
        // presses Get Bids.
        g_bench->setup.pump.Yield();
        state.ResumeTiming();
        window->Commands().Run(gv::ui::Command::GetBids, gv::ui::Origin::Window);
        if (untilShown) g_bench->setup.pump.Yield();
    }
    if (window->Block().currentBid.empty()) state.SkipWithError("no bid was taken");
}

void BM_WholeGetBidsInWindow(benchmark::State& state) {
    Window window(*g_bench);
    PressGetBidsEachIteration(state, window);
    Counters(state);
}

// The same with the floor log window open: the judgements recorded and the log redrawn after
// every Get Bids.
void LogOpen(benchmark::State& state, bool untilShown) {
    Window window(*g_bench);
    window->FloorLog().Toggle();
    if (window->FloorLogView() == nullptr) state.SkipWithError("the log did not open");
    PressGetBidsEachIteration(state, window, untilShown);
    g_bench->setup.pump.Yield();  // the log shows the rows once the command is over
    if (window->FloorLogView() && window->FloorLogView()->RowCount() == 0)
        state.SkipWithError("the log is empty");
    Counters(state);
}

void BM_WholeGetBidsInWindowLogOpen(benchmark::State& state) { LogOpen(state, false); }

// ... and until the log shows every row of it.
void BM_WholeGetBidsInWindowLogShown(benchmark::State& state) { LogOpen(state, true); }

// The host's common case: the same auction pressed again and again, a few more lines in the
// chat each time (talk, a bid that is taken, one that is too low), posted untimed.
void PressGetBidsAgainEachIteration(benchmark::State& state, Window& window) {
    window->Commands().Run(gv::ui::Command::Auction, gv::ui::Origin::Window);
    window->Commands().Run(gv::ui::Command::GetBids, gv::ui::Origin::Window);
    for (auto _ : state) {
        state.PauseTiming();
        const double standing = gv::ValOrInfinity(window->Block().currentBid);
        const std::string raise = gv::ExactNumberText(standing + 100);
        if (!g_bench->world->Post({"Ann: still going", "ESP from Zed: " + raise, "ESP from Cy: 5"}))
            state.SkipWithError("the world did not post the lines");
        state.ResumeTiming();
        window->Commands().Run(gv::ui::Command::GetBids, gv::ui::Origin::Window);
    }
}

void BM_WholeGetBidsInWindowAgain(benchmark::State& state) {
    Window window(*g_bench);
    PressGetBidsAgainEachIteration(state, window);
    Counters(state);
}

void BM_WholeGetBidsInWindowAgainLogOpen(benchmark::State& state) {
    Window window(*g_bench);
    window->FloorLog().Toggle();
    if (window->FloorLogView() == nullptr) state.SkipWithError("the log did not open");
    PressGetBidsAgainEachIteration(state, window);
    const gv::ui::FloorLogWindow* log = window->FloorLogView();
    const wxString shown = log && log->RowCount() >= 2 ? log->CellText(log->RowCount() - 2, 1) : wxString();
    if (shown != "Zed") state.SkipWithError("the log does not show the last bid posted");
    Counters(state);
}

// Get Bids through the window as ratios of what it cannot do without: the busy state in and out
// and the floor's own Get Bids. Every iteration times, in an order drawn at random, the busy
// state, the window's Get Bids of the same auction again (three lines posted untimed before it)
// and of the item's first Get Bids (put up again untimed), so that whatever load the machine
// carries falls on all of them alike; every other iteration with the floor log open. A host
// keeps the log open through an evening: the Get Bids right after it opens, which also pays for
// the new window's first layout, is timed apart (opened_x). The floor's own is timed alone,
// before the window opens and after it has gone. The ratios are of the medians over the run.
void BM_GetBidsRatios(benchmark::State& state) {
    using gv::bench::Median;
    Bench& b = *g_bench;
    gv::Floor floor(b.setup.block, b.setup.tiers, b.setup.items, *b.link, b.setup.pump, b.setup.busy);
    floor.SetCapturePath(b.folder / "TALLY-floor.TXT");
    using Clock = std::chrono::steady_clock;
    const auto since = [](Clock::time_point start) {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    // The floor's own Get Bids with no window open, as WholeGetBids has it: every pass of the loop
    // beside a window costs more, and that is the window's, not the floor's. Timed before and
    // after the window's figures, so that a drift of the machine's load falls on both halves.
    std::vector<double> floorMs;
    const auto floorAlone = [&](int times) {
        for (int i = 0; i < times; ++i) {
            ResetBlock();
            const auto start = Clock::now();
            floor.GetBids();
            floorMs.push_back(since(start));
        }
    };
    constexpr int kFloorRuns = 20;
    floorAlone(kFloorRuns);
    auto window = std::make_unique<Window>(b);
    enum Measure { Busy, Again, First, Measures };
    std::array<std::array<std::vector<double>, Measures>, 2> took;  // [log open][measure]
    std::vector<double> busyMs;                                     // log open or not
    std::vector<double> opened;                                     // the Get Bids right after the log opened
    std::int64_t iterations = 0;
    std::mt19937 random(std::random_device{}());
    // Between two presses a host leaves the window time to finish what a command left it: the
    // log's rows laid out, and the repaint GTK's frame clock holds for its next frame. Three
    // frames at least, and until nothing is waiting (or a second has gone).
    const auto settle = [&] {
        const auto frames = Clock::now() + std::chrono::milliseconds(50);
        const auto deadline = Clock::now() + std::chrono::seconds(1);
        while (Clock::now() < frames || (wxTheApp->Pending() && Clock::now() < deadline)) {
            b.setup.pump.Yield();
            wxTheApp->ProcessIdle();
            b.setup.pump.WaitForEvent(std::chrono::milliseconds(2));
        }
    };
    (*window)->Commands().Run(gv::ui::Command::Auction, gv::ui::Origin::Window);
    (*window)->Commands().Run(gv::ui::Command::GetBids, gv::ui::Origin::Window);
    bool posted = true;
    for (auto _ : state) {
        const bool open = iterations++ % 2 == 1;
        if (((*window)->FloorLogView() != nullptr) != open) {
            (*window)->FloorLog().Toggle();
            settle();
            if (open) {
                const auto start = Clock::now();
                (*window)->Commands().Run(gv::ui::Command::GetBids, gv::ui::Origin::Window);
                opened.push_back(since(start));
            }
        }
        settle();
        std::array<Measure, Measures> order{Busy, Again, First};
        std::shuffle(order.begin(), order.end(), random);
        for (const Measure measure : order) {
            if (measure == Again) {
                const double standing = gv::ValOrInfinity((*window)->Block().currentBid);
                posted =
                    b.world->Post({"Ann: still going", "ESP from Zed: " + gv::ExactNumberText(standing + 100),
                                   "ESP from Cy: 5"}) &&
                    posted;
            } else if (measure == First) {
                (*window)->Commands().Run(gv::ui::Command::Auction, gv::ui::Origin::Window);
                settle();
            }
            const auto start = Clock::now();
            switch (measure) {
                case Busy:
                    (*window)->Gate().EnterBusy();
                    b.setup.pump.Yield();
                    (*window)->Gate().LeaveBusy();
                    b.setup.pump.Yield();
                    break;
                case Again:
                case First:
                    (*window)->Commands().Run(gv::ui::Command::GetBids, gv::ui::Origin::Window);
                    break;
                case Measures:
                    break;
            }
            const double ms = since(start);
            took[open][measure].push_back(ms);
            if (measure == Busy) busyMs.push_back(ms);
            settle();
        }
    }
    window.reset();
    floorAlone(kFloorRuns);
    if (!posted) state.SkipWithError("the world did not post the lines");
    // The base: the busy state over every iteration, log open or not, and the floor's Get Bids.
    const double base = Median(busyMs) + Median(floorMs);
    const auto ratio = [&](double ms) { return base > 0 ? ms / base : 0; };
    state.counters["busy_ms"] = Median(busyMs);
    state.counters["floor_ms"] = Median(floorMs);
    state.counters["again_ms"] = Median(took[false][Again]);
    state.counters["first_ms"] = Median(took[false][First]);
    state.counters["again_x"] = ratio(Median(took[false][Again]));
    state.counters["first_x"] = ratio(Median(took[false][First]));
    state.counters["again_open_x"] = ratio(Median(took[true][Again]));
    state.counters["first_open_x"] = ratio(Median(took[true][First]));
    state.counters["opened_x"] = ratio(Median(opened));
}

// The log's share of a Get Bids that found nothing new: the floor's rows compared with those
// shown, and a yield after.
void BM_FloorLogRedraw(benchmark::State& state) {
    Window window(*g_bench);
    window->FloorLog().Toggle();
    window->Commands().Run(gv::ui::Command::Auction, gv::ui::Origin::Window);
    window->Commands().Run(gv::ui::Command::GetBids, gv::ui::Origin::Window);
    for (auto _ : state) {
        window->FloorLogView()->ShowJudgements();
        g_bench->setup.pump.Yield();
    }
    state.counters["rows"] = window->FloorLogView()->RowCount();
}

// The accounts over a long history (account_history.h) in the bench's folder, where the
// window reads Sales.csv and Accounts.csv.
void WriteHistory() {
    static const gv::bench::History history = gv::bench::MakeHistory();
    std::ofstream(g_bench->folder / "Sales.csv", std::ios::binary) << history.sales;
    std::ofstream(g_bench->folder / "Accounts.csv", std::ios::binary) << history.accounts;
}

// A side window goes at the next idle time.
void GoneAtIdle(const char* name) {
    while (wxWindow::FindWindowByName(name) != nullptr) {
        g_bench->setup.pump.Yield();
        wxTheApp->ProcessIdle();
    }
}

// The accounts window's book computed and drawn, once its thread is done.
void UntilAccountsShown(Window& window) {
    while (window->Accounts().Behind()) g_bench->setup.pump.Yield();
    g_bench->setup.pump.Yield();
    if (window->AccountsView() != nullptr) window->AccountsView()->Update();
}

// ... and the drawing finished on the display (the X server draws on its own time), which a
// host's next press, a second or more later, never waits for.
void UntilAccountsSettled(Window& window) {
    UntilAccountsShown(window);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    for (int pass = 0; pass < 3; ++pass) {
        wxTheApp->ProcessIdle();
        g_bench->setup.pump.Yield();
    }
}

// Opening the accounts window until it is drawn with every row.
void BM_AccountsWindowOpen(benchmark::State& state) {
    WriteHistory();
    Window window(*g_bench);
    for (auto _ : state) {
        window->Accounts().Toggle();
        g_bench->setup.pump.Yield();
        state.PauseTiming();
        if (window->AccountsView() == nullptr || window->AccountsView()->Accounts().RowCount() == 0)
            state.SkipWithError("the accounts window shows no rows");
        else
            state.counters["rows"] = window->AccountsView()->Accounts().RowCount();
        window->Accounts().Close();
        GoneAtIdle("Accounts");
        state.ResumeTiming();
    }
}

// The open window shown again as after a sale outside a command (an undo): both files read, the
// accounts computed, the list told of the rows that changed, and drawn.
void BM_AccountsRefreshAfterSale(benchmark::State& state) {
    WriteHistory();
    Window window(*g_bench);
    window->Accounts().Toggle();
    for (auto _ : state) {
        window.Auction().ledger.SaleMade({});
        UntilAccountsShown(window);
    }
    if (window->AccountsView() == nullptr) state.SkipWithError("the accounts window did not open");
}

// SOLD as the host presses it, on an item with a bid, until the window is idle again (the host
// may press the next command); with the accounts window open, or also until it shows the sale.
enum class AccountsWindowIs { Closed, Open, ShownAfterSale };

void PressSoldEachIteration(benchmark::State& state, AccountsWindowIs accounts, bool instantLink = false) {
    WriteHistory();
    Window window(*g_bench, instantLink);
    if (accounts != AccountsWindowIs::Closed) window->Accounts().Toggle();
    gv::Auction& auction = window.Auction();
    std::chrono::steady_clock::duration press{};
    std::chrono::steady_clock::duration after{};
    for (auto _ : state) {
        state.PauseTiming();
        UntilAccountsSettled(window);  // the last sale's book is not computed inside this one
        auction.items.Append("Oak chest - 500");
        window->Commands().Run(gv::ui::Command::Auction, gv::ui::Origin::Window);
        auction.block.currentBid = "600";
        auction.block.currentBidder = "Ann";
        g_bench->setup.pump.Yield();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        window->Commands().Run(gv::ui::Command::Sold, gv::ui::Origin::Window);
        const auto pressed = std::chrono::steady_clock::now();
        g_bench->setup.pump.Yield();
        if (accounts == AccountsWindowIs::ShownAfterSale) UntilAccountsShown(window);
        press += pressed - start;
        after += std::chrono::steady_clock::now() - pressed;
    }
    // Where the time goes: the command itself, and the yield (and drawing) after it.
    const auto perIteration = [&](std::chrono::steady_clock::duration total) {
        return std::chrono::duration<double, std::milli>(total).count() /
               static_cast<double>(state.iterations());
    };
    state.counters["press_ms"] = perIteration(press);
    state.counters["after_ms"] = perIteration(after);
    if (accounts != AccountsWindowIs::Closed && window->AccountsView() == nullptr)
        state.SkipWithError("the accounts window closed");
}

void BM_SoldInWindow(benchmark::State& state) { PressSoldEachIteration(state, AccountsWindowIs::Closed); }
void BM_SoldInWindowAccountsOpen(benchmark::State& state) {
    PressSoldEachIteration(state, AccountsWindowIs::Open);
}
void BM_SoldInWindowAccountsShown(benchmark::State& state) {
    PressSoldEachIteration(state, AccountsWindowIs::ShownAfterSale);
}
void BM_SoldInstant(benchmark::State& state) {
    PressSoldEachIteration(state, AccountsWindowIs::Closed, true);
}
void BM_SoldInstantAccountsOpen(benchmark::State& state) {
    PressSoldEachIteration(state, AccountsWindowIs::Open, true);
}

// What the last look before SOLD costs: each iteration puts the item up, takes its bids with a
// Get Bids (timed on its own), and presses SOLD, every other time with the look. The look
// finds the bid the captions show, so SOLD goes on; "look_in_get_bids" is what the look added
// to SOLD, in Get Bids of the same chat: at most 1 is the aim.
void BM_SoldLookInWindow(benchmark::State& state) {
    Window window(*g_bench);
    gv::Auction& auction = window.Auction();
    using Duration = std::chrono::steady_clock::duration;
    Duration getBids{}, plain{}, looked{};
    std::int64_t plains = 0, looks = 0;
    bool held = false;
    const auto timed = [](gv::ui::AuctionFrame& frame, gv::ui::Command command) {
        const auto start = std::chrono::steady_clock::now();
        frame.Commands().Run(command, gv::ui::Origin::Window);
        return std::chrono::steady_clock::now() - start;
    };
    for (auto _ : state) {
        state.PauseTiming();
        auction.items.Append("Oak chest - 500");
        window->Commands().Run(gv::ui::Command::Auction, gv::ui::Origin::Window);
        g_bench->setup.pump.Yield();
        getBids += timed(*window, gv::ui::Command::GetBids);
        g_bench->setup.pump.Yield();
        const bool look = (plains + looks) % 2 == 1;
        auction.floor.SetCheckBeforeSold(look);
        state.ResumeTiming();
        const Duration sold = timed(*window, gv::ui::Command::Sold);
        (look ? looked : plain) += sold;
        ++(look ? looks : plains);
        held = held || !auction.block.blockEntrySold;
    }
    if (held) state.SkipWithError("SOLD was held: the look saw another bid");
    const auto ms = [](Duration total, std::int64_t count) {
        return count == 0
                   ? 0.0
                   : std::chrono::duration<double, std::milli>(total).count() / static_cast<double>(count);
    };
    const double getBidsMs = ms(getBids, plains + looks);
    state.counters["get_bids_ms"] = getBidsMs;
    state.counters["sold_ms"] = ms(plain, plains);
    state.counters["sold_look_ms"] = ms(looked, looks);
    if (getBidsMs > 0)
        state.counters["look_in_get_bids"] = (ms(looked, looks) - ms(plain, plains)) / getBidsMs;
    Counters(state);
}

void BM_IntakeWithWxYields(benchmark::State& state);

// The intake with wx's yields while the main window is open (untouched): what each yield
// costs once the toolkit has a window to look after.
void BM_IntakeWithWxYieldsBesideWindow(benchmark::State& state) {
    Window window(*g_bench);
    BM_IntakeWithWxYields(state);
}

// The part of it that does not depend on the chat: entering and leaving the busy state
// (the window disabled and painted red, then enabled and cyan again), with a yield in each.
void BM_BusyStateInWindow(benchmark::State& state) {
    Window window(*g_bench);
    for (auto _ : state) {
        window->Gate().EnterBusy();
        g_bench->setup.pump.Yield();
        window->Gate().LeaveBusy();
        g_bench->setup.pump.Yield();
    }
}

// The stages of the same command, one by one.
void BM_Fetch(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(g_bench->link->FetchAllText());
    Counters(state);
}

void BM_CaptureChat(benchmark::State& state) {
    Bench& b = *g_bench;
    for (auto _ : state) {
        const gv::CaptureResult capture = gv::CaptureChat(*b.link, b.setup.pump, b.folder / "TALLY.TXT");
        if (!capture.saved) state.SkipWithError("capture not saved");
    }
    Counters(state);
}

void BM_ReadBack(benchmark::State& state) {
    Bench& b = *g_bench;
    const gv::CaptureResult capture = gv::CaptureChat(*b.link, b.setup.pump, b.folder / "TALLY.TXT");
    for (auto _ : state) benchmark::DoNotOptimize(gv::CapturedText(capture, b.folder / "TALLY.TXT"));
    Counters(state);
}

// The intake over the fetched chat, with `yieldOnce` after every line read and bid taken.
void RunIntake(benchmark::State& state, const std::function<void()>& yieldOnce) {
    Bench& b = *g_bench;
    const std::string text = b.link->FetchAllText().text + "\r\n";
    for (auto _ : state) {
        state.PauseTiming();
        ResetBlock();
        state.ResumeTiming();
        gv::TakeBids(text, b.setup.block, b.setup.tiers, yieldOnce);
    }
    Counters(state);
}

void BM_IntakeWithWxYields(benchmark::State& state) {
    RunIntake(state, [] { g_bench->setup.pump.Yield(); });
}

void BM_IntakeWithoutYields(benchmark::State& state) {
    RunIntake(state, [] {});
}

// One wx yield with nothing waiting: the price of each line's yield in the intake.
void BM_OneWxYield(benchmark::State& state) {
    for (auto _ : state) g_bench->setup.pump.Yield();
}

std::size_t CountLines(const std::string& text) {
    std::size_t count = 0;
    for (char c : text) count += c == '\n';
    return count;
}

// The window's benchmarks and the stages of Get Bids, for one chat size and transport.
void RegisterStages(const std::string& suffix) {
    const auto add = [&](const char* name, void (*run)(benchmark::State&)) {
        benchmark::RegisterBenchmark((name + suffix).c_str(), run)->Unit(benchmark::kMillisecond);
    };
    add("WholeGetBidsInWindow", BM_WholeGetBidsInWindow);
    add("WholeGetBidsInWindowLogOpen", BM_WholeGetBidsInWindowLogOpen);
    add("WholeGetBidsInWindowLogShown", BM_WholeGetBidsInWindowLogShown);
    add("WholeGetBidsInWindowAgain", BM_WholeGetBidsInWindowAgain);
    add("WholeGetBidsInWindowAgainLogOpen", BM_WholeGetBidsInWindowAgainLogOpen);
    add("FloorLogRedraw", BM_FloorLogRedraw);
    add("BusyStateInWindow", BM_BusyStateInWindow);
    // Enough iterations for medians that hold (some 30 of each, open and closed): each takes half
    // a second, most of it the pauses between presses.
    benchmark::RegisterBenchmark(("GetBidsRatios" + suffix).c_str(), BM_GetBidsRatios)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(15.0);
    add("SoldLookInWindow", BM_SoldLookInWindow);
    add("IntakeWithWxYieldsBesideWindow", BM_IntakeWithWxYieldsBesideWindow);
    add("Fetch", BM_Fetch);
    add("CaptureChat", BM_CaptureChat);
    add("ReadBack", BM_ReadBack);
    add("IntakeWithWxYields", BM_IntakeWithWxYields);
    add("IntakeWithoutYields", BM_IntakeWithoutYields);
}

// Starts a world holding a chat of `bytes`, links to it in `transport` ("Dde" or "Library"),
// runs the benchmarks, and tears it all down. False when the world or the link fails.
bool RunFor(std::size_t bytes, const std::string& transport, bool stages) {
    g_bench = std::make_unique<Bench>();
    Bench& b = *g_bench;
    std::mt19937_64 random(std::random_device{}());
    b.folder =
        std::filesystem::temp_directory_path() / ("gavelton-bench-" + std::to_string(random() % 1000000000));
    std::filesystem::create_directories(b.folder);
    b.chat = EveningChat(bytes);
    b.lines = CountLines(b.chat);
    std::ofstream(b.folder / "chat.txt", std::ios::binary) << b.chat;

    b.service = std::make_unique<ServiceFolder>();
    gv::e2e::WorldOptions options;
    options.transcript = b.folder / "chat.txt";
    b.world = std::make_unique<WorldProcess>(GV_PRACTICE_WORLD, b.folder, options);
    bool ok = b.world->Ready();
    if (!ok) std::fprintf(stderr, "get_bids_bench: %s\n", b.world->Problem().c_str());

    if (ok) {
        b.link = std::make_unique<gv::ChatLink>(b.setup.pump, b.setup.sink);
        gv::UseDesktopPlatform(*b.link);
        if (transport == "Library") {
            std::ofstream(b.folder / "SCONTROL.TXT", std::ios::binary) << "VZones 3.0\r\n0\r\n1\r\n0\r\n";
            b.link->SetDapiLoader(std::make_unique<gv::WxDapiLoader>(GV_STAND_IN_WADAPI));
        }
        b.link->LoadLinkSettings(b.folder / "SCONTROL.TXT");
        b.link->StartLink();
        ok = !b.link->FetchAllText().text.empty();
        if (!ok) std::fprintf(stderr, "get_bids_bench: no chat over the %s link\n", transport.c_str());
    }
    if (ok) {
        const std::string suffix = "/" + transport + "/" + std::to_string(bytes >> 10) + "KiB";
        benchmark::RegisterBenchmark(("WholeGetBids" + suffix).c_str(), BM_WholeGetBids)
            ->Unit(benchmark::kMillisecond);
        if (stages) RegisterStages(suffix);
        if (stages && bytes < (std::size_t{1} << 20)) {
            struct Accounts {
                const char* name;
                void (*run)(benchmark::State&);
            };
            for (const Accounts& bench : {Accounts{"AccountsWindowOpen", BM_AccountsWindowOpen},
                                          Accounts{"AccountsRefreshAfterSale", BM_AccountsRefreshAfterSale},
                                          Accounts{"SoldInWindow", BM_SoldInWindow},
                                          Accounts{"SoldInWindowAccountsOpen", BM_SoldInWindowAccountsOpen},
                                          Accounts{"SoldInWindowAccountsShown", BM_SoldInWindowAccountsShown},
                                          Accounts{"SoldInstant", BM_SoldInstant},
                                          Accounts{"SoldInstantAccountsOpen", BM_SoldInstantAccountsOpen}})
                benchmark::RegisterBenchmark((bench.name + suffix).c_str(), bench.run)
                    ->Unit(benchmark::kMillisecond);
        }
        benchmark::RunSpecifiedBenchmarks(g_reporter);
        benchmark::ClearRegisteredBenchmarks();
        b.link->StopLink();
    }
    b.link.reset();
    b.world.reset();
    b.service.reset();
    std::error_code ignored;
    std::filesystem::remove_all(b.folder, ignored);
    g_bench.reset();
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    gv::bench::OneReport reporter;
    if (!reporter.TakeFlags(argc, argv)) return 2;
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        std::fputs("get_bids_bench: no display (run it under xvfb-run)\n", stderr);
        return 2;
    }
    wxTheApp->CallOnInit();
    bool ok = true;
    g_reporter = &reporter;
    {
        wxGUIEventLoop loop;
        wxEventLoopActivator active(&loop);
        g_bench = std::make_unique<Bench>();
        benchmark::RegisterBenchmark("OneWxYield", BM_OneWxYield);
        benchmark::RunSpecifiedBenchmarks(g_reporter);
        benchmark::ClearRegisteredBenchmarks();
        g_bench.reset();
        for (const std::size_t bytes : {std::size_t{32} << 10, std::size_t{1} << 20}) {
            ok = RunFor(bytes, "Dde", true) && ok;
            ok = RunFor(bytes, "Library", false) && ok;
        }
    }
    reporter.End();
    wxTheApp->OnExit();
    wxEntryCleanup();
    benchmark::Shutdown();
    return ok ? 0 : 1;
}
