#include "CdCheck.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>

#ifdef _WIN32
#include <windows.h>
#endif

#include "IniFile.h"
#include "TextWidth.h"
#include "catalogue/ShotReader.h"

namespace vindrel::cdcheck {
namespace fs = std::filesystem;
namespace {

constexpr size_t kCategoryPageSlots = kCategoryRow.rows;

// Category names in the four languages (and English words) that a producer might write instead.
struct CategoryWord {
    const char* word;
    int code;
};
constexpr std::array<CategoryWord, 14> kCategoryWords{{
    {"Toiminta", 0}, {"Simulation", 1}, {"Simulering", 1}, {"Simulaattori", 1}, {"Urheilu", 2},
    {"Eventyr", 3}, {"Seikkailu", 3}, {"Strategi", 4}, {"Strategia", 4}, {"Barn", 5}, {"Boern", 5},
    {"Lapset", 5}, {"Children", 5}, {"Kids", 5},
}};

class Report {
public:
    void Error(std::string where, std::string text) { findings.push_back({Severity::Error, std::move(where), std::move(text)}); }
    void Warning(std::string where, std::string text) {
        findings.push_back({Severity::Warning, std::move(where), std::move(text)});
    }
    void Estimate(std::string where, std::string text, Topic topic, std::vector<std::string> pages = {},
                  std::string language = {}) {
        findings.push_back({Severity::Warning, std::move(where), std::move(text), topic, std::move(pages), std::move(language)});
    }
    std::vector<Finding> findings;
    bool utf8File = false;  // the whole file was found saved as UTF-8
};

std::string Quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Edit distance without regard to case, for "did you mean" hints.
size_t Distance(std::string_view a, std::string_view b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string CategoryHint(const std::string& name) {
    for (const char* c : kCategoryNames)
        if (EqualNoCase(name, c)) return std::string("did you mean ") + c + "? The names are matched exactly, case included";
    for (const CategoryWord& w : kCategoryWords)
        if (EqualNoCase(name, w.word)) return std::string("did you mean ") + kCategoryNames[w.code] + "?";
    for (const char* c : kCategoryNames)
        if (Distance(name, c) <= 2) return std::string("did you mean ") + c + "?";
    return "the categories are Action, Simulator, Sport, Adventure, Strategy and Junior, spelt exactly so";
}

std::optional<std::string> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// At most `limit` bytes from the start of the file; empty when it cannot be read.
std::string ReadHead(const fs::path& path, size_t limit) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(limit, '\0');
    if (in) in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

std::string WindowsPath(const fs::path& p) {
    std::string s = p.generic_string();
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
}

// The menu's file is Windows-1252; a file saved as UTF-8 shows every Nordic letter as two.
bool CheckEncoding(const std::string& bytes, const std::string& where, Report& report) {
    const auto u = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2 && ((u(0) == 0xFF && u(1) == 0xFE) || (u(0) == 0xFE && u(1) == 0xFF))) {
        report.Error(where, "the file is saved as UTF-16; save it as Windows-1252 (ANSI), the code page the menu reads");
        return false;
    }
    if (bytes.size() >= 3 && u(0) == 0xEF && u(1) == 0xBB && u(2) == 0xBF) {
        report.Error(where, "the file begins with a UTF-8 byte-order mark; save it as Windows-1252 (ANSI) without one, "
                            "the code page the menu reads");
        return true;
    }
    int sequences = 0, strays = 0, firstLine = 0, line = 1;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') ++line;
        if (u(i) < 0x80) continue;
        size_t n = (u(i) & 0xE0) == 0xC0 ? 1 : (u(i) & 0xF0) == 0xE0 ? 2 : (u(i) & 0xF8) == 0xF0 ? 3 : 0;
        bool ok = n > 0 && u(i) >= 0xC2 && i + n < bytes.size();
        for (size_t k = 1; ok && k <= n; ++k) ok = (u(i + k) & 0xC0) == 0x80;
        if (!ok) {
            ++strays;
            continue;
        }
        if (sequences++ == 0) firstLine = line;
        i += n;
    }
    report.utf8File = sequences > 0 && strays == 0;
    if (report.utf8File)
        report.Error(where, "the file looks UTF-8 encoded (from line " + std::to_string(firstLine) +
                                "): the menu reads Windows-1252, so each Danish, Swedish, Norwegian or Finnish "
                                "letter would show as two odd characters; save it as Windows-1252 (ANSI)");
    return true;
}

// "Spil" followed by digits; 0 for names that are not of that form at all.
enum class SectionKind { Demo, Misnamed, Other };
SectionKind ClassifyName(const std::string& name, int& number) {
    number = 0;
    if (name.size() < 4 || !EqualNoCase(std::string_view(name).substr(0, 4), "Spil")) return SectionKind::Other;
    const std::string rest = name.substr(4);
    const bool allDigits = !rest.empty() && std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (allDigits && rest[0] != '0') {
        number = rest.size() > 4 ? INT_MAX : std::stoi(rest);
        return SectionKind::Demo;
    }
    return std::any_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; }) ? SectionKind::Misnamed
                                                                                             : SectionKind::Other;
}

