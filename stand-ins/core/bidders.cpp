#include "core/bidders.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/text.h"

namespace pw {

namespace {

constexpr std::string_view kMarker = "Item on the Block currently is ";
constexpr std::string_view kMinimum = "Minimum Bid is ";
constexpr std::string_view kCurrent = "Current Bid is ";
constexpr std::string_view kRaise = "** Minimum Raise Amount is ";
constexpr std::string_view kSold = " is sold for ";

constexpr std::array<std::string_view, 12> kNames = {"Ann", "Ben", "Cy",  "Dee", "Eve", "Fay",
                                                     "Gus", "Hal", "Ivy", "Jon", "Kim", "Lou"};
constexpr std::array<std::string_view, 8> kChatter = {"nice piece",         "what a beauty",      "hi all",
                                                      "good luck everyone", "is that new?",       "lol",
                                                      "brb, coffee",        "my wallet is crying"};

// How a bidder spends a turn, out of 100.
constexpr double kValidShare = 0.70;
constexpr double kTooLowShare = 0.10;
constexpr double kRefusedFormShare = 0.08;

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// What a chat line says, without its speaker ("Host: Minimum Bid is 5" says "Minimum Bid is 5").
std::optional<std::string_view> Message(std::string_view line) {
    const std::size_t colon = line.find(": ");
    if (colon == std::string_view::npos) return std::nullopt;
    return line.substr(colon + 2);
}

double Amount(std::string_view text) {
    const gv::NumericValue read = gv::Val(text);
    return read.outOfRange || !std::isfinite(read.value) ? 0 : read.value;
}

// Whole tokens with thousands marks: 1250 as "1,250" or "1.250".
std::string Grouped(double amount, char mark) {
    std::string digits = gv::NumberText(amount);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, 1, mark);
    return digits;
}

}  // namespace

std::optional<Pace> ParsePace(std::string_view text) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == text.size()) return std::nullopt;
    const auto number = [](std::string_view part) -> std::optional<double> {
        for (const char c : part) {
            if ((c < '0' || c > '9') && c != '.') return std::nullopt;
        }
        const gv::NumericValue read = gv::Val(part);
        if (read.outOfRange || !std::isfinite(read.value)) return std::nullopt;
        return read.value;
    };
    const std::optional<double> low = number(text.substr(0, dash));
    const std::optional<double> high = number(text.substr(dash + 1));
    if (!low || !high || *low > *high) return std::nullopt;
    return Pace{*low, *high};
}

Bidders::Bidders(int count, std::uint64_t seed, Pace pace) : random_(seed), pace_(pace) {
    for (int i = 0; i < count; ++i) {
        const auto index = static_cast<std::size_t>(i);
        std::string name(kNames[index % kNames.size()]);
        if (index >= kNames.size()) name += std::to_string(index / kNames.size() + 1);
        names_.push_back(std::move(name));
    }
    bidders_.resize(names_.size());
}

double Bidders::Best() const { return std::max(announced_, sent_); }

double Bidders::Uniform(double low, double high) {
    // From the engine's bits directly: the standard distributions may differ between
    // libraries, and a seed must repeat a run everywhere.
    return low + (high - low) * static_cast<double>(random_() >> 11) * 0x1.0p-53;
}

std::size_t Bidders::Pick(std::size_t count) { return static_cast<std::size_t>(random_() % count); }

void Bidders::Open(std::string item, double now) {
    item_ = std::move(item);
    open_ = true;
    minimum_ = 0;
    announced_ = 0;
    sent_ = 0;
    leader_.reset();
    // The raise stays as last said until the host says this item's: a bidder's best guess.
    for (Bidder& bidder : bidders_) bidder = Bidder{now + Uniform(pace_.min, pace_.max), 0, false};
}

