// The accounts recomputed as the window does after every SOLD and payment, over a long history:
// 10,000 sales over 50 evenings to 400 bidders, and 5,000 accounts rows (payments whole and in
// part, against a sale or none, passes, write-offs and corrections).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "floor/accounts.h"

namespace {

constexpr int kSales = 10'000;
constexpr int kEntries = 5'000;
constexpr int kEvenings = 50;
constexpr int kBidders = 400;

std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::string SaleTime(int sale) {
    const int evening = sale * kEvenings / kSales;  // 200 sales an evening, in order
    const int minute = sale % (kSales / kEvenings);
    return "2026-" + Two(1 + evening / 28) + "-" + Two(1 + evening % 28) + " " + Two(19 + minute / 60) + ":" +
           Two(minute % 60) + ":00";
}

struct History {
    std::string sales;
    std::string accounts;
};

History MakeHistory() {
    std::mt19937 random(31);
    const auto bidder = [&] { return "Bidder" + std::to_string(random() % kBidders); };
    History history;
    history.sales = "\xEF\xBB\xBF" + gv::CsvHeader() + "\r\n";
    std::vector<gv::SaleRow> rows;
    for (int i = 0; i < kSales; ++i) {
        const int price = 50 + static_cast<int>(random() % 2000);
        gv::SaleRow row{SaleTime(i), "Item " + std::to_string(i), "50",     std::to_string(price),
                        bidder(),    std::to_string(price - 10),  bidder(), 5};
        history.sales += gv::CsvRow(row) + "\r\n";
        rows.push_back(std::move(row));
    }
    history.accounts = "\xEF\xBB\xBF" + gv::AccountsHeader() + "\r\n";
    for (int j = 0; j < kEntries; ++j) {
        const gv::SaleRow& sale = rows[random() % rows.size()];
        gv::AccountEntry entry{"2026-03-01 12:00:00", gv::EntryKind::Payment, sale.winner, "", "", "", ""};
        switch (j % 10) {
            case 0:
                entry.kind = gv::EntryKind::Pass;
                entry.bidder = sale.runnerUp;
                entry.amount = sale.runnerUpBid;
                break;
            case 1:
                entry.kind = gv::EntryKind::WriteOff;
                entry.amount = sale.price;
                break;
            case 2:
                entry.kind = gv::EntryKind::Correction;
                entry.amount = "100";
                entry.reason = "typo";
                break;
            default:
                entry.amount = std::to_string(100 + random() % 900);
                break;
        }
        if (j % 10 < 5) {
            entry.item = sale.item;
            entry.saleTime = sale.time;
        }
        history.accounts += gv::CsvRow(entry) + "\r\n";
    }
    return history;
}

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

// The same from the two files on disk, as ReadAccountBook reads them.
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
        const gv::AccountBook book = gv::ReadAccountBook(sales, accounts);
        const auto rows = book.Rows(gv::AccountsView::Owing, "2026-02-22", "");
        benchmark::DoNotOptimize(rows.data());
    }
    std::filesystem::remove(salesPath);
    std::filesystem::remove(accountsPath);
}
BENCHMARK(BM_AccountsFromFiles)->Unit(benchmark::kMillisecond);

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
