#include "proof/Png.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>

namespace vindrel {
namespace {

void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& png, const char type[5], const std::vector<uint8_t>& data) {
    PutBig32(png, static_cast<uint32_t>(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBig32(png, static_cast<uint32_t>(crc32(0, &png[start], static_cast<uInt>(png.size() - start))));
}

int Paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

// A zlib stream of the data: LZ77 matches found through a hash of their first three bytes,
// coded with deflate's fixed Huffman codes. Written here rather than taken from zlib, whose
// compressor would be about 34 KB of the exe for the proof alone; the rows' filters leave runs
// and repeats that this finds, so a page still shrinks to a fraction of its size. A proof makes
// hundreds of pages, so the loops are kept tight: bytes compared eight at a time, and the inside
// of a long match (a run, mostly) not hashed, as zlib's fast levels do.
class Deflater {
public:
    explicit Deflater(std::vector<uint8_t>& out) : out_(out) {
        for (int s = 0; s < 288; ++s) {
            const int length = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
            const uint32_t code = s < 144 ? 0x30 + s : s < 256 ? 0x190 + s - 144 : s < 280 ? s - 256 : 0xC0 + s - 280;
            symbols_[s] = {Reversed(code, length), length};
        }
    }

    void Compress(const std::vector<uint8_t>& data) {
        out_.reserve(out_.size() + data.size() / 8);
        out_.insert(out_.end(), {0x78, 0x01});  // deflate, 32 KB window, fastest (as the codes are)
        Bits(1, 1);                             // the only block, and the last
        Bits(1, 2);                             // fixed Huffman codes
        std::vector<int32_t> head(kHashSize, -1), previous(kWindow, -1);
        const uint8_t* d = data.data();
        const size_t n = data.size();
        auto insert = [&](size_t at) {
            const uint32_t h = ((d[at] << 10) ^ (d[at + 1] << 5) ^ d[at + 2]) & (kHashSize - 1);
            previous[at & (kWindow - 1)] = head[h];
            head[h] = static_cast<int32_t>(at);
        };
        size_t i = 0;
        while (i < n) {
            size_t bestLength = 0, bestDistance = 0;
            if (i + 2 < n) {
                const uint32_t h = ((d[i] << 10) ^ (d[i + 1] << 5) ^ d[i + 2]) & (kHashSize - 1);
                int32_t candidate = head[h];
                const size_t longest = std::min<size_t>(kMaxMatch, n - i);
                for (int tries = 0; candidate >= 0 && tries < kMaxChain; ++tries) {
                    const size_t from = static_cast<size_t>(candidate), distance = i - from;
                    if (distance > kWindow - 1) break;  // older entries are further still
                    if (d[from + bestLength] == d[i + bestLength]) {  // can it be longer at all?
                        const size_t length = MatchLength(d + from, d + i, longest);
                        if (length > bestLength) {
                            bestLength = length;
                            bestDistance = distance;
                            if (length == longest) break;
                        }
                    }
                    candidate = previous[from & (kWindow - 1)];
                }
            }
            if (bestLength >= 3) {
                Match(bestLength, bestDistance);
                const size_t end = i + bestLength;
                if (bestLength <= kMaxInsert) {
                    for (; i < end; ++i)
                        if (i + 2 < n) insert(i);
                } else {
                    if (i + 2 < n) insert(i);
                    i = end;
                    for (size_t at = end - 3; at < end; ++at)  // so that a run goes on from its end
                        if (at + 2 < n) insert(at);
                }
            } else {
                Literal(d[i]);
                if (i + 2 < n) insert(i);
                ++i;
            }
        }
        Symbol(256);  // end of block
        if (count_ > 0) out_.push_back(static_cast<uint8_t>(bits_));
        const uint32_t check = static_cast<uint32_t>(adler32(1, d, static_cast<uInt>(n)));
        for (int shift = 24; shift >= 0; shift -= 8) out_.push_back(static_cast<uint8_t>(check >> shift));
    }

private:
    static constexpr size_t kWindow = 32768, kHashSize = 1 << 15, kMaxMatch = 258, kMaxInsert = 32;
    static constexpr int kMaxChain = 32;

    static uint32_t Reversed(uint32_t code, int length) {
        uint32_t reversed = 0;
        for (int b = 0; b < length; ++b) reversed |= ((code >> b) & 1) << (length - 1 - b);
        return reversed;
    }
    // How many bytes from a and b agree, at most longest.
    static size_t MatchLength(const uint8_t* a, const uint8_t* b, size_t longest) {
        size_t length = 0;
        for (; length + 8 <= longest; length += 8) {
            uint64_t x, y;
            std::memcpy(&x, a + length, 8);
            std::memcpy(&y, b + length, 8);
            if (x != y) return length + static_cast<size_t>(__builtin_ctzll(x ^ y) / 8);  // little-endian
        }
        while (length < longest && a[length] == b[length]) ++length;
        return length;
    }
    // Extra bits are written low bit first, Huffman codes high bit first (hence reversed above).
    void Bits(uint32_t value, int count) {
        bits_ |= static_cast<uint64_t>(value) << count_;
        count_ += count;
        for (; count_ >= 8; count_ -= 8, bits_ >>= 8) out_.push_back(static_cast<uint8_t>(bits_));
    }
    void Symbol(int s) { Bits(symbols_[s].code, symbols_[s].length); }
    void Literal(uint8_t byte) { Symbol(byte); }
    void Match(size_t length, size_t distance) {
        static const uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
        static const uint16_t kDistanceBase[30] = {1,   2,   3,   4,    5,    7,    9,    13,   17,   25,
                                                   33,  49,  65,  97,   129,  193,  257,  385,  513,  769,
                                                   1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
        int l = 28;
        while (kLengthBase[l] > length) --l;
        Symbol(257 + l);
        const int lengthExtra = l < 8 || l == 28 ? 0 : (l - 4) / 4;
        Bits(static_cast<uint32_t>(length - kLengthBase[l]), lengthExtra);
        int d = 29;
        while (kDistanceBase[d] > distance) --d;
        Bits(Reversed(static_cast<uint32_t>(d), 5), 5);
        Bits(static_cast<uint32_t>(distance - kDistanceBase[d]), d < 4 ? 0 : (d - 2) / 2);
    }

    struct Code {
        uint32_t code;
        int length;
    };
    Code symbols_[288];
    std::vector<uint8_t>& out_;
    uint64_t bits_ = 0;
    int count_ = 0;
};

constexpr size_t kPixel = 3;  // bytes: a is the byte one pixel left, b above, c above left

// A row under one of PNG's five filters, each in a loop of its own.
void FilterRow(uint8_t filter, const uint8_t* row, const uint8_t* above, uint8_t* out, size_t n) {
    switch (filter) {
    case 0: std::memcpy(out, row, n); break;
    case 1:
        for (size_t i = 0; i < kPixel; ++i) out[i] = row[i];
        for (size_t i = kPixel; i < n; ++i) out[i] = static_cast<uint8_t>(row[i] - row[i - kPixel]);
        break;
    case 2:
        for (size_t i = 0; i < n; ++i) out[i] = static_cast<uint8_t>(row[i] - above[i]);
        break;
    case 3:
        for (size_t i = 0; i < kPixel; ++i) out[i] = static_cast<uint8_t>(row[i] - above[i] / 2);
        for (size_t i = kPixel; i < n; ++i) out[i] = static_cast<uint8_t>(row[i] - (row[i - kPixel] + above[i]) / 2);
        break;
    default:
        for (size_t i = 0; i < kPixel; ++i) out[i] = static_cast<uint8_t>(row[i] - above[i]);  // Paeth of (0, b, 0) is b
        for (size_t i = kPixel; i < n; ++i)
            out[i] = static_cast<uint8_t>(row[i] - Paeth(row[i - kPixel], above[i], above[i - kPixel]));
    }
}

// The filter that leaves the smallest differences (the sum of their sizes), as encoders choose
// it: the five measured in one pass over the row, and only the chosen one written.
uint8_t BestFilter(const uint8_t* row, const uint8_t* above, size_t n) {
    if (std::memcmp(row, above, n) == 0) return 2;  // a row like the one above: nothing but zeros
    long sums[5] = {};
    auto add = [&](int x, int a, int b, int c) {
        sums[0] += std::abs(static_cast<int8_t>(x));
        sums[1] += std::abs(static_cast<int8_t>(x - a));
        sums[2] += std::abs(static_cast<int8_t>(x - b));
        sums[3] += std::abs(static_cast<int8_t>(x - (a + b) / 2));
        sums[4] += std::abs(static_cast<int8_t>(x - Paeth(a, b, c)));
    };
    for (size_t i = 0; i < kPixel; ++i) add(row[i], 0, above[i], 0);
    for (size_t i = kPixel; i < n; ++i) add(row[i], row[i - kPixel], above[i], above[i - kPixel]);
    uint8_t best = 0;
    for (uint8_t filter = 1; filter < 5; ++filter)
        if (sums[filter] < sums[best]) best = filter;
    return best;
}

}  // namespace

std::vector<uint8_t> EncodePng(int width, int height, const uint32_t* pixels) {
    const size_t stride = static_cast<size_t>(width) * 3;
    std::vector<uint8_t> raw((stride + 1) * static_cast<size_t>(height)), row(stride), above(stride, 0);
    for (size_t y = 0; y < static_cast<size_t>(height); ++y) {
        const uint32_t* line = pixels + y * static_cast<size_t>(width);
        for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
            row[x * 3] = static_cast<uint8_t>(line[x] >> 16);
            row[x * 3 + 1] = static_cast<uint8_t>(line[x] >> 8);
            row[x * 3 + 2] = static_cast<uint8_t>(line[x]);
        }
        uint8_t* out = &raw[y * (stride + 1)];
        out[0] = BestFilter(row.data(), above.data(), stride);
        FilterRow(out[0], row.data(), above.data(), out + 1, stride);
        above.swap(row);
    }
    std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBig32(header, static_cast<uint32_t>(width));
    PutBig32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits per channel, RGB, deflate, no interlace
    PutChunk(png, "IHDR", header);
    std::vector<uint8_t> packed;
    Deflater(packed).Compress(raw);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    return png;
}

}  // namespace vindrel
