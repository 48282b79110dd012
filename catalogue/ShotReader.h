// The one reader of a demo's Shot.bmp, for the game page, the proof and the CD check alike.
// Plain C++ with no platform calls, so the check built for any machine reads the file exactly
// as the menu does. Every size, offset and count is checked against the file's length before a
// pixel is touched; what the menu does not promise to show is refused, never guessed at.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vindrel {

// The picture on the game page: a screenshot larger than it cannot be shown.
constexpr int kShotMaxWidth = 316, kShotMaxHeight = 236;
// More than any screenshot the reader accepts can need (header, palette, pixels, runs): only
// this much of a file is read, so a huge file costs no more than a proper one.
constexpr size_t kShotReadLimit = 1 << 20;

struct ShotPicture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // top row first, each 0x00RRGGBB
};

struct ShotReading {
    ShotPicture picture;
    // Empty when the picture was read; else why not, in words that follow "the screenshot X"
    // ("is cut short: 100 of 200 bytes").
    std::string problem;
    bool Readable() const { return problem.empty(); }
};

// Reads a Windows bitmap of 8 bits (uncompressed or run-length encoded) or 24 bits, bottom-up or
// top-down, at most kShotMaxWidth x kShotMaxHeight; anything else cannot be read.
ShotReading ReadShot(std::string_view bytes);

}  // namespace vindrel
