// The stand-in wadapi library: the chat client's API library as the practice world plays it.
// Every call goes to the practice world over two conversations of the WorldsApi service
// (see core/dapi_wire.h); the world's answer comes back to the tool through the ack and
// all-text callbacks before the call returns, and data the world sends arrives through the
// data callback while the tool's event loop runs. Everything happens on the thread that
// calls the library, which for Gavelton is its user-interface thread.

#define WADAPI_BUILDING
#include <wx/app.h>
#include <wx/defs.h>  // before wx/ipc.h, so that Windows gets DDE
#include <wx/init.h>
#include <wx/ipc.h>
#include <wx/log.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/dapi_wire.h"
#include "link/desktop/worlds_api.h"
#include "link/wadapi_api.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

namespace dapi = pw::dapi;

// "6 - Your avatar is currently busy": what a call made while another is in progress (from
// inside a callback, say) answers, rather than interleaving two calls on one conversation.
constexpr const char* kBusyCode = "6";
// "17 - You are not logged in yet": what the chat client says while it is not running.
constexpr const char* kNoWorldCode = "17";
constexpr long kWaitSeconds = 5;

class Session;
Session* g_session = nullptr;

// Which thread makes the callbacks that answer a call. The real library's is not known, so a
// rehearsal (or a test) can choose with PRACTICE_WADAPI_CALLBACKS: "during" (a thread of the
// library's own, while the call waits for it), "later" (a thread of the library's own, after
// the call has returned); otherwise the caller's thread, before the call returns.
enum class CallbackThread { Caller, During, Later };

CallbackThread CallbackThreadChosen() {
    const char* chosen = std::getenv("PRACTICE_WADAPI_CALLBACKS");
    const std::string_view mode = chosen != nullptr ? chosen : "";
    if (mode == "during") return CallbackThread::During;
    if (mode == "later") return CallbackThread::Later;
    return CallbackThread::Caller;
}

// wx keeps the DDE string handle of every item it has used and hands it out again. Under Wine
// the global atom behind it can be released after a transaction and its number reused for
// another string, so a later transaction names the wrong item. One reference of our own per
// name keeps each atom, and with it the name, alive for the life of the library.
void KeepName(const char* name) {
#ifdef _WIN32
    static std::vector<std::string> kept;
    for (const std::string& known : kept) {
        if (known == name) return;
    }
    if (::GlobalAddAtomA(name) != 0) kept.emplace_back(name);
#else
    (void)name;
#endif
}

bool Calling();

// A conversation that tells its owner when it ends, so no pointer outlives it.
class Conversation : public wxConnection {
public:
    explicit Conversation(Conversation** owner) : owner_(owner) {}
    ~Conversation() override {
        if (*owner_ == this) *owner_ = nullptr;
    }
    bool OnDisconnect() override {
        // While a call waits on it, the call drops it afterwards: deleting it here would pull
        // it from under the waiting call.
        if (Calling()) {
            lost_ = true;
        } else {
            delete this;
        }
        return true;
    }
    bool OnAdvise(const wxString& topic, const wxString& item, const void* data, size_t size,
                  wxIPCFormat format) override;
    bool lost() const { return lost_; }
#ifndef _WIN32
    // A practice world that hangs costs the tool a few seconds, not the socket's default ten
    // minutes (DDE transactions have their own time-out).
    void LimitWaits() {
        if (m_sock != nullptr) m_sock->SetTimeout(kWaitSeconds);
    }
#endif

private:
    Conversation** owner_;
    bool lost_ = false;
};

// Makes the conversations. On Windows a DDE client owns its conversations, so it lives as long
// as they do.
class Client final : public wxClient {
public:
    wxConnectionBase* OnMakeConnection() override { return new Conversation(owner_); }
    void set_owner(Conversation** owner) { owner_ = owner; }

private:
    Conversation** owner_ = nullptr;
};

class Session {
public:
    Session(std::string name, WadapiAckProc ack, WadapiDataProc data, WadapiAllTextProc allText)
        : name_(std::move(name)),
          ack_(ack),
          data_(data),
          allText_(allText),
          thread_(CallbackThreadChosen()) {}

    ~Session() {
        FinishLaterCallbacks();
        wxLogNull quiet;
        Drop(calls_);
        Drop(advise_);
    }

