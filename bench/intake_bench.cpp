// The bid intake alone, over synthetic chats of the sizes a host meets: a short session
// (32 KB), a long evening (1 MB) and far more than a client keeps (10 MB).

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench_stats.h"
#include "chat_text.h"
#include "common/busy.h"
#include "fakes.h"
#include "floor/floor.h"
#include "floor/intake.h"

namespace {

// Talk, the host's announcements and, every twelfth line, an ESP bid through the whole chat,
// mostly raises that are taken and now and then a repeat that is refused; the marker near the
// start, so that every bid line is judged.
std::string SyntheticChat(std::size_t bytes) {
    return gv::testing::MakeChat({.bytes = bytes, .bidEvery = 12, .raise = 10, .repeatEvery = 7}).text;
}

gv::TierTable BenchTiers() {
    gv::TierTable tiers;
    tiers.Row(0) = {"0", "999", "10"};
    tiers.Row(1) = {"1000", "9999999", "10"};
    return tiers;
}

gv::BlockState OakChestOnBlock() {
    gv::BlockState block;
    gv::PutOnBlock(block, "Oak chest - 500");
    return block;
}

void BM_TakeBids(benchmark::State& state) {
    const std::string chat = SyntheticChat(static_cast<std::size_t>(state.range(0)));
    const gv::TierTable tiers = BenchTiers();
    const gv::BlockState start = OakChestOnBlock();
    const std::function<void()> noYield = [] {};

    for (auto _ : state) {
        gv::BlockState block = start;
        gv::TakeBids(chat, block, tiers, noYield);
        benchmark::DoNotOptimize(block.currentBid.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(chat.size()));
}

BENCHMARK(BM_TakeBids)->Arg(32 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMicrosecond);

// The 10 MB intake against the 1 MB one, in one run: every iteration takes each chat once, in an
// order drawn at random, so that whatever load the machine carries falls on both alike. Each is
// taken once untimed first: Get Bids has just written and read the text back, so it is as warm
// in the caches as a chat of its size can be. tenfold_x is the ratio of the medians.
void BM_TakeBidsTenfold(benchmark::State& state) {
    const std::string chats[] = {SyntheticChat(1 << 20), SyntheticChat(10 << 20)};
    const gv::TierTable tiers = BenchTiers();
    const gv::BlockState start = OakChestOnBlock();
    const std::function<void()> noYield = [] {};
    std::vector<double> took[2];
    std::mt19937 random(std::random_device{}());
    const auto take = [&](const std::string& chat) {
        gv::BlockState block = start;
        gv::TakeBids(chat, block, tiers, noYield);
        benchmark::DoNotOptimize(block.currentBid.data());
    };
    for (auto _ : state) {
        const int first = static_cast<int>(random() % 2);
        for (const int size : {first, 1 - first}) {
            take(chats[size]);
            const auto begin = std::chrono::steady_clock::now();
            take(chats[size]);
            took[size].push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count());
        }
    }
    const double one = gv::bench::Median(took[0]);
    state.counters["one_mb_ms"] = one;
    state.counters["ten_mb_ms"] = gv::bench::Median(took[1]);
    state.counters["tenfold_x"] = one > 0 ? gv::bench::Median(took[1]) / one : 0;
}

BENCHMARK(BM_TakeBidsTenfold)->Unit(benchmark::kMillisecond)->MinTime(5.0);

// Get Bids without the chat client: the fetched text handed over at once, the capture file
// written (ANSI, in the system's temporary folder) and read back, and the intake on it.
class InstantLink final : public gv::LinkPort {
public:
    explicit InstantLink(std::string text) : text_(std::move(text)) {}
    gv::LinkFault SpeakText(const std::string&) override { return gv::LinkFault::None; }
    gv::ChatFetch FetchAllText() override { return {text_}; }

private:
    std::string text_;
};

void BM_GetBidsWithFile(benchmark::State& state) {
    const std::string chat = SyntheticChat(static_cast<std::size_t>(state.range(0)));
    const gv::TierTable tiers = BenchTiers();
    const gv::BlockState start = OakChestOnBlock();
    gv::ItemList items;
    InstantLink link(chat);
    gv::testing::FakePump pump;  // never waits
    gv::NoBusyHost busy;
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "gv_bench_TALLY.TXT";

    for (auto _ : state) {
        gv::BlockState block = start;
        gv::Floor floor(block, tiers, items, link, pump, busy);
        floor.SetCapturePath(path);
        floor.GetBids();
        benchmark::DoNotOptimize(block.currentBid.data());
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(chat.size()));
}

BENCHMARK(BM_GetBidsWithFile)->Arg(32 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
