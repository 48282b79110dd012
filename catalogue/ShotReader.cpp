#include "catalogue/ShotReader.h"

#include <algorithm>
#include <array>
#include <bit>

namespace vindrel {
namespace {

constexpr size_t kFileHeader = 14;
// Where the three colour masks lie: inside a header of 52 bytes or more, or just after the
// 40-byte one when it says it has bit fields. The alpha mask follows them in the larger headers.
constexpr size_t kMasksAt = kFileHeader + 40, kAlphaMaskAt = kMasksAt + 12;
constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kJpeg = 4, kPng = 5;
// The colour spaces a version 4 or 5 header names.
constexpr uint32_t kCalibrated = 0, kSrgb = 0x73524742, kWindowsSpace = 0x57696E20, kLinked = 0x4C494E4B,
                   kEmbedded = 0x4D424544;

class Bytes {
public:
    explicit Bytes(std::string_view b) : b_(b) {}
    size_t Size() const { return b_.size(); }
    uint32_t U8(size_t at) const { return static_cast<unsigned char>(b_[at]); }
    uint32_t U16(size_t at) const { return U8(at) | U8(at + 1) << 8; }
    uint32_t U32(size_t at) const { return U16(at) | U16(at + 2) << 16; }
    uint32_t BigU32(size_t at) const { return U8(at) << 24 | U8(at + 1) << 16 | U8(at + 2) << 8 | U8(at + 3); }
    std::string_view Part(size_t at, size_t n) const { return b_.substr(at, n); }

private:
    std::string_view b_;
};

std::string Number(uint64_t n) { return std::to_string(n); }

ShotReading Refused(std::string problem) { return ShotReading{{}, std::move(problem)}; }

struct Header {
    int64_t width = 0, height = 0;  // height negative: top-down
    uint32_t size = 0, planes = 0, bits = 0, compression = kRgb, coloursUsed = 0;
    size_t paletteEntry = 4;  // bytes per colour: 3 in the OS/2 header
};

// One colour channel of a packed pixel: where its bits lie, and how they widen to eight bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0, width = 0;
    Channel() = default;
    explicit Channel(uint32_t m) : mask(m), shift(m ? std::countr_zero(m) : 0), width(std::popcount(m)) {}
    // The bits repeated down to fill a byte, as Windows widens 5 bits to 8 (0x1F to 0xFF).
    uint32_t Of(uint32_t pixel) const {
        if (!mask) return 0;
        const uint32_t v = (pixel & mask) >> shift;
        if (width >= 8) return v >> (width - 8);
        uint32_t out = 0;
        int have = 0;
        for (; have < 8; have += width) out = out << width | v;
        return out >> (have - 8);
    }
};

// The masks of a 16- or 32-bit bitmap must each be one run of bits inside the pixel, and no two
// may share a bit; a zero colour mask is a header that lies.
std::string CheckMasks(const std::array<Channel, 4>& c, uint32_t bits) {
    static const char* const kNames[] = {"red", "green", "blue", "alpha"};
    const uint64_t inside = bits == 32 ? 0xFFFFFFFFull : (1ull << bits) - 1;
    uint32_t seen = 0;
    for (size_t i = 0; i < c.size(); ++i) {
        const uint32_t m = c[i].mask;
        if (!m) {
            if (i < 3) return std::string("has no bits for ") + kNames[i] + " in its colour masks";
            continue;
        }
        if (m > inside) return std::string("has a ") + kNames[i] + " mask outside its " + Number(bits) + "-bit pixels";
        if (((m >> c[i].shift) & ((m >> c[i].shift) + 1)) != 0)
            return std::string("has a ") + kNames[i] + " mask whose bits are not side by side";
        if (seen & m) return std::string("has colour masks that overlap (") + kNames[i] + ")";
        seen |= m;
    }
    return {};
}

// Palette indices of a run-length encoded bitmap (bottom-up, rows counted from the bottom);
// pixels its runs skip keep index 0. Every run and jump is checked against the row and picture.
std::string DecodeRle(const Bytes& b, size_t at, int bits, int width, int height, std::vector<uint8_t>& indices) {
    int x = 0, y = 0;
    auto put = [&](int count, auto value) -> std::string {
        if (y >= height) return "has run-length data past its last row";
        if (x + count > width)
            return "has a run past the end of row " + Number(static_cast<uint64_t>(y) + 1) + " from the bottom";
        uint8_t* row = indices.data() + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width);
        for (int i = 0; i < count; ++i) row[x + i] = value(i);
        x += count;
        return {};
    };
    const std::string cut = "is cut short: its run-length data ends before the end-of-bitmap mark";
    for (;;) {
        if (at + 2 > b.Size()) return cut;
        const int n = static_cast<int>(b.U8(at)), v = static_cast<int>(b.U8(at + 1));
        at += 2;
        if (n > 0) {  // n pixels of one index, or in 4 bits two indices taking turns
            const uint8_t first = static_cast<uint8_t>(bits == 8 ? v : v >> 4), second = static_cast<uint8_t>(bits == 8 ? v : v & 15);
            if (std::string p = put(n, [&](int i) { return i % 2 ? second : first; }); !p.empty()) return p;
            continue;
        }
        if (v == 0) {  // end of a row
            x = 0;
            ++y;
        } else if (v == 1) {  // end of the bitmap
            return {};
        } else if (v == 2) {  // a jump right and up
            if (at + 2 > b.Size()) return cut;
            x += static_cast<int>(b.U8(at));
            y += static_cast<int>(b.U8(at + 1));
            at += 2;
            if (x > width || y > height) return "has run-length data that jumps past its edge";
        } else {  // v indices as they are, padded to a whole word
            const size_t bytes = bits == 8 ? static_cast<size_t>(v) : (static_cast<size_t>(v) + 1) / 2;
            const size_t stored = bytes + (bytes & 1);
            if (at + stored > b.Size()) return cut;
            const size_t from = at;
            auto index = [&](int i) {
                const size_t i_ = static_cast<size_t>(i);
                if (bits == 8) return static_cast<uint8_t>(b.U8(from + i_));
                const uint32_t byte = b.U8(from + i_ / 2);
                return static_cast<uint8_t>(i % 2 ? byte & 15 : byte >> 4);
            };
            if (std::string p = put(v, index); !p.empty()) return p;
            at += stored;
        }
    }
}

