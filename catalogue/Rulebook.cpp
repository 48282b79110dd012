#include "catalogue/Rulebook.h"

#include <algorithm>
#include <climits>

namespace vindrel {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Digits only, at least one, value at most `limit`.
std::optional<int64_t> Digits(std::string_view s, size_t from, int base, int64_t limit) {
    if (from >= s.size()) return std::nullopt;
    int64_t v = 0;
    for (size_t i = from; i < s.size(); ++i) {
        const int d = HexDigit(s[i]);
        if (d < 0 || d >= base) return std::nullopt;
        v = v * base + d;
        if (v > limit) return std::nullopt;  // stop before the accumulator itself could overflow
    }
    return v;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

std::string Shown(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
        static const char kHex[] = "0123456789ABCDEF";
        return std::string("the control character 0x") + kHex[byte >> 4] + kHex[byte & 0xF];
    }
    return std::string("'") + c + "'";
}

uint32_t ReadLittle(std::string_view s, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + static_cast<size_t>(i)]);
    return v;
}

// The Unicode letters of Windows-1252's bytes 0x80 to 0x9F; 0 where the code page has none.
constexpr uint16_t k1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

bool In1252(uint32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return true;
    return std::find(std::begin(k1252High), std::end(k1252High), codePoint) != std::end(k1252High) && codePoint != 0;
}

}  // namespace

std::string Utf8From1252(std::string_view text) {
    std::string out;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        unsigned cp = byte < 0x80 ? byte : byte < 0xA0 ? k1252High[byte - 0x80] : byte;
        if (cp == 0) cp = byte;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::string DemoSectionName(int number) { return "Spil" + std::to_string(number); }

std::optional<int32_t> ReadIniInteger(std::string_view value) {
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        // A hexadecimal bit pattern above INT32_MAX is refused rather than read as negative,
        // so a huge requirement cannot turn into no requirement.
        if (auto v = Digits(value, 2, 16, INT32_MAX)) return static_cast<int32_t>(*v);
        return std::nullopt;
    }
    if (!value.empty() && value[0] == '$') {
        if (auto v = Digits(value, 1, 16, INT32_MAX)) return static_cast<int32_t>(*v);
        return std::nullopt;
    }
    size_t from = 0;
    bool negative = false;
    if (!value.empty() && (value[0] == '-' || value[0] == '+')) {
        negative = value[0] == '-';
        from = 1;
    }
    const auto v = Digits(value, from, 10, negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX);
    if (!v) return std::nullopt;
    return static_cast<int32_t>(negative ? -*v : *v);
}

int32_t ParseIniInteger(const std::string& value, int32_t fallback) { return ReadIniInteger(value).value_or(fallback); }

CategoryCode CategoryFromName(std::string_view name) {
    for (CategoryCode code = 0; code < kNoCategory; ++code)
        if (name == kCategoryNames[code]) return code;
    return kNoCategory;
}

std::optional<DescriptionKey> DescriptionKeyFor(std::string_view currentLanguage) {
    for (const DescriptionKey& d : kDescriptionKeys)
        if (currentLanguage == d.code) return d;
    return std::nullopt;
}

TSpilPost DemoFromSection(int number, const std::string& currentLanguage, const SectionText& text) {
    TSpilPost e;
    e.Section = number;
    e.Titel = text(keys::kTitel, kDefaultTitel);
    e.KortTitel = text(keys::kKortTitel, e.Titel);
    e.Setup = text(keys::kSetup, kDefaultSetup);
    int32_t* const integers[] = {&e.CPU, &e.Ram, &e.HD};
    for (size_t i = 0; i < std::size(kIntegerRules); ++i)
        *integers[i] = ParseIniInteger(text(kIntegerRules[i].key, ""), kIntegerRules[i].fallback);
    e.Kategori = CategoryFromName(text(keys::kKategori, kDefaultKategori));
    e.Folder = text(keys::kFolder, kDefaultFolder);
    e.Uninstall = text(keys::kUninstall, "");
    if (auto key = DescriptionKeyFor(currentLanguage)) e.Instruktion = text(key->key, key->fallback);
    return e;
}

