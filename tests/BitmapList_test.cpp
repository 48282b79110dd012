// Bitmap lists: the stored item form, decoding of bitmap files, queries by index, drawing into
// real GDI surfaces, and the change links of the buttons that use a list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "toolkit/BitmapList.h"
#include "toolkit/Gdi.h"

using namespace vindrel;

namespace {

using Bytes = std::vector<uint8_t>;

void PutU32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
void PutU16(Bytes& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void SetU32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// An 8-bit bitmap file as a paint program writes it: bottom-up rows, 256-entry colour table.
// index(x, y) gives the palette index at column x, row y counted from the top.
Bytes Bmp8(int w, int h, const std::vector<COLORREF>& colours, const std::function<uint8_t(int, int)>& index,
           bool topDown = false) {
    const uint32_t stride = (uint32_t(w) + 3) & ~3u;
    const uint32_t offBits = 14 + 40 + 256 * 4;
    Bytes b = {'B', 'M'};
    PutU32(b, offBits + stride * uint32_t(h));
    PutU32(b, 0);
    PutU32(b, offBits);
    PutU32(b, 40);
    PutU32(b, uint32_t(w));
    PutU32(b, uint32_t(topDown ? -h : h));
    PutU16(b, 1);
    PutU16(b, 8);
    PutU32(b, 0);
    PutU32(b, stride * uint32_t(h));
    PutU32(b, 2835);
    PutU32(b, 2835);
    PutU32(b, 256);
    PutU32(b, 0);
    for (int i = 0; i < 256; ++i) {
        COLORREF c = i < int(colours.size()) ? colours[i] : 0;
        b.push_back(GetBValue(c));
        b.push_back(GetGValue(c));
        b.push_back(GetRValue(c));
        b.push_back(0);
    }
    for (int r = 0; r < h; ++r) {
        const int y = topDown ? r : h - 1 - r;
        for (uint32_t x = 0; x < stride; ++x) b.push_back(x < uint32_t(w) ? index(int(x), y) : 0);
    }
    return b;
}

Bytes Item(uint8_t flags, const Bytes& bmp, uint32_t ident = 0, const std::string& description = "") {
    Bytes b = {flags};
    if (flags & 0x02) {
        b.push_back(uint8_t(description.size()));
        b.insert(b.end(), description.begin(), description.end());
    }
    if (flags & 0x04) PutU32(b, ident);
    if (flags & 0x08) {
        PutU32(b, uint32_t(bmp.size()));
        b.insert(b.end(), bmp.begin(), bmp.end());
    }
    return b;
}

constexpr COLORREF kRed = RGB(200, 20, 30);
constexpr COLORREF kBlue = RGB(10, 40, 220);
constexpr COLORREF kKey = RGB(0x46, 0x3B, 0x47);
constexpr COLORREF kWhite = 0x00FFFFFF;

// 6 x 4: a red frame with a blue middle; the bottom-left pixel is the see-through colour.
Bytes SmallBmp() {
    return Bmp8(6, 4, {kRed, kBlue, kKey}, [](int x, int y) -> uint8_t {
        if (x == 0 && y == 3) return 2;
        return (x > 0 && x < 5 && y > 0 && y < 3) ? 1 : 0;
    });
}

// A 32-bit memory surface filled with one colour, for drawing into and reading back.
class Surface {
public:
    Surface(int w, int h, COLORREF fill) : w_(w), h_(h) {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = w;
        bmi.bmiHeader.biHeight = -h;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
        dc_.reset(CreateCompatibleDC(nullptr));
        old_ = SelectObject(dc_.get(), bitmap_.get());
        UniqueBrush brush(CreateSolidBrush(fill));
        RECT all{0, 0, w, h};
        FillRect(dc_.get(), &all, brush.get());
    }
    ~Surface() { SelectObject(dc_.get(), old_); }
    HDC dc() const { return dc_.get(); }
    COLORREF At(int x, int y) const { return GetPixel(dc_.get(), x, y); }

private:
    int w_, h_;
    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    HGDIOBJ old_ = nullptr;
};

struct Recorder : BitmapListListener {
    int told = 0;
    const TLMDBitmapList* last = nullptr;
    std::function<void()> onTold;
    void BitmapListDestroyed(const TLMDBitmapList& list) override {
        ++told;
        last = &list;
        if (onTold) onTold();
    }
};

}  // namespace

TEST(BitmapListStoredForm, ItemsOccupyFlagsIdentifierSizeAndBitmap) {
    // 280 x 80 with a 256-colour table: the size of a category tile, 23,478 bytes.
    const Bytes tile = Bmp8(280, 80, {kRed}, [](int, int) { return uint8_t(0); });
    ASSERT_EQ(tile.size(), 23478u);
    struct Case {
        uint8_t flags;
        std::string description;
        size_t expected;
    } cases[] = {
        {0x0C, "", 23487},      // 1 + 4 + 4 + 23,478
        {0x08, "", 23483},      // 1 + 4 + 23,478
        {0x0E, "Tile", 23492},  // plus a length byte and four characters
        {0x04, "", 5},          // identifier only: no bitmap
        {0x00, "", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags 0x" << std::hex << int(c.flags));
        const Bytes blob = Item(c.flags, tile, 1, c.description);
        ASSERT_EQ(blob.size(), c.expected);
        size_t consumed = 0;
        auto item = ReadInternal(blob.data(), blob.size(), consumed);
        ASSERT_TRUE(item.has_value());
        EXPECT_EQ(consumed, c.expected);
        EXPECT_EQ(item->ident, (c.flags & 0x04) ? 1u : 0u);
        EXPECT_EQ(item->description, c.description);
        EXPECT_EQ(item->bitmapFile.size(), (c.flags & 0x08) ? tile.size() : 0u);
        auto list = TLMDBitmapList::FromInternal({blob});
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->IsValid(0), (c.flags & 0x08) != 0);
        EXPECT_EQ(list->Item(0).Ident(), (c.flags & 0x04) ? 1 : 0);
    }
}

TEST(BitmapListStoredForm, FlagBitsGivePixelFormatAndBadFlagsAreRejected) {
    const Bytes bmp = SmallBmp();
    struct Case {
        uint8_t flags;
        bool ok;
        int pixelFormat;
    } cases[] = {
        {0x08, true, 0}, {0x18, true, 1}, {0x28, true, 2}, {0x48, true, 3},
        {0x38, false, 0},  // two format bits
        {0x88, false, 0},  // bit 7 is always clear
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags 0x" << std::hex << int(c.flags));
        const Bytes blob = Item(c.flags, bmp);
        size_t consumed = 0;
        auto item = ReadInternal(blob.data(), blob.size(), consumed);
        ASSERT_EQ(item.has_value(), c.ok);
        if (c.ok) {
            EXPECT_EQ(item->pixelFormat, c.pixelFormat);
            auto list = TLMDBitmapList::FromInternal({blob});
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(list->Item(0).PixelFormat(), c.pixelFormat);
        }
    }
}

TEST(BitmapListStoredForm, EveryTruncationIsRejectedWithinItsOwnBytes) {
    const Bytes full = Item(0x0E, SmallBmp(), 7, "ab");
    for (size_t n = 0; n < full.size(); ++n) {
        SCOPED_TRACE(testing::Message() << "first " << n << " of " << full.size() << " bytes");
        // An exactly sized copy: a read past the end would leave the allocation.
        const Bytes cut(full.begin(), full.begin() + long(n));
        size_t consumed = 0;
        EXPECT_FALSE(ReadInternal(cut.data(), cut.size(), consumed).has_value());
        EXPECT_EQ(TLMDBitmapList::FromInternal({cut}), nullptr);
    }
    EXPECT_NE(TLMDBitmapList::FromInternal({full}), nullptr);
    // Bytes after the item do not belong to it.
    Bytes longer = full;
    longer.push_back(0);
    EXPECT_EQ(TLMDBitmapList::FromInternal({longer}), nullptr);
}

TEST(BitmapListStoredForm, CorruptBitmapHeadersAreRejected) {
    struct Case {
        const char* what;
        std::function<void(Bytes&)> spoil;
    } cases[] = {
        {"magic", [](Bytes& b) { b[0] = 'X'; }},
        {"core header", [](Bytes& b) { SetU32(b, 14, 12); }},
        {"header larger than file", [](Bytes& b) { SetU32(b, 14, 0x7FFFFFF0); }},
        {"zero width", [](Bytes& b) { SetU32(b, 18, 0); }},
        {"negative width", [](Bytes& b) { SetU32(b, 18, uint32_t(-6)); }},
        {"zero height", [](Bytes& b) { SetU32(b, 22, 0); }},
        {"huge height", [](Bytes& b) { SetU32(b, 22, 0x40000000); }},
        {"most negative height", [](Bytes& b) { SetU32(b, 22, 0x80000000u); }},
        {"planes", [](Bytes& b) { b[26] = 2; }},
        {"bit count", [](Bytes& b) { b[28] = 7; }},
        {"run-length compression", [](Bytes& b) { b[30] = 1; }},
        {"more colours than 8 bits hold", [](Bytes& b) { SetU32(b, 46, 257); }},
        {"pixels before the colour table ends", [](Bytes& b) { SetU32(b, 10, 100); }},
        {"pixels past the end", [](Bytes& b) { SetU32(b, 10, uint32_t(b.size()) - 4); }},
        {"offset past the end", [](Bytes& b) { SetU32(b, 10, 0xFFFFFFF0u); }},
        {"rows missing", [](Bytes& b) { b.resize(b.size() - 1); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bmp = SmallBmp();
        c.spoil(bmp);
        EXPECT_FALSE(TLMDBitmapListItem::FromBitmapFile(bmp.data(), bmp.size()).has_value());
        EXPECT_EQ(TLMDBitmapList::FromInternal({Item(0x08, SmallBmp()), Item(0x08, bmp)}), nullptr);
    }
    // An empty bitmap (no bytes) is allowed; it is only not valid.
    auto list = TLMDBitmapList::FromInternal({Item(0x08, {})});
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->IsValid(0));
}

namespace {
// Chunks the way the packer writes them: 4-byte length, then run-length coded bytes.
Bytes Chunk(const Bytes& coded) {
    Bytes b(4 + coded.size());
    SetU32(b, 0, uint32_t(coded.size()));
    std::copy(coded.begin(), coded.end(), b.begin() + 4);
    return b;
}
Bytes Literal(const Bytes& bytes) {  // up to 128 bytes
    Bytes b = {uint8_t(bytes.size() - 1)};
    b.insert(b.end(), bytes.begin(), bytes.end());
    return b;
}
Bytes CompressedItem(const Bytes& chunks) {
    Bytes b = {0x09};
    PutU32(b, uint32_t(chunks.size()));
    b.insert(b.end(), chunks.begin(), chunks.end());
    return b;
}
// A bitmap file coded as literals (split over two chunks) and runs.
Bytes CodeAsChunks(const Bytes& file) {
    Bytes first, second;
    const size_t half = file.size() / 2;
    for (size_t i = 0; i < half; i += 128) {
        auto end = file.begin() + long(std::min(half, i + 128));
        auto lit = Literal(Bytes(file.begin() + long(i), end));
        first.insert(first.end(), lit.begin(), lit.end());
    }
    for (size_t i = half; i < file.size();) {
        size_t run = 1;
        while (i + run < file.size() && run < 128 && file[i + run] == file[i]) ++run;
        if (run >= 2) {
            second.push_back(uint8_t(257 - run));
            second.push_back(file[i]);
        } else {
            second.push_back(0);
            second.push_back(file[i]);
        }
        second.push_back(128);  // a no-op control byte between codes
        i += run;
    }
    Bytes out = Chunk(first);
    auto b = Chunk(second);
    out.insert(out.end(), b.begin(), b.end());
    return out;
}
}  // namespace

TEST(BitmapListStoredForm, CompressedItemIsExpandedAndLeavesTheNextItemsIntact) {
    const Bytes bmp = SmallBmp();
    const Bytes other = Bmp8(3, 2, {kBlue}, [](int, int) { return uint8_t(0); });
    auto list = TLMDBitmapList::FromInternal(
        {Item(0x08, other), CompressedItem(CodeAsChunks(bmp)), Item(0x0C, other, 42)});
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->Count(), 3);
    EXPECT_TRUE(list->Item(1).Compressed());
    EXPECT_EQ(list->Width(1), 6);
    EXPECT_EQ(list->Height(1), 4);
    EXPECT_EQ(list->Pixel(1, 2, 1), kBlue);
    EXPECT_EQ(list->TransparentColor(1), kKey);
    EXPECT_EQ(list->Width(2), 3);
    EXPECT_EQ(list->Item(2).Ident(), 42);

    struct Case {
        const char* what;
        Bytes chunks;
    } bad[] = {
        {"chunk longer than the total", [] { Bytes b; PutU32(b, 50); b.push_back(0); b.push_back('B'); return b; }()},
        {"chunk length cut short", Bytes{4, 0}},
        {"literal past the chunk", Chunk(Bytes{5, 'B', 'M'})},
        {"run without its byte", Chunk(Bytes{0xFE})},
        {"expands beyond 32,781 bytes", [] {
             Bytes coded;
             for (int i = 0; i < 257; ++i) coded.insert(coded.end(), {0x81, 0});  // 257 x 128 = 32,896
             return Chunk(coded);
         }()},
        {"expansion is no bitmap", Chunk(Literal({'B', 'M', 0, 0}))},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TLMDBitmapList::FromInternal({CompressedItem(c.chunks)}), nullptr);
    }
    // 32,781 bytes in one chunk is still allowed.
    Bytes coded;
    for (int i = 0; i < 256; ++i) coded.insert(coded.end(), {0x81, 0});
    coded.insert(coded.end(), {0xF4, 0});  // 13 more
    const Bytes chunk = Chunk(coded);
    auto expanded = ExpandChunks(chunk.data(), chunk.size());
    ASSERT_TRUE(expanded.has_value());
    EXPECT_EQ(expanded->size(), 32781u);
}

