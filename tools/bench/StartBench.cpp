// Benchmark, not a test: start-up of the menu to its first painted backdrop against a minimal
// Win32 program that opens one window, as a ratio in one run; and the processor time the menu's
// wait spends while a 3-second program runs.
//   StartBench.exe <path of the menu> [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "services/CDrom.h"

namespace {

const char kMinimalClass[] = "BenchMinimal";

LRESULT CALLBACK MinimalProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// The program to compare with: one black full-screen window and a message loop.
int RunMinimal(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = MinimalProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kMinimalClass;
    RegisterClassA(&wc);
    CreateWindowExA(0, kMinimalClass, "minimal", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                    GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Found {
    DWORD pid;
    HWND hwnd;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    RECT r;
    if (pid == f->pid && IsWindowVisible(hwnd) && GetWindowRect(hwnd, &r) && r.right - r.left > 100) {
        f->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Seconds from the start of the command until its full-screen window is shown and its message
// loop has gone idle, which is when the first paint has been handled; the program is then closed.
double TimeToFirstPaint(const std::string& command, const char* folder) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = command;
    double start = Now();
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &si, &pi)) return -1;
    Found found{pi.dwProcessId, nullptr};
    double elapsed = -1;
    while (Now() - start < 30) {
        if (!found.hwnd) EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&found));
        if (found.hwnd && WaitForInputIdle(pi.hProcess, 0) == 0) {
            DWORD_PTR ignored;
            SendMessageTimeoutA(found.hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
            elapsed = Now() - start;
            break;
        }
        Sleep(1);
    }
    if (found.hwnd) PostMessageA(found.hwnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return elapsed;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double ProcessCpuSeconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto seconds = [](FILETIME f) {
        return static_cast<double>((uint64_t{f.dwHighDateTime} << 32) | f.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc >= 2 && std::string(__argv[1]) == "--minimal") return RunMinimal(instance);
    if (__argc >= 3 && std::string(__argv[1]) == "--sleep") {
        Sleep(static_cast<DWORD>(std::atoi(__argv[2])));
        return 0;
    }
    if (__argc < 2) return 2;
    const std::string menu = __argv[1];
    const int rounds = __argc > 2 ? std::max(1, std::atoi(__argv[2])) : 5;
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string folder = menu.substr(0, menu.find_last_of("\\/") + 1);

    std::vector<double> minimal, full;
    for (int i = 0; i < rounds; ++i) {
        minimal.push_back(TimeToFirstPaint("\"" + std::string(self) + "\" --minimal", nullptr));
        full.push_back(TimeToFirstPaint("\"" + menu + "\"", folder.c_str()));
    }

    double cpuBefore = ProcessCpuSeconds();
    double wallBefore = Now();
    vindrel::RunAndWait("\"" + std::string(self) + "\" --sleep 3000");
    double cpu = ProcessCpuSeconds() - cpuBefore;
    double wall = Now() - wallBefore;

    std::printf("start-up to first painted backdrop (median of %d): menu %.0f ms, minimal window %.0f ms, ratio %.2f\n",
                rounds, Median(full) * 1000, Median(minimal) * 1000, Median(full) / Median(minimal));
    std::printf("RunAndWait on a 3-second program: %.2f s waited, %.0f ms of processor time (%.2f%%)\n", wall,
                cpu * 1000, 100 * cpu / wall);
    return 0;
}
