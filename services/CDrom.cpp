#include "services/CDrom.h"

#include <mmsystem.h>

#include <climits>
#include <cmath>

#include "services/Handles.h"

namespace vindrel {
namespace {

constexpr double kMB = 1048576.0;

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// Reads a REG_SZ (or REG_EXPAND_SZ) value whole; false, output untouched, on any failure.
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

// The system directory, however long its path.
std::string SystemDirectory() {
    UINT n = GetSystemDirectoryA(nullptr, 0);
    if (n == 0) return {};
    std::string dir(n, '\0');
    n = GetSystemDirectoryA(dir.data(), n);
    dir.resize(n);
    return dir;
}

std::string WindowsDirectory() {
    UINT n = GetWindowsDirectoryA(nullptr, 0);
    if (n == 0) return {};
    std::string dir(n, '\0');
    n = GetWindowsDirectoryA(dir.data(), n);
    dir.resize(n);
    return dir;
}

}  // namespace

// ---- Machine probes -------------------------------------------------------------------------

int64_t RoundHalfEven(double value) {
    // Spelled out rather than left to the FPU's current rounding mode.
    double low = std::floor(value);
    double rest = value - low;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(low, 2.0) != 0.0)) low += 1.0;
    return static_cast<int64_t>(low);
}

int32_t RamMBFromBytes(uint64_t totalPhysBytes) {
    int64_t mb = RoundHalfEven(static_cast<double>(totalPhysBytes) / kMB + 1.0);
    return mb > INT32_MAX ? INT32_MAX : static_cast<int32_t>(mb);
}

int64_t DriveFreeMB(uint32_t sectorsPerCluster, uint32_t bytesPerSector, uint32_t freeClusters) {
    // 64-bit product: a modern disk's free bytes never wrap.
    uint64_t bytes = uint64_t{sectorsPerCluster} * bytesPerSector * freeClusters;
    return RoundHalfEven(static_cast<double>(bytes) / kMB);
}

int32_t SumFreeDiskMB(const DriveQueryFn& query) {
    int64_t total = 1;
    DriveQuery c = query('C');
    if (c.freeOk) total = DriveFreeMB(c.sectorsPerCluster, c.bytesPerSector, c.freeClusters);
    for (char letter : {'D', 'E', 'F'}) {
        DriveQuery d = query(letter);
        if (d.type == DRIVE_FIXED && d.freeOk) total += DriveFreeMB(d.sectorsPerCluster, d.bytesPerSector, d.freeClusters);
    }
    return total > INT32_MAX ? INT32_MAX : static_cast<int32_t>(total);
}

DriveQuery QueryDrive(char letter) {
    char root[] = "A:\\";
    root[0] = letter;
    DriveQuery q;
    q.type = GetDriveTypeA(root);
    DWORD spc = 0, bps = 0, freeClusters = 0, total = 0;
    q.freeOk = GetDiskFreeSpaceA(root, &spc, &bps, &freeClusters, &total) != 0;
    q.sectorsPerCluster = spc;
    q.bytesPerSector = bps;
    q.freeClusters = freeClusters;
    return q;
}

int32_t ProbeCpuMHz() { return 0; }

int32_t ProbeRamMB() {
    // The extended status reports memory above 4 GB; the plain one is the fall-back for old systems.
    using StatusEx = BOOL(WINAPI*)(LPMEMORYSTATUSEX);
    auto statusEx = reinterpret_cast<StatusEx>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GlobalMemoryStatusEx")));
    if (statusEx) {
        MEMORYSTATUSEX ms{};
        ms.dwLength = sizeof ms;
        if (statusEx(&ms)) return RamMBFromBytes(ms.ullTotalPhys);
    }
    MEMORYSTATUS ms{};
    ms.dwLength = sizeof ms;
    GlobalMemoryStatus(&ms);
    return RamMBFromBytes(ms.dwTotalPhys);
}

int32_t ProbeFreeDiskMB() { return SumFreeDiskMB(QueryDrive); }

int32_t Probe3dfx() {
    std::string dir = SystemDirectory();
    if (dir.empty()) return 0;
    return FileExists(dir + "\\glide2x.dll") ? 1 : 0;
}

MachineProfile ProbeMachine() {
    MachineProfile m;
    m.CpuMHz = ProbeCpuMHz();
    m.RamMB = ProbeRamMB();
    m.FreeDiskMB = ProbeFreeDiskMB();
    m.Has3dfx = Probe3dfx();
    return m;
}

// ---- Setup launch, fonts and sounds --------------------------------------------------------

void RunAndWait(const std::string& commandLine) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWDEFAULT;
    PROCESS_INFORMATION pi{};
    std::string cmd = commandLine;  // CreateProcessA may write into its command line
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    UniqueKernelHandle thread(pi.hThread);
    UniqueKernelHandle process(pi.hProcess);
    // Sleep until the program ends or a message arrives; dispatch messages so pages stay alive.
    for (;;) {
        DWORD r = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, INFINITE, QS_ALLINPUT);
        if (r != WAIT_OBJECT_0 + 1) break;  // ended, or the wait itself failed
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop, after the wait
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        DWORD code = 0;
        if (!GetExitCodeProcess(pi.hProcess, &code) || code != STILL_ACTIVE) break;
    }
    thread.reset();  // the thread handle first, then the process handle
    process.reset();
}

std::string ReadFontsFolder() {
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Folders\\", 0,
                      KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, key.put()) != ERROR_SUCCESS)
        return kNoUninstallInfo;
    std::string folder;
    if (!QueryString(key.get(), "Fonts", folder))
        MessageBoxA(nullptr, "ERROR", "Information", MB_OK | MB_ICONINFORMATION);
    return folder;
}

void InstallFonts() {
    const std::string fonts = ReadFontsFolder();
    const std::string windows = WindowsDirectory();
    for (const char* face : {"verdana.ttf", "verdanab.ttf", "verdanai.ttf", "verdanaz.ttf"})
        CopyFileA((std::string("\\Diverse\\") + face).c_str(), (fonts + "\\" + face).c_str(), TRUE);
    CopyFileA("\\Diverse\\msfont.txt", (windows + "\\msfont.txt").c_str(), TRUE);
    AddFontResourceA("verdana.ttf");
    // Our own windows hear of the change at once; other programs' windows are told without
    // waiting, so a window elsewhere that does not answer cannot hold up the menu's start.
    SendNotifyMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
}

void PlayUiSound(const char* resourceName) {
    PlaySoundA(resourceName, GetModuleHandleA(nullptr), SND_RESOURCE | SND_NODEFAULT | SND_ASYNC);
}

}  // namespace vindrel