std::string SetupFolder(const std::string& setup) {
    const size_t cut = setup.find_last_of("\\:");
    return cut == std::string::npos ? std::string() : setup.substr(0, cut + 1);
}

std::string ScreenshotFileName(const std::string& setup) { return SetupFolder(setup) + kScreenshotName; }

bool IsInstallerPackageName(std::string_view setup) {
    if (setup.size() < 4) return false;
    const std::string_view end = setup.substr(setup.size() - 4);
    return end[0] == '.' && Lower(end[1]) == 'm' && Lower(end[2]) == 's' && Lower(end[3]) == 'i';
}

SetupFile ReadSetupFile(std::string_view head) {
    SetupFile file;
    // A Windows Installer package is a compound document.
    static constexpr char kCompound[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    if (head.substr(0, 8) == std::string_view(kCompound, 8)) {
        file.kind = SetupFile::InstallerPackage;
        return file;
    }
    if (head.size() < 64 || head[0] != 'M' || head[1] != 'Z') return file;
    const uint32_t at = ReadLittle(head, 60, 4);
    if (at > head.size() || head.size() - at < 6 || head.substr(at, 4) != std::string_view("PE\0\0", 4)) return file;
    file.kind = SetupFile::Program;
    file.machine = static_cast<uint16_t>(ReadLittle(head, at + 4, 2));
    return file;
}

std::string MachineName(uint16_t machine) {
    switch (machine) {
        case kMachineI386: return "a 32-bit program";
        case 0x8664: return "a 64-bit program (x64)";
        case 0xAA64: return "a 64-bit program (ARM64)";
        case 0x200: return "a 64-bit program (Itanium)";
        default: return "a program for another processor";
    }
}

std::string SetupFileProblem(const SetupFile& file, std::string_view setup, uint16_t menuMachine) {
    const std::string named = "\"" + std::string(setup) + "\"";
    switch (file.kind) {
        case SetupFile::InstallerPackage:
            if (!IsInstallerPackageName(setup))
                return "the setup program " + named + " is a Windows Installer package without the name \".msi\": "
                       "Install cannot start it; name it so";
            return {};
        case SetupFile::Program:
            if (IsInstallerPackageName(setup))
                return "the setup " + named + " is named as a Windows Installer package but is a program: Install "
                       "hands it to the Windows Installer, which refuses it; name it \".exe\"";
            if (menuMachine == kMachineI386 && file.machine != kMachineI386)
                return "the setup program " + named + " is " + MachineName(file.machine) +
                       ", but this CD's menu is the 32-bit one, made for every Windows: on 32-bit Windows Install "
                       "cannot start it; put the demo's 32-bit setup on the CD";
            return {};
        case SetupFile::Neither:
            break;
    }
    return "the setup " + named + " is neither a program Windows can start nor a Windows Installer package: "
           "Install starts nothing; name the demo's setup program (.exe) or package (.msi)";
}

bool IsReservedDeviceName(std::string_view name) {
    // The part before the first dot, without trailing blanks, decides: "con.txt" and "NUL " too.
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '\t')) stem.pop_back();
    for (char& c : stem) c = Lower(c);
    if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul") return true;
    return stem.size() == 4 && (stem.compare(0, 3, "com") == 0 || stem.compare(0, 3, "lpt") == 0) && stem[3] >= '1' &&
           stem[3] <= '9';
}

