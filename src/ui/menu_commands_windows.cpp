// Windows: the menu bar's plain commands. Windows spaces plain menu-bar items so widely that
// Gavelton's captions need a second row at the designed width, so the items are drawn by
// Gavelton (owner-drawn): measured with the system's menu font and a narrower side padding,
// drawn in the system's colours and states; where even the narrowest padding leaves too little
// room for the captions, the window is made as wide as they need. What the system can no longer read from a
// drawn item, Gavelton answers itself: the mnemonic letters (WM_MENUCHAR) and each item's name for screen
// readers (MSAAMENUINFO as the item's data).
#include <wx/frame.h>
#include <wx/menu.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "common/windows_api.h"
#include "ui/native.h"

// clang-format off
#include <oleacc.h>  // after <windows.h> as wx includes it
// clang-format on

namespace gv::ui {

namespace {

constexpr unsigned kFirstCommandId = 0x7E00;  // above wx's own menu ids

HMENU MenuOf(wxFrame* frame) { return static_cast<HMENU>(frame->GetMenuBar()->GetHMenu()); }

// The font the system draws the menu bar with (the process is aware of the system's DPI).
class MenuFontIn {
public:
    explicit MenuFontIn(HDC dc) : dc_(dc) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            font_ = ::CreateFontIndirectW(&metrics.lfMenuFont);
        }
        old_ = ::SelectObject(dc_, font_ ? static_cast<HGDIOBJ>(font_) : ::GetStockObject(DEFAULT_GUI_FONT));
    }
    ~MenuFontIn() {
        ::SelectObject(dc_, old_);
        if (font_) ::DeleteObject(font_);
    }
    MenuFontIn(const MenuFontIn&) = delete;
    MenuFontIn& operator=(const MenuFontIn&) = delete;

private:
    HDC dc_;
    HFONT font_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

int TextWidth(HDC dc, const wxString& caption) {
    RECT r{};
    ::DrawTextW(dc, caption.wc_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    return r.right - r.left;
}

// The average character width of the font as the system reckons it for menus; the system adds
// twice this to the width a drawn menu item asks for.
int AverageCharWidth(HDC dc) {
    static const wchar_t letters[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    SIZE size{};
    ::GetTextExtentPoint32W(dc, letters, 52, &size);
    return (size.cx / 26 + 1) / 2;
}

// The letter after the single "&" of a caption, lower case; 0 without one.
wchar_t Mnemonic(const wxString& caption) {
    const std::wstring text = caption.ToStdWstring();
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&') continue;
        if (text[i + 1] != L'&') return static_cast<wchar_t>(std::towlower(text[i + 1]));
        ++i;  // "&&" is a literal ampersand
    }
    return 0;
}

bool FlatMenus() {
    BOOL flat = FALSE;
    ::SystemParametersInfoW(SPI_GETFLATMENU, 0, &flat, 0);
    return flat != FALSE;
}

// Flat menus show a hot or selected item in the menu highlight; the classic bar shows a
// selected item in the highlight and a hot one by a raised edge.
void DrawBackground(HDC dc, const RECT& r, bool flat, bool selected, bool hot) {
    if (flat && (selected || hot)) {
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_MENUHILIGHT));
        ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_HIGHLIGHT));
        return;
    }
    ::FillRect(dc, &r, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : flat ? COLOR_MENUBAR : COLOR_MENU));
    if (hot && !selected) {
        RECT edge = r;
        ::DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    }
}

void DrawItem(const DRAWITEMSTRUCT& item, const wxString& caption) {
    const bool flat = FlatMenus();
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool hot = (item.itemState & ODS_HOTLIGHT) != 0;
    const bool grayed = (item.itemState & (ODS_GRAYED | ODS_DISABLED | ODS_INACTIVE)) != 0;
    HDC dc = item.hDC;
    DrawBackground(dc, item.rcItem, flat, selected, hot);
    const bool onHighlight = selected || (hot && flat);
    const int colour = grayed ? COLOR_GRAYTEXT : onHighlight ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
    const COLORREF oldColour = ::SetTextColor(dc, ::GetSysColor(colour));
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    MenuFontIn font(dc);
    RECT r = item.rcItem;
    UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (item.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;  // the keyboard cues are hidden
    ::DrawTextW(dc, caption.wc_str(), -1, &r, format);
    ::SetBkMode(dc, oldMode);
    ::SetTextColor(dc, oldColour);
}

// The narrowest side padding: 2 pixels at 96 DPI.
int LeastPadding(HDC dc) { return ::MulDiv(2, ::GetDeviceCaps(dc, LOGPIXELSX), 96); }

// The width to ask for the item `index`: its caption with a side padding that lets every
// caption fit in `available` pixels, at most the system's own spacing, at least 2 pixels at
// 96 DPI; less what the system adds to a drawn item of its own accord (`adds`, or twice the
// average character width as Wine adds while it is not known).
UINT ItemWidth(HDC dc, const std::vector<MenuCommands::Command>& commands, std::size_t index, int available,
               int adds) {
    MenuFontIn font(dc);
    int captions = 0;
    for (const MenuCommands::Command& command : commands) captions += TextWidth(dc, command.caption);
    const int average = AverageCharWidth(dc);
    const int least = LeastPadding(dc);
    const int sides = 2 * static_cast<int>(commands.size());
    int padding = available > 0 ? (available - captions) / sides : average;
    padding = std::max(least, std::min(padding, average));
    if (adds < 0) adds = 2 * average;
    return static_cast<UINT>(std::max(0, TextWidth(dc, commands[index].caption) + 2 * padding - adds));
}

}  // namespace

