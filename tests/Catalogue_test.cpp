// Reading Spil.INI into SpilListe, through the platform's own profile reader on real files.
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "catalogue/Katalog.h"
#include "tests/TestSupport.h"
#include "tools/cdcheck/CdCheck.h"

namespace vindrel {
namespace {

using test::ScratchFolder;

// Makes a folder current for the test's lifetime and restores the previous one.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& path) {
        char previous[MAX_PATH] = {};
        GetCurrentDirectoryA(sizeof previous, previous);
        previous_ = previous;
        EXPECT_TRUE(SetCurrentDirectoryA(path.c_str())) << path;
    }
    ~CurrentDirectory() { SetCurrentDirectoryA(previous_.c_str()); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::string previous_;
};

// A folder holding one Spil.INI, made current; the folder outlives the current-directory change.
class CatalogueFolder {
public:
    explicit CatalogueFolder(const std::string& ini) : current_((test::WriteFile(folder_ / "Spil.INI", ini), folder_.Path())) {}
    SpilListe Read(const std::string& language) const {
        SpilListe liste;
        indsaet_i_liste(liste, language);
        return liste;
    }

private:
    ScratchFolder folder_;
    CurrentDirectory current_;
};

SpilListe ReadCatalogue(const std::string& ini, const std::string& language = "da") {
    return CatalogueFolder(ini).Read(language);
}

std::vector<std::string> Titles(const SpilListe& liste) {
    std::vector<std::string> titles;
    for (const TSpilPost& e : liste) titles.push_back(e.Titel);
    return titles;
}

TEST(Catalogue, SectionWithOnlyTitleAndSportTakesDefaults) {
    SpilListe liste = ReadCatalogue("[Spil1]\r\nTitel=Fodbold 2000\r\nKategori=Sport\r\n");
    ASSERT_EQ(liste.size(), 1u);
    const TSpilPost& e = liste[0];
    EXPECT_EQ(e.Titel, "Fodbold 2000");
    EXPECT_EQ(e.KortTitel, "Fodbold 2000");
    EXPECT_EQ(e.Setup, "No File!");
    EXPECT_EQ(e.CPU, 100);
    EXPECT_EQ(e.Ram, 16);
    EXPECT_EQ(e.HD, 20);
    EXPECT_EQ(e.Krav3D, 0);
    EXPECT_EQ(e.Kategori, 2);
    EXPECT_EQ(e.Folder, "NoFolder");
    EXPECT_EQ(e.Uninstall, "");
    EXPECT_EQ(e.Instruktion, "Ingen dansk instruktion!");
}

TEST(Catalogue, MissingTitleShowsNoTitleAsBothTitles) {
    SpilListe liste = ReadCatalogue("[Spil1]\nKategori=Junior\n"
                                    "[Spil2]\nTitel=Lang titel\nKortTitel=Kort\nKategori=Junior\n");
    ASSERT_EQ(liste.size(), 2u);
    EXPECT_EQ(liste[0].Titel, "No Title!");
    EXPECT_EQ(liste[0].KortTitel, "No Title!");
    EXPECT_EQ(liste[1].Titel, "Lang titel");
    EXPECT_EQ(liste[1].KortTitel, "Kort");
}

TEST(Catalogue, EveryFieldIsReadFromItsKey) {
    SpilListe liste = ReadCatalogue(
        "[Spil1]\nTitel=Rumkrig\nKortTitel=Rum\nSetup=\\Demo\\Rum\\Setup.exe\nCPU=233\nRam=32\nHD=150\n"
        "Kategori=Strategy\nFolder=Rumkrig Demo\nUninstall=RumkrigDemo\nDansk=Byg en flåde.\n");
    ASSERT_EQ(liste.size(), 1u);
    const TSpilPost& e = liste[0];
    EXPECT_EQ(e.KortTitel, "Rum");
    EXPECT_EQ(e.Setup, "\\Demo\\Rum\\Setup.exe");
    EXPECT_EQ(e.CPU, 233);
    EXPECT_EQ(e.Ram, 32);
    EXPECT_EQ(e.HD, 150);
    EXPECT_EQ(e.Kategori, 4);
    EXPECT_EQ(e.Folder, "Rumkrig Demo");
    EXPECT_EQ(e.Uninstall, "RumkrigDemo");
    EXPECT_EQ(e.Instruktion, "Byg en flåde.");
}

TEST(Catalogue, CategoryNamesMatchExactlyAndOthersAreDropped) {
    struct Case {
        const char* kategori;  // nullptr: no key
        int code;              // -1: not listed
    };
    const Case cases[] = {
        {"Action", 0}, {"Simulator", 1}, {"Sport", 2}, {"Adventure", 3}, {"Strategy", 4}, {"Junior", 5},
        {"action", -1}, {"SPORT", -1}, {"Ingen", -1}, {"Strategi", -1}, {"", -1}, {nullptr, -1},
    };
    std::string ini;
    std::vector<std::string> expectedTitles;
    std::vector<int> expectedCodes;
    for (size_t i = 0; i < std::size(cases); ++i) {
        std::string title = "Demo" + std::to_string(i);
        ini += "[Spil" + std::to_string(i + 1) + "]\nTitel=" + title + "\n";
        if (cases[i].kategori) ini += std::string("Kategori=") + cases[i].kategori + "\n";
        if (cases[i].code >= 0) {
            expectedTitles.push_back(title);
            expectedCodes.push_back(cases[i].code);
        }
    }
    SpilListe liste = ReadCatalogue(ini);
    EXPECT_EQ(Titles(liste), expectedTitles);
    std::vector<int> codes;
    for (const TSpilPost& e : liste) codes.push_back(e.Kategori);
    EXPECT_EQ(codes, expectedCodes);
}

TEST(Catalogue, IntegerValuesAreParsedByPrefix) {
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {
        {"0x20", 32}, {"0X1f", 31}, {"$1F", 31}, {"$ff", 255}, {"32", 32}, {"007", 7}, {"-5", -5}, {"+7", 7},
        {"abc", 99}, {"12abc", 99}, {"0x", 99}, {"$", 99}, {"-", 99}, {"", 99}, {"0xZZ", 99}, {"-0x10", 99},
        {"$-1", 99}, {"1 2", 99}, {"1.5", 99},
        {"2147483647", INT32_MAX}, {"2147483648", 99}, {"-2147483648", INT32_MIN}, {"-2147483649", 99},
        {"99999999999999999999", 99}, {"0x7FFFFFFF", INT32_MAX}, {"0x80000000", 99}, {"$FFFFFFFF", 99},
        {"0x00000000000000000001", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("value \"") + c.text + "\"");
        EXPECT_EQ(ParseIniInteger(c.text, 99), c.expected);
    }
}

TEST(Catalogue, IntegerKeysFromTheFileUseTheirOwnDefaults) {
    struct Case {
        const char* lines;  // the integer keys of one section
        int32_t cpu, ram, hd;
    };
    const Case cases[] = {
        {"Ram=0x20\n", 100, 32, 20},
        {"Ram=abc\n", 100, 16, 20},
        {"CPU=$1F\nRam=-5\nHD=12abc\n", 31, -5, 20},
        {"CPU=0x\nRam=4294967296\nHD=0x20\n", 100, 16, 32},
        {"CPU=\nRam=\nHD=\n", 100, 16, 20},         // present but empty: still the default
        {"CPU=  300  \nRam=\t64\n", 300, 64, 20},   // the reader trims blanks around a value
        {"cpu=120\nRAM=8\nhd=40\n", 120, 8, 40},    // keys match without regard to case
    };
    std::string ini;
    for (size_t i = 0; i < std::size(cases); ++i)
        ini += "[Spil" + std::to_string(i + 1) + "]\nKategori=Sport\n" + cases[i].lines;
    SpilListe liste = ReadCatalogue(ini);
    ASSERT_EQ(liste.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].lines);
        EXPECT_EQ(liste[i].CPU, cases[i].cpu);
        EXPECT_EQ(liste[i].Ram, cases[i].ram);
        EXPECT_EQ(liste[i].HD, cases[i].hd);
    }
}

