// The CD check's findings for the catalogue as it stands in the editor, each put at the field it
// concerns with how to mend it. The check reads a copy of the editor's lines, with the CD
// folder as its root, so that what it says is what it would say of the file once saved.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "tools/cdcheck/CdCheck.h"

namespace vindrel::editor {

class Document;

struct FieldFinding {
    cdcheck::Severity severity;
    int section = 0;    // n of [Spiln], 0 for the CD or the file as a whole
    std::string field;  // "Kategori", "Udgave"; empty when no one field is meant
    std::string text;
    std::string mend;   // how to mend it, in a few words
};

// The key a finding's text speaks of: the first of the catalogue's keys named in it as a word.
std::string FieldOf(const std::string& text);

// Runs the check on a copy of the document in scratch (a folder of the editor's own), with the
// CD folder as root; an empty root checks the catalogue alone against the current folder.
std::vector<FieldFinding> CheckDocument(const Document& doc, const std::filesystem::path& scratch,
                                        const std::filesystem::path& root, CdEdition* edition = nullptr);

}  // namespace vindrel::editor
