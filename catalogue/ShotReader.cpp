#include "catalogue/ShotReader.h"

namespace vindrel {
namespace {

constexpr size_t kFileHeader = 14;

class Bytes {
public:
    explicit Bytes(std::string_view b) : b_(b) {}
    size_t Size() const { return b_.size(); }
    uint32_t U8(size_t at) const { return static_cast<unsigned char>(b_[at]); }
    uint32_t U16(size_t at) const { return U8(at) | U8(at + 1) << 8; }
    uint32_t U32(size_t at) const { return U16(at) | U16(at + 2) << 16; }

private:
    std::string_view b_;
};

std::string Number(uint64_t n) { return std::to_string(n); }

ShotReading Refused(std::string problem) { return ShotReading{{}, std::move(problem)}; }

struct Header {
    int64_t width = 0, height = 0;  // height negative: top-down
    uint32_t planes = 0, bits = 0, compression = 0, coloursUsed = 0;
    size_t paletteEntry = 4;  // bytes per colour: 3 in the oldest header
};

// The run-length encoded pixels of an 8-bit bitmap (bottom-up), drawn into indices; the rows
// count from the bottom. Every run and jump is checked against the row and the picture.
std::string DecodeRle8(const Bytes& b, size_t at, int width, int height, std::vector<uint8_t>& indices) {
    int x = 0, y = 0;
    auto put = [&](int count, auto value) -> std::string {
        if (y >= height) return "has run-length data past its last row";
        if (x + count > width) return "has a run past the end of row " + Number(static_cast<uint64_t>(y) + 1) +
                                      " from the bottom";
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
        if (n > 0) {
            if (std::string p = put(n, [&](int) { return static_cast<uint8_t>(v); }); !p.empty()) return p;
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
        } else {  // v pixels as they are, padded to a whole word
            const size_t stored = static_cast<size_t>(v) + (v & 1);
            if (at + stored > b.Size()) return cut;
            const size_t from = at;
            if (std::string p = put(v, [&](int i) { return static_cast<uint8_t>(b.U8(from + static_cast<size_t>(i))); });
                !p.empty())
                return p;
            at += stored;
        }
    }
}

}  // namespace

ShotReading ReadShot(std::string_view data) {
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
    const uint32_t headerSize = b.U32(kFileHeader);
    if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        return Refused("has a bitmap header of " + Number(headerSize) + " bytes, a size no bitmap has");
    if (size < kFileHeader + headerSize)
        return Refused("is cut short: " + Number(size) + " bytes, too few for a bitmap's headers");

    Header h;
    if (headerSize == 12) {
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
    if (h.bits != 8 && h.bits != 24)
        return Refused("is a " + Number(h.bits) + "-bit bitmap, where the menu shows 8-bit (256 colours) and 24-bit ones");
    const bool rle = h.compression == 1;
    if (h.compression != 0 && !(rle && h.bits == 8))
        return Refused("is compressed (type " + Number(h.compression) + "), where the menu shows uncompressed and RLE8 ones");
    if (rle && topDown) return Refused("is run-length encoded from the top down, which a bitmap cannot be");
    if (h.width <= 0 || rows <= 0)
        return Refused("has no pixels (" + std::to_string(h.width) + " x " + std::to_string(rows) + ")");
    if (h.width > kShotMaxWidth || rows > kShotMaxHeight)
        return Refused("is " + std::to_string(h.width) + " x " + std::to_string(rows) +
                       " pixels, larger than the game page's 316 x 236 picture");
    if (h.coloursUsed > 256) return Refused("lists " + Number(h.coloursUsed) + " colours, where a bitmap has at most 256");

    const int width = static_cast<int>(h.width), height = static_cast<int>(rows);
    const size_t colours = h.bits == 8 ? (h.coloursUsed ? h.coloursUsed : 256) : 0;  // a true-colour table is skipped
    const size_t paletteAt = kFileHeader + headerSize, paletteEnd = paletteAt + colours * h.paletteEntry;
    if (paletteEnd > size) return Refused("is cut short: " + Number(size) + " bytes, too few for its colour table");
    const uint32_t offset = b.U32(10);
    if (offset < paletteEnd) return Refused("says its pixels begin at byte " + Number(offset) + ", inside its headers");
    if (offset >= size)
        return Refused("says its pixels begin at byte " + Number(offset) + ", past the end of the file (" +
                       Number(size) + " bytes)");

    ShotReading out;
    ShotPicture& p = out.picture;
    p.width = width;
    p.height = height;
    p.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    std::vector<uint32_t> palette(256, 0);  // an index past the table's colours is black
    for (size_t i = 0; i < colours; ++i) {
        const size_t at = paletteAt + i * h.paletteEntry;
        palette[i] = b.U8(at + 2) << 16 | b.U8(at + 1) << 8 | b.U8(at);
    }

    if (rle) {
        std::vector<uint8_t> indices(p.pixels.size(), 0);
        if (std::string problem = DecodeRle8(b, offset, width, height, indices); !problem.empty()) return Refused(problem);
        for (size_t i = 0; i < indices.size(); ++i) p.pixels[i] = palette[indices[i]];
        return out;
    }
    const size_t stride = (static_cast<size_t>(width) * h.bits + 31) / 32 * 4;
    const size_t needed = offset + stride * static_cast<size_t>(height);
    if (size < needed) return Refused("is cut short: " + Number(size) + " of " + Number(needed) + " bytes");
    for (int y = 0; y < height; ++y) {
        const size_t row = offset + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
        uint32_t* into = p.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int x = 0; x < width; ++x) {
            if (h.bits == 8) {
                into[x] = palette[b.U8(row + static_cast<size_t>(x))];
            } else {
                const size_t at = row + 3 * static_cast<size_t>(x);
                into[x] = b.U8(at + 2) << 16 | b.U8(at + 1) << 8 | b.U8(at);
            }
        }
    }
    return out;
}

}  // namespace vindrel
