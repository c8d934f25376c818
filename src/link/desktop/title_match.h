#pragma once
// Which of the desktop's top-level windows a title names.

#include <cstddef>
#include <vector>

namespace gv {

// The window titled exactly `wanted`, else the first whose title begins with it.
template <typename Window, typename Title>
bool PickByTitle(const std::vector<Window>& windows, const Title& wanted, const std::vector<Title>& titles,
                 Window& chosen) {
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (titles[i] == wanted) {
            chosen = windows[i];
            return true;
        }
    }
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (titles[i].compare(0, wanted.size(), wanted) == 0) {
            chosen = windows[i];
            return true;
        }
    }
    return false;
}

}  // namespace gv
