#pragma once
// The practice world's command line.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/bidders.h"

namespace pw {

struct Options {
    bool headless = false;
    bool exitAtEnd = false;
    bool verbose = false;  // headless: what arrives and what the world answers, on stderr
    std::string log;       // --log FILE
    std::string script;    // --script FILE, or "-" for standard input
    std::string host = "Host";
    std::string transcript;             // --transcript-file FILE
    int bidders = 0;                    // --bidders N
    std::optional<std::uint64_t> seed;  // --seed S: the bidders repeat a run exactly
    Pace pace;                          // --pace MIN-MAX
};

// The options, or nullopt with the reason in `error` (and "" for --help).
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string* error);

inline constexpr const char* kUsage =
    "usage: practice-world [--headless] [--log FILE] [--script FILE|-] [--exit-at-end]\n"
    "                      [--host NAME] [--transcript-file FILE] [--verbose]\n"
    "                      [--bidders N [--seed S] [--pace MIN-MAX]]\n"
    "Plays the chat client for Gavelton: serves WorldsApi and keeps a chat transcript.\n"
    "Script lines are posted as they stand; \"!wait SECONDS\", \"!quit\", \"!nohost\",\n"
    "\"!host NAME\", \"!ack CODE\" and \"!data SENDER TEXT\" steer the world.\n"
    "Faults: \"!delay SECONDS\" (every answer that late), \"!die\" (at the next request),\n"
    "\"!reply empty|unicode|huge MEGABYTES|normal\" (how the chat text is answered).\n"
    "--bidders adds N avatars who bid by ESP on what the host puts on the block, one line\n"
    "every MIN to MAX seconds each (default 2-8).\n";

}  // namespace pw
