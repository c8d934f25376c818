#include "practice_world/server.h"

#include <wx/log.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "core/dapi_wire.h"
#include "link/desktop/worlds_api.h"

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#endif

namespace pw {

std::string Bytes(const wxString& s) {
    const wxScopedCharBuffer utf8 = s.utf8_str();
    return std::string(utf8.data(), utf8.length());
}

namespace {

namespace api = gv::worlds_api;

std::string Shown(std::string_view bytes) {
    constexpr std::size_t kMax = 120;
    std::string shown = Escape(bytes.substr(0, kMax));
    if (bytes.size() > kMax) shown += "...";
    return shown;
}

// Before the world answers a tool: the faults its script asked for. The world's one thread
// sleeps, as a chat client that hangs does, so nothing else is answered meanwhile either.
void BeforeAnswer(WorldServer& server, const std::string& topic) {
    World& world = server.world();
    if (world.DiesAtThisRequest()) {
        server.log().Transaction("DIE", topic, "", -1, "");
        std::_Exit(3);
    }
    if (world.AnswerDelay() > 0)
        std::this_thread::sleep_for(std::chrono::duration<double>(world.AnswerDelay()));
}

// Common to every conversation: it tells the server when it ends.
class WorldConnection : public wxConnection {
public:
    WorldConnection(WorldServer& server, std::string topic, bool logged)
        : server_(server), topic_(std::move(topic)), logged_(logged) {}

    bool OnDisconnect() override {
        if (logged_) server_.log().Transaction("DISCONNECT", topic_, "", -1, "");
        server_.Forget(this);
        Ended();
        wxLogNull quiet;  // the peer is gone already; wx's complaint about that helps nobody
        delete this;
        return true;
    }

protected:
    virtual void Ended() {}

    WorldServer& server_;
    std::string topic_;
    bool logged_;
};

// One of the four WorldsApi topics, as the chat client serves them to a tool.
class ApiConnection final : public WorldConnection {
public:
    ApiConnection(WorldServer& server, std::string topic) : WorldConnection(server, std::move(topic), true) {}

    bool OnPoke(const wxString& topic, const wxString& item, const void* data, size_t size,
                wxIPCFormat format) override {
        const std::string bytes(static_cast<const char*>(data), size);
        const std::string itemBytes = Bytes(item);
        server_.log().Transaction("POKE", Bytes(topic), itemBytes, format, bytes);
        BeforeAnswer(server_, topic_);

        if (format != wxIPC_TEXT) {
            server_.Tell("Refused a poke on " + topic_ + ": format " + std::to_string(format) +
                         " is not plain text (1)");
            return false;
        }
        if (itemBytes != topic_ || topic_ == api::kGetAllText) {
            server_.Tell("Refused a poke of item \"" + Shown(itemBytes) + "\" on " + topic_);
            return false;
        }
        World& world = server_.world();
        std::string result;
        if (topic_ == api::kRegister) {
            result = world.Register(TextBeforeNul(bytes));
        } else if (topic_ == api::kUnregister) {
            result = world.Unregister(TextBeforeNul(bytes));
        } else {
            result = world.CommunicatePoke(bytes);
        }
        server_.Tell(topic_ + " \"" + Shown(TextBeforeNul(bytes)) + "\": " + result);
        return true;
    }

    const void* OnRequest(const wxString& topic, const wxString& item, size_t* size,
                          wxIPCFormat format) override {
        const std::string itemBytes = Bytes(item);
        server_.log().Transaction("REQUEST", Bytes(topic), itemBytes, format, "");
        BeforeAnswer(server_, topic_);
        if (topic_ != api::kGetAllText || format != wxIPC_TEXT) {
            server_.Tell("Refused a request of \"" + Shown(itemBytes) + "\" on " + topic_ + " (format " +
                         std::to_string(format) + ")");
            return nullptr;
        }
        const std::string result = server_.world().GetAllText(itemBytes, &reply_);
        if (result != code::kOk) {
            server_.Tell(topic_ + " for \"" + Shown(itemBytes) + "\" refused: " + result);
            return nullptr;
        }
        server_.Tell(topic_ + " for \"" + Shown(itemBytes) + "\": " + std::to_string(reply_.size()) +
                     " bytes");
        // Plain text ends in NUL, and the size counts it.
        reply_ += '\0';
        *size = reply_.size();
        return reply_.data();
    }

