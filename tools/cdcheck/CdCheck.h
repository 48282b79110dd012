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

// What an estimate is about, for comparing it with the menu's proof.
enum class Topic {
    Other,
    TitleCut,  // a short title too wide for the rows of `pages`
    Heading,   // a title of more lines than the game page's heading shows
    Scrolls,   // a description of more lines than the game page shows, in `language`
};

struct Finding {
    Severity severity;
    std::string where;  // "Spil3", "Spil.INI line 12", "CD"
    std::string text;   // plain English; catalogue texts in it are Windows-1252 as on the CD
    Topic topic = Topic::Other;
    std::vector<std::string> pages = {};  // of a TitleCut: "index page", as TitleRow names them
    std::string language = {};            // of a Scrolls: the language code, "da"
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

// The demos of the catalogue's bytes as the menu makes them, by the menu's own rules
// (catalogue/Rulebook.h), in its order, with the description of `language`: the listed ones, or
// one for every section Spil1 .. Spil30 that is there.
std::vector<TSpilPost> DemosAsRead(std::string_view catalogue, const std::string& language = "da", bool listedOnly = true);
// The edition and year the menu takes from the catalogue's bytes.
CdEdition EditionAsRead(std::string_view catalogue);

// Finds a file under a folder by a Windows path ("Demos\\X\\Setup.exe"), each part compared
// without regard to case, as the CD's file system does. Empty when there is no such file.
std::filesystem::path FindNoCase(const std::filesystem::path& base, const std::string& windowsPath);

}  // namespace vindrel::cdcheck
