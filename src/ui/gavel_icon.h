#pragma once
#include <wx/icon.h>

namespace gv::ui {
// The window icon: a gavel over its sound block, 32 by 32. On Windows it is the program's
// icon resource, so the window and Explorer show the same picture.
wxIcon GavelIcon();
}  // namespace gv::ui
