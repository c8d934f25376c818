#pragma once
// Items.TXT and BIDS.TXT kept as the list and the raise table change, so that what the host
// did is on disk the moment it is done: a crash loses nothing that was on screen. A file
// somebody else changed meanwhile is never written over: taken in while Gavelton's own
// list (or table) is unchanged since, else left as they left it, with Gavelton's beside it
// ("Items (Gavelton).TXT"). At start the list is checked against the sales record.

#include <filesystem>
#include <string>
#include <vector>

#include "books/evening_log.h"
#include "books/sales_record.h"
#include "common/kept_file.h"
#include "floor/floor.h"
#include "floor/floor_events.h"
#include "setup/item_list.h"
#include "setup/tier_table.h"

namespace gv {

class SetupKeeper final : public FloorListener, public ListStore {
public:
    SetupKeeper(ItemList& items, TierTable& tiers, Floor& floor, const SalesRecord& sales, EveningLog& log);
    SetupKeeper(const SetupKeeper&) = delete;
    SetupKeeper& operator=(const SetupKeeper&) = delete;

    // Loads both files of `folder` (the working folder when empty) into the table and the
    // list, names the entries the sales record sold since Items.TXT was written, and keeps
    // the files from now on. Before it, nothing is written.
    void Start(const std::filesystem::path& folder = {});
    // Both files in step with what the host sees. `mayTakeIn` while no command is under way:
    // a change made outside is taken in then.
    void Keep(bool mayTakeIn);
    // The close, the last safety net: each file Gavelton's, as saving always wrote it, unless
    // somebody else changed it since. The failures, one line each; empty when all went well.
    std::string Close();

    // ListStore: SOLD's list, ready before its sale is recorded and in place right after.
    void StageItems() override;
    void CommitItems() override;

    // FloorListener: a list changed by the floor or the accounts is written at once.
    void ItemsChanged() override;

private:
    struct Kept {
        SetupFile which;
        KeptFile file;
        std::string status;  // what the title says of it now
    };
    KeptFile::Outcome KeepItems(bool mayTakeIn, bool evenUnchanged = false);
    KeptFile::Outcome KeepBids(bool mayTakeIn, bool evenUnchanged = false);
    KeptFile::Outcome KeepFile(Kept& kept, const std::string& own, bool mayTakeIn, bool evenUnchanged);
    void TakeInItems(const std::string& bytes);
    void TakeInBids(const std::string& bytes);
    // The title and the evening's log after a step of `kept`.
    void Report(Kept& kept, const KeptFile::Outcome& outcome);
    void CheckAgainstSales(const std::filesystem::path& itemsPath);
    void ShowListedThoughSold();

    ItemList& items_;
    TierTable& tiers_;
    Floor& floor_;
    const SalesRecord& sales_;
    EveningLog& log_;
    Kept itemsFile_{SetupFile::Items, {}, {}};
    Kept bidsFile_{SetupFile::Bids, {}, {}};
    bool started_ = false;
    bool keeping_ = false;  // a take-in tells of the change it made: not kept twice
    // Listed entries the sales record sold after Items.TXT was written, and what was said of
    // each, while the list holds them.
    std::vector<std::pair<std::string, std::string>> listedThoughSold_;
    FloorEvents::Subscription subscription_;
};

// The entries of `entries` that a row of `sales` timed after `listWritten` (local time,
// "YYYY-MM-DD HH:MM:SS") sold, each with what the host is told of it, as in "Lamp is still on
// the list, but Sales.csv sold it at 20:31".
std::vector<std::pair<std::string, std::string>> FindListedThoughSold(const std::vector<std::string>& entries,
                                                                      const std::vector<SaleRow>& sales,
                                                                      const std::string& listWritten,
                                                                      const std::string& today);

}  // namespace gv
