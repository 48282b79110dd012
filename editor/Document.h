// The catalogue being edited: the demos in the order the menu reads them ([Spil1] to [Spil30]),
// their keys, the CD's edition and year, and the changes to the list (add, remove, duplicate,
// move), all made on the file's own lines. Plain C++, tested without the platform.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/IniText.h"

namespace vindrel::editor {

inline constexpr int kMostDemos = 30;

// The keys of a demo the menu reads, in the form's order.
inline constexpr const char* kDemoKeys[] = {"Titel",  "KortTitel", "Setup",     "Kategori", "CPU",   "Ram",  "HD",
                                            "Folder", "Uninstall", "Dansk",     "Svensk",   "Norsk", "Finsk"};
bool IsDemoKey(std::string_view key);

class Document {
public:
    Document() = default;
    explicit Document(std::string_view bytes) : ini_(IniText::Parse(bytes)) {}
    std::string Bytes() const { return ini_.Bytes(); }
    const IniText& Ini() const { return ini_; }

    // The demos the menu reads, by section number: the first [SpilN] of each N from 1 to 30.
    const std::vector<IniSection>& Demos() const;
    int Count() const { return static_cast<int>(Demos().size()); }

    std::string Value(int demo, std::string_view key) const;  // empty when missing
    bool Has(int demo, std::string_view key) const;
    void SetValue(int demo, std::string_view key, std::string_view value);
    // The demo's keys the menu does not read, as written.
    std::vector<IniText::Entry> UnknownKeys(int demo) const;
    int SectionNumber(int demo) const;

    std::string Cd(std::string_view key) const;
    void SetCd(std::string_view key, std::string_view value);

    // Each gives the position of the demo to show after it, or -1 when it cannot be done (the
    // thirtieth demo is the last the menu reads). After a change of the list, the demos are
    // numbered Spil1, Spil2 ... in their new order: only headers whose number changes are touched.
    int Add();
    int Duplicate(int demo);
    int Remove(int demo);
    int Move(int demo, int by);

private:
    void Renumber(std::vector<size_t> headers);
    IniText ini_;
    // Found again after each change: the pages read every demo's keys at each keystroke.
    mutable std::optional<std::vector<IniSection>> demos_;
};

}  // namespace vindrel::editor
