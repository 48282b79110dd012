// Small drawing helpers shared by the page and its controls: colours (with the system colours
// resolved at drawing time), font descriptions, off-screen surfaces and transparent copies.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/Gdi.h"

namespace vindrel {

// Colours are 0x00BBGGRR. A value with the top bit set names a system colour (GetSysColor index
// in the low byte), so that a control follows the system's scheme as it is when drawn.
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kGrey = 0x808080;
constexpr COLORREF kSilver = 0xC0C0C0;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kLime = 0x00FF00;
constexpr COLORREF kGreen = 0x008000;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF SystemColour(int index) { return 0x80000000u | static_cast<COLORREF>(index); }
constexpr COLORREF clWindowText = SystemColour(COLOR_WINDOWTEXT);
constexpr COLORREF clWindow = SystemColour(COLOR_WINDOW);
constexpr COLORREF clBtnFace = SystemColour(COLOR_BTNFACE);
constexpr COLORREF clCaptionText = SystemColour(COLOR_CAPTIONTEXT);

COLORREF ResolveColour(COLORREF colour);

enum FontStyle : unsigned { Regular = 0, Bold = 1, Italic = 2, Underline = 4 };

// A font as the layouts give it: face, character height in pixels without internal leading,
// style and colour.
struct FontSpec {
    std::string face = "MS Sans Serif";
    int height = 11;
    unsigned style = Regular;
    COLORREF colour = clWindowText;

    bool SameFont(const FontSpec& o) const { return face == o.face && height == o.height && style == o.style; }
};

inline FontSpec Verdana(int height, unsigned style = Regular, COLORREF colour = clWindowText) {
    return FontSpec{"Verdana", height, style, colour};
}

UniqueFont CreateFontFrom(const FontSpec& font);

void FillSolid(HDC dc, const RECT& r, COLORREF colour);

// A memory DC with a bitmap compatible with the screen selected into it, made once and reused;
// the bitmap is put back out of the DC before either goes.
class OffscreenSurface {
public:
    OffscreenSurface() = default;
    ~OffscreenSurface() { Release(); }
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;

    // Makes sure the surface is at least width x height; returns its DC (null on failure).
    HDC Ensure(int width, int height);
    HDC Dc() const { return dc_.get(); }

private:
    void Release();
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Copies src (w x h at sx, sy) to dst at x, y, leaving out every pixel of colour key.
void TransparentCopy(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, COLORREF key);

// Draws a bitmap into dst's rectangle r (stretched when r differs from its size), optionally
// leaving out the colour of its bottom-left pixel.
void DrawBitmap(HDC dst, const RECT& r, HBITMAP bitmap, bool transparent);

SIZE BitmapSize(HBITMAP bitmap);

}  // namespace vindrel
