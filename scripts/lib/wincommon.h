/* What the Windows-side helpers of the check share: walking the visible top-level windows of a
 * title, and printing a text as one tab-separated field. */
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

#endif
