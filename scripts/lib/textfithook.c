/* Loaded into Gavelton by textfit.exe (a WH_CALLWNDPROC hook), where a control's font can be
 * selected into a DC: measures every caption of the window it is asked on, with the font the
 * control draws with and the room its own drawing leaves the text, and writes one line per
 * caption to textfit.txt beside this DLL:
 *
 *   KIND<TAB>WRAPS<TAB>ONE_W<TAB>ONE_H<TAB>NEED_W<TAB>NEED_H<TAB>ROOM_W<TAB>ROOM_H<TAB>W<TAB>H<TAB>
 *   HIDDEN_W<TAB>HIDDEN_H<TAB>X<TAB>Y<TAB>TEXT
 *
 *   KIND      button, check box, label (a native Static), drawn label (a window that answers
 *             WM_GETFONT and EM_GETRECT, as Gavelton's own captions do), choice item, column
 *             heading
 *   WRAPS     1 when the control wraps its text at the room's width
 *   ONE_W/H   the text's size on one line; NEED_W, NEED_H what it takes as the control lays it
 *             out (wrapped at ROOM_W when it wraps: wider than ROOM_W when a word is)
 *   ROOM_W/H  the room the control's drawing leaves the text (inside a button's frame, beside
 *             a check box's box, inside a drawn label's border)
 *   W, H      the control's size; HIDDEN_W/H how much of it lies outside its parents' client
 *             areas (the window shows none of it where HIDDEN_W >= W); X, Y its centre on the
 *             screen (for a click)
 *
 * and a last line "dpi<TAB>N", the window's DPI. Texts in UTF-8, "&" as the control has it. */
#define _WIN32_WINNT 0x0A00
#include <windows.h>
/* The common controls' and themes' headers need <windows.h> first. */
#include <commctrl.h>
#include <stdio.h>
#include <string.h>
#include <uxtheme.h>
#include <vssym32.h>

#include "wincommon.h"

#define TEXTFIT_ASK 0x7E47Fu

static HINSTANCE self;
static FILE* out;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID unused) {
    (void)unused;
    if (reason == DLL_PROCESS_ATTACH) self = instance;
    return TRUE;
}

struct Fit {
    const char* kind;
    int wraps;
    SIZE one, need, room;
};

static void PrintText(const WCHAR* text) {
    char utf8[2048];
    int i;
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, (int)sizeof utf8, NULL, NULL);
    utf8[sizeof utf8 - 1] = '\0';
    for (i = 0; utf8[i] != '\0'; i++) {
        if (utf8[i] == '\t' || utf8[i] == '\r' || utf8[i] == '\n') utf8[i] = ' ';
    }
    fputs(utf8, out);
}

/* How much of the control lies outside the client areas of the windows it sits in. */
static void Hidden(HWND control, LONG* wide, LONG* high) {
    RECT whole, seen;
    HWND parent;
    GetWindowRect(control, &whole);
    seen = whole;
    for (parent = GetParent(control); parent != NULL; parent = GetParent(parent)) {
        RECT client;
        GetClientRect(parent, &client);
        MapWindowPoints(parent, NULL, (POINT*)&client, 2);
        if (!IntersectRect(&seen, &seen, &client)) {
            *wide = whole.right - whole.left;
            *high = whole.bottom - whole.top;
            return;
        }
        if (!(GetWindowLongW(parent, GWL_STYLE) & WS_CHILD)) break;
    }
    *wide = (whole.right - whole.left) - (seen.right - seen.left);
    *high = (whole.bottom - whole.top) - (seen.bottom - seen.top);
}

static void Write(HWND control, const struct Fit* fit, const WCHAR* text) {
    RECT r;
    LONG hidden_w, hidden_h;
    GetWindowRect(control, &r);
    Hidden(control, &hidden_w, &hidden_h);
    fprintf(out, "%s\t%d\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t", fit->kind,
            fit->wraps, fit->one.cx, fit->one.cy, fit->need.cx, fit->need.cy, fit->room.cx, fit->room.cy,
            r.right - r.left, r.bottom - r.top, hidden_w, hidden_h, (r.left + r.right) / 2,
            (r.top + r.bottom) / 2);
    PrintText(text);
    fputc('\n', out);
}

/* The text's extents in `font` as DrawText lays it out with `flags`: on one line, and as the
 * control lays it out (wrapped at the room's width when DT_WORDBREAK is among the flags). */
static void Measure(HDC dc, HFONT font, const WCHAR* text, UINT flags, struct Fit* fit) {
    RECT one = {0, 0, 0, 0}, laid = {0, 0, fit->room.cx, 0};
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    fit->wraps = (flags & DT_WORDBREAK) != 0;
    DrawTextW(dc, text, -1, &one, (flags & ~(UINT)DT_WORDBREAK) | DT_SINGLELINE | DT_CALCRECT);
    fit->one.cx = one.right;
    fit->one.cy = one.bottom;
    if (fit->wraps) {
        DrawTextW(dc, text, -1, &laid, flags | DT_CALCRECT);
        fit->need.cx = laid.right;
        fit->need.cy = laid.bottom;
    } else {
        fit->need.cx = one.right;
        fit->need.cy = one.bottom;
    }
    SelectObject(dc, old);
}

