// cdcheck: checks a CD folder before it is burnt, and says in plain words what the menu would
// silently swallow. Exit status: 0 no errors (warnings allowed), 1 errors found (or warnings,
// with --werror), 2 the check could not run.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "CdCheck.h"
#include "IniFile.h"
#include "MakeShot.h"
#include "ProofCompare.h"

#ifdef _WIN32
#include <windows.h>
#include <process.h>
#include <io.h>
#endif

namespace {

namespace fs = std::filesystem;
using namespace vindrel::cdcheck;
using vindrel::CdEdition;

constexpr const char* kUsage =
    "usage: cdcheck [--root DIR] [--werror] [--proof DIR [--proof-state]] PATH\n"
    "       cdcheck --edition PATH\n"
    "       cdcheck --make-shot PICTURE SHOT\n"
    "  PATH         the CD's folder (holding Spil.INI), or the catalogue file itself\n"
    "  --root DIR   the CD's root, where paths beginning with \"\\\" start (default: the catalogue's folder)\n"
    "  --werror     count warnings as errors\n"
    "  --proof DIR  compare with the menu's exact proof in DIR (VINDREL.EXE /proof DIR); on Windows\n"
    "               the check runs the CD's VINDREL.EXE to make it when DIR holds none, an\n"
    "               incomplete one or one older than the CD's files\n"
    "  --proof-state only say whether the proof in DIR can be used: exit 0 it can, 1 it cannot\n"
    "  --edition    print only the edition the menu takes from the catalogue (for the CD's label)\n"
    "  --make-shot  make a Shot.bmp the game page shows from a bitmap, PNG or JPEG picture: scaled\n"
    "               down to fit 316 x 236, transparency drawn over the page's background colour\n"
    "Exit status: 0 no errors, 1 errors found, 2 the check could not run.\n";

// The catalogue's texts are Windows-1252; a terminal here reads UTF-8.
std::string ForDisplay(const std::string& text) {
#ifdef _WIN32
    return text;  // see Print
#else
    return vindrel::Utf8From1252(text);
#endif
}

// Writes a line of Windows-1252 text. On Windows a console is given it in its own letters (a
// Danish console's code page 850 would show Windows-1252 bytes as other letters); a file or a
// pipe gets the Windows-1252 bytes.
void Print(std::FILE* to, const std::string& text) {
#ifdef _WIN32
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(to)));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        const int length = MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(static_cast<size_t>(length), L'\0');
        MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
        std::fflush(to);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
#endif
    std::fputs(text.c_str(), to);
}

