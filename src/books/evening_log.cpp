#include "books/evening_log.h"

namespace gv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The host reads the file in any editor: a line break inside an event would split it.
std::string OneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (const char c : text) line += (c == '\r' || c == '\n') ? ' ' : c;
    return line;
}

}  // namespace

std::string LogFileName(std::string_view date) {
    std::string name = "Gavelton log ";
    name += date;
    name += ".txt";
    return name;
}

EveningLog::EveningLog(std::filesystem::path folder, std::function<std::string()> clock)
    : folder_(std::move(folder)), clock_(std::move(clock)) {}

FileResult EveningLog::Add(const std::vector<std::string>& events) {
    if (events.empty()) return {};
    const std::string now = clock_();
    // "YYYY-MM-DD HH:MM:SS": the date names the file, the time starts the line.
    const std::string date = now.substr(0, 10);
    const std::string time = now.size() > 11 ? now.substr(11) : std::string();
    for (const std::string& event : events) pending_.push_back({date, time + " " + OneLine(event) + "\r\n"});
    // An event added while its own failure is being told waits for the write under way.
    if (writing_) return {};
    return Flush();
}

FileResult EveningLog::Flush() {
    FileResult result;
    writing_ = true;
    std::size_t next = 0;
    while (next < pending_.size() && result.ok) result = WriteDay(next);
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(next));
    writing_ = false;
    if (onStatus_) {
        onStatus_(result.ok ? std::string()
                            : LogFileName(pending_.front().date) + " not written: " + result.reason);
    }
    // Events the status added meanwhile (its title shown, say) go now if they can.
    if (result.ok && !pending_.empty()) return Flush();
    return result;
}

// The events of one date from `next` on, in one write; `next` moves past them when written.
FileResult EveningLog::WriteDay(std::size_t& next) {
    const std::string& date = pending_[next].date;
    std::size_t end = next;
    std::string bytes;
    while (end < pending_.size() && pending_[end].date == date) bytes += pending_[end++].line;
    FileResult result = AppendToFile(folder_ / LogFileName(date), bytes, kByteOrderMark);
    if (result.ok) next = end;
    return result;
}

}  // namespace gv
