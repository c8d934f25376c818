#include "ui/about_panel.h"

#include <wx/panel.h>

namespace gv::ui {

namespace {

constexpr const char* kPurpose =
    "Gavelton was designed for running a quick and organised auction. Try out the whole tool before you use "
    "it in a real auction.";
constexpr const char* kPacer =
    "Use the Pacer Program to configure your system if having problems like freezing or repeating.";
constexpr const char* kLicence = "Free to use and to pass on, unchanged and free of charge.";

}  // namespace

AboutPanel::AboutPanel(wxWindow* client, ControlBuilder& build) {
    frame_ = build.Add<wxPanel>(client,
                                {.name = "AboutFrame", .look = Look::Frame, .twips = {120, 0, 3255, 2535}});
    using enum Caption::VAlign;
    using enum Ink;
    constexpr Look kLabel = Look::Label;
    // The credit rows' boxes overlap by design: the first row keeps to the top of its boxes
    // and lies above the second, which keeps to the bottom of its box.
    const ControlDesign labels[] = {
        {.name = "Label3", .look = kLabel, .twips = {0, 120, 3255, 975}, .text = kPurpose},
        {.name = "Label4",
         .look = kLabel,
         .twips = {0, 1080, 3255, 735},
         .text = kPacer,
         .regularWeight = true},
        {.name = "Label2",
         .look = kLabel,
         .twips = {120, 1800, 3015, 255},
         .text = "Written by the Gavelton team",
         .valign = Bottom,
         .ink = Blue},
        {.name = "Label5",
         .look = kLabel,
         .twips = {120, 1680, 1455, 255},
         .text = "Gavelton 1.0",
         .valign = Top,
         .ink = Blue},
        {.name = "Label1",
         .look = kLabel,
         .twips = {1560, 1680, 1695, 195},
         .text = "for auction hosts",
         .valign = Top,
         .ink = Blue},
        {.name = "Label7(6)", .look = kLabel, .twips = {0, 2040, 3255, 495}, .text = kLicence, .ink = Black},
    };
    for (const ControlDesign& label : labels) build.Build(frame_, label);
}

}  // namespace gv::ui
