// Waits for a message box with the given caption in any process, prints its caption, text and
// whether it has an icon, presses its OK button, and reports how many such boxes came within the
// time. Once the program that showed the first box has ended, no further box can come: it stops.
//   dlgwatch.exe <caption> <seconds>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

// The icon control of a message box is a static with id 0x14 that holds an icon when one is asked for.
bool HasIcon(HWND dialog) {
    HWND icon = GetDlgItem(dialog, 0x14);
    return icon && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string caption = argv[1];
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(std::atoi(argv[2])) * 1000;
    int seen = 0;
    std::unique_ptr<void, decltype(&CloseHandle)> owner(nullptr, &CloseHandle);
    while (GetTickCount() < deadline) {
        if (seen > 0 && (!owner || WaitForSingleObject(owner.get(), 0) == WAIT_OBJECT_0)) break;
        HWND dialog = FindWindowA("#32770", caption.c_str());
        if (dialog && IsWindowVisible(dialog)) {
            if (seen == 0) {
                DWORD pid = 0;
                GetWindowThreadProcessId(dialog, &pid);
                owner.reset(OpenProcess(SYNCHRONIZE, FALSE, pid));
            }
            char text[1024] = {};
            GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);
            std::printf("caption=%s\ntext=%s\nicon=%d\n", caption.c_str(), text, HasIcon(dialog) ? 1 : 0);
            std::fflush(stdout);
            ++seen;
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
            Sleep(300);
            continue;
        }
        Sleep(50);
    }
    std::printf("count=%d\n", seen);
    return seen > 0 ? 0 : 1;
}
