#include "services/CDrom.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>

#include "services/Handles.h"
#include "services/Registry.h"

namespace vindrel {
namespace {

constexpr double kMB = 1048576.0;

const char* const kFontFiles[] = {"verdana.ttf", "verdanab.ttf", "verdanai.ttf", "verdanaz.ttf"};

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

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

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

namespace {

// ERROR_ELEVATION_REQUIRED, which older headers lack: Vista and later refuse to start a program
// whose manifest asks for administrator rights (or whose name looks like an installer's).
constexpr DWORD kElevationRequired = 740;

bool PlatformCreateProcess(std::string& commandLine, DWORD creationFlags, PROCESS_INFORMATION& started,
                           DWORD& error) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWDEFAULT;
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, creationFlags, nullptr, nullptr, &si,
                       &started))
        return true;
    error = GetLastError();
    return false;
}

HANDLE PlatformRunElevated(const std::string& file, const std::string& parameters, DWORD& error) {
    // An elevated program would otherwise start in the system folder, not in the setup's own.
    std::string folder(GetCurrentDirectoryA(0, nullptr), '\0');
    folder.resize(GetCurrentDirectoryA(static_cast<DWORD>(folder.size()), folder.data()));
    SHELLEXECUTEINFOA sei{};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    sei.lpVerb = "runas";
    sei.lpFile = file.c_str();
    sei.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    sei.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    sei.nShow = SW_SHOWDEFAULT;
    if (ShellExecuteExA(&sei)) return sei.hProcess;
    error = GetLastError();  // ERROR_CANCELLED when the user declines
    return nullptr;
}

bool PlatformJoinJob(HANDLE job, HANDLE process) { return AssignProcessToJobObject(job, process) != FALSE; }

bool NamesAFile(const std::string& path) {
    if (FileExists(path)) return true;
    size_t slash = path.find_last_of("\\/");
    size_t dot = path.rfind('.');
    return (dot == std::string::npos || (slash != std::string::npos && dot < slash)) && FileExists(path + ".exe");
}

}  // namespace

const Launcher& PlatformLauncher() {
    static const Launcher platform{PlatformCreateProcess, PlatformRunElevated, PlatformJoinJob};
    return platform;
}

SplitCommand SplitCommandLine(const std::string& commandLine) {
    auto rest = [&](size_t from) {
        size_t start = commandLine.find_first_not_of(" \t", from);
        return start == std::string::npos ? std::string() : commandLine.substr(start);
    };
    size_t begin = commandLine.find_first_not_of(" \t");
    if (begin == std::string::npos) return {};
    if (commandLine[begin] == '"') {
        size_t close = commandLine.find('"', begin + 1);
        if (close == std::string::npos) return {commandLine.substr(begin + 1), {}};
        return {commandLine.substr(begin + 1, close - begin - 1), rest(close + 1)};
    }
    // Unquoted, each blank in turn may end the program's name, shortest first, as CreateProcessA
    // reads "C:\Program Files\Demo\setup.exe /S"; when nothing exists, the first word.
    size_t end = commandLine.find_first_of(" \t", begin);
    const size_t firstEnd = end;
    while (end != std::string::npos) {
        if (NamesAFile(commandLine.substr(begin, end - begin))) return {commandLine.substr(begin, end - begin), rest(end)};
        end = commandLine.find_first_of(" \t", end + 1);
    }
    if (NamesAFile(commandLine.substr(begin))) return {commandLine.substr(begin), {}};
    if (firstEnd == std::string::npos) return {commandLine.substr(begin), {}};
    return {commandLine.substr(begin, firstEnd - begin), rest(firstEnd)};
}

bool ProgramExists(const std::string& commandLine) {
    const std::string file = SplitCommandLine(commandLine).file;
    if (file.empty()) return false;
    if (file.find_first_of("\\/:") != std::string::npos) return NamesAFile(file);
    // A bare name ("MsiExec.exe /X{...}") is found as the program start finds it.
    char found[MAX_PATH];
    const DWORD length = SearchPathA(nullptr, file.c_str(), ".exe", MAX_PATH, found, nullptr);
    return length > 0 && length < MAX_PATH && FileExists(found);
}

