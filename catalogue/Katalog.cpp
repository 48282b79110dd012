#include "catalogue/Katalog.h"

#include <windows.h>

#include <climits>

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

// A missing or empty value, like a malformed one, gives the fallback.
int32_t ReadInteger(const char* section, const char* key, int32_t fallback, const std::string& iniPath) {
    std::string text = ReadString(section, key, "", iniPath);
    if (text.empty()) return fallback;
    return ParseIniInteger(text, fallback);
}

}  // namespace

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
    static constexpr const char* kNames[] = {"Action", "Simulator", "Sport", "Adventure", "Strategy", "Junior"};
    for (CategoryCode code = 0; code < kNoCategory; ++code)
        if (name == kNames[code]) return code;
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
    const char* section = name.c_str();
    TSpilPost e;
    e.Titel = ReadString(section, "Titel", "No Title!", iniPath);
    e.KortTitel = ReadString(section, "KortTitel", e.Titel, iniPath);
    e.Setup = ReadString(section, "Setup", "No File!", iniPath);
    e.CPU = ReadInteger(section, "CPU", 100, iniPath);
    e.Ram = ReadInteger(section, "Ram", 16, iniPath);
    e.HD = ReadInteger(section, "HD", 20, iniPath);
    e.Kategori = CategoryFromName(ReadString(section, "Kategori", "Ingen", iniPath));
    e.Folder = ReadString(section, "Folder", "NoFolder", iniPath);
    e.Uninstall = ReadString(section, "Uninstall", "", iniPath);
    if (auto key = DescriptionKeyFor(currentLanguage)) e.Instruktion = ReadString(section, key->key, key->fallback, iniPath);
    return e;
}

void indsaet_i_liste(SpilListe& liste, const std::string& currentLanguage, const std::string& iniPath) {
    for (int n = 1; n <= kCatalogueSections; ++n) {
        TSpilPost e = ReadSpilPost(n, currentLanguage, iniPath);
        if (e.Kategori != kNoCategory) liste.push_back(std::move(e));
    }
}

void wipespilliste(SpilListe& liste) {
    liste.clear();
    liste.shrink_to_fit();
}

}  // namespace vindrel
