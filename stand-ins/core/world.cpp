#include "core/world.h"

#include <algorithm>

#include "common/lines.h"

namespace pw {

std::string_view TextBeforeNul(std::string_view data) {
    const std::size_t nul = data.find('\0');
    return nul == std::string_view::npos ? data : data.substr(0, nul);
}

World::World(std::string host) : host_(std::move(host)) {}

void World::Changed() const {
    if (changed) changed();
}

void World::Post(std::string line) {
    transcript_.push_back(std::move(line));
    Changed();
}

void World::LoadTranscript(std::string_view text) {
    transcript_.clear();
    gv::LineReader reader(text, gv::LineEnds::CrLfCrOrLf);
    std::string_view line;
    while (reader.Next(line)) transcript_.emplace_back(line);
    Changed();
}

std::string World::AllText() const {
    std::size_t size = 0;
    for (const std::string& line : transcript_) size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < transcript_.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += transcript_[i];
    }
    return text;
}

void World::LogIn(std::string name) {
    host_ = std::move(name);
    loggedIn_ = true;
    Changed();
}

void World::LogOut() {
    loggedIn_ = false;
    Changed();
}

std::string World::Register(std::string_view name) {
    if (!loggedIn_) return code::kNotLoggedIn;
    if (name.empty()) return code::kArgumentMissing;
    if (std::find(registered_.begin(), registered_.end(), name) != registered_.end()) {
        return code::kAlreadyRegistered;
    }
    if (registered_.size() >= kMaxRegistrations) return code::kTooManyNames;
    registered_.emplace_back(name);
    Changed();
    return code::kOk;
}

std::string World::Unregister(std::string_view name) {
    if (!loggedIn_) return code::kNotLoggedIn;
    if (name.empty()) return code::kArgumentMissing;
    const auto it = std::find(registered_.begin(), registered_.end(), name);
    if (it == registered_.end()) return code::kNotRegistered;
    registered_.erase(it);
    Changed();
    return code::kOk;
}

bool World::Forget(std::string_view name) {
    const auto it = std::find(registered_.begin(), registered_.end(), name);
    if (it == registered_.end()) return false;
    registered_.erase(it);
    Changed();
    return true;
}

std::string World::Communicate(std::string_view name, std::string_view mode, std::string_view avatar,
                               std::string_view text) {
    if (!loggedIn_) return code::kNotLoggedIn;
    if (name.empty() || (mode != "0" && mode != "1" && mode != "2")) return code::kArgumentMissing;
    if (text.empty()) return code::kNoText;
    if (mode == "2" && avatar.empty()) return code::kEspWithoutAvatar;

    // One chat line per request: a line break inside the text must not start a line of its
    // own, or a spoken text could pass for someone else's ESP in the chat text.
    std::string said(text);
    std::replace(said.begin(), said.end(), '\r', ' ');
    std::replace(said.begin(), said.end(), '\n', ' ');
    if (mode == "0") {
        Post(host_ + ": " + said);
    } else if (mode == "1") {
        Post(host_ + " thinks: " + said);
    } else {
        Post("ESP to " + std::string(avatar) + ": " + said);
    }
    return code::kOk;
}

std::string World::CommunicatePoke(std::string_view data) {
    data = TextBeforeNul(data);
    std::string_view fields[3];
    for (std::string_view& field : fields) {
        const std::size_t sep = data.find('\f');
        if (sep == std::string_view::npos) {
            return loggedIn_ ? code::kArgumentMissing : code::kNotLoggedIn;
        }
        field = data.substr(0, sep);
        data.remove_prefix(sep + 1);
    }
    // The text is all the rest, form feeds included.
    return Communicate(fields[0], fields[1], fields[2], data);
}

std::string World::GetAllText(std::string_view name, std::string* text) const {
    if (!loggedIn_) return code::kNotLoggedIn;
    if (name.empty()) return code::kArgumentMissing;
    if (text == nullptr) return code::kOk;
    switch (chatReply_) {
        case ChatReply::Normal:
            *text = AllText();
            break;
        case ChatReply::Empty:
            text->clear();
            break;
        case ChatReply::Unicode: {
            const std::string chat = AllText();
            text->clear();
            for (const char c : chat) {
                *text += c;
                *text += '\0';
            }
            break;
        }
        case ChatReply::Huge: {
            const std::string chat = AllText();
            const std::size_t size = replyMegabytes_ * 1024 * 1024;
            static constexpr std::string_view kFiller = "Zed: just chatting while the auction runs\r\n";
            text->clear();
            text->reserve(size + chat.size());
            while (text->size() + kFiller.size() + chat.size() <= size) text->append(kFiller);
            text->append(chat);
            break;
        }
    }
    return code::kOk;
}

void World::SetChatReply(ChatReply reply, std::size_t megabytes) {
    chatReply_ = reply;
    replyMegabytes_ = megabytes;
}

std::string World::Send(std::string_view name, std::string_view avatar, std::string_view data,
                        std::string_view length) const {
    if (!loggedIn_) return code::kNotLoggedIn;
    if (name.empty() || avatar.empty() || length.empty()) return code::kArgumentMissing;
    if (length.front() == '-') return code::kLengthBelowZero;
    if (data.empty() || length == "0") return code::kNoData;
    return code::kOk;
}

std::optional<std::string> World::TakeForcedCode() {
    std::optional<std::string> forced = std::move(forced_);
    forced_.reset();
    return forced;
}

}  // namespace pw
