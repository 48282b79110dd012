// A stand-in Program Manager DDE server: answers the service "PROGMAN" on any topic and writes
// every execute command it receives to a log file, one per line.
//   progstub.exe <log file> [seconds to live]
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
            return reinterpret_cast<HDDEDATA>(DDE_FACK);
        }
    }
    (void)hsz2;
    return nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 2) return 2;
    g_log = __argv[1];
    DWORD seconds = __argc > 2 ? static_cast<DWORD>(std::atoi(__argv[2])) : 0;
    if (DdeInitializeA(&g_instance, Callback, APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_REQUESTS | CBF_FAIL_POKES,
                       0) != DMLERR_NO_ERROR)
        return 1;
    g_service = DdeCreateStringHandleA(g_instance, "PROGMAN", CP_WINANSI);
    g_topic = DdeCreateStringHandleA(g_instance, "PROGMAN", CP_WINANSI);
    if (!DdeNameService(g_instance, g_service, nullptr, DNS_REGISTER)) return 1;
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