    // The chat client takes no commands; the log shows if a tool sends one anyway.
    bool OnExecute(const wxString& topic, const void* data, size_t size, wxIPCFormat format) override {
        server_.log().Transaction("EXECUTE", Bytes(topic), "", format,
                                  std::string_view(static_cast<const char*>(data), size));
        return false;
    }

private:
    std::string reply_;  // must outlive OnRequest
};

// The stand-in library's calls: a poke of item <function> with the packed arguments, then a
// request of the reply.
class DapiCallConnection final : public WorldConnection {
public:
    explicit DapiCallConnection(WorldServer& server) : WorldConnection(server, dapi::kCallTopic, false) {}

    bool OnPoke(const wxString&, const wxString& item, const void* data, size_t size, wxIPCFormat) override {
        auto args = dapi::Unpack(std::string_view(static_cast<const char*>(data), size));
        if (!args || args->empty() || args->front() != Bytes(item)) {
            server_.log().Library(Bytes(item), {"(malformed call)"});
            reply_ = dapi::Pack({code::kArgumentMissing});
            return true;
        }
        const std::string function = std::move(args->front());
        args->erase(args->begin());
        server_.log().Library(function, *args);
        BeforeAnswer(server_, topic_);
        reply_ = dapi::Pack(Call(function, *args));
        return true;
    }

    const void* OnRequest(const wxString&, const wxString& item, size_t* size, wxIPCFormat) override {
        if (Bytes(item) != dapi::kReplyItem || reply_.empty()) {
            server_.Tell("Library: refused a request of \"" + Shown(Bytes(item)) + "\"" +
                         (reply_.empty() ? " with no call waiting for its reply" : ""));
            return nullptr;
        }
        sent_ = std::move(reply_);
        reply_.clear();
        *size = sent_.size();
        return sent_.data();
    }

private:
    std::vector<std::string> Call(const std::string& function, const std::vector<std::string>& args) {
        World& world = server_.world();
        const auto arg = [&args](std::size_t i) -> std::string_view {
            return i < args.size() ? std::string_view(args[i]) : std::string_view();
        };
        if (function == "InitDDE") {
            server_.Tell("Library connected: InitDDE \"" + Shown(arg(0)) + "\"");
            return {code::kOk};
        }
        if (function == "KillDDE") {
            server_.Tell("Library: KillDDE");
            return {code::kOk};
        }
        const bool known = function == "DapiRegister" || function == "DapiUnregister" ||
                           function == "DapiCommunicate" || function == "DapiGetAllText" ||
                           function == "DapiSend";
        if (!known) {
            server_.Tell("Library: unknown function " + Shown(function));
            return {code::kArgumentMissing};
        }
        if (auto forced = world.TakeForcedCode()) {
            server_.Tell("Library: " + function + " answered with the forced code " + *forced);
            return {*forced};
        }
        std::vector<std::string> result;
        if (function == "DapiRegister") {
            result = {world.Register(arg(0))};
            if (result[0] == code::kOk) server_.LibraryRegistered(std::string(arg(0)));
        } else if (function == "DapiUnregister") {
            result = {world.Unregister(arg(0))};
            server_.LibraryUnregistered(std::string(arg(0)));
        } else if (function == "DapiCommunicate") {
            result = {world.Communicate(arg(0), arg(1), arg(2), arg(3))};
        } else if (function == "DapiGetAllText") {
            std::string text;
            result = {world.GetAllText(arg(0), &text)};
            if (result[0] == code::kOk) result.push_back(std::move(text));
        } else {
            result = {world.Send(arg(0), arg(1), arg(2), arg(3))};
        }
        server_.Tell("Library: " + function + " \"" + Shown(arg(0)) + "\": " + result[0]);
        return result;
    }

    std::string reply_;
    std::string sent_;  // must outlive OnRequest
};

// The advise loop through which the world sends data to a tool.
class DapiDataConnection final : public WorldConnection {
public:
    explicit DapiDataConnection(WorldServer& server) : WorldConnection(server, dapi::kDataTopic, false) {}

    bool OnStartAdvise(const wxString&, const wxString& item) override {
        tool_ = Bytes(item);
        advising_ = true;
        server_.Changed();
        return true;
    }
    bool OnStopAdvise(const wxString&, const wxString&) override {
        advising_ = false;
        server_.Changed();
        return true;
    }

    bool advising() const { return advising_; }
    const std::string& tool() const { return tool_; }

    bool SendData(std::string_view sender, std::string_view data) {
        value_ = dapi::Pack({std::string(sender), std::string(data)});
        return Advise(wxString::FromUTF8(tool_), value_.data(), value_.size(), wxIPC_TEXT);
    }

private:
    void Ended() override {
        if (advising_) server_.LibraryToolLeft(tool_);
        server_.Changed();
    }