namespace {

// How often the programs left running are looked at once the started one has ended.
constexpr DWORD kTreePollMs = 200;

// The started program, and the job that holds it and everything it starts (none where the
// program could not be put in one).
struct StartedTree {
    UniqueKernelHandle job;
    UniqueKernelHandle thread;
    UniqueKernelHandle process;
};

UniqueKernelHandle NewJob() {
    UniqueKernelHandle job(CreateJobObjectA(nullptr, nullptr));
    if (!job) return job;
    // A program that asks to leave may; the programs are never killed when the menu lets go.
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_BREAKAWAY_OK;
    SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return job;
}

// Started suspended and put in the job before it runs, so nothing it starts can escape. Where
// the job is refused (the menu's own job forbids it), a second start breaking away from the
// menu's job may be allowed in; otherwise the first start runs and is followed alone.
bool StartInJob(const std::string& commandLine, const Launcher& launcher, StartedTree& tree, DWORD& error) {
    auto start = [&](DWORD flags, UniqueKernelHandle& thread, UniqueKernelHandle& process, DWORD& failure) {
        std::string cmd = commandLine;  // CreateProcessA may write into its command line
        PROCESS_INFORMATION pi{};
        if (!launcher.createProcess(cmd, flags, pi, failure)) return false;
        thread.reset(pi.hThread);
        process.reset(pi.hProcess);
        return true;
    };
    if (!start(CREATE_SUSPENDED, tree.thread, tree.process, error)) return false;
    tree.job = NewJob();
    if (tree.job && !launcher.joinJob(tree.job.get(), tree.process.get())) {
        UniqueKernelHandle thread, process;
        DWORD ignored = 0;
        if (start(CREATE_SUSPENDED | CREATE_BREAKAWAY_FROM_JOB, thread, process, ignored) &&
            launcher.joinJob(tree.job.get(), process.get())) {
            TerminateProcess(tree.process.get(), 0);  // the first start never ran
            tree.thread = std::move(thread);
            tree.process = std::move(process);
        } else {
            if (process) TerminateProcess(process.get(), 0);
            tree.job.reset();
        }
    }
    if (ResumeThread(tree.thread.get()) == static_cast<DWORD>(-1)) {
        // Left suspended it would hold the wait for ever: a program that could not be started.
        error = GetLastError();
        TerminateProcess(tree.process.get(), 0);
        return false;
    }
    return true;
}

// Ids of the job's programs that still run; false when the job cannot tell.
bool RunningInJob(HANDLE job, std::vector<DWORD>& ids) {
    std::vector<unsigned char> buffer;
    DWORD room = 16;
    for (;;) {
        buffer.assign(offsetof(JOBOBJECT_BASIC_PROCESS_ID_LIST, ProcessIdList) + room * sizeof(ULONG_PTR), 0);
        auto* list = reinterpret_cast<JOBOBJECT_BASIC_PROCESS_ID_LIST*>(buffer.data());
        const BOOL ok = QueryInformationJobObject(job, JobObjectBasicProcessIdList, list,
                                                  static_cast<DWORD>(buffer.size()), nullptr);
        if (ok) {
            ids.clear();
            for (DWORD i = 0; i < list->NumberOfProcessIdsInList; ++i)
                ids.push_back(static_cast<DWORD>(list->ProcessIdList[i]));
            return true;
        }
        if (GetLastError() != ERROR_MORE_DATA || list->NumberOfAssignedProcesses <= room) return false;
        room = list->NumberOfAssignedProcesses + 8;  // more may start meanwhile
    }
}

struct WindowSearch {
    const std::vector<DWORD>& ids;
    bool found = false;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    search.found = IsWindowVisible(window) && std::find(search.ids.begin(), search.ids.end(), id) != search.ids.end();
    return !search.found;
}

bool ShowsAWindow(const std::vector<DWORD>& ids) {
    WindowSearch search{ids};
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Delivers the waiting messages; a quit request is kept for the main loop, since posted back now
// it would wake the wait at once, forever.
void DeliverMessages(bool& quit, int& quitCode) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            quitCode = static_cast<int>(msg.wParam);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Sleeps on the first program and wakes only for messages, so no processor time is spent and
// every wake empties the queue; once it has ended, looks at what is left of its job now and then.
void WaitForTree(HANDLE first, HANDLE job) {
    bool quit = false, firstRunning = true;
    int quitCode = 0;
    // GetTickCount, not its 64-bit sibling, which XP lacks: the differences stay right across the
    // 49-day wrap since they are taken in unsigned 32 bits.
    DWORD lastWindow = 0, nextLook = 0;
    for (;;) {
        DeliverMessages(quit, quitCode);
        const DWORD now = GetTickCount();
        const auto untilLook = static_cast<LONG>(nextLook - now);
        if (!firstRunning && untilLook <= 0) {
            std::vector<DWORD> running;
            if (!job || !RunningInJob(job, running) || running.empty()) break;
            if (ShowsAWindow(running)) lastWindow = now;
            else if (now - lastWindow >= kLeftoverQuietMs) break;
            nextLook = now + kTreePollMs;
        }
        const LONG untilNext = std::max(static_cast<LONG>(nextLook - GetTickCount()), LONG{0});
        const DWORD woke = firstRunning
                               ? MsgWaitForMultipleObjects(1, &first, FALSE, INFINITE, QS_ALLINPUT)
                               : MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(untilNext), QS_ALLINPUT);
        if (woke == WAIT_FAILED) break;
        if (firstRunning && woke == WAIT_OBJECT_0) {
            firstRunning = false;
            lastWindow = nextLook = GetTickCount();
        }
    }
    if (quit) PostQuitMessage(quitCode);
}

}  // namespace

bool RunAndWait(const std::string& commandLine, const Launcher& launcher) {
    StartedTree tree;
    DWORD error = 0;
    if (!StartInJob(commandLine, launcher, tree, error)) {
        if (error != kElevationRequired) return false;
        SplitCommand split = SplitCommandLine(commandLine);
        tree.process.reset(launcher.runElevated(split.file, split.parameters, error));
        if (!tree.process) return false;
        // Already running: only what it starts from now on can be followed, if the job is allowed.
        tree.job = NewJob();
        if (tree.job && !launcher.joinJob(tree.job.get(), tree.process.get())) tree.job.reset();
    }
    WaitForTree(tree.process.get(), tree.job.get());
    tree.thread.reset();  // the thread handle first (none after an elevated start), then the process handle
    tree.process.reset();
    return true;
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

PrivateFonts::PrivateFonts() {
    for (const char* file : kFontFiles) {
        std::string path = std::string("\\Diverse\\") + file;
        if (AddFontResourceExA(path.c_str(), FR_PRIVATE, nullptr) > 0) loaded_.push_back(std::move(path));
    }
}

PrivateFonts::~PrivateFonts() {
    for (const std::string& path : loaded_) RemoveFontResourceExA(path.c_str(), FR_PRIVATE, nullptr);
}

}  // namespace vindrel
