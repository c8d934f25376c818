#include "practice_world/session.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

#include "common/lines.h"

namespace pw {

volatile std::sig_atomic_t g_stopRequested = 0;

namespace {

constexpr int kTickMilliseconds = 20;

bool ReadWholeFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

World::ChatReply ReplyShape(const std::string& word) {
    if (word == "empty") return World::ChatReply::Empty;
    if (word == "unicode") return World::ChatReply::Unicode;
    if (word == "huge") return World::ChatReply::Huge;
    return World::ChatReply::Normal;
}

}  // namespace

Session::Session(Options options)
    : options_(std::move(options)),
      world_(options_.host),
      runner_([this](const ScriptLine& line) { return Perform(line); }),
      timer_(this) {
    Bind(wxEVT_TIMER, &Session::OnTick, this);
}

Session::~Session() {
    timer_.Stop();
    server_.reset();  // before the world and the log it uses
}

bool Session::Start(std::string* error) {
    if (!options_.log.empty() && !log_.Open(options_.log, error)) return false;

    if (!options_.transcript.empty()) {
        std::string text;
        if (!ReadWholeFile(options_.transcript, text)) {
            *error = "cannot read the transcript file " + options_.transcript;
            return false;
        }
        world_.LoadTranscript(text);
    }

    if (options_.script == "-") {
        inbox_ = LineInbox::ReadStandardInput();
    } else if (!options_.script.empty()) {
        std::string text;
        if (!ReadWholeFile(options_.script, text)) {
            *error = "cannot read the script " + options_.script;
            return false;
        }
        gv::LineReader reader(text, gv::LineEnds::CrLfCrOrLf);
        std::string_view line;
        while (reader.Next(line)) runner_.Add(std::string(line));
        runner_.EndInput();
    }

    server_ = std::make_unique<WorldServer>(world_, log_);
    if (!server_->Start(&address_, error)) return false;

    if (options_.bidders > 0) {
        const std::uint64_t seed = options_.seed ? *options_.seed : std::random_device{}();
        bidders_ = std::make_unique<Bidders>(options_.bidders, seed, options_.pace);
        // Said, so that a run worth seeing again can be repeated with --seed.
        Note("bidders' seed " + std::to_string(seed));
        heard_ = world_.Transcript().size();
    }

    std::fputs("READY\n", stdout);
    std::fflush(stdout);

    if (!options_.script.empty()) runner_.Start();
    timer_.Start(kTickMilliseconds);
    return true;
}

void Session::OnTick(wxTimerEvent&) {
    if (quitting_) return;
    if (g_stopRequested != 0) {
        quitting_ = true;
        if (quit) quit();
        return;
    }
    LetBiddersAct();
    if (inbox_) {
        std::vector<std::string> lines;
        const bool ended = inbox_->Take(lines);
        for (std::string& line : lines) runner_.Add(std::move(line));
        if (ended) {
            runner_.EndInput();
            inbox_.reset();
        }
    }
    if (!runner_.Active()) return;
    const bool ended = runner_.Pump(ScriptRunner::Clock::now());
    if (quitting_ || (ended && options_.exitAtEnd)) {
        quitting_ = true;
        if (quit) quit();
    }
}

void Session::LetBiddersAct() {
    if (!bidders_) return;
    const double now = std::chrono::duration<double>(ScriptRunner::Clock::now() - started_).count();
    const std::vector<std::string>& transcript = world_.Transcript();
    heard_ = std::min(heard_, transcript.size());
    for (; heard_ < transcript.size(); ++heard_) bidders_->Hear(transcript[heard_], now);
    for (std::string& line : bidders_->Act(now)) {
        // Logged before it is posted, so a reader of the log never misses a line in the chat.
        log_.Transaction("BIDDER", "", "", -1, line);
        world_.Post(std::move(line));
    }
}

bool Session::Perform(const ScriptLine& line) {
    // Every command (not the lines it posts) goes to the log, so a test can wait for its effect.
    static constexpr const char* kCommands[] = {"post", "wait",  "quit", "nohost", "host",   "ack",
                                                "data", "delay", "die",  "reply",  "invalid"};
    if (line.kind != ScriptLine::Kind::Post) {
        log_.Transaction("SCRIPT", kCommands[static_cast<int>(line.kind)], line.text, -1, line.sender);
    }
    switch (line.kind) {
        case ScriptLine::Kind::Post:
            world_.Post(line.text);
            break;
        case ScriptLine::Kind::Wait:
            break;  // the runner waits
        case ScriptLine::Kind::Quit:
            quitting_ = true;
            return false;
        case ScriptLine::Kind::NoHost:
            world_.LogOut();
            break;
        case ScriptLine::Kind::Host:
            world_.LogIn(line.text);
            break;
        case ScriptLine::Kind::Ack:
            world_.ForceNextCode(line.text);
            break;
        case ScriptLine::Kind::Data:
            server_->SendData("", line.sender, line.text);
            break;
        case ScriptLine::Kind::Delay:
            world_.DelayAnswers(line.seconds);
            break;
        case ScriptLine::Kind::Die:
            world_.DieAtNextRequest();
            break;
        case ScriptLine::Kind::Reply:
            world_.SetChatReply(ReplyShape(line.text), line.megabytes);
            break;
        case ScriptLine::Kind::Invalid:
            Note("script: " + line.text);
            break;
    }
    return true;
}

void Session::Note(const std::string& line) const {
    if (note) {
        note(line);
    } else {
        std::fprintf(stderr, "practice-world: %s\n", line.c_str());
    }
}

}  // namespace pw
