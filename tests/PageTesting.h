// Helpers for tests that drive real pages: an application object, bitmap lists built in memory,
// rendering a page through WM_PRINTCLIENT into a bitmap whose pixels can be read (and saved),
// mouse messages in client coordinates, message pumping for a while, and a window that stands in
// for another program's.
#pragma once
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/Application.h"
#include "toolkit/BitmapList.h"
#include "toolkit/Page.h"

namespace vindrel::test {

inline Application& TestApplication() {
    static Application app(GetModuleHandleA(nullptr));
    return app;
}

// A page with nothing on it; tests add their controls.
class TestPage : public Page {
public:
    explicit TestPage(PageSettings settings = {"TTestPage", "TestPage", kBlack})
        : Page(TestApplication(), settings) {}
    int shown = 0, hidden = 0, activated = 0, closed = 0;

protected:
    void OnShow() override { ++shown; }
    void OnHide() override { ++hidden; }
    void OnActivate() override { ++activated; }
};

// An 8-bit palette bitmap file, bottom-up rows, as the lists store them. pixel(x, y) gives a
// palette index for column x, row y (row 0 at the top).
inline std::vector<uint8_t> BitmapFile(int w, int h, const std::vector<COLORREF>& palette,
                                       const std::function<int(int, int)>& pixel) {
    const int stride = (w + 3) & ~3;
    const uint32_t paletteBytes = 256 * 4;
    const uint32_t offset = 14 + 40 + paletteBytes;
    const uint32_t size = offset + static_cast<uint32_t>(stride * h);
    std::vector<uint8_t> f(size, 0);
    auto put16 = [&](size_t at, uint32_t v) { f[at] = uint8_t(v); f[at + 1] = uint8_t(v >> 8); };
    auto put32 = [&](size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) f[at + i] = uint8_t(v >> (8 * i)); };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, size);
    put32(10, offset);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    put16(26, 1);
    put16(28, 8);
    put32(34, static_cast<uint32_t>(stride * h));
    put32(46, 256);
    for (size_t i = 0; i < palette.size() && i < 256; ++i) {
        const COLORREF c = palette[i];
        f[54 + 4 * i] = GetBValue(c);
        f[54 + 4 * i + 1] = GetGValue(c);
        f[54 + 4 * i + 2] = GetRValue(c);
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) f[offset + static_cast<size_t>((h - 1 - y) * stride + x)] = uint8_t(pixel(x, y));
    return f;
}

// A well-made 8-bit Shot.bmp of BitmapFile, `width` pixels wide, damaged as a scratched disc, a
// broken copy or a careless tool leaves it; each must read as no picture, never a fault or a wrong one.
struct DamagedShot {
    const char* what;
    std::function<void(std::string&)> damage;
};
inline std::vector<DamagedShot> DamagedShots(int width) {
    auto put16 = [](std::string& f, size_t at, uint32_t v) { f[at] = char(v); f[at + 1] = char(v >> 8); };
    auto put32 = [](std::string& f, size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) f[at + i] = char(v >> (8 * i)); };
    auto cutTo = [](size_t n) { return [n](std::string& f) { f.resize(std::min(n, f.size())); }; };
    return {
        {"a zero-byte file", cutTo(0)},
        {"cut inside the file header", cutTo(10)},
        {"cut inside the bitmap header", cutTo(30)},
        {"cut inside the colour table", cutTo(14 + 40 + 500)},
        {"cut to half its bytes", [](std::string& f) { f.resize(f.size() / 2); }},
        {"one byte short", [](std::string& f) { f.pop_back(); }},
        {"pixels said to begin past the end", [=](std::string& f) { put32(f, 10, static_cast<uint32_t>(f.size()) + 16); }},
        {"pixels said to begin inside the header", [=](std::string& f) { put32(f, 10, 20); }},
        {"65535 x 65535 over short data", [=](std::string& f) { put32(f, 18, 65535); put32(f, 22, 65535); }},
        {"65535 pixels wide", [=](std::string& f) { put32(f, 18, 65535); }},
        {"an odd header size", [=](std::string& f) { put32(f, 14, 41); }},
        {"no colour planes", [=](std::string& f) { put16(f, 26, 0); }},
        {"two colour planes", [=](std::string& f) { put16(f, 26, 2); }},
        {"257 colours", [=](std::string& f) { put32(f, 46, 257); }},
        {"4 bits a pixel, with 256 colours listed", [=](std::string& f) { put16(f, 28, 4); }},
        {"a run-length run past a row", [=](std::string& f) {
             // RLE8: a first run one pixel longer than the row, then the end of the bitmap.
             put32(f, 30, 1);
             f.resize(14 + 40 + 1024);
             f += std::string{char(width + 1), 0, 0, 1};
         }},
        {"run-length data without its end", [=](std::string& f) {
             put32(f, 30, 1);
             f.resize(14 + 40 + 1024);
             f += std::string{char(width), 0, 0, 0};
         }},
    };
}

