// The backdrop's start-up and exit clean-up, with the real registry, Start-menu folder and a
// Program Manager server of the tests' own.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "app/Black.h"
#include "pages/Forside.h"
#include "pages/SpilSide.h"
#include "proof/Proof.h"
#include "services/CDrom.h"
#include "tests/ShellPages.h"

namespace vindrel {
namespace {

// The windows of a process that the task bar shows a button for: visible, without owner and
// not tool windows.
std::vector<HWND> TaskBarWindows(DWORD process) {
    struct Search {
        DWORD process;
        std::vector<HWND> found;
    } search{process, {}};
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == s->process && IsWindowVisible(w) && !GetWindow(w, GW_OWNER) &&
                !(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
                s->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ClassOf(HWND w) {
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    return name;
}

TEST(Language, SystemLanguageDecidesByPrimaryLanguageOnly) {
    struct Case {
        LANGID id;
        const char* expected;
    } cases[] = {
        {0x0406, "da"}, {0x040B, "fi"}, {0x0414, "no"}, {0x0814, "no"}, {0x041D, "se"},
        {0x081D, "se"},  // Swedish (Finland) is Swedish
        {0x0409, "??"}, {0x0407, "??"}, {0x0000, "??"}, {0x0006, "da"}, {0xFF06, "da"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "language id 0x" << std::hex << c.id);
        EXPECT_EQ(LanguageFromLangId(c.id), c.expected);
    }
}

TEST(Language, OnlyASingleExactCodeOnTheCommandLineOverrides) {
    using Args = std::vector<std::string>;
    struct Case {
        const char* system;
        Args args;
        const char* expected;
    } cases[] = {
        {"da", {}, "da"},
        {"da", {"se"}, "se"},
        {"da", {"??"}, "??"},
        {"??", {"fi"}, "fi"},
        {"se", {"no"}, "no"},
        {"fi", {"da"}, "da"},
        {"da", {"SE"}, "da"},     // case-sensitive
        {"da", {"sv"}, "da"},     // not a code of ours
        {"da", {"se "}, "da"},    // length counts
        {"da", {""}, "da"},
        {"no", {"fi", "se"}, "no"},  // two arguments: ignored
        {"??", {"fi", "fi"}, "??"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "system " << c.system << ", " << c.args.size() << " argument(s)");
        EXPECT_EQ(LanguageFromCommandLine(c.system, c.args), c.expected);
    }
}

// A Program Manager stand-in for each test, so no platform window opens and commands are seen.
class ShellTest : public testing::Test {
protected:
    ShellTest() : stub_(scratch_ / "progman.log") {}

    std::string Programs() { return ReadProgramsFolder().folder; }

    test::ScratchFolder scratch_;
    test::ProgManStub stub_;
    Application app_{GetModuleHandleA(nullptr)};
};

TEST_F(ShellTest, StartUpLeavesADisabledBlackBackdropOverTheWholeScreen) {
    TfrmBlack shell(app_, {{"se"}});
    HWND hwnd = shell.Handle();
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE)) << "painted black as it was made, not at the first loop turn";
    EXPECT_FALSE(IsWindowEnabled(hwnd));
    EXPECT_FALSE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(shell.CurrentLanguage(), "se");
    EXPECT_TRUE(shell.InstallList().empty());
    EXPECT_TRUE(shell.DdeConnected());
    EXPECT_FALSE(app_.Terminated());
}

TEST(StartupTimes, SwitchedOnByItsVariableTheReportNamesEveryStepInOrder) {
    test::ScratchFolder scratch;
    test::ProgManStub stub(scratch / "progman.log");
    const std::string report = scratch / "times.txt";
    {
        Application quiet(GetModuleHandleA(nullptr));
        EXPECT_FALSE(quiet.Times().On());
        quiet.Times().Finish("first paint");
    }
    EXPECT_FALSE(test::PathExists(report)) << "off, nothing is written";

    SetEnvironmentVariableA("VINDREL_STARTUP_TIMES", report.c_str());
    Application app(GetModuleHandleA(nullptr));
    SetEnvironmentVariableA("VINDREL_STARTUP_TIMES", nullptr);
    ASSERT_TRUE(app.Times().On());
    {
        TfrmBlack shell(app, {{"??"}});
        // The loop paints the first screen, then makes the hidden pages in its idle moments.
        std::string firstPaint;
        const DWORD started = GetTickCount();
        test::TestPage probe;
        Timer watch(probe, 20, [&] {
            const std::string text = test::ReadFile(report);
            if (firstPaint.empty()) firstPaint = text;
            if (text.find("every page\t") != std::string::npos || GetTickCount() - started > 20000) app.Terminate();
        });
        watch.Start();
        app.Run();
        EXPECT_NE(firstPaint.find("first paint\t"), std::string::npos) << "written at the first paint";
        EXPECT_EQ(firstPaint.find("frmLavetAf\t"), std::string::npos) << firstPaint;
        EXPECT_FALSE(app.Times().On()) << "complete once every page exists, then off";
    }
    const std::string text = test::ReadFile(report);
    // The probes wait for the first screen: nothing on it uses them.
    const char* steps[] = {"process start to entry", "backdrop window", "fonts", "frmSpilSide", "frmForside",
                           "frmAnsvar", "frmSprogvalg", "shared lists", "language table", "first paint", "probes",
                           "Program Manager conversation", "frmKategori", "frmAfinstaller", "frmIndex",
                           "frmHelp", "frmDX", "frmLavetAf", "every page"};
    size_t at = 0;
    double previousTotal = 0, sum = 0, total = 0;
    for (const char* step : steps) {
        SCOPED_TRACE(step);
        const size_t line = text.find(std::string(step) + "\t", at);
        ASSERT_NE(line, std::string::npos) << text;
        double ms = 0;
        ASSERT_EQ(std::sscanf(text.c_str() + line + std::strlen(step), "\t%lf\t%lf", &ms, &total), 2);
        // Both figures are written to a tenth: digits, a point, one digit.
        const std::string figures = text.substr(line + std::strlen(step), text.find('\n', line) - line - std::strlen(step));
        int whole1 = 0, tenth1 = 0, whole2 = 0, tenth2 = 0, end = 0;
        EXPECT_EQ(std::sscanf(figures.c_str(), "\t%d.%1d\t%d.%1d%n", &whole1, &tenth1, &whole2, &tenth2, &end), 4) << figures;
        EXPECT_EQ(static_cast<size_t>(end), figures.size()) << figures;
        EXPECT_NEAR(whole2 + tenth2 / 10.0, total, 1e-9);
        EXPECT_GE(ms, 0);
        EXPECT_GE(total, previousTotal);
        previousTotal = total;
        at = line + 1;
    }
    // The steps' own times, the unlisted ones too, add up to the last line's time since the start.
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) sum += std::atof(line.c_str() + line.find('\t') + 1);
    EXPECT_NEAR(sum, total, 1.5);  // each figure is rounded to 0.1 ms
}

TEST_F(ShellTest, ProbesAreTakenIntoTheMachineProfile) {
    TfrmBlack shell(app_, {});
    EXPECT_EQ(shell.Machine().CpuMHz, 0);
    EXPECT_GT(shell.Machine().RamMB, 1);
    EXPECT_GE(shell.Machine().FreeDiskMB, 1);
    EXPECT_TRUE(shell.Machine().Has3dfx == 0 || shell.Machine().Has3dfx == 1);
}

// Run by a script test under each Nordic locale: the language comes from the system itself.
TEST_F(ShellTest, TakesTheLanguageFromTheSystem) {
    const char* expected = std::getenv("VINDREL_EXPECT_LANGUAGE");
    if (!expected) GTEST_SKIP() << "run with a system locale by scripts/system_language.sh";
    TfrmBlack shell(app_, {});
    EXPECT_EQ(shell.CurrentLanguage(), expected);
    TfrmBlack overridden(app_, {{"fi"}});
    EXPECT_EQ(overridden.CurrentLanguage(), "fi");
}

TEST_F(ShellTest, ARunWithNothingInstalledOnlySendsTheShowGroupCommand) {
    { TfrmBlack shell(app_, {}); }
    std::vector<std::string> commands;
    for (int i = 0; i < 50 && (commands = stub_.Commands()).empty(); ++i) Sleep(50);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0], "[ShowGroup(NonExist, 1)]");
}

