// The producer's editor keeps the catalogue byte for byte: what it did not change stays as it was.
#include <gtest/gtest.h>


#include "editor/Document.h"
#include "editor/IniText.h"
#include "tests/TestSupport.h"

using vindrel::editor::Document;
using vindrel::editor::IniText;
using vindrel::editor::ToCp1252;

namespace {

std::string SampleCatalogue() { return vindrel::test::ReadFile(vindrel::test::BuiltProgram("../cd/Spil.INI")); }

// The lines of a and b that differ, as "line N" each, for a change that must touch one line only.
std::vector<std::string> ChangedLines(const std::string& a, const std::string& b) {
    const auto la = IniText::Parse(a).Lines(), lb = IniText::Parse(b).Lines();
    std::vector<std::string> changed;
    for (size_t i = 0; i < std::max(la.size(), lb.size()); ++i)
        if (i >= la.size() || i >= lb.size() || la[i].text != lb[i].text || la[i].end != lb[i].end)
            changed.push_back(i < lb.size() ? lb[i].text : "(gone)");
    return changed;
}

}  // namespace

TEST(EditorSaving, OpenedAndSavedUnchangedIsTheSameFile) {
    const std::string sample = SampleCatalogue();
    ASSERT_GT(sample.size(), 1000u);
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"the sample catalogue", sample},
        {"comments and blank lines", "; top\r\n\r\n[Spil1]\r\n; a note\r\nTitel=A\r\n  \t\r\n;Kategori=Sport\r\nKategori=Sport\r\n"},
        {"keys in odd case", "[spil1]\r\ntITEL = Racer \r\nKATEGORI=Sport\r\n"},
        {"duplicate keys and sections", "[Spil1]\r\nTitel=A\r\nTitel=B\r\n[Spil1]\r\nTitel=C\r\n"},
        {"unknown keys", "[Spil1]\r\nTitel=A\r\nPris=99\r\nKategori=Sport\r\n[Andet]\r\nx=1\r\n"},
        {"[CD] first", "[CD]\r\nUdgave=1101\r\nAar=2001\r\n[Spil1]\r\nTitel=A\r\n"},
        {"[CD] last, no final line end", "[Spil1]\r\nTitel=A\r\n\r\n[CD]\r\nUdgave=1101"},
        {"CR-only lines", "[Spil1]\rTitel=A\rKategori=Sport\r"},
        {"mixed line ends", "[Spil1]\nTitel=A\r\nKategori=Sport\r\r\n"},
        {"Windows-1252 letters", "[Spil1]\r\nDansk=K\xf8r \x80 \x93ud\x94\r\n"},
        {"empty file", ""},
    };
    for (const auto& c : cases) {
        Document doc(c.bytes);
        EXPECT_EQ(doc.Bytes(), c.bytes) << c.what;
        // Every value written back as it reads changes nothing either.
        for (int d = 0; d < doc.Count(); ++d)
            for (const char* key : vindrel::editor::kDemoKeys) doc.SetValue(d, key, doc.Value(d, key));
        doc.SetCd("Udgave", doc.Cd("Udgave"));
        EXPECT_EQ(doc.Bytes(), c.bytes) << c.what;
    }
}

