#pragma once
// Stand-ins for what the chat link waits on and talks to, for tests that run without a
// display, a chat client or its library.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/event_pump.h"
#include "common/message_sink.h"
#include "link/chat_link.h"
#include "link/dde_parts.h"
#include "recording_sink.h"
#include "scratch_folder.h"

namespace gv::test {

// Counts yields and waits; the clock's second moves on every `yieldsPerSecond` yields, so a
// wait can be measured in yields without sleeping.
class CountingPump final : public EventPump {
public:
    int yields = 0;
    int waits = 0;
    int yieldsPerSecond = 100;
    // Marks in `trace`, when set, where the yields fall between other recorded events.
    std::vector<std::string>* trace = nullptr;

    // Runs after each yield with the count so far: callbacks that arrive while Gavelton waits.
    std::function<void(int)> onYield;

    void Yield() override {
        ++yields;
        if (trace != nullptr) trace->push_back("yield");
        if (onYield) onYield(yields);
    }
    void WaitForEvent(std::chrono::milliseconds limit) override {
        ++waits;
        waited += limit;
    }
    // The steady clock moves only while Gavelton waits for an event.
    std::chrono::steady_clock::time_point Now() override {
        return std::chrono::steady_clock::time_point{} + waited;
    }
    std::chrono::milliseconds waited{0};
    std::string TimeOfDayText() override {
        const int second = yields / yieldsPerSecond;
        char text[16];
        std::snprintf(text, sizeof text, "00:%02d:%02d", (second / 60) % 60, second % 60);
        return text;
    }
};

using ShownMessage = testing::Message;
using testing::RecordingSink;

// A conversation that records what it is asked to do and fails as it is told to.
class FakeChannel final : public DdeChannel {
public:
    struct Log {
        std::vector<std::string> calls;  // "close", "open <topic>", "poke <item>", "request <item>"
        std::vector<std::string> poked;  // the bytes of each poke
    };
    explicit FakeChannel(Log& log) : log_(log) {}

    bool openSucceeds = true;
    bool transactionSucceeds = true;
    std::string reply;

    void Close() override { log_.calls.push_back("close"); }
    bool Open(const std::string& topic) override {
        log_.calls.push_back("open " + topic);
        return openSucceeds;
    }
    // Runs at each poke and request: a client that takes its time.
    std::function<void()> onTransaction;

    bool Poke(const std::string& item, std::string_view ansiData) override {
        if (onTransaction) onTransaction();
        log_.calls.push_back("poke " + item);
        log_.poked.emplace_back(ansiData);
        return transactionSucceeds;
    }
    std::optional<std::string> Request(const std::string& item) override {
        if (onTransaction) onTransaction();
        log_.calls.push_back("request " + item);
        if (!transactionSucceeds) return std::nullopt;
        return reply;
    }

private:
    Log& log_;
};

class FakeActivator final : public WindowActivator {
public:
    explicit FakeActivator(std::vector<std::string>& calls) : calls_(calls) {}
    std::vector<std::string> windows;  // titles that exist
    bool Activate(const std::string& title) override {
        calls_.push_back("activate " + title);
        for (const std::string& window : windows) {
            if (window.compare(0, title.size(), title) == 0) return true;
        }
        return false;
    }
    bool ActivateWindow(std::uintptr_t window) override {
        calls_.push_back("activate window " + std::to_string(window));
        return window != 0 && window == shownWindow;
    }
    std::uintptr_t shownWindow = 0;  // the one window found by its handle

private:
    std::vector<std::string>& calls_;
};

using TempFolder = testing::ScratchFolder;

}  // namespace gv::test
