#include "toolkit/BitmapList.h"

#include <algorithm>
#include <cstring>

#include "toolkit/Artwork.h"

namespace vindrel {

namespace {

constexpr uint8_t kCompressed = 0x01;
constexpr uint8_t kHasDescription = 0x02;
constexpr uint8_t kHasIdent = 0x04;
constexpr uint8_t kHasBitmap = 0x08;
constexpr uint8_t kPixelFormatBits = 0x70;
constexpr size_t kMaxChunkExpansion = 32781;
constexpr COLORREF kWhite = 0x00FFFFFF;
// Far beyond any picture of a 640 x 480 menu; keeps the size arithmetic well inside 64 bits.
constexpr int32_t kMaxSide = 16384;

// Bounds-checked little-endian reader: every read says whether the bytes were there.
class Cursor {
public:
    Cursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t Position() const { return pos_; }
    size_t Remaining() const { return size_ - pos_; }
    bool Byte(uint8_t& out) {
        if (Remaining() < 1) return false;
        out = data_[pos_++];
        return true;
    }
    bool U32(uint32_t& out) {
        if (Remaining() < 4) return false;
        out = ReadU32(data_ + pos_);
        pos_ += 4;
        return true;
    }
    bool Take(size_t n, const uint8_t*& out) {
        if (Remaining() < n) return false;
        out = data_ + pos_;
        pos_ += n;
        return true;
    }
    static uint32_t ReadU32(const uint8_t* p) {
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
    static uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Run-length coding of one chunk: a control byte n < 128 copies the next n + 1 bytes, n > 128
// repeats the next byte 257 - n times, 128 does nothing.
bool ExpandRuns(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
    size_t produced = 0;
    size_t pos = 0;
    while (pos < size) {
        const uint8_t n = data[pos++];
        if (n < 128) {
            const size_t count = size_t(n) + 1;
            if (size - pos < count || produced + count > kMaxChunkExpansion) return false;
            out.insert(out.end(), data + pos, data + pos + count);
            pos += count;
            produced += count;
        } else if (n > 128) {
            const size_t count = 257 - size_t(n);
            if (pos >= size || produced + count > kMaxChunkExpansion) return false;
            out.insert(out.end(), count, data[pos++]);
            produced += count;
        }
    }
    return true;
}

size_t Stride(int width, int bitCount) { return ((size_t(width) * size_t(bitCount) + 31) / 32) * 4; }

}  // namespace

std::optional<std::vector<uint8_t>> ExpandChunks(const uint8_t* data, size_t size) {
    std::vector<uint8_t> out;
    Cursor in(data, size);
    while (in.Remaining() > 0) {
        uint32_t length = 0;
        const uint8_t* chunk = nullptr;
        if (!in.U32(length) || !in.Take(length, chunk)) return std::nullopt;
        if (!ExpandRuns(chunk, length, out)) return std::nullopt;
    }
    return out;
}

std::optional<InternalItem> ReadInternal(const uint8_t* data, size_t size, size_t& consumed) {
    Cursor in(data, size);
    InternalItem item;
    if (!in.Byte(item.flags)) return std::nullopt;
    if (item.flags & 0x80) return std::nullopt;
    switch (item.flags & kPixelFormatBits) {
    case 0x00: item.pixelFormat = 0; break;
    case 0x10: item.pixelFormat = 1; break;
    case 0x20: item.pixelFormat = 2; break;
    case 0x40: item.pixelFormat = 3; break;
    default: return std::nullopt;  // more than one format bit
    }
    item.compressed = (item.flags & kCompressed) != 0;
    if (item.flags & kHasDescription) {
        uint8_t length = 0;
        const uint8_t* text = nullptr;
        if (!in.Byte(length) || !in.Take(length, text)) return std::nullopt;
        item.description.assign(reinterpret_cast<const char*>(text), length);
    }
    if (item.flags & kHasIdent) {
        if (!in.U32(item.ident)) return std::nullopt;
    }
    if (item.flags & kHasBitmap) {
        uint32_t length = 0;
        const uint8_t* bytes = nullptr;
        if (!in.U32(length) || !in.Take(length, bytes)) return std::nullopt;
        if (item.compressed) {
            auto expanded = ExpandChunks(bytes, length);
            if (!expanded) return std::nullopt;
            item.bitmapFile = std::move(*expanded);
        } else {
            item.bitmapFile.assign(bytes, bytes + length);
        }
    }
    consumed = in.Position();
    return item;
}

std::optional<TLMDBitmapListItem> TLMDBitmapListItem::FromBitmapFile(const uint8_t* data, size_t size) {
    constexpr size_t kFileHeader = 14;
    if (size < kFileHeader + sizeof(BITMAPINFOHEADER)) return std::nullopt;
    if (data[0] != 'B' || data[1] != 'M') return std::nullopt;
    const uint32_t offBits = Cursor::ReadU32(data + 10);
    const uint8_t* info = data + kFileHeader;
    const uint32_t infoSize = Cursor::ReadU32(info);
    if (infoSize < sizeof(BITMAPINFOHEADER) || infoSize > size - kFileHeader) return std::nullopt;
    const int32_t width = static_cast<int32_t>(Cursor::ReadU32(info + 4));
    const int32_t height = static_cast<int32_t>(Cursor::ReadU32(info + 8));
    const uint16_t planes = Cursor::ReadU16(info + 12);
    const uint16_t bitCount = Cursor::ReadU16(info + 14);
    const uint32_t compression = Cursor::ReadU32(info + 16);
    const uint32_t clrUsed = Cursor::ReadU32(info + 32);
    if (planes != 1 || compression != BI_RGB) return std::nullopt;
    if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
        return std::nullopt;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return std::nullopt;

    // Only palette formats carry colours we use; a colour table of a true-colour file is skipped.
    size_t colours = 0;
    if (bitCount <= 8) {
        const uint32_t maxColours = 1u << bitCount;
        if (clrUsed > maxColours) return std::nullopt;
        colours = clrUsed ? clrUsed : maxColours;
    }
    const size_t paletteEnd = kFileHeader + infoSize + colours * sizeof(RGBQUAD);
    const int rows = height < 0 ? -height : height;
    const size_t stride = Stride(width, bitCount);
    const size_t pixelBytes = stride * size_t(rows);
    if (paletteEnd > size || offBits < paletteEnd || offBits > size || size - offBits < pixelBytes)
        return std::nullopt;

    TLMDBitmapListItem item;
    item.colours_.resize(colours);
    if (colours) std::memcpy(item.colours_.data(), data + kFileHeader + infoSize, colours * sizeof(RGBQUAD));

    std::vector<uint8_t> infoBlock(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    auto* bmi = reinterpret_cast<BITMAPINFO*>(infoBlock.data());
    bmi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi->bmiHeader.biWidth = width;
    bmi->bmiHeader.biHeight = height;
    bmi->bmiHeader.biPlanes = 1;
    bmi->bmiHeader.biBitCount = bitCount;
    bmi->bmiHeader.biCompression = BI_RGB;
    bmi->bmiHeader.biClrUsed = static_cast<DWORD>(colours);
    if (colours) std::memcpy(bmi->bmiColors, item.colours_.data(), colours * sizeof(RGBQUAD));

    void* bits = nullptr;
    item.bitmap_.reset(CreateDIBSection(nullptr, bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!item.bitmap_ || !bits) return std::nullopt;
    std::memcpy(bits, data + offBits, pixelBytes);
    GdiFlush();

    if (colours) {
        std::vector<uint8_t> paletteBlock(sizeof(LOGPALETTE) + colours * sizeof(PALETTEENTRY), 0);
        auto* logical = reinterpret_cast<LOGPALETTE*>(paletteBlock.data());
        logical->palVersion = 0x300;
        logical->palNumEntries = static_cast<WORD>(colours);
        for (size_t i = 0; i < colours; ++i) {
            logical->palPalEntry[i].peRed = item.colours_[i].rgbRed;
            logical->palPalEntry[i].peGreen = item.colours_[i].rgbGreen;
            logical->palPalEntry[i].peBlue = item.colours_[i].rgbBlue;
            logical->palPalEntry[i].peFlags = 0;
        }
        item.palette_.reset(CreatePalette(logical));
    }
    item.bits_ = static_cast<const uint8_t*>(bits);
    item.width_ = width;
    item.height_ = rows;
    item.topDown_ = height < 0;
    item.bitCount_ = bitCount;
    item.stride_ = stride;
    return item;
}

UniqueBitmap TLMDBitmapListItem::DibFromBitmapFile(const uint8_t* data, size_t size) {
    auto item = FromBitmapFile(data, size);
    return item ? std::move(item->bitmap_) : UniqueBitmap();
}

std::optional<TLMDBitmapListItem> TLMDBitmapListItem::FromInternal(const InternalItem& stored) {
    TLMDBitmapListItem item;
    // A zero-length bitmap is an empty picture, as a bitmap loaded from no bytes would be.
    if (!stored.bitmapFile.empty()) {
        auto decoded = FromBitmapFile(stored.bitmapFile.data(), stored.bitmapFile.size());
        if (!decoded) return std::nullopt;
        item = std::move(*decoded);
    }
    item.ident_ = static_cast<uint16_t>(stored.ident);
    item.description_ = stored.description;
    item.compressed_ = stored.compressed;
    item.pixelFormat_ = stored.pixelFormat;
    return item;
}

COLORREF TLMDBitmapListItem::Pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return kWhite;
    const int row = topDown_ ? y : height_ - 1 - y;
    const uint8_t* p = bits_ + size_t(row) * stride_;
    auto fromTable = [this](unsigned index) -> COLORREF {
        if (index >= colours_.size()) return 0;
        const RGBQUAD& c = colours_[index];
        return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
    };
    switch (bitCount_) {
    case 1: return fromTable((p[x / 8] >> (7 - x % 8)) & 1);
    case 4: return fromTable((p[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F);
    case 8: return fromTable(p[x]);
    case 16: {
        const unsigned v = Cursor::ReadU16(p + 2 * size_t(x));
        auto scale = [](unsigned five) { return BYTE((five << 3) | (five >> 2)); };
        return RGB(scale((v >> 10) & 31), scale((v >> 5) & 31), scale(v & 31));
    }
    case 24: return RGB(p[3 * x + 2], p[3 * x + 1], p[3 * x]);
    case 32: return RGB(p[4 * x + 2], p[4 * x + 1], p[4 * x]);
    default: return kWhite;
    }
}

RECT PlaceFace(const RECT& target, int w, int h, ButtonFaceStyle style) {
    const int tw = target.right - target.left;
    const int th = target.bottom - target.top;
    auto at = [&](int left, int top, int width, int height) {
        return RECT{left, top, left + width, top + height};
    };
    switch (style) {
    case ButtonFaceStyle::sbNone:
    case ButtonFaceStyle::sbAutosize: return at(target.left, target.top, w, h);
    case ButtonFaceStyle::sbCenter:
        return at(target.left + (tw - w) / 2, target.top + (th - h) / 2, w, h);
    case ButtonFaceStyle::sbStretch:
    case ButtonFaceStyle::sbTile: return target;
    case ButtonFaceStyle::sbKeepAspRatio: {
        if (w <= 0 || h <= 0) return at(target.left, target.top, 0, 0);
        // Compare tw/w with th/h without rounding: the narrower fit decides.
        if (int64_t(tw) * h <= int64_t(th) * w)
            return at(target.left, target.top, tw, int(int64_t(h) * tw / w));
        return at(target.left, target.top, int(int64_t(w) * th / h), th);
    }
    case ButtonFaceStyle::sbKeepWidth: return at(target.left, target.top, w, th);
    case ButtonFaceStyle::sbKeepHeight: return at(target.left, target.top, tw, h);
    }
    return at(target.left, target.top, w, h);
}

TLMDBitmapList::~TLMDBitmapList() {
    // A listener may unregister while being told; it then finds the list already empty.
    auto links = std::move(links_);
    links_.clear();
    for (BitmapListListener* link : links) link->BitmapListDestroyed(*this);
}

std::unique_ptr<TLMDBitmapList> TLMDBitmapList::FromInternal(const std::vector<std::vector<uint8_t>>& blobs) {
    auto list = std::make_unique<TLMDBitmapList>();
    for (const auto& blob : blobs) {
        size_t consumed = 0;
        auto stored = ReadInternal(blob.data(), blob.size(), consumed);
        if (!stored || consumed != blob.size()) return nullptr;
        auto item = TLMDBitmapListItem::FromInternal(*stored);
        if (!item) return nullptr;
        list->Append(std::move(*item));
    }
    return list;
}

std::unique_ptr<TLMDBitmapList> TLMDBitmapList::FromPacked(const uint8_t* data, size_t size) {
    Cursor in(data, size);
    uint32_t count = 0;
    if (!in.U32(count) || count > in.Remaining() / 4) return nullptr;
    std::vector<std::vector<uint8_t>> blobs;
    blobs.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t length = 0;
        const uint8_t* blob = nullptr;
        if (!in.U32(length) || !in.Take(length, blob)) return nullptr;
        blobs.emplace_back(blob, blob + length);
    }
    if (in.Remaining() != 0) return nullptr;
    return FromInternal(blobs);
}

std::unique_ptr<TLMDBitmapList> TLMDBitmapList::FromResource(HINSTANCE module, const char* name) {
    const art::Stored stored = art::StoredResource(module, name);
    if (!stored.data) return nullptr;
    Cursor in(stored.data, stored.size);
    uint32_t count = 0;
    if (!in.U32(count) || count > in.Remaining() / 8) return nullptr;
    auto list = std::make_unique<TLMDBitmapList>();
    list->items_.resize(count);
    for (Slot& slot : list->items_) {
        if (!in.U32(slot.expandedSize) || !in.U32(slot.packedSize) || !in.Take(slot.packedSize, slot.packed))
            return nullptr;
    }
    if (in.Remaining() != 0) return nullptr;
    return list;
}

void TLMDBitmapList::Append(TLMDBitmapListItem item) {
    items_.emplace_back();
    items_.back().item = std::move(item);
}

const TLMDBitmapListItem& TLMDBitmapList::Item(int index) const {
    const Slot& slot = items_[static_cast<size_t>(index)];
    if (!slot.item) {
        slot.item.emplace();
        auto blob = art::Inflate(slot.packed, slot.packedSize, slot.expandedSize);
        size_t consumed = 0;
        auto stored = blob ? ReadInternal(blob->data(), blob->size(), consumed) : std::nullopt;
        if (stored && consumed == blob->size())
            if (auto item = TLMDBitmapListItem::FromInternal(*stored)) slot.item = std::move(*item);
    }
    return *slot.item;
}

int TLMDBitmapList::Decoded() const {
    int n = 0;
    for (const Slot& slot : items_) n += slot.item ? 1 : 0;
    return n;
}

bool TLMDBitmapList::IsValid(int index) const {
    return index >= 0 && index < Count() && !Item(index).Empty();
}

int TLMDBitmapList::Width(int index) const { return index >= 0 && index < Count() ? Item(index).Width() : 0; }

int TLMDBitmapList::Height(int index) const { return index >= 0 && index < Count() ? Item(index).Height() : 0; }

HPALETTE TLMDBitmapList::Palette(int index) const {
    return index >= 0 && index < Count() ? Item(index).Palette() : nullptr;
}

HBITMAP TLMDBitmapList::Bitmap(int index) const {
    return index >= 0 && index < Count() ? Item(index).Bitmap() : nullptr;
}

COLORREF TLMDBitmapList::TransparentColor(int index) const {
    if (index < 0 || index >= Count()) return kWhite;
    const auto& item = Item(index);
    return item.Pixel(0, item.Height() - 1);
}

COLORREF TLMDBitmapList::Pixel(int index, int x, int y) const {
    if (index < 0 || index >= Count()) return kWhite;
    return Item(index).Pixel(x, y);
}

RECT TLMDBitmapList::Draw(HDC dc, const RECT& target, int index, ButtonFaceStyle style, bool transparent,
                          bool realisePalette) const {
    if (!IsValid(index)) return RECT{target.left, target.top, target.left, target.top};
    const auto& item = Item(index);
    const int w = item.Width();
    const int h = item.Height();
    const RECT covered = PlaceFace(target, w, h, style);
    const COLORREF see = TransparentColor(index);

    UniqueMemoryDc source(CreateCompatibleDC(dc));
    if (!source) return covered;
    SelectGuard selected(source.get(), item.Bitmap());
    DcStateGuard state(dc);
    std::optional<PaletteGuard> palette;
    if (realisePalette && item.Palette()) palette.emplace(dc, item.Palette());
    SetStretchBltMode(dc, COLORONCOLOR);

    auto put = [&](const RECT& r) {
        const int rw = r.right - r.left;
        const int rh = r.bottom - r.top;
        if (rw <= 0 || rh <= 0) return;
        if (transparent)
            GdiTransparentBlt(dc, r.left, r.top, rw, rh, source.get(), 0, 0, w, h, see);
        else if (rw == w && rh == h)
            BitBlt(dc, r.left, r.top, w, h, source.get(), 0, 0, SRCCOPY);
        else
            StretchBlt(dc, r.left, r.top, rw, rh, source.get(), 0, 0, w, h, SRCCOPY);
    };

    if (style == ButtonFaceStyle::sbTile) {
        IntersectClipRect(dc, target.left, target.top, target.right, target.bottom);
        for (int y = target.top; y < target.bottom; y += h)
            for (int x = target.left; x < target.right; x += w) put(RECT{x, y, x + w, y + h});
    } else {
        put(covered);
    }
    return covered;
}

void TLMDBitmapList::AddChangeLink(BitmapListListener* listener) {
    if (listener && std::find(links_.begin(), links_.end(), listener) == links_.end())
        links_.push_back(listener);
}

void TLMDBitmapList::RemoveChangeLink(BitmapListListener* listener) {
    links_.erase(std::remove(links_.begin(), links_.end(), listener), links_.end());
}

}  // namespace vindrel
