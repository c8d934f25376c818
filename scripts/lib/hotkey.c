/* Gives the window titled TITLE the keyboard and presses Ctrl+Shift and function key N on it
 * with SendInput, as the host's keyboard would; or prints the title of the window that has
 * the keyboard; or clicks the close button in the caption of the window titled TITLE with
 * SendInput, as the host's mouse would (on a Wine desktop, where Wine draws the caption).
 *
 *   hotkey.exe press TITLE N
 *   hotkey.exe foreground
 *   hotkey.exe closebox TITLE
 *   hotkey.exe exists TITLE
 *
 * Exit status 2 when no window has that title (for exists: the only failure), 3 when it did not get the
 * foreground (or has no close button, or did not answer), 4 when the system took fewer input events than
 * sent. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

static void Key(INPUT* input, WORD vk, BOOL up) {
    memset(input, 0, sizeof *input);
    input->type = INPUT_KEYBOARD;
    input->ki.wVk = vk;
    input->ki.wScan = (WORD)MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    input->ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
}

static int Press(const char* title, int function) {
    HWND target = FindWindowA(NULL, title);
    INPUT keys[6];
    const WORD vk = (WORD)(VK_F1 + function - 1);
    int tries;
    if (target == NULL) return 2;
    for (tries = 0; tries < 50 && GetForegroundWindow() != target; ++tries) {
        SetForegroundWindow(target);
        Sleep(100);
    }
    if (GetForegroundWindow() != target) return 3;
    Key(&keys[0], VK_CONTROL, FALSE);
    Key(&keys[1], VK_SHIFT, FALSE);
    Key(&keys[2], vk, FALSE);
    Key(&keys[3], vk, TRUE);
    Key(&keys[4], VK_SHIFT, TRUE);
    Key(&keys[5], VK_CONTROL, TRUE);
    return SendInput(6, keys, sizeof keys[0]) == 6 ? 0 : 4;
}

/* The close button is where the window's own hit test says so. The hit test answers also
 * while the window is disabled, but a busy window answers each one only between its waits
 * (some 10 ms under Wine), so the caption is probed sparsely: its middle row first, from the
 * right, then the rows above and below it. */
static int Clicked(int x, int y) {
    INPUT clicks[3];
    memset(clicks, 0, sizeof clicks);
    clicks[0].type = clicks[1].type = clicks[2].type = INPUT_MOUSE;
    clicks[0].mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    clicks[0].mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    clicks[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    if (SendInput(1, &clicks[0], sizeof clicks[0]) != 1) return 4;
    Sleep(200);
    return SendInput(2, &clicks[1], sizeof clicks[0]) == 2 ? 0 : 4;
}

static int CloseBox(const char* title) {
    enum { kStep = 3, kCaptionDepth = 48, kFromRight = 120 };
    HWND target = FindWindowA(NULL, title);
    RECT rect;
    DWORD_PTR hit;
    int middle, offset, x, y, asked = 0;
    const DWORD start = GetTickCount();
    if (target == NULL) return 2;
    GetWindowRect(target, &rect);
    middle = rect.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    for (offset = 0; offset < 2 * kCaptionDepth; offset += kStep) {
        /* middle, middle - 3, middle + 3, middle - 6, ... */
        y = middle + ((offset / kStep) % 2 == 0 ? 1 : -1) * ((offset / kStep + 1) / 2) * kStep;
        if (y < rect.top || y >= rect.top + kCaptionDepth) continue;
        for (x = rect.right - 1; x > rect.right - kFromRight; x -= kStep) {
            ++asked;
            if (!SendMessageTimeoutA(target, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &hit))
                return 3;
            if (hit != HTCLOSE) continue;
            fprintf(stderr, "close button at %d,%d of %ld,%ld-%ld,%ld: %d hit tests in %lu ms\n", x, y,
                    rect.left, rect.top, rect.right, rect.bottom, asked,
                    (unsigned long)(GetTickCount() - start));
            return Clicked(x, y);
        }
    }
    fprintf(stderr, "no close button in %ld,%ld-%ld,%ld: %d hit tests in %lu ms\n", rect.left, rect.top,
            rect.right, rect.bottom, asked, (unsigned long)(GetTickCount() - start));
    return 3;
}

/* Started on a Wine desktop by an explorer that ends at once, the status is lost: it is also
 * printed. */
static int Said(int status) {
    printf("status %d\n", status);
    return status;
}

int main(int argc, char** argv) {
    if (argc == 3 && strcmp(argv[1], "closebox") == 0) return Said(CloseBox(argv[2]));
    if (argc == 3 && strcmp(argv[1], "exists") == 0) return Said(FindWindowA(NULL, argv[2]) != NULL ? 0 : 2);
    if (argc == 4 && strcmp(argv[1], "press") == 0) return Said(Press(argv[2], atoi(argv[3])));
    if (argc == 2 && strcmp(argv[1], "foreground") == 0) {
        char text[512] = "";
        HWND foreground = GetForegroundWindow();
        if (foreground != NULL) GetWindowTextA(foreground, text, sizeof text);
        printf("%s\n", text);
        return 0;
    }
    fprintf(stderr, "usage: hotkey press TITLE N | hotkey foreground | hotkey closebox TITLE\n");
    return 1;
}
