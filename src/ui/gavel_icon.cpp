#include "ui/gavel_icon.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include "ui/colours.h"

namespace gv::ui {

#ifdef __WXMSW__

// The icon group "gavelton" of gavelton.rc, the one Explorer shows for the program.
wxIcon GavelIcon() { return wxIcon(wxS("gavelton"), wxBITMAP_TYPE_ICO_RESOURCE, 32, 32); }

#else

wxIcon GavelIcon() {
    wxBitmap bitmap(32, 32, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(kCyan));
        dc.Clear();
        // Sound block.
        dc.SetPen(wxPen(wxColour(64, 32, 0)));
        dc.SetBrush(wxBrush(wxColour(128, 64, 0)));
        dc.DrawRectangle(4, 25, 20, 5);
        // Handle, drawn as a thick diagonal.
        dc.SetPen(wxPen(wxColour(128, 64, 0), 4));
        dc.DrawLine(12, 14, 28, 30);
        // Head, tilted with the handle.
        const wxPoint head[] = {{2, 10}, {12, 0}, {20, 8}, {10, 18}};
        dc.SetPen(wxPen(wxColour(64, 32, 0)));
        dc.SetBrush(wxBrush(wxColour(160, 82, 45)));
        dc.DrawPolygon(4, head);
        dc.SetBrush(wxBrush(wxColour(255, 215, 0)));
        const wxPoint band[] = {{6, 6}, {8, 4}, {16, 12}, {14, 14}};
        dc.DrawPolygon(4, band);
    }
    bitmap.SetMask(new wxMask(bitmap, kCyan));
    wxIcon icon;
    icon.CopyFromBitmap(bitmap);
    return icon;
}

#endif

}  // namespace gv::ui
