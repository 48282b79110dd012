#include "services/CDrom.h"

#include <mmsystem.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>

#include "catalogue/Rulebook.h"
#include "services/Handles.h"
#include "services/Registry.h"
#include "toolkit/Text.h"

namespace vindrel {
namespace {

constexpr double kMB = 1048576.0;

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

// A text of the given code page as UTF-16: the catalogue's are Windows-1252, what the system's
// narrow calls gave (records, uninstall commands, folders) is in the system's code page.
std::wstring WideIn(UINT codePage, const std::string& text) {
    if (codePage == kTextCodePage) return Wide(text);
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
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

// Through the wide calls, so that a path of the CD with letters beyond ASCII names the same file
// whatever the system's code page.
template <UINT CodePage>
bool PlatformCreateProcess(std::string& commandLine, DWORD creationFlags, PROCESS_INFORMATION& started,
                           DWORD& error) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWDEFAULT;
    std::wstring wide = WideIn(CodePage, commandLine);  // CreateProcessW may write into it
    if (CreateProcessW(nullptr, wide.data(), nullptr, nullptr, FALSE, creationFlags, nullptr, nullptr, &si, &started))
        return true;
    error = GetLastError();
    return false;
}

template <UINT CodePage>
HANDLE PlatformRunElevated(const std::string& file, const std::string& parameters, DWORD& error) {
    // An elevated program would otherwise start in the system folder, not in the setup's own.
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    const std::wstring wideFile = WideIn(CodePage, file), wideParameters = WideIn(CodePage, parameters);
    SHELLEXECUTEINFOW sei{};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    sei.lpVerb = L"runas";
    sei.lpFile = wideFile.c_str();
    sei.lpParameters = wideParameters.empty() ? nullptr : wideParameters.c_str();
    sei.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    sei.nShow = SW_SHOWDEFAULT;
    if (ShellExecuteExW(&sei)) return sei.hProcess;
    error = GetLastError();  // ERROR_CANCELLED when the user declines
    return nullptr;
}

bool PlatformJoinJob(HANDLE job, HANDLE process) { return AssignProcessToJobObject(job, process) != FALSE; }

bool PlatformListProcesses(std::vector<ProcessEntry>& running) {
    UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) {
        snapshot.release();  // INVALID_HANDLE_VALUE is no handle to close
        return false;
    }
    running.clear();
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry))
        running.push_back({entry.th32ProcessID, entry.th32ParentProcessID});
    return true;
}

bool EndsWithNoCase(const std::string& text, const char* end) {
    const size_t n = std::char_traits<char>::length(end);
    return text.size() >= n && lstrcmpiA(text.c_str() + text.size() - n, end) == 0;
}

bool NamesAFile(const std::string& path) {
    if (FileExists(path)) return true;
    size_t slash = path.find_last_of("\\/");
    size_t dot = path.rfind('.');
    return (dot == std::string::npos || (slash != std::string::npos && dot < slash)) && FileExists(path + ".exe");
}

}  // namespace

const Launcher& PlatformLauncher() {
    static const Launcher platform{PlatformCreateProcess<kTextCodePage>, PlatformRunElevated<kTextCodePage>,
                                   PlatformJoinJob, PlatformListProcesses};
    return platform;
}

const Launcher& SystemTextLauncher() {
    static const Launcher platform{PlatformCreateProcess<CP_ACP>, PlatformRunElevated<CP_ACP>, PlatformJoinJob,
                                   PlatformListProcesses};
    return platform;
}

const char kInstallerBusyMutex[] = "Global\\_MSIExecute";

std::string SystemFolder() { return AskDirectory(GetSystemDirectoryA); }

