#pragma once
// Who owes from an earlier evening, as Get Bids checks each bidder against it: a warning for
// the host beside the verdict, never a change of the verdict.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace gv {

struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>()(name); }
};
// By bidder, as the chat writes the name: "owes 320 from 2026-12-02".
using DebtMap = std::unordered_map<std::string, std::string, NameHash, std::equal_to<>>;

class Debts {
public:
    virtual ~Debts() = default;
    // The debts that count this evening; asked once per Get Bids.
    virtual const DebtMap& FromEarlierEvenings() = 0;
};

}  // namespace gv
