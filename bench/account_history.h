#pragma once
// A long history for the accounts' benchmarks: 10,000 sales over 50 evenings to 400 bidders,
// and 5,000 accounts rows (payments whole and in part, against a sale or none, passes,
// write-offs and corrections), as Sales.csv and Accounts.csv hold them.

#include <random>
#include <string>
#include <vector>

#include "books/accounts_record.h"
#include "books/sales_record.h"

namespace gv::bench {

constexpr int kSales = 10'000;
constexpr int kEntries = 5'000;
constexpr int kEvenings = 50;
constexpr int kBidders = 400;

inline std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

inline std::string SaleTime(int sale) {
    const int evening = sale * kEvenings / kSales;  // 200 sales an evening, in order
    const int minute = sale % (kSales / kEvenings);
    return "2026-" + Two(1 + evening / 28) + "-" + Two(1 + evening % 28) + " " + Two(19 + minute / 60) + ":" +
           Two(minute % 60) + ":00";
}

struct History {
    std::string sales;
    std::string accounts;
};

inline History MakeHistory() {
    std::mt19937 random(31);
    const auto bidder = [&] { return "Bidder" + std::to_string(random() % kBidders); };
    History history;
    history.sales = "\xEF\xBB\xBF" + gv::SalesHeader() + "\r\n";
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

}  // namespace gv::bench
