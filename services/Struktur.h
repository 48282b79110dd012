// The registry records of installed demos, the look-ups they need and the demos' Start-menu
// groups; and the plain data shared between the shell, the pages and the services.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/Rulebook.h"
#include "services/Handles.h"

namespace vindrel {

// Taken once at start-up, in this order; nothing writes them afterwards.
struct MachineProfile {
    int32_t CpuMHz = 0;
    int32_t RamMB = 0;
    int32_t FreeDiskMB = 0;
    int32_t Has3dfx = 0;
};

// One demo installed during this run (the class the records call resterendespil).
struct resterendespil {
    std::string edition;
    std::string shortTitle;
    std::string group;         // Start-menu group the setup creates ("NoFolder" by default)
    std::string uninstallKey;  // key under the platform's uninstall registry; may be empty
};
using InstallRecord = resterendespil;
using RunInstallList = std::vector<InstallRecord>;

// One demo found in the registry records.
struct InstalledDemo {
    std::string edition;
    std::string title;
    std::string uninstallCommand;
    bool selected = false;
};

// ---- Installed-demo records ----------------------------------------------------------------

// Something else the wait (RunAndWait, services/CDrom.h) wakes for: events the caller has armed,
// and what to do when one is set.
struct WaitWatch {
    std::vector<HANDLE> events;
    std::function<void(size_t which)> changed;
};

// The messages the look-ups below name, in their order: the services never show them; the page
// or shell the reader sees shows each, with its text, owned by its window.
using Messages = std::vector<std::string>;

extern const char kNoUninstallInfo[];  // "No uninstalinfo"
extern const char kRecordsRoot[];      // "Software\\Vindrel_Games"

// Where the records live: the machine's part of the registry, and the user's part with the same
// layout for a run that may not write the machine's. Readers merge both, machine's first. In each
// part the records are written in the 32-bit view, where every 32-bit edition keeps them; records
// in the 64-bit view (written by an earlier 64-bit build) are listed and deleted as well.
struct RecordRoots {
    HKEY machine = HKEY_LOCAL_MACHINE;
    HKEY user = HKEY_CURRENT_USER;
};

// HKLM Software\Vindrel_Games\<edition>\<RecordName(short title)> (catalogue/Rulebook.h): "Afinstallationsstreng" then
// "Folder", each REG_SZ of 255 bytes (longer texts whole); under HKCU when HKLM cannot be written.
// Skipped for "No uninstalinfo" and for an edition that cannot be a key name. A key half written
// under HKLM (a value it refused) is taken away again before the record goes to HKCU.
enum class RecordWritten {
    Machine,     // under the machine's part
    User,        // the machine's part refused it: under the user's
    Failed,      // neither part took it
    NotWritten,  // nothing to record: no uninstall information, or an edition no key can bear
};
RecordWritten WriteInstallRecord(const std::string& edition, const std::string& shortTitle, const std::string& group,
                                 const std::string& command, const RecordRoots& roots = {});
// Deletes the demo key (under both roots) only; the edition key stays, even empty. False when
// there was no such key to delete.
bool DeleteInstallRecord(const std::string& edition, const std::string& title, const RecordRoots& roots = {});
// Appends one entry per demo key of every edition, the command being its first string value
// with environment references expanded;
// the machine's records first, then the user's that are not among them.
void ReadInstalledDemos(std::vector<InstalledDemo>& list, const RecordRoots& roots = {});
// "UninstallString" of the platform's uninstall entry: the machine's in its 32-bit view, then in
// its 64-bit view, then the user's; REG_EXPAND_SZ expanded. "No uninstalinfo" when no such key
// holds a non-empty string under that name.
std::string LookUpUninstallString(const std::string& uninstallKey);
// Whether any entry of those uninstall registries still holds this command as its (expanded)
// "UninstallString", regardless of case.
bool UninstallEntryHolds(const std::string& command);
// After its uninstaller has run: the demo is gone when its command's program no longer exists
// or no uninstall entry holds the command any more. A declined uninstall leaves both.
bool DemoIsGone(const std::string& uninstallCommand);
// What removes a demo recorded with this command: for an entry of the Windows Installer (its
// command "MsiExec.exe /I{...}" or "/X{...}", or an entry marked "WindowsInstaller" = 1) the
// system's msiexec removing the product, since "/I" only repairs; any other command as it is.
std::string UninstallCommandToRun(const std::string& recordedCommand);

// While a demo's setup runs: watches the uninstall registries for the demo's entry and tells
// `found` its command as soon as an entry holds one, and again whenever it changes. Costs
// nothing while nothing changes (the registry sets an event).
class UninstallEntryWatch {
public:
    UninstallEntryWatch(std::string uninstallKey, std::function<void(const std::string& command)> found);
    UninstallEntryWatch(const UninstallEntryWatch&) = delete;
    UninstallEntryWatch& operator=(const UninstallEntryWatch&) = delete;
    // For RunAndWait; null when nothing could be watched.
    const WaitWatch* Watch() const { return watch_.events.empty() ? nullptr : &watch_; }

private:
    void Arm(size_t which);
    void LookUp();
    std::string uninstallKey_;
    std::function<void(const std::string&)> found_;
    std::string told_;
    std::vector<UniqueRegKey> keys_;
    std::vector<UniqueKernelHandle> events_;  // one per key, set when the key or one below it changes
    WaitWatch watch_;
};
// A folder looked up in the registry, and the messages the look-up names.
struct FolderLookUp {
    std::string folder;
    Messages messages;
};
// "Programs" of the current user's shell folders; the message "Unable to Open key   Software\...
// \Shell Folders" when the key is missing.
FolderLookUp ReadProgramsFolder();
// "Folder" of a demo key; "Unable to Open key   spil folder" when the key is missing, "Unable to
// get gameinfo" when its value is.
FolderLookUp ReadRecordFolder(const std::string& title, const std::string& edition, const RecordRoots& roots = {});
// A Start-menu group or edition name (from the catalogue or a record) that stays inside the
// folder it is joined to: not empty, relative, no "." or ".." part.
bool IsSafeGroupName(const std::string& name);
// A demo's Start-menu group, moved at exit from the programs folder into Games\<edition> and
// deleted from there when the demo is removed. The group is a folder, or a single shortcut
// "<group>.lnk". Nothing happens when it is not there or a name would leave its folder; the
// shell's own messages are not suppressed (flags 0x214).
struct GroupResult {
    enum Outcome {
        Done,      // moved or deleted
        NotThere,  // no such group (or no programs folder) to move or delete
        Unsafe,    // a name that would leave its folder: nothing touched
        Failed,    // the shell's operation did not succeed
    } outcome = NotThere;
    Messages messages;  // of the programs folder's look-up
};
GroupResult MoveGroupIntoEdition(HWND owner, const std::string& group, const std::string& edition);
GroupResult DeleteGroupOfEdition(HWND owner, const std::string& group, const std::string& edition);

}  // namespace vindrel
