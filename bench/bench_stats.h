#pragma once
// What the benchmarks that time several things in one run report of each.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace gv::bench {

// The middle of the samples: one run the machine's other work held up moves it little.
inline double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
    std::nth_element(samples.begin(), middle, samples.end());
    return *middle;
}

}  // namespace gv::bench
