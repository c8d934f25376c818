#pragma once
// The about panel AboutFrame: what Gavelton is for, and its credits.

#include "ui/controls.h"

class wxPanel;

namespace gv::ui {

class AboutPanel {
public:
    AboutPanel(wxWindow* client, ControlBuilder& build);
    wxPanel* Frame() const { return frame_; }

private:
    wxPanel* frame_ = nullptr;
};

}  // namespace gv::ui
