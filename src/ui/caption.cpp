#include "ui/caption.h"

#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/tokenzr.h>

#include <algorithm>

#include "ui/accessibility.h"
#include "ui/colours.h"

#ifdef _WIN32
#include <string>

#include "common/windows_api.h"
#endif

namespace gv::ui {

Caption::Caption(wxWindow* parent, const wxString& name, const wxString& text, const Style& style,
                 const Speech& speech)
    : text_(text), style_(style), spokenLead_(speech.lead) {
    // Without a colour of its own the caption is see-through where the toolkit allows it, so
    // captions whose boxes overlap (the about panel's credit lines) do not hide each other.
    transparent_ = !style.background && parent->IsTransparentBackgroundSupported();
    SetBackgroundStyle(transparent_ ? wxBG_STYLE_TRANSPARENT : wxBG_STYLE_PAINT);
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE, name);
    Bind(wxEVT_PAINT, &Caption::OnPaint, this);
    if (style.growsDown) {
        Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
            FitHeightToWidth();
            event.Skip();
        });
    }
    Describe(this, SpokenRole::Label, SpokenName(), speech.role);
}

void Caption::SetLabel(const wxString& text) {
    if (text == text_) return;
    text_ = text;
    Refresh();
    Rename(this, SpokenName());
    if (style_.growsDown) FitHeightToWidth();
}

void Caption::FitHeightToWidth() {
    const int width = GetClientSize().x;
    if (width <= 0) return;
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    const auto lines = WrapLines(dc, width - 2 * Inset());
    // The room the window gave one line (its minimum height) beyond the line itself stays
    // with every line count; until the window has given it, there is nothing to grow from.
    if (padding_ < 0) {
        if (GetMinSize().y <= 0) return;
        padding_ = std::max(0, GetMinSize().y - dc.GetCharHeight());
    }
    const int height = static_cast<int>(lines.size()) * dc.GetCharHeight() + padding_;
    if (height == GetMinSize().y) return;
    SetMinSize({GetMinSize().x, height});
    // Laid out once this size event is over: the width the sizer gave does not change with it.
    CallAfter([this] {
        if (GetParent()) GetParent()->Layout();
    });
}

void Caption::SetMarked(bool marked) {
    if (marked == marked_) return;
    marked_ = marked;
    Refresh();
}

wxString Caption::SpokenName() const {
    if (spokenLead_.empty()) return text_;
    return text_.empty() ? spokenLead_ : spokenLead_ + " " + text_;
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

// An opaque caption kept to the top or bottom of its box takes only its line's height, so
// that it does not cover a neighbour whose box overlaps its own.
void Caption::DoSetSize(int x, int y, int width, int height, int sizeFlags) {
    if (!transparent_ && !style_.border && style_.valign != VAlign::Middle && height > 0) {
        const int line = GetCharHeight() + 2 * (Inset() - 1);
        if (line < height && height < 2 * line) {
            if (style_.valign == VAlign::Bottom) y += height - line;
            height = line;
        }
    }
    wxWindow::DoSetSize(x, y, width, height, sizeFlags);
}

wxRect Caption::TextArea() const {
    const wxSize size = GetClientSize();
    const int inset = Inset();
    const int border = inset - 1;
    return {inset, border, size.x - 2 * inset, size.y - 2 * border};
}

bool Caption::SingleLine() const { return GetSize().y < 2 * GetCharHeight() + 2 * Inset(); }

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
    wxColour back = style_.background ? *style_.background : GetParent()->GetBackgroundColour();
    if (marked_) back = kChanged;
    dc.SetBrush(transparent_ && !marked_ ? *wxTRANSPARENT_BRUSH : wxBrush(back));
    if (style_.border) {
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT)));
    } else {
        dc.SetPen(*wxTRANSPARENT_PEN);
    }
    if (style_.border || !transparent_ || marked_) dc.DrawRectangle(0, 0, size.x, size.y);

    dc.SetFont(GetFont());
    dc.SetTextForeground(style_.foreground);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const wxRect inner = TextArea();
    dc.SetClippingRegion(inner);
    const auto lines = WrapLines(dc, inner.width);
    const int lineHeight = dc.GetCharHeight();
    // One line sits in the middle of its box unless told otherwise; a wrapped text starts at
    // the top.
    int y = inner.y;
    if (lines.size() == 1 && style_.valign == VAlign::Middle) y += (inner.height - lineHeight) / 2;
    if (lines.size() == 1 && style_.valign == VAlign::Bottom) y += inner.height - lineHeight;
    for (const wxString& line : lines) {
        const int w = dc.GetTextExtent(line).x;
        int x = inner.x;
        if (style_.align == Align::Centre) x = inner.x + (inner.width - w) / 2;
        if (style_.align == Align::Right) x = inner.GetRight() + 1 - w;
        dc.DrawText(line, x, y);
        y += lineHeight;
    }
}

#ifdef _WIN32
WXLRESULT Caption::MSWWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam) {
    switch (message) {
        case WM_GETFONT:
            // The font as the paint's DC selects it: fitted to the window's DPI.
            answeredFont_ = GetFont();
            answeredFont_.WXAdjustToPPI(GetDPI());
            return reinterpret_cast<WXLRESULT>(answeredFont_.GetHFONT());
        case WM_GETTEXTLENGTH:
            return static_cast<WXLRESULT>(text_.ToStdWstring().size());
        case WM_GETTEXT: {
            // As the default window procedure answers: as much as fits, NUL-terminated.
            const std::wstring text = text_.ToStdWstring();
            const std::size_t room = static_cast<std::size_t>(wParam);
            if (room == 0 || lParam == 0) return 0;
            const std::size_t copied = std::min(room - 1, text.size());
            auto* out = reinterpret_cast<wchar_t*>(lParam);
            std::copy_n(text.data(), copied, out);
            out[copied] = L'\0';
            return static_cast<WXLRESULT>(copied);
        }
        case EM_GETRECT: {
            // An edit control's "formatting rectangle": where the text may be drawn.
            const wxRect area = TextArea();
            auto* out = reinterpret_cast<RECT*>(lParam);
            if (out == nullptr) return 0;
            *out = {area.x, area.y, area.GetRight() + 1, area.GetBottom() + 1};
            return 0;
        }
        default:
            return wxWindow::MSWWindowProc(message, wParam, lParam);
    }
}
#endif

}  // namespace gv::ui
