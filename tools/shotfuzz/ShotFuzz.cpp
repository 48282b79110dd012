// Mutates bitmaps and reads each through the screenshot reader, to be built with the address and
// undefined-behaviour sanitizers (outside the suite; see the README's screenshot section):
//   g++ -std=c++20 -g -O1 -fsanitize=address,undefined -fno-sanitize-recover=all -I.
//       tools/shotfuzz/ShotFuzz.cpp catalogue/ShotReader.cpp -o shotfuzz
//   shotfuzz <folder of bitmaps> [mutations of each]
// A fault stops it with the sanitizer's report; else it prints what it read and refused.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "catalogue/ShotReader.h"

namespace {

// The same mutations on every run.
class Choices {
public:
    uint32_t Below(uint32_t n) {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<uint32_t>(state_ % n);
    }

private:
    uint64_t state_ = 0xB17B17u;
};

// Header fields and the bytes after them are where a reader goes wrong: most changes land there.
std::string Mutated(std::string f, Choices& pick) {
    static const uint32_t kValues[] = {0, 1, 2, 3, 4, 5, 6, 8, 12, 15, 16, 24, 32, 40, 52, 56, 108, 124, 255, 256, 316, 317,
                                       0x7FFF, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x4D424544, 0x4C494E4B};
    for (uint32_t n = 1 + pick.Below(4); n > 0 && !f.empty(); --n) {
        const size_t at = pick.Below(4) ? pick.Below(static_cast<uint32_t>(std::min<size_t>(f.size(), 160)))
                                        : pick.Below(static_cast<uint32_t>(f.size()));
        switch (pick.Below(6)) {
            case 0: f[at] = static_cast<char>(pick.Below(256)); break;
            case 1: f[at] = static_cast<char>(f[at] ^ (1 << pick.Below(8))); break;
            case 2: {
                const uint32_t v = kValues[pick.Below(sizeof kValues / sizeof kValues[0])];
                for (size_t i = 0; i < 4 && at + i < f.size(); ++i) f[at + i] = static_cast<char>(v >> (8 * i));
                break;
            }
            case 3: f.resize(at); break;
            case 4: f.insert(at, pick.Below(8) + 1, static_cast<char>(pick.Below(256))); break;
            default: f.erase(at, pick.Below(8) + 1); break;
        }
    }
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: shotfuzz <folder of bitmaps> [mutations of each]\n", stderr);
        return 2;
    }
    const int each = argc > 2 ? std::stoi(argv[2]) : 200;
    Choices pick;
    long read = 0, refused = 0, files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
        if (entry.path().extension() != ".bmp") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string original((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ++files;
        for (int i = 0; i < each; ++i) {
            vindrel::ShotReading r = vindrel::ReadShot(Mutated(original, pick));
            if (!r.Readable()) {
                ++refused;
                continue;
            }
            ++read;
            vindrel::DrawOver(r.picture, [](int x, int y) { return static_cast<uint32_t>(x * 7 + y); });
        }
    }
    std::printf("shotfuzz: %ld files, %ld mutations: %ld read, %ld refused, no fault\n", files, read + refused, read, refused);
    return 0;
}
