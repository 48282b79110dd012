#include "ProofCompare.h"

#include <fstream>
#include <map>
#include <set>
#include <tuple>

#include "proof/FindingKinds.h"

namespace vindrel::cdcheck {
namespace {

using Point = std::tuple<std::string, std::string>;  // where, what (a language or a page)

// "Danish" for "da"; the code itself for any other.
std::string LanguageName(const std::string& code) {
    const auto key = DescriptionKeyFor(code);
    return key ? key->language : code;
}

}  // namespace

std::string ProofLine::Page() const { return place.substr(0, place.find(proofkind::kRowSeparator)); }

std::optional<std::vector<ProofLine>> ReadProof(const std::filesystem::path& folderOrFile) {
    std::error_code ec;
    const auto file = std::filesystem::is_directory(folderOrFile, ec) ? folderOrFile / "findings.txt" : folderOrFile;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<ProofLine> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // Four separators: the fields before the text hold none.
        size_t at[4];
        size_t from = 0;
        bool whole = true;
        for (size_t& a : at) {
            a = line.find(": ", from);
            if (a == std::string::npos) {
                whole = false;
                break;
            }
            from = a + 2;
        }
        if (!whole) continue;  // the summary line, or no finding
        lines.push_back({line.substr(0, at[0]), line.substr(at[0] + 2, at[1] - at[0] - 2),
                         line.substr(at[1] + 2, at[2] - at[1] - 2), line.substr(at[2] + 2, at[3] - at[2] - 2),
                         line.substr(at[3] + 2)});
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
    if (last.rfind("proof: ", 0) != 0 || last.find(" pages, ") == std::string::npos) return "is incomplete: its findings.txt does not end with the count of pages";
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
        if (f.topic == Topic::Scrolls) estimatedScrolls.insert({f.where, f.language});
        if (f.topic == Topic::Heading) estimatedTitles.insert(f.where);
        if (f.topic == Topic::TitleCut)
            for (const std::string& page : f.pages) estimatedCuts.insert({f.where, page});
    }
    std::map<Point, std::string> scrollTexts;
    for (const ProofLine& p : proof) {
        const bool cut = p.kind == proofkind::kTitleCut || p.kind == proofkind::kHeading || p.kind == proofkind::kTextCut;
        if (cut)
            out.push_back({Severity::Error, p.where,
                           p.text + " (the menu's proof, " + (p.language == "all" ? "every language" : p.language) + ")"});
        if (p.kind == proofkind::kScrolls) {
            provenScrolls.insert({p.where, p.language});
            scrollTexts[{p.where, p.language}] = p.text;
        }
        if (p.kind == proofkind::kHeading) provenTitles.insert(p.where);
        if (p.kind == proofkind::kHidden) hidden.insert({p.where, p.Page()});
        if (p.kind == proofkind::kTitleCut) provenCuts.insert({p.where, p.Page()});
    }
    for (const auto& [where, language] : estimatedScrolls)
        if (!provenScrolls.count({where, language}))
            out.push_back({Severity::Note, where, "the estimate says the " + LanguageName(language) +
                                                      " description scrolls, but the menu's proof fits it on one screen"});
    for (const auto& [where, language] : provenScrolls)
        if (!estimatedScrolls.count({where, language}))
            out.push_back({Severity::Note, where, "the menu's proof finds that " + scrollTexts[{where, language}] +
                                                      "; the estimate did not say so"});
    for (const auto& [where, page] : estimatedCuts)
        if (!provenCuts.count({where, page}) && !hidden.count({where, page}))
            out.push_back({Severity::Note, where, "the estimate says the short title is cut off on the " + page +
                                                      ", but the menu's proof shows it whole"});
    for (const auto& [where, page] : provenCuts)
        if (!estimatedCuts.count({where, page}))
            out.push_back({Severity::Note, where, "the menu's proof finds the short title cut off on the " + page +
                                                      "; the estimate did not say so"});
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