TEST(Catalogue, OnlySectionsSpil1ToSpil30AreRead) {
    struct Case {
        const char* sections;
        std::vector<std::string> titles;
    };
    const Case cases[] = {
        {"[Spil1]\nTitel=A\nKategori=Action\n[Spil3]\nTitel=C\nKategori=Action\n[Spil31]\nTitel=X\nKategori=Action\n",
         {"A", "C"}},
        {"[Spil0]\nTitel=Z\nKategori=Sport\n[Spil30]\nTitel=L\nKategori=Sport\n[Spil01]\nTitel=O\nKategori=Sport\n",
         {"L"}},
        // Sections come in number order, not file order; names match without regard to case.
        {"[Spil12]\nTitel=T\nKategori=Junior\n[SPIL2]\nTitel=B\nKategori=Junior\n", {"B", "T"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sections);
        EXPECT_EQ(Titles(ReadCatalogue(c.sections)), c.titles);
    }
}

TEST(Catalogue, DescriptionIsTheCurrentLanguagesKey) {
    const std::string ini =
        "[Spil1]\nTitel=A\nKategori=Action\nDansk=Dansk tekst\nNorsk=Norsk tekst\nFinsk=Suomeksi\n"
        "[Spil2]\nTitel=B\nKategori=Action\n";
    struct Case {
        const char* language;
        const char* first;   // description of the section with three keys
        const char* second;  // of the section with none
    };
    const Case cases[] = {
        {"da", "Dansk tekst", "Ingen dansk instruktion!"},
        {"se", "Ingen svensk instruktion!", "Ingen svensk instruktion!"},
        {"no", "Norsk tekst", "Ingen norsk instruksjon!"},
        {"fi", "Suomeksi", "Ingen Suomi-instruktion!"},
        {"??", "", ""},
        {"DA", "", ""},  // codes compare case-sensitively
        {"en", "", ""},
    };
    CatalogueFolder folder(ini);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("language ") + c.language);
        SpilListe liste = folder.Read(c.language);
        ASSERT_EQ(liste.size(), 2u);
        EXPECT_EQ(liste[0].Instruktion, c.first);
        EXPECT_EQ(liste[1].Instruktion, c.second);
    }
}