TEST(BitmapListStoredForm, PackedListsNeedExactCountsAndLengths) {
    const Bytes item = Item(0x08, SmallBmp());
    auto pack = [&](uint32_t count, int items, size_t extra) {
        Bytes b;
        PutU32(b, count);
        for (int i = 0; i < items; ++i) {
            PutU32(b, uint32_t(item.size()));
            b.insert(b.end(), item.begin(), item.end());
        }
        b.insert(b.end(), extra, 0);
        return b;
    };
    auto good = pack(2, 2, 0);
    auto list = TLMDBitmapList::FromPacked(good.data(), good.size());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Count(), 2);
    struct Case {
        const char* what;
        Bytes data;
    } bad[] = {{"count larger than the items", pack(3, 2, 0)},
               {"trailing bytes", pack(2, 2, 1)},
               {"huge count", pack(0xFFFFFFFF, 0, 0)},
               {"no count", Bytes{1, 0}}};
    for (const auto& c : bad) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TLMDBitmapList::FromPacked(c.data.data(), c.data.size()), nullptr);
    }
    // Every truncation of a packed list fails too.
    for (size_t n = 0; n < good.size(); n += 7) {
        Bytes cut(good.begin(), good.begin() + long(n));
        EXPECT_EQ(TLMDBitmapList::FromPacked(cut.data(), cut.size()), nullptr) << n;
    }
}

