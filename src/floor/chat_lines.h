#pragma once
// The chat from one Get Bids to the next. The client keeps only so many lines: it drops its
// oldest as new ones come, so a line's number moves from one capture to the next, and two
// lines alike (two State Items, two equal bids) cannot be told apart by their text alone.
// Following the lines of one capture into the next tells which line of the new chat each
// earlier one became.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace gv {

// How the lines of the last capture stand in the new one.
struct ChatShift {
    bool paired = false;      // the new chat goes on from the last (its earlier lines line up)
    std::size_t dropped = 0;  // when paired: how many of the oldest lines the client dropped
    std::size_t earlier = 0;  // how many lines the last capture held (up to its last non-empty one)
    std::size_t count = 0;    // how many lines the new capture holds

    // The line (1-based) of the new chat that line `old` of the last capture became; 0 when
    // it was dropped or nothing pairs.
    std::size_t Now(std::size_t old) const {
        return paired && old > dropped && old <= earlier ? old - dropped : 0;
    }
    // The first line of the new chat that the last capture did not hold (count + 1 when none).
    std::size_t FirstNew() const { return paired ? earlier - dropped + 1 : 1; }
};

class ChatLines {
public:
    // Reads the lines of `capture` (cut as the intake cuts them) and pairs them with the last
    // capture's: the fewest oldest lines dropped after which every line left stands, in order,
    // at the top of the new chat.
    ChatShift Follow(std::string_view capture);
    // The start of line `line` (1-based) of the capture last followed, as an offset into it.
    std::size_t Offset(std::size_t line) const { return offsets_.at(line - 1); }
    std::size_t Count() const { return hashes_.size(); }
    void Forget();

private:
    std::vector<std::uint64_t> hashes_;  // one per line, of its text
    std::vector<std::size_t> offsets_;
    std::size_t held_ = 0;  // the lines up to the last that is not empty
};

}  // namespace gv