// A name the menu matches exactly; "[Spil2" (from "[[Spil2]") or " Spil1 " is a demo's section
// written wrongly, which the menu never reads.
SectionKind ClassifySection(const std::string& name, int& number) {
    const SectionKind kind = ClassifyName(name, number);
    if (kind != SectionKind::Other) return kind;
    std::string bare;
    for (char c : name)
        if (c != '[' && c != ']' && c != ' ' && c != '\t') bare += c;
    int ignored = 0;
    return bare != name && ClassifyName(bare, ignored) != SectionKind::Other ? SectionKind::Misnamed : SectionKind::Other;
}

// A control character in a catalogue text, written as the proof writes it: "\x01".
std::string ControlCharacter(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return std::string("\\x") + kHex[u >> 4] + kHex[u & 0xF];
    }
    return {};
}

// The value the menu reads for a key: its first line decides, and a line without '=' gives the
// key's default, as no line does.
const IniEntry* ValueEntry(const IniSection& section, std::string_view key) {
    for (const IniEntry& e : section.entries)
        if (EqualNoCase(e.key, key)) return e.hasEquals ? &e : nullptr;
    return nullptr;
}

// The demo of a section as the menu makes it, by the menu's own rules.
TSpilPost MenuDemo(const IniSection* section, int number, const std::string& language) {
    return DemoFromSection(number, language, [&](const char* key, const std::string& fallback) {
        const IniEntry* e = section ? ValueEntry(*section, key) : nullptr;
        return e ? e->value : fallback;
    });
}

struct ListedDemo {
    int number;
    std::string shortTitle;
    CategoryCode category;
};

class DemoCheck {
public:
    // menuMachine: the machine of the CD's VINDREL.EXE, 0 when it is no Windows program.
    DemoCheck(const IniSection& section, int number, const CheckInput& input, uint16_t menuMachine, Report& report)
        : section_(section), where_(DemoSectionName(number)), number_(number), input_(input),
          menuMachine_(menuMachine), report_(report), demo_(MenuDemo(&section, number, "da")) {}

    std::optional<ListedDemo> Run() {
        CheckKeys();
        CheckTitles();
        CheckCategory();
        CheckIntegers();
        CheckSetup();
        CheckRecords();
        CheckDescriptions();
        if (!IsListed(demo_)) return std::nullopt;
        CheckCaption(demo_.KortTitel);
        return ListedDemo{number_, demo_.KortTitel, demo_.Kategori};
    }

private:
    // The first line of the key, with or without '='.
    const IniEntry* First(std::string_view key) const {
        for (const IniEntry& e : section_.entries)
            if (EqualNoCase(e.key, key)) return &e;
        return nullptr;
    }
    const IniEntry* Get(std::string_view key) const { return ValueEntry(section_, key); }

    std::string Line(const IniEntry& e) const { return "line " + std::to_string(e.line) + ": "; }