static void SetRoom(struct Fit* fit, const RECT* room) {
    fit->room.cx = room->right - room->left;
    fit->room.cy = room->bottom - room->top;
}

/* A themed control's text is drawn with the theme's font where the theme names one
 * (DrawThemeText); the caller deletes what this made. */
static HFONT ThemeFont(HTHEME theme, HDC dc, int part, int state, HFONT own, HFONT* made) {
    LOGFONTW lf;
    *made = NULL;
    if (theme != NULL && SUCCEEDED(GetThemeFont(theme, dc, part, state, TMT_FONT, &lf))) {
        *made = CreateFontIndirectW(&lf);
        if (*made != NULL) return *made;
    }
    return own;
}

static void MeasureButton(HWND w, HDC dc, HFONT font, const WCHAR* text) {
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    const LONG type = style & BS_TYPEMASK;
    HTHEME theme = GetWindowTheme(w);
    struct Fit fit = {"button", 0, {0, 0}, {0, 0}, {0, 0}};
    UINT flags = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    RECT client, room;
    HFONT made = NULL, drawn = font;
    GetClientRect(w, &client);
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || (style & BS_PUSHLIKE)) {
        /* Inside the frame: the theme's content rectangle, or the 3D edge of a classic button
         * (and the default button's black line around it). */
        if (theme != NULL) {
            GetThemeBackgroundContentRect(theme, dc, BP_PUSHBUTTON, PBS_NORMAL, &client, &room);
            drawn = ThemeFont(theme, dc, BP_PUSHBUTTON, PBS_NORMAL, font, &made);
        } else {
            room = client;
            if (type == BS_DEFPUSHBUTTON) InflateRect(&room, -1, -1);
            InflateRect(&room, -2, -2);
        }
    } else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ||
               type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
        /* Beside the box, after half a digit's width, and the pixel the text keeps from it. */
        const int part =
            (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) ? BP_RADIOBUTTON : BP_CHECKBOX;
        SIZE box;
        int digit = 0;
        HGDIOBJ old;
        fit.kind = part == BP_CHECKBOX ? "check box" : "radio button";
        room = client;
        if (theme != NULL) {
            GetThemeBackgroundContentRect(theme, dc, part, 1, &client, &room);
            drawn = ThemeFont(theme, dc, part, 1, font, &made);
        }
        if (theme == NULL || FAILED(GetThemePartSize(theme, dc, part, 1, &room, TS_DRAW, &box))) {
            box.cx = 12 * (LONG)GetDpiForWindow(w) / 96 + 1;
        }
        old = SelectObject(dc, drawn ? drawn : GetStockObject(SYSTEM_FONT));
        GetCharWidthW(dc, '0', '0', &digit);
        SelectObject(dc, old);
        if ((style & BS_LEFTTEXT) || (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_RIGHT)) {
            room.right -= box.cx + digit / 2 + 1;
        } else {
            room.left += box.cx + digit / 2 + 1;
        }
    } else {
        return; /* group boxes and drawn buttons keep their captions their own way */
    }
    SetRoom(&fit, &room);
    Measure(dc, drawn, text, flags, &fit);
    Write(w, &fit, text);
    if (made != NULL) DeleteObject(made);
}

static void MeasureStatic(HWND w, HDC dc, HFONT font, const WCHAR* text) {
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    const LONG type = style & SS_TYPEMASK;
    struct Fit fit = {"label", 0, {0, 0}, {0, 0}, {0, 0}};
    UINT flags;
    RECT client;
    switch (type) {
        case SS_LEFT:
        case SS_CENTER:
        case SS_RIGHT:
            flags = DT_EXPANDTABS | DT_WORDBREAK;
            break;
        case SS_LEFTNOWORDWRAP:
            flags = DT_EXPANDTABS;
            break;
        case SS_SIMPLE:
            flags = DT_SINGLELINE;
            break;
        default:
            return; /* pictures and frames */
    }
    /* One line only, or shortened with an ellipsis: such a text must fit on its line. */
    if (style & (SS_CENTERIMAGE | SS_ENDELLIPSIS | SS_PATHELLIPSIS | SS_WORDELLIPSIS)) flags = DT_SINGLELINE;
    if (style & SS_NOPREFIX) flags |= DT_NOPREFIX;
    GetClientRect(w, &client);
    SetRoom(&fit, &client);
    Measure(dc, font, text, flags, &fit);
    Write(w, &fit, text);
}

/* A list of choices shows the chosen one in its item area, two pixels in and clipped a pixel
 * inside it; any item may be the chosen one. */
