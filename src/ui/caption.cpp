#include "ui/caption.h"

#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/tokenzr.h>

namespace gv::ui {

Caption::Caption(wxWindow* parent, const wxString& name, const wxString& text, const Style& style)
    : text_(text), style_(style) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE, name);
    Bind(wxEVT_PAINT, &Caption::OnPaint, this);
}

void Caption::SetLabel(const wxString& text) {
    if (text == text_) return;
    text_ = text;
    Refresh();
}

// Greedy word wrap, as a classic label wraps its caption; a word wider than the line is
// broken between characters.
std::vector<wxString> Caption::WrapLines(wxDC& dc, int width) const {
    std::vector<wxString> lines;
    const wxArrayString paragraphs = wxSplit(text_, '\n', '\0');
    for (const wxString& paragraph : paragraphs) {
        wxString line;
        wxStringTokenizer words(paragraph, " ", wxTOKEN_RET_EMPTY_ALL);
        bool first = true;
        while (words.HasMoreTokens()) {
            wxString word = words.GetNextToken();
            const wxString candidate = first ? word : line + " " + word;
            if (first || dc.GetTextExtent(candidate).x <= width) {
                line = candidate;
            } else {
                lines.push_back(line);
                line = word;
            }
            first = false;
            while (line.length() > 1 && dc.GetTextExtent(line).x > width) {
                size_t cut = line.length() - 1;
                while (cut > 1 && dc.GetTextExtent(line.Left(cut)).x > width) --cut;
                lines.push_back(line.Left(cut));
                line = line.Mid(cut);
            }
        }
        lines.push_back(line);
    }
    if (lines.empty()) lines.emplace_back();
    return lines;
}

bool Caption::SingleLine() const {
    return GetSize().y < 2 * GetCharHeight() + 2 * Inset();
}

wxSize Caption::NeededSize(int width) const {
    wxClientDC dc(const_cast<Caption*>(this));
    dc.SetFont(GetFont());
    const int inset = Inset();
    if (SingleLine()) {
        wxCoord w = 0, h = 0, descent = 0, leading = 0;
        dc.GetTextExtent(text_, &w, &h, &descent, &leading);
        return {w + 2 * inset, h - leading + 2 * (inset - 1)};
    }
    const auto lines = WrapLines(dc, width - 2 * inset);
    return {width, static_cast<int>(lines.size()) * dc.GetCharHeight() + 2 * inset};
}

void Caption::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    const wxColour back = style_.background ? *style_.background : GetParent()->GetBackgroundColour();
    dc.SetBrush(wxBrush(back));
    if (style_.border) {
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT)));
    } else {
        dc.SetPen(*wxTRANSPARENT_PEN);
    }
    dc.DrawRectangle(0, 0, size.x, size.y);

    dc.SetFont(GetFont());
    dc.SetTextForeground(style_.foreground);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const int inset = Inset();
    const wxRect inner(inset, inset, size.x - 2 * inset, size.y - 2 * inset);
    dc.SetClippingRegion(inner);
    const auto lines = WrapLines(dc, inner.width);
    const int lineHeight = dc.GetCharHeight();
    // One line sits in the middle of its box; a wrapped text starts at the top.
    int y = lines.size() == 1 ? inner.y + (inner.height - lineHeight) / 2 : inner.y;
    for (const wxString& line : lines) {
        const int w = dc.GetTextExtent(line).x;
        int x = inner.x;
        if (style_.align == Align::Centre) x = inner.x + (inner.width - w) / 2;
        if (style_.align == Align::Right) x = inner.GetRight() + 1 - w;
        dc.DrawText(line, x, y);
        y += lineHeight;
    }
}

}  // namespace gv::ui
