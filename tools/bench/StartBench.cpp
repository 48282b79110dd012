// Benchmark, not a test. For one or more builds of the menu, in one run:
//   - start-up against a minimal Win32 program that opens one black full-screen window, as ratios
//     (the rounds of all programs interleaved, medians), twice: to the first painted backdrop, seen
//     on the screen as a white screen turning black, and to the first page, when the program's
//     message loop first goes idle (for the menu: the first screen painted);
//   - where a menu's start-up goes, when it offers the timing switch (VINDREL_STARTUP_TIMES);
//   - GDI and USER objects and private bytes after start-up and after visiting every page, and
//     the time of a page switch (a click on a page until every page that shows has painted);
//   - the processor time of the wait for a 3-second program.
//   StartBench.exe <rounds> <name>=<path of a menu> [<name>=<path of a menu> ...]
// The menus run with the current folder as their CD; pages are driven by mouse messages sent to
// them, so no real pointer is needed and any build of the menu can be measured.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "services/CDrom.h"

namespace {

const char kMinimalClass[] = "BenchMinimal";

LRESULT CALLBACK MinimalProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// The program to compare with: one black full-screen window and a message loop.
int RunMinimal(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = MinimalProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kMinimalClass;
    RegisterClassA(&wc);
    CreateWindowExA(0, kMinimalClass, "minimal", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                    GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Found {
    DWORD pid;
    HWND hwnd;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    RECT r;
    if (pid == f->pid && IsWindowVisible(hwnd) && GetWindowRect(hwnd, &r) && r.right - r.left > 100) {
        f->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A white full-screen window of the bench's own, under each program started: the screen turning
// black is that program's first painted full-screen window, as the reader would see it.
class WhiteScreen {
public:
    explicit WhiteScreen(HINSTANCE instance) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = instance;
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "BenchWhite";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, wc.lpszClassName, "white", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  instance, nullptr);
        screen_ = GetDC(nullptr);
    }
    ~WhiteScreen() {
        ReleaseDC(nullptr, screen_);
        DestroyWindow(window_);
    }
    WhiteScreen(const WhiteScreen&) = delete;
    WhiteScreen& operator=(const WhiteScreen&) = delete;

    // On top and painted, as seen on the screen; false if the screen cannot be read back.
    bool Raise() {
        SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        for (const double start = Now(); Now() - start < 1;) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            if (Pixel() == RGB(255, 255, 255)) return true;
            Sleep(5);
        }
        return false;
    }
    // A corner point: the backdrop's, outside the centred 640 x 480 pages.
    bool Black() const { return Pixel() == RGB(0, 0, 0); }

private:
    COLORREF Pixel() const { return GetPixel(screen_, 2, 2); }
    HWND window_ = nullptr;
    HDC screen_ = nullptr;
};

// A started program whose full-screen window is shown and whose message loop has gone idle; with
// a white screen under it, also when its window was first seen painted on the screen.
class Started {
public:
    Started(const std::string& command, const char* folder, WhiteScreen* white = nullptr) {
        const bool watchScreen = white && white->Raise();
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string cmd = command;
        const double start = Now();
        if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &si, &pi_)) return;
        Found found{pi_.dwProcessId, nullptr};
        while (Now() - start < 30) {
            if (watchScreen && black_ < 0 && white->Black()) black_ = Now() - start;
            if (!found.hwnd) EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&found));
            if (seconds_ < 0 && found.hwnd && WaitForInputIdle(pi_.hProcess, 0) == 0) {
                DWORD_PTR ignored;
                SendMessageTimeoutA(found.hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
                seconds_ = Now() - start;
            }
            if (seconds_ >= 0 && (black_ >= 0 || !watchScreen)) break;
            Sleep(1);
        }
        window_ = found.hwnd;
    }
    ~Started() {
        if (!pi_.hProcess) return;
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    double Seconds() const { return seconds_; }  // to the first idle; negative: it never showed
    double Black() const { return black_; }      // to the black screen; negative: not seen
    HANDLE Process() const { return pi_.hProcess; }
    DWORD Id() const { return pi_.dwProcessId; }

private:
    PROCESS_INFORMATION pi_{};
    HWND window_ = nullptr;
    double seconds_ = -1;
    double black_ = -1;
};