    // Opens both conversations if they are not open.
    bool Connect() {
        if (calls_ == nullptr) Open(dapi::kCallTopic, &calls_);
        if (calls_ != nullptr && advise_ == nullptr && Open(dapi::kDataTopic, &advise_)) {
            if (!advise_->StartAdvise(wxString::FromUTF8(name_))) Drop(advise_);
        }
        return calls_ != nullptr;
    }

    // One call of the world; the packed reply, or nullopt when the world cannot be reached.
    // Each call has a conversation of its own (as each of Gavelton's DDE requests has): under
    // Wine a second request on one DDE conversation fails.
    std::optional<std::vector<std::string>> Call(const char* function, const std::vector<std::string>& args) {
        wxLogNull quiet;  // failures are answered with a code, never with a log window
        if (!Connect()) return std::nullopt;
        // The function leads the value, which is so never empty (an empty value can be lost).
        std::vector<std::string> fields{function};
        fields.insert(fields.end(), args.begin(), args.end());
        const std::string packed = dapi::Pack(fields);
        KeepName(function);
        KeepName(dapi::kReplyItem);
        calling_ = true;
        std::optional<std::vector<std::string>> reply;
        if (calls_->Poke(function, packed.data(), packed.size(), wxIPC_TEXT)) {
            size_t size = 0;
            // The conversation may end while we wait; Request then gives nullptr.
            if (const void* value =
                    calls_ != nullptr ? calls_->Request(dapi::kReplyItem, &size, wxIPC_TEXT) : nullptr) {
                reply = dapi::Unpack(std::string_view(static_cast<const char*>(value), size));
            }
        }
        calling_ = false;
        Drop(calls_);
        if (advise_ != nullptr && advise_->lost()) Drop(advise_);
        return reply;
    }

    // A request: answered through the ack callback (and the all-text callback for the text).
    int32_t Request(const char* function, const std::vector<std::string>& args) {
        if (calling_) return Ack(kBusyCode);
        FinishLaterCallbacks();
        const auto reply = Call(function, args);
        if (!reply || reply->empty()) {
            DeliverPendingData();
            return Answer(kNoWorldCode, std::nullopt);
        }
        const std::string& code = reply->front();
        std::optional<std::string> text;
        if (code == "0" && reply->size() > 1) text = (*reply)[1];
        const int32_t result = Answer(code, std::move(text));
        DeliverPendingData();
        return result;
    }

    void Data(std::string sender, std::string data) {
        pending_.emplace_back(std::move(sender), std::move(data));
        // Data that comes while a call waits for its reply is handed over after the call.
        if (!calling_) DeliverPendingData();
    }

    bool calling() const { return calling_; }

private:
    bool Open(const char* topic, Conversation** into) {
        wxLogNull quiet;
        KeepName(topic);
        KeepName(name_.c_str());  // a world that is not running is answered with a code, not a log window
        client_.set_owner(into);
#ifdef _WIN32
        const wxString service = gv::worlds_api::kService;
#else
        const std::filesystem::path socket = gv::worlds_api::ServiceSocketPath();
        // wx's connect would wait ten minutes for a world that accepts and never answers.
        if (socket.empty() || !gv::worlds_api::ServiceAnswers(socket, std::chrono::seconds(kWaitSeconds))) {
            return false;
        }
        const wxString service = wxString::FromUTF8(socket.string());
#endif
        *into = static_cast<Conversation*>(client_.MakeConnection("localhost", service, topic));
#ifndef _WIN32
        if (*into != nullptr) (*into)->LimitWaits();
#endif
        return *into != nullptr;
    }

    static void Drop(Conversation*& conversation) {
        if (conversation == nullptr) return;
        Conversation* gone = conversation;
        conversation = nullptr;
        gone->Disconnect();
        delete gone;
    }

    int32_t Ack(const char* code) {
        if (ack_ != nullptr) ack_(code);
        return std::string_view(code) == "0" ? 0 : 1;
    }