// The producer's proof starts the pages this way: the language applied, and nothing shown, no
// conversation with the Program Manager; a page that comes to the front only fills itself.
TEST_F(ShellTest, AnOffScreenStartShowsNothingAndSendsNothing) {
    {
        Application offScreen(GetModuleHandleA(nullptr), ProofScreen());
        TfrmBlack shell(offScreen, MenuStart::Rendering("fi", MachineProfile{0, 8, 9, 0}));
        EXPECT_FALSE(IsWindowVisible(shell.Handle()));
        EXPECT_FALSE(shell.DdeConnected());
        EXPECT_EQ(shell.Machine().FreeDiskMB, 9);
        EXPECT_EQ(offScreen.Title(), "Doravuzaz");
        TfrmSpilSide& game = *shell.Pages().frmSpilSide;
        TSpilPost demo;
        demo.Instruktion = "first line\r\nsecond line";
        game.ShowDemo(demo, shell.Machine());
        EXPECT_EQ(game.Label(2).Caption(), "second line") << "filled as when it becomes the active window";
        shell.Pages().frmForside->Show();
        for (const auto& owned : shell.AllPages()) {
            SCOPED_TRACE(owned.formName);
            EXPECT_FALSE(owned.page->Visible());
        }
    }
    Sleep(300);
    EXPECT_TRUE(stub_.Commands().empty());
}