std::string EditionProblem(std::string_view value) {
    if (value.empty()) return "is empty";
    if (value.size() > kEditionMaxLength)
        return "is " + std::to_string(value.size()) + " characters long, more than " + std::to_string(kEditionMaxLength);
    for (char c : value) {
        if (IsLetterOrDigit(c) || c == ' ' || c == '-' || c == '_' || c == '.') continue;
        // Nordic letters are left out too: the records' names are read in the system's code page,
        // which is not Windows-1252 on every PC the CD meets.
        return "holds " + Shown(c);
    }
    if (value.front() == ' ' || value.back() == ' ') return "begins or ends with a space";
    if (value.front() == '.' || value.back() == '.') return "begins or ends with a dot";
    if (IsReservedDeviceName(value)) return "is a name Windows keeps for a device, which no folder can bear";
    return {};
}

std::string YearProblem(std::string_view value) {
    if (value.size() != 4) return "is not four digits";
    for (char c : value)
        if (c < '0' || c > '9') return "is not four digits";
    return {};
}

CdEdition UsableEdition(const std::string* edition, const std::string* year) {
    CdEdition cd;
    if (edition && EditionProblem(*edition).empty()) cd.edition = *edition;
    if (year && YearProblem(*year).empty()) cd.year = *year;
    return cd;
}

std::string WithYear(std::string notice, const std::string& year) {
    const size_t at = notice.find(kBuiltInYear);
    if (at != std::string::npos) notice.replace(at, std::string_view(kBuiltInYear).size(), year);
    return notice;
}

std::string AutorunLabel(const std::string& edition) { return "Vindrel Spil-CD " + edition; }

bool LabelNamesEdition(std::string_view label, std::string_view edition) {
    const auto partOfWord = [](char c) { return IsLetterOrDigit(c) || c == '_' || c == '.'; };
    for (size_t at = label.find(edition); at != std::string_view::npos; at = label.find(edition, at + 1)) {
        const size_t end = at + edition.size();
        if ((at == 0 || !partOfWord(label[at - 1])) && (end == label.size() || !partOfWord(label[end]))) return true;
    }
    return false;
}

std::string RecordName(const std::string& shortTitle) {
    std::string name = shortTitle.substr(0, kMaxRecordName);
    std::replace(name.begin(), name.end(), '\\', '/');
    if (name.find_first_not_of(" \t") == std::string::npos) name = kDefaultTitel;
    return name;
}

std::optional<ForeignLetter> FirstForeignLetter(std::string_view value) {
    const auto u = [&](size_t i) { return static_cast<unsigned char>(value[i]); };
    for (size_t i = 0; i < value.size(); ++i) {
        if (u(i) < 0x80) continue;
        // A UTF-8 sequence: a lead byte C2 to F4 and its continuation bytes.
        const size_t n = u(i) >= 0xC2 && u(i) <= 0xDF ? 1 : u(i) >= 0xE0 && u(i) <= 0xEF ? 2 : u(i) >= 0xF0 && u(i) <= 0xF4 ? 3 : 0;
        bool utf8 = n > 0 && i + n < value.size();
        for (size_t k = 1; utf8 && k <= n; ++k) utf8 = (u(i + k) & 0xC0) == 0x80;
        if (utf8) {
            uint32_t cp = u(i) & (n == 1 ? 0x1F : n == 2 ? 0x0F : 0x07);
            for (size_t k = 1; k <= n; ++k) cp = cp << 6 | (u(i + k) & 0x3F);
            // Over-long forms are no letter a producer typed; they are bytes of Windows-1252 text.
            const uint32_t least = n == 1 ? 0x80 : n == 2 ? 0x800 : 0x10000;
            if (cp >= least && cp <= 0x10FFFF) return ForeignLetter{i, n + 1, cp, In1252(cp)};
        }
        if (u(i) < 0xA0 && k1252High[u(i) - 0x80] == 0) return ForeignLetter{i, 1, 0, false};
    }
    return std::nullopt;
}

std::string CodePointName(uint32_t codePoint) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string digits;
    for (uint32_t v = codePoint; v != 0 || digits.size() < 4; v >>= 4) digits.insert(digits.begin(), kHex[v & 0xF]);
    return "U+" + digits;
}

}  // namespace vindrel
