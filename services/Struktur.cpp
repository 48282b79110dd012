// The registry records of installed demos, the look-ups they need, and the demos' Start-menu groups.
#include "services/Struktur.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "catalogue/Rulebook.h"
#include "services/CDrom.h"
#include "services/Handles.h"
#include "services/Registry.h"

namespace vindrel {

const char kNoUninstallInfo[] = "No uninstalinfo";
const char kRecordsRoot[] = "Software\\Vindrel_Games";

namespace {

constexpr REGSAM kReadAccess = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS;
// Every 32-bit edition of the CD keeps its records in the 32-bit view of the registry, so the
// 64-bit build writes them there too; what a 64-bit build once wrote in its own view still counts.
constexpr REGSAM kRecordView = KEY_WOW64_32KEY;
constexpr REGSAM kBothViews[] = {KEY_WOW64_32KEY, KEY_WOW64_64KEY};
const char kUninstallRoot[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr size_t kRecordValueBytes = 255;
constexpr DWORD kMaxKeyName = kMaxRecordName;

// Values are 255 bytes: text, its zero and zero padding. A longer text is stored whole rather
// than cut, since a cut uninstall command would run something else.
bool SetPaddedString(HKEY key, const char* name, const std::string& text) {
    std::string data(text);
    data.resize(std::max(text.size() + 1, kRecordValueBytes), '\0');
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool OpenForRead(HKEY root, const std::string& path, UniqueRegKey& key, REGSAM view = 0) {
    return RegOpenKeyExA(root, path.c_str(), 0, kReadAccess | view, key.put()) == ERROR_SUCCESS;
}

// Names of all sub-keys, by index from 0; false when the key's information cannot be read.
bool SubKeyNames(HKEY key, std::vector<std::string>& names) {
    DWORD count = 0, longest = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    const DWORD bufferSize = std::max(longest, kMaxKeyName) + 1;
    for (DWORD i = 0; i < count; ++i) {
        std::string name(bufferSize, '\0');
        DWORD len = bufferSize;
        if (RegEnumKeyExA(key, i, name.data(), &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) continue;
        name.resize(len);
        names.push_back(name);
    }
    return true;
}

// The text of a key's first value in enumeration order, up to its first zero byte. Buffers are
// sized from the key's own answers; a value that is not a string gives false.
bool FirstValueText(HKEY key, std::string& out) {
    DWORD longestName = 0, longestData = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                         &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    std::string name(longestName + 1, '\0');
    std::string data(longestData + 1, '\0');
    DWORD nameLen = longestName + 1, type = 0, size = longestData;
    if (RegEnumValueA(key, 0, name.data(), &nameLen, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    out.assign(data.c_str());
    return true;
}

// An empty name or one with a backslash would address the edition key or a key below the demo
// key, which the uninstall page could never list or remove; a longer one the registry refuses.
bool IsKeyName(const std::string& name) {
    return !name.empty() && name.size() <= kMaxKeyName && name.find('\\') == std::string::npos;
}

std::string EditionPath(const std::string& edition) { return std::string(kRecordsRoot) + "\\" + edition; }

// The demo key is always reached from its edition key: a long title in one full path can pass
// the length the ANSI registry calls accept for a path.
bool OpenDemoForRead(HKEY root, REGSAM view, const std::string& edition, const std::string& title,
                     UniqueRegKey& key) {
    UniqueRegKey editionKey;
    return OpenForRead(root, EditionPath(edition), editionKey, view) && OpenForRead(editionKey.get(), title, key);
}

bool CreateKey(HKEY parent, const std::string& name, UniqueRegKey& key, REGSAM view = 0) {
    return RegCreateKeyExA(parent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS | view, nullptr,
                           key.put(), nullptr) == ERROR_SUCCESS;
}

}  // namespace

namespace {

bool WriteUnder(HKEY root, const std::string& edition, const std::string& shortTitle, const std::string& group,
                const std::string& command) {
    UniqueRegKey editionKey, key;
    if (!CreateKey(root, EditionPath(edition), editionKey, kRecordView) || !CreateKey(editionKey.get(), shortTitle, key))
        return false;
    if (SetPaddedString(key.get(), "Afinstallationsstreng", command) && SetPaddedString(key.get(), "Folder", group))
        return true;
    // A demo key without its values would list with no command: it goes again.
    key.reset();
    RegDeleteKeyA(editionKey.get(), shortTitle.c_str());
    return false;
}

bool DeleteUnder(HKEY root, const std::string& edition, const std::string& title) {
    bool deleted = false;
    for (REGSAM view : kBothViews) {
        // Relative to an edition key opened in one view, the demo key is deleted in that view.
        UniqueRegKey editionKey;
        if (RegOpenKeyExA(root, EditionPath(edition).c_str(), 0, KEY_ALL_ACCESS | view, editionKey.put()) ==
                ERROR_SUCCESS &&
            RegDeleteKeyA(editionKey.get(), title.c_str()) == ERROR_SUCCESS)
            deleted = true;
    }
    return deleted;
}

// Appends the demos of one root and view that are not yet listed from position `from` on.
void ReadUnder(HKEY root, REGSAM view, std::vector<InstalledDemo>& list, size_t from) {
    UniqueRegKey rootKey;
    std::vector<std::string> editions;
    if (!OpenForRead(root, kRecordsRoot, rootKey, view) || !SubKeyNames(rootKey.get(), editions)) return;
    for (const std::string& edition : editions) {
        UniqueRegKey editionKey;
        std::vector<std::string> titles;
        if (!OpenForRead(rootKey.get(), edition, editionKey) || !SubKeyNames(editionKey.get(), titles)) continue;
        for (const std::string& title : titles) {
            // The same demo recorded under both roots or in both views lists once.
            auto listed = std::find_if(list.begin() + static_cast<std::ptrdiff_t>(from), list.end(),
                                       [&](const InstalledDemo& d) { return d.edition == edition && d.title == title; });
            if (listed != list.end()) continue;
            // A demo key without a readable first value still lists, with an empty command.
            UniqueRegKey demoKey;
            std::string command;
            if (OpenForRead(editionKey.get(), title, demoKey)) FirstValueText(demoKey.get(), command);
            // Earlier runs stored a REG_EXPAND_SZ entry's command unexpanded, as plain text.
            list.push_back(InstalledDemo{edition, title, ExpandEnvironment(command), false});
        }
    }
}

}  // namespace

RecordWritten WriteInstallRecord(const std::string& edition, const std::string& shortTitle, const std::string& group,
                                 const std::string& command, const RecordRoots& roots) {
    if (command == kNoUninstallInfo || !IsKeyName(edition)) return RecordWritten::NotWritten;
    // Every title is recorded, under the one name the list shows and the removal deletes.
    const std::string name = RecordName(shortTitle);
    // A program without administrator rights may not write the machine's part of the registry;
    // the same layout under the user's part keeps the record.
    if (WriteUnder(roots.machine, edition, name, group, command)) return RecordWritten::Machine;
    return WriteUnder(roots.user, edition, name, group, command) ? RecordWritten::User : RecordWritten::Failed;
}

bool DeleteInstallRecord(const std::string& edition, const std::string& title, const RecordRoots& roots) {
    if (!IsKeyName(edition) || !IsKeyName(title)) return false;  // never the edition key itself
    const bool machine = DeleteUnder(roots.machine, edition, title);
    return DeleteUnder(roots.user, edition, title) || machine;
}

void ReadInstalledDemos(std::vector<InstalledDemo>& list, const RecordRoots& roots) {
    const size_t before = list.size();
    for (HKEY root : {roots.machine, roots.user})
        for (REGSAM view : kBothViews) ReadUnder(root, view, list, before);
}

namespace {

// The platform's uninstall registries: the machine's in both views (32-bit setups, nearly all
// demos, write in the 32-bit one), and the user's, for setups that installed for one user.
struct UninstallPlace {
    HKEY root;
    REGSAM view;
};
const UninstallPlace kUninstallPlaces[] = {
    {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY}, {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY}, {HKEY_CURRENT_USER, 0}};

// The non-empty "UninstallString" of one entry, expanded when it is a REG_EXPAND_SZ as the setup
// that wrote it would: one that wrote in the 32-bit view is a 32-bit program.
bool EntryCommand(HKEY uninstall, const UninstallPlace& place, const std::string& entry, std::string& command) {
    UniqueRegKey key;
    const Expansion how = place.view == KEY_WOW64_32KEY ? Expansion::As32Bit : Expansion::Native;
    return OpenForRead(uninstall, entry, key) && QueryStringValue(key.get(), "UninstallString", command, how) &&
           !command.empty();
}

}  // namespace

std::string LookUpUninstallString(const std::string& uninstallKey) {
    // A key without a usable command counts as no uninstall information: never store an empty one.
    for (const UninstallPlace& place : kUninstallPlaces) {
        UniqueRegKey uninstall;
        std::string command;
        if (OpenForRead(place.root, kUninstallRoot, uninstall, place.view) &&
            EntryCommand(uninstall.get(), place, uninstallKey, command))
            return command;
    }
    return kNoUninstallInfo;
}

namespace {

// Whether found says yes to an entry of the uninstall registries, in the look-up's order; it is
// given the opened uninstall key, where it lies, and the entry's name.
template <typename Found>
bool AnyUninstallEntry(Found&& found) {
    for (const UninstallPlace& place : kUninstallPlaces) {
        UniqueRegKey uninstall;
        std::vector<std::string> entries;
        if (!OpenForRead(place.root, kUninstallRoot, uninstall, place.view) || !SubKeyNames(uninstall.get(), entries))
            continue;
        for (const std::string& entry : entries)
            if (found(uninstall.get(), place, entry)) return true;
    }
    return false;
}

}  // namespace

bool UninstallEntryHolds(const std::string& command) {
    return AnyUninstallEntry([&](HKEY uninstall, const UninstallPlace& place, const std::string& entry) {
        std::string held;
        // Paths on this system do not tell case apart.
        return EntryCommand(uninstall, place, entry, held) && lstrcmpiA(held.c_str(), command.c_str()) == 0;
    });
}

bool DemoIsGone(const std::string& uninstallCommand) {
    return !ProgramExists(uninstallCommand) || !UninstallEntryHolds(uninstallCommand);
}

namespace {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", as the Windows Installer names its products.
bool IsProductCode(const std::string& text) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
    for (size_t i = 1; i < 37; ++i) {
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        const char c = text[i];
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (dash ? c != '-' : !hex) return false;
    }
    return true;
}

// The product code of "MsiExec.exe /I{...}" or "/X{...}" (any case, a path or a blank allowed).
std::string ProductCodeOfCommand(const std::string& command) {
    const SplitCommand split = SplitCommandLine(command);
    const size_t slash = split.file.find_last_of("\\/");
    const std::string program = split.file.substr(slash == std::string::npos ? 0 : slash + 1);
    if (lstrcmpiA(program.c_str(), "msiexec.exe") != 0 && lstrcmpiA(program.c_str(), "msiexec") != 0) return {};
    const std::string& p = split.parameters;
    const char action = p.size() < 2 ? '\0' : static_cast<char>(p[1] & ~0x20);  // upper case of a letter
    if ((p.empty() || (p[0] != '/' && p[0] != '-')) || (action != 'I' && action != 'X')) return {};
    const size_t begin = p.find_first_not_of(' ', 2);
    if (begin == std::string::npos) return {};
    const size_t end = p.find(' ', begin);
    const std::string code = p.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
    return IsProductCode(code) ? code : std::string();
}

// The product code of an entry marked "WindowsInstaller" = 1 that holds this command: the
// Installer names its entries after the product.
std::string InstallerEntryHolding(const std::string& command) {
    std::string product;
    AnyUninstallEntry([&](HKEY uninstall, const UninstallPlace&, const std::string& entry) {
        UniqueRegKey key;
        std::string held;
        DWORD marked = 0, size = sizeof marked, type = 0;
        if (!IsProductCode(entry) || !OpenForRead(uninstall, entry, key) ||
            !QueryStringValue(key.get(), "UninstallString", held) || lstrcmpiA(held.c_str(), command.c_str()) != 0)
            return false;
        if (RegQueryValueExA(key.get(), "WindowsInstaller", nullptr, &type, reinterpret_cast<BYTE*>(&marked), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD || marked != 1)
            return false;
        product = entry;
        return true;
    });
    return product;
}

}  // namespace

std::string UninstallCommandToRun(const std::string& recordedCommand) {
    std::string code = ProductCodeOfCommand(recordedCommand);
    if (code.empty()) code = InstallerEntryHolding(recordedCommand);
    const std::string system = SystemFolder();
    if (code.empty() || system.empty()) return recordedCommand;
    // From the system folder by its full path, never a program of that name in the current folder.
    return "\"" + system + "\\msiexec.exe\" /x " + code;
}

UninstallEntryWatch::UninstallEntryWatch(std::string uninstallKey,
                                         std::function<void(const std::string& command)> found)
    : uninstallKey_(std::move(uninstallKey)), found_(std::move(found)) {
    if (uninstallKey_.empty()) return;
    // Where an uninstall registry does not exist yet (the user's often), the key above it is
    // watched, so that its making is seen.
    const std::string parent = std::string(kUninstallRoot).substr(0, std::string(kUninstallRoot).rfind('\\'));
    for (const UninstallPlace& place : kUninstallPlaces) {
        UniqueRegKey key;
        if (RegOpenKeyExA(place.root, kUninstallRoot, 0, KEY_NOTIFY | place.view, key.put()) != ERROR_SUCCESS &&
            RegOpenKeyExA(place.root, parent.c_str(), 0, KEY_NOTIFY | place.view, key.put()) != ERROR_SUCCESS)
            continue;
        UniqueKernelHandle event(CreateEventA(nullptr, FALSE, FALSE, nullptr));
        if (!event) continue;
        keys_.push_back(std::move(key));
        events_.push_back(std::move(event));
        watch_.events.push_back(events_.back().get());
        Arm(keys_.size() - 1);
    }
    watch_.changed = [this](size_t which) {
        Arm(which);
        LookUp();
    };
}

void UninstallEntryWatch::Arm(size_t which) {
    RegNotifyChangeKeyValue(keys_[which].get(), TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                            events_[which].get(), TRUE);
}

void UninstallEntryWatch::LookUp() {
    const std::string command = LookUpUninstallString(uninstallKey_);
    if (command == kNoUninstallInfo || command == told_) return;
    told_ = command;
    found_(command);
}

FolderLookUp ReadProgramsFolder() {
    UniqueRegKey key;
    FolderLookUp found;
    if (!OpenForRead(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", key))
        found.messages.push_back("Unable to Open key   Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    if (key) QueryStringValue(key.get(), "Programs", found.folder);
    return found;
}

FolderLookUp ReadRecordFolder(const std::string& title, const std::string& edition, const RecordRoots& roots) {
    UniqueRegKey key;
    bool opened = false;
    for (HKEY root : {roots.machine, roots.user})
        for (REGSAM view : kBothViews) opened = opened || OpenDemoForRead(root, view, edition, title, key);
    FolderLookUp found;
    if (!opened) found.messages.push_back("Unable to Open key   spil folder");
    if (!key || !QueryStringValue(key.get(), "Folder", found.folder)) found.messages.push_back("Unable to get gameinfo");
    return found;
}

namespace {

// FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR: no progress, no questions, folders made.
constexpr FILEOP_FLAGS kGroupFlags = 0x214;

// Where the group lies under base: its folder, else its single shortcut, else nothing.
std::string GroupEntry(const std::string& base, const std::string& group) {
    const std::string path = base + "\\" + group;
    if (DirectoryExists(path)) return path;
    if (FileExists(path + ".lnk")) return path + ".lnk";
    return {};
}

// A group and an edition that stay inside their folders; a device name ("CON") is no folder.
bool SafeNames(const std::string& group, const std::string& edition) {
    return IsSafeGroupName(group) && IsSafeGroupName(edition) && !IsReservedDeviceName(edition);
}

// Creates every missing folder of path: the shell's move does not do it under every system.
void CreateFolders(const std::string& path) {
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') {
            std::string part = path.substr(0, i);
            if (!part.empty() && part.back() != ':' && !DirectoryExists(part)) CreateDirectoryA(part.c_str(), nullptr);
        }
    }
}

// One shell file operation on one name, each name a list ending in two zeros, as long as the
// path needs.
bool GroupOperation(HWND owner, UINT operation, const std::string& from, const std::string& to = {}) {
    std::vector<char> source(from.begin(), from.end()), target(to.begin(), to.end());
    source.insert(source.end(), 2, '\0');
    target.insert(target.end(), 2, '\0');
    SHFILEOPSTRUCTA op{};
    op.hwnd = owner;
    op.wFunc = operation;
    op.pFrom = source.data();
    op.pTo = to.empty() ? nullptr : target.data();
    op.fFlags = kGroupFlags;
    return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
}

}  // namespace

GroupResult MoveGroupIntoEdition(HWND owner, const std::string& group, const std::string& edition) {
    if (!SafeNames(group, edition)) return {GroupResult::Unsafe, {}};
    // Without the programs folder the paths would start at the drive's root.
    FolderLookUp programs = ReadProgramsFolder();
    GroupResult result{GroupResult::NotThere, std::move(programs.messages)};
    const std::string source = programs.folder.empty() ? std::string() : GroupEntry(programs.folder, group);
    if (source.empty()) return result;
    const std::string target = programs.folder + "\\Games\\" + edition + source.substr(programs.folder.size());
    CreateFolders(target.substr(0, target.rfind('\\')));
    result.outcome = GroupOperation(owner, FO_MOVE, source, target) ? GroupResult::Done : GroupResult::Failed;
    return result;
}

GroupResult DeleteGroupOfEdition(HWND owner, const std::string& group, const std::string& edition) {
    if (!SafeNames(group, edition)) return {GroupResult::Unsafe, {}};
    FolderLookUp programs = ReadProgramsFolder();
    GroupResult result{GroupResult::NotThere, std::move(programs.messages)};
    const std::string entry =
        programs.folder.empty() ? std::string() : GroupEntry(programs.folder + "\\Games\\" + edition, group);
    if (entry.empty()) return result;
    result.outcome = GroupOperation(owner, FO_DELETE, entry) ? GroupResult::Done : GroupResult::Failed;
    return result;
}

bool IsSafeGroupName(const std::string& name) {
    if (name.empty() || name.front() == '\\' || name.front() == '/' || name.find(':') != std::string::npos) return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("\\/", start);
        if (end == std::string::npos) end = name.size();
        const std::string part = name.substr(start, end - start);
        if (part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

}  // namespace vindrel
