#pragma once
// A message sink that records every box instead of showing it, and answers the question after
// a failed save as the test tells it to.

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/message_sink.h"

namespace gv::testing {

struct Message {
    std::string text;
    std::string title;
    MessageIcon icon;
    bool operator==(const Message&) const = default;
};

class RecordingSink final : public MessageSink {
public:
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        if (std::this_thread::get_id() != window_) offThread = true;
        shown.push_back({text, title, icon});
    }
    // The host's answers to a failed save at close, in turn; Close without saving when none is left.
    SaveChoice AskAfterFailedSave(const std::string& text, const std::string& title) override {
        asked.push_back({text, title, MessageIcon::Error});
        if (answers.empty()) return SaveChoice::CloseWithoutSaving;
        const std::function<SaveChoice()> answer = answers.front();
        answers.erase(answers.begin());
        return answer();
    }
    std::vector<Message> shown;
    std::vector<Message> asked;
    std::vector<std::function<SaveChoice()>> answers;
    // A box was asked for on another thread than the one that made the sink (the window's).
    bool offThread = false;

private:
    std::thread::id window_ = std::this_thread::get_id();
};

}  // namespace gv::testing
