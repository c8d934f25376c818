#include "ui/about_panel.h"

#include <wx/panel.h>

namespace gv::ui {

AboutPanel::AboutPanel(wxWindow* client, ControlBuilder& build) {
    frame_ = build.Add<wxPanel>(client, {.name = "AboutFrame", .look = Look::Frame, .twips = {120, 0, 3255, 2535}});
    using VAlign = Caption::VAlign;
    // The credit rows' boxes overlap by design: the first row keeps to the top of its boxes
    // and lies above the second, which keeps to the bottom of its box.
    const ControlDesign labels[] = {
        {.name = "Label3",
         .look = Look::Label,
         .twips = {0, 120, 3255, 975},
         .text = "Gavelton was designed for running a quick and organised auction. Try out the whole tool "
                 "before you use it in a real auction."},
        {.name = "Label4",
         .look = Look::Label,
         .twips = {0, 1080, 3255, 735},
         .text = "Use the Pacer Program to configure your system if having problems like freezing or repeating.",
         .regularWeight = true},
        {.name = "Label2",
         .look = Look::Label,
         .twips = {120, 1800, 3015, 255},
         .text = "Written by the Gavelton team",
         .valign = VAlign::Bottom,
         .ink = Ink::Blue},
        {.name = "Label5",
         .look = Look::Label,
         .twips = {120, 1680, 1455, 255},
         .text = "Gavelton 1.0",
         .valign = VAlign::Top,
         .ink = Ink::Blue},
        {.name = "Label1",
         .look = Look::Label,
         .twips = {1560, 1680, 1695, 195},
         .text = "for auction hosts",
         .valign = VAlign::Top,
         .ink = Ink::Blue},
        {.name = "Label7(6)",
         .look = Look::Label,
         .twips = {0, 2040, 3255, 495},
         .text = "Free to use and to pass on, unchanged and free of charge.",
         .ink = Ink::Black},
    };
    for (const ControlDesign& label : labels) build.Build(frame_, label);
}

}  // namespace gv::ui
