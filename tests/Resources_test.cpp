// The artwork and sounds built into the program: every bitmap list with its entries and sizes,
// the colours that see-through drawing and hit tests compare, the pictures and the wave files.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "services/CDrom.h"
#include "toolkit/Artwork.h"
#include "toolkit/BitmapList.h"
#include "toolkit/Drawing.h"

using namespace vindrel;

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }
constexpr uint16_t kPcm = 1;

struct Raw {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

Raw Resource(const char* name, const char* type) {
    HRSRC found = FindResourceA(Self(), name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(Self(), found);
    return {static_cast<const uint8_t*>(LockResource(loaded)), SizeofResource(Self(), found)};
}

uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

struct ListCase {
    const char* resource;
    std::vector<SIZE> sizes;
};

std::vector<SIZE> Same(int count, int w, int h) { return std::vector<SIZE>(size_t(count), SIZE{w, h}); }

std::vector<ListCase> AllLists() {
    return {
        {art::kGreens, Same(2, 90, 45)},
        {art::kBmpExit, Same(2, 81, 53)},
        {art::kBmpAction, Same(3, 280, 80)},
        {art::kBmpSimulator, Same(3, 280, 80)},
        {art::kBmpSport, Same(3, 280, 80)},
        {art::kBmpAdventure, Same(3, 280, 80)},
        {art::kBmpStrategi, Same(3, 280, 80)},
        {art::kBmpJunior, Same(3, 280, 80)},
        {art::kBmpOpKnapper, Same(2, 46, 46)},
        {art::kBmpNedKnapper, Same(2, 46, 46)},
        {art::kBagKategorier, Same(8, 240, 42)},
        {art::kStortTomt, Same(1, 240, 330)},
        {art::kIndexBaggrunde, Same(10, 209, 42)},
        {art::kLilleOpPil, Same(2, 17, 17)},
        {art::kLilleNedPil, Same(2, 17, 17)},
        {art::kTomtBillede, Same(1, 10, 10)},
        {art::kFlagBilleder, {{69, 69}, {67, 67}, {67, 67}, {68, 68}, {69, 69}, {69, 69}, {69, 69}, {68, 68}}},
    };
}

// The hit-test colours the rows' buttons use; a row pixel of one of them would be a dead spot.
const std::set<COLORREF> kRowHitColours = {0x0007AB18, 0x00078F17, 0x0007AD2F, 0x0025B11F, 0x00473B46,
                                           0x0007902F, 0x0021771E, 0x0007AF48, 0x00077844};

}  // namespace

TEST(ArtworkLists, EveryListHasItsEntriesAndSizes) {
    const auto cases = AllLists();
    ASSERT_EQ(cases.size(), 17u);
    size_t total = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.resource);
        auto list = TLMDBitmapList::FromResource(Self(), c.resource);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->Count(), int(c.sizes.size()));
        for (int i = 0; i < list->Count(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_TRUE(list->IsValid(i));
            EXPECT_EQ(list->Width(i), c.sizes[size_t(i)].cx);
            EXPECT_EQ(list->Height(i), c.sizes[size_t(i)].cy);
            EXPECT_EQ(list->Item(i).BitCount(), 8);
            EXPECT_NE(list->Palette(i), nullptr);
        }
        EXPECT_FALSE(list->IsValid(list->Count()));
        total += c.sizes.size();
    }
    EXPECT_EQ(total, 58u);
    EXPECT_EQ(TLMDBitmapList::FromResource(Self(), "LIST_NONE"), nullptr);
}

TEST(ArtworkLists, GreensAnswersAsTheButtonsExpect) {
    auto greens = TLMDBitmapList::FromResource(Self(), art::kGreens);
    ASSERT_NE(greens, nullptr);
    EXPECT_EQ(greens->Count(), 2);
    EXPECT_FALSE(greens->IsValid(2));
    EXPECT_EQ(greens->TransparentColor(0), 0x00473B46u);
    EXPECT_EQ(greens->TransparentColor(1), 0x00473B46u);
    EXPECT_EQ(greens->Pixel(5, 0, 0), 0x00FFFFFFu);
    EXPECT_EQ(greens->Width(0), 90);
    EXPECT_EQ(greens->Height(0), 45);
    // The corners are see-through for the hit test, the middle is not.
    EXPECT_EQ(greens->Pixel(0, 0, 0), 0x00473B46u);
    EXPECT_EQ(greens->Pixel(0, 89, 44), 0x00473B46u);
    EXPECT_NE(greens->Pixel(0, 45, 22), 0x00473B46u);
    EXPECT_NE(greens->Pixel(1, 45, 22), 0x00473B46u);
}