    void CheckKeys() {
        for (const IniEntry& e : section_.entries) {
            if (e.key.empty()) {
                report_.Warning(where_, Line(e) + "no key name before '='; the menu ignores the line");
                continue;
            }
            if (!e.hasEquals) report_.Warning(where_, Line(e) + Quoted(e.key) + " has no '='; the menu reads no value from it");
            if (e.nulCut)
                report_.Error(where_, Line(e) + "a NUL byte in the line of " + e.key +
                                          ": the menu reads only what comes before it" +
                                          (e.hasEquals ? ", " + Quoted(e.value) : std::string()));
            CheckLetters(e);
            if (const std::string c = ControlCharacter(e.value); !c.empty())
                report_.Error(where_, Line(e) + e.key + " holds the control character " + c +
                                          ": the menu shows it as a box or not at all");
            const bool known = std::any_of(std::begin(kDemoKeys), std::end(kDemoKeys), [&](const char* k) { return EqualNoCase(e.key, k); });
            if (!known) {
                std::string text = Line(e) + "the menu reads no key " + Quoted(e.key);
                for (const char* k : kDemoKeys)
                    if (Distance(e.key, k) <= 2) {
                        text += " (did you mean " + std::string(k) + "?)";
                        break;
                    }
                report_.Warning(where_, text);
            }
            const IniEntry* first = First(e.key);
            if (first != &e)
                report_.Error(where_, Line(e) + e.key + " is given again; the menu uses only the first, on line " +
                                          std::to_string(first->line));
            else if (e.fullLength > kIniValueLimit)
                report_.Error(where_, e.key + " is " + std::to_string(e.fullLength) +
                                          " characters long; the menu cuts it after " + std::to_string(kIniValueLimit) + ", so the end is lost");
        }
    }

    // The catalogue is Windows-1252: a letter it cannot carry is named with its key and place.
    void CheckLetters(const IniEntry& e) {
        const auto letter = FirstForeignLetter(e.value);
        if (!letter) return;
        // Counted as the producer sees the text: a UTF-8 sequence is one letter.
        size_t number = 1;
        for (size_t i = 0; i < letter->at; ++i) number += (static_cast<unsigned char>(e.value[i]) & 0xC0) != 0x80;
        const std::string place = Line(e) + e.key + ", letter " + std::to_string(number) + ": ";
        if (letter->codePoint == 0) {
            static const char kHex[] = "0123456789ABCDEF";
            const auto byte = static_cast<unsigned char>(e.value[letter->at]);
            report_.Error(where_, place + "the byte 0x" + kHex[byte >> 4] + kHex[byte & 0xF] +
                                      " is no letter of Windows-1252, the code page the menu reads: it shows as a box "
                                      "or not at all");
        } else if (!letter->in1252) {
            report_.Error(where_, place + CodePointName(letter->codePoint) + " is no letter of Windows-1252, the code "
                                      "page the menu reads, so the menu cannot show it (saved as UTF-8, it shows as " +
                                      std::to_string(letter->bytes) + " odd letters); write it with the letters of "
                                      "Windows-1252");
        } else if (!report_.utf8File) {
            report_.Error(where_, place + CodePointName(letter->codePoint) + " is saved as UTF-8, in " +
                                      std::to_string(letter->bytes) + " bytes, where the menu reads Windows-1252: it "
                                      "shows as " + std::to_string(letter->bytes) + " odd letters; write it as one "
                                      "Windows-1252 letter");
        }
    }

    void CheckTitles() {
        const IniEntry* titel = Get(keys::kTitel);
        if (!titel) report_.Error(where_, std::string("no Titel: the game page shows ") + Quoted(kDefaultTitel) + " as the heading");
        else if (titel->value.empty()) report_.Error(where_, "Titel is empty: the game page shows no heading");
        else CheckHeading(titel->value);
        const IniEntry* kort = Get(keys::kKortTitel);
        if (kort && kort->value.empty()) report_.Error(where_, "KortTitel is empty: the demo's button has no caption");
        CheckRecordName(demo_.KortTitel, kort ? "KortTitel" : "Titel, the short title too,");
    }

    // The short title names the demo's record in the registry, where a key name holds no
    // backslash and at most kMaxRecordName characters; the menu records it under RecordName.
    void CheckRecordName(const std::string& title, const std::string& key) {
        if (title.find('\\') != std::string::npos)
            report_.Error(where_, key + " " + Quoted(title) + " holds a backslash, which the registry's names cannot: "
                                  "the menu records the installation, and lists it on the uninstall page, as " +
                                      Quoted(RecordName(title)));
        if (title.size() > kMaxRecordName)
            report_.Error(where_, key + " is " + std::to_string(title.size()) +
                                      " characters long: the registry's names have at most " + std::to_string(kMaxRecordName) +
                                      ", so the uninstall page lists the demo cut after " + std::to_string(kMaxRecordName));
    }

