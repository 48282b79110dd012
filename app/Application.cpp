#include "app/Application.h"

namespace vindrel {
namespace {

const char kAppWindowClass[] = "VindrelApplication";

LRESULT CALLBACK AppWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

Application::Application(HINSTANCE instance) : instance_(instance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = AppWindowProc;
    wc.hInstance = instance_;
    wc.lpszClassName = kAppWindowClass;
    wc.hIcon = LoadIconA(instance_, "MAINICON");
    RegisterClassA(&wc);  // fails harmlessly when a second Application is made (tests)
    // A zero-sized window: it carries the title on the task bar and owns the pages.
    window_ = CreateWindowExA(0, kAppWindowClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                              nullptr, nullptr, instance_, nullptr);
}

Application::~Application() {
    if (window_) DestroyWindow(window_);
}

void Application::SetTitle(const std::string& title) { SetWindowTextA(window_, title.c_str()); }

std::string Application::Title() const {
    char buf[256] = {};
    GetWindowTextA(window_, buf, sizeof buf);
    return buf;
}

void Application::Terminate() {
    if (!terminated_) PostQuitMessage(0);
    terminated_ = true;
}

int Application::Run() {
    // A quit requested before the loop is already queued, so the loop ends on its first turn.
    MSG msg{};
    BOOL got;
    for (;;) {
        // Nothing waiting, not even a paint: the first screen is on.
        if (times_.On() && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) times_.Finish("first paint");
        if ((got = GetMessageA(&msg, nullptr, 0, 0)) == 0 || got == -1) break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    terminated_ = true;
    return got == -1 ? 1 : static_cast<int>(msg.wParam);
}

void Application::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the loop that owns it
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace vindrel