TEST(BitmapList, AnswersByIndexWithWhiteAndZeroOutOfRange) {
    auto list = TLMDBitmapList::FromInternal({Item(0x08, SmallBmp()), Item(0x04, {}, 3)});
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_TRUE(list->IsValid(0));
    EXPECT_FALSE(list->IsValid(1)) << "an entry without a bitmap";
    EXPECT_EQ(list->Width(0), 6);
    EXPECT_EQ(list->Height(0), 4);
    EXPECT_NE(list->Palette(0), nullptr);
    EXPECT_NE(list->Bitmap(0), nullptr);
    EXPECT_EQ(list->TransparentColor(0), kKey);
    EXPECT_EQ(list->Pixel(0, 0, 0), kRed);
    EXPECT_EQ(list->Pixel(0, 1, 1), kBlue);
    EXPECT_EQ(list->Pixel(0, 0, 3), kKey) << "row 0 is the top row";
    for (int index : {2, 5, -1}) {
        SCOPED_TRACE(index);
        EXPECT_FALSE(list->IsValid(index));
        EXPECT_EQ(list->Width(index), 0);
        EXPECT_EQ(list->Height(index), 0);
        EXPECT_EQ(list->Palette(index), nullptr);
        EXPECT_EQ(list->Bitmap(index), nullptr);
        EXPECT_EQ(list->TransparentColor(index), kWhite);
        EXPECT_EQ(list->Pixel(index, 0, 0), kWhite);
    }
    for (POINT p : {POINT{6, 0}, POINT{0, 4}, POINT{-1, 0}, POINT{0, -1}}) {
        EXPECT_EQ(list->Pixel(0, p.x, p.y), kWhite) << p.x << "," << p.y;
    }
}

