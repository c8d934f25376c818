#pragma once
// One run of the practice world: the world, its log, the server, and the script, driven by
// the event loop of whichever app (window or headless) runs it.

#include <wx/event.h>
#include <wx/timer.h>

#include <csignal>
#include <functional>
#include <memory>
#include <string>

#include "core/bidders.h"
#include "core/log.h"
#include "core/script_runner.h"
#include "core/world.h"
#include "practice_world/options.h"
#include "practice_world/server.h"

namespace pw {

// Set by SIGTERM/SIGINT; the session ends the program at its next tick.
extern volatile std::sig_atomic_t g_stopRequested;

class Session : public wxEvtHandler {
public:
    explicit Session(Options options);
    ~Session() override;

    // Opens the log, loads the transcript, starts listening, says READY and starts the
    // script. False with the reason when the world cannot run.
    bool Start(std::string* error);

    World& world() { return world_; }
    WorldServer& server() { return *server_; }
    const Options& options() const { return options_; }
    const std::string& address() const { return address_; }

    // Ends the program (the app decides how); called for "!quit", a signal, or the end of
    // the script with --exit-at-end.
    std::function<void()> quit;
    // Script lines that could not be understood, and other notes for a person.
    std::function<void(const std::string&)> note;

private:
    void OnTick(wxTimerEvent&);
    void LetBiddersAct();
    bool Perform(const ScriptLine& line);
    void Note(const std::string& line) const;

    Options options_;
    World world_;
    TransactionLog log_;
    std::unique_ptr<WorldServer> server_;
    ScriptRunner runner_;
    std::shared_ptr<LineInbox> inbox_;
    wxTimer timer_;
    std::string address_;
    std::unique_ptr<Bidders> bidders_;
    std::size_t heard_ = 0;  // transcript lines the bidders have heard
    ScriptRunner::Clock::time_point started_ = ScriptRunner::Clock::now();
    bool quitting_ = false;
};

}  // namespace pw