    // The chat text (when there is one) and the code, on the thread chosen for callbacks.
    int32_t Answer(const std::string& code, std::optional<std::string> text) {
        std::function<void()> callBack = [ack = ack_, allText = allText_, code, text = std::move(text)] {
            if (text && allText != nullptr) allText(text->c_str());
            if (ack != nullptr) ack(code.c_str());
        };
        switch (thread_) {
            case CallbackThread::Caller:
                callBack();
                break;
            case CallbackThread::During:
                std::thread(callBack).join();
                break;
            case CallbackThread::Later:
                later_.emplace_back([callBack = std::move(callBack)] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the call has returned
                    callBack();
                });
                break;
        }
        return code == "0" ? 0 : 1;
    }

    void FinishLaterCallbacks() {
        for (std::thread& thread : later_) thread.join();
        later_.clear();
    }

    void DeliverPendingData() {
        while (!pending_.empty() && !calling_) {
            const auto [sender, data] = std::move(pending_.front());
            pending_.erase(pending_.begin());
            if (data_ != nullptr) data_(sender.c_str(), 0, data.c_str());
        }
    }

    Client client_;  // outlives the conversations, destroyed after them
    std::string name_;
    WadapiAckProc ack_;
    WadapiDataProc data_;
    WadapiAllTextProc allText_;
    Conversation* calls_ = nullptr;
    Conversation* advise_ = nullptr;
    bool calling_ = false;
    std::vector<std::pair<std::string, std::string>> pending_;
    CallbackThread thread_;
    std::vector<std::thread> later_;  // callbacks still being made after their call returned
};

bool Calling() { return g_session != nullptr && g_session->calling(); }

bool Conversation::OnAdvise(const wxString&, const wxString&, const void* data, size_t size, wxIPCFormat) {
    const auto fields = dapi::Unpack(std::string_view(static_cast<const char*>(data), size));
    if (!fields || fields->size() < 2 || g_session == nullptr) return false;
    g_session->Data((*fields)[0], (*fields)[1]);
    return true;
}

// wx is set up by the tool when it is a wx program sharing our wx; otherwise (a statically
// linked DLL, or a host program without wx) the library sets up its own.
bool g_ownsWx = false;

std::string Text(const char* s) { return s != nullptr ? std::string(s) : std::string(); }

int32_t NoSession() { return -1; }

}  // namespace

extern "C" {

WADAPI_EXPORT int32_t WADAPI_CALL InitDDE(const char* name, WadapiAckProc ack, WadapiDataProc data,
                                          WadapiAllTextProc allText) {
    if (g_session != nullptr && g_session->calling()) return 1;
    if (wxAppConsole::GetInstance() == nullptr && !g_ownsWx) {
        if (!wxInitialize()) return 1;
        g_ownsWx = true;
    }
    delete g_session;  // a second InitDDE starts afresh
    g_session = new Session(Text(name), ack, data, allText);
    const auto reply = g_session->Call("InitDDE", {Text(name)});
    return reply && !reply->empty() && reply->front() == "0" ? 0 : 1;
}

WADAPI_EXPORT int32_t WADAPI_CALL KillDDE(void) {
    if (g_session == nullptr) return 0;
    if (g_session->calling()) return 1;
    g_session->Call("KillDDE", {});
    delete g_session;
    g_session = nullptr;
    if (g_ownsWx) {
        wxUninitialize();
        g_ownsWx = false;
    }
    return 0;
}

WADAPI_EXPORT int32_t WADAPI_CALL DapiRegister(const char* name) {
    if (g_session == nullptr) return NoSession();
    return g_session->Request("DapiRegister", {Text(name)});
}

WADAPI_EXPORT int32_t WADAPI_CALL DapiUnregister(const char* name) {
    if (g_session == nullptr) return NoSession();
    return g_session->Request("DapiUnregister", {Text(name)});
}

WADAPI_EXPORT int32_t WADAPI_CALL DapiCommunicate(const char* name, int32_t mode, const char* avatar,
                                                  const char* text) {
    if (g_session == nullptr) return NoSession();
    return g_session->Request("DapiCommunicate",
                              {Text(name), std::to_string(mode), Text(avatar), Text(text)});
}

WADAPI_EXPORT int32_t WADAPI_CALL DapiGetAllText(const char* name) {
    if (g_session == nullptr) return NoSession();
    return g_session->Request("DapiGetAllText", {Text(name)});
}

WADAPI_EXPORT int32_t WADAPI_CALL DapiSend(const char* name, const char* avatar, const char* data,
                                           int32_t length) {
    if (g_session == nullptr) return NoSession();
    std::string bytes;
    if (data != nullptr && length > 0) bytes.assign(data, static_cast<std::size_t>(length));
    return g_session->Request("DapiSend", {Text(name), Text(avatar), bytes, std::to_string(length)});
}

}  // extern "C"