class FlytGruppeTest : public ShellTest {
protected:
    void SetUp() override {
        programs_ = Programs();
        ASSERT_FALSE(programs_.empty());
        unique_ = "VindrelTest" + std::to_string(GetTickCount() % 100000);
    }
    void TearDown() override {
        test::ScratchFolder::Remove(programs_ + "\\Games\\" + edition_);
        test::ScratchFolder::Remove(programs_ + "\\" + unique_);
        DeleteFileA((programs_ + "\\" + unique_ + ".lnk").c_str());
    }
    std::string Moved(const std::string& rest) { return programs_ + "\\Games\\" + edition_ + "\\" + rest; }

    std::string programs_, unique_;
    std::string edition_ = "1099";
};

TEST_F(FlytGruppeTest, MovesAGroupFolderIntoGamesAndTheEditionCreatingBoth) {
    test::ScratchFolder::Remove(programs_ + "\\Games\\" + edition_);
    CreateDirectoryA((programs_ + "\\" + unique_).c_str(), nullptr);
    test::WriteFile(programs_ + "\\" + unique_ + "\\Play.lnk", "shortcut");
    TfrmBlack shell(app_, {});
    shell.FlytGruppe(unique_, edition_);
    EXPECT_FALSE(test::PathExists(programs_ + "\\" + unique_));
    EXPECT_EQ(test::ReadFile(Moved(unique_ + "\\Play.lnk")), "shortcut");
}

TEST_F(FlytGruppeTest, MovesAGroupThatIsASingleShortcut) {
    test::WriteFile(programs_ + "\\" + unique_ + ".lnk", "single");
    TfrmBlack shell(app_, {});
    shell.FlytGruppe(unique_, edition_);
    EXPECT_FALSE(test::PathExists(programs_ + "\\" + unique_ + ".lnk"));
    EXPECT_EQ(test::ReadFile(Moved(unique_ + ".lnk")), "single");
}

TEST_F(FlytGruppeTest, AMissingGroupMovesNothing) {
    TfrmBlack shell(app_, {});
    shell.FlytGruppe(unique_, edition_);
    EXPECT_FALSE(test::PathExists(Moved(unique_)));
    EXPECT_FALSE(test::PathExists(Moved(unique_ + ".lnk")));
}

