// TLMDBitmapList: an ordered, read-only list of palette bitmaps that picture buttons take their
// faces from. Lists are loaded from the items' stored "Internal" form, usually out of an RCDATA
// resource made at build time from the artwork.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/Gdi.h"

namespace vindrel {

// How a face is placed in its button (the buttons' ButtonFaceStyle property).
enum class ButtonFaceStyle {
    sbNone,          // top-left corner, natural size
    sbAutosize,      // as sbNone; the button itself resizes to the face
    sbCenter,        // centred at natural size (offset may be negative)
    sbStretch,       // stretched to the target
    sbTile,          // repeated from the top-left, clipped to the target
    sbKeepAspRatio,  // largest size with the face's aspect that fits, top-left
    sbKeepWidth,     // natural width, stretched to the target's height
    sbKeepHeight,    // natural height, stretched to the target's width
};

// The rectangle a face of w x h covers when placed in target with the given style.
RECT PlaceFace(const RECT& target, int w, int h, ButtonFaceStyle style);

class TLMDBitmapList;

// A user of a list (a picture button). Told when the list goes, so it can drop its reference.
class BitmapListListener {
public:
    virtual void BitmapListDestroyed(const TLMDBitmapList& list) = 0;
    virtual void BitmapListChanged(const TLMDBitmapList&) {}

protected:
    ~BitmapListListener() = default;
};

// One decoded "Internal" item: flags byte, optional description and identifier, optional bitmap
// file (already expanded when it was stored compressed).
struct InternalItem {
    uint8_t flags = 0;
    std::string description;
    uint32_t ident = 0;
    int pixelFormat = 0;  // 0 to 3
    bool compressed = false;
    std::vector<uint8_t> bitmapFile;  // a complete "BM" file; empty when the item has no bitmap
};

// Reads one item's Internal data from data[0, size). Fails (nullopt) on truncated or malformed
// data without reading past size; consumed is set to the number of bytes the item occupies.
std::optional<InternalItem> ReadInternal(const uint8_t* data, size_t size, size_t& consumed);

// Expands the chunks of a compressed bitmap (4-byte length + run-length coded bytes each).
std::optional<std::vector<uint8_t>> ExpandChunks(const uint8_t* data, size_t size);

class TLMDBitmapListItem {
public:
    TLMDBitmapListItem() = default;

    HBITMAP Bitmap() const { return bitmap_.get(); }  // DIB section owned by the item; may be null
    HPALETTE Palette() const { return palette_.get(); }
    uint16_t Ident() const { return ident_; }
    const std::string& Description() const { return description_; }
    bool Compressed() const { return compressed_; }
    int PixelFormat() const { return pixelFormat_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitCount() const { return bitCount_; }
    bool Empty() const { return !bitmap_; }

    // Colour of the pixel at column x, row y (row 0 at the top); white when outside.
    COLORREF Pixel(int x, int y) const;

    // Builds an item from a decoded Internal item; nullopt when its bitmap file is not valid.
    static std::optional<TLMDBitmapListItem> FromInternal(const InternalItem& item);
    // Builds a bitmap (DIB section) from a complete bitmap file after checking its headers.
    static std::optional<TLMDBitmapListItem> FromBitmapFile(const uint8_t* data, size_t size);
    // The DIB section alone, for a picture that needs no palette of its own; null if not valid.
    static UniqueBitmap DibFromBitmapFile(const uint8_t* data, size_t size);

private:
    UniqueBitmap bitmap_;
    UniquePalette palette_;
    std::vector<RGBQUAD> colours_;
    const uint8_t* bits_ = nullptr;  // the DIB section's pixels, owned by bitmap_
    int width_ = 0;
    int height_ = 0;  // always positive
    bool topDown_ = false;
    int bitCount_ = 0;
    size_t stride_ = 0;
    uint16_t ident_ = 0;
    std::string description_;
    bool compressed_ = false;
    int pixelFormat_ = 0;
};

class TLMDBitmapList {
public:
    TLMDBitmapList() = default;
    ~TLMDBitmapList();  // tells every change link that the list is gone
    // Users hold pointers to a list, so it keeps its address.
    TLMDBitmapList(const TLMDBitmapList&) = delete;
    TLMDBitmapList& operator=(const TLMDBitmapList&) = delete;

    // From the items' Internal blobs, in list order; null if any blob is truncated or corrupt.
    static std::unique_ptr<TLMDBitmapList> FromInternal(const std::vector<std::vector<uint8_t>>& items);
    // From a packed list: 4-byte item count, then per item a 4-byte length and its Internal blob.
    static std::unique_ptr<TLMDBitmapList> FromPacked(const uint8_t* data, size_t size);
    // From an RCDATA resource of the artwork (for example "LIST_GREENS"): a 4-byte item count, then
    // per item its expanded size, its stored size and its Internal blob compressed. The items stay
    // compressed in the program's image until one is first used; null if the resource is missing.
    static std::unique_ptr<TLMDBitmapList> FromResource(HINSTANCE module, const char* name);

    int Count() const { return static_cast<int>(items_.size()); }
    bool IsValid(int index) const;
    int Width(int index) const;    // 0 when out of range
    int Height(int index) const;   // 0 when out of range
    HPALETTE Palette(int index) const;  // null when out of range
    COLORREF TransparentColor(int index) const;  // bottom-left pixel; white when out of range
    COLORREF Pixel(int index, int x, int y) const;  // row 0 at the top; white when out of range
    HBITMAP Bitmap(int index) const;  // null when out of range
    // The entry itself, decoded on first use; index must be below Count(). A stored item that
    // cannot be decoded reads as an empty entry.
    const TLMDBitmapListItem& Item(int index) const;
    // Entries decoded so far (the others are still compressed).
    int Decoded() const;

    // Draws an entry into target with the placement style; with transparent, pixels of the entry's
    // transparent colour are left out; with realisePalette, its palette is selected and realised
    // in dc first. Returns the rectangle covered (empty, at the target's corner, if not valid).
    RECT Draw(HDC dc, const RECT& target, int index, ButtonFaceStyle style, bool transparent,
              bool realisePalette) const;

    void AddChangeLink(BitmapListListener* listener);
    void RemoveChangeLink(BitmapListListener* listener);

    void Append(TLMDBitmapListItem item);

private:
    // An entry: decoded, or still the compressed blob in the program's resources.
    struct Slot {
        mutable std::optional<TLMDBitmapListItem> item;
        const uint8_t* packed = nullptr;
        uint32_t packedSize = 0;
        uint32_t expandedSize = 0;
    };
    std::vector<Slot> items_;
    std::vector<BitmapListListener*> links_;
};

}  // namespace vindrel
