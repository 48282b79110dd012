// How the menu reads its catalogue and what it makes of each value, in one place: the sections and
// keys, the integers, the defaults, the categories, the descriptions, the setup's folder and kind,
// the edition and year, the names of the install records, the fonts the CD carries and the room
// each page gives a text. Plain C++ without platform calls, so that the menu, its proof, the CD
// check (on any machine) and the producer's editor judge every value alike: a rule changed here
// changes for all of them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vindrel {

// ---- The file, its sections and keys -------------------------------------------------------------

inline constexpr char kCatalogueName[] = "Spil.INI";
constexpr int kCatalogueSections = 30;      // Spil1 .. Spil30; a higher number is never read
constexpr unsigned kIniValueBuffer = 2048;  // a value is cut to 2047 characters
constexpr size_t kIniValueLimit = kIniValueBuffer - 1;

// "Spil" and the number, without leading zeros.
std::string DemoSectionName(int number);

namespace keys {
inline constexpr char kTitel[] = "Titel";
inline constexpr char kKortTitel[] = "KortTitel";
inline constexpr char kSetup[] = "Setup";
inline constexpr char kCPU[] = "CPU";
inline constexpr char kRam[] = "Ram";
inline constexpr char kHD[] = "HD";
inline constexpr char kKategori[] = "Kategori";
inline constexpr char kFolder[] = "Folder";
inline constexpr char kUninstall[] = "Uninstall";
}  // namespace keys

// Every key the menu reads in a demo's section, the four descriptions last.
inline constexpr const char* kDemoKeys[] = {keys::kTitel,    keys::kKortTitel, keys::kSetup,  keys::kCPU,
                                            keys::kRam,      keys::kHD,        keys::kKategori, keys::kFolder,
                                            keys::kUninstall, "Dansk",         "Svensk",      "Norsk",
                                            "Finsk"};

// What the menu uses when a key is missing (KortTitel's default is the entry's Titel; Uninstall's
// is empty).
inline constexpr char kDefaultTitel[] = "No Title!";
inline constexpr char kDefaultSetup[] = "No File!";
inline constexpr char kDefaultKategori[] = "Ingen";
inline constexpr char kDefaultFolder[] = "NoFolder";

// ---- Integers --------------------------------------------------------------------------------------

struct IntegerRule {
    const char* key;
    int32_t fallback;
    const char* unit;
};
inline constexpr IntegerRule kIntegerRules[] = {{keys::kCPU, 100, "MHz"}, {keys::kRam, 16, "MB"}, {keys::kHD, 20, "MB"}};

// "0x1F" / "0X1F" (longer than two characters) and "$1F" are hexadecimal, anything else signed
// decimal. Nothing for a value that is not a whole valid integer or does not fit signed 32 bits.
std::optional<int32_t> ReadIniInteger(std::string_view value);
int32_t ParseIniInteger(const std::string& value, int32_t fallback);

// ---- Categories ------------------------------------------------------------------------------------

// 0 Action, 1 Simulator, 2 Sport, 3 Adventure, 4 Strategy, 5 Junior, 6 none.
using CategoryCode = uint8_t;
constexpr CategoryCode kNoCategory = 6;
inline constexpr const char* kCategoryNames[kNoCategory] = {"Action",    "Simulator", "Sport",
                                                            "Adventure", "Strategy",  "Junior"};
// Exact, case-sensitive match of the six names; anything else is kNoCategory.
CategoryCode CategoryFromName(std::string_view name);

// ---- Descriptions ----------------------------------------------------------------------------------

// The description key of a language code, its text when the key is missing, and the language's
// English name for messages.
struct DescriptionKey {
    const char* code;
    const char* key;
    const char* fallback;
    const char* language;
};
inline constexpr DescriptionKey kDescriptionKeys[] = {
    {"da", "Dansk", "Ingen dansk instruktion!", "Danish"},
    {"se", "Svensk", "Ingen svensk instruktion!", "Swedish"},
    {"no", "Norsk", "Ingen norsk instruksjon!", "Norwegian"},
    {"fi", "Finsk", "Ingen Suomi-instruktion!", "Finnish"},
};
// Only "da", "se", "no" and "fi" have one (compared exactly); any other code reads no description.
std::optional<DescriptionKey> DescriptionKeyFor(std::string_view currentLanguage);

