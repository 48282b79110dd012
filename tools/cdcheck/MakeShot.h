// Makes a Shot.bmp the game page shows from the producer's own picture of any size: a Windows
// bitmap of any kind, a PNG or a JPEG, scaled down to fit the page's picture.
#pragma once
#include <filesystem>
#include <string>

namespace vindrel::cdcheck {

struct MadeShot {
    int fromWidth = 0, fromHeight = 0, width = 0, height = 0;
    std::string problem;  // empty when the Shot.bmp was written; else why not
};

// Reads picture, draws what it has of transparency over the game page's background colour,
// scales it down (never up) to fit 316 x 236 keeping its proportions, and writes it as a 24-bit
// bitmap to shot.
MadeShot MakeShot(const std::filesystem::path& picture, const std::filesystem::path& shot);

}  // namespace vindrel::cdcheck