TEST(ArtworkLists, SeeThroughColoursSitOutsideTheShapesOnly) {
    struct Case {
        const char* resource;
        COLORREF corner;  // bottom-left: left out when drawn transparently
        COLORREF hitColour;  // what the buttons' hit test treats as outside
    } cases[] = {
        {art::kBmpExit, 0x00FFFFFF, 0x00FFFFFF},
        {art::kBmpOpKnapper, 0x00FFFFFF, 0x00FFFFFF},
        {art::kBmpNedKnapper, 0x00FFFFFF, 0x00FFFFFF},
        {art::kLilleOpPil, 0x00000000, 0x00000000},
        {art::kLilleNedPil, 0x00FFFF00, 0x00FFFF00},
        {art::kFlagBilleder, 0x00000000, 0x00000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.resource);
        auto list = TLMDBitmapList::FromResource(Self(), c.resource);
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < list->Count(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(list->TransparentColor(i), c.corner);
            const int w = list->Width(i), h = list->Height(i);
            EXPECT_EQ(list->Pixel(i, w - 1, 0), c.corner) << "top-right corner";
            // The middle of the shape is solid, and so is a horizontal strip through it.
            for (int x = w / 3; x < w - w / 3; ++x) {
                EXPECT_NE(list->Pixel(i, x, h / 2), c.hitColour) << "x " << x;
            }
        }
    }
}

TEST(ArtworkLists, ListRowsHaveNoDeadSpots) {
    for (const char* name : {art::kBagKategorier, art::kIndexBaggrunde}) {
        SCOPED_TRACE(name);
        auto list = TLMDBitmapList::FromResource(Self(), name);
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < list->Count(); ++i) {
            int dead = 0;
            for (int y = 0; y < list->Height(i); ++y)
                for (int x = 0; x < list->Width(i); ++x) dead += kRowHitColours.count(list->Pixel(i, x, y)) ? 1 : 0;
            EXPECT_EQ(dead, 0) << "entry " << i;
        }
    }
    // The uninstall page's rows test against white.
    auto rows = TLMDBitmapList::FromResource(Self(), art::kBagKategorier);
    ASSERT_NE(rows, nullptr);
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 217; ++x) ASSERT_NE(rows->Pixel(0, x, y), 0x00FFFFFFu) << x << "," << y;
}

TEST(ArtworkLists, StoredItemsHaveTheirFlagsIdentifiersAndLengths) {
    struct Case {
        const char* resource;
        uint8_t flags;
        uint32_t firstIdent;
    } cases[] = {
        {art::kGreens, 0x08, 0},        {art::kBmpAction, 0x0C, 1}, {art::kBmpJunior, 0x0C, 16},
        {art::kFlagBilleder, 0x08, 0}, {art::kStortTomt, 0x09, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.resource);
        // Each item is kept deflated: its expanded length, its stored length, then the stream.
        const Raw raw = Resource(c.resource, MAKEINTRESOURCEA(10));
        ASSERT_NE(raw.data, nullptr);
        ASSERT_GE(raw.size, 4u);
        const uint32_t count = U32(raw.data);
        size_t pos = 4, expandedTotal = 0;
        for (uint32_t i = 0; i < count; ++i) {
            SCOPED_TRACE(i);
            ASSERT_LE(pos + 8, raw.size);
            const uint32_t length = U32(raw.data + pos);
            const uint32_t packed = U32(raw.data + pos + 4);
            ASSERT_LE(pos + 8 + packed, raw.size);
            const auto item = art::Inflate(raw.data + pos + 8, packed, length);
            ASSERT_TRUE(item.has_value());
            EXPECT_EQ(art::Inflate(raw.data + pos + 8, packed, length + 1), std::nullopt) << "exactly that long";
            EXPECT_EQ((*item)[0], c.flags);
            if (c.flags == 0x0C) {
                EXPECT_EQ(length, 23487u) << "flags, identifier, size and a 23,478-byte tile";
                EXPECT_EQ(U32(item->data() + 1), c.firstIdent + i);
            }
            if (c.flags == 0x08) {
                EXPECT_EQ(U32(item->data() + 1), length - 5);
            }
            pos += 8 + packed;
            expandedTotal += length;
        }
        EXPECT_EQ(pos, raw.size);
        EXPECT_LT(raw.size, expandedTotal) << "stored smaller than it is";
    }
    auto big = TLMDBitmapList::FromResource(Self(), art::kStortTomt);
    ASSERT_NE(big, nullptr);
    EXPECT_TRUE(big->Item(0).Compressed());
    EXPECT_TRUE(big->IsValid(0));
}

