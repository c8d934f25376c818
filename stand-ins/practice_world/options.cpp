#include "practice_world/options.h"

namespace pw {

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
