// A setup that shows no window and runs until it is told to end, for the tests of the menu's wait:
//   quietsetup <uninstall key>
// The test sets named events: "VindrelQuietSetup entry" makes the uninstall entry
// HKLM\...\Uninstall\<key> (its command this program), "VindrelQuietSetup rollback" deletes it
// again, as a setup that rolls its install back does, "VindrelQuietSetup end" ends the program.
// It ends by itself after two minutes, so that nothing outlives a failed test for long. Built for
// the windows subsystem, so that no console window shows either.
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string key = std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + argv[1];
    HANDLE events[] = {CreateEventA(nullptr, FALSE, FALSE, "VindrelQuietSetup entry"),
                       CreateEventA(nullptr, FALSE, FALSE, "VindrelQuietSetup rollback"),
                       CreateEventA(nullptr, FALSE, FALSE, "VindrelQuietSetup end")};
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string command = std::string("\"") + self + "\" /uninstall";
    for (;;) {
        const DWORD which = WaitForMultipleObjects(3, events, FALSE, 120000);
        if (which == WAIT_OBJECT_0) {
            HKEY entry;
            if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &entry,
                                nullptr) == ERROR_SUCCESS) {
                RegSetValueExA(entry, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                               static_cast<DWORD>(command.size() + 1));
                RegCloseKey(entry);
            }
        } else if (which == WAIT_OBJECT_0 + 1) {
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
        } else {
            return 0;
        }
    }
}
