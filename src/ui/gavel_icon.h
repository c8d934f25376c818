#pragma once
#include <wx/icon.h>

namespace gv::ui {
// The window icon: a gavel over its sound block, 32 by 32.
wxIcon GavelIcon();
}  // namespace gv::ui
