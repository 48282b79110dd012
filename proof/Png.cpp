#include "proof/Png.h"

#include <zlib.h>

#include <cstdlib>

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

}  // namespace

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
    std::vector<uint8_t> packed(compressBound(static_cast<uLong>(raw.size())));
    uLongf packedSize = static_cast<uLongf>(packed.size());
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        return {};
    packed.resize(packedSize);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    return png;
}

}  // namespace vindrel
