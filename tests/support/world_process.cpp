#include "world_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <thread>

#include "core/log.h"
#include "link/desktop/dde_channel.h"
#include "link/desktop/worlds_api.h"

extern char** environ;

namespace gv::e2e {

namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* kProbeName = "e2e-probe";

void Nap() { std::this_thread::sleep_for(std::chrono::milliseconds(10)); }

std::size_t LineCount(const std::string& text) {
    if (text.empty()) return 0;
    std::size_t count = 1;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++count;
    return count;
}

}  // namespace

pid_t StartChild(const std::vector<std::string>& args, int& input, int& output) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    int in[2];
    int out[2];
    if (::pipe2(in, O_CLOEXEC) != 0) return -1;
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return -1;
    }
    // fork and exec rather than posix_spawn: the child must end with us even when a test
    // crashes, or it would keep the test's folders and output open.
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) ::_exit(127);
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::execve(argv[0], argv.data(), environ);
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    if (pid < 0) {
        ::close(in[1]);
        ::close(out[0]);
        return -1;
    }
    input = in[1];
    output = out[0];
    return pid;
}

ServiceFolder::ServiceFolder() {
    if (const char* old = std::getenv("XDG_RUNTIME_DIR")) previous_ = old;
    std::mt19937_64 random(std::random_device{}());
    path_ =
        std::filesystem::temp_directory_path() / ("gavelton-e2e-" + std::to_string(random() % 1000000000));
    std::filesystem::create_directories(path_);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
}

ServiceFolder::~ServiceFolder() {
    if (previous_) {
        ::setenv("XDG_RUNTIME_DIR", previous_->c_str(), 1);
    } else {
        ::unsetenv("XDG_RUNTIME_DIR");
    }
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

WorldProcess::WorldProcess(const std::filesystem::path& executable, const std::filesystem::path& folder,
                           const WorldOptions& options)
    : log_(folder / "world.log") {
    // A world that has died must not take the test with it when we write to its input.
    ::signal(SIGPIPE, SIG_IGN);

    std::vector<std::string> args = {executable.string(), "--headless", "--log",  log_.string(),
                                     "--script",          "-",          "--host", options.host};
    if (!options.transcript.empty()) {
        args.push_back("--transcript-file");
        args.push_back(options.transcript.string());
    }
    args.insert(args.end(), options.more.begin(), options.more.end());
    pid_ = StartChild(args, input_, output_);
    if (pid_ < 0) {
        problem_ = "cannot start " + executable.string();
        return;
    }

    // The world says READY once it listens.
    std::string said;
    const auto deadline = Clock::now() + 2 * testing::kPatience;
    while (said.find("READY\n") == std::string::npos && Clock::now() < deadline) {
        pollfd wait{output_, POLLIN, 0};
        if (::poll(&wait, 1, 100) <= 0) continue;
        char buffer[256];
        const ssize_t got = ::read(output_, buffer, sizeof buffer);
        if (got <= 0) break;
        said.append(buffer, static_cast<std::size_t>(got));
    }
    if (said.find("READY\n") == std::string::npos) {
        problem_ = "practice-world did not get ready: " + said;
        return;
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::filesystem::path socket =
        runtime ? std::filesystem::path(runtime) / worlds_api::kService : std::filesystem::path();
    ready_ = WaitFor([&] { return std::filesystem::exists(socket); }, Nap, testing::kPatience);
    if (!ready_) problem_ = "no socket at " + socket.string();
}

WorldProcess::~WorldProcess() { Stop(); }

int WorldProcess::Stop() {
    int status = -1;
    if (input_ >= 0) {
        static constexpr char kQuit[] = "!quit\n";
        (void)!::write(input_, kQuit, sizeof kQuit - 1);
        ::close(input_);
        input_ = -1;
    }
    if (pid_ > 0) {
        const bool ended =
            WaitFor([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; }, Nap, std::chrono::seconds(10));
        if (!ended) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
        }
        pid_ = -1;
    }
    if (output_ >= 0) {
        ::close(output_);
        output_ = -1;
    }
    ready_ = false;
    return status;
}

bool WorldProcess::Write(const std::string& bytes) {
    if (input_ < 0) return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t put = ::write(input_, bytes.data() + written, bytes.size() - written);
        if (put <= 0) return false;
        written += static_cast<std::size_t>(put);
    }
    return true;
}

