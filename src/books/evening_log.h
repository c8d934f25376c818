#pragma once
// The evening's log: every event of the floor, one line each, appended to
// "Gavelton log YYYY-MM-DD.txt" in the working folder (one file per day, by the event's local
// date), for the host to read back and settle a dispute with. Each event reaches the file
// when it happens, so a crash loses nothing before it. A log that cannot be written never
// stops the auction: its events wait in memory, in order, and go with the next write that
// works, or at close.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/atomic_file.h"

namespace gv {

// "Gavelton log 2026-12-09.txt" for the date "2026-12-09".
std::string LogFileName(std::string_view date);

class EveningLog {
public:
    // `clock` gives the local time as "YYYY-MM-DD HH:MM:SS" (LocalTimeText).
    EveningLog(std::filesystem::path folder, std::function<std::string()> clock);

    // Adds events that happen now, in order, and writes every event not yet in the file.
    FileResult Add(const std::vector<std::string>& events);
    FileResult Add(const std::string& event) { return Add(std::vector<std::string>{event}); }
    // Writes the events not yet in the file, if any.
    FileResult Flush();
    std::size_t Pending() const { return pending_.size(); }
    // Told after every write: the empty text when the log is complete, else "Gavelton log
    // ... not written: " and the reason.
    void SetOnStatus(std::function<void(const std::string&)> onStatus) { onStatus_ = std::move(onStatus); }

private:
    struct Event {
        std::string date;  // which file it belongs in
        std::string line;  // with its time and line end
    };
    FileResult WriteDay(std::size_t& next);

    std::filesystem::path folder_;
    std::function<std::string()> clock_;
    std::vector<Event> pending_;
    std::function<void(const std::string&)> onStatus_;
    bool writing_ = false;
};

}  // namespace gv