    std::string tool_;
    bool advising_ = false;
    std::string value_;  // a DDE server hands the value over after Advise returns
};

}  // namespace

WorldServer::WorldServer(World& world, TransactionLog& log) : world_(world), log_(log) {}

WorldServer::~WorldServer() {
#ifndef _WIN32
    // wxTCPServer removes the socket under the name it was created with.
    if (!path_.empty()) {
        std::error_code ec;
        std::filesystem::rename(path_, starting_, ec);
    }
#endif
    wxLogNull quiet;  // tools that vanished cannot be told goodbye; no need to say so
    const std::set<wxConnectionBase*> open = std::move(connections_);
    connections_.clear();
    for (wxConnectionBase* connection : open) {
        connection->Disconnect();
        delete connection;
    }
}

bool WorldServer::Start(std::string* where, std::string* error) {
#ifdef _WIN32
    if (!Create(api::kService)) {
        *error = std::string("cannot register the DDE service ") + api::kService +
                 " (is another chat client or practice world running?)";
        return false;
    }
    *where = api::kService;
    return true;
#else
    std::string why;
    const std::filesystem::path path = api::ServiceSocketPath(&why);
    if (path.empty()) {
        *error = "no folder for the service socket: " + why;
        return false;
    }
    // A socket file that still answers belongs to a running world; only a stale one goes.
    if (std::filesystem::is_socket(path)) {
        const int probe = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string text = path.string();
        if (probe >= 0 && text.size() < sizeof address.sun_path) {
            std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
            const bool live =
                ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
            ::close(probe);
            if (live) {
                *error = "another practice world (or chat client) is already serving " + text;
                return false;
            }
        } else if (probe >= 0) {
            ::close(probe);
        }
    }
    // Listen under a name of our own and only then move the socket into place, so that a
    // tool (or a test) that sees the socket file can connect at once.
    const std::filesystem::path starting =
        path.parent_path() / (path.filename().string() + ".starting-" + std::to_string(::getpid()));
    if (!Create(wxString::FromUTF8(starting.string()))) {
        *error = "cannot listen on " + starting.string() + ": " + std::strerror(errno);
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(starting, path, ec);
    if (ec) {
        *error = "cannot move the socket to " + path.string() + ": " + ec.message();
        return false;
    }
    path_ = path.string();
    starting_ = starting.string();
    *where = path.string();
    return true;
#endif
}

wxConnectionBase* WorldServer::OnAcceptConnection(const wxString& topic) {
    const std::string name = Bytes(topic);
    WorldConnection* connection = nullptr;
    if (name == api::kRegister || name == api::kUnregister || name == api::kCommunicate ||
        name == api::kGetAllText) {
        log_.Transaction("CONNECT", name, "", -1, "");
        connection = new ApiConnection(*this, name);
    } else if (name == dapi::kCallTopic) {
        connection = new DapiCallConnection(*this);
    } else if (name == dapi::kDataTopic) {
        connection = new DapiDataConnection(*this);
    } else {
        log_.Transaction("CONNECT", name, "", -1, "refused");
        Tell("Refused a conversation on the unknown topic \"" + Shown(name) + "\"");
        return nullptr;
    }
    connections_.insert(connection);
    return connection;
}

int WorldServer::SendData(std::string_view tool, std::string_view sender, std::string_view data) {
    int sent = 0;
    for (wxConnectionBase* base : connections_) {
        auto* connection = dynamic_cast<DapiDataConnection*>(base);
        if (connection == nullptr || !connection->advising()) continue;
        if (!tool.empty() && connection->tool() != tool) continue;
        if (connection->SendData(sender, data)) ++sent;
    }
    Tell("Data from \"" + Shown(sender) + "\" sent to " + std::to_string(sent) + " tool(s)");
    return sent;
}

void WorldServer::LibraryToolLeft(const std::string& tool) {
    // A tool that went without unregistering (it crashed, or never called KillDDE) no longer
    // holds its name.
    if (libraryRegistered_.erase(tool) != 0 && world_.Forget(tool)) {
        Tell("Library tool \"" + Shown(tool) + "\" left without unregistering: unregistered");
    }
}

std::vector<std::string> WorldServer::LibraryTools() const {
    std::vector<std::string> tools;
    for (wxConnectionBase* base : connections_) {
        if (auto* connection = dynamic_cast<DapiDataConnection*>(base);
            connection && connection->advising()) {
            tools.push_back(connection->tool());
        }
    }
    std::sort(tools.begin(), tools.end());
    return tools;
}

}  // namespace pw
