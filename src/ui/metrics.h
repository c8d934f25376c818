#pragma once
// The windows are designed in twips (1/1440 inch). Metrics turns them into pixels at the
// screen's resolution, times a fitting factor when the platform's font or theme needs more
// room than the design gives, so the layout keeps its proportions.

#include <wx/font.h>
#include <wx/gdicmn.h>

#include <vector>

class wxWindow;

namespace gv::ui {

struct Twips {
    int left, top, width, height;
};

class Metrics {
public:
    explicit Metrics(double pixelsPerTwip = 1.0 / 15.0) : pixelsPerTwip_(pixelsPerTwip) {}
    void SetPixelsPerTwip(double value) { pixelsPerTwip_ = value; }
    int Px(int twips) const;
    wxRect Rect(const Twips& t) const;
    wxSize Size(int widthTwips, int heightTwips) const;

private:
    double pixelsPerTwip_;
};

// 15 twips to a pixel at 96 DPI, scaled as wxWidgets scales device-independent pixels.
double ScreenPixelsPerTwip(const wxWindow* window);

// "MS Sans Serif" 8.25 pt where it exists, else the closest sans-serif face at that size,
// then a narrow face at that size for themes that need more room.
std::vector<wxFont> DesignFontCandidates(wxFontWeight weight);

}  // namespace gv::ui

namespace gv::ui {

// The designed places of a window's controls, and the choice of font and scale that lets
// every caption show whole.
class FormLayout {
public:
    // `measured`: the control's caption or text must fit its designed box.
    void Place(wxWindow* control, Twips twips, bool regularWeight = false, bool measured = true);
    // Tries the design fonts in turn; takes the first with which everything fits, else the
    // one that needs the least extra room and scales the whole layout up by that room.
    void Fit(double basePixelsPerTwip);
    // Moves every control to its designed place at the current scale.
    void Apply() const;
    // How much larger than designed the tightest control would have to be (1 = fits).
    double Need() const;

    const Metrics& Scale() const { return metrics_; }
    const wxFont& Font() const { return bold_; }

private:
    struct Item {
        wxWindow* control;
        Twips twips;
        bool regular;
        bool measured;
        wxSize padding;
    };
    void UseFonts(const wxFont& bold, const wxFont& regular);

    std::vector<Item> items_;
    Metrics metrics_;
    wxFont bold_;
};

}  // namespace gv::ui
