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
    char path[MAX_PATH], line[4096];
    char* slash;
    struct Wanted wanted;
    FILE* in;
    HMODULE dll;
    HOOKPROC hook;
    HHOOK hooked;
    DWORD_PTR unused;
    if (argc != 2) {
        fprintf(stderr, "usage: textfit TITLE\n");
        return 1;
    }
    wanted.title = argv[1];
    wanted.found = NULL;
    EnumWindows(Titled, (LPARAM)&wanted);
    if (wanted.found == NULL) return 2;
    GetModuleFileNameA(NULL, path, MAX_PATH);
    slash = strrchr(path, '\\');
    if (slash == NULL) return 3;
    strcpy(slash + 1, "textfit.txt");
    DeleteFileA(path);
    dll = LoadLibraryA("textfithook.dll");
    hook = dll ? (HOOKPROC)(void*)GetProcAddress(dll, "TextFitHook") : NULL;
    hooked = hook ? SetWindowsHookExA(WH_CALLWNDPROC, hook, dll, GetWindowThreadProcessId(wanted.found, NULL))
                  : NULL;
    if (hooked == NULL) return 3;
    SendMessageTimeoutA(wanted.found, WM_NULL, TEXTFIT_ASK, 0, SMTO_ABORTIFHUNG, 10000, &unused);
    UnhookWindowsHookEx(hooked);
    in = fopen(path, "r");
    if (in == NULL) return 4;
    while (fgets(line, sizeof line, in)) fputs(line, stdout);
    fclose(in);
    return 0;
}
