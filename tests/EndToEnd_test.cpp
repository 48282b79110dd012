// Two runs of the menu with real NSIS setups and uninstallers: three demos installed from the
// game page in one run (one through a stub setup that starts the real one and ends), each
// recorded as soon as its setup has ended, the exit moving their Start-menu groups; in the next
// run the uninstall page removes one and keeps the one whose uninstaller gives up.
#include <gtest/gtest.h>

#include <shlobj.h>

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
    std::string letter;  // "A", "B", "C"
    REGSAM view;         // where its setup writes its uninstall entry
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
        programs_ = ReadProgramsFolder();
        ASSERT_FALSE(programs_.empty());
        demos_ = {{"A", KEY_WOW64_32KEY}, {"B", KEY_WOW64_64KEY}, {"C", KEY_WOW64_64KEY}};
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
        for (int row = 1; row <= 3; ++row) {
            const Demo& d = demos_[static_cast<size_t>(row - 1)];
            SCOPED_TRACE(d.Name());
            ClickButton(index.RowButton(row));
            test::PumpFor(100);
            ASSERT_TRUE(game.Visible());
            ASSERT_TRUE(game.cmdInstaller.Visible());
            ClickButton(game.cmdInstaller);  // the setup, and what it started, run to their end inside the click
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
        ASSERT_EQ(recorded.size(), 3u);
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
        ASSERT_TRUE(uninstall.Transknap3.Visible());
        EXPECT_FALSE(uninstall.Transknap4.Visible());
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

        for (const Demo* kept : {&demos_[1], &demos_[2]}) {
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
        EXPECT_FALSE(uninstall.Transknap3.Visible());
        EXPECT_EQ(uninstall.SelectionCount(), 0);
    }
}

}  // namespace
}  // namespace vindrel
