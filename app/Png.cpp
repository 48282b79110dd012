#include "app/Png.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace vindrel {
namespace {

// Writes bits into bytes, least significant bit first, as deflate packs them.
class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
    void Put(uint32_t value, int count) {
        acc_ |= static_cast<uint64_t>(value) << used_;
        used_ += count;
        while (used_ >= 8) {
            out_.push_back(static_cast<uint8_t>(acc_));
            acc_ >>= 8;
            used_ -= 8;
        }
    }
    // Huffman codes go most significant bit first.
    void PutCode(uint32_t code, int length) {
        uint32_t reversed = 0;
        for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
        Put(reversed, length);
    }
    void Flush() {
        if (used_ > 0) out_.push_back(static_cast<uint8_t>(acc_));
        acc_ = 0;
        used_ = 0;
    }

private:
    std::vector<uint8_t>& out_;
    uint64_t acc_ = 0;
    int used_ = 0;
};

// The fixed literal/length code of a symbol 0 .. 287.
void PutSymbol(BitWriter& bits, int symbol) {
    if (symbol < 144) bits.PutCode(0x30 + symbol, 8);
    else if (symbol < 256) bits.PutCode(0x190 + symbol - 144, 9);
    else if (symbol < 280) bits.PutCode(symbol - 256, 7);
    else bits.PutCode(0xC0 + symbol - 280, 8);
}

constexpr std::array<int, 29> kLengthBase{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                          31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase{1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                            33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                            1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra{0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void PutMatch(BitWriter& bits, int length, int distance) {
    int code = 28;
    while (kLengthBase[static_cast<size_t>(code)] > length) --code;
    PutSymbol(bits, 257 + code);
    bits.Put(static_cast<uint32_t>(length - kLengthBase[static_cast<size_t>(code)]), kLengthExtra[static_cast<size_t>(code)]);
    int dcode = 29;
    while (kDistanceBase[static_cast<size_t>(dcode)] > distance) --dcode;
    bits.PutCode(static_cast<uint32_t>(dcode), 5);
    bits.Put(static_cast<uint32_t>(distance - kDistanceBase[static_cast<size_t>(dcode)]),
             kDistanceExtra[static_cast<size_t>(dcode)]);
}

uint32_t Adler32(const std::vector<uint8_t>& data) {
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& png, const char type[5], const std::vector<uint8_t>& data) {
    PutBig32(png, static_cast<uint32_t>(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBig32(png, Crc32(&png[start], png.size() - start));
}

int Paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

}  // namespace

std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data) {
    constexpr int kWindow = 32768, kMaxMatch = 258, kMinMatch = 3, kChain = 24, kHashBits = 15;
    std::vector<uint8_t> out{0x78, 0x01};
    BitWriter bits(out);
    bits.Put(1, 1);  // the last block
    bits.Put(1, 2);  // fixed codes
    std::vector<int> head(1 << kHashBits, -1), previous(kWindow, -1);
    const int size = static_cast<int>(data.size());
    auto hash = [&](int at) {
        const uint32_t v = data[static_cast<size_t>(at)] << 16 | data[static_cast<size_t>(at) + 1] << 8 |
                           data[static_cast<size_t>(at) + 2];
        return static_cast<int>((v * 2654435761u) >> (32 - kHashBits));
    };
    auto insert = [&](int at) {
        if (at + kMinMatch > size) return;
        const int h = hash(at);
        previous[static_cast<size_t>(at % kWindow)] = head[static_cast<size_t>(h)];
        head[static_cast<size_t>(h)] = at;
    };
    for (int at = 0; at < size;) {
        int bestLength = 0, bestDistance = 0;
        if (at + kMinMatch <= size) {
            const int limit = std::min(kMaxMatch, size - at);
            int candidate = head[static_cast<size_t>(hash(at))];
            for (int tries = 0; candidate >= 0 && at - candidate <= kWindow - 1 && tries < kChain; ++tries) {
                int length = 0;
                while (length < limit && data[static_cast<size_t>(candidate + length)] == data[static_cast<size_t>(at + length)])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = at - candidate;
                    if (length == limit) break;
                }
                const int next = previous[static_cast<size_t>(candidate % kWindow)];
                if (next >= candidate) break;  // the slot was reused by a newer position
                candidate = next;
            }
        }
        if (bestLength >= kMinMatch) {
            PutMatch(bits, bestLength, bestDistance);
            for (int i = 0; i < bestLength; ++i) insert(at + i);
            at += bestLength;
        } else {
            PutSymbol(bits, data[static_cast<size_t>(at)]);
            insert(at);
            ++at;
        }
    }
    PutSymbol(bits, 256);
    bits.Flush();
    PutBig32(out, Adler32(data));
    return out;
}

std::vector<uint8_t> EncodePng(int width, int height, const uint32_t* pixels) {
    // Each row is stored with the filter that leaves the smallest differences, as encoders do.
    const size_t stride = static_cast<size_t>(width) * 3;
    std::vector<uint8_t> raw, row(stride), above(stride, 0), trial(stride), best(stride);
    raw.reserve((stride + 1) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
            row[static_cast<size_t>(x) * 3] = static_cast<uint8_t>(p >> 16);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<uint8_t>(p >> 8);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<uint8_t>(p);
        }
        long bestSum = -1;
        uint8_t bestFilter = 0;
        for (uint8_t filter = 0; filter < 5; ++filter) {
            long sum = 0;
            for (size_t i = 0; i < stride; ++i) {
                const int a = i >= 3 ? row[i - 3] : 0, b = above[i], c = i >= 3 ? above[i - 3] : 0;
                const int predicted = filter == 1 ? a : filter == 2 ? b : filter == 3 ? (a + b) / 2 : filter == 4 ? Paeth(a, b, c) : 0;
                trial[i] = static_cast<uint8_t>(row[i] - predicted);
                sum += std::abs(static_cast<int8_t>(trial[i]));
            }
            if (bestSum < 0 || sum < bestSum) {
                bestSum = sum;
                bestFilter = filter;
                best.swap(trial);
            }
        }
        raw.push_back(bestFilter);
        raw.insert(raw.end(), best.begin(), best.end());
        above.swap(row);
    }
    std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBig32(header, static_cast<uint32_t>(width));
    PutBig32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits per channel, RGB, deflate, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", ZlibCompress(raw));
    PutChunk(png, "IEND", {});
    return png;
}

bool WritePng(const std::string& path, int width, int height, const uint32_t* pixels) {
    const std::vector<uint8_t> png = EncodePng(width, height, pixels);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && written;
}

}  // namespace vindrel
