#include "catalogue/Katalog.h"

#include <windows.h>

#include <cstring>

namespace vindrel {
namespace {

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

TSpilPost ReadSpilPost(int number, const std::string& currentLanguage, const std::string& iniPath) {
    const std::string name = DemoSectionName(number);
    const CatalogueSection section(name.c_str(), iniPath);
    return DemoFromSection(number, currentLanguage,
                           [&](const char* key, const std::string& fallback) { return section.Text(key, fallback); });
}

void indsaet_i_liste(SpilListe& liste, const std::string& currentLanguage, const std::string& iniPath) {
    for (int n = 1; n <= kCatalogueSections; ++n) {
        TSpilPost e = ReadSpilPost(n, currentLanguage, iniPath);
        if (IsListed(e)) liste.push_back(std::move(e));
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
