#include "floor/setup_keeper.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include "common/clock.h"
#include "setup/setup_files.h"

namespace gv {

namespace fs = std::filesystem;

namespace {

fs::path In(const fs::path& folder, const char* name) {
    return folder.empty() ? fs::path(name) : folder / name;
}

// "Items (Gavelton).TXT" beside "Items.TXT".
fs::path BesideName(const fs::path& folder, const char* name) {
    const fs::path file(name);
    return In(folder, (file.stem().string() + " (Gavelton)" + file.extension().string()).c_str());
}

// When the file was last written, as the sales record writes times; empty when unknown.
std::string WrittenAt(const fs::path& path) {
    std::error_code error;
    const fs::file_time_type written = fs::last_write_time(path, error);
    if (error) return {};
    const auto moment =
        std::chrono::time_point_cast<std::chrono::seconds>(fs::file_time_type::clock::to_sys(written));
    return LocalTimeTextOf(std::chrono::system_clock::to_time_t(moment));
}

const char* FileName(SetupFile which) { return which == SetupFile::Items ? kItemsFile : kBidsFile; }

std::string TroubleText(SetupFile which, const KeptFile& file, const KeptFile::Outcome& outcome) {
    const std::string name = FileName(which);
    const std::string whose = which == SetupFile::Items ? "Gavelton's list" : "Gavelton's raise table";
    if (outcome.step == KeptFile::Step::Failed) return name + " not written: " + outcome.reason;
    if (!file.KeptBeside()) return {};
    return name + " " + outcome.reason + ": " + whose + " is in " + file.BesidePath().filename().string();
}

}  // namespace

std::vector<std::pair<std::string, std::string>> FindListedThoughSold(const std::vector<std::string>& entries,
                                                                      const std::vector<SaleRow>& sales,
                                                                      const std::string& listWritten,
                                                                      const std::string& today) {
    std::vector<std::pair<std::string, std::string>> found;
    for (const std::string& entry : entries) {
        BlockState block;
        PutOnBlock(block, entry);
        // The latest such sale is the one to name.
        const SaleRow* latest = nullptr;
        for (const SaleRow& row : sales)
            if (row.time > listWritten && row.item == block.blockItem && row.minimumBid == block.blockMin)
                latest = &row;
        if (latest == nullptr) continue;
        const std::string_view date = DateOf(latest->time);
        const std::string clock = latest->time.size() >= 16 ? latest->time.substr(11, 5) : latest->time;
        const std::string when = date == today ? "at " + clock : "on " + std::string(date) + " at " + clock;
        found.emplace_back(entry,
                           block.blockItem + " is still on the list, but " + kSalesFile + " sold it " + when);
    }
    return found;
}

SetupKeeper::SetupKeeper(ItemList& items, TierTable& tiers, Floor& floor, const SalesRecord& sales,
                         EveningLog& log)
    : items_(items),
      tiers_(tiers),
      floor_(floor),
      sales_(sales),
      log_(log),
      subscription_(floor.Events(), *this) {}

void SetupKeeper::Start(const fs::path& folder) {
    const fs::path bidsPath = In(folder, kBidsFile);
    const fs::path itemsPath = In(folder, kItemsFile);
    bidsFile_.file.Place(bidsPath, BesideName(folder, kBidsFile));
    itemsFile_.file.Place(itemsPath, BesideName(folder, kItemsFile));
    std::optional<std::string> bids = ReadWholeFile(bidsPath);
    if (bids) ReadBids(*bids, tiers_);
    bidsFile_.file.Read(std::move(bids), BidsBytes(tiers_));
    std::optional<std::string> items = ReadWholeFile(itemsPath);
    if (items) ReadItems(*items, items_);
    itemsFile_.file.Read(std::move(items), ItemsBytes(items_));
    started_ = true;
    CheckAgainstSales(itemsPath);
}

void SetupKeeper::CheckAgainstSales(const fs::path& itemsPath) {
    const std::string written = WrittenAt(itemsPath);
    if (written.empty() || items_.Empty()) return;
    listedThoughSold_ = FindListedThoughSold(items_.Entries(), sales_.Read().rows, written,
                                             std::string(DateOf(LocalTimeText())));
    // The title names the first; the log, every one.
    if (listedThoughSold_.size() > 1)
        for (const auto& named : listedThoughSold_) log_.Add(named.second);
    ShowListedThoughSold();
}

void SetupKeeper::ShowListedThoughSold() {
    std::string note;
    if (!listedThoughSold_.empty()) {
        note = listedThoughSold_.front().second;
        if (listedThoughSold_.size() > 1)
            note += " (and " + std::to_string(listedThoughSold_.size() - 1) + " more: see the evening's log)";
    }
    floor_.Events().Tell([&](FloorListener& listener) { listener.ListedThoughSold(note); });
}

void SetupKeeper::Keep(bool mayTakeIn) {
    KeepBids(mayTakeIn);
    KeepItems(mayTakeIn);
}

KeptFile::Outcome SetupKeeper::KeepItems(bool mayTakeIn, bool evenUnchanged) {
    return KeepFile(itemsFile_, ItemsBytes(items_), mayTakeIn, evenUnchanged);
}

KeptFile::Outcome SetupKeeper::KeepBids(bool mayTakeIn, bool evenUnchanged) {
    return KeepFile(bidsFile_, BidsBytes(tiers_), mayTakeIn, evenUnchanged);
}

KeptFile::Outcome SetupKeeper::KeepFile(Kept& kept, const std::string& own, bool mayTakeIn,
                                        bool evenUnchanged) {
    if (!started_ || keeping_) return {};
    KeptFile::Outcome outcome = kept.file.Keep(own, mayTakeIn, evenUnchanged);
    if (outcome.step == KeptFile::Step::TakeIn) {
        if (kept.which == SetupFile::Items) {
            TakeInItems(outcome.bytes);
        } else {
            TakeInBids(outcome.bytes);
        }
    }
    Report(kept, outcome);
    return outcome;
}

void SetupKeeper::TakeInItems(const std::string& bytes) {
    ItemList list;
    ReadItems(bytes, list);
    itemsFile_.file.TakenIn(ItemsBytes(list));
    log_.Add(std::string(kItemsFile) + " changed outside Gavelton: its " + std::to_string(list.Count()) +
             " entries taken in");
    keeping_ = true;
    floor_.ReplaceItems(std::move(list));
    keeping_ = false;
}

void SetupKeeper::TakeInBids(const std::string& bytes) {
    // As at start: what the file does not reach keeps the table Gavelton starts with.
    TierTable table;
    ReadBids(bytes, table);
    bidsFile_.file.TakenIn(BidsBytes(table));
    tiers_ = table;
    log_.Add(std::string(kBidsFile) + " changed outside Gavelton: its raise table taken in");
    floor_.Events().Tell([](FloorListener& listener) { listener.TiersChanged(); });
}

void SetupKeeper::Report(Kept& kept, const KeptFile::Outcome& outcome) {
    std::string status = TroubleText(kept.which, kept.file, outcome);
    // Nothing to write says nothing new: a file kept beside stays so until it is in step.
    if (outcome.step == KeptFile::Step::InStep && kept.file.KeptBeside()) status = kept.status;
    if (status == kept.status) return;
    kept.status = std::move(status);
    floor_.Events().Tell([&](FloorListener& listener) { listener.SetupFileStatus(kept.which, kept.status); });
}

std::string SetupKeeper::Close() {
    std::string failures;
    const auto failed = [&failures](const char* file, const KeptFile::Outcome& outcome) {
        if (outcome.step == KeptFile::Step::Failed)
            failures += std::string(file) + " could not be saved: " + outcome.reason + "\n";
    };
    failed(kBidsFile, KeepBids(false, true));
    failed(kItemsFile, KeepItems(false, true));
    return failures;
}

void SetupKeeper::StageItems() {
    if (!started_) return;
    const KeptFile::Outcome outcome = itemsFile_.file.Stage(ItemsBytes(items_));
    if (outcome.step == KeptFile::Step::Failed) Report(itemsFile_, outcome);
}

void SetupKeeper::CommitItems() {
    if (!started_) return;
    Report(itemsFile_, itemsFile_.file.Commit());
}

void SetupKeeper::ItemsChanged() {
    KeepItems(false);
    if (listedThoughSold_.empty()) return;
    const std::size_t before = listedThoughSold_.size();
    const std::vector<std::string>& entries = items_.Entries();
    std::erase_if(listedThoughSold_, [&](const auto& named) {
        return std::find(entries.begin(), entries.end(), named.first) == entries.end();
    });
    if (listedThoughSold_.size() != before) ShowListedThoughSold();
}

}  // namespace gv
