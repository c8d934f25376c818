#pragma once
// What the practice world knows without any window or connection: the chat transcript, the
// host avatar, the registered tools, and the chat client's answer (a result code) to each
// request a tool makes. Texts are 8-bit ANSI bytes, as the chat client keeps them.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// The chat client's result codes that the practice world gives.
namespace code {
inline constexpr const char* kOk = "0";
inline constexpr const char* kTooManyNames = "8";
inline constexpr const char* kAlreadyRegistered = "9";
inline constexpr const char* kNotRegistered = "10";
inline constexpr const char* kNoText = "11";
inline constexpr const char* kEspWithoutAvatar = "12";
inline constexpr const char* kArgumentMissing = "14";
inline constexpr const char* kLengthBelowZero = "15";
inline constexpr const char* kNoData = "16";
inline constexpr const char* kNotLoggedIn = "17";
}  // namespace code

// A plain-text DDE value usually ends in NUL; the text is what stands before the first NUL.
std::string_view TextBeforeNul(std::string_view data);

class World {
public:
    static constexpr std::size_t kMaxRegistrations = 8;

    explicit World(std::string host = "Host");

    // --- the transcript -------------------------------------------------------------------
    // Adds one line as it stands (another avatar speaking, an ESP to the host, ...).
    void Post(std::string line);
    // Replaces the transcript with the lines of `text` (CR LF, CR or LF end a line).
    void LoadTranscript(std::string_view text);
    const std::vector<std::string>& Transcript() const { return transcript_; }
    // The whole chat text as GetAllText answers it: the lines joined by CR LF.
    std::string AllText() const;

    // --- the host avatar ------------------------------------------------------------------
    const std::string& HostName() const { return host_; }
    bool HostLoggedIn() const { return loggedIn_; }
    void LogIn(std::string name);
    void LogOut();

    // --- requests; each returns the result code -------------------------------------------
    std::string Register(std::string_view name);
    std::string Unregister(std::string_view name);
    // Drops a registration whatever the host's state (its tool is gone); false if none.
    bool Forget(std::string_view name);
    // `mode` is the mode's decimal text: "0" speak, "1" think, "2" ESP to `avatar`.
    std::string Communicate(std::string_view name, std::string_view mode, std::string_view avatar,
                            std::string_view text);
    // The data of a WorldsApi_Communicate poke: name FF mode FF avatar FF text.
    std::string CommunicatePoke(std::string_view data);
    std::string GetAllText(std::string_view name, std::string* text) const;
    std::string Send(std::string_view name, std::string_view avatar, std::string_view data,
                     std::string_view length) const;
    const std::vector<std::string>& Registered() const { return registered_; }

    // A code the next library request answers instead of doing anything (rehearsing how a
    // tool shows the chat client's errors).
    void ForceNextCode(std::string code) { forced_ = std::move(code); }
    std::optional<std::string> TakeForcedCode();

    // --- faults, for rehearsing a chat client that misbehaves ------------------------------
    // How GetAllText answers: the chat as it is, an empty chat, the chat as UTF-16 (the
    // clipboard's Unicode format, not plain text), or the chat after filler lines that make
    // the reply `megabytes` long.
    enum class ChatReply { Normal, Empty, Unicode, Huge };
    void SetChatReply(ChatReply reply, std::size_t megabytes = 0);
    // Every answer to a tool comes this many seconds late (a busy or hung client).
    void DelayAnswers(double seconds) { answerDelay_ = seconds; }
    double AnswerDelay() const { return answerDelay_; }
    // The world ends in the middle of the next request it gets, without answering it.
    void DieAtNextRequest() { dieAtNextRequest_ = true; }
    bool DiesAtThisRequest() const { return dieAtNextRequest_; }

    // Called after every change of what a window would show.
    std::function<void()> changed;

private:
    void Changed() const;

    std::string host_;
    bool loggedIn_ = true;
    std::vector<std::string> transcript_;
    std::vector<std::string> registered_;
    std::optional<std::string> forced_;
    ChatReply chatReply_ = ChatReply::Normal;
    std::size_t replyMegabytes_ = 0;
    double answerDelay_ = 0;
    bool dieAtNextRequest_ = false;
};

}  // namespace pw
