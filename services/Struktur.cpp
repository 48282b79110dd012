// The registry records of installed demos, and the look-ups they need.
#include <algorithm>
#include <cstring>

#include "services/CDrom.h"
#include "services/Handles.h"

namespace vindrel {

const char kNoUninstallInfo[] = "No uninstalinfo";
const char kRecordsRoot[] = "Software\\Vindrel_Games";

namespace {

constexpr REGSAM kReadAccess = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS;
constexpr DWORD kRecordValueBytes = 255;
constexpr size_t kMaxText = 255;

// Values are 255 bytes: text, its zero and zero padding. A longer text is stored whole.
void SetPaddedString(HKEY key, const char* name, const std::string& text) {
    std::string data(text);
    data.resize(std::max<size_t>(text.size() + 1, kRecordValueBytes), '\0');
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
}

// Reads a string value whole into out (up to its first zero byte). False on a missing value or
// one of another type; out is then left unchanged.
bool QueryString(HKEY key, const char* name, std::string& out) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    std::string buf(size + 1, '\0');
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size) != ERROR_SUCCESS)
        return false;
    out.assign(buf.c_str());
    return true;
}

std::string Cut(std::string text) {
    if (text.size() > kMaxText) text.resize(kMaxText);
    return text;
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
    for (DWORD i = 0; i < count; ++i) {
        std::string name(longest + 1, '\0');
        DWORD len = longest + 1;
        if (RegEnumKeyExA(key, i, name.data(), &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) continue;
        name.resize(len);
        names.push_back(name);
    }
    return true;
}

// The data of a key's first value in enumeration order, as text up to its first zero byte.
bool FirstValueText(HKEY key, std::string& out) {
    char name[300];
    DWORD nameLen = sizeof name;
    DWORD type = 0, size = 0;
    if (RegEnumValueA(key, 0, name, &nameLen, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    std::string data(size + 1, '\0');
    nameLen = sizeof name;
    if (RegEnumValueA(key, 0, name, &nameLen, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return false;
    out.assign(data.c_str());
    return true;
}

void Inform(const char* text) { MessageBoxA(nullptr, text, "Information", MB_OK | MB_ICONINFORMATION); }

std::string DemoKey(const std::string& edition, const std::string& title) {
    return std::string(kRecordsRoot) + "\\" + edition + "\\" + title;
}

}  // namespace

void WriteInstallRecord(const std::string& edition, const std::string& shortTitle, const std::string& group,
                        const std::string& command) {
    if (command == kNoUninstallInfo) return;
    UniqueRegKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, DemoKey(edition, shortTitle).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        return;
    SetPaddedString(key.get(), "Afinstallationsstreng", command);
    SetPaddedString(key.get(), "Folder", group);
}

void DeleteInstallRecord(const std::string& edition, const std::string& title) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, DemoKey(edition, title).c_str());
}

void ReadInstalledDemos(std::vector<InstalledDemo>& list) {
    UniqueRegKey root;
    std::vector<std::string> editions;
    if (!OpenForRead(HKEY_LOCAL_MACHINE, kRecordsRoot, root) || !SubKeyNames(root.get(), editions)) return;
    for (const std::string& edition : editions) {
        UniqueRegKey editionKey;
        std::vector<std::string> titles;
        if (!OpenForRead(HKEY_LOCAL_MACHINE, std::string(kRecordsRoot) + "\\" + edition, editionKey) ||
            !SubKeyNames(editionKey.get(), titles))
            continue;
        for (const std::string& title : titles) {
            UniqueRegKey demoKey;
            std::string command;
            if (!OpenForRead(HKEY_LOCAL_MACHINE, DemoKey(edition, title), demoKey)) continue;
            // A demo key without a readable value still lists, with an empty command.
            FirstValueText(demoKey.get(), command);
            list.push_back(InstalledDemo{Cut(edition), Cut(title), Cut(command), false});
        }
    }
}

std::string LookUpUninstallString(const std::string& uninstallKey) {
    UniqueRegKey key;
    if (!OpenForRead(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + uninstallKey,
                     key))
        return kNoUninstallInfo;
    // A key without a usable command counts as no uninstall information: never store an empty one.
    std::string command;
    if (!QueryString(key.get(), "UninstallString", command) || command.empty()) return kNoUninstallInfo;
    return command;
}

std::string ReadProgramsFolder() {
    UniqueRegKey key;
    if (!OpenForRead(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", key))
        Inform("Unable to Open key   Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    std::string folder;
    if (key) QueryString(key.get(), "Programs", folder);
    return folder;
}

std::string ReadRecordFolder(const std::string& title, const std::string& edition) {
    UniqueRegKey key;
    if (!OpenForRead(HKEY_LOCAL_MACHINE, DemoKey(edition, title), key)) Inform("Unable to Open key   spil folder");
    std::string folder;
    if (!key || !QueryString(key.get(), "Folder", folder)) Inform("Unable to get gameinfo");
    return folder;
}

}  // namespace vindrel
