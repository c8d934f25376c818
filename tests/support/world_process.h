#pragma once
// practice-world as a child process, headless: chat lines are fed to it on its standard
// input, every transaction it receives is read back from its log, and its transcript is
// fetched over a WorldsApi conversation of our own (under a name of its own, so it never
// counts as Gavelton's). Needs no test framework, so the benchmarks use it too.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "patience.h"

namespace gv::e2e {

struct WorldOptions {
    std::string host = "Host";              // the host's avatar name
    std::filesystem::path transcript = {};  // --transcript-file, when not empty
    std::vector<std::string> more = {};     // further options ("--bidders", "3", ...)
};

// One line of the world's transaction log, its fields unescaped.
struct LogEntry {
    std::string kind;                 // CONNECT, POKE, REQUEST, LIB, ...
    std::vector<std::string> fields;  // the fields after the kind
};

// Points the WorldsApi service at a fresh folder for the object's lifetime; the world and
// the window must both be started while it lives.
class ServiceFolder {
public:
    ServiceFolder();
    ~ServiceFolder();
    ServiceFolder(const ServiceFolder&) = delete;
    ServiceFolder& operator=(const ServiceFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    std::optional<std::string> previous_;
};

class WorldProcess {
public:
    // Starts the world in `folder` (its log goes there) and waits for its READY line and
    // its socket. The service folder must be set already.
    WorldProcess(const std::filesystem::path& executable, const std::filesystem::path& folder,
                 const WorldOptions& options = {});
    ~WorldProcess();
    WorldProcess(const WorldProcess&) = delete;
    WorldProcess& operator=(const WorldProcess&) = delete;

    bool Ready() const { return ready_; }
    const std::string& Problem() const { return problem_; }

    // Posts the lines to the chat in order, as other avatars say them; returns once the
    // transcript holds them all (false if it does not within a few seconds).
    bool Post(const std::vector<std::string>& lines);
    // One line for the world's script ("!nohost", "!ack 7", ...), without waiting for its effect.
    bool Script(const std::string& line);

    // The whole chat text as GetAllText answers it (ANSI bytes, lines joined by CR LF).
    std::optional<std::string> ChatText() const;

    std::vector<LogEntry> Log() const;
    // The log's lines of one kind ("LIB", "POKE", ...) as they stand, fields still escaped;
    // waits up to five seconds for at least `count` of them.
    std::vector<std::string> LogLines(const std::string& kind, std::size_t count = 0) const;
    // The lines the tool said into the chat, in order, from the exact bytes it sent: the
    // DDE transport's Communicate pokes ("Gavelton" FF "0" FF FF text NUL) and the library's
    // DapiCommunicate calls (Gavelton, 0, no avatar, text). Anything sent in another shape
    // comes back as "(unexpected) ..." so a test shows it.
    std::vector<std::string> Said() const;
    // How many times the tool fetched the chat (either transport).
    std::size_t Fetches() const;

    // Ends the world ("!quit", then a signal if it lingers); its exit status as waitpid gives it
    // (0 for a clean end), -1 when it was not running.
    int Stop();

private:
    bool Write(const std::string& bytes);

    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    bool ready_ = false;
    std::string problem_;
    std::filesystem::path log_;
};

// Starts `args` (the program first) as a child whose standard input and output are pipes, and
// which dies with us even when a test crashes. Returns its pid, or -1 with `input` and `output`
// left as they were; on success they get our ends of the pipes.
pid_t StartChild(const std::vector<std::string>& args, int& input, int& output);

// Waits for `done` for up to `limit`, calling `between` (an event pump, or a nap) meanwhile.
template <class Done, class Between>
bool WaitFor(Done done, Between between, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return done();
        between();
    }
    return true;
}

}  // namespace gv::e2e
