// A setup that starts another program and ends at once, as self-extracting setups do.
//   spawner <pid file> <program> [arguments...]
// Appends the started program's process id to the pid file, one line per run, before it ends.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    std::string cmd = std::string("\"") + argv[2] + "\"";
    for (int i = 3; i < argc; ++i) cmd += std::string(" ") + argv[i];
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (FILE* f = std::fopen(argv[1], "a")) {
        std::fprintf(f, "%lu\n", static_cast<unsigned long>(pi.dwProcessId));
        std::fclose(f);
    }
    return 0;
}
