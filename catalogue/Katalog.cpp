#include "catalogue/Katalog.h"

#include <windows.h>

#include <climits>
#include <cstring>

namespace vindrel {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Digits only, at least one, value at most `limit`; false on anything else.
bool ParseDigits(const std::string& s, size_t from, int base, int64_t limit, int64_t& out) {
    if (from >= s.size()) return false;
    int64_t v = 0;
    for (size_t i = from; i < s.size(); ++i) {
        int d = HexDigit(s[i]);
        if (d < 0 || d >= base) return false;
        v = v * base + d;
        if (v > limit) return false;  // stop before the accumulator itself could overflow
    }
    out = v;
    return true;
}

// Reads one value whole into the 2048-character buffer; the platform cuts it to 2047.
std::string ReadString(const char* section, const char* key, const std::string& fallback, const std::string& iniPath) {
    char buffer[kIniValueBuffer];
    DWORD n = GetPrivateProfileStringA(section, key, fallback.c_str(), buffer, sizeof buffer, iniPath.c_str());
    if (n >= sizeof buffer) n = sizeof buffer - 1;
    return std::string(buffer, n);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// [from, to) without the blanks at either end.
std::string Trimmed(const char* from, const char* to) {
    while (from < to && IsBlank(*from)) ++from;
    while (to > from && IsBlank(to[-1])) --to;
    return std::string(from, to);
}

// Key names match as the platform's INI reader matches them: letter by letter, ASCII case folded.
// A locale's comparison would differ (Turkish "I", letters it ignores such as the soft hyphen).
bool SameKey(const char* key, const std::string& name) {
    const auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    size_t i = 0;
    for (; key[i] != '\0'; ++i) {
        if (i == name.size()) return false;
        if (fold(static_cast<unsigned char>(key[i])) != fold(static_cast<unsigned char>(name[i]))) return false;
    }
    return i == name.size();
}

}  // namespace

CatalogueSection::CatalogueSection(const char* section, const std::string& iniPath)
    : section_(section), iniPath_(iniPath) {
    // The platform gives the section's lines as "key=value", trimmed, comments left out,
    // ending in two zeros. A section that does not fit is read key by key instead.
    constexpr DWORD kSize = 32767;  // the largest section every Windows returns whole
    lines_.resize(kSize);
    const DWORD n = GetPrivateProfileSectionA(section, lines_.data(), kSize, iniPath.c_str());
    whole_ = n < kSize - 2;
    lines_.resize(whole_ ? n : 0);
}

std::string CatalogueSection::Text(const char* key, const std::string& fallback) const {
    if (!whole_) return ReadString(section_.c_str(), key, fallback, iniPath_);
    for (size_t at = 0; at < lines_.size();) {
        const char* line = lines_.data() + at;
        const size_t length = std::strlen(line);
        at += length + 1;
        const char* equals = static_cast<const char*>(std::memchr(line, '=', length));
        if (!SameKey(key, Trimmed(line, equals ? equals : line + length))) continue;
        // The first line of that key decides, as the key-by-key reading does; a key without a
        // value gives the fallback.
        if (!equals) break;
        std::string value = Trimmed(equals + 1, line + length);
        // Quotes around the whole value are taken off, as by the platform's reading of one key.
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (value.size() > kIniValueBuffer - 1) value.resize(kIniValueBuffer - 1);
        return value;
    }
    return fallback;
}

int32_t CatalogueSection::Integer(const char* key, int32_t fallback) const {
    // A missing or empty value, like a malformed one, gives the fallback.
    std::string text = Text(key, "");
    if (text.empty()) return fallback;
    return ParseIniInteger(text, fallback);
}

int32_t ParseIniInteger(const std::string& value, int32_t fallback) {
    int64_t v = 0;
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        // A hexadecimal bit pattern above INT32_MAX is refused rather than read as negative,
        // so a huge requirement cannot turn into no requirement.
        return ParseDigits(value, 2, 16, INT32_MAX, v) ? static_cast<int32_t>(v) : fallback;
    }
    if (!value.empty() && value[0] == '$')
        return ParseDigits(value, 1, 16, INT32_MAX, v) ? static_cast<int32_t>(v) : fallback;

    size_t from = 0;
    bool negative = false;
    if (!value.empty() && (value[0] == '-' || value[0] == '+')) {
        negative = value[0] == '-';
        from = 1;
    }
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    if (!ParseDigits(value, from, 10, limit, v)) return fallback;
    return static_cast<int32_t>(negative ? -v : v);
}

CategoryCode CategoryFromName(const std::string& name) {
    for (CategoryCode code = 0; code < kNoCategory; ++code)
        if (name == kCategoryNames[code]) return code;
    return kNoCategory;
}

std::optional<DescriptionKey> DescriptionKeyFor(const std::string& currentLanguage) {
    if (currentLanguage == "da") return DescriptionKey{"Dansk", "Ingen dansk instruktion!"};
    if (currentLanguage == "se") return DescriptionKey{"Svensk", "Ingen svensk instruktion!"};
    if (currentLanguage == "no") return DescriptionKey{"Norsk", "Ingen norsk instruksjon!"};
    if (currentLanguage == "fi") return DescriptionKey{"Finsk", "Ingen Suomi-instruktion!"};
    return std::nullopt;
}

TSpilPost ReadSpilPost(int number, const std::string& currentLanguage, const std::string& iniPath) {
    const std::string name = "Spil" + std::to_string(number);
    const CatalogueSection section(name.c_str(), iniPath);
    TSpilPost e;
    e.Section = number;
    e.Titel = section.Text("Titel", "No Title!");
    e.KortTitel = section.Text("KortTitel", e.Titel);
    e.Setup = section.Text("Setup", "No File!");
    e.CPU = section.Integer("CPU", 100);
    e.Ram = section.Integer("Ram", 16);
    e.HD = section.Integer("HD", 20);
    e.Kategori = CategoryFromName(section.Text("Kategori", "Ingen"));
    e.Folder = section.Text("Folder", "NoFolder");
    e.Uninstall = section.Text("Uninstall", "");
    if (auto key = DescriptionKeyFor(currentLanguage)) e.Instruktion = section.Text(key->key, key->fallback);
    return e;
}

void indsaet_i_liste(SpilListe& liste, const std::string& currentLanguage, const std::string& iniPath) {
    for (int n = 1; n <= kCatalogueSections; ++n) {
        TSpilPost e = ReadSpilPost(n, currentLanguage, iniPath);
        if (e.Kategori != kNoCategory) liste.push_back(std::move(e));
    }
}

CdEdition ReadCdEdition(const std::string& iniPath) {
    const CatalogueSection section(kCdSection, iniPath);
    // A key without a value reads as missing; an empty value is refused by the rules.
    const std::string edition = section.Text(kEditionKey, kBuiltInEdition);
    const std::string year = section.Text(kYearKey, kBuiltInYear);
    return UsableEdition(&edition, &year);
}

void wipespilliste(SpilListe& liste) {
    liste.clear();
    liste.shrink_to_fit();
}

}  // namespace vindrel
