// The catalogue as the producer's editor holds it: the file's own lines, byte for byte, with their
// own line ends. Reading a value reads it as the menu does (section and key names without regard
// to case, the first of a repeated section or key counts, blanks around a value trimmed); writing
// one changes that value's line only, so a file opened and saved unchanged is the same file.
// Plain C++ without platform calls: it is tested wherever the compiler runs.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vindrel::editor {

struct IniLine {
    std::string text;  // without its line end; Windows-1252 bytes as in the file
    std::string end;   // "\r\n", "\n", "\r" or "" (the last line of a file without one)
};

// One [section] of the file: its header line and the lines up to the next header.
struct IniSection {
    std::string name;  // between the brackets, trimmed
    size_t header = 0; // index of the header line
    size_t end = 0;    // index after its last line
};

class IniText {
public:
    IniText() = default;
    static IniText Parse(std::string_view bytes);
    std::string Bytes() const;

    const std::vector<IniLine>& Lines() const { return lines_; }
    std::vector<IniSection> Sections() const;
    // The first section of that name (any case), as the menu finds it.
    std::optional<IniSection> Find(std::string_view section) const;

    // The first line of the key in the section, or nothing.
    std::optional<size_t> KeyLine(const IniSection& section, std::string_view key) const;
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // Changes the value on the key's line, keeping the key's spelling and what stands before the
    // value; a missing key is added after the section's last line that is not blank, a missing
    // section at the end of the file. A value equal to the present one changes nothing.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // The keys of a section in file order, as written (the first of a repeated key only).
    struct Entry {
        std::string key;
        std::string value;
        size_t line;
    };
    std::vector<Entry> Entries(const IniSection& section) const;

    // Renames the section whose header is at that line, keeping the rest of the header line.
    void RenameSection(size_t header, std::string_view name);
    // Takes out the section's lines (its header to its end).
    void RemoveSection(const IniSection& section);
    // Puts lines of text in before line `at` (each ending as the file's lines end).
    void InsertLines(size_t at, const std::vector<std::string>& texts);
    // A copy of a section's lines, as text, for a duplicate.
    std::vector<std::string> SectionTexts(const IniSection& section) const;
    size_t LineCount() const { return lines_.size(); }

    // The line end the file mostly uses; "\r\n" for a new file.
    std::string UsualEnd() const;

private:
    std::vector<IniLine> lines_;
};

// The key and value of a line "key=value" (trimmed), or nothing for a header, comment or blank.
struct KeyValue {
    std::string key;
    std::string value;
    size_t valueStart;  // where the value begins in the line
};
std::optional<KeyValue> SplitKeyLine(std::string_view line);
bool SameName(std::string_view a, std::string_view b);  // ASCII case folded, as the platform's reader

// Windows-1252 from the editor's UTF-16 text. A character the code page lacks makes it fail with
// that character (as UTF-8, for the message) and its position, counted from 1.
struct Cp1252Result {
    std::string text;
    bool ok = true;
    std::string badLetter;  // UTF-8
    size_t position = 0;    // 1-based, in characters
};
Cp1252Result ToCp1252(std::u16string_view text);
std::u16string FromCp1252(std::string_view text);

}  // namespace vindrel::editor
