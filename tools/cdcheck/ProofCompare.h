// The menu's own proof of a CD (VINDREL.EXE /proof FOLDER) read back from its findings.txt, and
// the points where the check's estimates and that exact proof disagree.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "CdCheck.h"

namespace vindrel::cdcheck {

// One line of the proof's list: "kind: language: where: place: text".
struct ProofLine {
    std::string kind;      // one of proof/FindingKinds.h
    std::string language;  // "da", "se", "no", "fi", or "all"
    std::string where;     // "Spil7", or a page of the menu
    std::string place;     // the page and row: "index page, row 3"
    std::string text;
    // The page of the place: "index page".
    std::string Page() const;
};

// The lines of FOLDER/findings.txt (or of the file itself); nothing when it cannot be read.
std::optional<std::vector<ProofLine>> ReadProof(const std::filesystem::path& folderOrFile);

// Why the proof in FOLDER cannot stand for the CD as it is now, or empty when it can: it is
// complete (its findings.txt ends with the count line, its index.html is there) and newer than
// every file it drew. A proof that crashed, filled the disk or was made before the last change
// to the CD never passes for one.
std::string ProofUnusable(const std::filesystem::path& folder, const std::vector<std::filesystem::path>& drawn);

// The proof's cut-off texts as errors (the proof measured them exactly), and a note wherever the
// estimate warned of a description that scrolls, a short title too wide for its buttons or a
// title of more than the heading's two lines and the proof did not find it, or the other way round.
std::vector<Finding> CompareWithProof(const std::vector<Finding>& estimate, const std::vector<ProofLine>& proof);

}  // namespace vindrel::cdcheck