TEST(BitmapList, TopDownAndBottomUpFilesGiveTheSamePicture) {
    auto pattern = [](int x, int y) { return uint8_t((x + 2 * y) % 3); };
    const std::vector<COLORREF> colours = {kRed, kBlue, kKey};
    auto list = TLMDBitmapList::FromInternal(
        {Item(0x08, Bmp8(5, 3, colours, pattern, false)), Item(0x08, Bmp8(5, 3, colours, pattern, true))});
    ASSERT_NE(list, nullptr);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(list->Pixel(0, x, y), colours[pattern(x, y)]) << x << "," << y;
            EXPECT_EQ(list->Pixel(1, x, y), colours[pattern(x, y)]) << x << "," << y;
        }
    EXPECT_EQ(list->TransparentColor(0), colours[pattern(0, 2)]);
    EXPECT_EQ(list->TransparentColor(1), colours[pattern(0, 2)]);
    // What GDI itself reads from the DIB section agrees.
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    SelectGuard selected(dc.get(), list->Bitmap(0));
    EXPECT_EQ(GetPixel(dc.get(), 1, 0), list->Pixel(0, 1, 0));
    EXPECT_EQ(GetPixel(dc.get(), 4, 2), list->Pixel(0, 4, 2));
}

TEST(BitmapList, PaletteCarriesTheColourTable) {
    auto list = TLMDBitmapList::FromInternal({Item(0x08, SmallBmp())});
    ASSERT_NE(list, nullptr);
    PALETTEENTRY entries[3]{};
    ASSERT_EQ(GetPaletteEntries(list->Palette(0), 0, 3, entries), 3u);
    EXPECT_EQ(RGB(entries[1].peRed, entries[1].peGreen, entries[1].peBlue), kBlue);
    EXPECT_EQ(RGB(entries[2].peRed, entries[2].peGreen, entries[2].peBlue), kKey);
    EXPECT_EQ(GetPaletteEntries(list->Palette(0), 0, 0, nullptr), 256u);
}

