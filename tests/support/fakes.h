#pragma once
// Stand-ins for the window and the chat link around the floor and the main window: they
// record what was said, how often it yielded, when the busy state began and ended and when
// the link was started and stopped, all in one list so that the order can be checked.

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/busy.h"
#include "common/event_pump.h"
#include "floor/floor.h"
#include "link/link_port.h"
#include "setup/item_list.h"
#include "setup/tier_table.h"

namespace gv::testing {

struct Calls {
    // "enter", "leave", "say:<line>", "fetch", "settings:<file>", "start", "stop"
    std::vector<std::string> events;
};

class FakePump final : public EventPump {
public:
    void Yield() override { ++yields; }
    void YieldInLoop() override {
        ++loopYields;
        Yield();
    }
    void WaitForEvent(std::chrono::milliseconds) override {}
    std::string TimeOfDayText() override { return "12:00:00"; }
    bool PassDue() override { return passDue; }

    bool passDue = true;  // false: as if every loop yield came right after a pass
    int yields = 0;
    int loopYields = 0;  // those the pump may pass over; counted in `yields` too
};

// A chat link that answers at once, never waits on the clock, and fails when told to.
class FakeLink final : public LinkPort, public LinkSession {
public:
    // `pump`, when given, is read at each fetch (yieldsAtFetch).
    explicit FakeLink(Calls& calls, FakePump* pump = nullptr) : calls_(calls), pump_(pump) {}

    void LoadLinkSettings(const std::filesystem::path& path) override {
        calls_.events.push_back("settings:" + path.string());
    }
    LinkFault StartLink() override {
        calls_.events.push_back("start");
        return startFault;
    }
    void StopLink() override { calls_.events.push_back("stop"); }

    LinkFault SpeakText(const std::string& line) override {
        calls_.events.push_back("say:" + line);
        spoken.push_back(line);
        if (!speakFaults.empty()) {
            const LinkFault fault = speakFaults.front();
            speakFaults.pop_front();
            return fault;
        }
        return speakFault;
    }
    bool LastWaitedOut() const override { return waitedOut; }
    bool LinesConfirmed() const override { return linesConfirmed; }

    // Hands out the queued fetches one per call, then the empty text.
    ChatFetch FetchAllText() override {
        calls_.events.push_back("fetch");
        if (pump_) yieldsAtFetch.push_back(pump_->yields);
        if (onFetch) onFetch();
        if (fetches.empty()) return {};
        ChatFetch fetch = std::move(fetches.front());
        fetches.pop_front();
        return fetch;
    }

    std::vector<std::string> spoken;
    std::deque<LinkFault> speakFaults;       // what the next lines come back with, one each
    LinkFault speakFault = LinkFault::None;  // ... and every line after them
    bool waitedOut = false;                  // ... and whether it waited out its time limit
    bool linesConfirmed = true;              // false: as the library transport
    LinkFault startFault = LinkFault::None;
    std::deque<ChatFetch> fetches;
    std::vector<int> yieldsAtFetch;
    std::function<void()> onFetch;  // runs inside each fetch, where a client takes its time

private:
    Calls& calls_;
    FakePump* pump_;
};

class FakeBusy final : public BusyHost {
public:
    explicit FakeBusy(Calls& calls) : calls_(calls) {}
    void EnterBusy() override { calls_.events.push_back("enter"); }
    void LeaveBusy() override { calls_.events.push_back("leave"); }

private:
    Calls& calls_;
};

// Chat lines joined with CR LF, as the chat client delivers them.
inline std::string Chat(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// The floor wired to the fakes above, for fixtures to derive from.
// Hands the floor's events to whichever of these a test sets.
struct FloorSpy final : FloorListener {
    explicit FloorSpy(Floor& floor) : subscription(floor.Events().Subscribe(*this)) {}
    void BlockChanged() override {
        if (onChange) onChange();
    }
    void LinkStatus(const std::string& failure) override {
        if (onLinkStatus) onLinkStatus(failure);
    }
    void RecordStatus(const std::string& failure) override {
        if (onRecordStatus) onRecordStatus(failure);
    }
    void JudgementsChanged() override {
        if (onJudgements) onJudgements();
    }
    void SoldHeld(const std::string& why) override { held.push_back(why); }
    std::vector<std::string> held;  // each SoldHeld told, in order
    std::function<void()> onChange;
    std::function<void(const std::string&)> onLinkStatus;
    std::function<void(const std::string&)> onRecordStatus;
    std::function<void()> onJudgements;
    FloorEvents::Subscription subscription;
};

struct FloorRig {
    BlockState block;
    TierTable tiers;
    ItemList items;
    Calls calls;
    FakePump pump;
    FakeLink link{calls, &pump};
    FakeBusy busy{calls};
    Floor floor{block, tiers, items, link, pump, busy};
    FloorSpy spy{floor};
    int changes = 0;
};

}  // namespace gv::testing
