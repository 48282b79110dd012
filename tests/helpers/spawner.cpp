// A setup that starts another program and ends at once, as self-extracting setups do.
//   spawner [--breakaway] <pid file> <program> [arguments...]
// Appends the started program's process id to the pid file, one line per run, before it ends.
// With --breakaway the program is started outside the setup's job, as an installer engine is.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    const bool breakaway = argc > 1 && std::strcmp(argv[1], "--breakaway") == 0;
    if (breakaway) {
        --argc;
        ++argv;
    }
    if (argc < 3) return 2;
    std::string cmd = std::string("\"") + argv[2] + "\"";
    for (int i = 3; i < argc; ++i) cmd += std::string(" ") + argv[i];
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const DWORD flags = breakaway ? CREATE_BREAKAWAY_FROM_JOB : 0;
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &si, &pi)) return 1;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (FILE* f = std::fopen(argv[1], "a")) {
        std::fprintf(f, "%lu\n", static_cast<unsigned long>(pi.dwProcessId));
        std::fclose(f);
    }
    return 0;
}
