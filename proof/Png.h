// PNG files of the proof pages: 24-bit colour, deflated (by a small compressor of our own; see
// Png.cpp), so a proof of a few hundred pages stays a few tens of MB (the same pages as bitmaps
// would fill a CD).
#pragma once
#include <cstdint>
#include <vector>

namespace vindrel {

// PNG bytes of width x height pixels given top row first, each as 0x00RRGGBB (a 32-bit DIB).
std::vector<uint8_t> EncodePng(int width, int height, const uint32_t* pixels);

}  // namespace vindrel
