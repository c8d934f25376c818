/* Prints the texts inside every visible top-level window of a given title, one
 * "class<TAB>text" line per child control, so that the check can read a message box's
 * wording and not only its title.
 *
 *   wintext.exe TITLE
 *
 * A box may share its title with the main window ("Gavelton"), so every window of that
 * title is listed. Exit status 2 when no such window is visible. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include "wincommon.h"

/* Asked with WM_GETTEXT: GetWindowText does not ask a window of another process, so a text
 * box there would read as empty. A multi-line text box gives one line of output per line. */
static BOOL CALLBACK Show(HWND w, LPARAM unused) {
    char cls[64], empty[1] = "";
    char* text = empty;
    DWORD_PTR length = 0, copied = 0;
    (void)unused;
    GetClassNameA(w, cls, sizeof cls);
    if (SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length) && length > 0) {
        text = (char*)malloc((size_t)length + 1);
        if (text == NULL || !SendMessageTimeoutA(w, WM_GETTEXT, (WPARAM)(length + 1), (LPARAM)text,
                                                 SMTO_ABORTIFHUNG, 2000, &copied)) {
            free(text);
            text = empty;
        } else {
            text[copied <= length ? copied : length] = '\0';
        }
    }
    printf("%s\t%s\n", cls, text);
    if (text != empty) free(text);
    return TRUE;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: wintext TITLE\n");
        return 1;
    }
    const int found = ShowWindowsTitled(argv[1], Show);
    return found > 0 ? 0 : 2;
}
