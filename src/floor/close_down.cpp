#include "floor/close_down.h"

#include "common/program_title.h"
#include "setup/setup_files.h"

namespace gv {

std::string SaveForClose(Auction& auction, CloseSaves& saved) {
    std::string failures;
    const auto save = [&failures](bool& done, const char* file, const FileResult& result) {
        done = result.ok;
        if (!done) failures += std::string(file) + " could not be saved: " + result.reason + "\n";
    };
    if (!saved.bids) save(saved.bids, kBidsFile, SaveBids(kBidsFile, auction.tiers));
    if (!saved.items) save(saved.items, kItemsFile, SaveItems(kItemsFile, auction.items));
    // Sales the record could not take yet go now, or the host hears of them.
    bool done = false;
    if (auction.sales.Pending() > 0) save(done, kSalesFile, auction.sales.Flush());
    if (auction.ledger.Pending() > 0) save(done, kAccountsFile, auction.ledger.Flush());
    if (auction.log.Pending() > 0) save(done, "Gavelton log", auction.log.Flush());
    return failures;
}

bool SaveBeforeClose(Auction& auction, MessageSink& messages, bool canCancel) {
    CloseSaves saved;
    for (std::string failures; !(failures = SaveForClose(auction, saved)).empty();) {
        failures += "The earlier file, if any, was left as it was.";
        if (!canCancel) {
            messages.ShowMessage(failures, kProgramTitle, MessageIcon::Error);
            return true;
        }
        failures +=
            "\n\nRetry the save, close without saving (the changes since Gavelton started are lost), "
            "or cancel and keep Gavelton open.";
        const SaveChoice choice = messages.AskAfterFailedSave(failures, kProgramTitle);
        if (choice == SaveChoice::CloseWithoutSaving) return true;
        if (choice == SaveChoice::Cancel) return false;
    }
    return true;
}

}  // namespace gv