// The profile part of a version 5 header: a profile in the file, or the name of one elsewhere.
// Only sRGB is drawn as it is meant; the menu draws no other colour space.
std::string CheckColourSpace(const Bytes& b, uint32_t headerSize) {
    if (headerSize < 108) return {};
    const uint32_t space = b.U32(kFileHeader + 56);
    if (space == kCalibrated || space == kSrgb || space == kWindowsSpace) return {};
    if ((space != kEmbedded && space != kLinked) || headerSize < 124)
        return "names a colour space no bitmap has (" + Number(space) + ")";
    const uint64_t at = kFileHeader + static_cast<uint64_t>(b.U32(kFileHeader + 112)), size = b.U32(kFileHeader + 116);
    if (at + size > b.Size() || size == 0) return "has a colour profile said to lie past the end of the file";
    const std::string_view profile = b.Part(static_cast<size_t>(at), static_cast<size_t>(size));
    const std::string_view utf16("\0s\0R\0G\0B", 8);
    auto named = [&](std::string_view text) {
        return text.find("sRGB") != std::string_view::npos || text.find(utf16) != std::string_view::npos;
    };
    if (space == kLinked) {
        if (named(profile.substr(0, profile.find('\0')))) return {};
        return "names a colour profile in another file, not sRGB: the menu would draw its colours otherwise than "
               "its maker meant";
    }
    // An ICC profile: its description tag says whether it is sRGB.
    const Bytes p(profile);
    bool srgb = false;
    if (p.Size() >= 132) {
        const uint64_t tags = p.BigU32(128);
        for (uint64_t i = 0; i < tags && 132 + 12 * (i + 1) <= p.Size() && !srgb; ++i) {
            const size_t entry = static_cast<size_t>(132 + 12 * i);
            const uint64_t from = p.BigU32(entry + 4), length = p.BigU32(entry + 8);
            if (p.BigU32(entry) == 0x64657363 && from + length <= p.Size())  // 'desc'
                srgb = named(profile.substr(static_cast<size_t>(from), static_cast<size_t>(length)));
        }
    }
    if (srgb) return {};
    return "holds a colour profile of its own, not sRGB: the menu would draw its colours otherwise than its maker "
           "meant; save it in sRGB, or make one from a PNG or JPEG with " +
           std::string(kMakeShotCommand);
}

}  // namespace

