#include "app/Application.h"

#include <mmsystem.h>

#include <algorithm>

#include "services/CDrom.h"
#include "toolkit/Page.h"
#include "toolkit/Text.h"
#include "toolkit/WindowOwner.h"

namespace vindrel {

const wchar_t kApplicationWindowClass[] = L"VindrelApplication";

UINT AnotherStartMessage() {
    static const UINT message = RegisterWindowMessageW(L"Vindrel another start");
    return message;
}

namespace {

const wchar_t* const kAppWindowClass = kApplicationWindowClass;
// Posted to itself once the window is active, so that the page is activated outside the activation.
const UINT kActivateFrontPage = WM_APP + 1;
// How long the loop waits for the reader before each piece of idle work.
const DWORD kIdleYieldMs = 1;

}  // namespace

Application::Application(HINSTANCE instance, const PageScreen& screen) : instance_(instance), screen_(screen) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance_;
    wc.lpszClassName = kAppWindowClass;
    wc.hIcon = LoadIconA(instance_, "MAINICON");
    RegisterClassW(&wc);  // fails harmlessly when a second Application is made (tests)
    // A zero-sized window, shown: nothing of it is seen but its button on the task bar, which
    // carries the title and through which the reader gets the menu back. It owns the pages.
    window_ = CreateWindowExW(0, kAppWindowClass, L"", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                              nullptr, nullptr, instance_, this);
    if (window_) screen_.ShowOwner(window_);
}

Application::~Application() {
    if (window_) DestroyWindow(window_);
}

void Application::SetTitle(const std::string& title) { SetWindowText1252(window_, title); }

std::string Application::Title() const { return WindowText1252(window_); }

void Application::UiSound(const char* name) { PlayUiSound(name); }

void Application::LoadSound() {
    // The sound library is loaded at its first call, since the first screen needs no sound: its
    // plainest call, which wakes no sound device, loads it once the other idle work is done,
    // while the reader reads, so that the first click's sound seldom waits for it.
    timeGetTime();
    soundLoaded_ = true;
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
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            // Nothing waiting, not even a paint: the first screen is on.
            if (!firstScreenOn_) times_.Write("first paint");
            firstScreenOn_ = true;
            if (!held_.empty() || idleWork_ || !soundLoaded_) {
                // Each piece of work follows a real wait, however short: the system sees the menu
                // waiting for the reader as soon as the first screen is on (WaitForInputIdle), and
                // input that comes meanwhile is taken before the next piece. The covered pages
                // that waited for that screen come first.
                if (MsgWaitForMultipleObjects(0, nullptr, FALSE, kIdleYieldMs, QS_ALLINPUT) == WAIT_TIMEOUT) {
                    if (!held_.empty())
                        ShowHeld();
                    else if (!idleWork_)
                        LoadSound();
                    else if (!idleWork_())
                        idleWork_ = nullptr;
                }
                continue;
            }
        }
        if ((got = GetMessageA(&msg, nullptr, 0, 0)) == 0 || got == -1) break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    terminated_ = true;
    return got == -1 ? 1 : static_cast<int>(msg.wParam);
}

bool Application::Hold(Page& page, PageChange change) {
    if (!holding_) {
        ShowHeld();
        return false;
    }
    const auto at = std::find(held_.begin(), held_.end(), &page);
    const bool held = at != held_.end();
    if (held) held_.erase(at);
    // Shown, or raised while held: in front of the held ones. A page not held is not visible, so
    // its raise or hide changes nothing that shows.
    if (change == PageChange::Shown || (change == PageChange::Raised && held)) held_.push_back(&page);
    return change == PageChange::Shown || held;
}

void Application::ShowFront() {
    holding_ = false;
    if (held_.empty()) return;
    front_ = held_.back();
    held_.pop_back();
    screen_.Show(*front_);
}

void Application::ShowHeld() {
    if (holding_) return;
    std::vector<Page*> pages;
    pages.swap(held_);
    const Page* above = front_;
    front_ = nullptr;
    if (above && above->Visible()) {
        for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
            screen_.ShowBehind(**it, *above);
            above = *it;
        }
    } else {
        for (Page* page : pages) screen_.Show(*page);
    }
}

void Application::Forget(Page& page) {
    held_.erase(std::remove(held_.begin(), held_.end(), &page), held_.end());
    if (front_ == &page) front_ = nullptr;
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

HWND Application::FrontWindow() const {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetWindow(w, GW_OWNER) == window_ && IsWindowVisible(w)) return w;
    return nullptr;
}

bool Application::Covered() const {
    const HWND front = FrontWindow();
    return front && !IsWindowEnabled(front);
}

void Application::ActivateFrontPage(bool withinTheMenu) {
    const HWND front = FrontWindow();
    if (!front || !IsWindowEnabled(front)) return;  // the backdrop over the pages
    passingOn_ = withinTheMenu;
    SetActiveWindow(front);
    passingOn_ = false;
}

LRESULT CALLBACK Application::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Application* self = WindowOwner<Application>(hwnd, msg, lp);
    if (msg == AnotherStartMessage() && msg != 0) {
        // The other start ends; the reader gets this menu back as it was left, unless a setup
        // runs, whose window stays in front.
        if (!self || self->Covered()) return 0;
        if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
        SetForegroundWindow(hwnd);  // its activation passes on to the page in front
        return 1;
    }
    switch (msg) {
        case WM_CLOSE:  // Close on the task-bar button: the menu ends, with its clean-up
            if (self) self->Terminate();
            return 0;
        case WM_ACTIVATE: {
            // From another program (the task-bar button, Alt+Tab): the page in front takes over,
            // once the activation is done. From a page of ours, hidden: Page::Hide sees to it.
            const HWND previous = reinterpret_cast<HWND>(lp);
            const bool fromOutside = !previous || GetWindowThreadProcessId(previous, nullptr) != GetCurrentThreadId();
            if (LOWORD(wp) != WA_INACTIVE && fromOutside) PostMessageW(hwnd, kActivateFrontPage, 0, 0);
            break;
        }
        case kActivateFrontPage:
            // Unless another window of ours was activated meanwhile, or the menu stays minimised.
            if (self && GetActiveWindow() == hwnd && !IsIconic(hwnd)) self->ActivateFrontPage(false);
            return 0;
        case WM_SYSCOMMAND:
            // Restored from the task bar: its page comes back in front as well.
            if ((wp & 0xFFF0) == SC_RESTORE) {
                const LRESULT result = DefWindowProcW(hwnd, msg, wp, lp);
                if (self && GetActiveWindow() == hwnd) self->ActivateFrontPage(false);
                return result;
            }
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace vindrel
