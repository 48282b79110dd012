#include "IniFile.h"

namespace vindrel::cdcheck {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

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

std::string Trim(std::string_view s) {
    size_t from = 0, to = s.size();
    while (from < to && IsBlank(s[from])) ++from;
    while (to > from && IsBlank(s[to - 1])) --to;
    return std::string(s.substr(from, to - from));
}

IniFile IniFile::Parse(std::string_view bytes) {
    IniFile file;
    int number = 0;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string line = Trim(bytes.substr(pos, end - pos));
        pos = end + 1;
        ++number;
        if (line.empty() || line[0] == ';') continue;

        if (line[0] == '[') {
            const size_t close = line.find(']');
            if (close == std::string::npos) {
                file.stray_.push_back({number, line, true});
                continue;
            }
            file.sections_.push_back({Trim(std::string_view(line).substr(1, close - 1)), number, {}});
            continue;
        }
        if (file.sections_.empty()) {
            file.stray_.push_back({number, line, false});
            continue;
        }
        IniEntry entry;
        entry.line = number;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            entry.key = line;
            entry.hasEquals = false;
        } else {
            entry.key = Trim(std::string_view(line).substr(0, equals));
            entry.value = Unquote(Trim(std::string_view(line).substr(equals + 1)));
        }
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
