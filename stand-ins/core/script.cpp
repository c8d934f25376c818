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

ScriptLine Invalid(std::string why) {
    ScriptLine out;
    out.kind = ScriptLine::Kind::Invalid;
    out.text = std::move(why);
    return out;
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
        double seconds = 0;
        const auto [end, ec] = std::from_chars(args.data(), args.data() + args.size(), seconds);
        if (args.empty() || ec != std::errc() || end != args.data() + args.size() ||
            !std::isfinite(seconds) || seconds < 0) {
            return Invalid("!wait needs a number of seconds: " + std::string(line));
        }
        out.kind = ScriptLine::Kind::Wait;
        out.seconds = seconds;
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
    }
    return out;
}

}  // namespace pw
