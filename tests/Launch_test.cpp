// Starting setup programs and waiting for them, installing the fonts, playing the sounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "services/CDrom.h"
#include "tests/RegistryBackup.h"
#include "tests/ShellPages.h"
#include "tests/TestSupport.h"

namespace vindrel {
namespace {

const std::string kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

uint64_t FileTimeMs(const FILETIME& t) { return ((uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 10000; }

// Processor time of the calling thread, in ms.
uint64_t ThreadCpuMs() {
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    return FileTimeMs(kernel) + FileTimeMs(user);
}

std::string Sleeper(int ms) { return "\"" + test::BuiltProgram("sleeper.exe") + "\" " + std::to_string(ms); }

// What a page-like window saw while the menu waited.
struct Seen {
    int timers = 0;
    int paints = 0;
    int sent = 0;
    bool quitOnFirstTimer = false;
};

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* seen = reinterpret_cast<Seen*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (seen) {
        switch (msg) {
            case WM_TIMER:
                if (++seen->timers == 1 && seen->quitOnFirstTimer) PostQuitMessage(7);
                InvalidateRect(hwnd, nullptr, FALSE);
                return 0;
            case WM_PAINT: {
                PAINTSTRUCT ps;
                BeginPaint(hwnd, &ps);
                EndPaint(hwnd, &ps);
                ++seen->paints;
                return 0;
            }
            case WM_APP:
                ++seen->sent;
                return 42;
        }
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// A small visible window with a 50 ms timer that repaints itself on every tick.
class CountingWindow {
public:
    explicit CountingWindow(Seen& seen) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = CountingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VindrelCountingWindow";
        RegisterClassA(&wc);  // already there from an earlier test: fine
        hwnd_ = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr,
                                wc.hInstance, nullptr);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&seen));
        SetTimer(hwnd_, 1, 50, nullptr);
    }
    ~CountingWindow() {
        KillTimer(hwnd_, 1);
        DestroyWindow(hwnd_);
    }
    CountingWindow(const CountingWindow&) = delete;
    CountingWindow& operator=(const CountingWindow&) = delete;
    HWND Handle() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

TEST(RunAndWait, ProgramThatCannotStartReturnsAtOnceSilently) {
    for (const std::string cmd : {"Z:\\no\\such\\folder\\setup.exe", "\"C:\\no such folder\\setup.exe\" /S", ""}) {
        SCOPED_TRACE(cmd);
        test::MessageBoxWatcher watcher;
        const ULONGLONG start = GetTickCount64();
        RunAndWait(cmd);
        EXPECT_LT(GetTickCount64() - start, 500u);
        EXPECT_TRUE(watcher.Seen().empty());
    }
}

TEST(RunAndWait, SleepsUntilTheProgramEndsWithoutUsingTheProcessor) {
    // The clock must see a busy thread, or the check below proves nothing. The spin is bounded by
    // processor time, since a loaded machine gives the thread only part of the wall time.
    const uint64_t busyStart = ThreadCpuMs();
    for (const ULONGLONG until = GetTickCount64() + 3000;
         ThreadCpuMs() - busyStart < 100 && GetTickCount64() < until;) {
    }
    ASSERT_GE(ThreadCpuMs() - busyStart, 100u) << "thread times do not advance here";

    const uint64_t cpuStart = ThreadCpuMs();
    const ULONGLONG start = GetTickCount64();
    RunAndWait(Sleeper(1000));
    const ULONGLONG elapsed = GetTickCount64() - start;
    const uint64_t cpu = ThreadCpuMs() - cpuStart;
    EXPECT_GE(elapsed, 950u);
    EXPECT_LT(elapsed, 5000u);
    EXPECT_LT(cpu, elapsed / 10) << "ms of processor time while waiting " << elapsed << " ms";
}

TEST(RunAndWait, PagesGetTheirTimersPaintingAndSentMessagesMeanwhile) {
    Seen seen;
    CountingWindow window(seen);
    // Another thread talks to the window during the wait, as another program's broadcast would.
    LRESULT answer = 0;
    std::thread other([&] {
        Sleep(300);
        DWORD_PTR result = 0;
        if (SendMessageTimeoutA(window.Handle(), WM_APP, 0, 0, SMTO_NORMAL, 2000, &result)) answer = result;
    });
    RunAndWait(Sleeper(1000));
    other.join();
    EXPECT_GE(seen.timers, 8);
    EXPECT_GE(seen.paints, 8);
    EXPECT_EQ(seen.sent, 1);
    EXPECT_EQ(answer, 42);
}

TEST(RunAndWait, QuitDuringTheWaitIsKeptForTheMainLoop) {
    Seen seen;
    seen.quitOnFirstTimer = true;
    CountingWindow window(seen);
    const uint64_t cpuStart = ThreadCpuMs();
    const ULONGLONG start = GetTickCount64();
    RunAndWait(Sleeper(1000));
    const ULONGLONG elapsed = GetTickCount64() - start;
    EXPECT_GE(elapsed, 950u) << "the wait still lasts as long as the program";
    EXPECT_LT(ThreadCpuMs() - cpuStart, elapsed / 10) << "no spinning on the quit request";
    EXPECT_GE(seen.timers, 8) << "messages still flow after the quit request";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

// A setup that starts the sleeper with these arguments and ends at once; the sleeper's process id
// goes into the pid file, one line per run of the setup.
std::string Relay(const std::string& pidFile, const std::string& sleeperArguments) {
    return "\"" + test::BuiltProgram("spawner.exe") + "\" \"" + pidFile + "\" \"" + test::BuiltProgram("sleeper.exe") +
           "\" " + sleeperArguments;
}

// The programs the relayed setup started, one per line of its pid file; killed at the end.
struct Relayed {
    std::vector<HANDLE> programs;
    explicit Relayed(const std::string& pidFile) {
        for (const std::string& line : test::Lines(pidFile))
            programs.push_back(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, std::stoul("0" + line)));
    }
    ~Relayed() {
        for (HANDLE p : programs) {
            if (!p) continue;
            TerminateProcess(p, 0);
            WaitForSingleObject(p, 5000);
            CloseHandle(p);
        }
    }
    bool Running(size_t i) const { return programs[i] && WaitForSingleObject(programs[i], 0) == WAIT_TIMEOUT; }
};

TEST(RunAndWait, WaitsForWhatTheSetupStartedUntilOnlyProgramsWithoutAWindowAreLeft) {
    Launcher seam = PlatformLauncher();
    seam.leftoverQuietMs = 1500;  // the rule, in less time than the menu's 5 s
    const DWORD quiet = seam.leftoverQuietMs;
    const struct {
        const char* name;
        std::string started;  // the sleeper's arguments
        DWORD atLeast, below;  // how long the wait lasts, in ms
        bool runsOn;           // the started program still runs when the wait ends
    } cases[] = {
        {"ends within the rule's time", "1000", 900, 1000 + quiet, false},
        {"runs on without a window", "60000", quiet, quiet + 3000, true},
        {"shows a window past the rule's time", std::to_string(quiet + 2000) + " window", quiet + 1900,
         quiet + 5000, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScratchFolder scratch;
        const uint64_t cpuStart = ThreadCpuMs();
        const ULONGLONG start = GetTickCount64();
        RunAndWait(Relay(scratch / "started.pid", c.started), seam);
        const ULONGLONG elapsed = GetTickCount64() - start;
        const uint64_t cpu = ThreadCpuMs() - cpuStart;
        Relayed relayed(scratch / "started.pid");
        ASSERT_EQ(relayed.programs.size(), 1u) << "the setup did not start its program";
        EXPECT_GE(elapsed, c.atLeast);
        EXPECT_LT(elapsed, c.below);
        EXPECT_LT(cpu, elapsed / 10) << "ms of processor time while following the programs left";
        EXPECT_EQ(relayed.Running(0), c.runsOn) << "never killed, never waited past its end";
    }
}

// The relayed setup's program outlives it by 1.5 s. Whether it lands in the menu's job or not, the
// wait follows it: through the job, or through its parent's id in the process list; only where
// neither can be had does the wait end with the setup.
TEST(RunAndWait, ProgramsOutsideTheJobAreFollowedByTheirParentsIds) {
    const struct {
        const char* name;
        bool breaksAway;      // the setup starts its program outside the job (an installer engine)
        bool jobAllowed;      // the menu may put the setup in a job (the menu's own job may forbid it)
        bool breakawayJoins;  // a start that breaks away from the menu's own job may join a new one
        bool listed;          // the process list can be had
        DWORD atLeast, below;
    } cases[] = {
        {"the program breaks away from the job", true, true, true, true, 1400, 4500},
        {"no job: followed by parent ids", false, false, false, true, 1400, 4500},
        {"breaking away from the menu's job allowed: the whole tree", false, false, true, false, 1400, 4500},
        {"neither job nor process list: the wait ends with the setup", false, false, false, false, 0, 1400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DWORD lastFlags = 0;
        Launcher seam = PlatformLauncher();
        seam.createProcess = [&](std::string& cmd, DWORD flags, PROCESS_INFORMATION& pi, DWORD& error) {
            lastFlags = flags;
            return PlatformLauncher().createProcess(cmd, flags, pi, error);
        };
        seam.joinJob = [&](HANDLE job, HANDLE process) {
            const bool allowed = c.jobAllowed || (c.breakawayJoins && (lastFlags & CREATE_BREAKAWAY_FROM_JOB));
            return allowed && PlatformLauncher().joinJob(job, process);
        };
        if (!c.listed) seam.listProcesses = [](std::vector<ProcessEntry>&) { return false; };
        test::ScratchFolder scratch;
        const std::string pidFile = scratch / "started.pid";
        std::string setup = Relay(pidFile, "1500");
        if (c.breaksAway) setup.insert(setup.find("\" \"") + 1, " --breakaway");
        const uint64_t cpuStart = ThreadCpuMs();
        const ULONGLONG start = GetTickCount64();
        RunAndWait(setup, seam);
        const ULONGLONG elapsed = GetTickCount64() - start;
        const uint64_t cpu = ThreadCpuMs() - cpuStart;
        Relayed relayed(pidFile);
        EXPECT_EQ(relayed.programs.size(), 1u) << "the setup ran exactly once";
        EXPECT_GE(elapsed, c.atLeast);
        EXPECT_LT(elapsed, c.below);
        EXPECT_LT(cpu, elapsed / 10 + 20) << "ms of processor time while following the tree";
    }
}

// An engine that handed its work to the Windows Installer ends at once; the Installer's mutex,
// taken after the start, holds the wait until it is let go. One held from before the start (an
// installation of another's) is not waited for.
TEST(RunAndWait, HoldsWhileTheInstallerIsBusyWithAnInstallationBegunAfterTheStart) {
    const struct {
        const char* name;
        bool heldBefore;
        DWORD atLeast, below;
    } cases[] = {
        {"taken after the start: waited for", false, 2400, 5000},
        {"held before the start: ignored", true, 0, 2000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HANDLE held = nullptr;
        auto take = [&] { held = CreateMutexA(nullptr, TRUE, kInstallerBusyMutex); };
        if (c.heldBefore) take();
        std::thread installer;
        Launcher seam = PlatformLauncher();
        seam.createProcess = [&](std::string& cmd, DWORD flags, PROCESS_INFORMATION& pi, DWORD& error) {
            if (!c.heldBefore)
                installer = std::thread([&] {
                    Sleep(200);  // the setup has started by now
                    take();
                    Sleep(2500);
                    CloseHandle(held);
                });
            return PlatformLauncher().createProcess(cmd, flags, pi, error);
        };
        const ULONGLONG start = GetTickCount64();
        RunAndWait(Sleeper(300), seam);
        const ULONGLONG elapsed = GetTickCount64() - start;
        if (installer.joinable()) installer.join();
        else CloseHandle(held);
        EXPECT_GE(elapsed, c.atLeast);
        EXPECT_LT(elapsed, c.below);
    }
}

TEST(FontsFolder, ReadFromShellFoldersOrMarkedMissing) {
    char expected[MAX_PATH] = {};
    DWORD size = sizeof expected;
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, kShellFolders.c_str(), "Fonts", RRF_RT_REG_SZ, nullptr, expected, &size),
              ERROR_SUCCESS);
    test::MessageBoxWatcher watcher;  // the look-up names its message; the shell shows it
    EXPECT_EQ(ReadFontsFolder().folder, expected);
    EXPECT_TRUE(ReadFontsFolder().messages.empty());
    {
        test::ValueTakenAway away(HKEY_CURRENT_USER, kShellFolders, "Fonts");
        ASSERT_TRUE(away.Taken());
        const FolderLookUp found = ReadFontsFolder();
        EXPECT_EQ(found.folder, "");
        EXPECT_EQ(found.messages, Messages{"ERROR"});
    }
    test::KeyTakenAway away(HKEY_CURRENT_USER, kShellFolders);
    ASSERT_TRUE(away.Taken());
    EXPECT_EQ(ReadFontsFolder().folder, "No uninstalinfo");
    EXPECT_TRUE(ReadFontsFolder().messages.empty());
    EXPECT_TRUE(watcher.Seen().empty());
}

// The files a font test puts into the system folders (only ones that were not there before);
// removed when the test ends.
struct SystemFiles {
    std::vector<std::string> paths;
    ~SystemFiles() {
        for (const std::string& p : paths) {
            RemoveFontResourceA(p.c_str());
            DeleteFileA(p.c_str());
        }
    }
};

std::string Directory(UINT(WINAPI* ask)(LPSTR, UINT)) {
    char dir[MAX_PATH * 2] = {};
    ask(dir, sizeof dir);
    return dir;
}

void ReplaceAll(std::string& s, const std::string& from, const std::string& to) {
    for (size_t p = 0; (p = s.find(from, p)) != std::string::npos; p += to.size()) s.replace(p, from.size(), to);
}

// A free TrueType font of this machine with its family renamed (same length, in its ASCII and
// UTF-16 names), so that its registration can be seen; empty if there is none.
const char kTestFamily[] = "Vindrel Tst";
std::string RenamedTrueTypeFile() {
    std::string font = test::ReadFile("Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf");
    auto utf16 = [](const std::string& ascii) {
        std::string wide;
        for (char c : ascii) wide += std::string{'\0', c};
        return wide;
    };
    ReplaceAll(font, "DejaVu Sans", kTestFamily);
    ReplaceAll(font, utf16("DejaVu Sans"), utf16(kTestFamily));
    return font;
}

int CALLBACK CountFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return 1;
}

int FacesNamed(const char* family) {
    HDC screen = GetDC(nullptr);
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, family, LF_FACESIZE);
    int count = 0;
    EnumFontFamiliesExA(screen, &lf, CountFace, reinterpret_cast<LPARAM>(&count), 0);
    ReleaseDC(nullptr, screen);
    return count;
}

TEST(InstallFonts, CopiesFromDiverseWithoutOverwritingAndRegisters) {
    const std::string fonts = ReadFontsFolder().folder;
    const std::string windows = Directory(GetWindowsDirectoryA);
    const char* const faces[] = {"verdana.ttf", "verdanab.ttf", "verdanai.ttf", "verdanaz.ttf"};
    SystemFiles placed;
    for (const char* face : faces) placed.paths.push_back(fonts + "\\" + face);
    placed.paths.push_back(windows + "\\msfont.txt");
    for (const std::string& p : placed.paths)
        if (test::PathExists(p)) {
            placed.paths.clear();
            GTEST_SKIP() << p << " is already installed";
        }
    const std::string truetype = RenamedTrueTypeFile();
    ASSERT_EQ(FacesNamed(kTestFamily), 0);

    test::ScratchFolder cd;
    CreateDirectoryA((cd / "Diverse").c_str(), nullptr);
    for (const char* face : faces) test::WriteFile(cd / "Diverse" + "\\" + face, truetype + face);
    test::WriteFile(cd / "Diverse\\msfont.txt", "marker");
    test::WriteFile(fonts + "\\verdanab.ttf", "installed earlier");

    InstallFontsFrom(cd.Path());
    EXPECT_EQ(test::ReadFile(fonts + "\\verdana.ttf"), truetype + "verdana.ttf");
    EXPECT_EQ(test::ReadFile(fonts + "\\verdanab.ttf"), "installed earlier") << "never overwritten";
    EXPECT_EQ(test::ReadFile(fonts + "\\verdanai.ttf"), truetype + "verdanai.ttf");
    EXPECT_EQ(test::ReadFile(fonts + "\\verdanaz.ttf"), truetype + "verdanaz.ttf");
    EXPECT_EQ(test::ReadFile(windows + "\\msfont.txt"), "marker");
    if (!truetype.empty()) {
        EXPECT_GT(FacesNamed(kTestFamily), 0) << "verdana.ttf was registered";
    }

    // A second start with other files on the CD changes nothing.
    test::WriteFile(cd / "Diverse\\verdana.ttf", "newer");
    test::WriteFile(cd / "Diverse\\msfont.txt", "newer");
    InstallFontsFrom(cd.Path());
    EXPECT_EQ(test::ReadFile(fonts + "\\verdana.ttf"), truetype + "verdana.ttf");
    EXPECT_EQ(test::ReadFile(windows + "\\msfont.txt"), "marker");
}

// Sets the current directory for one test.
struct CurrentDirectory {
    std::string saved = Directory([](LPSTR buf, UINT size) { return static_cast<UINT>(GetCurrentDirectoryA(size, buf)); });
    explicit CurrentDirectory(const std::string& dir) { SetCurrentDirectoryA(dir.c_str()); }
    ~CurrentDirectory() { SetCurrentDirectoryA(saved.c_str()); }
};

TEST(InstallFonts, SourceIsDiverseAtTheRootOfTheCurrentDrive) {
    const std::string windows = Directory(GetWindowsDirectoryA);
    const std::string marker = windows + "\\msfont.txt";
    if (test::PathExists("C:\\Diverse") || test::PathExists(marker)) GTEST_SKIP() << "C:\\Diverse or msfont.txt exists";
    SystemFiles placed{{marker}};
    CreateDirectoryA("C:\\Diverse", nullptr);
    test::WriteFile("C:\\Diverse\\msfont.txt", "from the CD");
    {
        CurrentDirectory cd(windows);  // on C:, like the menu started from the CD in drive C:
        InstallFonts();
    }
    DeleteFileA("C:\\Diverse\\msfont.txt");
    RemoveDirectoryA("C:\\Diverse");
    EXPECT_EQ(test::ReadFile(marker), "from the CD");
}

TEST(InstallFonts, WithoutAFontsFolderNothingLandsInTheDriveRoot) {
    test::ScratchFolder cd;
    CreateDirectoryA((cd / "Diverse").c_str(), nullptr);
    test::WriteFile(cd / "Diverse\\verdana.ttf", "font");
    if (test::PathExists("C:\\verdana.ttf")) GTEST_SKIP() << "C:\\verdana.ttf exists";
    SystemFiles placed{{"C:\\verdana.ttf"}};
    test::ValueTakenAway away(HKEY_CURRENT_USER, kShellFolders, "Fonts");
    ASSERT_TRUE(away.Taken());
    Messages messages;
    {
        CurrentDirectory current(Directory(GetWindowsDirectoryA));
        messages = InstallFontsFrom(cd.Path());
    }
    EXPECT_FALSE(test::PathExists("C:\\verdana.ttf"));
    EXPECT_EQ(messages, Messages{"ERROR"});
}

// A visible window of the given class that belongs to the process, or null.
HWND VisibleWindowOf(DWORD process, const char* windowClass) {
    for (HWND w = FindWindowExA(nullptr, nullptr, windowClass, nullptr); w;
         w = FindWindowExA(nullptr, w, windowClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == process && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// Which of the processes owns the first top-level window in the order windows are asked in.
DWORD FirstTopLevelWindowOf(std::vector<DWORD> processes) {
    struct Search {
        std::vector<DWORD> processes;
        DWORD found = 0;
    } search{std::move(processes)};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (std::find(s.processes.begin(), s.processes.end(), process) == s.processes.end()) return TRUE;
            s.found = process;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Another program's window that stops answering (and does not come back during the test) holds
// neither the font broadcast, nor the menu's way to its first page, nor its exit, and does not
// keep the menu's command from the Program Manager.
TEST(HungWindow, HoldsNeitherTheFontBroadcastNorTheMenusStartNorItsExit) {
    test::ScratchFolder emptyCd;
    // The Program Manager first: the hung window, made after it, is asked before it.
    test::ProgManStub stub(emptyCd / "progman.log");
    const std::string eventName = "VindrelHungWindowReady" + std::to_string(GetCurrentProcessId());
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(ready, nullptr);
    test::ChildProcess hung("\"" + test::BuiltProgram("hungwindow.exe") + "\" " + eventName + " 60000");
    ASSERT_TRUE(hung.Started());
    const DWORD waited = WaitForSingleObject(ready, 5000);
    CloseHandle(ready);
    ASSERT_EQ(waited, static_cast<DWORD>(WAIT_OBJECT_0));
    ASSERT_EQ(FirstTopLevelWindowOf({hung.Id(), stub.Id()}), hung.Id()) << "the hung window is asked first";
    ULONGLONG start = GetTickCount64();
    InstallFontsFrom(emptyCd.Path());
    EXPECT_LT(GetTickCount64() - start, 3000u);

    test::CurrentDirectory current(emptyCd.Path());
    start = GetTickCount64();
    test::ChildProcess menu("\"" + test::BuiltProgram("../VINDREL.exe") + "\" da");
    ASSERT_TRUE(menu.Started());
    // This process answers the menu's questions meanwhile: only the hung window does not.
    test::PumpFor(10000, [&] { return VisibleWindowOf(menu.Id(), "TfrmAnsvar") != nullptr; });
    const ULONGLONG firstPage = GetTickCount64() - start;
    EXPECT_LT(firstPage, 4000u) << "the disclaimer came after " << firstPage << " ms";
    test::PumpFor(1000);  // the first idle moment has opened the conversation

    HWND button = VisibleWindowOf(menu.Id(), "VindrelApplication");
    ASSERT_NE(button, nullptr);
    start = GetTickCount64();
    PostMessageA(button, WM_CLOSE, 0, 0);
    bool ended = false;
    test::PumpFor(10000, [&] { return ended = menu.WaitFor(0); });
    const ULONGLONG exit = GetTickCount64() - start;
    EXPECT_TRUE(ended);
    EXPECT_LT(exit, 2500u) << "the exit took " << exit << " ms";
    std::vector<std::string> commands;
    for (int i = 0; i < 20 && (commands = stub.Commands()).empty(); ++i) Sleep(50);
    EXPECT_EQ(commands, std::vector<std::string>{"[ShowGroup(NonExist, 1)]"});
}

TEST(PlayUiSound, ReturnsAtOnceForEveryNameEvenMissingOnes) {
    // The process's first sound loads the system's sound driver, which takes its time on a busy
    // machine and says nothing of whether a call waits for its sound.
    PlayUiSound("NoSuchSound");
    for (const char* name : {"Click", "CLICK", "tilbage", "Tilbage", "NoSuchSound"}) {
        SCOPED_TRACE(name);
        const ULONGLONG start = GetTickCount64();
        PlayUiSound(name);
        EXPECT_LT(GetTickCount64() - start, 300u);
    }
}

}  // namespace
}  // namespace vindrel
