#pragma once
// The system-wide hotkeys Gavelton.ini turns on: taken at start, each running its command as
// the button does; a combination that cannot be had is named in the title.

#include <memory>
#include <string>
#include <vector>

#include "ui/hotkeys.h"

class wxFrame;

namespace gv::ui {

// Takes the bindings' combinations for `frame`; what the title says of those that could not
// be had, empty when all were. `hotkeys` is left holding them.
std::string TakeHotkeys(std::unique_ptr<SystemHotkeys>& hotkeys, wxFrame* frame,
                        std::vector<HotkeyBinding> bindings);

}  // namespace gv::ui