    void CheckCategory() {
        const IniEntry* kategori = Get(keys::kKategori);
        if (!kategori) {
            report_.Error(where_, "no Kategori: the demo is on no page (the categories are Action, Simulator, Sport, "
                                  "Adventure, Strategy and Junior)");
            return;
        }
        if (IsListed(demo_)) return;
        if (kategori->value == kDefaultKategori)
            report_.Warning(where_, std::string("Kategori=") + kDefaultKategori + ": the demo is on no page, as the value says");
        else
            report_.Error(where_, "Kategori " + Quoted(kategori->value) + " matches no category, so the demo is on no page; " +
                                      CategoryHint(kategori->value));
    }

    void CheckIntegers() {
        for (const IntegerRule& k : kIntegerRules) {
            const std::string fallback = std::to_string(k.fallback) + " " + k.unit;
            const IniEntry* e = Get(k.key);
            if (!e) {
                report_.Warning(where_, std::string("no ") + k.key + ": the game page shows the default, " + fallback);
                continue;
            }
            if (e->value.empty()) {
                report_.Error(where_, std::string(k.key) + " is empty: the menu uses the default, " + fallback);
                continue;
            }
            const auto v = ReadIniInteger(e->value);
            if (!v)
                report_.Error(where_, std::string(k.key) + " " + Quoted(e->value) +
                                          " is not a whole number as the menu reads them (decimal, or hexadecimal "
                                          "written 0x20 or $20); it uses the default, " + fallback + ", instead");
            else if (*v < 0)
                report_.Error(where_, std::string(k.key) + " " + Quoted(e->value) + " is negative: the game page shows " +
                                          std::to_string(*v) + " " + k.unit);
        }
    }

    void CheckSetup() {
        const IniEntry* e = Get(keys::kSetup);
        if (!e) {
            report_.Error(where_, "no Setup: the Install button starts nothing, and there is no screenshot to show");
            return;
        }
        const std::string& setup = e->value;
        if (setup.empty()) {
            report_.Error(where_, "Setup is empty: the Install button starts nothing");
            return;
        }
        if (setup.find('/') != std::string::npos) {
            report_.Error(where_, "Setup " + Quoted(setup) + " uses '/': the menu finds the setup's folder, and the "
                                  "screenshot in it, by '\\' only; write the path with '\\'");
            return;
        }
        if (setup.size() >= 2 && setup[1] == ':') {
            report_.Error(where_, "Setup " + Quoted(setup) + " names drive " + setup.substr(0, 2) +
                                      ", but the CD drive has another letter on each PC; write the path from the "
                                      "CD's root, beginning with \"\\\"");
            return;
        }
        if (setup.rfind("\\\\", 0) == 0) {
            report_.Error(where_, "Setup " + Quoted(setup) + " names a network path; the setup must be on the CD");
            return;
        }

        const std::string dir = SetupFolder(setup);
        fs::path program, shot;
        if (setup[0] == '\\') {
            program = FindNoCase(input_.root, setup.substr(1));
            shot = FindNoCase(input_.root, ScreenshotFileName(setup).substr(1));
        } else {
            // Relative to the folder the menu starts in, the catalogue's. The menu changes into the
            // setup's folder before it starts the unchanged path, so a relative path with a folder in
            // it must also lead to the program from there.
            const fs::path start = input_.ini.parent_path();
            program = FindNoCase(start, setup);
            shot = FindNoCase(start, ScreenshotFileName(setup));
            if (!program.empty() && !dir.empty() && FindNoCase(program.parent_path(), setup).empty()) {
                std::string fromRoot = WindowsPath(start.lexically_relative(input_.root));
                fromRoot = (fromRoot.empty() || fromRoot == ".") ? "" : fromRoot + "\\";
                report_.Error(where_, "Setup " + Quoted(setup) + " is relative: the menu changes into " + Quoted(dir) +
                                          " before it starts the program, and from there the path leads nowhere, "
                                          "so Install starts nothing; write it from the CD's root: " +
                                          Quoted("\\" + fromRoot + setup));
            }
        }
        if (program.empty() || !fs::is_regular_file(program))
            report_.Error(where_, "the setup program " + Quoted(setup) + " is not on the CD: Install starts nothing");
        else
            CheckSetupFile(program, setup);
        if (shot.empty() || !fs::is_regular_file(shot))
            report_.Error(where_, "no screenshot " + Quoted(ScreenshotFileName(setup)) +
                                      ": the game page shows no screenshot for this demo");
        else
            CheckScreenshot(shot, ScreenshotFileName(setup));
    }

