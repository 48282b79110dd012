// A reader of Windows initialisation files that finds values byte for byte the way the menu's
// reading through GetPrivateProfileSectionA does (line ends, NUL bytes, odd section lines), and also keeps what those calls never show: later duplicates,
// stray lines, values cut at the buffer's end. Portable: no platform calls.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/Rulebook.h"

namespace vindrel::cdcheck {

// The menu reads every value into a 2048-character buffer: kIniValueLimit (catalogue/Rulebook.h).

struct IniEntry {
    std::string key;    // trimmed
    std::string value;  // trimmed, surrounding quotes stripped, cut to kIniValueLimit
    size_t fullLength = 0;  // length before the cut
    int line = 0;
    bool hasEquals = true;  // a line with no '=' is read as a key with an empty value
    bool nulCut = false;    // a NUL byte in the line ended the key or the value there
};

struct IniSection {
    std::string name;  // between '[' and the first ']', trimmed, up to a NUL byte: as the platform matches it
    int line = 0;
    std::vector<IniEntry> entries;  // in file order, duplicates included
    bool nulCut = false;  // a NUL byte ended the name
};

// A line that belongs to no key: text before the first section, or a section line without ']'
// (which the platform reads as a line of the section before it).
struct IniStrayLine {
    int line = 0;
    std::string text;
    bool unclosedSection = false;  // "[Name" with no ']'
};

class IniFile {
public:
    static IniFile Parse(std::string_view bytes);

    const std::vector<IniSection>& Sections() const { return sections_; }
    const std::vector<IniStrayLine>& StrayLines() const { return stray_; }

    // The first section of that name, compared without regard to case: the only one the platform reads.
    const IniSection* Find(std::string_view section) const;
    // The first entry of that key in the first such section, or none.
    const IniEntry* FindEntry(std::string_view section, std::string_view key) const;

private:
    std::vector<IniSection> sections_;
    std::vector<IniStrayLine> stray_;
};

// ASCII case folding, as the section and key names the menu uses are ASCII.
bool EqualNoCase(std::string_view a, std::string_view b);
std::string Trim(std::string_view s);

}  // namespace vindrel::cdcheck
