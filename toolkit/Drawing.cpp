#include "toolkit/Drawing.h"

namespace vindrel {

COLORREF ResolveColour(COLORREF colour) {
    if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFF));
    return colour & 0x00FFFFFF;
}

UniqueFont CreateFontFrom(const FontSpec& font) {
    LOGFONTA lf{};
    lf.lfHeight = -font.height;  // negative: character height, without internal leading
    lf.lfWeight = (font.style & Bold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.style & Italic) ? TRUE : FALSE;
    lf.lfUnderline = (font.style & Underline) ? TRUE : FALSE;
    lf.lfCharSet = ANSI_CHARSET;  // the Western letters of every text, whatever the system's code page
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
    lstrcpynA(lf.lfFaceName, font.face.c_str(), LF_FACESIZE);
    return UniqueFont(CreateFontIndirectA(&lf));
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    // ExtTextOut with ETO_OPAQUE fills with the background colour without a brush object.
    DcStateGuard state(dc);
    SetBkColor(dc, ResolveColour(colour));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

HDC OffscreenSurface::Ensure(int width, int height) {
    if (dc_ && width <= width_ && height <= height_) return dc_.get();
    Release();
    width = width > 0 ? width : 1;
    height = height > 0 ? height : 1;
    WindowDc screen(nullptr);
    dc_.reset(CreateCompatibleDC(screen.get()));
    bitmap_.reset(CreateCompatibleBitmap(screen.get(), width, height));
    if (!dc_ || !bitmap_) {
        Release();
        return nullptr;
    }
    old_ = SelectObject(dc_.get(), bitmap_.get());
    width_ = width;
    height_ = height;
    return dc_.get();
}

void OffscreenSurface::Release() {
    if (dc_ && old_) SelectObject(dc_.get(), old_);
    old_ = nullptr;
    dc_.reset();
    bitmap_.reset();
    width_ = height_ = 0;
}

void TransparentCopy(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, COLORREF key) {
    GdiTransparentBlt(dst, x, y, w, h, src, sx, sy, w, h, key);
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight};
}

void DrawBitmap(HDC dst, const RECT& r, HBITMAP bitmap, bool transparent) {
    SIZE size = BitmapSize(bitmap);
    if (size.cx == 0 || size.cy == 0) return;
    UniqueMemoryDc src(CreateCompatibleDC(dst));
    if (!src) return;
    SelectGuard select(src.get(), bitmap);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (transparent) {
        COLORREF key = GetPixel(src.get(), 0, size.cy - 1);
        GdiTransparentBlt(dst, r.left, r.top, w, h, src.get(), 0, 0, size.cx, size.cy, key);
    } else if (w == size.cx && h == size.cy) {
        BitBlt(dst, r.left, r.top, w, h, src.get(), 0, 0, SRCCOPY);
    } else {
        DcStateGuard state(dst);
        SetStretchBltMode(dst, COLORONCOLOR);
        StretchBlt(dst, r.left, r.top, w, h, src.get(), 0, 0, size.cx, size.cy, SRCCOPY);
    }
}

}  // namespace vindrel