    // Whether Install can start the file on the CD's Windows, read as the menu's rules read it.
    void CheckSetupFile(const fs::path& program, const std::string& setup) {
        if (const std::string problem = SetupFileProblem(ReadSetupFile(ReadHead(program, kSetupHeadBytes)), setup, menuMachine_);
            !problem.empty())
            report_.Error(where_, problem);
    }

    void CheckScreenshot(const fs::path& file, const std::string& name) {
        // As much of the file as the menu reads, through the menu's own reader.
        std::ifstream in(file, std::ios::binary);
        std::string bytes(kShotReadLimit, '\0');
        if (in) in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!in && !in.eof()) {
            report_.Error(where_, "the screenshot " + Quoted(name) + " cannot be read");
            return;
        }
        bytes.resize(static_cast<size_t>(in.gcount()));
        const ShotReading shot = ReadShot(bytes);
        if (!shot.Readable())
            report_.Error(where_, "the screenshot " + Quoted(name) + " " + shot.problem +
                                      "; the game page shows no screenshot for this demo");
    }

    void CheckRecords() {
        const IniEntry* folder = Get(keys::kFolder);
        const IniEntry* uninstall = Get(keys::kUninstall);
        if (!uninstall || uninstall->value.empty())
            report_.Warning(where_, "no Uninstall key name: the menu does not record the installation, so the demo "
                                    "cannot be removed from the menu's uninstall page");
        if (!folder)
            report_.Warning(where_, "no Folder: the menu takes the demo's Start-menu group to be " +
                                        Quoted(demo_.Folder) + " and cannot move the real one into Games");
        else if (folder->value.empty())
            report_.Warning(where_, "Folder is empty: the menu does not record the installation, so the demo "
                                    "cannot be removed from the menu's uninstall page");
    }

    void CheckDescriptions() {
        for (const DescriptionKey& d : kDescriptionKeys) {
            const IniEntry* e = Get(d.key);
            if (!e) {
                report_.Error(where_, std::string("no ") + d.key + " description: " + d.language + " readers see " +
                                          Quoted(d.fallback));
                continue;
            }
            if (e->value.empty()) {
                report_.Error(where_, std::string(d.key) + " is empty: " + d.language + " readers see no description");
                continue;
            }
            const int lines = EstimatedLines(e->value, kDescriptionInnerWidth);
            if (lines > kDescriptionLines)
                report_.Estimate(where_, std::string("the ") + d.language + " description needs about " +
                                             std::to_string(lines) + " lines (estimated); the game page shows " +
                                             std::to_string(kDescriptionLines) + ", and the reader scrolls to the rest with the arrows",
                                 Topic::Scrolls, {}, d.code);
        }
    }

    void CheckHeading(const std::string& title) {
        const int lines = EstimatedLines(title, kHeadingWidth, Face::Bold21);
        if (lines > kHeadingLines)
            report_.Estimate(where_, "the title " + Quoted(title) + " needs about " + std::to_string(lines) +
                                         " lines (estimated): the game page's heading shows two, and the rest runs "
                                         "into the description; shorten Titel",
                             Topic::Heading);
    }

    // Every page that shows the short title, with the room its rows give and their face.
    void CheckCaption(const std::string& shortTitle) {
        std::string cut;
        std::vector<std::string> pages;
        for (const TitleRow* row : kTitleRows) {
            const int width = EstimatedWidth(shortTitle, RowFace(*row));
            if (width <= row->Room()) continue;
            pages.push_back(row->page);
            cut += std::string(cut.empty() ? "" : ", ") + "the " + row->page + "'s rows (" + std::to_string(row->Room()) +
                   " pixels in Verdana " + std::to_string(row->fontHeight) + ", where it needs about " +
                   std::to_string(width) + ")";
        }
        if (!cut.empty())
            report_.Estimate(where_, "the short title " + Quoted(shortTitle) + " is cut off (estimated) on " + cut +
                                         "; shorten KortTitel",
                             Topic::TitleCut, std::move(pages));
    }

    const IniSection& section_;
    std::string where_;
    int number_;
    const CheckInput& input_;
    uint16_t menuMachine_;
    Report& report_;
    TSpilPost demo_;  // as the menu reads it
};

