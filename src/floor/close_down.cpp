#include "floor/close_down.h"

#include "common/program_title.h"

namespace gv {

std::string SaveForClose(Auction& auction) {
    std::string failures = auction.keeper.Close();
    const auto save = [&failures](bool& done, const char* file, const FileResult& result) {
        done = result.ok;
        if (!done) failures += std::string(file) + " could not be saved: " + result.reason + "\n";
    };
    // Sales the record could not take yet go now, or the host hears of them.
    bool done = false;
    if (auction.sales.Pending() > 0) save(done, kSalesFile, auction.sales.Flush());
    if (auction.ledger.Pending() > 0) save(done, kAccountsFile, auction.ledger.Flush());
    if (auction.log.Pending() > 0) save(done, "Gavelton log", auction.log.Flush());
    return failures;
}

bool SaveBeforeClose(Auction& auction, MessageSink& messages, bool canCancel) {
    for (std::string failures; !(failures = SaveForClose(auction)).empty();) {
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
