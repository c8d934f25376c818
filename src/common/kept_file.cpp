#include "common/kept_file.h"

#include <system_error>

namespace gv {

void KeptFile::Place(std::filesystem::path path, std::filesystem::path beside) {
    path_ = std::move(path);
    beside_ = std::move(beside);
    read_ = false;
    staged_.Drop();
}

void KeptFile::Read(std::optional<std::string> onDisk, std::string own) {
    read_ = true;
    seen_ = std::move(onDisk);
    own_ = std::move(own);
    keptBeside_ = false;
    takeIn_.reset();
}

KeptFile::Disk KeptFile::Look() const {
    Disk disk;
    std::error_code error;
    disk.there = std::filesystem::exists(path_, error) || error;
    if (!disk.there) return disk;
    disk.folder = std::filesystem::is_directory(path_, error);
    if (disk.folder) return disk;
    std::optional<std::string> bytes = error ? std::nullopt : ReadWholeFile(path_);
    disk.readable = bytes.has_value();
    if (bytes) disk.bytes = std::move(*bytes);
    return disk;
}

KeptFile::Outcome KeptFile::Decide(const std::string& own, bool mayTakeIn, bool evenUnchanged) {
    staged_.Drop();
    stagedBeside_ = false;
    if (!read_) return {};
    const Disk disk = Look();
    const bool ownChanged = own != own_;
    if (!disk.folder && disk.readable && disk.there && disk.bytes == own) {
        // Whoever wrote it, the file says what Gavelton holds.
        seen_ = own;
        own_ = own;
        keptBeside_ = false;
        return {};
    }
    // A folder in the file's place holds no text to lose: writing there fails and says so.
    const bool outside = !disk.folder && (!disk.readable || (disk.there && seen_ != disk.bytes));
    if (!outside) {
        // A file gone since is written again with the next change: nobody's text is lost by that.
        if (!ownChanged && !evenUnchanged) return {};
        FileResult prepared = staged_.Prepare(path_, own);
        if (!prepared.ok) return {Step::Failed, {}, prepared.reason};
        stagedOwn_ = own;
        return {Step::Written, {}, {}};
    }
    if (!ownChanged) {
        // Nothing of Gavelton's would be lost: the other writer's file stands.
        if (!disk.readable || !mayTakeIn) return {};
        takeIn_ = disk.bytes;
        return {Step::TakeIn, disk.bytes, {}};
    }
    stagedReason_ = disk.readable ? "changed outside Gavelton" : "cannot be read";
    if (keptBeside_ && besideWritten_ == own) return {Step::Beside, {}, stagedReason_};
    FileResult prepared = staged_.Prepare(beside_, own);
    if (!prepared.ok)
        return {Step::Failed,
                {},
                stagedReason_ + ", and " + beside_.filename().string() + " not written: " + prepared.reason};
    stagedBeside_ = true;
    stagedOwn_ = own;
    return {Step::Beside, {}, stagedReason_};
}

KeptFile::Outcome KeptFile::Stage(const std::string& own) { return Decide(own, false, false); }

KeptFile::Outcome KeptFile::Commit() {
    if (!staged_.Ready()) return {};
    const FileResult committed = staged_.Commit();
    const std::filesystem::path& where = stagedBeside_ ? beside_ : path_;
    if (!committed.ok) {
        if (stagedBeside_)
            return {
                Step::Failed,
                {},
                stagedReason_ + ", and " + where.filename().string() + " not written: " + committed.reason};
        return {Step::Failed, {}, committed.reason};
    }
    if (stagedBeside_) {
        keptBeside_ = true;
        besideWritten_ = stagedOwn_;
        return {Step::Beside, {}, stagedReason_};
    }
    seen_ = stagedOwn_;
    own_ = stagedOwn_;
    keptBeside_ = false;
    return {Step::Written, {}, {}};
}

KeptFile::Outcome KeptFile::Keep(const std::string& own, bool mayTakeIn, bool evenUnchanged) {
    Outcome decided = Decide(own, mayTakeIn, evenUnchanged);
    if (!staged_.Ready()) return decided;
    return Commit();
}

void KeptFile::TakenIn(std::string own) {
    if (!takeIn_) return;
    seen_ = std::move(*takeIn_);
    takeIn_.reset();
    own_ = std::move(own);
    keptBeside_ = false;
}

}  // namespace gv