TEST_F(FlytGruppeTest, GroupNamesThatLeaveTheProgramsFolderAreRefused) {
    // A catalogue naming "..", a drive or the root must not move whole folders elsewhere.
    CreateDirectoryA((programs_ + "\\" + unique_).c_str(), nullptr);
    TfrmBlack shell(app_, {});
    for (std::string group : {std::string(".."), std::string("..\\..\\Start Menu"), std::string("\\Windows"),
                              std::string("C:\\windows"), unique_ + "\\..", std::string("")}) {
        SCOPED_TRACE(group);
        shell.FlytGruppe(group, edition_);
    }
    shell.FlytGruppe(unique_, "..\\..");
    EXPECT_TRUE(test::PathExists(programs_));
    EXPECT_TRUE(test::PathExists(programs_ + "\\" + unique_));
    EXPECT_TRUE(test::PathExists("C:\\windows\\system32"));
}

TEST_F(FlytGruppeTest, LongPathsAreMovedWhole) {
    // Longer than the 127 characters a fixed name list would hold.
    std::string group = unique_ + "\\" + std::string(60, 'g') + "\\" + std::string(60, 'h');
    ASSERT_GT((programs_ + "\\" + group).size(), 127u);
    CreateDirectoryA((programs_ + "\\" + unique_).c_str(), nullptr);
    CreateDirectoryA((programs_ + "\\" + unique_ + "\\" + std::string(60, 'g')).c_str(), nullptr);
    CreateDirectoryA((programs_ + "\\" + group).c_str(), nullptr);
    test::WriteFile(programs_ + "\\" + group + "\\x.lnk", "deep");
    TfrmBlack shell(app_, {});
    shell.FlytGruppe(group, edition_);
    EXPECT_EQ(test::ReadFile(Moved(group + "\\x.lnk")), "deep");
}

class ExitCleanUpTest : public FlytGruppeTest {
protected:
    void SetUp() override {
        FlytGruppeTest::SetUp();
        test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kRecordsRoot);
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, UninstallKeyPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const char command[] = "C:\\Games\\Demo\\uninst.exe";
        RegSetValueExA(key, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(command), sizeof command);
        RegCloseKey(key);
    }
    void TearDown() override {
        test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, UninstallKeyPath());
        test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kRecordsRoot);
        FlytGruppeTest::TearDown();
    }
    std::string UninstallKeyPath() { return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + unique_; }
    static bool RecordExists(const std::string& title) {
        return test::KeyExists(HKEY_LOCAL_MACHINE, std::string(kRecordsRoot) + "\\1099\\" + title, test::kRecordView);
    }
};

TEST_F(ExitCleanUpTest, MovesGroupsWritesRecordsThenSendsTheCommand) {
    CreateDirectoryA((programs_ + "\\" + unique_).c_str(), nullptr);
    test::WriteFile(programs_ + "\\" + unique_ + "\\Play.lnk", "x");
    {
        TfrmBlack shell(app_, {});
        shell.AppendInstall({"1099", "Demo One", unique_, unique_});
        shell.AppendInstall({"1099", "Demo One", unique_, unique_});  // installed twice: second finds nothing
        shell.AppendInstall({"1099", "No Group", "", unique_});       // skipped entirely
        shell.AppendInstall({"1099", "No Uninstall", "NoSuchGroupHere", "NoSuchUninstallKey"});
    }
    EXPECT_EQ(test::ReadFile(Moved(unique_ + "\\Play.lnk")), "x");
    EXPECT_FALSE(test::PathExists(Moved(unique_ + "\\" + unique_)));  // not nested by the second record
    std::vector<InstalledDemo> demos;
    ReadInstalledDemos(demos);
    ASSERT_EQ(demos.size(), 1u);
    EXPECT_EQ(demos[0].edition, "1099");
    EXPECT_EQ(demos[0].title, "Demo One");
    EXPECT_EQ(demos[0].uninstallCommand, "C:\\Games\\Demo\\uninst.exe");
    EXPECT_EQ(ReadRecordFolder("Demo One", "1099").folder, unique_);
    EXPECT_FALSE(RecordExists("No Group"));
    EXPECT_FALSE(RecordExists("No Uninstall"));
    std::vector<std::string> commands;
    for (int i = 0; i < 50 && (commands = stub_.Commands()).empty(); ++i) Sleep(50);
    EXPECT_EQ(commands, std::vector<std::string>{"[ShowGroup(NonExist, 1)]"});
}

