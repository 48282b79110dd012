#include "editor/Document.h"

#include <algorithm>
#include <map>

namespace vindrel::editor {
namespace {

// N of a section name "SpilN" as the menu asks for it (1 to 30, no leading zero); 0 otherwise.
int SpilNumber(std::string_view name) {
    if (name.size() < 5 || name.size() > 6 || !SameName(name.substr(0, 4), "Spil") || name[4] == '0') return 0;
    int n = 0;
    for (char c : name.substr(4)) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
    }
    return n <= kMostDemos ? n : 0;
}

std::string SpilName(int n) { return "Spil" + std::to_string(n); }

}  // namespace

bool IsDemoKey(std::string_view key) {
    return std::any_of(std::begin(kDemoKeys), std::end(kDemoKeys), [&](const char* k) { return SameName(k, key); });
}

const std::vector<IniSection>& Document::Demos() const {
    if (demos_) return *demos_;
    std::map<int, IniSection> first;
    for (const IniSection& s : ini_.Sections())
        if (const int n = SpilNumber(s.name)) first.emplace(n, s);
    std::vector<IniSection> demos;
    for (const auto& [n, s] : first) demos.push_back(s);
    demos_ = std::move(demos);
    return *demos_;
}

int Document::SectionNumber(int demo) const { return SpilNumber(Demos().at(static_cast<size_t>(demo)).name); }

std::string Document::Value(int demo, std::string_view key) const {
    const IniSection s = Demos().at(static_cast<size_t>(demo));
    const auto line = ini_.KeyLine(s, key);
    return line ? SplitKeyLine(ini_.Lines()[*line].text)->value : std::string();
}

bool Document::Has(int demo, std::string_view key) const {
    return ini_.KeyLine(Demos().at(static_cast<size_t>(demo)), key).has_value();
}

void Document::SetValue(int demo, std::string_view key, std::string_view value) {
    const IniSection s = Demos().at(static_cast<size_t>(demo));
    // A field left empty for a key the file does not have adds nothing: the menu's default stays.
    if (value.empty() && !ini_.KeyLine(s, key)) return;
    // The first section of that name is the demo; Set finds it by name.
    ini_.Set(s.name, key, value);
    demos_.reset();
}

std::vector<IniText::Entry> Document::UnknownKeys(int demo) const {
    std::vector<IniText::Entry> unknown;
    for (auto& e : ini_.Entries(Demos().at(static_cast<size_t>(demo))))
        if (!IsDemoKey(e.key)) unknown.push_back(e);
    return unknown;
}

std::string Document::Cd(std::string_view key) const { return ini_.Get("CD", key).value_or(""); }

void Document::SetCd(std::string_view key, std::string_view value) {
    if (value.empty() && !ini_.Get("CD", key)) return;
    ini_.Set("CD", key, value);
    demos_.reset();
}

void Document::Renumber(std::vector<size_t> headers) {
    demos_.reset();
    // Only a header whose number changes is written.
    const auto sections = ini_.Sections();
    for (size_t i = 0; i < headers.size(); ++i)
        for (const IniSection& s : sections)
            if (s.header == headers[i] && SpilNumber(s.name) != static_cast<int>(i) + 1)
                ini_.RenameSection(s.header, SpilName(static_cast<int>(i) + 1));
}

int Document::Add() {
    const auto demos = Demos();
    if (demos.size() >= kMostDemos) return -1;
    std::vector<size_t> order;
    for (const IniSection& s : demos) order.push_back(s.header);
    Renumber(order);
    // The new demo goes after the last one in the file, or at the end.
    size_t at = ini_.LineCount();
    if (!demos.empty()) {
        at = 0;
        for (const IniSection& s : Demos()) at = std::max(at, s.end);
    }
    std::vector<std::string> texts;
    if (at > 0 && !ini_.Lines()[at - 1].text.empty()) texts.push_back("");
    texts.push_back("[" + SpilName(static_cast<int>(demos.size()) + 1) + "]");
    texts.push_back("Titel=New demo");
    texts.push_back("Kategori=Action");
    texts.push_back("");
    ini_.InsertLines(at, texts);
    demos_.reset();
    return static_cast<int>(demos.size());
}

int Document::Duplicate(int demo) {
    const auto demos = Demos();
    if (demos.size() >= kMostDemos) return -1;
    const IniSection& s = demos.at(static_cast<size_t>(demo));
    std::vector<std::string> texts = ini_.SectionTexts(s);
    // Numbered past the thirty until renumbered: the copy is found by its line, not its name.
    texts.front() = "[" + SpilName(kMostDemos + 1) + "]";
    // A section that ends without a blank line is parted from its copy by one.
    size_t header = s.end;
    if (!texts.back().empty()) {
        texts.insert(texts.begin(), "");
        ++header;
    }
    ini_.InsertLines(s.end, texts);
    demos_.reset();
    std::vector<size_t> order;
    for (const IniSection& d : Demos()) order.push_back(d.header);
    order.insert(order.begin() + demo + 1, header);
    Renumber(order);
    return demo + 1;
}

int Document::Remove(int demo) {
    const auto demos = Demos();
    if (demo < 0 || demo >= static_cast<int>(demos.size())) return -1;
    ini_.RemoveSection(demos[static_cast<size_t>(demo)]);
    demos_.reset();
    std::vector<size_t> order;
    for (const IniSection& d : Demos()) order.push_back(d.header);
    Renumber(order);
    return std::min(demo, static_cast<int>(order.size()) - 1);
}

int Document::Move(int demo, int by) {
    const auto demos = Demos();
    const int to = demo + by;
    if (demo < 0 || to < 0 || to >= static_cast<int>(demos.size())) return -1;
    std::vector<size_t> order;
    for (const IniSection& d : demos) order.push_back(d.header);
    std::swap(order[static_cast<size_t>(demo)], order[static_cast<size_t>(to)]);
    Renumber(order);
    return to;
}

}  // namespace vindrel::editor