// A face w x h of one colour, with see-through corners (squares of corner pixels) when corner > 0.
inline std::vector<uint8_t> Face(int w, int h, COLORREF colour, COLORREF seeThrough, int corner) {
    return BitmapFile(w, h, {seeThrough, colour}, [=](int x, int y) {
        const bool cx = x < corner || x >= w - corner;
        const bool cy = y < corner || y >= h - corner;
        return cx && cy ? 0 : 1;
    });
}

inline std::unique_ptr<TLMDBitmapList> ListOf(const std::vector<std::vector<uint8_t>>& files) {
    auto list = std::make_unique<TLMDBitmapList>();
    for (const auto& file : files) {
        auto item = TLMDBitmapListItem::FromBitmapFile(file.data(), file.size());
        if (item) list->Append(std::move(*item));
    }
    return list;
}

// A page-sized 32-bit bitmap whose pixels can be read; the derived classes say what is drawn in it.
class PagePixels {
public:
    PagePixels() {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, kPageWidth, -kPageHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc_.reset(CreateCompatibleDC(nullptr));
        bitmap_.reset(CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
        old_ = SelectObject(dc_.get(), bitmap_.get());
    }
    ~PagePixels() { SelectObject(dc_.get(), old_); }
    PagePixels(const PagePixels&) = delete;
    PagePixels& operator=(const PagePixels&) = delete;

    COLORREF At(int x, int y) const {
        const uint32_t v = bits_[y * kPageWidth + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // Pixels of colour c inside r, as far as r lies on the page.
    int Count(const RECT& r, COLORREF c) const {
        int n = 0;
        for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, kPageHeight); ++y)
            for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, kPageWidth); ++x) n += At(x, y) == c;
        return n;
    }
    // The smallest rectangle inside r holding every pixel of colour c (empty if none).
    RECT Extent(const RECT& r, COLORREF c) const {
        RECT e{r.right, r.bottom, r.left, r.top};
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (At(x, y) == c) {
                    e.left = std::min<LONG>(e.left, x);
                    e.top = std::min<LONG>(e.top, y);
                    e.right = std::max<LONG>(e.right, x + 1);
                    e.bottom = std::max<LONG>(e.bottom, y + 1);
                }
        if (e.left >= e.right) return RECT{0, 0, 0, 0};
        return e;
    }
    // Writes a 24-bit bitmap file.
    bool Save(const std::string& path) const {
        const int stride = (kPageWidth * 3 + 3) & ~3;
        std::vector<uint8_t> rows(static_cast<size_t>(stride) * kPageHeight);
        for (int y = 0; y < kPageHeight; ++y)
            for (int x = 0; x < kPageWidth; ++x) {
                const uint32_t v = bits_[y * kPageWidth + x];
                uint8_t* p = &rows[static_cast<size_t>((kPageHeight - 1 - y) * stride + x * 3)];
                p[0] = uint8_t(v);
                p[1] = uint8_t(v >> 8);
                p[2] = uint8_t(v >> 16);
            }
        BITMAPINFOHEADER ih{sizeof ih, kPageWidth, kPageHeight, 1, 24, BI_RGB, static_cast<DWORD>(rows.size()), 0, 0, 0, 0};
        BITMAPFILEHEADER fh{};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof fh + sizeof ih;
        fh.bfSize = fh.bfOffBits + static_cast<DWORD>(rows.size());
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) return false;
        std::fwrite(&fh, sizeof fh, 1, f);
        std::fwrite(&ih, sizeof ih, 1, f);
        std::fwrite(rows.data(), 1, rows.size(), f);
        return std::fclose(f) == 0;
    }

protected:
    HDC Dc() const { return dc_.get(); }

private:
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
    uint32_t* bits_ = nullptr;
};

// The page as PaintPage draws it, read back pixel by pixel.
class Rendering : public PagePixels {
public:
    explicit Rendering(Page& page) {
        SendMessageA(page.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Dc()), PRF_CLIENT);
        GdiFlush();
    }
};

