// A stand-in Program Manager DDE server: answers the service "PROGMAN" on any topic and writes
// every execute command it receives to a log file, one per line.
//   progstub.exe <log file> [seconds to live]
// Started without arguments (as "PROGMAN " by a client's fall-back), it logs to progman.log beside
// itself, records how it was asked to show itself, and ends two seconds after the first command.
// The run command starts it so that the menu's exit command reaches it instead of opening the
// platform's own Program Manager window; the tests read the log to see what arrived.
#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

DWORD g_instance = 0;
HSZ g_service = nullptr;
HSZ g_topic = nullptr;
std::string g_log;
bool g_endAfterCommand = false;

void Append(const std::string& line) {
    if (FILE* f = std::fopen(g_log.c_str(), "ab")) {
        std::fwrite(line.data(), 1, line.size(), f);
        std::fputc('\n', f);
        std::fclose(f);
    }
}

HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ, HSZ hsz2, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    switch (type) {
        case XTYP_CONNECT:
            return reinterpret_cast<HDDEDATA>(TRUE);
        case XTYP_WILDCONNECT: {
            HSZPAIR pairs[2] = {{g_service, g_topic}, {nullptr, nullptr}};
            return DdeCreateDataHandle(g_instance, reinterpret_cast<BYTE*>(pairs), sizeof pairs, 0, nullptr, 0, 0);
        }
        case XTYP_EXECUTE: {
            DWORD size = DdeGetData(data, nullptr, 0, 0);
            std::string text(size, '\0');
            DdeGetData(data, reinterpret_cast<BYTE*>(text.data()), size, 0);
            Append(text.c_str());
            if (g_endAfterCommand) SetTimer(nullptr, 0, 2000, nullptr);
            return reinterpret_cast<HDDEDATA>(DDE_FACK);
        }
    }
    (void)hsz2;
    return nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    DWORD seconds = 0;
    if (__argc >= 2) {
        g_log = __argv[1];
        if (__argc > 2) seconds = static_cast<DWORD>(std::atoi(__argv[2]));
    } else {
        char path[MAX_PATH];
        DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
        std::string self(path, n);
        g_log = self.substr(0, self.rfind('\\') + 1) + "progman.log";
        g_endAfterCommand = true;
        seconds = 120;
    }
    if (DdeInitializeA(&g_instance, Callback, APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_REQUESTS | CBF_FAIL_POKES,
                       0) != DMLERR_NO_ERROR)
        return 1;
    g_service = DdeCreateStringHandleA(g_instance, "PROGMAN", CP_WINANSI);
    g_topic = DdeCreateStringHandleA(g_instance, "PROGMAN", CP_WINANSI);
    if (!DdeNameService(g_instance, g_service, nullptr, DNS_REGISTER)) return 1;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    if (si.dwFlags & STARTF_USESHOWWINDOW) Append("SHOW " + std::to_string(si.wShowWindow));
    Append("READY");
    if (seconds) SetTimer(nullptr, 0, seconds * 1000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr) break;
        DispatchMessageA(&msg);
    }
    DdeNameService(g_instance, g_service, nullptr, DNS_UNREGISTER);
    DdeUninitialize(g_instance);
    return 0;
}
