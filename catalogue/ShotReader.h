// The one reader of a demo's Shot.bmp, for the game page, the proof and the CD check alike.
// Plain C++ with no platform calls, so the check built for any machine reads the file exactly
// as the menu does. Every size, offset, count, run and mask is checked against the file before
// a pixel is touched; what is malformed is refused with its reason, never guessed at.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vindrel {

// The picture on the game page: a screenshot larger than it cannot be shown.
constexpr int kShotMaxWidth = 316, kShotMaxHeight = 236;
// More than any screenshot the reader accepts can need (header, palette, pixels, runs): only
// this much of a file is read, so a huge file costs no more than a proper one.
constexpr size_t kShotReadLimit = 1 << 20;
// What the producer is told to run for a picture the menu does not show.
constexpr const char* kMakeShotCommand = "cdcheck --make-shot <picture> Shot.bmp";

struct ShotPicture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // top row first, each 0x00RRGGBB
    // One opacity (0 clear .. 255 solid) a pixel when the bitmap has an alpha channel that is
    // used; empty when the picture is solid.
    std::vector<uint8_t> alpha;
};

struct ShotReading {
    ShotPicture picture;
    // Empty when the picture was read; else why not, in words that follow "the screenshot X"
    // ("is cut short: 100 of 200 bytes").
    std::string problem;
    bool Readable() const { return problem.empty(); }
};

// Reads a Windows bitmap of any kind Windows shows: 1, 4 and 8 bits with a colour table (plain,
// RLE4, RLE8), 16 bits (5-5-5, or bit fields), 24 bits, 32 bits (plain, or bit fields with an
// alpha channel); the 12-byte OS/2 header and the version 3, 4 and 5 headers; bottom-up and
// top-down. At most kShotMaxWidth x kShotMaxHeight; anything else cannot be read.
ShotReading ReadShot(std::string_view bytes);

// The same reader for any size up to maxWidth x maxHeight (the producer's own pictures).
ShotReading ReadBitmap(std::string_view bytes, int maxWidth, int maxHeight);

// Draws a picture with an alpha channel over what lies under it: under(x, y) gives the
// 0x00RRGGBB of the backdrop under pixel (x, y). Afterwards the picture is solid.
void DrawOver(ShotPicture& picture, const std::function<uint32_t(int x, int y)>& under);

}  // namespace vindrel
