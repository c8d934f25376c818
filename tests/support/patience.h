#pragma once
// How long a test waits for something that must happen: a window to close, a line to reach the
// practice world, a worker to finish. Each wait ends as soon as its condition holds, so a long
// bound costs a healthy run nothing; this one holds on a machine four times slower than ours
// under the sanitizers with other builds beside it. A wait that must see nothing happen is a
// different thing and keeps its own short time.

#include <chrono>

namespace gv::testing {

inline constexpr std::chrono::seconds kPatience{30};
inline constexpr int kPatienceMs = static_cast<int>(std::chrono::milliseconds(kPatience).count());

}  // namespace gv::testing
