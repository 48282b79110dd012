// Owning wrappers for GDI objects and device contexts, and guards that restore what they change.
// Move-only, so no object is deleted twice; selected objects are restored before their DC goes.
#pragma once
#include <windows.h>
#include <utility>

#include "toolkit/UniqueHandle.h"

namespace vindrel {

template <typename T>
struct TypedGdiTraits {
    static T invalid() { return nullptr; }
    static void close(T h) { DeleteObject(h); }
};
struct MemoryDcTraits {
    static HDC invalid() { return nullptr; }
    static void close(HDC h) { DeleteDC(h); }
};

using UniqueBitmap = UniqueHandle<HBITMAP, TypedGdiTraits<HBITMAP>>;
using UniqueFont = UniqueHandle<HFONT, TypedGdiTraits<HFONT>>;
using UniqueBrush = UniqueHandle<HBRUSH, TypedGdiTraits<HBRUSH>>;
using UniquePen = UniqueHandle<HPEN, TypedGdiTraits<HPEN>>;
using UniquePalette = UniqueHandle<HPALETTE, TypedGdiTraits<HPALETTE>>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;

// A window's DC from GetDC, released with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint/EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd_, &ps_); }
    ~PaintDc() { EndPaint(hwnd_, &ps_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }
    const RECT& Area() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back when it goes.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectGuard() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Selects and realises a palette, and puts the previous one back.
class PaletteGuard {
public:
    PaletteGuard(HDC dc, HPALETTE palette, bool background = false) : dc_(dc) {
        if (palette) {
            old_ = SelectPalette(dc_, palette, background ? TRUE : FALSE);
            RealizePalette(dc_);
        }
    }
    ~PaletteGuard() {
        if (old_) SelectPalette(dc_, old_, TRUE);
    }
    PaletteGuard(const PaletteGuard&) = delete;
    PaletteGuard& operator=(const PaletteGuard&) = delete;

private:
    HDC dc_;
    HPALETTE old_ = nullptr;
};

// Saves the DC's whole state (text colour, background mode, clip region) and restores it.
class DcStateGuard {
public:
    explicit DcStateGuard(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~DcStateGuard() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    DcStateGuard(const DcStateGuard&) = delete;
    DcStateGuard& operator=(const DcStateGuard&) = delete;

private:
    HDC dc_;
    int saved_;
};

}  // namespace vindrel
