// Two runs of the menu with real NSIS setups and uninstallers: two demos installed from the game
// page in one run, the exit moving their Start-menu groups and writing their records; in the next
// run the uninstall page lists both and removes one, leaving the other whole.
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

bool KeyExists(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// What one demo of the built setups leaves on the machine (tests/nsis/demo.nsi).
struct Demo {
    std::string letter;  // "A", "B"
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
};

class EndToEnd : public testing::Test {
protected:
    void SetUp() override {
        programs_ = ReadProgramsFolder();
        ASSERT_FALSE(programs_.empty());
        for (const char* letter : {"A", "B"}) demos_.push_back(Demo{letter});
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
        for (const Demo& d : demos_) {
            test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kUninstall + d.Name());
            test::ScratchFolder::Remove(d.InstallDir());
            test::ScratchFolder::Remove(programs_ + "\\" + d.Group());
        }
        test::ScratchFolder::Remove(programs_ + "\\Games\\1099");
    }
    std::string Moved(const Demo& d) const { return programs_ + "\\Games\\1099\\" + d.Group(); }

    std::string programs_;
    std::vector<Demo> demos_;
    test::ScratchFolder cd_;
};

TEST_F(EndToEnd, TwoDemosInstalledInOneRunAreListedInTheNextAndOneIsRemoved) {
    {
        test::CurrentDirectory current(cd_.Path());
        test::ShellPages run;
        TfrmForside& menu = *run.Pages().frmForside;
        TfrmIndex& index = *run.Pages().frmIndex;
        TfrmSpilSide& game = *run.Pages().frmSpilSide;
        menu.Show();
        ClickButton(menu.cmdIndex);
        for (int row = 1; row <= 2; ++row) {
            SCOPED_TRACE(testing::Message() << "index row " << row);
            ClickButton(index.RowButton(row));
            test::PumpFor(100);
            ASSERT_TRUE(game.Visible());
            ASSERT_TRUE(game.cmdInstaller.Visible());
            ClickButton(game.cmdInstaller);  // the setup runs to its end inside the click
            EXPECT_TRUE(test::IsAbove(menu.Handle(), game.Handle())) << "the main menu is in front after Install";
            game.Show();
            ClickButton(game.cmdNot);
            ASSERT_TRUE(index.Visible());
        }
        for (const Demo& d : demos_) {
            SCOPED_TRACE(d.Name());
            EXPECT_TRUE(PathExists(d.InstalledFile()));
            EXPECT_TRUE(KeyExists(kUninstall + d.Name()));
            EXPECT_TRUE(PathExists(programs_ + "\\" + d.Group() + "\\" + d.Name() + ".lnk"));
            EXPECT_TRUE(KeyExists(kRecords + "\\1099\\" + d.ShortTitle()));
        }
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
        ASSERT_TRUE(uninstall.Transknap1.Visible() && uninstall.Transknap2.Visible());
        EXPECT_FALSE(uninstall.Transknap3.Visible());
        EXPECT_EQ(uninstall.Transknap1.Caption(), "Demo A");
        EXPECT_EQ(uninstall.Transknap2.Caption(), "Demo B");

        ClickButton(uninstall.Transknap1);
        ClickButton(uninstall.cmdUninstall);
        // The uninstaller hands over to a copy of itself and returns at once: wait for its work.
        const Demo& a = demos_[0];
        test::PumpFor(20000, [&] { return !PathExists(a.InstalledFile()) && !KeyExists(kUninstall + a.Name()); });
        EXPECT_FALSE(PathExists(a.InstalledFile()));
        EXPECT_FALSE(KeyExists(kUninstall + a.Name()));
        EXPECT_FALSE(KeyExists(kRecords + "\\1099\\Demo A"));
        EXPECT_FALSE(PathExists(Moved(a))) << "the moved Start-menu group went with the demo";

        const Demo& b = demos_[1];
        EXPECT_TRUE(PathExists(b.InstalledFile()));
        EXPECT_TRUE(PathExists(b.InstallDir() + "\\uninst.exe"));
        EXPECT_TRUE(KeyExists(kUninstall + b.Name()));
        EXPECT_TRUE(KeyExists(kRecords + "\\1099\\Demo B"));
        EXPECT_TRUE(PathExists(Moved(b) + "\\" + b.Name() + ".lnk"));

        EXPECT_TRUE(uninstall.Transknap1.Visible());
        EXPECT_EQ(uninstall.Transknap1.Caption(), "Demo B");
        EXPECT_FALSE(uninstall.Transknap2.Visible());
    }
}

}  // namespace
}  // namespace vindrel
