#pragma once
// The rules announcement (State Rules): seven fixed lines and one line per tier row in use.

#include <string>
#include <vector>

#include "setup/tier_table.h"

namespace gv {

std::vector<std::string> RulesLines(const TierTable& table);

}  // namespace gv
