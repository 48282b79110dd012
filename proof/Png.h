// PNG files of the proof pages: 24-bit colour, compressed with zlib's deflate (the library that
// expands the artwork), so a proof of a few hundred pages stays a few tens of MB (the same pages
// as bitmaps would fill a CD).
#pragma once
#include <cstdint>
#include <vector>

namespace vindrel {

// PNG bytes of width x height pixels given top row first, each as 0x00RRGGBB (a 32-bit DIB);
// empty if they cannot be compressed.
std::vector<uint8_t> EncodePng(int width, int height, const uint32_t* pixels);

}  // namespace vindrel
