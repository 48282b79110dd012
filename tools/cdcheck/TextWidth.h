// Estimated widths of text in the menu's fonts, for warnings about descriptions that need
// scrolling and short titles that do not fit their rows; the room the pages give is the
// rulebook's. The menu measures with the real font
// at run time; these tables are an estimate made once from a free face of the same proportions,
// 8 % wider and rounded up per character, so the estimate errs towards "too wide".
#pragma once
#include <string_view>

#include "catalogue/Rulebook.h"

namespace vindrel::cdcheck {

enum class Face {
    Bold13,     // Verdana 13 pixels bold: the game page's description box
    Regular19,  // Verdana 19 pixels regular: the demo buttons of the category and index pages
    Bold21,     // Verdana 21 pixels bold: the game page's heading, the Titel
    Regular24,  // Verdana 24 pixels regular: the uninstall page's rows
};

// Pixels of one line of Windows-1252 text, without wrapping.
int EstimatedWidth(std::string_view text, Face face);

// Lines the description box makes of the text: broken at spaces where the next word would pass
// the inner width, inside a word only when the word alone is wider than a line; spaces may hang
// past the edge; a line break in the text starts a new line. An empty text has no lines.
int EstimatedLines(std::string_view text, int innerWidth, Face face = Face::Bold13);

// The face of a row of titles (catalogue/Rulebook.h): Verdana of the row's height, regular.
Face RowFace(const TitleRow& row);

}  // namespace vindrel::cdcheck