TEST(BitmapListDraw, TransparentDrawingLeavesSeeThroughPixelsOfTheTarget) {
    auto list = TLMDBitmapList::FromInternal({Item(0x08, SmallBmp())});
    ASSERT_NE(list, nullptr);
    constexpr COLORREF kGround = RGB(1, 2, 3);
    for (bool transparent : {true, false}) {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        Surface s(20, 20, kGround);
        RECT covered = list->Draw(s.dc(), RECT{5, 5, 15, 15}, 0, ButtonFaceStyle::sbNone, transparent, true);
        EXPECT_EQ(covered.left, 5);
        EXPECT_EQ(covered.top, 5);
        EXPECT_EQ(covered.right, 11);
        EXPECT_EQ(covered.bottom, 9);
        EXPECT_EQ(s.At(5, 8), transparent ? kGround : kKey) << "the see-through corner";
        EXPECT_EQ(s.At(5, 5), kRed);
        EXPECT_EQ(s.At(7, 6), kBlue);
        EXPECT_EQ(s.At(11, 5), kGround) << "outside the face";
        EXPECT_EQ(s.At(4, 5), kGround);
    }
    // The palette is put back in the target afterwards.
    Surface s(4, 4, kGround);
    HGDIOBJ before = GetCurrentObject(s.dc(), OBJ_PAL);
    list->Draw(s.dc(), RECT{0, 0, 4, 4}, 0, ButtonFaceStyle::sbNone, false, true);
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_PAL), before);
}