// How wide the page draws text in area once set(text) has put it there: the extent of the pixels
// that differ from the area with an empty text, whatever lies behind it.
inline int DrawnWidth(Page& page, const RECT& area, const std::function<void(const std::string&)>& set,
                      const std::string& text) {
    set("");
    Rendering empty(page);
    set(text);
    Rendering drawn(page);
    LONG left = area.right, right = area.left;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (empty.At(x, y) != drawn.At(x, y)) {
                left = std::min<LONG>(left, x);
                right = std::max<LONG>(right, x + 1);
            }
    return right > left ? static_cast<int>(right - left) : 0;
}

inline void Send(Page& page, UINT msg, int x, int y, WPARAM keys = 0) {
    SendMessageA(page.Handle(), msg, keys, MAKELPARAM(x, y));
}
inline void MoveTo(Page& page, int x, int y, WPARAM keys = 0) { Send(page, WM_MOUSEMOVE, x, y, keys); }
inline void Press(Page& page, int x, int y) { Send(page, WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
inline void Release(Page& page, int x, int y) { Send(page, WM_LBUTTONUP, x, y); }
inline void ClickAt(Page& page, int x, int y) {
    MoveTo(page, x, y);
    Press(page, x, y);
    Release(page, x, y);
}

// Puts the real pointer at a client point of the page (as a user would) and tells the page.
inline void PointAt(Page& page, int x, int y, WPARAM keys = 0) {
    POINT p{x, y};
    ClientToScreen(page.Handle(), &p);
    SetCursorPos(p.x, p.y);
    MoveTo(page, x, y, keys);
}
inline void PointerAway() { SetCursorPos(2, 2); }

inline void Fire(Page& page, const Timer& timer) { SendMessageA(page.Handle(), WM_TIMER, timer.Id(), 0); }

// Takes away a quit request that an earlier test's menu left in the thread's queue: a wait of
// this test's menu would take it for its own menu ending and stop waiting.
inline void ForgetEarlierQuit() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// Dispatches messages for ms milliseconds, or until done() is true; returns the time spent.
inline DWORD PumpFor(DWORD ms, const std::function<bool()>& done = {}) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        const DWORD spent = GetTickCount() - start;
        if ((done && done()) || spent >= ms) return spent;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// A top-level window of a second thread, standing in for another program's window (a setup's, or
// whatever the reader switches to): a page that gets the activation back from it is coming back
// from outside the menu. The two threads share their input state, as the system's foreground
// switch between programs cannot be had under Wine without a window manager.
class OtherProgramWindow {
public:
    OtherProgramWindow() {
        const DWORD testThread = GetCurrentThreadId();
        thread_ = std::thread([this, testThread] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "VindrelTestOtherProgram";
            RegisterClassA(&wc);
            HWND w = CreateWindowExA(0, wc.lpszClassName, "Another program", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40,
                                     nullptr, nullptr, wc.hInstance, nullptr);
            MSG msg;
            PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists from now on
            AttachThreadInput(GetCurrentThreadId(), testThread, TRUE);
            threadId_ = GetCurrentThreadId();
            hwnd_ = w;
            while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
                if (!msg.hwnd && msg.message == kActivate) SetActiveWindow(reinterpret_cast<HWND>(msg.lParam));
                DispatchMessageA(&msg);
            }
            AttachThreadInput(GetCurrentThreadId(), testThread, FALSE);
            DestroyWindow(w);
        });
        while (!hwnd_) Sleep(1);
    }
    ~OtherProgramWindow() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    OtherProgramWindow(const OtherProgramWindow&) = delete;
    OtherProgramWindow& operator=(const OtherProgramWindow&) = delete;
    HWND Handle() const { return hwnd_; }

    // The reader switches to this program; true once it is the active window.
    bool ComeToFront() { return ActivateFromHere(hwnd_, [this] { return GetActiveWindow() == hwnd_; }); }
    // From this program, the reader switches to window of the menu (the task bar, Alt+Tab); true
    // once a window of the menu is active.
    bool SwitchTo(HWND window) {
        return ActivateFromHere(window, [this] {
            HWND active = GetActiveWindow();
            return active && active != hwnd_;
        });
    }

private:
    bool ActivateFromHere(HWND window, const std::function<bool()>& done) {
        PostThreadMessageA(threadId_, kActivate, 0, reinterpret_cast<LPARAM>(window));
        PumpFor(2000, done);
        PumpFor(100);  // what the activation posts
        return done();
    }
    static constexpr UINT kActivate = WM_APP + 7;
    std::thread thread_;
    std::atomic<DWORD> threadId_{0};
    std::atomic<HWND> hwnd_{nullptr};
};

// True when window a lies above window b in the z-order.
inline bool IsAbove(HWND a, HWND b) {
    for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == b) return true;
    return false;
}

}  // namespace vindrel::test