std::string SetupCommandLine(const std::string& setupPath) {
    if (!EndsWithNoCase(setupPath, ".msi")) return setupPath;
    // The package is handed over whole: msiexec keeps it as the product's source. The program is
    // named with its full path so that nothing in the current folder (the CD) is started instead.
    // Both parts in the catalogue's code page, which the launcher hands over as UTF-16.
    wchar_t system[MAX_PATH];
    const UINT systemLength = GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring path = Wide(setupPath);
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring package(size, L'\0');
    const DWORD length = size ? GetFullPathNameW(path.c_str(), size, package.data(), nullptr) : 0;
    if (systemLength == 0 || systemLength >= MAX_PATH || length == 0 || length >= size) return {};
    package.resize(length);
    return "\"" + Narrow(std::wstring(system, systemLength)) + "\\msiexec.exe\" /i \"" + Narrow(package) + "\"";
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

// How often the programs of the tree are looked at (the job's members, the process list, the
// Installer): often once the first program has ended, seldom while it runs, when its children
// are found through it at its end and only passing members of the tree can be missed. The process
// list costs the most: with a job, it is taken only every so many looks while the first runs.
constexpr DWORD kTreePollMs = 200;
constexpr DWORD kFirstRunningPollMs = 1000;
constexpr unsigned kListEveryWithJob = 5;

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
// menu's job may be allowed in; otherwise the first start runs without a job.
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

// Every program of the started tree seen so far. Each is held open until the wait ends, so that
// its id cannot pass to another program meanwhile; a program whose parent id is a member's counts
// only when it began after that member, since the id may have been another's before.
class ProgramTree {
public:
    explicit ProgramTree(HANDLE first) {
        HANDLE copy = nullptr;
        if (DuplicateHandle(GetCurrentProcess(), first, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
            Add(GetProcessId(first), UniqueKernelHandle(copy));
    }

    // Takes in the job's members and, with the process list, every program whose parent is a
    // member. The job is cheap to ask; the process list is not.
    void Look(HANDLE job, const Launcher& launcher, bool withList) {
        std::vector<DWORD> inJob;
        if (job && RunningInJob(job, inJob))
            for (DWORD id : inJob)
                if (!Find(id)) Add(id, Open(id));
        if (!withList) return;
        std::vector<ProcessEntry> all;
        if (!launcher.listProcesses || !launcher.listProcesses(all)) return;
        listed_ = true;
        // Repeated, since a child may come before its parent in the list.
        for (bool grew = true; grew;) {
            grew = false;
            for (const ProcessEntry& e : all) {
                const Member* parent = e.parentId != e.id ? Find(e.parentId) : nullptr;
                if (!parent || Find(e.id)) continue;
                const uint64_t parentStart = parent->started;
                UniqueKernelHandle child = Open(e.id);
                if (child && StartTime(child.get()) >= parentStart) {
                    Add(e.id, std::move(child));
                    grew = true;
                }
            }
        }
    }
    // Whether programs beyond the first can be followed: by the job or by the process list.
    bool Followed(HANDLE job) const { return job || listed_; }
    std::vector<DWORD> Running() const {
        std::vector<DWORD> ids;
        for (const Member& m : members_)
            if (WaitForSingleObject(m.process.get(), 0) == WAIT_TIMEOUT) ids.push_back(m.id);
        return ids;
    }

private:
    struct Member {
        DWORD id;
        UniqueKernelHandle process;
        uint64_t started;
    };
    // The limited right reaches elevated programs from an unelevated menu (Vista and later);
    // older systems know only the full one. The constant is spelt out for older headers.
    static UniqueKernelHandle Open(DWORD id) {
        constexpr DWORD kQueryLimited = 0x1000;
        UniqueKernelHandle h(OpenProcess(SYNCHRONIZE | kQueryLimited, FALSE, id));
        if (!h) h.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, id));
        return h;
    }
    static uint64_t StartTime(HANDLE process) {
        FILETIME created{}, ended, kernel, user;
        if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return 0;
        return (uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime;
    }
    const Member* Find(DWORD id) const {
        for (const Member& m : members_)
            if (m.id == id) return &m;
        return nullptr;
    }
    void Add(DWORD id, UniqueKernelHandle process) {
        if (!process) return;  // not ours to see: it cannot be waited for either
        const uint64_t started = StartTime(process.get());
        members_.push_back({id, std::move(process), started});
    }
    std::vector<Member> members_;
    bool listed_ = false;
};

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

bool InstallerBusy() {
    UniqueKernelHandle mutex(OpenMutexA(SYNCHRONIZE, FALSE, kInstallerBusyMutex));
    return static_cast<bool>(mutex);
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

}  // namespace

// The started programs and what the wait has learnt of them so far.
struct ProgramRun::State {
    State(StartedTree started, const Launcher& how)
        : launcher(how), tree(std::move(started)), programs(tree.process.get()),
          // An installation already under way at the start is another's, until the Installer
          // has been seen idle.
          installerWasBusy(InstallerBusy()) {}

    HANDLE First() const { return tree.process.get(); }
    void FirstEnded(DWORD now) {
        firstRunning = false;
        lastWindow = nextLook = now;  // look at once
    }
    bool TimeToLook(DWORD now) const { return static_cast<LONG>(nextLook - now) <= 0; }

    // One look at the tree; true when the wait is over: once the first has ended, the rest of the
    // tree and then the Installer hold it.
    bool Look(DWORD now) {
        // While the first runs, its children are its own (and found through it at its end); the
        // list is taken now and then only for the children of the job's passing members, and
        // where no job holds them, for grandchildren whose parent ends early.
        const HANDLE job = tree.job.get();
        const bool withList = !firstRunning || !job || ++looks % kListEveryWithJob == 0;
        programs.Look(job, launcher, withList);
        const bool installerBusy = InstallerBusy();
        installerWasBusy = installerWasBusy && installerBusy;
        const std::vector<DWORD> running =
            firstRunning || programs.Followed(job) ? programs.Running() : std::vector<DWORD>();
        if (!running.empty() && ShowsAWindow(running)) {
            lastWindow = lastShown = now;
        }
        quiet = !running.empty() && now - lastShown >= launcher.quietNoticeMs;
        nextLook = now + (firstRunning ? kFirstRunningPollMs : kTreePollMs);
        if (firstRunning) return false;
        const bool treeEnded = running.empty() || now - lastWindow >= launcher.leftoverQuietMs;
        return treeEnded && !(installerBusy && !installerWasBusy);
    }

    Launcher launcher;
    StartedTree tree;
    ProgramTree programs;
    bool installerWasBusy;
    bool firstRunning = true;
    bool ended = false;
    bool quiet = false;
    // GetTickCount, not its 64-bit sibling, which XP lacks: the differences stay right across the
    // 49-day wrap since they are taken in unsigned 32 bits.
    DWORD lastWindow = GetTickCount();
    DWORD lastShown = lastWindow;  // a window of any program of the tree, the first included
    DWORD nextLook = lastWindow;
    unsigned looks = 0;
};

ProgramRun::ProgramRun(std::unique_ptr<State> state) : state_(std::move(state)) {}

ProgramRun::~ProgramRun() {
    if (!state_) return;
    state_->tree.thread.reset();  // the thread handle first (none after an elevated start), then the process handle
    state_->tree.process.reset();
}

std::unique_ptr<ProgramRun> ProgramRun::Start(const std::string& commandLine, const Launcher& launcher) {
    StartedTree tree;
    DWORD error = 0;
    if (!StartInJob(commandLine, launcher, tree, error)) {
        if (error != kElevationRequired) return nullptr;
        SplitCommand split = SplitCommandLine(commandLine);
        tree.process.reset(launcher.runElevated(split.file, split.parameters, error));
        if (!tree.process) return nullptr;
        // Already running: only what it starts from now on can be followed, if the job is allowed.
        tree.job = NewJob();
        if (tree.job && !launcher.joinJob(tree.job.get(), tree.process.get())) tree.job.reset();
    }
    return std::unique_ptr<ProgramRun>(new ProgramRun(std::make_unique<State>(std::move(tree), launcher)));
}

// Sleeps on the first program, the watch's events and messages, waking now and then to look at
// the tree.
bool ProgramRun::Wait(const WaitWatch* watch, const WaitHandOff* handOff) {
    State& s = *state_;
    bool quit = false, toldQuiet = false;
    int quitCode = 0;
    auto tell = [&](bool quiet) {
        if (quiet == toldQuiet) return;
        toldQuiet = quiet;
        if (handOff && handOff->quietChanged) handOff->quietChanged(quiet);
    };
    while (!s.ended) {
        DeliverMessages(quit, quitCode);
        if (handOff && (quit || (handOff->letGo && handOff->letGo()))) break;  // the programs run on
        const DWORD now = GetTickCount();
        if (s.TimeToLook(now)) {
            s.ended = s.Look(now);
            tell(s.quiet && !s.ended);
            if (s.ended) break;
        }
        std::vector<HANDLE> handles;
        if (s.firstRunning) handles.push_back(s.First());
        const size_t firstWatched = handles.size();
        if (watch) handles.insert(handles.end(), watch->events.begin(), watch->events.end());
        const auto untilNext = std::max(static_cast<LONG>(s.nextLook - GetTickCount()), LONG{0});
        const DWORD woke = MsgWaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE,
                                                     static_cast<DWORD>(untilNext), QS_ALLINPUT);
        if (woke == WAIT_FAILED) {
            s.ended = true;
            break;
        }
        if (woke < WAIT_OBJECT_0 + handles.size()) {
            const size_t which = woke - WAIT_OBJECT_0;
            if (which < firstWatched) s.FirstEnded(GetTickCount());
            else watch->changed(which - firstWatched);
        }
    }
    tell(false);
    if (quit) PostQuitMessage(quitCode);
    return s.ended;
}

bool ProgramRun::Ended() {
    State& s = *state_;
    if (s.ended) return true;
    const DWORD now = GetTickCount();
    if (s.firstRunning && WaitForSingleObject(s.First(), 0) != WAIT_TIMEOUT) s.FirstEnded(now);
    if (s.TimeToLook(now)) s.ended = s.Look(now);
    return s.ended;
}

bool RunAndWait(const std::string& commandLine, const Launcher& launcher, const WaitWatch* watch) {
    std::unique_ptr<ProgramRun> run = ProgramRun::Start(commandLine, launcher);
    if (!run) return false;
    run->Wait(watch);
    return true;
}

FolderLookUp ReadFontsFolder() {
    UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Folders\\", 0,
                      KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, key.put()) != ERROR_SUCCESS)
        return {kNoUninstallInfo, {}};
    FolderLookUp found;
    if (!QueryStringValue(key.get(), "Fonts", found.folder)) found.messages.push_back("ERROR");
    return found;
}