TEST(BitmapListDraw, PlacementStylesCoverTheirRectangles) {
    // A 6 x 4 face in a 20 x 10 target at (10, 20), and a 4 x 2 target (face larger).
    const RECT big{10, 20, 30, 30};
    const RECT small{10, 20, 14, 22};
    struct Case {
        ButtonFaceStyle style;
        RECT target;
        RECT expected;
    } cases[] = {
        {ButtonFaceStyle::sbNone, big, {10, 20, 16, 24}},
        {ButtonFaceStyle::sbAutosize, big, {10, 20, 16, 24}},
        {ButtonFaceStyle::sbCenter, big, {17, 23, 23, 27}},
        {ButtonFaceStyle::sbCenter, small, {9, 19, 15, 23}},  // negative offset: (4 - 6) / 2
        {ButtonFaceStyle::sbStretch, big, big},
        {ButtonFaceStyle::sbTile, big, big},
        {ButtonFaceStyle::sbKeepAspRatio, big, {10, 20, 25, 30}},   // height decides: 10 / 4
        {ButtonFaceStyle::sbKeepAspRatio, RECT{0, 0, 12, 40}, {0, 0, 12, 8}},  // width decides
        {ButtonFaceStyle::sbKeepWidth, big, {10, 20, 16, 30}},
        {ButtonFaceStyle::sbKeepHeight, big, {10, 20, 30, 24}},
    };
    auto list = TLMDBitmapList::FromInternal({Item(0x08, SmallBmp())});
    ASSERT_NE(list, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << int(c.style) << " target width "
                                        << c.target.right - c.target.left);
        Surface s(48, 48, RGB(1, 2, 3));
        const RECT r = list->Draw(s.dc(), c.target, 0, c.style, false, false);
        EXPECT_EQ(r.left, c.expected.left);
        EXPECT_EQ(r.top, c.expected.top);
        EXPECT_EQ(r.right, c.expected.right);
        EXPECT_EQ(r.bottom, c.expected.bottom);
        // The covered rectangle is painted: its corners carry the face's corner colours.
        EXPECT_EQ(s.At(r.left, r.top), kRed);
        if (c.style != ButtonFaceStyle::sbTile) {
            EXPECT_EQ(s.At(r.left, r.bottom - 1), kKey);
        }
        EXPECT_EQ(s.At(r.right, r.top), RGB(1, 2, 3)) << "right of the covered rectangle";
    }
    // Tiling repeats the face and stays inside the target.
    Surface s(48, 48, RGB(1, 2, 3));
    list->Draw(s.dc(), RECT{10, 20, 23, 27}, 0, ButtonFaceStyle::sbTile, false, false);
    EXPECT_EQ(s.At(16, 20), kRed) << "second tile's corner";
    EXPECT_EQ(s.At(17, 21), kBlue);
    EXPECT_EQ(s.At(22, 24), kRed) << "third tile, first column";
    EXPECT_EQ(s.At(23, 20), RGB(1, 2, 3)) << "right of the target";
    EXPECT_EQ(s.At(10, 27), RGB(1, 2, 3)) << "below the target";
    // An invalid entry draws nothing and covers nothing.
    const RECT none = list->Draw(s.dc(), RECT{30, 30, 40, 40}, 1, ButtonFaceStyle::sbStretch, false, false);
    EXPECT_EQ(none.left, 30);
    EXPECT_EQ(none.right, 30);
    EXPECT_EQ(none.bottom, 30);
    EXPECT_EQ(s.At(31, 31), RGB(1, 2, 3));
}

TEST(BitmapListChangeLink, UsersAreToldOnceWhenTheListGoes) {
    Recorder kept, removed, twice, self;
    const TLMDBitmapList* address = nullptr;
    {
        auto list = TLMDBitmapList::FromInternal({Item(0x08, SmallBmp())});
        ASSERT_NE(list, nullptr);
        address = list.get();
        list->AddChangeLink(&kept);
        list->AddChangeLink(&removed);
        list->AddChangeLink(&twice);
        list->AddChangeLink(&twice);
        list->AddChangeLink(&self);
        list->AddChangeLink(nullptr);
        list->RemoveChangeLink(&removed);
        // A button that unregisters while it is told (as it drops its reference).
        TLMDBitmapList* raw = list.get();
        self.onTold = [raw, &self] { raw->RemoveChangeLink(&self); };
    }
    EXPECT_EQ(kept.told, 1);
    EXPECT_EQ(kept.last, address);
    EXPECT_EQ(removed.told, 0);
    EXPECT_EQ(twice.told, 1);
    EXPECT_EQ(self.told, 1);
}
