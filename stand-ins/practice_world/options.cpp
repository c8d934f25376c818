#include "practice_world/options.h"

#include <charconv>

namespace pw {

namespace {
constexpr std::uint64_t kMaxBidders = 100;
}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string* error) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) {
                *error = arg + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        if (arg == "--headless") {
            options.headless = true;
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "--exit-at-end") {
            options.exitAtEnd = true;
        } else if (arg == "--log") {
            if (!value(options.log)) return std::nullopt;
        } else if (arg == "--script") {
            if (!value(options.script)) return std::nullopt;
        } else if (arg == "--host") {
            if (!value(options.host)) return std::nullopt;
            if (options.host.empty()) {
                *error = "--host needs a name";
                return std::nullopt;
            }
        } else if (arg == "--transcript-file") {
            if (!value(options.transcript)) return std::nullopt;
        } else if (arg == "--bidders" || arg == "--seed") {
            std::string text;
            if (!value(text)) return std::nullopt;
            std::uint64_t number = 0;
            const auto [end, fault] = std::from_chars(text.data(), text.data() + text.size(), number);
            const bool whole = fault == std::errc() && end == text.data() + text.size();
            if (arg == "--seed" && whole) {
                options.seed = number;
            } else if (arg == "--bidders" && whole && number <= kMaxBidders) {
                options.bidders = static_cast<int>(number);
            } else {
                *error = arg + " needs a whole number" + (arg == "--bidders" ? " up to 100" : "");
                return std::nullopt;
            }
        } else if (arg == "--pace") {
            std::string text;
            if (!value(text)) return std::nullopt;
            const std::optional<Pace> pace = ParsePace(text);
            if (!pace) {
                *error = "--pace needs MIN-MAX in seconds, MIN not above MAX";
                return std::nullopt;
            }
            options.pace = *pace;
        } else if (arg == "--help" || arg == "-h") {
            error->clear();
            return std::nullopt;
        } else {
            *error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace pw
