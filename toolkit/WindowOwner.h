// The C++ object behind a window of ours, for the window procedures of the page frame, the radio
// group and the shell.
#pragma once
#include <windows.h>

#include <exception>
#include <string>

namespace vindrel {

// Stores the creation parameter with the window at WM_NCCREATE and forgets it at WM_NCDESTROY;
// with a handle member, that member follows the window's life too. Returns the owner, or null
// before WM_NCCREATE and after WM_NCDESTROY.
template <class T>
T* WindowOwner(HWND hwnd, UINT msg, LPARAM lp, HWND T::*handle = nullptr) {
    if (msg == WM_NCCREATE) {
        auto* created = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        if (created && handle) created->*handle = hwnd;
    }
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        if (self && handle) self->*handle = nullptr;
    }
    return self;
}

// Runs a message handler. No exception may unwind through the window system; a failure is
// reported like the application reports any error, in a message box with OK under the host's
// title, which is asked for only then.
template <class Host, class Handler>
LRESULT Guarded(HWND hwnd, const Host& host, Handler&& handler) {
    try {
        return handler();
    } catch (const std::exception& e) {
        MessageBoxA(hwnd, e.what(), host.Title().c_str(), MB_OK | MB_ICONERROR);
    } catch (...) {
    }
    return 0;
}

}  // namespace vindrel
