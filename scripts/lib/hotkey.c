/* Gives the window titled TITLE the keyboard and presses Ctrl+Shift and function key N on it
 * with SendInput, as the host's keyboard would; or prints the title of the window that has
 * the keyboard.
 *
 *   hotkey.exe press TITLE N
 *   hotkey.exe foreground
 *
 * Exit status 2 when no window has that title, 3 when it did not get the foreground, 4 when
 * the system took fewer key events than sent. */
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

int main(int argc, char** argv) {
    if (argc == 4 && strcmp(argv[1], "press") == 0) return Press(argv[2], atoi(argv[3]));
    if (argc == 2 && strcmp(argv[1], "foreground") == 0) {
        char text[512] = "";
        HWND foreground = GetForegroundWindow();
        if (foreground != NULL) GetWindowTextA(foreground, text, sizeof text);
        printf("%s\n", text);
        return 0;
    }
    fprintf(stderr, "usage: hotkey press TITLE N | hotkey foreground\n");
    return 1;
}
