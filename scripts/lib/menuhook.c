/* Loaded into Gavelton by menubar.exe (a WH_CALLWNDPROC hook), where a menu bar's items can be
 * read: writes one line per item of the main window's menu bar to menuitems.txt beside this
 * DLL, "top<TAB>left<TAB>right<TAB>name", the name as a screen reader's menu proxy reads it
 * from a drawn item (the MSAAMENUINFO in its data, the "&" of the mnemonic dropped), or
 * "(no name)" when the item carries none. */
#include <oleacc.h>
#include <stdio.h>
#include <windows.h>

#include "wincommon.h"

#define MENUHOOK_ASK 0x6A7E1u

static HINSTANCE self;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID unused) {
    (void)unused;
    if (reason == DLL_PROCESS_ATTACH) self = instance;
    return TRUE;
}

/* The text without the "&" that marks the mnemonic ("&&" is one "&"), in UTF-8. */
static void PrintName(FILE* out, const WCHAR* text, DWORD length) {
    WCHAR plain[256];
    char utf8[1024];
    DWORD i, n = 0;
    for (i = 0; i < length && n + 1 < 256; i++) {
        if (text[i] == L'&' && i + 1 < length) i++;
        plain[n++] = text[i];
    }
    plain[n] = 0;
    WideCharToMultiByte(CP_UTF8, 0, plain, -1, utf8, (int)sizeof utf8, NULL, NULL);
    fputs(utf8, out);
}

static void Dump(HWND window) {
    WCHAR path[MAX_PATH];
    FILE* out;
    HMENU menu = GetMenu(window);
    int i, count = GetMenuItemCount(menu);
    out = OpenAnswer(self, path);
    if (out == NULL) return;
    for (i = 0; i < count; i++) {
        RECT r = {0, 0, 0, 0};
        MENUITEMINFOW item;
        const MSAAMENUINFO* name;
        memset(&item, 0, sizeof item);
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_DATA;
        GetMenuItemRect(window, menu, (UINT)i, &r);
        GetMenuItemInfoW(menu, (UINT)i, TRUE, &item);
        fprintf(out, "%ld\t%ld\t%ld\t", r.top, r.left, r.right);
        name = (item.fType & MFT_OWNERDRAW) ? (const MSAAMENUINFO*)item.dwItemData : NULL;
        if (name != NULL && name->dwMSAASignature == (DWORD)MSAA_MENU_SIG && name->pszWText != NULL)
            PrintName(out, name->pszWText, name->cchWText);
        else
            fputs("(no name)", out);
        fputc('\n', out);
    }
    PublishWhole(out, path, L"menuitems.txt");
}

__declspec(dllexport) LRESULT CALLBACK MenuHook(int code, WPARAM wParam, LPARAM lParam) {
    HWND asked = AskedWindow(code, lParam, MENUHOOK_ASK);
    if (asked != NULL) Dump(asked);
    return CallNextHookEx(NULL, code, wParam, lParam);
}