void Bidders::Hear(std::string_view line, double now) {
    // Bids go to the host, not to the room; only what is said aloud steers the bidders.
    if (StartsWith(line, "ESP ")) return;
    const std::optional<std::string_view> said = Message(line);
    if (!said) return;
    const std::string_view text = *said;
    if (StartsWith(text, kMarker)) {
        std::string item = gv::Trim(text.substr(kMarker.size()));
        // State Item said again for the same open item goes on with the same auction.
        if (!open_ || item != item_) Open(std::move(item), now);
    } else if (!open_) {
        return;
    } else if (StartsWith(text, kMinimum)) {
        minimum_ = Amount(text.substr(kMinimum.size()));
    } else if (StartsWith(text, kCurrent)) {
        announced_ = std::max(announced_, Amount(text.substr(kCurrent.size())));
        if (announced_ > sent_) leader_.reset();
    } else if (StartsWith(text, kRaise)) {
        const double raise = Amount(text.substr(kRaise.size()));
        if (raise > 0) raise_ = raise;
    } else if (StartsWith(text, item_) && StartsWith(text.substr(item_.size()), kSold)) {
        open_ = false;
    }
}

std::vector<std::string> Bidders::Act(double now) {
    std::vector<std::string> lines;
    for (std::size_t who = 0; who < bidders_.size() && open_; ++who) {
        Bidder& bidder = bidders_[who];
        if (bidder.out || bidder.nextAt > now) continue;
        if (std::optional<std::string> line = Turn(who)) lines.push_back(std::move(*line));
        bidder.nextAt = now + Uniform(pace_.min, pace_.max);
    }
    return lines;
}

std::optional<std::string> Bidders::Turn(std::size_t who) {
    Bidder& bidder = bidders_[who];
    if (bidder.limit == 0) {
        const double reference = std::max({minimum_, raise_ * 10, Best()});
        bidder.limit = std::ceil(reference * Uniform(1.5, 6));
    }
    const double roll = Uniform(0, 1);
    // Nobody raises their own standing bid: the leader sits this turn out.
    if (roll < kValidShare && leader_ == who) return std::nullopt;
    if (roll < kValidShare) return ValidRaise(who);
    if (roll < kValidShare + kTooLowShare) return TooLow(who);
    if (roll < kValidShare + kTooLowShare + kRefusedFormShare) return RefusedForm(who);
    return Chatter(who);
}

std::string Bidders::ValidRaise(std::size_t who) {
    const double steps = static_cast<double>(1 + Pick(3));
    const double base = Best();
    const double amount =
        std::ceil(base > 0 ? base + raise_ * steps : std::max(minimum_, raise_) + raise_ * (steps - 1));
    Bidder& bidder = bidders_[who];
    if (amount > bidder.limit) {
        bidder.out = true;
        return names_[who] + ": too rich for me";
    }
    sent_ = amount;
    leader_ = who;
    return "ESP from " + names_[who] + ": " + gv::NumberText(amount);
}

std::string Bidders::TooLow(std::size_t who) {
    const double base = Best();
    double amount = base;  // not above the bid to beat
    if (base <= 0) {
        if (minimum_ < 2) return Chatter(who);
        amount = std::floor(minimum_ / 2);  // under the minimum
    }
    return "ESP from " + names_[who] + ": " + gv::NumberText(amount);
}

std::string Bidders::RefusedForm(std::size_t who) {
    const double base = Best();
    const double amount = std::ceil(std::max({base + raise_, minimum_, raise_}));
    std::string form = gv::NumberText(amount / 1000) + "k";
    if (amount >= 1000 && amount < 1e15) {  // below 1E15 the number text is plain digits
        switch (Pick(3)) {
            case 0:
                form = Grouped(amount, ',');
                break;
            case 1:
                form = Grouped(amount, '.');
                break;
            default:
                break;
        }
    }
    return "ESP from " + names_[who] + ": " + form;
}

std::string Bidders::Chatter(std::size_t who) {
    return names_[who] + ": " + std::string(kChatter[Pick(kChatter.size())]);
}

}  // namespace pw