#ifdef _WIN32
// Runs the CD's own menu in its proof mode from the CD's root; false, and why, when it made no proof.
bool RunMenuProof(const fs::path& root, const fs::path& folder, std::string& why) {
    std::error_code ec;
    const fs::path menu = FindNoCase(root, "VINDREL.EXE");
    why = "there is no VINDREL.EXE on the CD to make it";
    if (menu.empty()) return false;
    const fs::path absolute = fs::absolute(folder, ec);
    const fs::path previous = fs::current_path(ec);
    fs::current_path(root, ec);
    if (ec) return false;
    // The runtime joins the arguments with blanks, so each one is quoted here.
    const std::string program = menu.string(), target = "\"" + absolute.string() + "\"";
    const intptr_t status = _spawnl(_P_WAIT, program.c_str(), ("\"" + program + "\"").c_str(), "/proof", target.c_str(), nullptr);
    fs::current_path(previous, ec);
    why = "the menu's proof ended with status " + std::to_string(status);
    return status == 0 || status == 1;  // 2, -1 or a crash: no proof was written
}
#endif

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--make-shot") == 0) {
        if (argc != 4) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        const MadeShot made = MakeShot(argv[2], argv[3]);
        if (!made.problem.empty()) {
            std::fprintf(stderr, "cdcheck: no screenshot made of %s: %s\n", argv[2], made.problem.c_str());
            return 1;
        }
        std::printf("cdcheck: %s made of %s: %d x %d pixels%s\n", argv[3], argv[2], made.width, made.height,
                    made.width == made.fromWidth && made.height == made.fromHeight
                        ? ""
                        : (" (scaled down from " + std::to_string(made.fromWidth) + " x " + std::to_string(made.fromHeight) + ")").c_str());
        return 0;
    }
    fs::path path, root, proof;
    bool werror = false, proofState = false, editionOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--root") == 0 && i + 1 < argc) {
            root = argv[++i];
        } else if (std::strcmp(argv[i], "--proof") == 0 && i + 1 < argc) {
            proof = argv[++i];
        } else if (std::strcmp(argv[i], "--proof-state") == 0) {
            proofState = true;
        } else if (std::strcmp(argv[i], "--werror") == 0) {
            werror = true;
        } else if (std::strcmp(argv[i], "--edition") == 0) {
            editionOnly = true;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (argv[i][0] == '-' || !path.empty()) {
            std::fputs(kUsage, stderr);
            return 2;
        } else {
            path = argv[i];
        }
    }
    if (path.empty() || (proofState && proof.empty())) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        std::fprintf(stderr, "cdcheck: %s does not exist\n", path.string().c_str());
        return 2;
    }

    CheckInput input;
    if (fs::is_directory(path, ec)) {
        input.ini = FindNoCase(path, "Spil.INI");
        if (input.ini.empty()) input.ini = path / "Spil.INI";
        input.root = root.empty() ? path : root;
    } else {
        input.ini = path;
        input.root = root.empty() ? path.parent_path() : root;
    }
    if (input.root.empty()) input.root = ".";
    if (input.ini.parent_path().empty()) input.ini = fs::path(".") / input.ini;

    if (proofState) {
        const std::string why = ProofUnusable(proof, FilesTheProofDraws(input));
        if (!why.empty()) Print(stdout, "cdcheck: the proof in " + proof.string() + " " + why + "\n");
        return why.empty() ? 0 : 1;
    }
    CdEdition cd;
    std::vector<Finding> findings = CheckCd(input, &cd);
    if (editionOnly) {
        Print(stdout, cd.edition + "\n");
        return 0;
    }
    if (!proof.empty()) {
        std::string why = ProofUnusable(proof, FilesTheProofDraws(input));
#ifdef _WIN32
        if (!why.empty()) {
            std::string failed;
            why = RunMenuProof(input.root, proof, failed) ? ProofUnusable(proof, FilesTheProofDraws(input)) : failed;
        }
#endif
        const auto lines = why.empty() ? ReadProof(proof) : std::nullopt;
        if (!lines) {
            Print(stderr, "cdcheck: the proof in " + proof.string() + " " + (why.empty() ? "cannot be read" : why) +
                              ": make it again with VINDREL.EXE /proof " + proof.string() + " from the CD's root\n");
            return 2;
        }
        for (Finding& f : CompareWithProof(findings, *lines)) findings.push_back(std::move(f));
    }
    int errors = 0, warnings = 0;
    for (const Finding& f : findings) {
        static const char* const kWords[] = {"error", "warning", "note"};
        if (f.severity == Severity::Error) ++errors;
        if (f.severity == Severity::Warning) ++warnings;
        Print(stdout, std::string(kWords[static_cast<int>(f.severity)]) + ": " + f.where + ": " + ForDisplay(f.text) + "\n");
    }
    // What the menu will call this CD, so that a wrong edition is seen before it is burnt.
    Print(stdout, "cdcheck: edition " + cd.edition + ", year " + cd.year + "\n");
    Print(stdout, "cdcheck: " + std::to_string(errors) + " error" + (errors == 1 ? "" : "s") + ", " + std::to_string(warnings) +
                      " warning" + (warnings == 1 ? "" : "s") + "\n");
    return errors > 0 || (werror && warnings > 0) ? 1 : 0;
}
