#pragma once
// A crowd of practice bidders: avatars who listen to the host's announcements in the chat and
// answer with ESP bids at a human pace, as a live auction's bidders do. Plain C++ with a
// clock handed in, so a test can run an evening in a moment and a seed repeats it exactly.

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// Seconds between one bidder's lines.
struct Pace {
    double min = 2;
    double max = 8;
};

// "MIN-MAX" in seconds ("2-8", "0.5-1"); nullopt unless 0 <= MIN <= MAX.
std::optional<Pace> ParsePace(std::string_view text);

class Bidders {
public:
    Bidders(int count, std::uint64_t seed, Pace pace);

    // A line that came into the chat (the host's, another avatar's, the bidders' own).
    void Hear(std::string_view line, double now);
    // The lines the bidders say by `now` ("ESP from Ann: 530", "Ann: nice piece"), in order.
    std::vector<std::string> Act(double now);

    const std::vector<std::string>& Names() const { return names_; }
    // What they know of the item on the block.
    const std::string& Item() const { return item_; }
    bool Open() const { return open_; }
    double Best() const;  // the bid a valid raise must beat, 0 before any
    double Raise() const { return raise_; }

private:
    struct Bidder {
        double nextAt = 0;
        double limit = 0;  // 0 until the bidder first acts on the item
        bool out = false;  // past the limit: no more bids on this item
    };

    void Open(std::string item, double now);
    std::optional<std::string> Turn(std::size_t who);
    std::string ValidRaise(std::size_t who);
    std::string TooLow(std::size_t who);
    std::string RefusedForm(std::size_t who);
    std::string Chatter(std::size_t who);
    double Uniform(double low, double high);
    std::size_t Pick(std::size_t count);

    std::mt19937_64 random_;
    Pace pace_;
    std::vector<std::string> names_;
    std::vector<Bidder> bidders_;
    std::string item_;
    bool open_ = false;
    double minimum_ = 0;
    double announced_ = 0;               // the last "Current Bid is" the host said
    double sent_ = 0;                    // the highest valid raise the bidders sent on this item
    double raise_ = 1;                   // the last "Minimum Raise Amount" the host said
    std::optional<std::size_t> leader_;  // who sent sent_, while it is the best bid known
};

}  // namespace pw