// ---- Driving the pages ---------------------------------------------------------------------------

struct Windows {
    DWORD pid;
    std::map<std::string, HWND> byClass;
    std::vector<HWND> visible;
};

BOOL CALLBACK CollectWindows(HWND hwnd, LPARAM lp) {
    auto* w = reinterpret_cast<Windows*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != w->pid) return TRUE;
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    w->byClass[name] = hwnd;
    if (IsWindowVisible(hwnd)) w->visible.push_back(hwnd);
    return TRUE;
}

Windows WindowsOf(DWORD pid) {
    Windows w{pid, {}, {}};
    EnumWindows(CollectWindows, reinterpret_cast<LPARAM>(&w));
    return w;
}

bool Shows(DWORD pid, const char* pageClass) {
    Windows w = WindowsOf(pid);
    auto it = w.byClass.find(pageClass);
    return it != w.byClass.end() && IsWindowVisible(it->second);
}

// The top one of the program's visible pages, by z-order.
std::string TopPage(DWORD pid) {
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        RECT r;
        if (owner != pid || !IsWindowVisible(h) || !GetWindowRect(h, &r) || r.right - r.left != 640) continue;
        char name[64] = {};
        GetClassNameA(h, name, sizeof name);
        return name;
    }
    return "";
}

// A left click at page coordinates, then every visible window of the program painted: the
// seconds that took, or a negative number when the expected page did not come to the top.
double Click(DWORD pid, const char* page, int x, int y, const char* expected) {
    static Windows known{};
    if (known.pid != pid || !known.byClass.count(page)) known = WindowsOf(pid);
    auto it = known.byClass.find(page);
    if (it == known.byClass.end()) return -1;
    const LPARAM at = MAKELPARAM(x, y);
    const double start = Now();
    DWORD_PTR ignored;
    SendMessageTimeoutA(it->second, WM_LBUTTONDOWN, MK_LBUTTON, at, SMTO_NORMAL, 5000, &ignored);
    SendMessageTimeoutA(it->second, WM_LBUTTONUP, 0, at, SMTO_NORMAL, 5000, &ignored);
    // Painting another thread's window sends it WM_PAINT and waits for it.
    for (const auto& [name, h] : known.byClass)
        if (IsWindowVisible(h)) UpdateWindow(h);
    const double seconds = Now() - start;
    // The window manager's stacking may settle a moment later than the paint.
    for (int i = 0; i < 20; ++i, Sleep(10))
        if (TopPage(pid) == expected) return seconds;
    return -1;
}

struct Step {
    const char* page;  // where the click lands
    int x, y;
    const char* expected;  // the page on top afterwards
};

// Every page once, from the flags to the credits and back to the main menu.
const Step kFirstSteps[] = {
    {"TfrmSprogvalg", 139, 240, "TfrmAnsvar"},  // the Danish flag
    {"TfrmAnsvar", 63, 440, "TfrmForside"},     // OK
};
const Step kTour[] = {
    {"TfrmForside", 140, 40, "TfrmKategori"},    // the first category tile
    {"TfrmKategori", 150, 109, "TfrmSpilSide"},  // its first demo
    {"TfrmSpilSide", 535, 440, "TfrmKategori"},  // back
    {"TfrmKategori", 535, 440, "TfrmForside"},   // back
    {"TfrmForside", 343, 442, "TfrmIndex"},
    {"TfrmIndex", 535, 439, "TfrmForside"},
    {"TfrmForside", 440, 442, "TfrmAfinstaller"},
    {"TfrmAfinstaller", 530, 440, "TfrmForside"},
    {"TfrmForside", 343, 390, "TfrmHelp"},
    {"TfrmHelp", 535, 440, "TfrmForside"},
    {"TfrmForside", 440, 390, "TfrmDX"},
    {"TfrmDX", 535, 440, "TfrmForside"},
    {"TfrmForside", 0, 0, "TfrmLavetAf"},  // the exit sign: a point on its face is searched
    {"TfrmLavetAf", 62, 440, "TfrmForside"},
};

