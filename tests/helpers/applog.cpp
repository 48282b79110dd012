// Records that it ran: appends one line to a log file, optionally waits, and appends "<text> done".
//   applog <log file> <text> [milliseconds]
// Without arguments (started under a fixed name, as the DirectX installer is) the log file and
// the wait come from VINDREL_APPLOG and VINDREL_APPLOG_MS, and the text is the program's name.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Append(const std::string& log, const std::string& line) {
    if (FILE* f = std::fopen(log.c_str(), "a")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

std::string Environment(const char* name) {
    char value[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? value : "";
}

}  // namespace

int main(int argc, char** argv) {
    std::string log, text, wait;
    if (argc >= 3) {
        log = argv[1];
        text = argv[2];
        if (argc > 3) wait = argv[3];
    } else {
        log = Environment("VINDREL_APPLOG");
        wait = Environment("VINDREL_APPLOG_MS");
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, sizeof self);
        text = self;
        text = text.substr(text.find_last_of("\\/") + 1);
    }
    if (log.empty()) return 2;
    Append(log, text);
    if (!wait.empty()) {
        Sleep(static_cast<DWORD>(std::atoi(wait.c_str())));
        Append(log, text + " done");
    }
    return 0;
}