TEST(ArtworkPictures, BackgroundsAre640x480With256ColoursAndRawPixels) {
    for (const char* name : {art::kHovedmenu, "Hovedmenu"}) {
        SCOPED_TRACE(name);
        // Stored deflated; expanded, a bitmap file whose pixels are not run-length coded.
        const Raw stored = Resource(name, MAKEINTRESOURCEA(10));
        const auto file = art::UnpackPicture(Self(), name);
        ASSERT_TRUE(file.has_value());
        EXPECT_LT(stored.size * 2, file->size());
        ASSERT_GE(file->size(), 54u);
        const uint8_t* info = file->data() + 14;
        EXPECT_EQ(std::memcmp(file->data(), "BM", 2), 0);
        EXPECT_EQ(U32(info), 40u);
        EXPECT_EQ(int32_t(U32(info + 4)), 640);
        EXPECT_EQ(int32_t(U32(info + 8)), 480);
        EXPECT_EQ(U16(info + 14), 8);
        EXPECT_EQ(U32(info + 16), uint32_t(BI_RGB));
        EXPECT_EQ(U32(info + 32), 256u);
        EXPECT_EQ(file->size() - 14 - 40 - 256 * 4, 307200u);
    }
    EXPECT_EQ(art::UnpackPicture(Self(), "NOPICTURE"), std::nullopt);
}

TEST(ArtworkPictures, DecodedOnFirstUseAndOneBitmapForEveryoneShowingIt) {
    auto rows = TLMDBitmapList::FromResource(Self(), art::kBagKategorier);
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->Count(), 8);
    EXPECT_EQ(rows->Decoded(), 0) << "the entries stay compressed until used";
    EXPECT_EQ(rows->Width(3), 240);
    EXPECT_EQ(rows->Decoded(), 1);

    art::PictureStore store;
    auto first = store.Get(Self(), art::kHovedmenu);
    auto second = store.Get(Self(), "Hovedmenu");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second) << "names compare without case";
    EXPECT_FALSE(first->Decoded());
    EXPECT_EQ(BitmapSize(second->Bitmap()).cx, 640);
    EXPECT_TRUE(first->Decoded());
    EXPECT_EQ(store.Get(Self(), "NOPICTURE"), nullptr);
    // Once nothing shows it, it is let go; the next one is decoded afresh.
    first.reset();
    second.reset();
    EXPECT_FALSE(store.Get(Self(), art::kHovedmenu)->Decoded());
}

TEST(ArtworkPictures, StoredLayoutPicturesHaveTheirSizes) {
    struct Case {
        const char* name;
        int w, h;
    } cases[] = {
        {art::kHovedmenu, 640, 480}, {art::kShadow100, 100, 55},
        {art::kShadow190, 190, 55},  {art::kShadow290, 290, 55},   {art::kShadow200, 200, 110},
        {art::kFedStreg, 241, 7},    {art::kFinStreg, 1, 398},     {art::kRulleskakt, 28, 400},
        {art::kHeHe, 493, 598},      {art::kAnsvarPanel, 242, 398},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UniqueBitmap picture = art::LoadStoredPicture(Self(), c.name);
        ASSERT_TRUE(picture);
        DIBSECTION dib{};
        ASSERT_EQ(GetObjectA(picture.get(), sizeof dib, &dib), int(sizeof dib)) << "a DIB section";
        EXPECT_EQ(dib.dsBm.bmWidth, c.w);
        EXPECT_EQ(dib.dsBm.bmHeight, c.h);
        EXPECT_EQ(dib.dsBmih.biBitCount, 8);
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        SelectGuard selected(dc.get(), picture.get());
        RGBQUAD table[256];
        EXPECT_EQ(GetDIBColorTable(dc.get(), 0, 256, table), 256u);
    }
}

