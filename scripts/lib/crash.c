/* Makes the program that owns the visible top-level window titled TITLE crash the way a
 * fault of its own would: a thread started inside it at address 0 raises an access
 * violation that nobody handles. Used by the check of the harness itself.
 *
 *   crash.exe TITLE        exit status 0 once the thread is started, 2 without the window */
#include <stdio.h>
#include <windows.h>

int main(int argc, char** argv) {
    HWND window;
    DWORD pid = 0;
    HANDLE process, thread;
    if (argc != 2) {
        fprintf(stderr, "usage: crash TITLE\n");
        return 1;
    }
    window = FindWindowA(NULL, argv[1]);
    if (window == NULL) return 2;
    GetWindowThreadProcessId(window, &pid);
    process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                              PROCESS_VM_WRITE | PROCESS_VM_READ,
                          FALSE, pid);
    if (process == NULL) {
        fprintf(stderr, "crash: cannot open process %lu (%lu)\n", (unsigned long)pid,
                (unsigned long)GetLastError());
        return 1;
    }
    thread = CreateRemoteThread(process, NULL, 0, (LPTHREAD_START_ROUTINE)NULL, NULL, 0, NULL);
    if (thread == NULL) {
        fprintf(stderr, "crash: cannot start a thread in process %lu (%lu)\n", (unsigned long)pid,
                (unsigned long)GetLastError());
        return 1;
    }
    CloseHandle(thread);
    CloseHandle(process);
    return 0;
}
