#include "ui/controls.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include "ui/accessibility.h"
#include "ui/colours.h"
#include "ui/native.h"

namespace gv::ui {

namespace {

wxColour Colour(Ink ink) {
    switch (ink) {
        case Ink::Blue:
            return {0, 0, 255};
        case Ink::Black:
            return *wxBLACK;
        case Ink::WindowText:
            break;
    }
    return wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
}

wxWindow* MakeCaption(wxWindow* parent, const ControlDesign& d) {
    Caption::Style style;
    style.align = d.align;
    style.valign = d.valign;
    style.foreground = Colour(d.ink);
    // Value displays carry the window colour; plain labels let the panel's colour show through.
    if (d.look == Look::Value) {
        style.border = true;
        style.background = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    }
    return new Caption(parent, d.name, wxString::FromUTF8(d.text), style,
                       {.lead = wxString::FromUTF8(d.spokenName), .role = wxString::FromUTF8(d.spokenRole)});
}

wxWindow* MakeTextBox(wxWindow* parent, const ControlDesign& d) {
    long style = d.multiLine ? wxTE_MULTILINE : 0;
    if (d.centred) style |= wxTE_CENTRE | wxTE_PROCESS_ENTER;
    auto* box = new wxTextCtrl(parent, wxID_ANY, wxString::FromUTF8(d.text), wxDefaultPosition, wxDefaultSize,
                               style, wxDefaultValidator, d.name);
    if (d.maxChars > 0) box->SetMaxLength(static_cast<unsigned long>(d.maxChars));
    UseCompactStyle(box);
    return box;
}

wxWindow* MakeControl(wxWindow* parent, const ControlDesign& d) {
    switch (d.look) {
        case Look::Button: {
            auto* button = new wxButton(parent, wxID_ANY, wxString::FromUTF8(d.text), wxDefaultPosition,
                                        wxDefaultSize, wxBU_EXACTFIT, wxDefaultValidator, d.name);
            UseCompactStyle(button);
            return button;
        }
        case Look::Value:
        case Look::Label:
            return MakeCaption(parent, d);
        case Look::TextBox:
            return MakeTextBox(parent, d);
        case Look::List:
            return new wxListBox(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE,
                                 wxDefaultValidator, d.name);
        case Look::Frame: {
            auto* frame = new wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                      wxTAB_TRAVERSAL | wxBORDER_NONE, d.name);
            frame->SetBackgroundColour(kCyan);
            frame->Hide();
            return frame;
        }
        case Look::Check: {
            auto* check = new wxCheckBox(parent, wxID_ANY, wxString::FromUTF8(d.text), wxDefaultPosition,
                                         wxDefaultSize, 0, wxDefaultValidator, d.name);
            check->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
            return check;
        }
    }
    return nullptr;
}

}  // namespace

void CommandButtons::Add(wxWindow* control, const ControlDesign& design,
                         const std::function<void(Command)>& press) {
    if (!design.command) return;
    const Command command = *design.command;
    buttons_[command] = static_cast<wxButton*>(control);
    control->Bind(wxEVT_BUTTON, [press, command](wxCommandEvent&) { press(command); });
}

wxButton* CommandButtons::Find(Command command) const {
    const auto found = buttons_.find(command);
    return found == buttons_.end() ? nullptr : found->second;
}

void ShowText(wxTextCtrl* box, const wxString& text) {
    if (box->GetValue() != text) box->ChangeValue(text);
}

wxWindow* ControlBuilder::Build(wxWindow* parent, const ControlDesign& design) {
    wxWindow* control = MakeControl(parent, design);
    // Nothing on a text box or a list says what it holds; a caption names itself. A frame has
    // no name on the screen, and its window name is none for a reader either.
    const bool named = design.look == Look::TextBox || design.look == Look::List;
    if ((named && !design.spokenName.empty()) || design.look == Look::Frame) {
        Describe(control, SpokenRole::Native, wxString::FromUTF8(design.spokenName), {});
    }
    // A frame or a list box has no caption that must fit.
    const bool measured = design.measured && design.look != Look::Frame && design.look != Look::List;
    layout_.Place(control, design.twips, design.regularWeight, measured);
    return control;
}

}  // namespace gv::ui
