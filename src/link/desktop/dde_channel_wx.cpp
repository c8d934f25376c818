// The WorldsApi conversation over wxWidgets' IPC classes: real DDE on Windows, the same
// client/connection calls over a Unix-domain socket elsewhere. Text goes as 8-bit ANSI in the
// plain-text format (CF_TEXT), NUL-terminated as that format is; never as wx's UTF-8 format.
#include <wx/ipc.h>
#include <wx/log.h>

#include <algorithm>
#include <chrono>

#ifdef _WIN32
#include <wx/dde.h>
#else
#include <wx/sckipc.h>
#include <wx/socket.h>
#endif

#include "link/desktop/dde_channel.h"
#include "link/desktop/worlds_api.h"

namespace gv {

namespace {

#ifdef _WIN32

// wx deletes a connection whose server hung up unless told otherwise; the channel owns it.
class OwnedConnection final : public wxDDEConnection {
public:
    bool OnDisconnect() override { return true; }
    bool Usable() { return GetConnected(); }
};

class Client final : public wxDDEClient {
public:
    wxConnectionBase* OnMakeConnection() override { return new OwnedConnection; }
};

// wxDDEClient waits for each transaction with the classic DDE time-out of 5 seconds.
OwnedConnection* Connect(Client& client, const std::string& topic) {
    wxConnectionBase* made = client.MakeConnection(wxString(), wxString::FromUTF8(worlds_api::kService),
                                                   wxString::FromUTF8(topic));
    auto* connection = dynamic_cast<OwnedConnection*>(made);
    if (connection == nullptr) delete made;
    return connection;
}

#else

class OwnedConnection final : public wxTCPConnection {
public:
    bool OnDisconnect() override { return true; }
    // wxSocketBase waits ten minutes by default; a hung chat client must not hold the tool.
    void LimitWaits() {
        if (m_sock != nullptr) m_sock->SetTimeout(kTransactionTimeoutSeconds);
    }
    bool Usable() { return GetConnected() && m_sock != nullptr && m_sock->IsConnected(); }
};

class Client final : public wxTCPClient {
public:
    wxConnectionBase* OnMakeConnection() override { return new OwnedConnection; }
};

OwnedConnection* Connect(Client& client, const std::string& topic) {
    const std::filesystem::path socket = worlds_api::ServiceSocketPath();
    // wx's connect would wait ten minutes for a service that accepts and never answers.
    if (socket.empty() ||
        !worlds_api::ServiceAnswers(socket, std::chrono::seconds(kTransactionTimeoutSeconds))) {
        return nullptr;
    }
    wxConnectionBase* made =
        client.MakeConnection("localhost", wxString::FromUTF8(socket.string()), wxString::FromUTF8(topic));
    auto* connection = dynamic_cast<OwnedConnection*>(made);
    if (connection == nullptr) {
        delete made;
        return nullptr;
    }
    connection->LimitWaits();
    return connection;
}

#endif

class WorldsApiChannel final : public DdeChannel {
public:
    WorldsApiChannel() {
#ifndef _WIN32
        // Sockets must be set up on the main thread before first use; a running wxApp
        // has done it already, a test program may not have.
        if (!wxSocketBase::IsInitialized()) wxSocketBase::Initialize();
#endif
    }
    ~WorldsApiChannel() override { Close(); }

    void Close() override {
        if (connection_ == nullptr) return;
        wxLogNull quiet;
        connection_->Disconnect();
        delete connection_;
        connection_ = nullptr;
    }

    bool Open(const std::string& topic) override {
        Close();
        wxLogNull quiet;  // a failed initiate is retried, not shown
        connection_ = Connect(client_, topic);
        return connection_ != nullptr;
    }

    bool Poke(const std::string& item, std::string_view ansiData) override {
        if (connection_ == nullptr || !connection_->Usable()) return false;
        wxLogNull quiet;
        std::string text(ansiData);
        return connection_->Poke(wxString::FromUTF8(item), text.c_str(), text.size() + 1, wxIPC_TEXT);
    }

    std::optional<std::string> Request(const std::string& item) override {
        if (connection_ == nullptr || !connection_->Usable()) return std::nullopt;
        wxLogNull quiet;
        size_t size = 0;
        const void* data = connection_->Request(wxString::FromUTF8(item), &size, wxIPC_TEXT);
        if (data == nullptr) return std::nullopt;
        // Plain text ends at its NUL.
        const auto* bytes = static_cast<const char*>(data);
        const std::string_view reply(bytes, size);
        const std::string_view text = reply.substr(0, reply.find('\0'));
        // More text after the NUL than before it is another format (UTF-16 text has a NUL after
        // every Latin letter), not a chat cut short: no chat text at all, rather than a wrong one.
        const std::string_view after = reply.substr(text.size());
        const auto filled = static_cast<std::size_t>(
            std::count_if(after.begin(), after.end(), [](char c) { return c != '\0'; }));
        if (filled > text.size()) return std::string();
        return std::string(text);
    }

private:
    Client client_;
    OwnedConnection* connection_ = nullptr;
};

}  // namespace

std::unique_ptr<DdeChannel> MakeWorldsApiChannel() { return std::make_unique<WorldsApiChannel>(); }

}  // namespace gv
