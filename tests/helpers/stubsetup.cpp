// A stub setup that hands over to an installer engine outside its job: starts Real\Setup.exe
// beside itself with CREATE_BREAKAWAY_FROM_JOB and ends at once.
#include <windows.h>

#include <string>

int main() {
    char self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 2;
    std::string cmd(self);
    cmd = "\"" + cmd.substr(0, cmd.find_last_of('\\')) + "\\Real\\Setup.exe\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_BREAKAWAY_FROM_JOB, nullptr, nullptr, &si,
                        &pi))
        return 1;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}