// ---- One demo --------------------------------------------------------------------------------------

// One demo, in the field order of the catalogue.
struct TSpilPost {
    std::string Titel;
    std::string KortTitel;
    std::string Instruktion;  // description in the language current when the entry was read
    std::string Setup;
    int32_t CPU = 100;
    int32_t Ram = 16;
    int32_t HD = 20;
    int32_t Krav3D = 0;  // no key sets it; 2 would mean "needs a 3D card"
    CategoryCode Kategori = kNoCategory;
    std::string Folder;
    std::string Uninstall;
    int Section = 0;  // n of the [Spiln] it was read from
};

// A section's text for a key as the platform's profile reading gives it (the fallback when the key
// is missing or has no value line), however the file was read.
using SectionText = std::function<std::string(const char* key, const std::string& fallback)>;

// The demo of section [Spil<number>]: every key read in the menu's order with its default.
TSpilPost DemoFromSection(int number, const std::string& currentLanguage, const SectionText& text);
// Only a demo with one of the six categories is listed; the others are dropped right after reading.
inline bool IsListed(const TSpilPost& demo) { return demo.Kategori != kNoCategory; }

// ---- The setup program -----------------------------------------------------------------------------

// The folder part of a Setup value: up to and including its last '\' or ':'; empty without either.
// The install makes it current, and the screenshot lies in it.
std::string SetupFolder(const std::string& setup);
inline constexpr char kScreenshotName[] = "Shot.bmp";
std::string ScreenshotFileName(const std::string& setup);

// A Setup value that names a Windows Installer package (".msi", any case): started through msiexec.
bool IsInstallerPackageName(std::string_view setup);

// What a setup file is, from its first bytes (kSetupHeadBytes or all of a shorter file).
constexpr size_t kSetupHeadBytes = 64 * 1024;
constexpr uint16_t kMachineI386 = 0x14C;
struct SetupFile {
    enum Kind { Program, InstallerPackage, Neither } kind = Neither;
    uint16_t machine = 0;  // of a Program: the processor its PE header names
};
SetupFile ReadSetupFile(std::string_view head);
// "a 64-bit program (x64)" and the like, for messages.
std::string MachineName(uint16_t machine);
// Why Install cannot start this file on the CD's Windows (menuMachine: the machine of the CD's
// menu, 0 when unknown), in plain words, with the Setup value as named; empty when it can. A
// 32-bit menu is made for every Windows, so a setup for another processor cannot start there.
std::string SetupFileProblem(const SetupFile& file, std::string_view setup, uint16_t menuMachine);

// ---- Edition and year ------------------------------------------------------------------------------

// The CD's edition and year, from the catalogue's section [CD]: Udgave names the CD in the install
// records (Software\Vindrel_Games\<edition>) and in the Start-menu folder Games\<edition>; Aar is
// the year of the credits' rights notice.
inline constexpr char kCdSection[] = "CD";
inline constexpr char kEditionKey[] = "Udgave";
inline constexpr char kYearKey[] = "Aar";
// What a catalogue without those keys (every CD before them) has always meant.
inline constexpr char kBuiltInEdition[] = "1099";
inline constexpr char kBuiltInYear[] = "1999";
constexpr size_t kEditionMaxLength = 16;

// A name Windows keeps for a device (CON, PRN, AUX, NUL, COM1-9, LPT1-9), in any case and with any
// extension or trailing blanks: no folder can bear it.
bool IsReservedDeviceName(std::string_view name);
// Why a value cannot name the edition, in plain words ("holds '/'"); empty when it can. An
// edition becomes a registry key and a folder name: 1 to 16 of A-Z, a-z, 0-9, space, '-', '_'
// and '.', not beginning or ending with a space or a dot, and no device name.
std::string EditionProblem(std::string_view value);
// Likewise for the year: four digits.
std::string YearProblem(std::string_view value);

