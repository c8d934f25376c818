#pragma once
// The designed controls of a window as data: each control's name, look, place in twips and
// the few settings its look takes. One builder turns a row of such a table into the control,
// placed in the window's layout, so the geometry is written once, as the design gives it.

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "ui/caption.h"
#include "ui/commands.h"
#include "ui/metrics.h"

class wxButton;
class wxTextCtrl;
class wxWindow;

namespace gv::ui {

enum class Look {
    Button,   // a command button with its caption
    Value,    // a bordered label that shows a value (the block captions, the low bounds)
    Label,    // a plain label on the panel's colour
    TextBox,  // a text box the host types into
    List,     // a single-selection list box
    Frame,    // a panel that covers the auction panel when shown; hidden when built
    Check,    // a check box
};

enum class Ink { WindowText, Blue, Black };

struct ControlDesign {
    std::string name = {};
    Look look = Look::Label;
    Twips twips = {};
    std::string text = {};  // caption, or the text box's first text
    Caption::Align align = Caption::Align::Centre;
    Caption::VAlign valign = Caption::VAlign::Middle;
    Ink ink = Ink::WindowText;
    bool regularWeight = false;  // labels: normal weight instead of the designed bold
    std::size_t maxChars = 0;    // text boxes: typing limit, 0 for none
    bool centred = false;        // text boxes: centred single line whose Enter the filter takes
    bool multiLine = false;      // text boxes
    bool measured = true;        // the text must fit the designed box (see FormLayout)
    // For screen readers: a text box's or list's name; before a caption's text, what makes
    // it say something ("Row 1 low bound").
    std::string spokenName = {};
    std::string spokenRole = {};          // captions: what the caption shows ("Current bid")
    std::optional<Command> command = {};  // buttons: what a click runs
};

class ControlBuilder {
public:
    explicit ControlBuilder(FormLayout& layout) : layout_(layout) {}

    wxWindow* Build(wxWindow* parent, const ControlDesign& design);
    template <class T>
    T* Add(wxWindow* parent, const ControlDesign& design) {
        return static_cast<T*>(Build(parent, design));
    }

private:
    FormLayout& layout_;
};

// The buttons of a panel's commands, as its design rows give them.
class CommandButtons {
public:
    // Keeps the button of a row that carries a command, and has its click run `press`.
    void Add(wxWindow* control, const ControlDesign& design, const std::function<void(Command)>& press);
    // The command's button; none when the panel has no such command.
    wxButton* Find(Command command) const;

private:
    std::map<Command, wxButton*> buttons_;
};

// Puts a model's text into a box without a text event when the box shows it already, so that
// writing the model into the box never echoes back into the model.
void ShowText(wxTextCtrl* box, const wxString& text);

}  // namespace gv::ui
