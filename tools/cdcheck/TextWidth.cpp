#include "TextWidth.h"

#include <cstdint>

namespace vindrel::cdcheck {
namespace {

// Advance widths in pixels of the Windows-1252 characters 0x20 to 0xFF (see TextWidth.h for how
// they were made). Code points the code page leaves undefined count as the widest character.
// kBold13: bytes 0x20 to 0xFF; widest 21
constexpr uint8_t kBold13[224] = {
     5,  7,  8, 12, 10, 15, 13,  5,  7,  7,  8, 12,  6,  6,  6,  6,  // 0x20
    10, 10, 10, 10, 10, 10, 10, 10, 10, 10,  6,  6, 12, 12, 12,  9,  // 0x30
    15, 11, 11, 11, 12, 10, 10, 12, 12,  6,  6, 11,  9, 14, 12, 12,  // 0x40
    11, 12, 11, 11, 10, 12, 11, 16, 11, 11, 11,  7,  6,  7, 12,  8,  // 0x50
     8, 10, 11,  9, 11, 10,  7, 11, 10,  5,  5, 10,  5, 15, 10, 10,  // 0x60
    11, 11,  7,  9,  7, 10, 10, 13, 10, 10,  9, 10,  6, 10, 12,  9,  // 0x70
    10, 21,  6,  7, 10, 15,  8,  8,  8, 21, 11,  6, 17, 21, 11, 21,  // 0x80
    21,  6,  6, 10, 10,  9,  8, 15,  8, 15,  9,  6, 16, 21,  9, 11,  // 0x90
     5,  7, 10, 10,  9, 10,  6,  8,  8, 15,  8, 10, 12,  0, 15,  8,  // 0xA0
     8, 12,  7,  7,  8, 11,  9,  6,  8,  7,  8, 10, 15, 15, 15,  9,  // 0xB0
    11, 11, 11, 11, 11, 11, 16, 11, 10, 10, 10, 10,  6,  6,  6,  6,  // 0xC0
    12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 11, 11, 11,  // 0xD0
    10, 10, 10, 10, 10, 10, 15,  9, 10, 10, 10, 10,  5,  5,  5,  5,  // 0xE0
    10, 10, 10, 10, 10, 10, 10, 12, 10, 10, 10, 10, 10, 10, 11, 10,  // 0xF0
};
// kRegular19: bytes 0x20 to 0xFF; widest 28
constexpr uint8_t kRegular19[224] = {
     7,  9, 10, 18, 14, 20, 16,  6,  8,  8, 11, 18,  7,  8,  7,  7,  // 0x20
    14, 14, 14, 14, 14, 14, 14, 14, 14, 14,  7,  7, 18, 18, 18, 11,  // 0x30
    21, 15, 15, 15, 16, 13, 12, 16, 16,  7,  7, 14, 12, 18, 16, 17,  // 0x40
    13, 17, 15, 14, 13, 16, 15, 21, 15, 13, 15,  8,  7,  8, 18, 11,  // 0x50
    11, 13, 14, 12, 14, 13,  8, 14, 14,  6,  6, 12,  6, 20, 14, 13,  // 0x60
    14, 14,  9, 11,  9, 14, 13, 17, 13, 13, 11, 14,  7, 14, 18, 13,  // 0x70
    14, 28,  7,  8, 11, 21, 11, 11, 11, 28, 14,  9, 22, 28, 15, 28,  // 0x80
    28,  7,  7, 11, 11, 13, 11, 21, 11, 21, 11,  9, 21, 28, 11, 13,  // 0x90
     7,  9, 14, 14, 14, 14,  7, 11, 11, 21, 10, 13, 18,  0, 21, 11,  // 0xA0
    11, 18,  9,  9, 11, 14, 14,  7, 11,  9, 10, 13, 20, 20, 20, 11,  // 0xB0
    15, 15, 15, 15, 15, 15, 20, 15, 13, 13, 13, 13,  7,  7,  7,  7,  // 0xC0
    16, 16, 17, 17, 17, 17, 17, 18, 17, 16, 16, 16, 16, 13, 13, 13,  // 0xD0
    13, 13, 13, 13, 13, 13, 21, 12, 13, 13, 13, 13,  6,  6,  6,  6,  // 0xE0
    13, 14, 13, 13, 13, 13, 13, 18, 13, 14, 14, 14, 14, 13, 14, 13,  // 0xF0
};

// kBold21: bytes 0x20 to 0xFF; widest 33
constexpr uint8_t kBold21[224] = {
     8, 11, 12, 20, 16, 23, 20,  7, 11, 11, 12, 20,  9, 10,  9,  9,  // 0x20
    16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 10, 10, 20, 20, 20, 14,  // 0x30
    23, 18, 18, 17, 19, 16, 16, 19, 19,  9,  9, 18, 15, 23, 19, 20,  // 0x40
    17, 20, 18, 17, 16, 19, 18, 26, 18, 17, 17, 11,  9, 11, 20, 12,  // 0x50
    12, 16, 17, 14, 17, 16, 10, 17, 17,  8,  8, 16,  8, 24, 17, 16,  // 0x60
    17, 17, 12, 14, 11, 17, 15, 21, 15, 15, 14, 17,  9, 17, 20, 14,  // 0x70
    16, 33,  9, 10, 15, 23, 12, 12, 12, 33, 17, 10, 27, 33, 17, 33,  // 0x80
    33,  9,  9, 15, 15, 15, 12, 23, 12, 23, 14, 10, 25, 33, 14, 17,  // 0x90
     8, 11, 16, 16, 15, 16,  9, 12, 12, 23, 13, 15, 20,  0, 23, 12,  // 0xA0
    12, 20, 10, 10, 12, 17, 15,  9, 12, 10, 13, 15, 24, 24, 24, 14,  // 0xB0
    18, 18, 18, 18, 18, 18, 25, 17, 16, 16, 16, 16,  9,  9,  9,  9,  // 0xC0
    20, 19, 20, 20, 20, 20, 20, 20, 20, 19, 19, 19, 19, 17, 17, 17,  // 0xD0
    16, 16, 16, 16, 16, 16, 24, 14, 16, 16, 16, 16,  8,  8,  8,  8,  // 0xE0
    16, 17, 16, 16, 16, 16, 16, 20, 16, 17, 17, 17, 17, 15, 17, 15,  // 0xF0
};

// The uninstall page's face from the caption face's widths, scaled by the menu's own measure of
// one title in both ("Kaamos Kommando": 212 in the table, 239 pixels drawn at 24), rounded up.
int Scaled24(int regular19) { return (regular19 * 239 + 211) / 212; }

int CharWidth(unsigned char c, Face face) {
    if (face == Face::Regular24) return Scaled24(CharWidth(c, Face::Regular19));
    const uint8_t* table = face == Face::Bold13 ? kBold13 : face == Face::Bold21 ? kBold21 : kRegular19;
    if (c >= 0x20) return table[c - 0x20];
    return table[0x81 - 0x20];  // a control character: the widest, to stay on the safe side
}

}  // namespace

Face RowFace(const TitleRow& row) { return row.fontHeight == 24 ? Face::Regular24 : Face::Regular19; }

int EstimatedWidth(std::string_view text, Face face) {
    if (face == Face::Regular24) return Scaled24(EstimatedWidth(text, Face::Regular19));
    int width = 0;
    for (char c : text) width += CharWidth(static_cast<unsigned char>(c), face);
    return width;
}

int EstimatedLines(std::string_view text, int innerWidth, Face face) {
    int lines = 0;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view paragraph = text.substr(pos, end - pos);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        const bool last = end == text.size();
        pos = end + 1;
        if (last && paragraph.empty()) break;  // an empty last line is not counted

        int x = 0;
        int paragraphLines = 1;
        size_t i = 0;
        while (i < paragraph.size()) {
            if (paragraph[i] == ' ') {  // spaces hang at the end of the line
                x += CharWidth(' ', face);
                ++i;
                continue;
            }
            size_t wordEnd = paragraph.find(' ', i);
            if (wordEnd == std::string_view::npos) wordEnd = paragraph.size();
            const std::string_view word = paragraph.substr(i, wordEnd - i);
            const int w = EstimatedWidth(word, face);
            if (x > 0 && x + w > innerWidth) {
                ++paragraphLines;
                x = 0;
            }
            if (w <= innerWidth) {
                x += w;
            } else {
                for (char c : word) {  // a word wider than the box is broken inside
                    const int cw = CharWidth(static_cast<unsigned char>(c), face);
                    if (x > 0 && x + cw > innerWidth) {
                        ++paragraphLines;
                        x = 0;
                    }
                    x += cw;
                }
            }
            i = wordEnd;
        }
        lines += paragraphLines;
        if (last) break;
    }
    return lines;
}

}  // namespace vindrel::cdcheck
