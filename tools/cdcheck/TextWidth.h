// Estimated widths of text in the menu's fonts, for warnings about descriptions that need
// scrolling and short titles that do not fit their buttons. The menu measures with the real font
// at run time; these tables are an estimate made once from a free face of the same proportions,
// 8 % wider and rounded up per character, so the estimate errs towards "too wide".
#pragma once
#include <string_view>

namespace vindrel::cdcheck {

enum class Face {
    Bold13,     // Verdana 13 pixels bold: the game page's description box
    Regular19,  // Verdana 19 pixels regular: the demo buttons of the category and index pages
    Bold21,     // Verdana 21 pixels bold: the game page's heading, the Titel
};

// Pixels of one line of Windows-1252 text, without wrapping.
int EstimatedWidth(std::string_view text, Face face);

// Lines the description box makes of the text: broken at spaces where the next word would pass
// the inner width, inside a word only when the word alone is wider than a line; spaces may hang
// past the edge; a line break in the text starts a new line. An empty text has no lines.
int EstimatedLines(std::string_view text, int innerWidth, Face face = Face::Bold13);

// The game page's wrapping box is 250 pixels wide; its border and the edit control's margins
// leave about this much for text.
constexpr int kDescriptionInnerWidth = 242;
constexpr int kDescriptionVisibleLines = 18;

// The game page's heading wraps the Titel in 257 pixels and shows two lines of it; a third runs
// into the description below.
constexpr int kTitleWidth = 257;
constexpr int kTitleVisibleLines = 2;

// Captions start a few pixels in from the button's left edge and are cut off at its right edge.
constexpr int kCategoryButtonWidth = 240;
constexpr int kIndexButtonWidth = 209;
constexpr int kCaptionMargin = 8;

}  // namespace vindrel::cdcheck
