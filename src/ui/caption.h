#pragma once
// A label drawn by Gavelton itself, so that alignment, border, word wrap and colours look
// the same on every platform, and so that the room a caption needs can be measured.

#include <wx/font.h>
#include <wx/window.h>

#include <optional>
#include <vector>

namespace gv::ui {

class Caption : public wxWindow {
public:
    enum class Align { Left, Centre, Right };
    enum class VAlign { Middle, Top, Bottom };  // of a caption that fits on one line

    struct Style {
        Align align = Align::Left;
        VAlign valign = VAlign::Middle;
        bool border = false;                 // single border
        std::optional<wxColour> background;  // none: the parent's colour shows through
        wxColour foreground = *wxBLACK;
        // Grows down from its minimum height (one line's) to hold its text wrapped when it is
        // narrower than the text's one line, and back when there is room: for a text whose
        // length is the host's (an item's name) in a window the host may make narrow.
        bool growsDown = false;
    };

    // What a screen reader says of the caption: its text, after a lead where the text alone
    // means nothing ("Row 1 low bound"), and what the caption shows as its description.
    struct Speech {
        wxString lead;
        wxString role;  // "Current bid"
    };

    Caption(wxWindow* parent, const wxString& name, const wxString& text, const Style& style,
            const Speech& speech = {});

    void SetLabel(const wxString& text) override;
    wxString GetLabel() const override { return text_; }

    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }

    // The size this caption needs at `width` pixels: its width when the text fits on one
    // line, its wrapped height otherwise.
    wxSize NeededSize(int width) const;
    // Whether the designed text stays on one line (every caption except the about texts).
    bool SingleLine() const;
    // The caption's accessible name.
    wxString SpokenName() const;
    // Drawn on the colour of a change for a while, to show that it changed by itself.
    void SetMarked(bool marked);
    bool Marked() const { return marked_; }

protected:
    void DoSetSize(int x, int y, int width, int height, int sizeFlags) override;
#ifdef _WIN32
    // Answers what a native label answers (its font and text), and the rectangle its text is
    // drawn within, so that a check from outside can measure the caption as it is drawn.
    WXLRESULT MSWWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam) override;
#endif

private:
    void OnPaint(wxPaintEvent&);
    // A caption that grows down: its height for its text at its present width, asked of the
    // sizer that places it.
    void FitHeightToWidth();
    std::vector<wxString> WrapLines(wxDC& dc, int width) const;
    int Inset() const { return style_.border ? 2 : 1; }
    // Where the text is drawn, clipped: inside the border, with a pixel of room at either end
    // of a line; a line's own leading and descent are its room above and below, as the
    // caption's size allows for.
    wxRect TextArea() const;

    wxString text_;
    Style style_;
    wxString spokenLead_;
    bool transparent_ = false;
    bool marked_ = false;
    int padding_ = -1;  // of a caption that grows down: its height beyond its lines
#ifdef _WIN32
    wxFont answeredFont_;  // keeps the font whose handle WM_GETFONT answered
#endif
};

}  // namespace gv::ui
