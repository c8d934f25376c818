// practice-world: plays the chat client (and, with the stand-in wadapi library, its API
// library) so Gavelton can be rehearsed and tested without a live auction.

#include <wx/app.h>
#include <wx/init.h>

#include <csignal>
#include <cstdio>

#include "practice_world/options.h"
#include "practice_world/session.h"
#include "practice_world/world_frame.h"

namespace pw {
namespace {

extern "C" void RequestStop(int) { g_stopRequested = 1; }

// The world's session, serving; null when it cannot start. Said on stderr only: a box nobody
// can answer (on a virtual display, say) would keep a world that cannot serve alive.
std::unique_ptr<Session> StartSession(const Options& options) {
    auto session = std::make_unique<Session>(options);
    std::string error;
    if (session->Start(&error)) return session;
    std::fprintf(stderr, "practice-world: %s\n", error.c_str());
    return nullptr;
}

// The world's session for the life of the application, console or windowed.
template <class Base>
class WorldApp : public Base {
public:
    explicit WorldApp(Options options) : options_(std::move(options)) {}
    int OnExit() override {
        session_.reset();
        return Base::OnExit();
    }

protected:
    // The session serving, or false when it cannot start (the application then ends).
    bool StartWorld() {
        session_ = StartSession(options_);
        return session_ != nullptr;
    }

    Options options_;
    std::unique_ptr<Session> session_;
};

// No window and no display: runs until a signal, "!quit" or the end of the script.
class HeadlessApp final : public WorldApp<wxAppConsole> {
public:
    using WorldApp::WorldApp;
    bool OnInit() override {
        if (!StartWorld()) return false;
        session_->quit = [this] { ExitMainLoop(); };
        if (options_.verbose) {
            session_->server().activity = [](const std::string& line) {
                std::fprintf(stderr, "practice-world: %s\n", line.c_str());
            };
        }
        return true;
    }
};

class WindowApp final : public WorldApp<wxApp> {
public:
    using WorldApp::WorldApp;
    bool OnInit() override {
        if (!StartWorld()) return false;
        auto* frame = new WorldFrame(*session_);
        session_->quit = [frame] { frame->Close(true); };
        frame->Show();
        return true;
    }
};

}  // namespace
}  // namespace pw

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const std::optional<pw::Options> options = pw::ParseOptions(args, &error);
    if (!options) {
        std::fputs(pw::kUsage, error.empty() ? stdout : stderr);
        if (error.empty()) return 0;
        std::fprintf(stderr, "practice-world: %s\n", error.c_str());
        return 2;
    }
    std::signal(SIGTERM, pw::RequestStop);
    std::signal(SIGINT, pw::RequestStop);

    if (options->headless) {
        wxApp::SetInstance(new pw::HeadlessApp(*options));
    } else {
        wxApp::SetInstance(new pw::WindowApp(*options));
    }
    // Our options are parsed already; wx sees only the program name.
    int wxArgc = 1;
    return wxEntry(wxArgc, argv);
}
