/* Prints what a screen reader reads of the controls inside the visible top-level windows of a
 * given title, asked through MSAA from another process as a reader asks
 * (AccessibleObjectFromWindow on each child window): one line per control,
 * "role<TAB>name<TAB>description<TAB>visible|invisible", names in UTF-8.
 *
 *   accnames.exe TITLE
 *
 * Exit status 2 when no such window is visible, 3 when COM cannot start. */
#define COBJMACROS
#include <oleacc.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "wincommon.h"

static const char* RoleName(LONG role) {
    switch (role) {
        case ROLE_SYSTEM_STATICTEXT:
            return "static text";
        case ROLE_SYSTEM_TEXT:
            return "editable text";
        case ROLE_SYSTEM_PUSHBUTTON:
            return "push button";
        case ROLE_SYSTEM_CLIENT:
            return "client";
        case ROLE_SYSTEM_LIST:
            return "list";
        case ROLE_SYSTEM_WINDOW:
            return "window";
        default:
            return "other";
    }
}

static BOOL CALLBACK Show(HWND w, LPARAM unused) {
    IAccessible* acc = NULL;
    VARIANT self, role, state;
    BSTR name = NULL, description = NULL;
    (void)unused;
    if (FAILED(AccessibleObjectFromWindow(w, (DWORD)OBJID_CLIENT, &IID_IAccessible, (void**)&acc)) ||
        acc == NULL) {
        printf("unreachable\t\t\t\n");
        return TRUE;
    }
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VariantInit(&role);
    VariantInit(&state);
    IAccessible_get_accName(acc, self, &name);
    IAccessible_get_accDescription(acc, self, &description);
    IAccessible_get_accRole(acc, self, &role);
    IAccessible_get_accState(acc, self, &state);
    printf("%s\t", role.vt == VT_I4 ? RoleName(role.lVal) : "other");
    PrintField(name);
    putchar('\t');
    PrintField(description);
    printf("\t%s\n", state.vt == VT_I4 && (state.lVal & STATE_SYSTEM_INVISIBLE) ? "invisible" : "visible");
    SysFreeString(name);
    SysFreeString(description);
    IAccessible_Release(acc);
    return TRUE;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: accnames TITLE\n");
        return 1;
    }
    if (FAILED(CoInitialize(NULL))) return 3;
    const int found = ShowWindowsTitled(argv[1], Show);
    CoUninitialize();
    return found > 0 ? 0 : 2;
}
