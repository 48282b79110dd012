// A whole install with a real setup program from a CD of edition 1100: the demo opened from its
// category page, Install pressed, the record in the registry under that edition once the setup
// has ended, and after the program ends through the credits page the demo's Start-menu group
// under Games\1100.
#include <gtest/gtest.h>

#include "services/CDrom.h"
#include "tests/MenuFixture.h"

namespace vindrel {
namespace {

using test::Demo;
using test::MenuTest;

const char kGroup[] = "Vindrel Test Demo";  // as the setup script names them
const char kUninstallKey[] = "VindrelTestDemo";
const char kShortTitle[] = "Test Demo";
const char kEdition[] = "1100";  // the catalogue's [CD] Udgave

// view: test::kRecordView for the records.
std::string RegistryString(HKEY root, const std::string& path, const char* name, REGSAM view = 0) {
    char value[512] = {};
    DWORD size = sizeof value - 1;
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return "(none)";
    const LSTATUS read = RegGetValueA(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value, &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS ? value : "(none)";
}

class InstallTest : public MenuTest {
protected:
    void SetUp() override {
        programs_ = ReadProgramsFolder().folder;
        ASSERT_FALSE(programs_.empty());
        CleanUp();
    }
    void TearDown() override { CleanUp(); }
    void CleanUp() {
        const std::string command =
            RegistryString(HKEY_LOCAL_MACHINE, UninstallPath(), "UninstallString");
        if (command.size() > 2 && command.front() == '"') {
            std::string dir = command.substr(1, command.rfind('\\') - 1);
            test::ScratchFolder::Remove(dir);
        }
        test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, UninstallPath());
        test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, RecordPath());
        test::ScratchFolder::Remove(programs_ + "\\" + kGroup);
        test::ScratchFolder::Remove(Moved());
    }
    static std::string UninstallPath() { return std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + kUninstallKey; }
    static std::string RecordPath(const char* edition = kEdition) {
        return std::string("Software\\Vindrel_Games\\") + edition + "\\" + kShortTitle;
    }
    std::string Moved() const { return programs_ + "\\Games\\" + kEdition + "\\" + kGroup; }

    std::string programs_;
};

TEST_F(InstallTest, ARealSetupIsRunRecordedAndItsGroupMovedIntoGamesAtTheEnd) {
    const DWORD start = GetTickCount();
    const std::string folder = cd_ / "Demos";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string setup = folder + "\\Setup.exe";
    ASSERT_TRUE(CopyFileA(test::BuiltProgram("demosetup.exe").c_str(), setup.c_str(), FALSE));
    Start({{.KortTitel = kShortTitle, .Kategori = "Strategy", .Setup = setup + " /S", .Folder = kGroup,
            .Uninstall = kUninstallKey}},
          {"da"}, std::string("[CD]\r\nUdgave=") + kEdition + "\r\n");
    Click(Disclaimer().cmdOK);
    OpenCategory(4);
    Click(Category().label1);
    ASSERT_TRUE(Game().Visible());
    ASSERT_EQ(Game().SetupPath, setup + " /S");

    Click(Game().cmdInstaller);

    // The setup ran in its own folder and left its uninstall entry; the menu recorded it.
    const std::string command = RegistryString(HKEY_LOCAL_MACHINE, UninstallPath(), "UninstallString");
    ASSERT_NE(command, "(none)") << "the setup did not run to its end";
    EXPECT_EQ(command, LookUpUninstallString(kUninstallKey));
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, RecordPath(), "Afinstallationsstreng", test::kRecordView), command);
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, RecordPath(), "Folder", test::kRecordView), kGroup);
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, RecordPath("1099"), "Folder", test::kRecordView), "(none)");
    const std::string installDir = command.substr(1, command.rfind('\\') - 1);
    std::string startDir = test::ReadFile(installDir + "\\startdir.txt");
    EXPECT_EQ(std::string(CharUpperA(startDir.data())), std::string(CharUpperA(std::string(folder).data())));
    EXPECT_TRUE(test::PathExists(programs_ + "\\" + kGroup + "\\Play the demo.lnk"));
    ASSERT_EQ(shell_->InstallList().size(), 1u);
    EXPECT_TRUE(test::IsAbove(Menu().Handle(), shell_->Handle()));
    EXPECT_TRUE(test::IsAbove(Menu().Handle(), Game().Handle()));

    // The program ends through the credits page; the clean-up moves the group.
    Click(Menu().cmdSlut);
    Click(Credits().cmdSlut);
    ASSERT_TRUE(app_.Terminated());
    shell_.reset();
    EXPECT_FALSE(test::PathExists(programs_ + "\\" + kGroup));
    EXPECT_TRUE(test::PathExists(Moved() + "\\Play the demo.lnk"));
    EXPECT_FALSE(test::PathExists(programs_ + "\\Games\\1099\\" + kGroup));
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, RecordPath(), "Afinstallationsstreng", test::kRecordView), command);
    std::vector<std::string> commands;
    for (int i = 0; i < 50 && (commands = stub_.Commands()).empty(); ++i) Sleep(50);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0], "[ShowGroup(NonExist, 1)]");
    EXPECT_LT(GetTickCount() - start, 30000u);
}

}  // namespace
}  // namespace vindrel
