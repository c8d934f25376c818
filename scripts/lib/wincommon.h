/* What the Windows-side helpers of the check share: walking the visible top-level windows of a
 * title, printing a text as one tab-separated field, and asking a hook DLL for an answer from
 * inside Gavelton's GUI thread. */
#ifndef GAVELTON_WINCOMMON_H
#define GAVELTON_WINCOMMON_H

#include <stdio.h>
#include <string.h>
#include <windows.h>

struct TitledSearch {
    const char* title;
    WNDENUMPROC show;
    int found;
};

static inline BOOL CALLBACK TitledTop(HWND w, LPARAM param) {
    struct TitledSearch* search = (struct TitledSearch*)param;
    char text[512];
    GetWindowTextA(w, text, sizeof text);
    if (IsWindowVisible(w) && strcmp(text, search->title) == 0) {
        search->found++;
        EnumChildWindows(w, search->show, 0);
    }
    return TRUE;
}

/* Calls `show` on every child of each visible top-level window titled `title`; returns how many
 * such windows there were. */
static inline int ShowWindowsTitled(const char* title, WNDENUMPROC show) {
    struct TitledSearch search = {title, show, 0};
    EnumWindows(TitledTop, (LPARAM)&search);
    return search.found;
}

/* Tabs and line ends would break the line's fields. */
static inline void PrintField(BSTR text) {
    char out[1024] = "";
    int i;
    if (text != NULL) WideCharToMultiByte(CP_UTF8, 0, text, -1, out, (int)sizeof out, NULL, NULL);
    out[sizeof out - 1] = '\0';
    for (i = 0; out[i] != '\0'; i++) {
        if (out[i] == '\t' || out[i] == '\r' || out[i] == '\n') out[i] = ' ';
    }
    fputs(out, stdout);
}

/* Some things can be read only in the process that made them (a control's font, a menu's drawn
 * items). The helper hooks a DLL into the window's thread and sends it WM_NULL with its `ask`;
 * the hook writes the answer beside itself and publishes it whole, under the answer's name, before
 * the message returns. */

/* Hook side: the window that asked with `ask`, or NULL for any other message. */
static inline HWND AskedWindow(int code, LPARAM lParam, WPARAM ask) {
    const CWPSTRUCT* message = (const CWPSTRUCT*)lParam;
    if (code == HC_ACTION && message->message == WM_NULL && message->wParam == ask) return message->hwnd;
    return NULL;
}

/* Hook side: opens a scratch file beside `module` for the answer; `path` keeps where it is. */
static inline FILE* OpenAnswer(HMODULE module, WCHAR path[MAX_PATH]) {
    WCHAR* slash;
    GetModuleFileNameW(module, path, MAX_PATH);
    slash = wcsrchr(path, L'\\');
    if (slash == NULL) return NULL;
    wcscpy(slash + 1, L"answer.tmp");
    return _wfopen(path, L"w");
}

/* Hook side: whole or not at all, since the helper reads the file as soon as it has this name. */
static inline void PublishWhole(FILE* out, const WCHAR* path, const WCHAR* answer) {
    WCHAR done[MAX_PATH];
    fclose(out);
    wcscpy(done, path);
    wcscpy(wcsrchr(done, L'\\') + 1, answer);
    MoveFileExW(path, done, MOVEFILE_REPLACE_EXISTING);
}

/* Helper side: has `proc` of `dll` answer `ask` inside `window`'s thread and prints the answer's
 * lines, each after `prefix`. 0 when it answered, 3 when the DLL cannot be loaded or hooked in,
 * 4 when it wrote nothing. */
static inline int AskInsideGavelton(HWND window, const char* dll, const char* proc, WPARAM ask,
                                    const char* answer, const char* prefix) {
    char path[MAX_PATH], line[4096];
    char* slash;
    FILE* in;
    HMODULE module;
    HOOKPROC hook;
    HHOOK hooked;
    DWORD_PTR unused;
    GetModuleFileNameA(NULL, path, MAX_PATH);
    slash = strrchr(path, '\\');
    if (slash == NULL) return 3;
    strcpy(slash + 1, answer);
    DeleteFileA(path);
    module = LoadLibraryA(dll);
    hook = module ? (HOOKPROC)(void*)GetProcAddress(module, proc) : NULL;
    hooked =
        hook ? SetWindowsHookExA(WH_CALLWNDPROC, hook, module, GetWindowThreadProcessId(window, NULL)) : NULL;
    if (hooked == NULL) return 3;
    SendMessageTimeoutA(window, WM_NULL, ask, 0, SMTO_ABORTIFHUNG, 10000, &unused);
    UnhookWindowsHookEx(hooked);
    in = fopen(path, "r");
    if (in == NULL) return 4;
    while (fgets(line, sizeof line, in)) printf("%s%s", prefix, line);
    fclose(in);
    return 0;
}

#endif