TEST(ArtworkPictures, BackgroundCopiesLineUpWhereThePagesPlaceThem) {
    UniqueBitmap background = art::LoadStoredPicture(Self(), art::kHovedmenu);
    ASSERT_TRUE(background);
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    SelectGuard selected(dc.get(), background.get());
    // The disclaimer's text panel shows the top-left 242 x 398 pixels at 18, 20: no seam.
    int differ = 0;
    for (int y = 0; y < 398; ++y)
        for (int x = 0; x < 242; ++x) differ += GetPixel(dc.get(), x, y) != GetPixel(dc.get(), x + 18, y + 20);
    EXPECT_EQ(differ, 0);
    // The command band is the same from left to right, so one shadow picture fits every page.
    for (int y = 418; y < 480; ++y) {
        const COLORREF first = GetPixel(dc.get(), 0, y);
        int off = 0;
        for (int x = 1; x < 640; ++x) off += GetPixel(dc.get(), x, y) != first;
        EXPECT_EQ(off, 0) << "row " << y;
    }
    UniqueBitmap shadow = art::LoadStoredPicture(Self(), art::kShadow100);
    UniqueMemoryDc sh(CreateCompatibleDC(nullptr));
    SelectGuard selectShadow(sh.get(), shadow.get());
    EXPECT_EQ(GetPixel(sh.get(), 99, 0), GetPixel(dc.get(), 0, 418)) << "clear of the shadow: the band";
}

namespace {
struct Wave {
    uint16_t format = 0, channels = 0, blockAlign = 0, bits = 0;
    uint32_t rate = 0, bytesPerSecond = 0, dataSize = 0;
    std::vector<std::pair<std::string, uint32_t>> chunks;  // id and total size with header
    bool ok = false;
};

Wave ParseWave(const Raw& raw) {
    Wave w;
    if (raw.size < 12 || std::memcmp(raw.data, "RIFF", 4) || std::memcmp(raw.data + 8, "WAVE", 4)) return w;
    if (U32(raw.data + 4) != raw.size - 8) return w;
    size_t pos = 12;
    while (pos + 8 <= raw.size) {
        const std::string id(reinterpret_cast<const char*>(raw.data + pos), 4);
        const uint32_t size = U32(raw.data + pos + 4);
        if (pos + 8 + size > raw.size) return w;
        const uint8_t* body = raw.data + pos + 8;
        if (id == "fmt " && size >= 16) {
            w.format = U16(body);
            w.channels = U16(body + 2);
            w.rate = U32(body + 4);
            w.bytesPerSecond = U32(body + 8);
            w.blockAlign = U16(body + 12);
            w.bits = U16(body + 14);
        }
        if (id == "data") w.dataSize = size;
        if (id == "LIST" && (size < 4 || std::memcmp(body, "INFO", 4))) return w;
        w.chunks.emplace_back(id, size + 8 + (size & 1));
        pos += 8 + size + (size & 1);
    }
    w.ok = pos == raw.size;
    return w;
}
}  // namespace

TEST(ArtworkSounds, ClickAndTilbageAreOne16BitRecordingCarriedOnce) {
    const Raw click = Resource(art::kClick, "WAVE");
    const Raw tilbage = Resource(UiSoundResource(art::kTilbage), "WAVE");
    ASSERT_NE(click.data, nullptr);
    EXPECT_EQ(tilbage.data, click.data);
    EXPECT_EQ(FindResourceA(Self(), art::kTilbage, "WAVE"), nullptr) << "no second copy";
    const Wave w = ParseWave(click);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.format, kPcm);
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.rate, 11025u);
    EXPECT_EQ(w.bits, 16);
    EXPECT_EQ(w.blockAlign, 2);
    EXPECT_EQ(w.bytesPerSecond, 22050u);
    EXPECT_EQ(w.dataSize, 4350u);
    ASSERT_EQ(w.chunks.size(), 3u);
    EXPECT_EQ(w.chunks[1].first, "data");
    EXPECT_EQ(w.chunks[2].first, "LIST");
    EXPECT_EQ(w.chunks[2].second, 74u) << "the INFO list follows the samples, 74 bytes with its header";
}

TEST(ArtworkSounds, NamesCompareWithoutCase) {
    // The pages play "Click" and "Tilbage"; the resources are named in capitals.
    for (const char* name : {"Click", "Tilbage", "tilbage", "TILBAGE"}) {
        EXPECT_NE(FindResourceA(Self(), UiSoundResource(name), "WAVE"), nullptr) << name;
    }
}
