#include "ProofCompare.h"

#include <fstream>
#include <set>
#include <sstream>
#include <tuple>

namespace vindrel::cdcheck {
namespace {

const char* const kLanguageNames[] = {"Danish", "Swedish", "Norwegian", "Finnish"};
const char* const kButtonPages[] = {"category", "index"};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// "Danish" from a text that speaks of "the Danish description"; empty when it names none.
std::string DescriptionLanguage(const std::string& text) {
    for (const char* name : kLanguageNames)
        if (Has(text, std::string("the ") + name + " description")) return name;
    return {};
}

// The first whole number after marker in text, as written; empty when there is none.
std::string NumberAfter(const std::string& text, const std::string& marker) {
    const size_t at = text.find(marker);
    if (at == std::string::npos) return {};
    size_t from = at + marker.size(), to = from;
    while (to < text.size() && text[to] >= '0' && text[to] <= '9') ++to;
    return text.substr(from, to - from);
}

using Point = std::tuple<std::string, std::string>;  // where, what (a language or a page)

}  // namespace

std::optional<std::vector<ProofLine>> ReadProof(const std::filesystem::path& folderOrFile) {
    std::error_code ec;
    const auto file = std::filesystem::is_directory(folderOrFile, ec) ? folderOrFile / "findings.txt" : folderOrFile;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<ProofLine> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t a = line.find(": "), b = a == std::string::npos ? a : line.find(": ", a + 2),
                     c = b == std::string::npos ? b : line.find(": ", b + 2);
        if (c == std::string::npos) continue;  // the summary line, or no finding
        lines.push_back({line.substr(0, a), line.substr(a + 2, b - a - 2), line.substr(b + 2, c - b - 2), line.substr(c + 2)});
    }
    return lines;
}

std::string ProofUnusable(const std::filesystem::path& folder, const std::vector<std::filesystem::path>& drawn) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path findings = folder / "findings.txt";
    std::ifstream in(findings, std::ios::binary);
    if (!in) return "holds no findings.txt";
    std::string line, last;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) last = line;
    }
    if (last.rfind("proof failed: ", 0) == 0) return "is of a proof that failed (" + last.substr(14) + ")";
    if (last.rfind("proof: ", 0) != 0 || !Has(last, " pages, ")) return "is incomplete: its findings.txt does not end with the count of pages";
    if (!fs::is_regular_file(folder / "index.html", ec)) return "is incomplete: it has no index.html";
    const auto made = fs::last_write_time(findings, ec);
    if (ec) return "cannot be dated";
    for (const fs::path& file : drawn) {
        const auto changed = fs::last_write_time(file, ec);
        if (!ec && changed > made) return "is older than " + file.filename().string() + " on the CD";
    }
    return {};
}

std::vector<Finding> CompareWithProof(const std::vector<Finding>& estimate, const std::vector<ProofLine>& proof) {
    std::vector<Finding> out;
    // What each side says, as points of (section, language) and (section, page).
    std::set<Point> estimatedScrolls, estimatedCuts, provenScrolls, provenCuts, hidden;
    std::set<std::string> estimatedTitles, provenTitles;  // titles of more than the heading's two lines
    for (const Finding& f : estimate) {
        if (f.severity != Severity::Warning) continue;
        const std::string language = DescriptionLanguage(f.text);
        if (!language.empty() && Has(f.text, "needs about")) estimatedScrolls.insert({f.where, language});
        if (f.text.rfind("the title ", 0) == 0 && Has(f.text, "needs about")) estimatedTitles.insert(f.where);
        if (Has(f.text, "the short title") && Has(f.text, "on the category page's buttons")) {
            estimatedCuts.insert({f.where, "category"});
            estimatedCuts.insert({f.where, "index"});
        } else if (Has(f.text, "the short title") && Has(f.text, "on the index page's rows")) {
            estimatedCuts.insert({f.where, "index"});
        }
    }
    for (const ProofLine& p : proof) {
        if (p.kind == "cut off")
            out.push_back({Severity::Error, p.where,
                           p.text + " (the menu's proof, " + (p.language == "all" ? "every language" : p.language) + ")"});
        if (p.kind == "scrolls") provenScrolls.insert({p.where, DescriptionLanguage(p.text)});
        if (p.kind == "cut off" && p.text.rfind("the title ", 0) == 0) provenTitles.insert(p.where);
        if (p.kind == "hidden") hidden.insert({p.where, "category"});
        for (const char* page : kButtonPages)
            if (p.kind == "cut off" && Has(p.text, "the short title") && Has(p.text, std::string("on the ") + page + " page"))
                provenCuts.insert({p.where, page});
    }
    auto lines = [&](const std::string& where, const std::string& language) {
        for (const ProofLine& p : proof)
            if (p.kind == "scrolls" && p.where == where && DescriptionLanguage(p.text) == language)
                return NumberAfter(p.text, "description has ");
        return std::string();
    };
    for (const auto& [where, language] : estimatedScrolls)
        if (!provenScrolls.count({where, language}))
            out.push_back({Severity::Note, where, "the estimate says the " + language +
                                                      " description scrolls, but the menu's proof fits it on one screen"});
    for (const auto& [where, language] : provenScrolls)
        if (!estimatedScrolls.count({where, language}))
            out.push_back({Severity::Note, where, "the menu's proof finds " + lines(where, language) + " lines in the " +
                                                      language + " description, so it scrolls; the estimate did not say so"});
    for (const auto& [where, page] : estimatedCuts)
        if (!provenCuts.count({where, page}) && !hidden.count({where, page}))
            out.push_back({Severity::Note, where, "the estimate says the short title is cut off on the " + page +
                                                      " page, but the menu's proof shows it whole"});
    for (const auto& [where, page] : provenCuts)
        if (!estimatedCuts.count({where, page}))
            out.push_back({Severity::Note, where, "the menu's proof finds the short title cut off on the " + page +
                                                      " page; the estimate did not say so"});
    for (const std::string& where : estimatedTitles)
        if (!provenTitles.count(where))
            out.push_back({Severity::Note, where, "the estimate says the title takes more than the heading's two lines, "
                                                  "but the menu's proof fits it in two"});
    for (const std::string& where : provenTitles)
        if (!estimatedTitles.count(where))
            out.push_back({Severity::Note, where, "the menu's proof finds the title longer than the heading's two lines; "
                                                  "the estimate did not say so"});
    return out;
}

}  // namespace vindrel::cdcheck