void CheckStructure(const IniFile& ini, const std::string& file, Report& report) {
    for (const IniStrayLine& s : ini.StrayLines()) {
        int number = 0;
        if (s.unclosedSection && ClassifySection(s.text.substr(1), number) != SectionKind::Other) {
            report.Error(file + " line " + std::to_string(s.line),
                         Quoted(s.text) + " has no closing ']': the menu reads the lines after it as lines of the "
                                          "section before, and this demo is on no page");
            continue;
        }
        report.Warning(file + " line " + std::to_string(s.line),
                       Quoted(s.text) + (s.unclosedSection ? " has no closing ']'; the menu ignores it"
                                                           : " lies before the first section; the menu ignores it"));
    }
    for (const IniSection& s : ini.Sections())
        if (s.nulCut)
            report.Error(file + " line " + std::to_string(s.line),
                         "a NUL byte in the section line: the menu reads its name as [" + s.name + "] only");
    for (const IniSection& s : ini.Sections()) {
        const std::string where = file + " line " + std::to_string(s.line);
        const IniSection* first = ini.Find(s.name);
        if (first != &s) {
            report.Error(where, "[" + s.name + "] appears again; the menu reads only the first, on line " +
                                    std::to_string(first->line) + ", and ignores every key here");
            continue;
        }
        int number = 0;
        switch (ClassifySection(s.name, number)) {
            case SectionKind::Demo:
                if (number > kCatalogueSections)
                    report.Error(where, "[" + s.name + "] is never read: the menu reads Spil1 to Spil30 only");
                break;
            case SectionKind::Misnamed:
                report.Error(where, "[" + s.name + "] is never read: the menu reads sections named Spil1 to Spil30, "
                                    "without leading zeros or spaces");
                break;
            case SectionKind::Other:
                if (!EqualNoCase(s.name, kCdSection)) report.Warning(where, "[" + s.name + "] is not read by the menu");
                break;
        }
    }
}

void CheckCategories(const std::vector<ListedDemo>& listed, const std::string& file, Report& report) {
    if (listed.empty()) {
        report.Error(file, "no demo is listed on any page");
        return;
    }
    for (CategoryCode code = 0; code < kNoCategory; ++code) {
        std::vector<const ListedDemo*> demos;
        for (const ListedDemo& d : listed)
            if (d.category == code) demos.push_back(&d);
        if (demos.empty())
            report.Warning(kCategoryNames[code], std::string(kCategoryNames[code]) +
                                                  " has no demo: its tile on the main menu opens an empty page");
        if (demos.size() <= kCategoryPageSlots) continue;
        std::string hidden;
        for (size_t i = kCategoryPageSlots; i < demos.size(); ++i) {
            if (!hidden.empty()) hidden += i + 1 == demos.size() ? " and " : ", ";
            hidden += Quoted(demos[i]->shortTitle) + " (Spil" + std::to_string(demos[i]->number) + ")";
        }
        const bool one = demos.size() == kCategoryPageSlots + 1;
        report.Warning(kCategoryNames[code], std::string(kCategoryNames[code]) + " has " + std::to_string(demos.size()) +
                                              " demos, and its page shows the first eight only: " + hidden + (one ? " is" : " are") +
                                              " reachable from the index page only");
    }
}

// The section [CD]: the edition and the year, each judged by the menu's own rules.
CdEdition CheckEdition(const IniFile& ini, Report& report) {
    const std::string where = "[CD]";
    const IniEntry* edition = ini.FindEntry(kCdSection, kEditionKey);
    const IniEntry* year = ini.FindEntry(kCdSection, kYearKey);
    // A key without '=' gives the menu no value: as missing.
    const std::string* editionValue = edition && edition->hasEquals ? &edition->value : nullptr;
    const std::string* yearValue = year && year->hasEquals ? &year->value : nullptr;
    if (editionValue) {
        const std::string problem = EditionProblem(*editionValue);
        if (!problem.empty())
            report.Error(where, "Udgave " + Quoted(*editionValue) + " " + problem + ": it names the install records and "
                                "the Start-menu folder Games\\<edition>, so the menu uses " + kBuiltInEdition +
                                " instead; write 1 to 16 of A-Z, a-z, 0-9, space, '-', '_' and '.', not beginning or "
                                "ending with a space or a dot");
    }
    if (yearValue) {
        const std::string problem = YearProblem(*yearValue);
        if (!problem.empty())
            report.Error(where, "Aar " + Quoted(*yearValue) + " " + problem + ": the credits show " + kBuiltInYear +
                                " instead; write the year as four digits");
    }
    if (const IniSection* cd = ini.Find(kCdSection)) {
        for (const IniEntry& e : cd->entries) {
            if (EqualNoCase(e.key, kEditionKey) || EqualNoCase(e.key, kYearKey)) {
                if (e.hasEquals && &e != ini.FindEntry(kCdSection, e.key))
                    report.Error(where, "line " + std::to_string(e.line) + ": " + e.key +
                                            " is given again; the menu uses only the first");
                continue;
            }
            report.Warning(where, "line " + std::to_string(e.line) + ": the menu reads no key " + Quoted(e.key) +
                                      " here, only Udgave and Aar");
        }
    }
    return UsableEdition(editionValue, yearValue);
}