// The name a screen reader reads for a drawn item: the menu proxy of Windows reads it from
// the item's data in our process, so it lives as long as the item does.
struct MenuCommands::ItemName : MSAAMENUINFO {
    explicit ItemName(std::wstring caption) : MSAAMENUINFO{}, text(std::move(caption)) {
        dwMSAASignature = static_cast<DWORD>(MSAA_MENU_SIG);
        cchWText = static_cast<DWORD>(text.size());
        pszWText = text.data();
    }
    ItemName(const ItemName&) = delete;
    ItemName& operator=(const ItemName&) = delete;
    std::wstring text;
};

void MenuCommands::Install(wxFrame* frame, std::vector<Command> commands) {
    frame_ = frame;
    commands_ = std::move(commands);
    HMENU menu = MenuOf(frame);
    bar_ = menu;
    for (std::size_t i = 0; i < commands_.size(); ++i) {
        names_.push_back(std::make_shared<ItemName>(commands_[i].caption.ToStdWstring()));
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
        item.fType = MFT_OWNERDRAW;
        item.wID = kFirstCommandId + static_cast<UINT>(i);
        item.dwItemData = reinterpret_cast<ULONG_PTR>(static_cast<MSAAMENUINFO*>(names_.back().get()));
        ::InsertMenuItemW(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &item);
    }
    ::DrawMenuBar(static_cast<HWND>(frame->GetHWND()));
}

MenuCommands::~MenuCommands() {
    // The items point at names this object owns; they leave the bar before the names go.
    auto* menu = static_cast<HMENU>(bar_);
    if (!menu || !::IsMenu(menu)) return;
    for (std::size_t i = 0; i < commands_.size(); ++i) {
        ::RemoveMenu(menu, kFirstCommandId + static_cast<UINT>(i), MF_BYCOMMAND);
    }
}

void MenuCommands::FitWidth(int pixels) {
    HDC screen = ::GetDC(nullptr);
    fitDpi_ = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    fitWidth_ = pixels;
    if (!frame_ || commands_.empty()) return;
    HWND window = static_cast<HWND>(frame_->GetHWND());
    ::DrawMenuBar(window);  // measures the items again
    // What Windows adds to a drawn menu-bar item is not documented: read it off the first item
    // and measure again if the guess was wrong, so that no caption is clipped or wraps.
    RECT first{};
    const int index = ::GetMenuItemCount(MenuOf(frame_)) - static_cast<int>(commands_.size());
    if (!::GetMenuItemRect(window, MenuOf(frame_), static_cast<UINT>(index), &first)) return;
    const int adds = static_cast<int>(first.right - first.left) - static_cast<int>(firstAsked_);
    if (adds >= 0 && adds != systemAdds_) {
        systemAdds_ = adds;
        ::DrawMenuBar(window);
    }
}

int MenuCommands::NaturalWidth() const {
    // The items are spaced to fit the designed width (FitWidth); only captions that do not fit
    // it even at the narrowest padding ask for more, with that padding on each side of each.
    if (!frame_ || commands_.empty()) return 0;
    HWND window = static_cast<HWND>(frame_->GetHWND());
    HDC dc = ::GetDC(window);
    int needed = 0;
    {
        MenuFontIn font(dc);
        for (const Command& command : commands_)
            needed += TextWidth(dc, command.caption) + 2 * LeastPadding(dc);
    }
    ::ReleaseDC(window, dc);
    return needed;
}

bool MenuCommands::HandleCommand(unsigned id) const {
    if (id < kFirstCommandId || id >= kFirstCommandId + commands_.size()) return false;
    commands_[id - kFirstCommandId].run();
    return true;
}

bool MenuCommands::HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                 std::intptr_t& result) const {
    const auto ours = [this](UINT id) {
        return id >= kFirstCommandId && id < kFirstCommandId + commands_.size();
    };
    if (message == WM_MEASUREITEM) {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU || !ours(item->itemID)) return false;
        HWND window = static_cast<HWND>(frame_->GetHWND());
        HDC dc = ::GetDC(window);
        const int available =
            fitWidth_ > 0 ? ::MulDiv(fitWidth_, ::GetDeviceCaps(dc, LOGPIXELSX), fitDpi_) : 0;
        const std::size_t index = item->itemID - kFirstCommandId;
        item->itemWidth = ItemWidth(dc, commands_, index, available, systemAdds_);
        if (index == 0) firstAsked_ = item->itemWidth;
        item->itemHeight = static_cast<UINT>(::GetSystemMetrics(SM_CYMENU));
        ::ReleaseDC(window, dc);
        result = TRUE;
        return true;
    }
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU || !ours(item->itemID)) return false;
        DrawItem(*item, commands_[item->itemID - kFirstCommandId].caption);
        result = TRUE;
        return true;
    }
    if (message == WM_MENUCHAR && reinterpret_cast<HMENU>(lParam) == bar_) {
        // A drawn item has no text for the system to find its letter in.
        const auto key = static_cast<wchar_t>(std::towlower(LOWORD(wParam)));
        const int first = ::GetMenuItemCount(static_cast<HMENU>(bar_)) - static_cast<int>(commands_.size());
        for (std::size_t i = 0; i < commands_.size(); ++i) {
            if (key == 0 || Mnemonic(commands_[i].caption) != key) continue;
            result = MAKELRESULT(first + static_cast<int>(i), MNC_EXECUTE);
            return true;
        }
    }
    return false;
}

wxRect MenuCommands::ItemScreenRect(std::size_t index) const {
    RECT r{};
    ::GetMenuItemRect(static_cast<HWND>(frame_->GetHWND()), MenuOf(frame_), static_cast<UINT>(index), &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace gv::ui
