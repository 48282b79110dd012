// Helpers for tests that drive real pages: an application object, bitmap lists built in memory,
// rendering a page through WM_PRINTCLIENT into a bitmap whose pixels can be read, mouse
// messages in client coordinates, and message pumping for a while.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

protected:
    HDC Dc() const { return dc_.get(); }
    const uint32_t* Bits() const { return bits_; }

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

// True when window a lies above window b in the z-order.
inline bool IsAbove(HWND a, HWND b) {
    for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == b) return true;
    return false;
}

}  // namespace vindrel::test
