// The kinds of the proof's findings, the words the CD check reads them by. findings.txt writes
// one a line: "kind: language: where: place: text", where is the demo's section ("Spil7") or the
// page of the menu's own texts, place the page and row a reader sees it on ("index page, row 3").
// Plain constants, shared with tools/cdcheck.
#pragma once

namespace vindrel::proofkind {

inline constexpr char kTitleCut[] = "title cut";    // a demo's short title cut off on a page's row
inline constexpr char kHeading[] = "heading";       // a demo's title longer than the game page's heading
inline constexpr char kTextCut[] = "cut off";       // any other text cut off
inline constexpr char kScrolls[] = "scrolls";       // a description of more than one screen
inline constexpr char kNoScreenshot[] = "screenshot";  // none beside the setup
inline constexpr char kUnreadable[] = "unreadable";    // a screenshot the menu cannot show
inline constexpr char kHidden[] = "hidden";            // a demo past its category page's rows
inline constexpr char kNotDrawn[] = "not drawn";       // a page the proof could not draw

// The place's page: "index page" of "index page, row 3".
inline constexpr const char* kRowSeparator = ", row ";

}  // namespace vindrel::proofkind
