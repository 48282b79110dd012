// A program whose top-level window stops answering messages.
//   hungwindow <event name> <milliseconds>
// Creates the window, sets the named event, then sleeps without reading its queue.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    HWND window = CreateWindowExA(0, "STATIC", "hung", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    if (!window) return 1;
    if (HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1])) {
        SetEvent(ready);
        CloseHandle(ready);
    }
    Sleep(static_cast<DWORD>(std::atoi(argv[2])));
    DestroyWindow(window);
    return 0;
}