TEST(Catalogue, ReloadAfterWipeKeepsEveryDemoAtItsPosition) {
    CatalogueFolder folder(
        "[Spil1]\nTitel=A\nKategori=Sport\nDansk=A da\nSvensk=A se\n"
        "[Spil2]\nTitel=Skjult\nKategori=sport\n"
        "[Spil4]\nTitel=B\nKategori=Action\nDansk=B da\nSvensk=B se\n"
        "[Spil5]\nTitel=C\nKategori=Sport\nDansk=C da\nSvensk=C se\n");
    SpilListe liste;
    indsaet_i_liste(liste, "da");
    ASSERT_EQ(Titles(liste), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(liste[1].Instruktion, "B da");

    wipespilliste(liste);
    EXPECT_TRUE(liste.empty());
    indsaet_i_liste(liste, "se");
    ASSERT_EQ(Titles(liste), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(liste[0].Instruktion, "A se");
    EXPECT_EQ(liste[1].Instruktion, "B se");
    EXPECT_EQ(liste[2].Instruktion, "C se");

    // Reading does not empty the list first: without the wipe the demos come twice.
    indsaet_i_liste(liste, "da");
    EXPECT_EQ(Titles(liste), (std::vector<std::string>{"A", "B", "C", "A", "B", "C"}));
}

TEST(Catalogue, OverlongValuesAreCutTo2047Characters) {
    std::string exact(2047, 'e'), longer(2048, 'l'), huge(5000, 'h');
    huge[2046] = 'X';
    SpilListe liste = ReadCatalogue("[Spil1]\nKategori=Action\nTitel=" + huge + "\nDansk=" + exact + "\n"
                                    "[Spil2]\nKategori=Action\nTitel=" + longer + "\nDansk=" + longer + "\n");
    ASSERT_EQ(liste.size(), 2u);
    EXPECT_EQ(liste[0].Titel, huge.substr(0, 2047));
    EXPECT_EQ(liste[0].KortTitel, huge.substr(0, 2047));
    EXPECT_EQ(liste[0].Instruktion, exact);
    EXPECT_EQ(liste[1].Titel, longer.substr(0, 2047));
    EXPECT_EQ(liste[1].Instruktion, longer.substr(0, 2047));
}

TEST(Catalogue, PresentButEmptyTextKeysStayEmpty) {
    // The platform returns an empty value for a key written as "Key=", not the default.
    SpilListe liste = ReadCatalogue("[Spil1]\nTitel=\nSetup=\nFolder=\nKategori=Adventure\nDansk=\n");
    ASSERT_EQ(liste.size(), 1u);
    EXPECT_EQ(liste[0].Titel, "");
    EXPECT_EQ(liste[0].KortTitel, "");
    EXPECT_EQ(liste[0].Setup, "");
    EXPECT_EQ(liste[0].Folder, "");
    EXPECT_EQ(liste[0].Instruktion, "");
}

TEST(Catalogue, ASectionReadInOneGoGivesWhatEachKeyReadAloneGives) {
    // The platform's reading of one key is the reference for every awkward way to write a value.
    const std::string big(40000, 'b');
    const struct {
        const char* what;
        std::string body;
    } cases[] = {
        {"blanks", "  Titel  =   Spaced out  \nkorttitel=lower case key\n\tSetup\t=\t\\Demos\\A\\Setup.exe\n"},
        {"quotes", "Titel=\"Quoted\"\nKortTitel='single'\nSetup=\"open\nFolder=\"\nUninstall=a \"b\" c\nDansk=\"x\" \"y\"\n"},
        {"repeats", "Titel=first\nTITEL=second\nFolder\nFolder=late\nUninstall=a=b=c\n"},
        {"comments", ";Titel=commented\nTitel=real\n;Setup=x\n"},
        // A locale's comparison ignores the soft hyphen; the platform's reader does not.
        {"letters a locale ignores", "Kate\xADgori=Junior\nKategori=Action\nKORTTITEL=Upper\n"},
        {"too long to read whole", "Titel=T\nDansk=" + big + "\nSetup=after\n"},
    };
    const char* keys[] = {"Titel", "KortTitel", "Setup", "CPU", "Kategori", "Folder", "Uninstall", "Dansk"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        const std::string ini = folder / "Spil.INI";
        test::WriteFile(ini, "[Spil1]\n" + c.body + "[Spil2]\nTitel=next\n");
        const CatalogueSection section("Spil1", ini);
        for (const char* key : keys) {
            char alone[kIniValueBuffer];
            DWORD n = GetPrivateProfileStringA("Spil1", key, "(default)", alone, sizeof alone, ini.c_str());
            EXPECT_EQ(section.Text(key, "(default)"), std::string(alone, n)) << key;
        }
    }
}

TEST(Catalogue, MissingEmptyOrGarbledFileGivesAnEmptyList) {
    std::string garbage;
    uint32_t seed = 12345;
    for (int i = 0; i < 8192; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage += static_cast<char>(seed >> 24);
    }
    struct Case {
        const char* name;
        const std::string* bytes;  // nullptr: no file at all
    };
    const std::string empty;
    const std::string utf16Garbage = "\xFF\xFE" + garbage;
    const Case cases[] = {{"missing", nullptr}, {"empty", &empty}, {"binary", &garbage}, {"BOM + binary", &utf16Garbage}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        if (c.bytes) test::WriteFile(folder / "Spil.INI", *c.bytes);
        CurrentDirectory current(folder.Path());
        SpilListe liste;
        indsaet_i_liste(liste, "da");
        EXPECT_TRUE(liste.empty()) << liste.size() << " entries";
    }
}

// The section [CD] as the menu reads it; its rules are the CD check's too (catalogue/Rulebook).
TEST(Catalogue, TheCdSectionGivesAnEditionThatIsASafeNameAndAFourDigitYear) {
    struct Case {
        const char* lines;
        const char* edition;
        const char* year;
    };
    const Case cases[] = {
        {"[Spil1]\r\nTitel=A\r\n", "1099", "1999"},
        {"[CD]\r\nUdgave=1100\r\nAar=2000\r\n", "1100", "2000"},
        {"[cd]\r\nudgave = Forår-2000 \r\n", "1099", "1999"},  // letters outside A-Z: not a name
        {"[cd]\r\nudgave =  Vinter_00.b \r\nAAR=2001\r\n", "Vinter_00.b", "2001"},
        {"[CD]\r\nUdgave=1100\r\nUdgave=1101\r\n", "1100", "1999"},
        {"[CD]\r\nUdgave=..\\..\\Windows\r\n", "1099", "1999"},
        {"[CD]\r\nUdgave=a/b\r\n", "1099", "1999"},
        {"[CD]\r\nUdgave=ABCDEFGHIJKLMNOP\r\n", "ABCDEFGHIJKLMNOP", "1999"},  // 16
        {"[CD]\r\nUdgave=ABCDEFGHIJKLMNOPQ\r\n", "1099", "1999"},           // 17
        {"[CD]\r\nUdgave=\r\nAar=\r\n", "1099", "1999"},
        {"[CD]\r\nUdgave=\" 1100\"\r\n", "1099", "1999"},
        {"[CD]\r\nUdgave=1100.\r\n", "1099", "1999"},
        {"[CD]\r\nUdgave=.1100\r\n", "1099", "1999"},
        {"[CD]\r\nUdgave=C:1100\r\n", "1099", "1999"},
        {"[CD]\r\nAar=99\r\n", "1099", "1999"},
        {"[CD]\r\nAar=2000a\r\n", "1099", "1999"},
        {"[CD]\r\nAar=-200\r\n", "1099", "1999"},
        // Names Windows keeps for devices: no folder Games\CON can be made.
        {"[CD]\r\nUdgave=CON\r\n", "1099", "1999"},
        {"[CD]\r\nUdgave=nul\r\n", "1099", "1999"},
        {"[CD]\r\nUdgave=Com7\r\n", "1099", "1999"},
        {"[CD]\r\nUdgave=lpt1.1100\r\n", "1099", "1999"},
        {"[CD]\r\nUdgave=AUX .x\r\n", "1099", "1999"},
        {"[CD]\r\nUdgave=COM10\r\n", "COM10", "1999"},
        {"[CD]\r\nUdgave=CONSOLE\r\n", "CONSOLE", "1999"},
        {"[CD]\r\nUdgave=LPT0\r\n", "LPT0", "1999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        const CatalogueFolder folder(c.lines);
        const CdEdition cd = ReadCdEdition();
        EXPECT_EQ(cd.edition, c.edition);
        EXPECT_EQ(cd.year, c.year);
    }
}

// The rulebook's judgement of letters (the catalogue is Windows-1252), of the CD's label and of
// setup files, on which the check and the editor build their findings.
TEST(Rulebook, FindsForeignLettersOldLabelsAndSetupsThatStartNothing) {
    struct Letter {
        const char* value;
        long at;  // -1: none
        uint32_t codePoint;
        bool in1252;
    };
    const Letter letters[] = {
        {"Hurtig bil", -1, 0, false},
        {"K\xF8r \x80 \x9F", -1, 0, false},           // Windows-1252's own letters
        {"\xC3\x28", -1, 0, false},                     // no UTF-8 sequence: two letters of the code page
        {"K\xC3\xB8r", 1, 0xF8, true},                   // saved as UTF-8
        {"i \xC5\x81\xC3\xB3" "d\xC5\xBA", 2, 0x141, false},  // a letter the code page has not
        {"5 \xE2\x82\xAC", 2, 0x20AC, true},
        {"a\x81" "b", 1, 0, false},                          // a byte the code page leaves undefined
    };
    for (const Letter& l : letters) {
        SCOPED_TRACE(l.value);
        const auto found = FirstForeignLetter(l.value);
        ASSERT_EQ(found.has_value(), l.at >= 0);
        if (!found) continue;
        EXPECT_EQ(static_cast<long>(found->at), l.at);
        EXPECT_EQ(found->codePoint, l.codePoint);
        EXPECT_EQ(found->in1252, l.in1252);
    }
    EXPECT_TRUE(LabelNamesEdition(AutorunLabel("1101"), "1101"));
    EXPECT_FALSE(LabelNamesEdition("Vindrel Spil-CD 1099", "1101"));
    EXPECT_FALSE(LabelNamesEdition("Vindrel Spil-CD 11010", "1101"));

    const std::string i386 = std::string("MZ") + std::string(58, ' ') + std::string("\x40\0\0\0PE\0\0\x4C\x01", 10);
    const std::string x64 = i386.substr(0, 68) + "\x64\x86";
    const std::string msi("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    EXPECT_EQ(ReadSetupFile(i386).kind, SetupFile::Program);
    EXPECT_EQ(ReadSetupFile(i386).machine, kMachineI386);
    EXPECT_EQ(ReadSetupFile(msi).kind, SetupFile::InstallerPackage);
    EXPECT_EQ(ReadSetupFile("BM\x36\x10").kind, SetupFile::Neither);
    EXPECT_EQ(SetupFileProblem(ReadSetupFile(i386), "\\D\\Setup.exe", kMachineI386), "");
    EXPECT_EQ(SetupFileProblem(ReadSetupFile(msi), "\\D\\Setup.MSI", kMachineI386), "");
    EXPECT_EQ(SetupFileProblem(ReadSetupFile(x64), "\\D\\Setup.exe", 0x8664), "");
    for (const auto& [head, setup] : {std::pair{x64, "\\D\\Setup.exe"}, {msi, "\\D\\Setup.exe"}, {i386, "\\D\\Setup.msi"},
                                      {std::string("BM"), "\\D\\Shot.bmp"}}) {
        SCOPED_TRACE(setup);
        EXPECT_NE(SetupFileProblem(ReadSetupFile(head), setup, kMachineI386), "");
    }
}

TEST(Catalogue, FileIsFoundInTheCurrentDirectory) {
    ScratchFolder one, two;
    test::WriteFile(one / "Spil.INI", "[Spil1]\nTitel=Fra et\nKategori=Action\n");
    test::WriteFile(two / "spil.ini", "[Spil1]\nTitel=Fra to\nKategori=Action\n");
    for (const auto* folder : {&one, &two, &one}) {
        CurrentDirectory current(folder->Path());
        SpilListe liste;
        indsaet_i_liste(liste, "da");
        ASSERT_EQ(liste.size(), 1u);
        EXPECT_EQ(liste[0].Titel, folder == &one ? "Fra et" : "Fra to");
    }
}

}  // namespace
}  // namespace vindrel

namespace vindrel {
namespace {

using namespace std::string_literals;

// Catalogues that the CD check once read otherwise than the menu, and the bytes that matter most
// to the platform's reader.
const std::string kFixedCatalogues[] = {
    "[Spil1]\r\nTitel=Before\0After\r\nKategori=Action\r\n"s,  // a NUL byte inside a value
    "[Spil1]\r\nTitel=One\r\nKategori=Action\r\n[[Spil2]\r\nTitel=Two\r\nKategori=Sport\r\n"s,
    "[Spil1]\rTitel=One\rKategori=Action\r[Spil2]\rTitel=Two\rKategori=Sport\r"s,  // CR only
    "[Spil1]\nTitel=One\nKategori=Action\n[Spil2]\r\nTitel=Two\rKategori=Sport\n\r"s,  // mixed
    "[ Spil1 ]\r\nTitel=Spaced\r\nKategori=Action\r\n[Spil2]\r\nTitel=Two\r\nKategori=Sport\r\n"s,
    "[Spil1]\r\nTitel=One\r\nKategori=Action\r\n[Spil2\r\nTitel=Two\r\nKategori=Sport\r\n"s,  // no ']'
    "[Spil1]\r\nTitel\r\nTitel=Later\r\nKategori=Action\r\n"s,  // the first line decides, without '='
    "[Spil1]\r\nTitel=\x1AZ\x1A\r\nKategori=\tAction \x0B\r\nKortTitel=\"Quoted\"\r\n"s,
    "[Sp\0il1]\r\nTitel=Cut name\r\nKategori=Action\r\n[Spil1]Trailing\r\nTitel=Real\r\nKategori=Junior\r\n"s,
    "\x1A[Spil1]\r\n Titel = Blank around \r\nkategori=Action\r\nKORTTITEL=Short\0Cut\r\n"s,
};

// A repeatable stream of choices: the same mutations on every run and every machine.
class Choices {
public:
    uint32_t Below(uint32_t n) {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<uint32_t>(state_ % n);
    }

private:
    uint64_t state_ = 0x5EED2026u;
};

// One to three changes of the kinds a hand-edited or badly copied catalogue has.
std::string Mutated(const std::string& sample, Choices& pick) {
    static const char kBytes[] = {'[', ']', '=', ';', ' ', '\t', '\r', '\n', '\0', '\x1A', '\xA0', '"', '\'', '\x01', '\x0B', '\xAD', 'S'};
    std::string s = sample;
    auto lineStart = [&](size_t at) { return s.find_last_of("\r\n", at) == std::string::npos ? 0 : s.find_last_of("\r\n", at) + 1; };
    for (uint32_t n = 1 + pick.Below(3); n > 0 && !s.empty(); --n) {
        const size_t at = pick.Below(static_cast<uint32_t>(s.size()));
        switch (pick.Below(9)) {
            case 0: s.insert(at, 1, kBytes[pick.Below(sizeof kBytes)]); break;
            case 1: s.erase(at, 1); break;
            case 2: s[at] = kBytes[pick.Below(sizeof kBytes)]; break;
            case 3: {  // every line end of one kind
                static const char* const kEnds[] = {"\n", "\r", "\n\r", "\r\r\n"};
                const std::string end = kEnds[pick.Below(4)];
                std::string out;
                for (size_t i = 0; i < s.size(); ++i) {
                    if (s.compare(i, 2, "\r\n") == 0) out += end, ++i;
                    else out += s[i];
                }
                s = out;
                break;
            }
            case 4: {  // a line doubled
                const size_t from = lineStart(at), to = s.find('\n', at);
                s.insert(from, s.substr(from, to == std::string::npos ? std::string::npos : to + 1 - from));
                break;
            }
            case 5: {  // a line dropped
                const size_t from = lineStart(at), to = s.find('\n', at);
                s.erase(from, to == std::string::npos ? std::string::npos : to + 1 - from);
                break;
            }
            case 6: s[at] = static_cast<char>(std::isupper(static_cast<unsigned char>(s[at])) ? std::tolower(s[at]) : std::toupper(s[at])); break;
            case 7: {  // a section header written wrongly
                const size_t header = s.find("[Spil", at);
                if (header == std::string::npos) break;
                static const char* const kForms[] = {"[[Spil", "[ Spil", "Spil", "[Spil0", "[SPIL", "[Spil "};
                s.replace(header, 5, kForms[pick.Below(6)]);
                break;
            }
            default: {  // a value's key or text changed
                const size_t equals = s.find('=', at);
                if (equals == std::string::npos) break;
                static const char* const kTexts[] = {"",     " ",     "\"x\"",    "Action", "action", "\0Sport", "A\\DC",
                                                    "Junior ", "0x2",  "$1F",    "-",      "+7",     "99999999999",
                                                    "x:",      "\\",  "CON",    "\xE6"};
                const char* text = kTexts[pick.Below(static_cast<uint32_t>(std::size(kTexts)))];
                s.insert(equals + 1, text, text[0] == '\0' && pick.Below(2) ? 6 : std::strlen(text));
                break;
            }
        }
    }
    return s;
}

// Every value the menu reads for a demo, and what the pages and services make of it, by name.
std::vector<std::pair<const char*, std::string>> ValuesRead(const TSpilPost& e) {
    return {{"section", std::to_string(e.Section)},
            {"Titel", e.Titel},
            {"KortTitel", e.KortTitel},
            {"description", e.Instruktion},
            {"Setup", e.Setup},
            {"setup folder", SetupFolder(e.Setup)},
            {"screenshot", ScreenshotFileName(e.Setup)},
            {"CPU", std::to_string(e.CPU)},
            {"Ram", std::to_string(e.Ram)},
            {"HD", std::to_string(e.HD)},
            {"Krav3D", std::to_string(e.Krav3D)},
            {"Kategori", std::to_string(e.Kategori)},
            {"Folder", e.Folder},
            {"Uninstall", e.Uninstall},
            {"record name", RecordName(e.KortTitel)}};
}

// The values in which the check's reading differs from the menu's, as "Spil3 Ram: 16 / 32", one a
// line; a demo only one of them lists, as "Spil3 listed: ...".
std::string Drift(const std::vector<TSpilPost>& menu, const std::vector<TSpilPost>& check) {
    std::string out;
    for (size_t i = 0; i < std::max(menu.size(), check.size()); ++i) {
        if (i >= menu.size() || i >= check.size()) {
            const TSpilPost& only = i < menu.size() ? menu[i] : check[i];
            out += DemoSectionName(only.Section) + " listed: " + (i < menu.size() ? "by the menu only\n" : "by the check only\n");
            continue;
        }
        const auto a = ValuesRead(menu[i]), b = ValuesRead(check[i]);
        for (size_t k = 0; k < a.size(); ++k)
            if (a[k].second != b[k].second)
                out += DemoSectionName(menu[i].Section) + " " + a[k].first + ": " + a[k].second + " / " + b[k].second + "\n";
    }
    return out;
}

// The comparison names each value that drifts apart: a mutated integer, a default, a folder, a
// record name, a description, a demo listed by one side only.
TEST(CatalogueAsTheCheckReadsIt, TheComparisonNamesEveryValueThatDrifts) {
    const std::string catalogue =
        "[Spil1]\r\nTitel=Racer\r\nSetup=\\Demos\\Racer\\Setup.exe\r\nKategori=Sport\r\nRam=32\r\n"
        "Dansk=Hurtig\r\nFolder=Racer Group\r\n";
    const std::vector<TSpilPost> menu = cdcheck::DemosAsRead(catalogue, "da");
    ASSERT_EQ(menu.size(), 1u);
    ASSERT_EQ(Drift(menu, menu), "");
    struct Case {
        const char* what;
        std::function<void(TSpilPost&)> change;
        const char* named;
    };
    const Case cases[] = {
        {"an integer read otherwise", [](TSpilPost& e) { e.Ram = 0x32; }, "Spil1 Ram: 32 / 50\n"},
        {"a default of its own", [](TSpilPost& e) { e.HD = 0; }, "Spil1 HD: 20 / 0\n"},
        {"a group folder", [](TSpilPost& e) { e.Folder = "NoFolder"; }, "Spil1 Folder: Racer Group / NoFolder\n"},
        {"a setup folder taken at '/'", [](TSpilPost& e) { e.Setup = "\\Demos\\Racer/Setup.exe"; },
         "Spil1 Setup: \\Demos\\Racer\\Setup.exe / \\Demos\\Racer/Setup.exe\n"
         "Spil1 setup folder: \\Demos\\Racer\\ / \\Demos\\\n"
         "Spil1 screenshot: \\Demos\\Racer\\Shot.bmp / \\Demos\\Shot.bmp\n"},
        {"a record name", [](TSpilPost& e) { e.KortTitel = "Racer\\II"; },
         "Spil1 KortTitel: Racer / Racer\\II\nSpil1 record name: Racer / Racer/II\n"},
        {"a description's fallback", [](TSpilPost& e) { e.Instruktion = "Ingen dansk instruktion!"; },
         "Spil1 description: Hurtig / Ingen dansk instruktion!\n"},
    };
    for (const Case& c : cases) {
        std::vector<TSpilPost> check = menu;
        c.change(check[0]);
        EXPECT_EQ(Drift(menu, check), c.named) << c.what;
    }
    EXPECT_EQ(Drift(menu, {}), "Spil1 listed: by the menu only\n");
}

// For the sample catalogue in a few hundred mutations and the cases above, every value of every
// demo the CD check says the menu lists (in order, each catalogue in one of the four languages),
// and the edition and year, are those the menu's own reading, through the platform's profile
// calls, gives.
TEST(CatalogueAsTheCheckReadsIt, AgreesWithTheMenuOnEveryMutatedCatalogue) {
    const std::string sample = test::ReadFile(test::BuiltProgram("../cd/Spil.INI"));
    ASSERT_GT(sample.size(), 1000u) << "the sample CD's catalogue";
    std::vector<std::string> catalogues;
    for (const std::string& fixed : kFixedCatalogues) catalogues.push_back(fixed);
    Choices pick;
    for (int i = 0; i < 300; ++i) catalogues.push_back(Mutated(sample, pick));

    ScratchFolder folder;
    int disagreeing = 0;
    for (size_t i = 0; i < catalogues.size(); ++i) {
        // A file of its own for each: the platform keeps read profiles by name.
        const std::string path = folder / ("m" + std::to_string(i) + ".ini");
        test::WriteFile(path, catalogues[i]);
        const std::string language = kDescriptionKeys[i % std::size(kDescriptionKeys)].code;
        SpilListe menu;
        indsaet_i_liste(menu, language, path);
        std::string drift = Drift(menu, cdcheck::DemosAsRead(catalogues[i], language));
        const CdEdition menuCd = ReadCdEdition(path), checkCd = cdcheck::EditionAsRead(catalogues[i]);
        if (menuCd.edition != checkCd.edition) drift += "edition: " + menuCd.edition + " / " + checkCd.edition + "\n";
        if (menuCd.year != checkCd.year) drift += "year: " + menuCd.year + " / " + checkCd.year + "\n";
        if (!drift.empty() && ++disagreeing <= 5)
            ADD_FAILURE() << "catalogue " << i << (i < std::size(kFixedCatalogues) ? " (fixed)" : " (mutated)")
                          << ", values as the menu / the check read them:\n" << drift;
    }
    EXPECT_EQ(disagreeing, 0);
}

}  // namespace
}  // namespace vindrel
