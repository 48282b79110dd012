// The CD's edition and year, from the catalogue's section [CD]: Udgave names the CD in the install
// records (Software\Vindrel_Games\<edition>) and in the Start-menu folder Games\<edition>; Aar is
// the year of the credits' rights notice. Plain C++ without platform calls, so that the menu and
// the CD check judge the values alike.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace vindrel {

inline constexpr const char kCdSection[] = "CD";
inline constexpr const char kEditionKey[] = "Udgave";
inline constexpr const char kYearKey[] = "Aar";
// What a catalogue without those keys (every CD before them) has always meant.
inline constexpr const char kBuiltInEdition[] = "1099";
inline constexpr const char kBuiltInYear[] = "1999";
inline constexpr size_t kEditionMaxLength = 16;

// Why a value cannot name the edition, in plain words ("holds '/'"); empty when it can. An
// edition becomes a registry key and a folder name: 1 to 16 of A-Z, a-z, 0-9, space, '-', '_'
// and '.', not beginning or ending with a space or a dot.
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

}  // namespace vindrel
