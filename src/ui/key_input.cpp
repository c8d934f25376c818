#include "ui/key_input.h"

#include <wx/clipbrd.h>
#include <wx/textctrl.h>

namespace gv::ui {

int CharCode(const wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            return 13;
        case WXK_BACK:
            return 8;
        case WXK_ESCAPE:
            return 27;
        case WXK_TAB:
        case WXK_DELETE:
        case WXK_NUMPAD_DELETE:
            return -1;
        default:
            break;
    }
    const wxChar unicode = event.GetUnicodeKey();
    if (unicode == WXK_NONE) return -1;
    return static_cast<int>(unicode);
}

KeyVerdict FilterKey(wxKeyEvent& event, KeyFilter filter) {
    const int code = CharCode(event);
    if (code < 0) {
        event.Skip();
        return KeyVerdict::Pass;
    }
    const KeyVerdict verdict = filter(code);
    if (verdict == KeyVerdict::Pass) event.Skip();
    return verdict;
}

namespace {

void PasteFiltered(wxClipboardTextEvent& event, KeyFilter filter, std::size_t maxChars) {
    auto* box = wxDynamicCast(event.GetEventObject(), wxTextCtrl);
    if (!box) return;
    wxString pasted;
    if (wxTheClipboard->Open()) {
        wxTextDataObject data;
        if (wxTheClipboard->GetData(data)) pasted = data.GetText();
        wxTheClipboard->Close();
    }
    wxString kept;
    for (const wxUniChar ch : pasted) {
        const int code = static_cast<int>(ch.GetValue());
        if (code != 8 && filter(code) == KeyVerdict::Pass) kept += ch;
    }
    long from = 0, to = 0;
    box->GetSelection(&from, &to);
    const std::size_t remaining = box->GetValue().length() - static_cast<std::size_t>(to - from);
    const std::size_t room = maxChars > remaining ? maxChars - remaining : 0;
    if (kept.length() > room) kept.Truncate(room);
    box->Replace(from, to, kept);
}

}  // namespace

void FilterPastes(wxWindow* box, KeyFilter filter, std::size_t maxChars) {
    box->Bind(wxEVT_TEXT_PASTE,
              [filter, maxChars](wxClipboardTextEvent& event) { PasteFiltered(event, filter, maxChars); });
}

}  // namespace gv::ui
