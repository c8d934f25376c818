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

// No window and no display: runs until a signal, "!quit" or the end of the script.
class HeadlessApp final : public wxAppConsole {
public:
    explicit HeadlessApp(Options options) : options_(std::move(options)) {}

    bool OnInit() override {
        session_ = std::make_unique<Session>(options_);
        session_->quit = [this] { ExitMainLoop(); };
        std::string error;
        const bool verbose = options_.verbose;
        if (!session_->Start(&error)) {
            std::fprintf(stderr, "practice-world: %s\n", error.c_str());
            session_.reset();
            return false;
        }
        if (verbose) {
            session_->server().activity = [](const std::string& line) {
                std::fprintf(stderr, "practice-world: %s\n", line.c_str());
            };
        }
        return true;
    }
    int OnExit() override {
        session_.reset();
        return wxAppConsole::OnExit();
    }

private:
    Options options_;
    std::unique_ptr<Session> session_;
};

class WindowApp final : public wxApp {
public:
    explicit WindowApp(Options options) : options_(std::move(options)) {}

    bool OnInit() override {
        session_ = std::make_unique<Session>(options_);
        std::string error;
        if (!session_->Start(&error)) {
            // Said on stderr only: a box nobody can answer (on a virtual display, say) would
            // keep a world that cannot serve alive.
            std::fprintf(stderr, "practice-world: %s\n", error.c_str());
            session_.reset();
            return false;
        }
        auto* frame = new WorldFrame(*session_);
        session_->quit = [frame] { frame->Close(true); };
        frame->Show();
        return true;
    }
    int OnExit() override {
        session_.reset();
        return wxApp::OnExit();
    }

private:
    Options options_;
    std::unique_ptr<Session> session_;
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
