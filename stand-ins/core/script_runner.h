#pragma once
// Runs a practice script line by line, pausing at "!wait". Plain C++: the caller pumps it
// with the time from its own event loop, and feeds it lines as they arrive.

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/script.h"

namespace pw {

class ScriptRunner {
public:
    using Clock = std::chrono::steady_clock;
    // Does what a line says; false ends the script at once ("!quit").
    using Perform = std::function<bool(const ScriptLine&)>;

    explicit ScriptRunner(Perform perform) : perform_(std::move(perform)) {}

    void Add(std::string line) { pending_.push_back(std::move(line)); }
    // No more lines will come.
    void EndInput() { inputEnded_ = true; }

    // Runs every line that is due at `now`. True once the script has ended: all its lines
    // ran (and no more will come), or a line ended it.
    bool Pump(Clock::time_point now);
    bool Active() const { return started_ && !ended_; }
    void Start() { started_ = true; }

private:
    Perform perform_;
    std::deque<std::string> pending_;
    bool started_ = false;
    bool inputEnded_ = false;
    bool ended_ = false;
    Clock::time_point resumeAt_{};
};

// Lines read from standard input on a thread of their own, handed over to the event loop's
// thread; the reader may outlive its consumer (a blocked read cannot be interrupted), so the
// two share the inbox.
class LineInbox {
public:
    static std::shared_ptr<LineInbox> ReadStandardInput();
    // Moves the lines read so far into `into`; true once standard input has ended.
    bool Take(std::vector<std::string>& into);

private:
    std::mutex mutex_;
    std::vector<std::string> lines_;
    bool ended_ = false;
};

}  // namespace pw
