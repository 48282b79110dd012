// Two runs of the menu with real NSIS setups and uninstallers: five demos installed from the
// game page in one run (one through a stub setup that starts the real one and ends, two through
// stubs that start theirs outside the menu's job, one of them where the menu gets no job at all),
// each recorded as soon as its uninstall entry exists, the exit moving their Start-menu groups; in
// the next run the uninstall page removes one and keeps the one whose uninstaller gives up.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "app/OneMenu.h"
#include "pages/Afinstaller.h"
#include "pages/Forside.h"
#include "pages/Index.h"
#include "pages/SpilSide.h"
#include "services/CDrom.h"
#include "tests/ShellPages.h"

namespace vindrel {
namespace {

using test::ClickButton;
using test::PathExists;

const std::string kRecords = "Software\\Vindrel_Games";
const std::string kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

bool RecordExists(const std::string& title) {
    return test::KeyExists(HKEY_LOCAL_MACHINE, kRecords + "\\1099\\" + title, test::kRecordView);
}

// What one demo of the built setups leaves on the machine (tests/nsis/demo.nsi).
struct Demo {
    std::string letter;      // "A" to "E"
    REGSAM view;             // where its setup writes its uninstall entry
    bool lingers = false;    // its setup leaves the menu's job and runs on after making its entry
    bool refuseJob = false;  // the menu gets no job for it
    std::string Name() const { return "VindrelDemo" + letter; }
    std::string ShortTitle() const { return "Demo " + letter; }
    std::string Group() const { return "Vindrel Demo " + letter; }
    std::string Setup() const { return test::BuiltProgram("nsis\\Demo" + letter + "\\Setup.exe"); }
    std::string InstallDir() const {
        char programFiles[MAX_PATH] = {};
        GetEnvironmentVariableA("ProgramFiles", programFiles, sizeof programFiles);
        return std::string(programFiles) + "\\Vindrel Demos\\" + Name();
    }
    std::string InstalledFile() const { return InstallDir() + "\\" + Name() + ".txt"; }
    bool HasUninstallEntry() const { return test::KeyExists(HKEY_LOCAL_MACHINE, kUninstall + Name(), view); }
};

class EndToEnd : public testing::Test {
protected:
    void SetUp() override {
        programs_ = ReadProgramsFolder().folder;
        ASSERT_FALSE(programs_.empty());
        demos_ = {{"A", KEY_WOW64_32KEY},
                  {"B", KEY_WOW64_64KEY},
                  {"C", KEY_WOW64_64KEY},
                  {"D", KEY_WOW64_64KEY, true},
                  {"E", KEY_WOW64_64KEY, true, true}};
        for (const Demo& d : demos_) ASSERT_TRUE(PathExists(d.Setup())) << d.Setup();
        Clean();
        std::string ini;
        int n = 0;
        for (const Demo& d : demos_) {
            ini += "[Spil" + std::to_string(++n) + "]\r\n";
            ini += "Titel=" + d.Group() + "\r\nKortTitel=" + d.ShortTitle() + "\r\nSetup=" + d.Setup() + "\r\n";
            ini += "Kategori=Action\r\nFolder=" + d.Group() + "\r\nUninstall=" + d.Name() + "\r\n";
        }
        test::WriteFile(cd_ / "Spil.INI", ini);
    }
    void TearDown() override { Clean(); }

    void Clean() {
        test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kRecords);
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        for (const Demo& d : demos_) {
            test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kUninstall + d.Name());
            test::ScratchFolder::Remove(d.InstallDir());
            test::ScratchFolder::Remove(programs_ + "\\" + d.Group());
            test::ScratchFolder::Remove(temp + d.Name() + " setup");
        }
        test::ScratchFolder::Remove(programs_ + "\\Games\\1099");
    }
    std::string Moved(const Demo& d) const { return programs_ + "\\Games\\1099\\" + d.Group(); }

    std::string programs_;
    std::vector<Demo> demos_;
    test::ScratchFolder cd_;
};

