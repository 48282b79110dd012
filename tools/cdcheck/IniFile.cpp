#include "IniFile.h"

namespace vindrel::cdcheck {
namespace {

// The blanks the platform's reader trims from a line's ends and around '=': the ASCII spaces and
// ^Z, the old end-of-file mark that some CD tools leave behind.
bool IsLineBlank(char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == ' '; }
// The blanks the menu itself trims from each "key=value" line it is handed.
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view TrimWith(std::string_view s, bool (*blank)(char)) {
    size_t from = 0, to = s.size();
    while (from < to && blank(s[from])) ++from;
    while (to > from && blank(s[to - 1])) --to;
    return s.substr(from, to - from);
}

// The platform hands names and values on as C strings: a NUL byte ends them.
std::string_view UpToNul(std::string_view s, bool& cut) {
    const size_t nul = s.find('\0');
    cut = cut || nul != std::string_view::npos;
    return nul == std::string_view::npos ? s : s.substr(0, nul);
}

// The platform hands a quoted value back without its quotes when both ends carry the same one.
std::string Unquote(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::string Trim(std::string_view s) { return std::string(TrimWith(s, IsLineBlank)); }

IniFile IniFile::Parse(std::string_view bytes) {
    // Read as the platform's reader reads it: a line ends at CR or LF, and any run of them is one
    // break (CR LF, LF and CR alone alike); a section line is '[' up to the first ']', its name
    // trimmed; a "[" line without ']' is an ordinary line of the section before it.
    IniFile file;
    int number = 1;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        const std::string_view line = TrimWith(bytes.substr(pos, end - pos), IsLineBlank);
        const int at = number;
        pos = end;
        while (pos < bytes.size() && (bytes[pos] == '\r' || bytes[pos] == '\n')) {
            // CR LF counts as one line for the producer's editor; lone CRs and LFs each as one.
            if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') ++pos;
            ++pos;
            ++number;
        }
        if (line.empty()) continue;

        const size_t close = line[0] == '[' ? line.find(']') : std::string_view::npos;
        if (close != std::string_view::npos) {
            bool nul = false;
            const std::string_view name = TrimWith(UpToNul(TrimWith(line.substr(1, close - 1), IsLineBlank), nul), IsLineBlank);
            file.sections_.push_back({std::string(name), at, {}, nul});
            continue;
        }
        if (line[0] == ';') continue;  // a comment, which the platform never hands on
        // A "[" line without ']' is a key no one asks for, of the section before it.
        if (line[0] == '[' || file.sections_.empty()) {
            file.stray_.push_back({at, std::string(line), line[0] == '['});
            continue;
        }
        IniEntry entry;
        entry.line = at;
        const size_t equals = line.find('=');
        bool nul = false;
        if (equals == std::string_view::npos) {
            entry.key = std::string(TrimWith(UpToNul(line, nul), IsBlank));
            entry.hasEquals = false;
        } else {
            entry.key = std::string(TrimWith(UpToNul(TrimWith(line.substr(0, equals), IsLineBlank), nul), IsBlank));
            entry.value = Unquote(std::string(
                TrimWith(UpToNul(TrimWith(line.substr(equals + 1), IsLineBlank), nul), IsBlank)));
        }
        entry.nulCut = nul;
        entry.fullLength = entry.value.size();
        if (entry.value.size() > kIniValueLimit) entry.value.resize(kIniValueLimit);
        file.sections_.back().entries.push_back(std::move(entry));
    }
    return file;
}

const IniSection* IniFile::Find(std::string_view section) const {
    for (const IniSection& s : sections_)
        if (EqualNoCase(s.name, section)) return &s;
    return nullptr;
}

const IniEntry* IniFile::FindEntry(std::string_view section, std::string_view key) const {
    const IniSection* s = Find(section);
    if (!s) return nullptr;
    for (const IniEntry& e : s->entries)
        if (EqualNoCase(e.key, key)) return &e;
    return nullptr;
}

}  // namespace vindrel::cdcheck