ShotReading ReadShot(std::string_view data) { return ReadBitmap(data, kShotMaxWidth, kShotMaxHeight); }

ShotReading ReadBitmap(std::string_view data, int maxWidth, int maxHeight) {
    const Bytes b(data);
    const size_t size = b.Size();
    if (size < 2 || data[0] != 'B' || data[1] != 'M') {
        std::string kind;
        if (data.substr(0, 4) == "\x89PNG") kind = " (it is a PNG picture)";
        else if (size >= 2 && b.U8(0) == 0xFF && b.U8(1) == 0xD8) kind = " (it is a JPEG picture)";
        else if (data.substr(0, 4) == "GIF8") kind = " (it is a GIF picture)";
        else if (size == 0) kind = " (the file is empty)";
        return Refused("is not a Windows bitmap" + kind);
    }
    if (size < kFileHeader + 4) return Refused("is cut short: " + Number(size) + " bytes, too few for a bitmap's headers");
    Header h;
    h.size = b.U32(kFileHeader);
    if (h.size == 16 || h.size == 64)
        return Refused("is an OS/2 2 bitmap (a header of " + Number(h.size) + " bytes), which Windows does not show");
    if (h.size != 12 && h.size != 40 && h.size != 52 && h.size != 56 && h.size != 108 && h.size != 124)
        return Refused("has a bitmap header of " + Number(h.size) + " bytes, a size no bitmap has");
    if (size < kFileHeader + h.size)
        return Refused("is cut short: " + Number(size) + " bytes, too few for a bitmap's headers");

    if (h.size == 12) {
        h.width = b.U16(18);
        h.height = b.U16(20);
        h.planes = b.U16(22);
        h.bits = b.U16(24);
        h.paletteEntry = 3;
    } else {
        h.width = static_cast<int32_t>(b.U32(18));
        h.height = static_cast<int32_t>(b.U32(22));
        h.planes = b.U16(26);
        h.bits = b.U16(28);
        h.compression = b.U32(30);
        h.coloursUsed = b.U32(46);
    }
    const bool topDown = h.height < 0;
    const int64_t rows = topDown ? -h.height : h.height;
    if (h.planes != 1) return Refused("has " + Number(h.planes) + " colour planes, where a bitmap has one");
    if (h.compression == kJpeg || h.compression == kPng)
        return Refused(std::string("holds a ") + (h.compression == kJpeg ? "JPEG" : "PNG") +
                       " picture inside the bitmap, which Windows does not show on screen; make a true bitmap with " +
                       kMakeShotCommand);
    const uint32_t bits = h.bits;
    const bool indexed = bits == 1 || bits == 4 || bits == 8;
    if (!indexed && bits != 16 && bits != 24 && bits != 32)
        return Refused("is a " + Number(bits) + "-bit bitmap, a depth Windows does not show");
    if (h.size == 12 && bits != 24 && !indexed)
        return Refused("is a " + Number(bits) + "-bit bitmap with an OS/2 header, which has only 1, 4, 8 and 24 bits");
    const bool rle = h.compression == kRle8 || h.compression == kRle4;
    if (h.compression == kRle8 && bits != 8)
        return Refused("is run-length encoded for 8 bits a pixel, but has " + Number(bits));
    if (h.compression == kRle4 && bits != 4)
        return Refused("is run-length encoded for 4 bits a pixel, but has " + Number(bits));
    if (h.compression == kBitFields && bits != 16 && bits != 32)
        return Refused("has colour masks, which only 16- and 32-bit bitmaps have, but has " + Number(bits) + " bits");
    if (h.compression > kBitFields) return Refused("is compressed in a way Windows does not show (type " + Number(h.compression) + ")");
    if (rle && topDown) return Refused("is run-length encoded from the top down, which a bitmap cannot be");
    if (h.width <= 0 || rows <= 0)
        return Refused("has no pixels (" + std::to_string(h.width) + " x " + std::to_string(rows) + ")");
    if (h.width > maxWidth || rows > maxHeight) {
        if (maxWidth == kShotMaxWidth && maxHeight == kShotMaxHeight)
            return Refused("is " + std::to_string(h.width) + " x " + std::to_string(rows) +
                           " pixels, larger than the game page's 316 x 236 picture; make one that fits with " +
                           kMakeShotCommand);
        return Refused("is " + std::to_string(h.width) + " x " + std::to_string(rows) + " pixels, more than " +
                       std::to_string(maxWidth) + " x " + std::to_string(maxHeight));
    }
    const size_t tableSize = indexed ? size_t{1} << bits : 0;
    if (indexed && h.coloursUsed > tableSize)
        return Refused("lists " + Number(h.coloursUsed) + " colours, where " + (bits == 8 ? "an " : "a ") + Number(bits) + "-bit bitmap has at most " +
                       Number(tableSize));

    // The masks of a packed pixel; a colour table given as a hint to a true-colour picture is
    // ignored, as Windows ignores it.
    std::array<Channel, 4> channels;
    size_t headersEnd = kFileHeader + h.size;
    if (bits == 16) channels = {Channel(0x7C00), Channel(0x03E0), Channel(0x001F), Channel()};
    if (bits == 24 || bits == 32) channels = {Channel(0xFF0000), Channel(0xFF00), Channel(0xFF), Channel()};
    if (h.compression == kBitFields) {
        if (h.size == 40) headersEnd += 12;
        if (headersEnd > size) return Refused("is cut short: " + Number(size) + " bytes, too few for its colour masks");
        channels = {Channel(b.U32(kMasksAt)), Channel(b.U32(kMasksAt + 4)), Channel(b.U32(kMasksAt + 8)),
                    Channel(h.size >= 56 ? b.U32(kAlphaMaskAt) : 0)};
        if (std::string problem = CheckMasks(channels, bits); !problem.empty()) return Refused(problem);
    }
    if (std::string problem = CheckColourSpace(b, h.size); !problem.empty()) return Refused(problem);

    const size_t colours = indexed ? (h.coloursUsed ? h.coloursUsed : tableSize) : 0;
    const size_t paletteAt = headersEnd, paletteEnd = paletteAt + colours * h.paletteEntry;
    if (paletteEnd > size) return Refused("is cut short: " + Number(size) + " bytes, too few for its colour table");
    const uint32_t offset = b.U32(10);
    if (offset < paletteEnd) return Refused("says its pixels begin at byte " + Number(offset) + ", inside its headers");
    if (offset >= size)
        return Refused("says its pixels begin at byte " + Number(offset) + ", past the end of the file (" +
                       Number(size) + " bytes)");

    const int width = static_cast<int>(h.width), height = static_cast<int>(rows);
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::vector<uint32_t> palette(colours);
    for (size_t i = 0; i < colours; ++i) {
        const size_t at = paletteAt + i * h.paletteEntry;
        palette[i] = b.U8(at + 2) << 16 | b.U8(at + 1) << 8 | b.U8(at);
    }
    ShotReading out;
    ShotPicture& p = out.picture;
    p.width = width;
    p.height = height;

    if (indexed) {
        std::vector<uint8_t> indices(count, 0);  // what a run skips is colour 0
        if (rle) {
            if (std::string problem = DecodeRle(b, offset, static_cast<int>(bits), width, height, indices); !problem.empty())
                return Refused(problem);
        } else {
            const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
            const uint64_t needed = offset + stride * static_cast<uint64_t>(height);
            if (size < needed) return Refused("is cut short: " + Number(size) + " of " + Number(needed) + " bytes");
            for (int y = 0; y < height; ++y) {
                const size_t row = offset + static_cast<size_t>(stride) * static_cast<size_t>(topDown ? y : height - 1 - y);
                uint8_t* into = indices.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
                for (int x = 0; x < width; ++x) {
                    const size_t bit = static_cast<size_t>(x) * bits;
                    const uint32_t byte = b.U8(row + bit / 8);
                    into[x] = static_cast<uint8_t>(byte >> (8 - bits - bit % 8) & ((1u << bits) - 1));
                }
            }
        }
        p.pixels.resize(count);
        for (size_t i = 0; i < count; ++i) {
            if (indices[i] >= colours)
                return Refused("has a pixel of colour " + Number(indices[i]) + " (row " + Number(i / static_cast<size_t>(width) + 1) +
                               " from the top), past the end of its colour table of " + Number(colours));
            p.pixels[i] = palette[indices[i]];
        }
        return out;
    }

    const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    const uint64_t needed = offset + stride * static_cast<uint64_t>(height);
    if (size < needed) return Refused("is cut short: " + Number(size) + " of " + Number(needed) + " bytes");
    const bool hasAlpha = channels[3].mask != 0;
    p.pixels.resize(count);
    if (hasAlpha) p.alpha.resize(count);
    for (int y = 0; y < height; ++y) {
        const size_t row = offset + static_cast<size_t>(stride) * static_cast<size_t>(topDown ? y : height - 1 - y);
        const size_t first = static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int x = 0; x < width; ++x) {
            const size_t at = row + static_cast<size_t>(x) * bits / 8;
            const uint32_t v = bits == 16 ? b.U16(at) : bits == 24 ? b.U16(at) | b.U8(at + 2) << 16 : b.U32(at);
            p.pixels[first + static_cast<size_t>(x)] = channels[0].Of(v) << 16 | channels[1].Of(v) << 8 | channels[2].Of(v);
            if (hasAlpha) p.alpha[first + static_cast<size_t>(x)] = static_cast<uint8_t>(channels[3].Of(v));
        }
    }
    // A mask with every pixel clear is a channel its writer never filled in, not an invisible
    // picture; so the picture is solid, as every viewer shows it.
    if (hasAlpha && std::all_of(p.alpha.begin(), p.alpha.end(), [](uint8_t a) { return a == 0; })) p.alpha.clear();
    if (hasAlpha && std::all_of(p.alpha.begin(), p.alpha.end(), [](uint8_t a) { return a == 255; })) p.alpha.clear();
    return out;
}

void DrawOver(ShotPicture& picture, const std::function<uint32_t(int x, int y)>& under) {
    if (picture.alpha.size() != picture.pixels.size()) {
        picture.alpha.clear();
        return;
    }
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const size_t i = static_cast<size_t>(y) * static_cast<size_t>(picture.width) + static_cast<size_t>(x);
            const uint32_t a = picture.alpha[i];
            if (a == 255) continue;
            const uint32_t over = picture.pixels[i], below = under(x, y);
            uint32_t mixed = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const uint32_t c = (over >> shift & 255) * a + (below >> shift & 255) * (255 - a);
                mixed |= (c + 127) / 255 << shift;
            }
            picture.pixels[i] = mixed;
        }
    }
    picture.alpha.clear();
}

}  // namespace vindrel
