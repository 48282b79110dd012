// The proof's PNG files: read back with zlib's own inflate and the PNG row filters undone, every
// kind of picture gives back its pixels exactly.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "proof/Png.h"

namespace vindrel {
namespace {

uint32_t Big32(const uint8_t* p) { return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3]; }

// The pixels of a PNG as EncodePng writes it (8-bit RGB, one IDAT), as 0x00RRGGBB; empty, with a
// failure, on anything wrong.
std::vector<uint32_t> Decode(const std::vector<uint8_t>& png, int width, int height) {
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (png.size() < 8 || std::memcmp(png.data(), signature, 8) != 0) {
        ADD_FAILURE() << "no signature";
        return {};
    }
    std::vector<uint8_t> idat;
    for (size_t at = 8; at + 12 <= png.size();) {
        const uint32_t length = Big32(&png[at]);
        const std::string type(png.begin() + static_cast<ptrdiff_t>(at) + 4, png.begin() + static_cast<ptrdiff_t>(at) + 8);
        EXPECT_EQ(Big32(&png[at + 8 + length]), crc32(0, &png[at + 4], length + 4)) << type;
        if (type == "IHDR") {
            EXPECT_EQ(Big32(&png[at + 8]), static_cast<uint32_t>(width));
            EXPECT_EQ(Big32(&png[at + 12]), static_cast<uint32_t>(height));
        }
        if (type == "IDAT") idat.assign(png.begin() + static_cast<ptrdiff_t>(at) + 8, png.begin() + static_cast<ptrdiff_t>(at + 8 + length));
        at += 12 + length;
    }
    const size_t stride = static_cast<size_t>(width) * 3;
    std::vector<uint8_t> raw((stride + 1) * static_cast<size_t>(height));
    uLongf rawSize = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &rawSize, idat.data(), static_cast<uLong>(idat.size())) != Z_OK || rawSize != raw.size()) {
        ADD_FAILURE() << "the image data does not inflate to its size";
        return {};
    }
    std::vector<uint8_t> above(stride, 0), row(stride);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        const uint8_t* line = &raw[static_cast<size_t>(y) * (stride + 1)];
        for (size_t i = 0; i < stride; ++i) {
            const int a = i >= 3 ? row[i - 3] : 0, b = above[i], c = i >= 3 ? above[i - 3] : 0;
            const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
            const int paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
            const int predicted[] = {0, a, b, (a + b) / 2, paeth};
            row[i] = static_cast<uint8_t>(line[1 + i] + predicted[line[0]]);
        }
        for (size_t x = 0; x < stride; x += 3) pixels.push_back(uint32_t{row[x]} << 16 | uint32_t{row[x + 1]} << 8 | row[x + 2]);
        above = row;
    }
    return pixels;
}

TEST(Png, EveryKindOfPictureReadsBackPixelForPixel) {
    const int w = 640, h = 480;
    std::vector<uint32_t> noise(w * h), flat(w * h, 0x000000), page(w * h);
    uint32_t seed = 12345;
    for (uint32_t& p : noise) p = (seed = seed * 1103515245 + 12345) >> 8 & 0xFFFFFF;
    // Bands, gradients and repeated blocks, as a page has: matches of every length and distance.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            page[y * w + x] = y < 40 ? 0x00FF00 : (x / 37 + y / 11) % 5 == 0 ? noise[(y % 64) * w + x % 96]
                                                                             : static_cast<uint32_t>(x * 0x010203 + y * 0x030100) & 0xFFFFFF;
    for (const auto& [name, pixels] : {std::pair{"noise", &noise}, {"flat", &flat}, {"page", &page}}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> png = EncodePng(w, h, pixels->data());
        EXPECT_TRUE(Decode(png, w, h) == *pixels);
        if (pixels == &flat) {
            EXPECT_LT(png.size(), 8000u) << "runs are coded as matches";
        }
    }
    // A picture of one pixel and one a row shorter than the shortest match.
    const uint32_t one[] = {0xABCDEF, 0x123456};
    EXPECT_TRUE(Decode(EncodePng(1, 2, one), 1, 2) == std::vector<uint32_t>(one, one + 2));
}

}  // namespace
}  // namespace vindrel