struct Weight {
    DWORD gdi = 0, user = 0;
    long tableGdi = -1;  // from the GDI handle table, where GetGuiResources does not count
    SIZE_T privateBytes = 0;
};

// The GDI objects of a process as the GDI handle table in its PEB lists them (the table that
// GetGuiResources counts from on Windows); -1 if it cannot be read.
long GdiTableCount(HANDLE process, DWORD pid) {
    using Query = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    struct {
        void* reserved1;
        BYTE* peb;
        void* reserved2[4];
    } basic{};
    if (!query || query(process, 0 /* ProcessBasicInformation */, &basic, sizeof basic, nullptr) != 0) return -1;
    BYTE* table = nullptr;
    const size_t offset = sizeof(void*) == 8 ? 0xF8 : 0x94;  // PEB.GdiSharedHandleTable
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, basic.peb + offset, &table, sizeof table, &read) || !table) return -1;
    struct Entry {
        void* object;
        USHORT processId, count, upper, type;
        void* user;
    };
    std::vector<Entry> entries(0x10000);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(Entry), &read)) return -1;
    long n = 0;
    for (const Entry& e : entries)
        if (e.object && (e.type & 0x7F) && (e.processId == 0 || e.processId == static_cast<USHORT>(pid))) ++n;
    return n;
}

Weight WeightOf(HANDLE process, DWORD pid) {
    Weight w;
    w.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    w.user = GetGuiResources(process, GR_USEROBJECTS);
    w.tableGdi = GdiTableCount(process, pid);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    // The commit charge: the process's private bytes.
    if (GetProcessMemoryInfo(process, &counters, sizeof counters)) w.privateBytes = counters.PagefileUsage;
    return w;
}

struct Visit {
    std::string missed;  // the switches that did not bring up their page
    std::vector<double> first, again;  // seconds per switch, less the cost of a click that does nothing
    double idleClick = 0;
    Weight started, visited;
};

double ClickStep(DWORD pid, const Step& s) {
    if (s.x || s.y) {
        const double t = Click(pid, s.page, s.x, s.y, s.expected);
        return t >= 0 || TopPage(pid) != s.page ? t : Click(pid, s.page, s.x, s.y, s.expected);  // once more
    }
    // The exit sign is drawn transparently: try points across it until one is on the face.
    for (int y = 453; y < 480; y += 6)
        for (int x = 565; x < 640; x += 6) {
            const double t = Click(pid, s.page, x, y, s.expected);
            if (t >= 0) return t;
        }
    return -1;
}

Visit VisitEveryPage(const Started& menu) {
    Visit v;
    v.started = WeightOf(menu.Process(), menu.Id());
    auto missed = [&](const Step& s) { v.missed += std::string(" ") + s.page + ">" + s.expected; };
    // Sending the clicks and asking every page to paint costs something of its own: measured on a
    // spot of the main menu where a click changes nothing, and taken off each switch.
    auto idle = [&] {
        std::vector<double> t;
        for (int i = 0; i < 15; ++i) t.push_back(Click(menu.Id(), "TfrmForside", 600, 200, "TfrmForside"));
        return Median(t);
    };
    for (const Step& s : kFirstSteps)
        if (Shows(menu.Id(), s.page) && ClickStep(menu.Id(), s) < 0) missed(s);
    v.idleClick = idle();
    for (int round = 0; round < 2; ++round)
        for (const Step& s : kTour) {
            const double t = ClickStep(menu.Id(), s);
            if (t < 0)
                missed(s);
            else
                (round == 0 ? v.first : v.again).push_back(std::max(0.0, t - v.idleClick));
        }
    v.visited = WeightOf(menu.Process(), menu.Id());
    return v;
}

