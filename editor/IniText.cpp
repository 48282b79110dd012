#include "editor/IniText.h"

#include <algorithm>

namespace vindrel::editor {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The name of a header line ("[Spil2]", "  [Spil2] ; note"), or nothing for any other line.
std::optional<std::string> HeaderName(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    const size_t close = t.rfind(']');
    const std::string_view name = close == std::string_view::npos ? t.substr(1) : t.substr(1, close - 1);
    return std::string(Trim(name));
}

// Code points 0x80 to 0x9F of Windows-1252; 0 where the code page has none.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string Utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (fold(static_cast<unsigned char>(a[i])) != fold(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

std::optional<KeyValue> SplitKeyLine(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[') return std::nullopt;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    size_t start = equals + 1;
    while (start < line.size() && IsBlank(line[start])) ++start;
    return KeyValue{std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1))), start};
}

IniText IniText::Parse(std::string_view bytes) {
    IniText ini;
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t stop = bytes.find_first_of("\r\n", at);
        if (stop == std::string_view::npos) {
            ini.lines_.push_back({std::string(bytes.substr(at)), ""});
            break;
        }
        size_t next = stop + 1;
        if (bytes[stop] == '\r' && next < bytes.size() && bytes[next] == '\n') ++next;
        ini.lines_.push_back({std::string(bytes.substr(at, stop - at)), std::string(bytes.substr(stop, next - stop))});
        at = next;
    }
    return ini;
}

std::string IniText::Bytes() const {
    std::string out;
    for (const IniLine& l : lines_) out += l.text + l.end;
    return out;
}

std::string IniText::UsualEnd() const {
    size_t crlf = 0, lf = 0, cr = 0;
    for (const IniLine& l : lines_) {
        crlf += l.end == "\r\n";
        lf += l.end == "\n";
        cr += l.end == "\r";
    }
    if (lf > crlf && lf >= cr) return "\n";
    if (cr > crlf && cr > lf) return "\r";
    return "\r\n";
}

std::vector<IniSection> IniText::Sections() const {
    std::vector<IniSection> sections;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = HeaderName(lines_[i].text);
        if (!name) continue;
        if (!sections.empty()) sections.back().end = i;
        sections.push_back({*name, i, lines_.size()});
    }
    return sections;
}

std::optional<IniSection> IniText::Find(std::string_view section) const {
    for (const IniSection& s : Sections())
        if (SameName(s.name, section)) return s;
    return std::nullopt;
}

std::optional<size_t> IniText::KeyLine(const IniSection& section, std::string_view key) const {
    for (size_t i = section.header + 1; i < section.end && i < lines_.size(); ++i) {
        const auto kv = SplitKeyLine(lines_[i].text);
        if (kv && SameName(kv->key, key)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniText::Get(std::string_view section, std::string_view key) const {
    const auto s = Find(section);
    if (!s) return std::nullopt;
    const auto line = KeyLine(*s, key);
    if (!line) return std::nullopt;
    return SplitKeyLine(lines_[*line].text)->value;
}

std::vector<IniText::Entry> IniText::Entries(const IniSection& section) const {
    std::vector<Entry> entries;
    for (size_t i = section.header + 1; i < section.end && i < lines_.size(); ++i) {
        auto kv = SplitKeyLine(lines_[i].text);
        if (!kv) continue;
        const bool seen = std::any_of(entries.begin(), entries.end(), [&](const Entry& e) { return SameName(e.key, kv->key); });
        if (!seen) entries.push_back({kv->key, kv->value, i});
    }
    return entries;
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
    auto s = Find(section);
    if (!s) {
        // A new section goes at the end, after a blank line; the last line gets its end first.
        if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = UsualEnd();
        std::vector<std::string> texts;
        if (!lines_.empty() && !Trim(lines_.back().text).empty()) texts.push_back("");
        texts.push_back("[" + std::string(section) + "]");
        InsertLines(lines_.size(), texts);
        s = Find(section);
    }
    if (const auto line = KeyLine(*s, key)) {
        IniLine& l = lines_[*line];
        const auto kv = SplitKeyLine(l.text);
        if (kv->value == value) return;
        // What stands after the value (blanks) goes with the old value.
        l.text = l.text.substr(0, kv->valueStart) + std::string(value);
        return;
    }
    size_t after = s->header;
    for (size_t i = s->header + 1; i < s->end; ++i)
        if (!Trim(lines_[i].text).empty()) after = i;
    if (lines_[after].end.empty()) lines_[after].end = UsualEnd();
    InsertLines(after + 1, {std::string(key) + "=" + std::string(value)});
}

void IniText::RenameSection(size_t header, std::string_view name) {
    std::string& text = lines_[header].text;
    const size_t open = text.find('[');
    const size_t close = text.rfind(']');
    text = text.substr(0, open + 1) + std::string(name) + (close == std::string::npos ? "" : text.substr(close));
}

void IniText::RemoveSection(const IniSection& section) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(section.header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(section.end));
}

void IniText::InsertLines(size_t at, const std::vector<std::string>& texts) {
    const std::string end = UsualEnd();
    // Lines put in at the end follow a last line that had no end of its own.
    if (at == lines_.size() && !lines_.empty() && lines_.back().end.empty()) lines_.back().end = end;
    std::vector<IniLine> added;
    for (const std::string& t : texts) added.push_back({t, end});
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
}

std::vector<std::string> IniText::SectionTexts(const IniSection& section) const {
    std::vector<std::string> texts;
    for (size_t i = section.header; i < section.end; ++i) texts.push_back(lines_[i].text);
    return texts;
}

Cp1252Result ToCp1252(std::u16string_view text) {
    Cp1252Result r;
    size_t position = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        ++position;
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            r.text += static_cast<char>(c);
            continue;
        }
        const auto* hit = c > 0 && c < 0x10000 ? std::find(kHigh, kHigh + 32, static_cast<char16_t>(c)) : kHigh + 32;
        if (hit != kHigh + 32) {
            r.text += static_cast<char>(0x80 + (hit - kHigh));
            continue;
        }
        r.ok = false;
        r.badLetter = Utf8(c);
        r.position = position;
        return r;
    }
    return r;
}

std::u16string FromCp1252(std::string_view text) {
    std::u16string out;
    for (char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        out += b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] ? kHigh[b - 0x80] : static_cast<char16_t>(b);
    }
    return out;
}

}  // namespace vindrel::editor
