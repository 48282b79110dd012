// The demo catalogue: Spil.INI read through the platform's profile calls into SpilListe, one
// TSpilPost per listed demo, by the rules of catalogue/Rulebook.h.
// The category page owns the list and calls the two reading operations; other pages only read it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/Rulebook.h"

namespace vindrel {

// Ordered, owning; an entry's 0-based position is its identity for the pages.
using SpilListe = std::vector<TSpilPost>;

constexpr const char* kCatalogueFile = ".\\Spil.INI";

// One section of the file, read in one go (each value read on its own would open the file
// again, which from a CD is most of the start-up): its values as GetPrivateProfileStringA gives
// them, key names without regard to case, the first of a repeated key, quotes around a value
// taken off, cut to 2047 characters.
class CatalogueSection {
public:
    CatalogueSection(const char* section, const std::string& iniPath);
    std::string Text(const char* key, const std::string& fallback) const;

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