TEST(EditorSaving, AChangedKeyChangesItsLineOnly) {
    const std::string sample = SampleCatalogue();
    Document doc(sample);
    ASSERT_GE(doc.Count(), 10);
    doc.SetValue(1, "Titel", "Castle of the Ten Winds");
    doc.SetValue(1, "Dansk", "Nyt eventyr \xe6\xf8\xe5.");
    EXPECT_EQ(ChangedLines(sample, doc.Bytes()),
              (std::vector<std::string>{"Titel=Castle of the Ten Winds", "Dansk=Nyt eventyr \xe6\xf8\xe5."}));
    EXPECT_EQ(doc.Value(1, "titel"), "Castle of the Ten Winds");

    // The key's own spelling and spacing stay; a duplicate key's later line is not touched.
    Document odd("[spil1]\r\ntITEL = Racer \r\nTitel=Second\r\n");
    odd.SetValue(0, "Titel", "Boat");
    EXPECT_EQ(odd.Bytes(), "[spil1]\r\ntITEL = Boat\r\nTitel=Second\r\n");
    // A missing key goes after the section's last line, in the file's own line ends.
    Document cr("[Spil1]\rTitel=A\r\r[Spil2]\rTitel=B\r");
    cr.SetValue(0, "Kategori", "Sport");
    EXPECT_EQ(cr.Bytes(), "[Spil1]\rTitel=A\rKategori=Sport\r\r[Spil2]\rTitel=B\r");
    // A field left empty adds no key; the [CD] section is made when an edition is set.
    cr.SetValue(0, "Folder", "");
    Document noCd("[Spil1]\r\nTitel=A");
    noCd.SetCd("Udgave", "1101");
    EXPECT_EQ(noCd.Bytes(), "[Spil1]\r\nTitel=A\r\n\r\n[CD]\r\nUdgave=1101\r\n");
    EXPECT_EQ(noCd.Cd("udgave"), "1101");
}

TEST(EditorList, DemosAreRenumberedInTheirNewOrder) {
    const std::string file = "; top\r\n[CD]\r\nUdgave=1\r\n\r\n[Spil1]\r\nTitel=A\r\n\r\n[Spil3]\r\nTitel=C\r\nPris=9\r\n\r\n"
                             "[Spil31]\r\nTitel=Never\r\n";
    Document doc(file);
    ASSERT_EQ(doc.Count(), 2);
    EXPECT_EQ(doc.UnknownKeys(1).size(), 1u);
    EXPECT_EQ(doc.UnknownKeys(1)[0].key, "Pris");

    EXPECT_EQ(doc.Move(1, -1), 0);  // C before A: only the two headers change
    EXPECT_EQ(ChangedLines(file, doc.Bytes()), (std::vector<std::string>{"[Spil2]", "[Spil1]"}));
    EXPECT_EQ(doc.Value(0, "Titel"), "C");
    EXPECT_EQ(doc.Duplicate(0), 1);
    EXPECT_EQ(doc.Count(), 3);
    EXPECT_EQ(doc.Value(1, "Titel"), "C");
    EXPECT_EQ(doc.Value(1, "Pris"), "9");
    EXPECT_EQ(doc.Value(2, "Titel"), "A");
    EXPECT_EQ(doc.Remove(0), 0);
    EXPECT_EQ(doc.Value(0, "Titel"), "C");
    EXPECT_EQ(doc.Value(1, "Titel"), "A");
    EXPECT_EQ(doc.SectionNumber(1), 2);
    EXPECT_NE(doc.Bytes().find("[Spil31]\r\nTitel=Never"), std::string::npos);  // not a demo: kept

    // Thirty at most: the thirty-first is refused.
    Document full;
    for (int i = 0; i < 30; ++i) ASSERT_EQ(full.Add(), i);
    EXPECT_EQ(full.Add(), -1);
    EXPECT_EQ(full.Duplicate(3), -1);
    EXPECT_EQ(full.SectionNumber(29), 30);
}

TEST(EditorSaving, LettersOutsideWindows1252AreNamedWithTheirPosition) {
    const auto ok = ToCp1252(u"K\u00f8r \u20ac \u201cud\u201d");
    EXPECT_TRUE(ok.ok);
    EXPECT_EQ(ok.text, "K\xf8r \x80 \x93ud\x94");
    EXPECT_EQ(vindrel::editor::FromCp1252(ok.text), u"K\u00f8r \u20ac \u201cud\u201d");

    const auto bad = ToCp1252(u"Kaamos \u0141\u00f3d\u017a");
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.badLetter, "\xc5\x81");  // "Ł" in UTF-8
    EXPECT_EQ(bad.position, 8u);
    const auto emoji = ToCp1252(u"ab\U0001F600");
    EXPECT_FALSE(emoji.ok);
    EXPECT_EQ(emoji.position, 3u);
    EXPECT_FALSE(ToCp1252(u"\u0081").ok);  // a hole of the code page
}
