/* Measures every caption of the visible top-level window titled TITLE, from inside its process
 * (textfithook.dll, hooked into the window's thread: a control's font can be used only there),
 * and prints what that DLL wrote: one line per caption (see textfithook.c), then the window's
 * DPI. When several such windows are visible, the one with a menu bar (the main window rather
 * than a box that shares its title).
 *
 *   textfit.exe TITLE
 *
 * Exit status 2 when no such window is visible, 3 when textfithook.dll cannot be loaded or
 * hooked in, 4 when it wrote nothing. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "wincommon.h"

#define TEXTFIT_ASK 0x7E47Fu

struct Wanted {
    const char* title;
    HWND found;
};

static BOOL CALLBACK Titled(HWND w, LPARAM param) {
    struct Wanted* wanted = (struct Wanted*)param;
    char text[512];
    GetWindowTextA(w, text, sizeof text);
    if (!IsWindowVisible(w) || strcmp(text, wanted->title) != 0) return TRUE;
    if (wanted->found == NULL || GetMenu(w) != NULL) wanted->found = w;
    return GetMenu(w) == NULL;
}

int main(int argc, char** argv) {
    struct Wanted wanted;
    if (argc != 2) {
        fprintf(stderr, "usage: textfit TITLE\n");
        return 1;
    }
    wanted.title = argv[1];
    wanted.found = NULL;
    EnumWindows(Titled, (LPARAM)&wanted);
    if (wanted.found == NULL) return 2;
    return AskInsideGavelton(wanted.found, "textfithook.dll", "TextFitHook", TEXTFIT_ASK, "textfit.txt", "");
}
