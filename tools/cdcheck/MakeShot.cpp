#include "MakeShot.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "catalogue/ShotReader.h"

// The well-kept single-header decoders and scaler, built into this unit only.
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb_image_resize.h>

namespace vindrel::cdcheck {
namespace {

namespace fs = std::filesystem;

// The game page's background where the screenshot lies is a dark violet; a picture with
// transparency is drawn over its commonest colour there, since a 24-bit bitmap has no alpha.
constexpr uint32_t kPageBackdrop = 0x4E2685;
// A producer's picture may be large, not endless: a poster of 16384 x 16384 is the most read.
constexpr int kLargest = 16384;
constexpr uintmax_t kLargestFile = uintmax_t{512} << 20;

std::string Number(long long n) { return std::to_string(n); }

// Any picture as solid 0x00RRGGBB pixels, top row first.
bool Decode(std::string bytes, ShotPicture& out, std::string& problem) {
    // A bitmap that only wraps a JPEG or PNG picture (made for printers): the picture inside.
    if (bytes.size() >= 34 && bytes[0] == 'B' && bytes[1] == 'M' && (bytes[30] == 4 || bytes[30] == 5) &&
        bytes[31] == 0 && bytes[32] == 0 && bytes[33] == 0) {
        const uint32_t at = static_cast<uint8_t>(bytes[10]) | static_cast<uint8_t>(bytes[11]) << 8 |
                            static_cast<uint8_t>(bytes[12]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(bytes[13])) << 24;
        if (at < bytes.size()) bytes.erase(0, at);
    }
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        ShotReading r = ReadBitmap(bytes, kLargest, kLargest);
        if (!r.Readable()) {
            problem = "it " + r.problem;
            return false;
        }
        out = std::move(r.picture);
    } else {
        const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
        const int length = static_cast<int>(bytes.size());
        int w = 0, h = 0, n = 0;
        if (!stbi_info_from_memory(data, length, &w, &h, &n)) {
            problem = "it is not a bitmap, PNG or JPEG picture that can be read (" + std::string(stbi_failure_reason()) + ")";
            return false;
        }
        if (w > kLargest || h > kLargest) {
            problem = "it is " + Number(w) + " x " + Number(h) + " pixels, more than " + Number(kLargest) + " x " + Number(kLargest);
            return false;
        }
        stbi_uc* rgba = stbi_load_from_memory(data, length, &w, &h, &n, 4);
        if (!rgba) {
            problem = "it cannot be read (" + std::string(stbi_failure_reason()) + ")";
            return false;
        }
        out.width = w;
        out.height = h;
        const size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
        out.pixels.resize(count);
        out.alpha.resize(count);
        for (size_t i = 0; i < count; ++i) {
            const stbi_uc* p = rgba + 4 * i;
            out.pixels[i] = uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
            out.alpha[i] = p[3];
        }
        stbi_image_free(rgba);
    }
    DrawOver(out, [](int, int) { return kPageBackdrop; });
    return true;
}

std::string BitmapFile(const std::vector<uint8_t>& rgb, int width, int height) {
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4, pixels = stride * static_cast<size_t>(height);
    std::string f(54 + pixels, '\0');
    auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) f[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
    };
    f[0] = 'B', f[1] = 'M';
    put(2, static_cast<uint32_t>(f.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, static_cast<uint32_t>(pixels), 4);
    put(38, 2835, 4);  // 72 dots an inch
    put(42, 2835, 4);
    for (int y = 0; y < height; ++y) {
        const size_t row = 54 + stride * static_cast<size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const size_t from = 3 * (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x));
            f[row + 3 * static_cast<size_t>(x)] = static_cast<char>(rgb[from + 2]);
            f[row + 3 * static_cast<size_t>(x) + 1] = static_cast<char>(rgb[from + 1]);
            f[row + 3 * static_cast<size_t>(x) + 2] = static_cast<char>(rgb[from]);
        }
    }
    return f;
}

}  // namespace

MadeShot MakeShot(const fs::path& picture, const fs::path& shot) {
    MadeShot made;
    std::error_code ec;
    const uintmax_t length = fs::file_size(picture, ec);
    if (ec) {
        made.problem = "it cannot be read (" + ec.message() + ")";
        return made;
    }
    if (length > kLargestFile) {
        made.problem = "it is " + Number(static_cast<long long>(length >> 20)) + " MB, more than a picture of 512 MB";
        return made;
    }
    std::ifstream in(picture, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        made.problem = "it cannot be read";
        return made;
    }
    ShotPicture p;
    if (!Decode(bytes, p, made.problem)) return made;
    made.fromWidth = p.width;
    made.fromHeight = p.height;

    // Down to fit, never up: the page draws a small picture at its own size.
    const double scale = std::min({1.0, static_cast<double>(kShotMaxWidth) / p.width, static_cast<double>(kShotMaxHeight) / p.height});
    made.width = std::clamp(static_cast<int>(std::lround(p.width * scale)), 1, kShotMaxWidth);
    made.height = std::clamp(static_cast<int>(std::lround(p.height * scale)), 1, kShotMaxHeight);
    std::vector<uint8_t> rgb(3 * p.pixels.size());
    for (size_t i = 0; i < p.pixels.size(); ++i) {
        rgb[3 * i] = static_cast<uint8_t>(p.pixels[i] >> 16);
        rgb[3 * i + 1] = static_cast<uint8_t>(p.pixels[i] >> 8);
        rgb[3 * i + 2] = static_cast<uint8_t>(p.pixels[i]);
    }
    std::vector<uint8_t> scaled = rgb;
    if (made.width != p.width || made.height != p.height) {
        // A Mitchell filter in linear light: no jagged edges, no darkened fine detail.
        scaled.assign(3 * static_cast<size_t>(made.width) * static_cast<size_t>(made.height), 0);
        if (!stbir_resize_uint8_generic(rgb.data(), p.width, p.height, 0, scaled.data(), made.width, made.height, 0, 3,
                                        STBIR_ALPHA_CHANNEL_NONE, 0, STBIR_EDGE_CLAMP, STBIR_FILTER_MITCHELL,
                                        STBIR_COLORSPACE_SRGB, nullptr)) {
            made.problem = "it could not be scaled down (out of memory)";
            return made;
        }
    }
    const std::string file = BitmapFile(scaled, made.width, made.height);
    // What is written is what the menu shows, or it is not written.
    if (const ShotReading check = ReadShot(file); !check.Readable()) {
        made.problem = "the bitmap made of it " + check.problem;
        return made;
    }
    std::ofstream out(shot, std::ios::binary | std::ios::trunc);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    out.close();
    if (!out) made.problem = "the Shot.bmp could not be written to " + shot.string();
    return made;
}

}  // namespace vindrel::cdcheck
