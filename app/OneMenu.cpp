#include "app/OneMenu.h"

#include <windows.h>

#include "app/Application.h"

namespace vindrel {

OneMenu::OneMenu(const std::string& edition) {
    const std::string name = "Vindrel menu " + edition;
    mutex_.reset(CreateMutexA(nullptr, FALSE, name.c_str()));
    // Without a mutex (the name taken by an object of another kind) the menu starts as before.
    first_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

void HandOverToRunningMenu() {
    // The running menu's is the one shown (as its task-bar button); a hidden one draws a proof.
    HWND running = nullptr;
    do running = FindWindowExW(nullptr, running, kApplicationWindowClass, nullptr);
    while (running && !IsWindowVisible(running));
    if (!running) return;
    // This start came from the reader, so it may pass on the right to take the foreground.
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    AllowSetForegroundWindow(process);
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(running, AnotherStartMessage(), 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
}

}  // namespace vindrel