bool WorldProcess::Script(const std::string& line) { return Write(line + "\n"); }

std::vector<std::string> WorldProcess::LogLines(const std::string& kind, std::size_t count) const {
    std::vector<std::string> lines;
    WaitFor(
        [&] {
            lines.clear();
            std::ifstream in(log_, std::ios::binary);
            for (std::string line; std::getline(in, line);) {
                if (line.rfind(kind + "\t", 0) == 0) lines.push_back(line);
            }
            return lines.size() >= count;
        },
        Nap, testing::kPatience);
    return lines;
}

bool WorldProcess::Post(const std::vector<std::string>& lines) {
    if (input_ < 0) return false;
    const std::optional<std::string> before = ChatText();
    if (!before) return false;
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\n";
    if (!Write(bytes)) return false;
    const std::size_t expected = LineCount(*before) + lines.size();
    return WaitFor(
        [&] {
            const std::optional<std::string> now = ChatText();
            return now && LineCount(*now) >= expected;
        },
        Nap, testing::kPatience);
}

std::optional<std::string> WorldProcess::ChatText() const {
    std::unique_ptr<DdeChannel> channel = MakeWorldsApiChannel();
    if (!channel->Open(worlds_api::kGetAllText)) return std::nullopt;
    std::optional<std::string> text = channel->Request(kProbeName);
    channel->Close();
    return text;
}

std::vector<LogEntry> WorldProcess::Log() const {
    std::vector<LogEntry> entries;
    std::ifstream in(log_, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        LogEntry entry;
        std::size_t start = 0;
        bool first = true;
        while (true) {
            const std::size_t tab = line.find('\t', start);
            const std::string_view field = std::string_view(line).substr(
                start, tab == std::string::npos ? std::string::npos : tab - start);
            std::string bytes;
            if (!pw::Unescape(field, bytes)) bytes = "(bad escape) " + std::string(field);
            if (first) {
                entry.kind = std::move(bytes);
                first = false;
            } else {
                entry.fields.push_back(std::move(bytes));
            }
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<std::string> WorldProcess::Said() const {
    static const std::string kPrefix = std::string("Gavelton\f0\f\f");
    std::vector<std::string> said;
    for (const LogEntry& entry : Log()) {
        const auto& f = entry.fields;
        if (entry.kind == "POKE" && !f.empty() && f[0] == worlds_api::kCommunicate) {
            // topic, item, format, data
            const std::string& data = f.size() == 4 ? f[3] : std::string();
            const bool shaped = f.size() == 4 && f[1] == worlds_api::kCommunicate && f[2] == "1" &&
                                data.size() > kPrefix.size() &&
                                data.compare(0, kPrefix.size(), kPrefix) == 0 && data.back() == '\0' &&
                                data.find('\0') == data.size() - 1;
            said.push_back(shaped ? data.substr(kPrefix.size(), data.size() - kPrefix.size() - 1)
                                  : "(unexpected) " + pw::Escape(data));
        } else if (entry.kind == "LIB" && !f.empty() && f[0] == "DapiCommunicate") {
            const bool shaped = f.size() == 5 && f[1] == "Gavelton" && f[2] == "0" && f[3].empty();
            said.push_back(shaped ? f[4] : "(unexpected) " + (f.size() > 1 ? f[1] : std::string()));
        }
    }
    return said;
}

std::size_t WorldProcess::Fetches() const {
    std::size_t count = 0;
    for (const LogEntry& entry : Log()) {
        const auto& f = entry.fields;
        if (entry.kind == "REQUEST" && f.size() >= 2 && f[0] == worlds_api::kGetAllText &&
            f[1] == "Gavelton") {
            ++count;
        } else if (entry.kind == "LIB" && !f.empty() && f[0] == "DapiGetAllText") {
            ++count;
        }
    }
    return count;
}

}  // namespace gv::e2e
