/* A window whose captions are cut on purpose, for checking the caption check itself: a button
 * with room to spare, a button far too narrow for its caption, a wrapping label two lines high
 * for a text of several lines, a check box too narrow for its caption, and a button that
 * fits but runs off the window's right edge. It stays until it is closed.
 *
 *   cutcaptions.exe */
#include <string.h>
#include <windows.h>

static const char kTitle[] = "Gavelton check - cut captions";

static LRESULT CALLBACK Proc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(w, message, wParam, lParam);
}

static void Add(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h) {
    HWND control = CreateWindowA(cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, NULL,
                                 GetModuleHandleA(NULL), NULL);
    SendMessageA(control, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), TRUE);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command, int show) {
    WNDCLASSA cls;
    HWND window;
    MSG message;
    (void)previous;
    (void)command;
    memset(&cls, 0, sizeof cls);
    cls.lpfnWndProc = Proc;
    cls.hInstance = instance;
    cls.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    cls.lpszClassName = "GaveltonCutCaptions";
    RegisterClassA(&cls);
    window = CreateWindowA(cls.lpszClassName, kTitle, WS_OVERLAPPEDWINDOW, 40, 40, 360, 220, NULL, NULL,
                           instance, NULL);
    Add(window, "BUTTON", "Room to spare", BS_PUSHBUTTON, 10, 10, 200, 40);
    Add(window, "BUTTON", "A caption far too wide", BS_PUSHBUTTON, 10, 60, 60, 30);
    Add(window, "STATIC", "A label that wraps onto more lines than its box shows", SS_LEFT, 10, 100, 120, 30);
    Add(window, "BUTTON", "a check box too narrow", BS_AUTOCHECKBOX, 10, 140, 60, 20);
    Add(window, "BUTTON", "Off", BS_PUSHBUTTON, 300, 10, 100, 30);
    ShowWindow(window, show);
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
