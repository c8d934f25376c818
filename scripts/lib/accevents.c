/* Prints the name changes that a screen reader hears, as readers hear them: a WinEvent hook
 * out of context for EVENT_OBJECT_NAMECHANGE, each event's object then asked for its name and
 * description (AccessibleObjectFromEvent). One line per change of a window's client object,
 * "name<TAB>description" in UTF-8; "READY" first, once the hook is set.
 *
 *   accevents.exe STOPFILE
 *
 * Ends when the file STOPFILE exists, or after two minutes. */
#define COBJMACROS
#include <oleacc.h>
#include <stdio.h>
#include <windows.h>

#include "wincommon.h"

static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND w, LONG object, LONG child, DWORD thread,
                             DWORD time) {
    IAccessible* acc = NULL;
    VARIANT which;
    BSTR name = NULL, description = NULL;
    (void)hook, (void)event, (void)thread, (void)time;
    if (object != OBJID_CLIENT || w == NULL) return;
    VariantInit(&which);
    if (FAILED(AccessibleObjectFromEvent(w, (DWORD)object, (DWORD)child, &acc, &which)) || acc == NULL)
        return;
    IAccessible_get_accName(acc, which, &name);
    IAccessible_get_accDescription(acc, which, &description);
    PrintField(name);
    putchar('\t');
    PrintField(description);
    putchar('\n');
    fflush(stdout);
    SysFreeString(name);
    SysFreeString(description);
    VariantClear(&which);
    IAccessible_Release(acc);
}

int main(int argc, char** argv) {
    HWINEVENTHOOK hook;
    DWORD end;
    MSG message;
    if (argc != 2) {
        fprintf(stderr, "usage: accevents STOPFILE\n");
        return 1;
    }
    if (FAILED(CoInitialize(NULL))) return 3;
    hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, NULL, OnEvent, 0, 0,
                           WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    if (hook == NULL) {
        printf("FAIL SetWinEventHook\n");
        return 2;
    }
    printf("READY\n");
    fflush(stdout);
    end = GetTickCount() + 120000;
    while (GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES && (LONG)(end - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, 100, QS_ALLINPUT);
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    UnhookWinEvent(hook);
    CoUninitialize();
    return 0;
}
