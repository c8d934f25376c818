#pragma once
// A file that Gavelton keeps in step with what the host sees: written as it changes, never
// over a change somebody else made since Gavelton last read or wrote it. Such a change is taken
// in while Gavelton's own text is unchanged since; when both changed, the file stays as the
// other writer left it and Gavelton's text goes to a file beside it.

#include <filesystem>
#include <optional>
#include <string>

#include "common/atomic_file.h"

namespace gv {

class KeptFile {
public:
    KeptFile() = default;
    KeptFile(std::filesystem::path path, std::filesystem::path beside) {
        Place(std::move(path), std::move(beside));
    }
    // Where the file and the one beside it are; nothing is kept before the next Read.
    void Place(std::filesystem::path path, std::filesystem::path beside);

    const std::filesystem::path& Path() const { return path_; }
    const std::filesystem::path& BesidePath() const { return beside_; }

    // What the file held when Gavelton read it (nullopt: there was none, or it could not be
    // read), and Gavelton's own text of what it took from it.
    void Read(std::optional<std::string> onDisk, std::string own);

    enum class Step {
        InStep,   // nothing to write: the file holds `own`, or nothing of Gavelton's changed
        Written,  // the file holds `own` now
        TakeIn,   // changed outside while `own` did not: `bytes` are the file's, see TakenIn
        Beside,   // changed outside, and so did `own`: `own` is in the file beside
        Failed,   // nothing written; `reason` says why
    };
    struct Outcome {
        Step step = Step::InStep;
        std::string bytes;   // TakeIn: what the file holds
        std::string reason;  // Beside, Failed: why
    };

    // Brings the file in step with `own`. `mayTakeIn`: no command is under way, so the
    // caller can take in a change made outside. `evenUnchanged` writes `own` over a file that
    // differs from it though nothing changed since it was read (as the close always did).
    Outcome Keep(const std::string& own, bool mayTakeIn, bool evenUnchanged = false);
    // After TakeIn: the caller's own text of what it took from the file.
    void TakenIn(std::string own);

    // Keep in two steps, for a change that must follow another write within one rename:
    // Stage decides and does all the slow work, Commit puts the file in place.
    Outcome Stage(const std::string& own);
    Outcome Commit();

    // The file beside holds Gavelton's text, and the file does not.
    bool KeptBeside() const { return keptBeside_; }

private:
    struct Disk {
        bool there = false;
        bool folder = false;
        bool readable = true;
        std::string bytes;
    };
    Disk Look() const;
    Outcome Decide(const std::string& own, bool mayTakeIn, bool evenUnchanged);

    std::filesystem::path path_;
    std::filesystem::path beside_;
    bool read_ = false;                // nothing is written before the file was read
    std::optional<std::string> seen_;  // the file when Gavelton last read or wrote it
    std::string own_;                  // Gavelton's own text then
    std::optional<std::string> takeIn_;
    bool keptBeside_ = false;
    std::string besideWritten_;

    PreparedReplacement staged_;
    bool stagedBeside_ = false;
    std::string stagedOwn_;
    std::string stagedReason_;
};

}  // namespace gv
