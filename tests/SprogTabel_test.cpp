// The language table on its own: exact codes, the layout of the long texts, and whether each long
// text fits the label that shows it, measured with the platform's text layout in the label's font.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/SprogTabel.h"
#include "toolkit/Drawing.h"
#include "toolkit/Gdi.h"

namespace vindrel {
namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + separator.size();
    }
}

std::vector<std::string> Lines(const std::string& text) { return Split(text, "\r\n"); }

TEST(LanguageTable, OnlyTheFourExactCodesHaveALanguage) {
    const char* known[] = {"da", "se", "no", "fi"};
    for (const char* code : known) {
        SCOPED_TRACE(code);
        const Sprog* sprog = FindSprog(code);
        ASSERT_NE(sprog, nullptr);
        EXPECT_STREQ(sprog->kode, code);
    }
    for (const char* code : {"DA", "Da", "da ", " da", "d", "dan", "sv", "nb", "??", ""}) {
        SCOPED_TRACE(testing::Message() << '"' << code << '"');
        EXPECT_EQ(FindSprog(code), nullptr);
    }
    ASSERT_EQ(AlleSprog().size(), 4u);
    EXPECT_STREQ(AlleSprog()[0]->kode, "da");
    EXPECT_STREQ(AlleSprog()[1]->kode, "se");
    EXPECT_STREQ(AlleSprog()[2]->kode, "no");
    EXPECT_STREQ(AlleSprog()[3]->kode, "fi");
}

// Every long text of a language, named for the messages.
struct LongText {
    const char* name;
    std::string text;
};

std::vector<LongText> LongTexts(const Sprog& s) {
    std::vector<LongText> texts = {
        {"lblAnsvar", s.Ansvar.lblAnsvar},   {"lblDX", s.DX.lblDX},
        {"lblLavetAf", s.LavetAf.lblLavetAf}, {"lblCopyRight", s.LavetAf.lblCopyRight},
        {"lblProblemer", s.LavetAf.lblProblemer}, {"lblVenter", s.Vent.lblVenter},
    };
    for (int t = 0; t < kHelpTopics; ++t)
        texts.push_back({t == 0 ? "HelpTexts 1" : t == 1 ? "HelpTexts 2" : t == 2 ? "HelpTexts 3"
                                                 : t == 3 ? "HelpTexts 4" : "HelpTexts 5",
                         s.Help.HelpTexts[static_cast<size_t>(t)]});
    return texts;
}

TEST(LanguageTexts, LongTextsAreCleanCrLfProseWithoutPrefixCharacters) {
    for (const Sprog* sprog : AlleSprog()) {
        for (const LongText& t : LongTexts(*sprog)) {
            SCOPED_TRACE(testing::Message() << sprog->kode << " " << t.name);
            ASSERT_FALSE(t.text.empty());
            // The labels honour "&" as an accelerator prefix: it would vanish from the text.
            EXPECT_EQ(t.text.find('&'), std::string::npos);
            for (const std::string& line : Lines(t.text)) {
                EXPECT_EQ(line.find('\r'), std::string::npos) << "lone CR in: " << line;
                EXPECT_EQ(line.find('\n'), std::string::npos) << "lone LF in: " << line;
                if (!line.empty()) {
                    EXPECT_NE(line.front(), ' ') << line;
                    EXPECT_NE(line.back(), ' ') << line;
                }
            }
            EXPECT_NE(t.text.substr(t.text.size() - 2), "\r\n") << "ends in a line break";
        }
    }
}

// Where each long text is shown: the label's font and width, and how much of its height the user
// sees (what lies below is cut off by the page's edge or covered by the next label).
struct Shown {
    const char* name;
    const char* (*text)(const Sprog&);
    FontSpec font;
    int width;
    int visibleHeight;
};

const Shown kShown[] = {
    {"lblAnsvar", [](const Sprog& s) { return s.Ansvar.lblAnsvar; }, Verdana(13, Bold), 241, 377},
    {"lblDX", [](const Sprog& s) { return s.DX.lblDX; }, Verdana(13, Bold), 240, 400},
    // The credits label runs under the rights notice at 240; the notice under the support line at 300.
    {"lblLavetAf", [](const Sprog& s) { return s.LavetAf.lblLavetAf; }, Verdana(13, Bold), 257, 240 - 40},
    {"lblCopyRight", [](const Sprog& s) { return s.LavetAf.lblCopyRight; }, Verdana(13, Bold), 260, 300 - 240},
    {"lblProblemer", [](const Sprog& s) { return s.LavetAf.lblProblemer; }, Verdana(13, Bold), 257, 89},
    {"lblWarning", [](const Sprog& s) { return s.SpilSide.lblWarning; }, Verdana(13), 297, 57},
    // The backdrop's notice: a quarter of its label, as all four languages share it while undecided.
    {"lblVenter", [](const Sprog& s) { return s.Vent.lblVenter; }, Verdana(13, Bold), 560, 240 / 4},
    // The help label reaches below the page; only the part above its bottom edge (480) shows.
    {"HelpTexts 1", [](const Sprog& s) { return s.Help.HelpTexts[0]; }, Verdana(12, Bold), 241, 480 - 56},
    {"HelpTexts 2", [](const Sprog& s) { return s.Help.HelpTexts[1]; }, Verdana(12, Bold), 241, 480 - 56},
    {"HelpTexts 3", [](const Sprog& s) { return s.Help.HelpTexts[2]; }, Verdana(12, Bold), 241, 480 - 56},
    {"HelpTexts 4", [](const Sprog& s) { return s.Help.HelpTexts[3]; }, Verdana(12, Bold), 241, 480 - 56},
    {"HelpTexts 5", [](const Sprog& s) { return s.Help.HelpTexts[4]; }, Verdana(12, Bold), 241, 480 - 56},
};

TEST(LanguageTexts, EveryLongTextFitsTheVisiblePartOfItsLabel) {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    for (const Shown& shown : kShown) {
        UniqueFont font = CreateFontFrom(shown.font);
        SelectGuard select(dc.get(), font.get());
        TEXTMETRICA tm{};
        GetTextMetricsA(dc.get(), &tm);
        for (const Sprog* sprog : AlleSprog()) {
            SCOPED_TRACE(testing::Message() << sprog->kode << " " << shown.name);
            // The same layout the label draws with, a little narrower than the label: the face
            // standing in for Verdana here may set a line a few pixels shorter.
            RECT r{0, 0, shown.width - 4, 0};
            DrawTextA(dc.get(), shown.text(*sprog), -1, &r, DT_WORDBREAK | DT_EXPANDTABS | DT_CALCRECT);
            const int lines = (r.bottom - r.top) / tm.tmHeight;
            EXPECT_LE(r.right - r.left, shown.width) << "a word wider than the label";
            // Verdana's lines are up to a pixel taller than the stand-in's at these sizes.
            EXPECT_LE(lines * (tm.tmHeight + 1), shown.visibleHeight)
                << lines << " lines of " << tm.tmHeight << " px";
        }
    }
}

}  // namespace
}  // namespace vindrel