// The files every CD carries beside the catalogue, from its root; with the menu itself for the
// proof, which draws with the fonts.
std::vector<std::string> FixedFiles(bool forProof) {
    std::vector<std::string> files{forProof ? "VINDREL.EXE" : "DirectX7\\DXSetup.EXE"};
    for (const char* font : kFontFiles) files.push_back(std::string(kFontFolder) + "\\" + font);
    if (!forProof) files.push_back(std::string(kFontFolder) + "\\" + kFontMarker);
    return files;
}

void CheckFixedFiles(const fs::path& root, const CdEdition& cd, Report& report) {
    for (const std::string& path : FixedFiles(false)) {
        if (!FindNoCase(root, path).empty()) continue;
        const char* why = path.rfind("DirectX7", 0) == 0 ? "the DirectX page's Install button starts nothing"
                          : path.find(kFontMarker) != std::string::npos ? "the menu copies it with the fonts at start"
                                                                         : "the menu installs its fonts from there at start";
        report.Error("CD", "\\" + path + " is missing: " + why);
    }

    const fs::path autorun = FindNoCase(root, "autorun.inf");
    if (autorun.empty()) {
        report.Warning("CD", "no autorun.inf: the menu does not start by itself when the CD is put in");
        return;
    }
    const auto bytes = ReadBytes(autorun);
    const IniFile inf = IniFile::Parse(bytes ? *bytes : std::string());
    const IniEntry* open = inf.FindEntry("autorun", "open");
    if (!open || open->value.empty()) {
        report.Warning("autorun.inf", "no open= in [autorun]: the menu does not start by itself when the CD is put in");
    } else {
        std::string program = open->value.substr(0, open->value.find(' '));
        if (FindNoCase(root, program).empty())
            report.Error("autorun.inf", "open=" + open->value + " names a program that is not on the CD");
    }
    if (const IniEntry* icon = inf.FindEntry("autorun", "icon"); icon && !icon->value.empty()) {
        const std::string file = icon->value.substr(0, icon->value.find(','));
        if (FindNoCase(root, file).empty())
            report.Warning("autorun.inf", "icon=" + icon->value + " names a file that is not on the CD");
    }
    // The label is the name Windows shows for the CD; one left from another month names that
    // month's edition.
    if (const IniEntry* label = inf.FindEntry("autorun", "label"); label && !LabelNamesEdition(label->value, cd.edition))
        report.Error("autorun.inf", "label=" + label->value + " does not name the edition " + cd.edition +
                                        " that the catalogue gives: Windows shows the CD under that name; write " +
                                        Quoted("label=" + AutorunLabel(cd.edition)));
}

}  // namespace

std::vector<fs::path> FilesTheProofDraws(const CheckInput& input) {
    std::vector<fs::path> files{input.ini};
    for (const std::string& fixed : FixedFiles(true))
        if (fs::path f = FindNoCase(input.root, fixed); !f.empty()) files.push_back(f);
    const auto bytes = ReadBytes(input.ini);
    for (const TSpilPost& demo : DemosAsRead(bytes ? *bytes : std::string(), "da", false)) {
        if (demo.Setup == kDefaultSetup || demo.Setup.empty()) continue;
        // The menu runs from the CD's root, where the catalogue is.
        const std::string shot = ScreenshotFileName(demo.Setup);
        if (fs::path f = FindNoCase(shot[0] == '\\' ? input.root : input.ini.parent_path(), shot); !f.empty())
            files.push_back(f);
    }
    return files;
}

