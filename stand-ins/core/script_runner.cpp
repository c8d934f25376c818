#include "core/script_runner.h"

#include <cmath>
#include <iostream>
#include <thread>

namespace pw {

bool ScriptRunner::Pump(Clock::time_point now) {
    if (!started_ || ended_) return ended_;
    while (!ended_ && now >= resumeAt_ && !pending_.empty()) {
        const ScriptLine line = ParseScriptLine(pending_.front());
        pending_.pop_front();
        if (line.kind == ScriptLine::Kind::Wait) {
            resumeAt_ = now + std::chrono::duration_cast<Clock::duration>(
                                  std::chrono::duration<double>(line.seconds));
        } else if (!perform_(line)) {
            ended_ = true;
        }
    }
    if (pending_.empty() && inputEnded_ && now >= resumeAt_) ended_ = true;
    return ended_;
}

std::shared_ptr<LineInbox> LineInbox::ReadStandardInput() {
    auto inbox = std::make_shared<LineInbox>();
    std::thread([inbox] {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const std::lock_guard lock(inbox->mutex_);
            inbox->lines_.push_back(std::move(line));
        }
        const std::lock_guard lock(inbox->mutex_);
        inbox->ended_ = true;
    }).detach();
    return inbox;
}

bool LineInbox::Take(std::vector<std::string>& into) {
    const std::lock_guard lock(mutex_);
    for (std::string& line : lines_) into.push_back(std::move(line));
    lines_.clear();
    return ended_;
}

}  // namespace pw
