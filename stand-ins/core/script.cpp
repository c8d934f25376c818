#include "core/script.h"

#include <charconv>
#include <cmath>

namespace pw {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// A whole, finite, non-negative number and nothing else.
bool ReadAmount(std::string_view text, double& amount) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), amount);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size() && std::isfinite(amount) &&
           amount >= 0;
}

ScriptLine Invalid(std::string why) {
    ScriptLine out;
    out.kind = ScriptLine::Kind::Invalid;
    out.text = std::move(why);
    return out;
}

ScriptLine ParseReply(std::string_view line, std::string_view args) {
    ScriptLine out;
    out.kind = ScriptLine::Kind::Reply;
    if (args == "empty" || args == "unicode" || args == "normal") {
        out.text = std::string(args);
        return out;
    }
    // "huge MEGABYTES": a whole number, at most a gigabyte, so the world can still build it.
    constexpr double kLargestReply = 1024;
    double megabytes = 0;
    if (args.substr(0, 5) == "huge " && ReadAmount(TrimBlanks(args.substr(5)), megabytes) && megabytes >= 1 &&
        megabytes <= kLargestReply && megabytes == std::floor(megabytes)) {
        out.text = "huge";
        out.megabytes = static_cast<std::size_t>(megabytes);
        return out;
    }
    return Invalid("!reply needs empty, unicode, huge MEGABYTES or normal: " + std::string(line));
}

}  // namespace

ScriptLine ParseScriptLine(std::string_view line) {
    ScriptLine out;
    out.text = std::string(line);
    if (line.empty() || line.front() != '!') return out;

    std::string_view rest = line.substr(1);
    std::size_t wordEnd = 0;
    while (wordEnd < rest.size() && !IsBlank(rest[wordEnd])) ++wordEnd;
    const std::string_view word = rest.substr(0, wordEnd);
    const std::string_view args = TrimBlanks(rest.substr(wordEnd));

    if (word == "wait") {
        if (!ReadAmount(args, out.seconds))
            return Invalid("!wait needs a number of seconds: " + std::string(line));
        out.kind = ScriptLine::Kind::Wait;
    } else if (word == "quit") {
        out.kind = ScriptLine::Kind::Quit;
    } else if (word == "nohost") {
        out.kind = ScriptLine::Kind::NoHost;
    } else if (word == "host") {
        if (args.empty()) return Invalid("!host needs the host avatar's name");
        out.kind = ScriptLine::Kind::Host;
        out.text = std::string(args);
    } else if (word == "ack") {
        if (args.empty()) return Invalid("!ack needs a result code");
        out.kind = ScriptLine::Kind::Ack;
        out.text = std::string(args);
    } else if (word == "data") {
        std::size_t senderEnd = 0;
        while (senderEnd < args.size() && !IsBlank(args[senderEnd])) ++senderEnd;
        if (senderEnd == 0) return Invalid("!data needs a sender and the data");
        out.kind = ScriptLine::Kind::Data;
        out.sender = std::string(args.substr(0, senderEnd));
        // The data is the rest after one blank, as it stands.
        out.text = senderEnd < args.size() ? std::string(args.substr(senderEnd + 1)) : std::string();
    } else if (word == "delay") {
        // A day at most: longer is surely a typing slip, and the world would seem dead.
        constexpr double kLongestDelay = 86400;
        if (!ReadAmount(args, out.seconds) || out.seconds > kLongestDelay) {
            return Invalid("!delay needs a number of seconds: " + std::string(line));
        }
        out.kind = ScriptLine::Kind::Delay;
    } else if (word == "die") {
        out.kind = ScriptLine::Kind::Die;
    } else if (word == "reply") {
        return ParseReply(line, args);
    }
    return out;
}

}  // namespace pw