TEST_F(EndToEnd, DemosAreRecordedWhenTheirSetupsEndAndOnlyAnUninstallThatWasNotDeclinedForgetsOne) {
    {
        test::CurrentDirectory current(cd_.Path());
        test::ShellPages run;
        TfrmForside& menu = *run.Pages().frmForside;
        TfrmIndex& index = *run.Pages().frmIndex;
        TfrmSpilSide& game = *run.Pages().frmSpilSide;
        menu.Show();
        ClickButton(menu.cmdIndex);
        for (int row = 1; row <= 5; ++row) {
            const Demo& d = demos_[static_cast<size_t>(row - 1)];
            SCOPED_TRACE(d.Name());
            ClickButton(index.RowButton(row));
            test::PumpFor(100);
            ASSERT_TRUE(game.Visible());
            ASSERT_TRUE(game.cmdInstaller.Visible());
            game.SetupLauncher = PlatformLauncher();
            if (d.refuseJob) game.SetupLauncher.joinJob = [](HANDLE, HANDLE) { return false; };
            int samples = 0, covered = 0, recorded = 0;
            test::TestPage probe;
            Timer sample(probe, 100, [&] {
                ++samples;
                if (test::IsAbove(run.Shell().Handle(), game.Handle())) ++covered;
                if (RecordExists(d.ShortTitle())) ++recorded;
            });
            sample.Start();
            ClickButton(game.cmdInstaller);  // the setup, and what it started, run to their end inside the click
            sample.Stop();
            EXPECT_EQ(covered, samples) << "the backdrop stayed in front while the setup ran";
            if (d.lingers) {
                EXPECT_GE(samples, 20) << "the wait lasted as long as the real setup";
                EXPECT_GE(recorded, 10) << "recorded while the setup still ran";
            }
            EXPECT_TRUE(test::IsAbove(menu.Handle(), game.Handle())) << "the main menu is in front after Install";
            // No pumping: the page came back only once the (real) setup had finished.
            EXPECT_TRUE(PathExists(d.InstalledFile()));
            EXPECT_TRUE(d.HasUninstallEntry());
            EXPECT_TRUE(PathExists(programs_ + "\\" + d.Group() + "\\" + d.Name() + ".lnk"));
            EXPECT_TRUE(RecordExists(d.ShortTitle())) << "recorded in the run that installed it";
            game.Show();
            ClickButton(game.cmdNot);
            ASSERT_TRUE(index.Visible());
        }
        // B's entry holds its command as a REG_EXPAND_SZ; the record holds it expanded.
        std::vector<InstalledDemo> recorded;
        ReadInstalledDemos(recorded);
        ASSERT_EQ(recorded.size(), 5u);
        EXPECT_EQ(recorded[1].uninstallCommand, "\"" + demos_[1].InstallDir() + "\\uninst.exe\"");
    }  // the program ends: the groups move into Games\1099

    for (const Demo& d : demos_) {
        SCOPED_TRACE(d.Name());
        EXPECT_FALSE(PathExists(programs_ + "\\" + d.Group()));
        EXPECT_TRUE(PathExists(Moved(d) + "\\" + d.Name() + ".lnk"));
    }

    {
        test::CurrentDirectory current(cd_.Path());
        test::ShellPages run;
        TfrmForside& menu = *run.Pages().frmForside;
        TfrmAfinstaller& uninstall = *run.Pages().frmAfinstaller;
        menu.Show();
        ClickButton(menu.cmdUninstall);
        ASSERT_TRUE(uninstall.Visible());
        ASSERT_TRUE(uninstall.Transknap5.Visible());
        EXPECT_FALSE(uninstall.Transknap6.Visible());
        EXPECT_EQ(uninstall.Transknap1.Caption(), "Demo A");
        EXPECT_EQ(uninstall.Transknap3.Caption(), "Demo C");

        // A's uninstaller hands over to a copy of itself and ends at once; C's gives up.
        ClickButton(uninstall.Transknap1);
        ClickButton(uninstall.Transknap3);
        int samples = 0, covered = 0;
        test::TestPage probe;
        Timer sample(probe, 100, [&] {
            ++samples;
            if (test::IsAbove(run.Shell().Handle(), uninstall.Handle())) ++covered;
        });
        sample.Start();
        ClickButton(uninstall.cmdUninstall);
        sample.Stop();
        EXPECT_GE(samples, 10) << "the wait lasted as long as the copy took";
        EXPECT_EQ(covered, samples) << "the backdrop stayed in front until the copies had ended";

        const Demo& a = demos_[0];
        EXPECT_FALSE(PathExists(a.InstalledFile()));
        EXPECT_FALSE(a.HasUninstallEntry());
        EXPECT_FALSE(RecordExists("Demo A"));
        EXPECT_FALSE(PathExists(Moved(a))) << "the moved Start-menu group went with the demo";

        for (const Demo* kept : {&demos_[1], &demos_[2], &demos_[3], &demos_[4]}) {
            SCOPED_TRACE(kept->Name());
            EXPECT_TRUE(PathExists(kept->InstalledFile()));
            EXPECT_TRUE(PathExists(kept->InstallDir() + "\\uninst.exe"));
            EXPECT_TRUE(kept->HasUninstallEntry());
            EXPECT_TRUE(RecordExists(kept->ShortTitle()));
            EXPECT_TRUE(PathExists(Moved(*kept) + "\\" + kept->Name() + ".lnk"));
        }

        EXPECT_EQ(uninstall.Transknap1.Caption(), "Demo B");
        EXPECT_EQ(uninstall.Transknap2.Caption(), "Demo C") << "the declined demo stays on the list";
        EXPECT_EQ(uninstall.Transknap2.FontColour(), TfrmAfinstaller::kUnmarked);
        EXPECT_EQ(uninstall.Transknap4.Caption(), "Demo E");
        EXPECT_FALSE(uninstall.Transknap5.Visible());
        EXPECT_EQ(uninstall.SelectionCount(), 0);
    }
}

