/* What a host and a screen reader get of the menu bar of the window titled TITLE, asked from
 * another process:
 *   "bar<TAB>H<TAB>ROW"       the height H of the menu bar (the window's height less its
 *                             client area, caption and frame) and ROW, the system's height
 *                             of one row of a menu bar
 *   "client<TAB>W<TAB>H"      the client area
 *   "msaa<TAB>NAME"           each item's name through MSAA (the window's OBJID_MENU object),
 *   or "msaa-none<TAB>HR"     when the system has no MSAA object for a menu bar (Wine 8)
 *   "item<TAB>TOP<TAB>LEFT<TAB>RIGHT<TAB>NAME"  each item as read inside Gavelton's process by
 *                             menuhook.dll (see there): its rectangle, and the name a menu
 *                             proxy reads from its data
 *
 *   menubar.exe TITLE
 *
 * Exit status 2 when no such window is visible, 3 when menuhook.dll cannot be loaded or hooked
 * in, 4 when it wrote nothing. */
#define COBJMACROS
#include <oleacc.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "wincommon.h"

#define MENUHOOK_ASK 0x6A7E1u

static void ReadThroughMsaa(HWND window) {
    IAccessible* menu = NULL;
    long count = 0, i;
    HRESULT hr = AccessibleObjectFromWindow(window, (DWORD)OBJID_MENU, &IID_IAccessible, (void**)&menu);
    if (FAILED(hr) || menu == NULL) {
        printf("msaa-none\t0x%08lx\n", (unsigned long)hr);
        return;
    }
    IAccessible_get_accChildCount(menu, &count);
    for (i = 1; i <= count; i++) {
        VARIANT child;
        BSTR name = NULL;
        VariantInit(&child);
        child.vt = VT_I4;
        child.lVal = i;
        IAccessible_get_accName(menu, child, &name);
        printf("msaa\t");
        PrintField(name);
        putchar('\n');
        SysFreeString(name);
    }
    IAccessible_Release(menu);
}

/* Has menuhook.dll read the items inside the window's own process. */
static int ReadInside(HWND window) {
    return AskInsideGavelton(window, "menuhook.dll", "MenuHook", MENUHOOK_ASK, "menuitems.txt", "item\t");
}

int main(int argc, char** argv) {
    HWND window;
    RECT outer, client;
    int bar;
    if (argc != 2) {
        fprintf(stderr, "usage: menubar TITLE\n");
        return 1;
    }
    window = FindWindowA(NULL, argv[1]);
    if (window == NULL || !IsWindowVisible(window)) return 2;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    bar = (outer.bottom - outer.top) - client.bottom - GetSystemMetrics(SM_CYCAPTION) -
          2 * GetSystemMetrics(SM_CYFIXEDFRAME);
    printf("bar\t%d\t%d\nclient\t%ld\t%ld\n", bar, GetSystemMetrics(SM_CYMENU), client.right, client.bottom);
    if (FAILED(CoInitialize(NULL))) return 3;
    ReadThroughMsaa(window);
    CoUninitialize();
    return ReadInside(window);
}