TEST(ShellWithoutProgramManager, StartsTheWindowsFoldersProgramManagerMinimisedAndConnectsAgain) {
    // With no server answering, the Program Manager of the Windows folder is started by its full
    // path; here a stand-in lies there, and a second one in the current folder (the CD), where
    // the search path would have found it first.
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string program = std::string(windows) + "\\PROGMAN.EXE", log = std::string(windows) + "\\progman.log";
    if (test::PathExists(program)) GTEST_SKIP() << program << " exists";
    const std::string stub = test::BuiltProgram("../tools/PROGSTUB.exe");
    test::ScratchFolder cd;
    // However the test ends: a stand-in left in the Windows folder would be every later suite's
    // Program Manager in this prefix, started by each fall-back and running on without a command.
    test::StandInPrograms standIns({program, log, cd / "PROGMAN.exe"});
    ASSERT_TRUE(CopyFileA(stub.c_str(), program.c_str(), FALSE));
    DeleteFileA(log.c_str());
    ASSERT_TRUE(CopyFileA(stub.c_str(), (cd / "PROGMAN.exe").c_str(), FALSE));
    test::MessageBoxWatcher watcher;
    {
        test::CurrentDirectory current(cd.Path());
        Application app(GetModuleHandleA(nullptr));
        TfrmBlack shell(app, {{"da"}});
        EXPECT_TRUE(shell.DdeConnected());
    }
    std::string text;
    for (int i = 0; i < 60 && (text = test::ReadFile(log)).find("ShowGroup") == std::string::npos; ++i) Sleep(50);
    EXPECT_NE(text.find("SHOW 7\n"), std::string::npos) << text;  // minimised, not activated
    EXPECT_NE(text.find("[ShowGroup(NonExist, 1)]\n"), std::string::npos) << text;
    EXPECT_FALSE(test::PathExists(cd / "progman.log")) << "nothing was started from the CD";
    EXPECT_TRUE(watcher.Seen().empty());
}

// The task bar, seen from outside the menu's process: one button, whose window carries the
// language's title, and whose Close ends the menu with its clean-up. (That the button brings the
// page back is a game page test: Wine without a window manager moves no foreground between
// programs.)
// The system sees the menu waiting for the reader (WaitForInputIdle, as a program that started
// it would ask) once the first screen is painted, not only when the hidden pages are made too.
TEST(StartupTimes, TheMenuIsIdleForTheReaderBeforeItsHiddenPagesAreMade) {
    test::ScratchFolder cd;
    test::CurrentDirectory current(cd.Path());
    test::ProgManStub stub(cd / "progman.log");
    const std::string report = cd / "times.txt";
    SetEnvironmentVariableA("VINDREL_STARTUP_TIMES", report.c_str());
    test::ChildProcess menu("\"" + test::BuiltProgram("../VINDREL.exe") + "\" da");
    SetEnvironmentVariableA("VINDREL_STARTUP_TIMES", nullptr);
    ASSERT_TRUE(menu.Started());
    ASSERT_EQ(WaitForInputIdle(menu.Handle(), 10000), 0u);
    // Nothing on the first screen plays a sound or moves a group: the sound player's and the
    // shell's libraries are loaded later (a new call into either must be delay-loaded as well).
    HMODULE modules[512];
    DWORD bytes = 0;
    ASSERT_TRUE(EnumProcessModules(menu.Handle(), modules, sizeof modules, &bytes));
    std::vector<std::string> loaded;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
        char name[MAX_PATH] = {};
        GetModuleBaseNameA(menu.Handle(), modules[i], name, sizeof name);
        loaded.push_back(CharLowerA(name));
    }
    EXPECT_GT(std::count(loaded.begin(), loaded.end(), "user32.dll"), 0) << "the modules were read";
    EXPECT_EQ(std::count(loaded.begin(), loaded.end(), "winmm.dll"), 0);
    EXPECT_EQ(std::count(loaded.begin(), loaded.end(), "shell32.dll"), 0);
    const std::string atIdle = test::ReadFile(report);
    EXPECT_NE(atIdle.find("first paint\t"), std::string::npos) << atIdle;
    EXPECT_EQ(atIdle.find("every page\t"), std::string::npos) << atIdle;
    for (HWND w : TaskBarWindows(menu.Id())) PostMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(menu.WaitFor(10000));
}

