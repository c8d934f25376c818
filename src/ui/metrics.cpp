#include "ui/metrics.h"

#include <wx/fontenum.h>
#include <wx/window.h>

#include <cmath>

namespace gv::ui {

int Metrics::Px(int twips) const { return static_cast<int>(std::lround(twips * pixelsPerTwip_)); }

wxRect Metrics::Rect(const Twips& t) const {
    // Edges are converted, not sizes, so that neighbours designed to touch still touch.
    const int left = Px(t.left);
    const int top = Px(t.top);
    return {left, top, Px(t.left + t.width) - left, Px(t.top + t.height) - top};
}

wxSize Metrics::Size(int widthTwips, int heightTwips) const { return {Px(widthTwips), Px(heightTwips)}; }

double ScreenPixelsPerTwip(const wxWindow* window) {
    // Device-independent pixels: 15 twips each at 96 DPI. wxWidgets scales them to the
    // screen (per monitor on Windows; GTK scales the whole window itself). A font setting
    // larger than the screen's is caught by the fitting, which grows the layout.
    constexpr int kSample = 1440;
    const int pixels = window ? window->FromDIP(kSample / 15) : kSample / 15;
    return pixels / static_cast<double>(kSample);
}

std::vector<wxFont> DesignFontCandidates(wxFontWeight weight) {
    // Regular faces metric-close to MS Sans Serif first, then narrow ones for themes that
    // need more room than the design gives.
    static const char* const regular[] = {"MS Sans Serif",   "Microsoft Sans Serif", "Arial",
                                          "Liberation Sans", "Nimbus Sans",          "Helvetica"};
    static const char* const narrow[] = {"Arial Narrow", "Liberation Sans Narrow", "Nimbus Sans Narrow",
                                         "DejaVu Sans Condensed"};
    const auto pick = [](const auto& faces) -> wxString {
        for (const char* face : faces) {
            if (wxFontEnumerator::IsValidFacename(face)) return face;
        }
        return {};
    };
    std::vector<wxFont> fonts;
    const auto add = [&](const wxString& face, double points) {
        wxFontInfo info(points);
        info.Family(wxFONTFAMILY_SWISS).Weight(weight);
        if (!face.empty()) info.FaceName(face);
        fonts.emplace_back(info);
    };
    const wxString face = pick(regular);
    const wxString narrowFace = pick(narrow);
    // At the designed size only: when neither face fits, the layout grows instead, which
    // keeps the text as readable as designed.
    add(face, 8.25);
    if (!narrowFace.empty()) add(narrowFace, 8.25);
    return fonts;
}

}  // namespace gv::ui

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <limits>

#include "ui/caption.h"

namespace gv::ui {

void FormLayout::Place(wxWindow* control, Twips twips, bool regularWeight, bool measured) {
    // The room a native control adds around its caption, measured while it still has the
    // font its best size was computed with (some toolkits apply a new font only later).
    wxSize padding;
    if (dynamic_cast<wxButton*>(control) || dynamic_cast<wxCheckBox*>(control)) {
        padding = control->GetBestSize() - control->GetTextExtent(control->GetLabel());
    }
    items_.push_back({control, twips, regularWeight, measured, padding});
    control->SetSize(metrics_.Rect(twips));
}

void FormLayout::Apply() const {
    for (const Item& item : items_) item.control->SetSize(metrics_.Rect(item.twips));
}

void FormLayout::UseFonts(const wxFont& bold, const wxFont& regular) {
    bold_ = bold;
    for (const Item& item : items_) {
        item.control->SetFont(item.regular ? regular : bold);
        item.control->InvalidateBestSize();
    }
}

double FormLayout::Need() const {
    double need = 1.0;
    const auto ratio = [](int wanted, int given) {
        return given > 0 ? static_cast<double>(wanted) / given : 1.0;
    };
    for (const Item& item : items_) {
        if (!item.measured) continue;
        const wxSize size = item.control->GetSize();
        if (auto* caption = dynamic_cast<Caption*>(item.control)) {
            const wxSize wanted = caption->NeededSize(size.x);
            if (caption->SingleLine()) need = std::max(need, ratio(wanted.x, size.x));
            need = std::max(need, ratio(wanted.y, size.y));
        } else if (dynamic_cast<wxButton*>(item.control) || dynamic_cast<wxCheckBox*>(item.control)) {
            const wxSize best = item.control->GetTextExtent(item.control->GetLabel()) + item.padding;
            need = std::max({need, ratio(best.x, size.x), ratio(best.y, size.y)});
        } else if (auto* text = dynamic_cast<wxTextCtrl*>(item.control); text && !text->IsMultiLine()) {
            // A text box must show a whole line of its font.
            need = std::max(need, ratio(text->GetCharHeight() + 2, size.y));
        }
    }
    return need;
}

void FormLayout::Fit(double basePixelsPerTwip) {
    metrics_.SetPixelsPerTwip(basePixelsPerTwip);
    const auto bold = DesignFontCandidates(wxFONTWEIGHT_BOLD);
    const auto regular = DesignFontCandidates(wxFONTWEIGHT_NORMAL);
    std::size_t best = 0;
    double bestNeed = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < bold.size(); ++i) {
        UseFonts(bold[i], regular[i]);
        Apply();
        const double need = Need();
        if (need < bestNeed - 1e-9) {
            bestNeed = need;
            best = i;
        }
        if (need <= 1.0) break;
    }
    UseFonts(bold[best], regular[best]);
    if (bestNeed > 1.0) metrics_.SetPixelsPerTwip(basePixelsPerTwip * bestNeed);
    Apply();
}

}  // namespace gv::ui
