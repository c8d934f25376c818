#include "link/desktop/worlds_api.h"

#ifndef _WIN32
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace gv::worlds_api {

std::filesystem::path ServiceSocketPath(std::string* error) {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0') {
        return std::filesystem::path(runtime) / kService;
    }
    std::error_code ec;
    std::filesystem::path folder =
        std::filesystem::temp_directory_path(ec) / ("gavelton-" + std::to_string(::getuid()));
    if (ec) folder = std::filesystem::path("/tmp") / ("gavelton-" + std::to_string(::getuid()));
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        if (error != nullptr) *error = std::strerror(errno);
        return {};
    }
    // Someone else's folder (or a link to one) must not carry our conversation.
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) {
        if (error != nullptr) *error = "unsafe folder " + folder.string();
        return {};
    }
    if ((st.st_mode & 077) != 0) ::chmod(folder.c_str(), 0700);
    return folder / kService;
}

namespace {

// The first byte of wx's IPC protocol that is not a connect: its "disconnect".
constexpr unsigned char kNotAConnect = 11;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Waits for `events` on `fd` until `end`; false when the time ran out or polling failed.
bool WaitFor(int fd, short events, std::chrono::steady_clock::time_point end) {
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd watch{fd, events, 0};
        const int ready = ::poll(&watch, 1, static_cast<int>(left.count()));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return false;
    }
}

}  // namespace

bool ServiceAnswers(const std::filesystem::path& socket, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string text = socket.string();
    if (text.empty() || text.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);

    const Descriptor probe(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (probe.get() < 0) return false;
    if (::connect(probe.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        // A listener whose queue is full makes the connect wait, like a server that never answers.
        if (errno != EAGAIN && errno != EINPROGRESS) return false;
        if (!WaitFor(probe.get(), POLLOUT, end)) return false;
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(probe.get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) return false;
    }
    if (::send(probe.get(), &kNotAConnect, 1, MSG_NOSIGNAL) != 1) return false;
    // Any answer will do, the refusal or the hang-up: someone is reading the service.
    return WaitFor(probe.get(), POLLIN, end);
}

}  // namespace gv::worlds_api
#endif