TEST(TaskBar, OneButtonWithTheLanguagesTitleWhoseCloseEndsTheMenu) {
    test::ScratchFolder cd;
    test::CurrentDirectory current(cd.Path());
    const struct {
        const char* language;
        const char* title;
    } cases[] = {{"da", "Spil"}, {"se", "Spel"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        test::ProgManStub stub(cd / (std::string(c.language) + ".log"));
        test::ChildProcess menu("\"" + test::BuiltProgram("../VINDREL.exe") + "\" " + c.language);
        ASSERT_TRUE(menu.Started());
        std::vector<HWND> buttons;
        std::string title;
        for (int i = 0; i < 200; ++i, Sleep(50)) {
            buttons = TaskBarWindows(menu.Id());
            if (buttons.size() != 1) continue;
            char text[64] = {};
            GetWindowTextA(buttons[0], text, sizeof text);
            if ((title = text) == c.title) break;
        }
        ASSERT_EQ(buttons.size(), 1u) << "one button, not one per page";
        EXPECT_EQ(title, c.title);
        EXPECT_EQ(ClassOf(GetLastActivePopup(buttons[0])), "TfrmAnsvar") << "its pages are the button's";

        PostMessageA(buttons[0], WM_CLOSE, 0, 0);
        ASSERT_TRUE(menu.WaitFor(10000));
        EXPECT_EQ(menu.ExitCode(), 0u);
        std::vector<std::string> commands;
        for (int i = 0; i < 50 && (commands = stub.Commands()).empty(); ++i) Sleep(50);
        EXPECT_EQ(commands, std::vector<std::string>{"[ShowGroup(NonExist, 1)]"}) << "the exit clean-up ran";
    }
}

// A windowed program started from a command prompt has no standard output of its own: the
// proof's line saying why it failed reaches the console of the prompt all the same.
TEST(ProofConsole, SaysHowItEndedOnTheConsoleItWasStartedFrom) {
    test::ScratchFolder cd;  // no catalogue: the proof ends at once
    test::ScratchFolder proof;
    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;  // none at all, as a prompt starts a windowed program
    PROCESS_INFORMATION pi{};
    std::string command = "\"" + test::BuiltProgram("../VINDREL.exe") + "\" /proof \"" + proof.Path() + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, cd.Path().c_str(), &si, &pi));
    const UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
    ASSERT_EQ(WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    EXPECT_EQ(code, 2u);
    std::string screen(80 * 4, '\0');
    DWORD read = 0;
    const HANDLE opened = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(opened, INVALID_HANDLE_VALUE);
    {
        const UniqueKernelHandle console(opened);
        ReadConsoleOutputCharacterA(console.get(), screen.data(), static_cast<DWORD>(screen.size()), COORD{0, 0}, &read);
    }
    FreeConsole();
    EXPECT_NE(screen.find("proof failed: there is no catalogue"), std::string::npos) << screen;
}

}  // namespace
}  // namespace vindrel