Messages InstallFonts() { return InstallFontsFrom("\\"); }

Messages InstallFontsFrom(const std::string& sourceRoot) {
    FolderLookUp looked = ReadFontsFolder();
    const std::string& fonts = looked.folder;
    const std::string windows = AskDirectory(GetWindowsDirectoryA);
    std::string diverse = sourceRoot;
    if (diverse.empty() || diverse.back() != '\\') diverse += '\\';
    diverse += std::string(kFontFolder) + "\\";
    // The source is a path of the CD (Windows-1252); the folders are the system's (its code page).
    auto copy = [](const std::string& from, const std::string& toFolder, const char* file) {
        CopyFileW(Wide(from + file).c_str(), WideIn(CP_ACP, toFolder + "\\" + file).c_str(), TRUE);
    };
    // Without a fonts folder the copies would land in the drive's root or a relative folder.
    if (!fonts.empty() && fonts != kNoUninstallInfo)
        for (const char* file : kFontFiles) copy(diverse, fonts, file);
    if (!windows.empty()) copy(diverse, windows, kFontMarker);
    AddFontResourceA(kFontFiles[0]);
    // Our own windows hear of the change at once; other programs' windows are told without
    // waiting, so a window elsewhere that does not answer cannot hold up the menu's start.
    SendNotifyMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
    return std::move(looked.messages);
}

