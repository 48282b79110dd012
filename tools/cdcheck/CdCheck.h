// Checks a CD folder for what the menu would silently swallow: demos it never lists, values it
// replaces by defaults, files it cannot find, pictures it cannot show, texts that need scrolling.
//
// Errors are faults a reader of the CD would meet: a demo missing from every page, a default
// shown instead of the producer's value, a setup or screenshot that is not there, a text shown
// in the wrong language or cut, an entry the menu never reads. Warnings are things that work but
// may not be meant: a demo reachable from the index only, a description that needs the arrows,
// a caption cut at the button's edge, an installation the menu cannot record.
#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/Rulebook.h"

namespace vindrel::cdcheck {

// Notes say where the estimates and the menu's exact proof disagree; they change no exit status.
enum class Severity { Error, Warning, Note };

struct Finding {
    Severity severity;
    std::string where;  // "Spil3", "Spil.INI line 12", "CD"
    std::string text;   // plain English; catalogue texts in it are Windows-1252 as on the CD
};

struct CheckInput {
    std::filesystem::path ini;   // the catalogue, Spil.INI
    std::filesystem::path root;  // the CD's root: where paths beginning with "\" start
};

// With edition given, it receives the edition and year the menu will use.
std::vector<Finding> CheckCd(const CheckInput& input, CdEdition* edition = nullptr);

// The files the menu's proof of the CD draws from: the catalogue, the menu, the fonts, each demo's
// screenshot; those that are there.
std::vector<std::filesystem::path> FilesTheProofDraws(const CheckInput& input);

// A demo as the check reads the catalogue for the menu's pages: its section, titles and category
// (0 Action ... 5 Junior).
struct DemoAsRead {
    int section;
    std::string title, shortTitle;
    int category;
};
// The demos the menu lists, in its order, from the catalogue's bytes.
std::vector<DemoAsRead> DemosAsRead(std::string_view catalogue);

// Finds a file under a folder by a Windows path ("Demos\\X\\Setup.exe"), each part compared
// without regard to case, as the CD's file system does. Empty when there is no such file.
std::filesystem::path FindNoCase(const std::filesystem::path& base, const std::string& windowsPath);

}  // namespace vindrel::cdcheck