static void MeasureChoice(HWND w, HDC dc, HFONT font) {
    COMBOBOXINFO info;
    LRESULT count, i;
    struct Fit fit = {"choice item", 0, {0, 0}, {0, 0}, {0, 0}};
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(w, &info)) return;
    fit.room.cx = info.rcItem.right - info.rcItem.left - 3;
    fit.room.cy = info.rcItem.bottom - info.rcItem.top - 3;
    count = SendMessageW(w, CB_GETCOUNT, 0, 0);
    for (i = 0; i < count; i++) {
        WCHAR text[512];
        const LRESULT length = SendMessageW(w, CB_GETLBTEXTLEN, (WPARAM)i, 0);
        if (length <= 0 || length >= (LRESULT)(sizeof text / sizeof text[0])) continue;
        SendMessageW(w, CB_GETLBTEXT, (WPARAM)i, (LPARAM)text);
        Measure(dc, font, text, DT_SINGLELINE | DT_NOPREFIX, &fit);
        Write(w, &fit, text);
    }
}

/* A heading keeps three edges' widths free on each side of its text. */
static void MeasureHeadings(HWND w, HDC dc, HFONT font) {
    const LRESULT count = SendMessageW(w, HDM_GETITEMCOUNT, 0, 0);
    const int margin = 3 * GetSystemMetrics(SM_CXEDGE);
    LRESULT i;
    struct Fit fit = {"column heading", 0, {0, 0}, {0, 0}, {0, 0}};
    for (i = 0; i < count; i++) {
        WCHAR text[512] = L"";
        HDITEMW item;
        RECT r;
        memset(&item, 0, sizeof item);
        item.mask = HDI_TEXT | HDI_FORMAT;
        item.pszText = text;
        item.cchTextMax = (int)(sizeof text / sizeof text[0]);
        if (!SendMessageW(w, HDM_GETITEMW, (WPARAM)i, (LPARAM)&item) || text[0] == 0) continue;
        if (!SendMessageW(w, HDM_GETITEMRECT, (WPARAM)i, (LPARAM)&r)) continue;
        fit.room.cx = r.right - r.left - 2 * margin;
        fit.room.cy = r.bottom - r.top;
        Measure(dc, font, text, DT_SINGLELINE | DT_NOPREFIX, &fit);
        Write(w, &fit, text);
    }
}

static BOOL CALLBACK MeasureOne(HWND w, LPARAM unused) {
    WCHAR cls[64], text[1024] = L"";
    HFONT font;
    HDC dc;
    RECT area = {-1, -1, -1, -1};
    (void)unused;
    if (!IsWindowVisible(w)) return TRUE;
    GetClassNameW(w, cls, 64);
    SendMessageW(w, WM_GETTEXT, (WPARAM)(sizeof text / sizeof text[0]), (LPARAM)text);
    font = (HFONT)SendMessageW(w, WM_GETFONT, 0, 0);
    dc = GetDC(w);
    if (lstrcmpiW(cls, L"Button") == 0) {
        if (text[0] != 0) MeasureButton(w, dc, font, text);
    } else if (lstrcmpiW(cls, L"Static") == 0) {
        if (text[0] != 0) MeasureStatic(w, dc, font, text);
    } else if (lstrcmpiW(cls, L"ComboBox") == 0) {
        MeasureChoice(w, dc, font);
    } else if (lstrcmpiW(cls, WC_HEADERW) == 0) {
        MeasureHeadings(w, dc, font);
    } else if (lstrcmpiW(cls, L"Edit") != 0 && font != NULL && text[0] != 0) {
        /* A label that draws itself says where: its text wraps within that rectangle, as
         * printed, without mnemonics. */
        SendMessageW(w, EM_GETRECT, 0, (LPARAM)&area);
        if (area.right >= area.left && area.left >= 0) {
            struct Fit fit = {"drawn label", 0, {0, 0}, {0, 0}, {0, 0}};
            SetRoom(&fit, &area);
            Measure(dc, font, text, DT_WORDBREAK | DT_NOPREFIX, &fit);
            Write(w, &fit, text);
        }
    }
    ReleaseDC(w, dc);
    return TRUE;
}

static void Dump(HWND window) {
    WCHAR path[MAX_PATH];
    out = OpenAnswer(self, path);
    if (out == NULL) return;
    EnumChildWindows(window, MeasureOne, 0);
    fprintf(out, "dpi\t%u\n", GetDpiForWindow(window));
    PublishWhole(out, path, L"textfit.txt");
}

__declspec(dllexport) LRESULT CALLBACK TextFitHook(int code, WPARAM wParam, LPARAM lParam) {
    HWND asked = AskedWindow(code, lParam, TEXTFIT_ASK);
    if (asked != NULL) Dump(asked);
    return CallNextHookEx(NULL, code, wParam, lParam);
}