CurrentFolder::CurrentFolder(const std::string& folder) {
    if (folder.empty()) return;
    // Sized from the first answer, so that a folder of any length is kept whole.
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    previous_.resize(size);
    const DWORD length = size == 0 ? 0 : GetCurrentDirectoryW(size, previous_.data());
    previous_.resize(length < size ? length : 0);
    // Never left in the setup's folder: the menu reads its catalogue from the current one. Wide,
    // so that a folder of the CD with letters beyond ASCII is found whatever the code page.
    made_ = !previous_.empty() && SetCurrentDirectoryW(Wide(folder).c_str()) != FALSE;
    changed_ = made_;
}

CurrentFolder::~CurrentFolder() {
    if (changed_) SetCurrentDirectoryW(previous_.c_str());
}

const char* UiSoundResource(const char* name) {
    // The back buttons' sound is the click's recording, carried once under the click's name.
    return lstrcmpiA(name, "TILBAGE") == 0 ? "CLICK" : name;
}

void PlayUiSound(const char* resourceName) {
    PlaySoundA(UiSoundResource(resourceName), GetModuleHandleA(nullptr), SND_RESOURCE | SND_NODEFAULT | SND_ASYNC);
}

PrivateFonts::PrivateFonts(const std::string& root) {
    for (const char* file : kFontFiles) {
        std::wstring path = Wide(root + "\\" + kFontFolder + "\\" + file);
        if (AddFontResourceExW(path.c_str(), FR_PRIVATE, nullptr) > 0) loaded_.push_back(std::move(path));
    }
}

PrivateFonts::~PrivateFonts() {
    for (const std::wstring& path : loaded_) RemoveFontResourceExW(path.c_str(), FR_PRIVATE, nullptr);
}

}  // namespace vindrel