// Visible top-level windows of this class, of every program.
int VisibleWindows(const char* windowClass) {
    struct Count {
        const char* windowClass;
        int n = 0;
    } count{windowClass};
    EnumWindows(
        [](HWND w, LPARAM p) {
            auto& c = *reinterpret_cast<Count*>(p);
            char name[64] = {};
            GetClassNameA(w, name, sizeof name);
            if (IsWindowVisible(w) && lstrcmpA(name, c.windowClass) == 0) ++c.n;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.n;
}

// Visible top-level windows of one program.
int WindowsOf(DWORD process) {
    struct Count {
        DWORD process;
        int n = 0;
    } count{process};
    EnumWindows(
        [](HWND w, LPARAM p) {
            auto& c = *reinterpret_cast<Count*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == c.process && IsWindowVisible(w)) ++c.n;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.n;
}

std::string ForegroundClass() {
    char name[64] = {};
    GetClassNameA(GetForegroundWindow(), name, sizeof name);
    return name;
}

// The menu started again, as AutoPlay does, while this one runs; pumps meanwhile, since the new
// start asks this one to come forward. True when it ended by itself, with exit code 0.
struct SecondStart {
    test::ChildProcess process{"\"" + test::BuiltProgram("../VINDREL.exe") + "\" da"};
    int windows = 0;  // the most it showed at once
    bool Ended() {
        windows = std::max(windows, WindowsOf(process.Id()));
        return process.WaitFor(0);
    }
};

TEST_F(EndToEnd, ASecondStartHandsOverToTheRunningMenuAndEnds) {
    test::CurrentDirectory current(cd_.Path());
    const OneMenu first(ReadCdEdition().edition);
    ASSERT_TRUE(first.First());
    test::ShellPages run;
    TfrmForside& menu = *run.Pages().frmForside;
    menu.Show();
    test::PumpFor(200);

    // While the first shows a page, with another program's window in front of it.
    {
        test::ChildProcess other("\"" + test::BuiltProgram("sleeper.exe") + "\" 20000 window");
        test::PumpFor(3000, [] { return ForegroundClass() == "Static"; });
        SecondStart second;
        test::PumpFor(15000, [&] { return second.Ended(); });
        ASSERT_TRUE(second.Ended());
        EXPECT_EQ(second.process.ExitCode(), 0u);
        test::PumpFor(300);
        EXPECT_EQ(GetForegroundWindow(), menu.Handle()) << "the running menu came to the front";
        EXPECT_EQ(second.windows, 0) << "no backdrop, no task-bar button of its own";
        EXPECT_EQ(VisibleWindows("TfrmBlack"), 1);
    }

    // While the first waits for a setup: the setup's window stays in front.
    std::unique_ptr<SecondStart> second;
    bool endedDuringTheWait = false;
    std::string inFront;
    int backdrops = 0;
    int ticks = 0;
    Timer sample(menu, 100, [&] {
        if (++ticks == 10) second = std::make_unique<SecondStart>();
        if (!second || endedDuringTheWait || !second->Ended()) return;
        endedDuringTheWait = true;
        inFront = ForegroundClass();
        backdrops = VisibleWindows("TfrmBlack");
    });
    run.Shell().BringToFront();
    sample.Start();
    RunAndWait("\"" + test::BuiltProgram("sleeper.exe") + "\" 5000 window");
    sample.Stop();
    ASSERT_TRUE(second);
    EXPECT_TRUE(endedDuringTheWait);
    EXPECT_EQ(second->process.ExitCode(), 0u);
    EXPECT_EQ(inFront, "Static") << "the setup's window stayed in front";
    EXPECT_EQ(backdrops, 1);
    EXPECT_EQ(second->windows, 0);
}

}  // namespace
}  // namespace vindrel
