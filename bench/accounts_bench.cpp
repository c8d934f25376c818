// The accounts recomputed as the window does after every SOLD and payment, over a long history
// (account_history.h).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

#include "account_history.h"
#include "books/accounts.h"

namespace {

using gv::bench::History;
using gv::bench::MakeHistory;

// What the window does on every refresh, from the files' bytes: read both, compute, list.
void BM_AccountsFromText(benchmark::State& state) {
    const History history = MakeHistory();
    for (auto _ : state) {
        const gv::AccountBook book(gv::ReadSales(history.sales), gv::ReadAccounts(history.accounts));
        const auto rows = book.Rows(gv::AccountsView::Owing, "2026-02-22", "");
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["accounts"] = static_cast<double>(
        gv::AccountBook(gv::ReadSales(history.sales), gv::ReadAccounts(history.accounts)).Accounts().size());
}
BENCHMARK(BM_AccountsFromText)->Unit(benchmark::kMillisecond);

// The same from the two files on disk, the rows still waiting included.
void BM_AccountsFromFiles(benchmark::State& state) {
    const History history = MakeHistory();
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::filesystem::path salesPath = folder / "gv_bench_Sales.csv";
    const std::filesystem::path accountsPath = folder / "gv_bench_Accounts.csv";
    std::ofstream(salesPath, std::ios::binary) << history.sales;
    std::ofstream(accountsPath, std::ios::binary) << history.accounts;
    const gv::SalesRecord sales(salesPath);
    const gv::AccountsRecord accounts(accountsPath);
    for (auto _ : state) {
        const gv::AccountBook book = gv::AccountBook(sales.Read(), accounts.Read());
        const auto rows = book.Rows(gv::AccountsView::Owing, "2026-02-22", "");
        benchmark::DoNotOptimize(rows.data());
    }
    std::filesystem::remove(salesPath);
    std::filesystem::remove(accountsPath);
}
BENCHMARK(BM_AccountsFromFiles)->Unit(benchmark::kMillisecond);

// What the window's thread takes from the records on the main thread: both files' text.
void BM_AccountsTexts(benchmark::State& state) {
    const History history = MakeHistory();
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const gv::SalesRecord sales(folder / "gv_bench_texts_Sales.csv");
    const gv::AccountsRecord accounts(folder / "gv_bench_texts_Accounts.csv");
    std::ofstream(sales.Path(), std::ios::binary) << history.sales;
    std::ofstream(accounts.Path(), std::ios::binary) << history.accounts;
    for (auto _ : state) {
        const gv::RecordText salesText = sales.Text();
        const gv::RecordText accountsText = accounts.Text();
        benchmark::DoNotOptimize(salesText.bytes.data());
        benchmark::DoNotOptimize(accountsText.bytes.data());
    }
    std::filesystem::remove(sales.Path());
    std::filesystem::remove(accounts.Path());
}
BENCHMARK(BM_AccountsTexts)->Unit(benchmark::kMillisecond);

// A book let go, as a sale makes the one before old.
void BM_AccountsDropped(benchmark::State& state) {
    const History history = MakeHistory();
    for (auto _ : state) {
        state.PauseTiming();
        std::optional<gv::AccountBook> book(std::in_place, gv::ReadSales(history.sales),
                                            gv::ReadAccounts(history.accounts));
        state.ResumeTiming();
        book.reset();
    }
}
BENCHMARK(BM_AccountsDropped)->Unit(benchmark::kMillisecond);

// The computation alone, the rows already read.
void BM_AccountsComputed(benchmark::State& state) {
    const History history = MakeHistory();
    const gv::CsvRows<gv::SaleRow> sales = gv::ReadSales(history.sales);
    const gv::CsvRows<gv::AccountEntry> entries = gv::ReadAccounts(history.accounts);
    for (auto _ : state) {
        state.PauseTiming();
        gv::CsvRows<gv::SaleRow> salesCopy = sales;
        gv::CsvRows<gv::AccountEntry> entriesCopy = entries;
        state.ResumeTiming();
        const gv::AccountBook book(std::move(salesCopy), std::move(entriesCopy));
        benchmark::DoNotOptimize(book.Accounts().data());
    }
}
BENCHMARK(BM_AccountsComputed)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
