// The demo catalogue: Spil.INI read into SpilListe, one TSpilPost per listed demo.
// The category page owns the list and calls the two reading operations; other pages only read it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/Udgave.h"

namespace vindrel {

// 0 Action, 1 Simulator, 2 Sport, 3 Adventure, 4 Strategy, 5 Junior, 6 none.
using CategoryCode = uint8_t;
constexpr CategoryCode kNoCategory = 6;

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

// Ordered, owning; an entry's 0-based position is its identity for the pages.
using SpilListe = std::vector<TSpilPost>;

constexpr const char* kCatalogueFile = ".\\Spil.INI";
constexpr int kCatalogueSections = 30;     // Spil1 .. Spil30
constexpr unsigned kIniValueBuffer = 2048;  // a value is cut to 2047 characters

// "0x1F" / "0X1F" (longer than two characters) and "$1F" are hexadecimal, anything else signed
// decimal. Not a whole valid integer, or outside signed 32 bits: the fallback.
int32_t ParseIniInteger(const std::string& value, int32_t fallback);

// The six category names as the catalogue spells them, by code.
inline constexpr const char* kCategoryNames[kNoCategory] = {"Action",    "Simulator", "Sport",
                                                            "Adventure", "Strategy",  "Junior"};
// Exact, case-sensitive match of the six names; anything else is kNoCategory.
CategoryCode CategoryFromName(const std::string& name);

// The description key of a language code and its text when the key is missing.
struct DescriptionKey {
    const char* key;
    const char* fallback;
};
// Only "da", "se", "no" and "fi" have one; any other code reads no description.
std::optional<DescriptionKey> DescriptionKeyFor(const std::string& currentLanguage);

// One section of the file, read in one go (each value read on its own would open the file
// again, which from a CD is most of the start-up): its values as GetPrivateProfileStringA gives
// them, key names without regard to case, the first of a repeated key, quotes around a value
// taken off, cut to 2047 characters.
class CatalogueSection {
public:
    CatalogueSection(const char* section, const std::string& iniPath);
    std::string Text(const char* key, const std::string& fallback) const;
    int32_t Integer(const char* key, int32_t fallback) const;  // see ParseIniInteger

private:
    std::string section_;
    std::string iniPath_;
    std::vector<char> lines_;  // "key=value" strings one after another
    bool whole_ = false;       // false: too long, each value is read on its own
};

// Reads section "Spil<number>" of the file (defaults for everything missing).
TSpilPost ReadSpilPost(int number, const std::string& currentLanguage, const std::string& iniPath = kCatalogueFile);

// Reads Spil1 .. Spil30 in order and appends the entries that have a category. Does not empty the
// list first. The default file name is relative to the current directory.
void indsaet_i_liste(SpilListe& liste, const std::string& currentLanguage, const std::string& iniPath = kCatalogueFile);

// The edition and year of the section [CD]; the built-in ones for keys that are missing or unusable.
CdEdition ReadCdEdition(const std::string& iniPath = kCatalogueFile);

// Frees every entry and empties the list.
void wipespilliste(SpilListe& liste);

}  // namespace vindrel
