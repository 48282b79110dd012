#include "editor/Findings.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <utility>

#include "editor/Document.h"

namespace vindrel::editor {
namespace {

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// How to mend what the check found at a field, where its own words do not say it already.
std::string MendFor(const std::string& field, const std::string& text) {
    const bool tooLong = text.find("wide") != std::string::npos || text.find("lines") != std::string::npos ||
                         text.find("cut") != std::string::npos;
    if (field == "Kategori") return "choose one of the six from the list, spelt exactly so";
    if (field == "CPU" || field == "Ram" || field == "HD") return "write a whole number of at least 0, such as 32";
    if (field == "Setup") return "choose the setup program with \"...\"; put it and its Shot.bmp in the CD folder";
    if (field == "Titel" || field == "KortTitel") return tooLong ? "shorten it" : "write the title";
    if (field == "Dansk" || field == "Svensk" || field == "Norsk" || field == "Finsk")
        return tooLong || text.find("scroll") != std::string::npos ? "shorten it, or leave the reader the arrows"
                                                                    : "write the description";
    if (field == "Udgave") return "1 to 16 of A-Z, a-z, 0-9, space, - _ and ., such as 1101";
    if (field == "Aar") return "four digits, such as 2001";
    if (field == "Folder") return "the Start-menu group the demo's setup makes";
    if (field == "Uninstall") return "the demo's key under the system's Uninstall key";
    return {};
}

}  // namespace

std::string FieldOf(const std::string& text) {
    size_t best = std::string::npos;
    std::string field;
    auto consider = [&](const char* key) {
        const std::string k = key;
        for (size_t at = text.find(k); at != std::string::npos; at = text.find(k, at + 1)) {
            const bool alone = (at == 0 || !IsWordChar(text[at - 1])) &&
                               (at + k.size() >= text.size() || !IsWordChar(text[at + k.size()]));
            if (alone && at < best) {
                best = at;
                field = k;
            }
            if (alone) break;
        }
    };
    for (const char* key : kDemoKeys) consider(key);
    consider("Udgave");
    consider("Aar");
    // A description is named by its language.
    const std::pair<const char*, const char*> languages[] = {
        {"Danish", "Dansk"}, {"Swedish", "Svensk"}, {"Norwegian", "Norsk"}, {"Finnish", "Finsk"}};
    if (field.empty())
        for (const auto& [language, key] : languages)
            if (text.find(language) != std::string::npos) return key;
    // The screenshot lives beside the setup program; a finding about it is mended there.
    if (field.empty() && (text.find("screenshot") != std::string::npos || text.find("setup program") != std::string::npos))
        field = "Setup";
    return field;
}

std::vector<FieldFinding> CheckDocument(const Document& doc, const std::filesystem::path& scratch,
                                        const std::filesystem::path& root, CdEdition* edition) {
    std::error_code ignored;
    std::filesystem::create_directories(scratch, ignored);
    const std::filesystem::path copy = scratch / "Spil.INI";
    {
        std::ofstream out(copy, std::ios::binary | std::ios::trunc);
        const std::string bytes = doc.Bytes();
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<FieldFinding> found;
    for (const cdcheck::Finding& f : cdcheck::CheckCd({copy, root.empty() ? scratch : root}, edition)) {
        if (f.severity == cdcheck::Severity::Note) continue;
        FieldFinding ff{f.severity, 0, FieldOf(f.text), f.text, {}};
        if (f.where.rfind("Spil", 0) == 0 && f.where.size() > 4 && std::isdigit(static_cast<unsigned char>(f.where[4])))
            ff.section = std::atoi(f.where.c_str() + 4);
        else
            ff.text = f.where + ": " + f.text;  // the CD, the file's own line, autorun.inf, a category
        ff.mend = MendFor(ff.field, f.text);
        found.push_back(std::move(ff));
    }
    return found;
}

}  // namespace vindrel::editor
