#include "services/CDrom.h"

#include <mmsystem.h>

#include <climits>
#include <cmath>

#include "services/Handles.h"
#include "services/Registry.h"

namespace vindrel {
namespace {

constexpr double kMB = 1048576.0;

const char* const kFontFiles[] = {"verdana.ttf", "verdanab.ttf", "verdanai.ttf", "verdanaz.ttf"};

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// GetSystemDirectoryA or GetWindowsDirectoryA, sized from its first answer so that a path of
// any length fits; empty when the platform does not answer.
std::string AskDirectory(UINT(WINAPI* ask)(LPSTR, UINT)) {
    UINT size = ask(nullptr, 0);
    if (size == 0) return {};
    std::string dir(size, '\0');
    UINT len = ask(dir.data(), size);
    if (len == 0 || len >= size) return {};
    dir.resize(len);
    return dir;
}

int32_t CapToInt32(int64_t value) { return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value); }

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
    return CapToInt32(RoundHalfEven(static_cast<double>(totalPhysBytes) / kMB + 1.0));
}

int64_t DriveFreeMB(uint32_t sectorsPerCluster, uint32_t bytesPerSector, uint32_t freeClusters) {
    // Two 32-bit factors always fit 64 bits; only a nonsensical third one can overflow.
    uint64_t bytes = 0;
    if (__builtin_mul_overflow(uint64_t{sectorsPerCluster} * bytesPerSector, uint64_t{freeClusters}, &bytes))
        bytes = UINT64_MAX;
    return RoundHalfEven(static_cast<double>(bytes) / kMB);
}

int32_t SumFreeDiskMB(const DriveQueryFn& query) {
    int64_t total = 1;
    DriveQuery c = query('C');
    if (c.freeOk) total = DriveFreeMB(c.sectorsPerCluster, c.bytesPerSector, c.freeClusters);
    for (char letter : {'D', 'E', 'F'}) {
        DriveQuery d = query(letter);
        if (d.type == DRIVE_FIXED && d.freeOk)
            total += DriveFreeMB(d.sectorsPerCluster, d.bytesPerSector, d.freeClusters);
    }
    return CapToInt32(total);
}

DriveQuery QueryDrive(char letter) {
    char root[] = "A:\\";
    root[0] = letter;
    DriveQuery q;
    q.type = GetDriveTypeA(root);
    if (letter != 'C' && q.type != DRIVE_FIXED) return q;  // would not count anyway
    // C: is asked whatever it is; should it be a drive without media, fail instead of asking.
    // SetErrorMode tells the old mode only by replacing it, hence the second call.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    SetErrorMode(oldMode | SEM_FAILCRITICALERRORS);
    DWORD spc = 0, bps = 0, freeClusters = 0, total = 0;
    q.freeOk = GetDiskFreeSpaceA(root, &spc, &bps, &freeClusters, &total) != 0;
    SetErrorMode(oldMode);
    q.sectorsPerCluster = spc;
    q.bytesPerSector = bps;
    q.freeClusters = freeClusters;
    return q;
}

int32_t ProbeCpuMHz() { return 0; }

int32_t ProbeRamMB() {
    // The extended status counts memory above 4 GB; the plain one (a 32-bit count on 32-bit
    // systems) is the fall-back for systems without it.
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
    std::string dir = AskDirectory(GetSystemDirectoryA);
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
    HANDLE waitFor = process.get();
    // Sleep on the process and wake only for messages: no processor time is spent while the
    // program runs, and every wake empties the queue so the pages stay painted and responsive.
    bool quit = false;
    int quitCode = 0;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // Kept for the main loop: posted back now, it would wake this wait at once, forever.
                quit = true;
                quitCode = static_cast<int>(msg.wParam);
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } while (MsgWaitForMultipleObjects(1, &waitFor, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1);
    if (quit) PostQuitMessage(quitCode);
    thread.reset();  // the thread handle first, then the process handle
    process.reset();
}

std::string ReadFontsFolder() {
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Folders\\", 0,
                      KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, key.put()) != ERROR_SUCCESS)
        return kNoUninstallInfo;
    std::string folder;
    if (!QueryStringValue(key.get(), "Fonts", folder))
        MessageBoxA(nullptr, "ERROR", "Information", MB_OK | MB_ICONINFORMATION);
    return folder;
}

void InstallFonts() { InstallFontsFrom("\\"); }

void InstallFontsFrom(const std::string& sourceRoot) {
    const std::string fonts = ReadFontsFolder();
    const std::string windows = AskDirectory(GetWindowsDirectoryA);
    std::string diverse = sourceRoot;
    if (diverse.empty() || diverse.back() != '\\') diverse += '\\';
    diverse += "Diverse\\";
    // Without a fonts folder the copies would land in the drive's root or a relative folder.
    if (!fonts.empty() && fonts != kNoUninstallInfo)
        for (const char* file : kFontFiles) CopyFileA((diverse + file).c_str(), (fonts + "\\" + file).c_str(), TRUE);
    if (!windows.empty()) CopyFileA((diverse + "msfont.txt").c_str(), (windows + "\\msfont.txt").c_str(), TRUE);
    AddFontResourceA("verdana.ttf");
    // Our own windows hear of the change at once; other programs' windows are told without
    // waiting, so a window elsewhere that does not answer cannot hold up the menu's start.
    SendNotifyMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
}

void PlayUiSound(const char* resourceName) {
    PlaySoundA(resourceName, GetModuleHandleA(nullptr), SND_RESOURCE | SND_NODEFAULT | SND_ASYNC);
}

}  // namespace vindrel
