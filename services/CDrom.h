// The shared routines of the menu: machine probes, installed-demo records,
// starting setup programs, fonts and sounds. Free functions taking and returning plain values.
#pragma once
#include <windows.h>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "services/Handles.h"
#include "services/Struktur.h"

namespace vindrel {

// Whether a path names an existing file (not a folder), or an existing folder.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// ---- Machine probes -------------------------------------------------------------------------

// Round to nearest, halves to the even neighbour (the FPU's default mode).
int64_t RoundHalfEven(double value);

// Installed RAM in MB, rounded, plus one. 64-bit input so that machines above 4 GB do not wrap.
int32_t RamMBFromBytes(uint64_t totalPhysBytes);

// Free MB of one drive, rounded; the byte product is formed in 64 bits (saturating), so drives
// of 2 GB and more count in full.
int64_t DriveFreeMB(uint32_t sectorsPerCluster, uint32_t bytesPerSector, uint32_t freeClusters);

// What the disk probe learns about one drive letter.
struct DriveQuery {
    UINT type = DRIVE_NO_ROOT_DIR;  // GetDriveTypeA
    bool freeOk = false;            // GetDiskFreeSpaceA was asked and succeeded
    uint32_t sectorsPerCluster = 0;
    uint32_t bytesPerSector = 0;
    uint32_t freeClusters = 0;
};
using DriveQueryFn = std::function<DriveQuery(char letter)>;

// C: counts whatever its type; D:, E:, F: only when fixed. Starts at 1, capped at INT32_MAX.
int32_t SumFreeDiskMB(const DriveQueryFn& query);
// The real platform. Free space is only asked of C: and of fixed drives, so that an empty CD or
// floppy drive never brings up the system's insert-disk box.
DriveQuery QueryDrive(char letter);

int32_t ProbeCpuMHz();
int32_t ProbeRamMB();
int32_t ProbeFreeDiskMB();
int32_t Probe3dfx();  // glide2x.dll in the system directory (not the Windows directory)
MachineProfile ProbeMachine();  // the four probes in their order

// ---- Setup launch, fonts and sounds --------------------------------------------------------

// One program of a process list: its id and the id of the program that started it.
struct ProcessEntry {
    DWORD id = 0;
    DWORD parentId = 0;
};

// Once the started program has ended, programs it left running hold the wait only while one of
// them shows a visible window; after this long without one, the wait ends and they run on.
constexpr DWORD kLeftoverQuietMs = 5000;
// While programs of the tree run, this long without a visible window of any of them: the menu
// tells the reader that it waits, since nothing else on the screen would.
constexpr DWORD kQuietNoticeMs = 10000;

// How RunAndWait starts programs: the platform's calls, or a test's own to see what is started.
struct Launcher {
    // CreateProcessA with the command line as RunAndWait passes it and the creation flags it asks
    // for (suspended, breaking away from a job); false and the error on failure.
    std::function<bool(std::string& commandLine, DWORD creationFlags, PROCESS_INFORMATION& started, DWORD& error)>
        createProcess;
    // ShellExecuteExA with the "runas" verb: the new process's handle, or null and the error.
    std::function<HANDLE(const std::string& file, const std::string& parameters, DWORD& error)> runElevated;
    // AssignProcessToJobObject; refused, for example, where the menu's own job forbids another.
    std::function<bool(HANDLE job, HANDLE process)> joinJob;
    // The programs running now (a process snapshot); false where no list can be had.
    std::function<bool(std::vector<ProcessEntry>& running)> listProcesses;
    // The leftover rule's time; a test shortens it to see the rule in less time.
    DWORD leftoverQuietMs = kLeftoverQuietMs;
    // The quiet notice's time, likewise.
    DWORD quietNoticeMs = kQuietNoticeMs;
};
// The platform's launcher for command lines in the program's own code page (the catalogue's
// Windows-1252), and for those the system's narrow calls gave (uninstall commands of the registry).
const Launcher& PlatformLauncher();
const Launcher& SystemTextLauncher();

// A command line split into the program and its arguments, the way CreateProcessA finds the
// program in it: a quoted first part, or else the shortest space-separated start that names a file.
struct SplitCommand {
    std::string file;
    std::string parameters;
};
SplitCommand SplitCommandLine(const std::string& commandLine);
// Whether the program of a command line exists: a path as given (or with ".exe"), a bare name
// where the program start would search for it.
bool ProgramExists(const std::string& commandLine);

// The system folder (GetSystemDirectoryA); empty when the platform does not answer.
std::string SystemFolder();

// The command line that starts a catalogue's setup: the path itself, or for a Windows Installer
// package (".msi") the system's msiexec installing it, so that it is waited for like any setup.
std::string SetupCommandLine(const std::string& setupPath);

// The mutex the Windows Installer holds while it installs, in any session.
extern const char kInstallerBusyMutex[];  // "Global\\_MSIExecute"

// Starts the program and returns when it and every program it started, directly or through
// others, have ended (or at once when it cannot be started), dispatching window messages
// meanwhile without using processor time. The programs are followed in a job object and, beside
// it, by their parents' ids, so that a program that left the job (or one started where no job
// could be had) still counts; where neither can be used, the wait follows the program alone.
// Leftovers without a window end the wait as the launcher's leftoverQuietMs says. Once the
// programs have ended, the wait holds while the Windows Installer is busy with an installation
// that began after the start. A program that needs elevation (Vista and later refuse to start it)
// is started again through the elevation prompt; declined, it counts as a program that could not
// be started. The watch, if any, is told of its events meanwhile. False when the program was not
// started at all.
bool RunAndWait(const std::string& commandLine, const Launcher& launcher = PlatformLauncher(),
                const WaitWatch* watch = nullptr);

// What a wait that the reader may end early tells its caller, and asks of it.
struct WaitHandOff {
    // True once the programs have shown no visible window for the launcher's quietNoticeMs while
    // they run; false again when one shows a window, and at the end of the wait.
    std::function<void(bool quiet)> quietChanged;
    // Asked after the messages of every turn: true ends the wait with the programs still running.
    std::function<bool()> letGo;
};

// RunAndWait in two halves, so that programs the reader stopped waiting for are still followed.
class ProgramRun {
public:
    // Starts the program as RunAndWait does; null when it could not be started.
    static std::unique_ptr<ProgramRun> Start(const std::string& commandLine, const Launcher& launcher = PlatformLauncher());
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Waits as RunAndWait does; true when the programs have ended. With a hand-off, the caller
    // hears when they go quiet, and the wait also ends, leaving them running, when letGo says so
    // or the menu is asked to end (the request is kept for the main loop).
    bool Wait(const WaitWatch* watch = nullptr, const WaitHandOff* handOff = nullptr);
    // Looks at the programs if it is time, without waiting: true once they have ended, by the
    // same rules as the wait's.
    bool Ended();

private:
    struct State;
    explicit ProgramRun(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

// The current user's fonts folder; "No uninstalinfo" when the key is missing, the message "ERROR"
// and an empty text when its "Fonts" value cannot be read.
FolderLookUp ReadFontsFolder();
// Copies the four Verdana files from \Diverse\ on the current drive into the fonts folder and
// msfont.txt into the Windows directory, never overwriting; registers verdana.ttf; tells the
// other windows, without hanging on one that does not answer. The messages are the look-up's.
Messages InstallFonts();
// The same with the folder that holds Diverse given (InstallFonts passes "\\").
Messages InstallFontsFrom(const std::string& sourceRoot);

// Makes a folder current while it lives, and the one current before it current again after, of
// any length. An empty folder changes nothing.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder);
    ~CurrentFolder();
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;
    // False when the folder could not be made current: the one before stays current.
    bool Made() const { return made_; }

private:
    std::wstring previous_;
    bool made_ = true;
    bool changed_ = false;
};
// Starts the named WAVE resource of the program and returns at once; silence if it is missing.
void PlayUiSound(const char* resourceName);
// The WAVE resource PlayUiSound plays for a name.
const char* UiSoundResource(const char* name);

// The four Verdana files of \Diverse\ on the current drive, loaded for this process alone while
// the object lives: measuring with the CD's own faces leaves the system's fonts as they were.
class PrivateFonts {
public:
    // The fonts of the Diverse folder under root: the current drive's root when none is given.
    explicit PrivateFonts(const std::string& root = "");
    ~PrivateFonts();
    PrivateFonts(const PrivateFonts&) = delete;
    PrivateFonts& operator=(const PrivateFonts&) = delete;
    int Loaded() const { return static_cast<int>(loaded_.size()); }

private:
    std::vector<std::wstring> loaded_;
};

}  // namespace vindrel