struct CdEdition {
    std::string edition = kBuiltInEdition;
    std::string year = kBuiltInYear;
};

// The values as read (null: the key is missing); each one that cannot be used gives way to the
// built-in value on its own.
CdEdition UsableEdition(const std::string* edition, const std::string* year);

// The rights notice with the year in place of the built-in one.
std::string WithYear(std::string notice, const std::string& year);

// The CD's name as autorun.inf gives it to Windows: "Vindrel Spil-CD <edition>".
std::string AutorunLabel(const std::string& edition);
// Whether a label names this edition, as a word of its own ("Spil-CD 1101" names 1101, not 110).
bool LabelNamesEdition(std::string_view label, std::string_view edition);

// ---- Install records -------------------------------------------------------------------------------

constexpr size_t kMaxRecordName = 255;  // the registry's own limit on a key name
// The name a demo is recorded under: its short title, a backslash written as '/', cut after 255
// characters, "No Title!" for a blank one. Install, list and removal use it.
std::string RecordName(const std::string& shortTitle);

// ---- Fonts the CD carries --------------------------------------------------------------------------

inline constexpr char kFontFolder[] = "Diverse";  // at the CD's root
inline constexpr const char* kFontFiles[] = {"verdana.ttf", "verdanab.ttf", "verdanai.ttf", "verdanaz.ttf"};
inline constexpr char kFontMarker[] = "msfont.txt";  // copied into the Windows folder

// ---- The room the pages give a text ----------------------------------------------------------------

// A row of demo titles as a page lays it out: the rows' place, size and face. The caption starts
// one pixel in from the row's left edge and is cut off at its right edge.
struct TitleRow {
    const char* page;  // "category page", as the findings name it
    int rows;
    int left, top, step, width, height;
    int fontHeight;  // Verdana, regular
    int Room() const { return width - 1; }
};
inline constexpr TitleRow kCategoryRow{"category page", 8, 32, 88, 40, 240, 42, 19};
inline constexpr TitleRow kIndexRow{"index page", 10, 24, 56, 40, 209, 42, 19};
inline constexpr TitleRow kUninstallRow{"uninstall page", 8, 32, 88, 40, 217, 41, 24};
inline constexpr const TitleRow* kTitleRows[] = {&kCategoryRow, &kIndexRow, &kUninstallRow};

// The game page's heading wraps the Titel (Verdana 21 bold) in this width and shows two lines.
constexpr int kHeadingWidth = 257;
constexpr int kHeadingLines = 2;
// The description box (Verdana 13 bold) that breaks the description into the page's 18 lines; the
// edit control's border and margins leave about kDescriptionInnerWidth for text.
struct BoxPlace {
    int left, top, width, height;
};
constexpr BoxPlace kDescriptionBox{308, 288, 250, 97};
constexpr int kDescriptionInnerWidth = 242;
constexpr int kDescriptionLines = 18;

// ---- Letters ---------------------------------------------------------------------------------------

// The catalogue is Windows-1252. The first letter of a value that the file cannot carry as such:
// a byte the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D), or a UTF-8 sequence (a
// file saved as UTF-8, where the menu shows "\xC3\xA6" as two letters, and a letter such as
// U+0141 has no Windows-1252 form at all).
struct ForeignLetter {
    size_t at = 0;            // 0-based byte position in the value
    size_t bytes = 1;         // of the sequence
    uint32_t codePoint = 0;   // of a UTF-8 sequence; 0 for an undefined byte
    bool in1252 = false;      // a UTF-8 letter that Windows-1252 has (saved in the wrong code page)
};
std::optional<ForeignLetter> FirstForeignLetter(std::string_view value);
// Windows-1252 text as UTF-8, for a Linux terminal or file name; the five bytes the code page
// leaves unused stand for the C1 controls of the same number, as Windows maps them.
std::string Utf8From1252(std::string_view text);
// "U+0141" for messages.
std::string CodePointName(uint32_t codePoint);

}  // namespace vindrel