std::string ReadText(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
        std::fclose(f);
    }
    return text;
}

// The report of the timing switch is complete: every page made (or, from a menu that makes
// every page before its first paint, the first paint).
bool TimesComplete(const std::string& report) {
    if (report.find("every page\t") != std::string::npos) return true;
    const size_t paint = report.find("first paint\t");
    const size_t category = report.find("frmKategori\t");
    return paint != std::string::npos && category != std::string::npos && category < paint;
}

// The milliseconds since the process began at which a step ended (the report's third column).
double SinceStart(const std::string& report, const std::string& step) {
    const size_t at = report.find(step + "\t");
    if (at == std::string::npos) return -1;
    const size_t tab = report.find('\t', at + step.size() + 1);
    return tab == std::string::npos ? -1 : std::atof(report.c_str() + tab + 1);
}

// "<step>\t<ms>\t<ms since the start>" lines of the menu's timing switch, by step.
void AddTimes(const std::string& report, std::vector<std::string>& order, std::map<std::string, std::vector<double>>& ms) {
    size_t at = 0;
    while (at < report.size()) {
        size_t end = report.find('\n', at);
        if (end == std::string::npos) end = report.size();
        const std::string line = report.substr(at, end - at);
        at = end + 1;
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        const std::string step = line.substr(0, tab);
        if (!ms.count(step)) order.push_back(step);
        ms[step].push_back(std::atof(line.c_str() + tab + 1));
    }
}

double ProcessCpuSeconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto seconds = [](FILETIME f) {
        return static_cast<double>((uint64_t{f.dwHighDateTime} << 32) | f.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

struct Menu {
    std::string name, path;
    std::vector<double> startups, blacks;
};

double Mean(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0 : sum / static_cast<double>(v.size());
}

double Max(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc >= 2 && std::string(__argv[1]) == "--minimal") return RunMinimal(instance);
    if (__argc >= 3 && std::string(__argv[1]) == "--sleep") {
        Sleep(static_cast<DWORD>(std::atoi(__argv[2])));
        return 0;
    }
    if (__argc < 3) return 2;
    const int rounds = std::max(1, std::atoi(__argv[1]));
    std::vector<Menu> menus;
    for (int i = 2; i < __argc; ++i) {
        const std::string arg = __argv[i];
        const size_t eq = arg.find('=');
        if (eq == std::string::npos) return 2;
        menus.push_back({arg.substr(0, eq), arg.substr(eq + 1), {}, {}});
    }
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    char folder[MAX_PATH];
    GetCurrentDirectoryA(sizeof folder, folder);

    // Start-up: the programs take turns, so that a busy moment of the machine hits them alike.
    std::vector<double> minimal, minimalBlack;
    {
        WhiteScreen white(instance);
        auto keep = [](const Started& run, std::vector<double>& idle, std::vector<double>& black) {
            idle.push_back(run.Seconds());
            if (run.Black() >= 0) black.push_back(run.Black());
        };
        for (int i = 0; i < rounds; ++i) {
            keep(Started("\"" + std::string(self) + "\" --minimal", nullptr, &white), minimal, minimalBlack);
            for (Menu& m : menus) keep(Started("\"" + m.path + "\"", folder, &white), m.startups, m.blacks);
        }
    }
    // The best of the rounds shows what the programs themselves cost when the machine is quiet.
    auto best = [](const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); };
    auto report = [&](const char* what, const std::vector<double>& base, std::vector<double> Menu::*times) {
        std::printf("start-up to %s, %d rounds: minimal window median %.0f ms, best %.0f ms\n", what, rounds,
                    Median(base) * 1000, best(base) * 1000);
        for (const Menu& m : menus) {
            const std::vector<double>& v = m.*times;
            if (v.empty() || base.empty()) {
                std::printf("  %-8s not seen\n", m.name.c_str());
                continue;
            }
            std::printf("  %-8s menu median %.0f ms, ratio %.2f; best %.0f ms, ratio %.2f\n", m.name.c_str(),
                        Median(v) * 1000, Median(v) / Median(base), best(v) * 1000, best(v) / best(base));
        }
    };
    report("the first painted backdrop (a white screen turns black)", minimalBlack, &Menu::blacks);
    report("the first page (the message loop first idle: the first screen painted)", minimal, &Menu::startups);

    // Where start-up goes, from the menus that have the timing switch.
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string timesFile = std::string(temp) + "vindrel-startup-times.txt";
    SetEnvironmentVariableA("VINDREL_STARTUP_TIMES", timesFile.c_str());
    for (const Menu& m : menus) {
        std::vector<std::string> order;
        std::map<std::string, std::vector<double>> ms;
        std::vector<double> toPaint, toEveryPage;
        for (int i = 0; i < rounds; ++i) {
            DeleteFileA(timesFile.c_str());
            std::string report;
            {
                Started run("\"" + m.path + "\"", folder);
                // A menu that makes its hidden pages after the first paint is left to finish them.
                for (const double start = Now(); Now() - start < 5 && !TimesComplete(report); Sleep(10))
                    report = ReadText(timesFile);
            }
            AddTimes(report, order, ms);
            const double paint = SinceStart(report, "first paint"), every = SinceStart(report, "every page");
            if (paint >= 0) toPaint.push_back(paint);
            toEveryPage.push_back(every >= 0 ? every : paint);
        }
        if (order.empty()) {
            std::printf("%s: no start-up timing switch\n", m.name.c_str());
            continue;
        }
        std::printf("%s: where start-up goes (VINDREL_STARTUP_TIMES), median ms of %d:\n", m.name.c_str(), rounds);
        for (const std::string& step : order) std::printf("  %-30s %6.1f\n", step.c_str(), Median(ms[step]));
        std::printf("  since the process began: first paint %.0f ms, every page made %.0f ms\n", Median(toPaint),
                    Median(toEveryPage));
    }
    SetEnvironmentVariableA("VINDREL_STARTUP_TIMES", nullptr);

    // Weight and page switches.
    for (const Menu& m : menus) {
        Started run("\"" + m.path + "\"", folder);
        const Visit v = VisitEveryPage(run);
        std::printf("%s: after start-up %lu GDI (handle table %ld), %lu USER objects, %.1f MB private; after visiting "
                    "every page %lu GDI (handle table %ld), %lu USER objects, %.1f MB private\n",
                    m.name.c_str(), v.started.gdi, v.started.tableGdi, v.started.user,
                    v.started.privateBytes / 1048576.0, v.visited.gdi, v.visited.tableGdi, v.visited.user,
                    v.visited.privateBytes / 1048576.0);
        std::printf("%s: page switch (click to painted, less %.2f ms for a click that does nothing), first visit "
                    "mean %.2f ms, max %.2f ms; again mean %.2f ms, max %.2f ms%s\n",
                    m.name.c_str(), v.idleClick * 1000, Mean(v.first) * 1000, Max(v.first) * 1000, Mean(v.again) * 1000, Max(v.again) * 1000,
                    v.missed.empty() ? "" : (", missed:" + v.missed).c_str());
    }

    double cpuBefore = ProcessCpuSeconds();
    double wallBefore = Now();
    vindrel::RunAndWait("\"" + std::string(self) + "\" --sleep 3000");
    double cpu = ProcessCpuSeconds() - cpuBefore;
    double wall = Now() - wallBefore;
    std::printf("RunAndWait on a 3-second program: %.2f s waited, %.0f ms of processor time (%.2f%%)\n", wall,
                cpu * 1000, 100 * cpu / wall);
    return 0;
}
