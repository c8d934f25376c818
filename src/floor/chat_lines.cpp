#include "floor/chat_lines.h"

#include <algorithm>
#include <functional>

#include "common/lines.h"

namespace gv {

namespace {

// Sequences of line hashes compared by a polynomial hash over them (arithmetic mod 2^64), so
// that every candidate number of dropped lines costs one comparison; a match is checked line
// by line before it counts.
constexpr std::uint64_t kBase = 0x100000001B3ULL;

std::vector<std::uint64_t> PrefixHashes(const std::vector<std::uint64_t>& lines) {
    std::vector<std::uint64_t> prefix(lines.size() + 1, 0);
    for (std::size_t i = 0; i < lines.size(); ++i) prefix[i + 1] = prefix[i] * kBase + lines[i];
    return prefix;
}

}  // namespace

ChatShift ChatLines::Follow(std::string_view capture) {
    std::vector<std::uint64_t> hashes;
    std::vector<std::size_t> offsets;
    LineReader reader(capture, LineEnds::CrLfOrCr);
    std::string_view line;
    const std::hash<std::string_view> hash;
    std::size_t held = 0;
    while (reader.Next(line)) {
        hashes.push_back(hash(line));
        offsets.push_back(static_cast<std::size_t>(line.data() - capture.data()));
        if (!line.empty()) held = hashes.size();
    }

    ChatShift shift;
    // The empty lines at the end (the chat text's own last line end) are where the next lines
    // come, not lines of the chat to pair.
    shift.earlier = held_;
    shift.count = hashes.size();
    const std::vector<std::uint64_t>& old = hashes_;
    const std::size_t n = held_;
    if (n > 0 && !hashes.empty()) {
        const std::vector<std::uint64_t> oldPrefix = PrefixHashes(old);
        const std::vector<std::uint64_t> newPrefix = PrefixHashes(hashes);
        std::vector<std::uint64_t> power(n + 1, 1);
        for (std::size_t i = 1; i <= n; ++i) power[i] = power[i - 1] * kBase;
        // Fewest dropped first: the new chat holds the old lines d.. at its top.
        for (std::size_t d = n > hashes.size() ? n - hashes.size() : 0; d < n; ++d) {
            const std::size_t kept = n - d;
            if (oldPrefix[n] - oldPrefix[d] * power[kept] != newPrefix[kept]) continue;
            if (!std::equal(old.begin() + static_cast<std::ptrdiff_t>(d),
                            old.begin() + static_cast<std::ptrdiff_t>(n), hashes.begin()))
                continue;
            shift.paired = true;
            shift.dropped = d;
            break;
        }
    }
    hashes_ = std::move(hashes);
    offsets_ = std::move(offsets);
    held_ = held;
    return shift;
}

void ChatLines::Forget() {
    hashes_.clear();
    offsets_.clear();
    held_ = 0;
}

}  // namespace gv
