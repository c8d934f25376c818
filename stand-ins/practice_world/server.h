#pragma once
// The practice world's side of the WorldsApi service: the four topics a tool talks to, plus
// the two topics the stand-in wadapi library uses. A wxDDEServer on Windows, a wxTCPServer on
// a Unix-domain socket elsewhere; the same wxServer/wxConnection code serves both.

// wx/ipc.h picks DDE only when it already knows it is on Windows, which wx/defs.h tells it;
// on its own it would quietly serve TCP there.
#include <wx/defs.h>
#include <wx/ipc.h>

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/log.h"
#include "core/world.h"

namespace pw {

class WorldServer : public wxServer {
public:
    WorldServer(World& world, TransactionLog& log);
    ~WorldServer() override;

    // Starts listening. `where` gets the service's address (the socket path, or the DDE
    // service name); false with the reason in `error` when it cannot listen.
    bool Start(std::string* where, std::string* error);

    wxConnectionBase* OnAcceptConnection(const wxString& topic) override;

    // Sends data to the tools connected through the library whose InitDDE name is `tool`,
    // or to every such tool when `tool` is empty. Returns how many got it.
    int SendData(std::string_view tool, std::string_view sender, std::string_view data);
    // The names the tools connected through the library gave to InitDDE.
    std::vector<std::string> LibraryTools() const;

    // One line for a person watching: what arrived and what the world answered.
    std::function<void(const std::string&)> activity;

    // --- for the connections --------------------------------------------------------------
    World& world() { return world_; }
    TransactionLog& log() { return log_; }
    void Tell(const std::string& line) const {
        if (activity) activity(line);
    }
    void Forget(wxConnectionBase* connection) { connections_.erase(connection); }
    // Names registered through the library, given up when their tool's data conversation ends.
    void LibraryRegistered(const std::string& name) { libraryRegistered_.insert(name); }
    void LibraryUnregistered(const std::string& name) { libraryRegistered_.erase(name); }
    void LibraryToolLeft(const std::string& tool);
    void Changed() const {
        if (world_.changed) world_.changed();
    }

private:
    World& world_;
    TransactionLog& log_;
    std::set<wxConnectionBase*> connections_;
    std::set<std::string> libraryRegistered_;
    std::string path_;      // where the socket is served
    std::string starting_;  // the name it was created under
};

// A wx string as the bytes it came in (topics and items are plain ASCII in practice).
std::string Bytes(const wxString& s);

}  // namespace pw
