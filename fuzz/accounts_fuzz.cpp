// Sales.csv and Accounts.csv as a host's spreadsheet may leave them: any bytes. The first half
// of the input (up to a NUL) is the sales, the rest the accounts. Properties: every row counts or
// is named by a line of its own; what is owed is what was won less what was paid; the views
// list by what is owed, largest first; every history, statement and warning can be made.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "books/accounts.h"
#include "require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = input.find('\0');
    const std::string_view salesText = input.substr(0, cut);
    const std::string_view accountsText =
        cut == std::string_view::npos ? std::string_view{} : input.substr(cut + 1);

    gv::CsvRows<gv::SaleRow> sales = gv::ReadSales(salesText);
    gv::CsvRows<gv::AccountEntry> entries = gv::ReadAccounts(accountsText);
    GV_REQUIRE(sales.rows.size() == sales.lines.size());
    std::size_t lastLine = 0;
    for (const std::size_t line : sales.unread) {
        GV_REQUIRE(line > lastLine);
        lastLine = line;
    }

    const gv::AccountBook book(std::move(sales), std::move(entries));
    for (const gv::Account& account : book.Accounts()) {
        // Sums beyond the double range (prices near 1E308) are no history a host can have.
        if (std::isfinite(account.total) && std::isfinite(account.paid)) {
            const double owed = account.total - account.paid;
            GV_REQUIRE(std::fabs(account.owed - owed) <= 1e-6 * std::fmax(1.0, account.total + account.paid));
            GV_REQUIRE((account.owed > 0) == !account.owedSince.empty());
        }
        (void)book.History(account.bidder);
        GV_REQUIRE(book.Statement(account.bidder).starts_with(account.bidder + ": "));
        (void)book.DebtWarning(account.bidder, "2026-12-09", 1);
    }
    const auto rows = book.Rows(gv::AccountsView::Everyone, "2026-12-09", "");
    GV_REQUIRE(rows.size() == book.Accounts().size());
    for (std::size_t i = 1; i < rows.size(); ++i) GV_REQUIRE(rows[i - 1]->owed >= rows[i]->owed);
    (void)book.UnreadText();
    return 0;
}
