// The backdrop's start-up and exit clean-up, with the real registry, Start-menu folder and a
// Program Manager server of the tests' own.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/Black.h"
#include "pages/Forside.h"
#include "pages/SpilSide.h"
#include "services/CDrom.h"
#include "tests/TestSupport.h"

namespace vindrel {
namespace {

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

    std::string Programs() { return ReadProgramsFolder(); }

    test::ScratchFolder scratch_;
    test::ProgManStub stub_;
    Application app_{GetModuleHandleA(nullptr)};
};

TEST_F(ShellTest, StartUpLeavesADisabledBlackBackdropOverTheWholeScreen) {
    TfrmBlack shell(app_, {"se"});
    HWND hwnd = shell.Handle();
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_TRUE(IsWindowVisible(hwnd));
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
    TfrmBlack overridden(app_, {"fi"});
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
        app_.SetOffScreen(true);
        TfrmBlack shell(app_, OffScreenStart{"fi", MachineProfile{0, 8, 9, 0}});
        EXPECT_FALSE(IsWindowVisible(shell.Handle()));
        EXPECT_FALSE(shell.DdeConnected());
        EXPECT_EQ(shell.Machine().FreeDiskMB, 9);
        EXPECT_EQ(app_.Title(), "Doravuzaz");
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
        app_.SetOffScreen(false);
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
        HKEY key;
        std::string path = std::string(kRecordsRoot) + "\\1099\\" + title;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
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
    EXPECT_EQ(ReadRecordFolder("Demo One", "1099"), unique_);
    EXPECT_FALSE(RecordExists("No Group"));
    EXPECT_FALSE(RecordExists("No Uninstall"));
    std::vector<std::string> commands;
    for (int i = 0; i < 50 && (commands = stub_.Commands()).empty(); ++i) Sleep(50);
    EXPECT_EQ(commands, std::vector<std::string>{"[ShowGroup(NonExist, 1)]"});
}

TEST(ShellWithoutProgramManager, StartsTheProgramManagerMinimisedAndConnectsAgain) {
    // With no server answering, "PROGMAN " is started; here the current folder holds a
    // stand-in under that name, so the second connect reaches it.
    test::ScratchFolder folder;
    ASSERT_TRUE(CopyFileA(test::BuiltProgram("../tools/PROGSTUB.exe").c_str(), (folder / "PROGMAN.exe").c_str(), FALSE));
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentDirectoryA(folder.Path().c_str());
    test::MessageBoxWatcher watcher;
    {
        Application app(GetModuleHandleA(nullptr));
        TfrmBlack shell(app, {"da"});
        EXPECT_TRUE(shell.DdeConnected());
    }
    SetCurrentDirectoryA(previous);
    std::string log;
    for (int i = 0; i < 60 && (log = test::ReadFile(folder / "progman.log")).find("ShowGroup") == std::string::npos; ++i)
        Sleep(50);
    EXPECT_NE(log.find("SHOW 7\n"), std::string::npos) << log;  // minimised, not activated
    EXPECT_NE(log.find("[ShowGroup(NonExist, 1)]\n"), std::string::npos) << log;
    EXPECT_TRUE(watcher.Seen().empty());
    // The stand-in ends by itself two seconds after the command; its file must be free for clean-up.
    for (int i = 0; i < 60 && !DeleteFileA((folder / "PROGMAN.exe").c_str()); ++i) Sleep(100);
}

}  // namespace
}  // namespace vindrel
