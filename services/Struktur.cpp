// The registry records of installed demos, and the look-ups they need.
#include <algorithm>

#include "services/CDrom.h"
#include "services/Handles.h"
#include "services/Registry.h"

namespace vindrel {

const char kNoUninstallInfo[] = "No uninstalinfo";
const char kRecordsRoot[] = "Software\\Vindrel_Games";

namespace {

constexpr REGSAM kReadAccess = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS;
constexpr size_t kRecordValueBytes = 255;
constexpr DWORD kMaxKeyName = 255;  // the registry's own limit on a key name

// Values are 255 bytes: text, its zero and zero padding. A longer text is stored whole rather
// than cut, since a cut uninstall command would run something else.
void SetPaddedString(HKEY key, const char* name, const std::string& text) {
    std::string data(text);
    data.resize(std::max(text.size() + 1, kRecordValueBytes), '\0');
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
}

bool OpenForRead(HKEY root, const std::string& path, UniqueRegKey& key) {
    return RegOpenKeyExA(root, path.c_str(), 0, kReadAccess, key.put()) == ERROR_SUCCESS;
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

void Inform(const char* text) { MessageBoxA(nullptr, text, "Information", MB_OK | MB_ICONINFORMATION); }

// An empty name or one with a backslash would address the edition key or a key below the demo
// key, which the uninstall page could never list or remove; a longer one the registry refuses.
bool IsKeyName(const std::string& name) {
    return !name.empty() && name.size() <= kMaxKeyName && name.find('\\') == std::string::npos;
}

std::string EditionPath(const std::string& edition) { return std::string(kRecordsRoot) + "\\" + edition; }

// The demo key is always reached from its edition key: a long title in one full path can pass
// the length the ANSI registry calls accept for a path.
bool OpenDemoForRead(HKEY root, const std::string& edition, const std::string& title, UniqueRegKey& key) {
    UniqueRegKey editionKey;
    return OpenForRead(root, EditionPath(edition), editionKey) && OpenForRead(editionKey.get(), title, key);
}

bool CreateKey(HKEY parent, const std::string& name, UniqueRegKey& key) {
    return RegCreateKeyExA(parent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                           key.put(), nullptr) == ERROR_SUCCESS;
}

}  // namespace

namespace {

bool WriteUnder(HKEY root, const std::string& edition, const std::string& shortTitle, const std::string& group,
                const std::string& command) {
    UniqueRegKey editionKey, key;
    if (!CreateKey(root, EditionPath(edition), editionKey) || !CreateKey(editionKey.get(), shortTitle, key))
        return false;
    SetPaddedString(key.get(), "Afinstallationsstreng", command);
    SetPaddedString(key.get(), "Folder", group);
    return true;
}

void DeleteUnder(HKEY root, const std::string& edition, const std::string& title) {
    UniqueRegKey editionKey;
    if (RegOpenKeyExA(root, EditionPath(edition).c_str(), 0, KEY_ALL_ACCESS, editionKey.put()) == ERROR_SUCCESS)
        RegDeleteKeyA(editionKey.get(), title.c_str());
}

void ReadUnder(HKEY root, std::vector<InstalledDemo>& list, size_t alreadyListed) {
    UniqueRegKey rootKey;
    std::vector<std::string> editions;
    if (!OpenForRead(root, kRecordsRoot, rootKey) || !SubKeyNames(rootKey.get(), editions)) return;
    for (const std::string& edition : editions) {
        UniqueRegKey editionKey;
        std::vector<std::string> titles;
        if (!OpenForRead(rootKey.get(), edition, editionKey) || !SubKeyNames(editionKey.get(), titles)) continue;
        for (const std::string& title : titles) {
            // The same demo recorded under both roots lists once.
            auto listed = std::find_if(list.begin(), list.begin() + alreadyListed, [&](const InstalledDemo& d) {
                return d.edition == edition && d.title == title;
            });
            if (listed != list.begin() + alreadyListed) continue;
            // A demo key without a readable first value still lists, with an empty command.
            UniqueRegKey demoKey;
            std::string command;
            if (OpenForRead(editionKey.get(), title, demoKey)) FirstValueText(demoKey.get(), command);
            list.push_back(InstalledDemo{edition, title, command, false});
        }
    }
}

}  // namespace

void WriteInstallRecord(const std::string& edition, const std::string& shortTitle, const std::string& group,
                        const std::string& command, const RecordRoots& roots) {
    if (command == kNoUninstallInfo || !IsKeyName(edition) || !IsKeyName(shortTitle)) return;
    // A program without administrator rights may not write the machine's part of the registry;
    // the same layout under the user's part keeps the record.
    if (!WriteUnder(roots.machine, edition, shortTitle, group, command))
        WriteUnder(roots.user, edition, shortTitle, group, command);
}

void DeleteInstallRecord(const std::string& edition, const std::string& title, const RecordRoots& roots) {
    if (!IsKeyName(edition) || !IsKeyName(title)) return;  // never the edition key itself
    DeleteUnder(roots.machine, edition, title);
    DeleteUnder(roots.user, edition, title);
}

void ReadInstalledDemos(std::vector<InstalledDemo>& list, const RecordRoots& roots) {
    const size_t before = list.size();
    ReadUnder(roots.machine, list, before);
    ReadUnder(roots.user, list, list.size());
}

std::string LookUpUninstallString(const std::string& uninstallKey) {
    // A setup that installed for this user only keeps its uninstall entry under the user's part.
    UniqueRegKey uninstall, key;
    const char* const path = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    bool found = false;
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        if (OpenForRead(root, path, uninstall) && OpenForRead(uninstall.get(), uninstallKey, key)) {
            found = true;
            break;
        }
    }
    if (!found) return kNoUninstallInfo;
    // A key without a usable command counts as no uninstall information: never store an empty one.
    std::string command;
    if (!QueryStringValue(key.get(), "UninstallString", command) || command.empty()) return kNoUninstallInfo;
    return command;
}

std::string ReadProgramsFolder() {
    UniqueRegKey key;
    if (!OpenForRead(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", key))
        Inform("Unable to Open key   Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    std::string folder;
    if (key) QueryStringValue(key.get(), "Programs", folder);
    return folder;
}

std::string ReadRecordFolder(const std::string& title, const std::string& edition, const RecordRoots& roots) {
    UniqueRegKey key;
    if (!OpenDemoForRead(roots.machine, edition, title, key) && !OpenDemoForRead(roots.user, edition, title, key))
        Inform("Unable to Open key   spil folder");
    std::string folder;
    if (!key || !QueryStringValue(key.get(), "Folder", folder)) Inform("Unable to get gameinfo");
    return folder;
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