std::vector<TSpilPost> DemosAsRead(std::string_view catalogue, const std::string& language, bool listedOnly) {
    const IniFile ini = IniFile::Parse(catalogue);
    std::vector<TSpilPost> demos;
    for (int n = 1; n <= kCatalogueSections; ++n) {
        const IniSection* section = ini.Find(DemoSectionName(n));
        if (!section && !listedOnly) continue;
        TSpilPost demo = MenuDemo(section, n, language);
        if (!listedOnly || IsListed(demo)) demos.push_back(std::move(demo));
    }
    return demos;
}

CdEdition EditionAsRead(std::string_view catalogue) {
    const IniFile ini = IniFile::Parse(catalogue);
    const IniEntry* edition = ini.FindEntry(kCdSection, kEditionKey);
    const IniEntry* year = ini.FindEntry(kCdSection, kYearKey);
    return UsableEdition(edition && edition->hasEquals ? &edition->value : nullptr,
                         year && year->hasEquals ? &year->value : nullptr);
}

namespace {

// One name of a catalogue path (Windows-1252, as the menu hands it to Windows) as a name of this
// machine's file system: UTF-16 on Windows whatever its code page, UTF-8 elsewhere.
fs::path NativeName(const std::string& name1252) {
#ifdef _WIN32
    const int n = MultiByteToWideChar(1252, 0, name1252.data(), static_cast<int>(name1252.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(1252, 0, name1252.data(), static_cast<int>(name1252.size()), wide.data(), n);
    return fs::path(wide);
#else
    return fs::path(Utf8From1252(name1252));
#endif
}

// Names compared as the file system's own strings, ASCII letters without regard to case.
bool SameNameNoCase(const fs::path& a, const fs::path& b) {
    const auto& x = a.native();
    const auto& y = b.native();
    if (x.size() != y.size()) return false;
    auto fold = [](auto c) { return (c >= 'A' && c <= 'Z') ? static_cast<decltype(c)>(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < x.size(); ++i)
        if (fold(x[i]) != fold(y[i])) return false;
    return true;
}

}  // namespace

fs::path FindNoCase(const fs::path& base, const std::string& windowsPath) {
    fs::path current = base;
    std::error_code ec;
    size_t pos = 0;
    while (pos <= windowsPath.size()) {
        size_t end = windowsPath.find_first_of("\\/", pos);
        if (end == std::string::npos) end = windowsPath.size();
        const std::string part = windowsPath.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            current = current / "..";
            continue;
        }
        const fs::path name = NativeName(part);
        if (fs::exists(current / name, ec)) {
            current /= name;
            continue;
        }
        bool found = false;
        for (fs::directory_iterator it(current, ec), last; !ec && it != last; it.increment(ec)) {
            if (SameNameNoCase(it->path().filename(), name)) {
                current = it->path();
                found = true;
                break;
            }
        }
        if (!found) return {};
    }
    return fs::exists(current, ec) ? current : fs::path();
}

std::vector<Finding> CheckCd(const CheckInput& input, CdEdition* edition) {
    Report report;
    const std::string file = input.ini.filename().string();
    const auto bytes = ReadBytes(input.ini);
    if (!bytes) {
        report.Error("CD", "no catalogue " + WindowsPath(input.ini) + ": the menu lists no demo");
        return report.findings;
    }
    if (!CheckEncoding(*bytes, file, report)) return report.findings;
    const IniFile ini = IniFile::Parse(*bytes);
    CheckStructure(ini, file, report);
    const CdEdition cd = CheckEdition(ini, report);
    if (edition) *edition = cd;

    const fs::path menu = FindNoCase(input.root, "VINDREL.EXE");
    const SetupFile menuFile = ReadSetupFile(menu.empty() ? std::string() : ReadHead(menu, kSetupHeadBytes));
    const uint16_t menuMachine = menuFile.kind == SetupFile::Program ? menuFile.machine : 0;
    std::vector<ListedDemo> listed;
    for (int n = 1; n <= kCatalogueSections; ++n) {
        const IniSection* section = ini.Find(DemoSectionName(n));
        if (!section) continue;
        if (auto demo = DemoCheck(*section, n, input, menuMachine, report).Run()) listed.push_back(*demo);
    }
    CheckCategories(listed, file, report);
    CheckFixedFiles(input.root, cd, report);
    return report.findings;
}

}  // namespace vindrel::cdcheck
