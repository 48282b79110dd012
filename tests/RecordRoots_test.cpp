// Records when the machine's part of the registry cannot be written (a 64-bit run without
// administrator rights): the same layout under the user's part, read back merged.
#include <gtest/gtest.h>

#include "services/CDrom.h"
#include "tests/TestSupport.h"

namespace vindrel {
namespace {

// A root under which nothing can be created: the machine's part as an unelevated run meets it.
const RecordRoots kMachineDenied{HKEY_PERFORMANCE_DATA, HKEY_CURRENT_USER};

class RecordRootsTest : public testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kRecordsRoot);
        test::DeleteRegistryTree(HKEY_CURRENT_USER, kRecordsRoot);
        test::DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VindrelUserDemo");
    }
    static bool KeyExists(HKEY root, const std::string& path) { return test::KeyExists(root, path, test::kRecordView); }
    static std::vector<InstalledDemo> Demos() {
        std::vector<InstalledDemo> demos;
        ReadInstalledDemos(demos);
        return demos;
    }
};

TEST_F(RecordRootsTest, ADeniedMachineWriteKeepsTheRecordUnderTheUserInTheSameLayout) {
    EXPECT_EQ(WriteInstallRecord("1099", "Neon Breach", "Neon Breach", "C:\\Games\\Neon\\uninst.exe", kMachineDenied),
              RecordWritten::User);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kRecordsRoot) + "\\1099\\Neon Breach"));
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kRecordsRoot) + "\\1099\\Neon Breach").c_str(), 0,
                            KEY_READ | test::kRecordView, &key),
              ERROR_SUCCESS);
    for (const char* name : {"Afinstallationsstreng", "Folder"}) {
        SCOPED_TRACE(name);
        DWORD type = 0, size = 0;
        EXPECT_EQ(RegQueryValueExA(key, name, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
        EXPECT_EQ(type, DWORD{REG_SZ});
        EXPECT_EQ(size, 255u);
    }
    RegCloseKey(key);
    std::vector<InstalledDemo> demos = Demos();
    ASSERT_EQ(demos.size(), 1u);
    EXPECT_EQ(demos[0].uninstallCommand, "C:\\Games\\Neon\\uninst.exe");
    const FolderLookUp folder = ReadRecordFolder("Neon Breach", "1099");
    EXPECT_EQ(folder.folder, "Neon Breach");
    EXPECT_TRUE(folder.messages.empty());
}

TEST_F(RecordRootsTest, AWritableMachineIsUsedAndTheUserPartLeftAlone) {
    EXPECT_EQ(WriteInstallRecord("1099", "Iron Skies", "Iron Skies", "C:\\Games\\Iron\\uninst.exe"), RecordWritten::Machine);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kRecordsRoot) + "\\1099\\Iron Skies"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRecordsRoot));
}

TEST_F(RecordRootsTest, TheReaderListsMachineRecordsFirstThenTheUsersOnceEach) {
    WriteInstallRecord("1099", "Alpha", "A", "machine alpha");
    WriteInstallRecord("1099", "Alpha", "A", "user alpha", kMachineDenied);  // the same demo again
    WriteInstallRecord("1099", "Beta", "B", "user beta", kMachineDenied);
    WriteInstallRecord("1199", "Gamma", "G", "user gamma", kMachineDenied);
    std::vector<InstalledDemo> demos = Demos();
    ASSERT_EQ(demos.size(), 3u);
    EXPECT_EQ(demos[0].title, "Alpha");
    EXPECT_EQ(demos[0].uninstallCommand, "machine alpha");
    EXPECT_EQ(demos[1].title, "Beta");
    EXPECT_EQ(demos[2].edition, "1199");
    EXPECT_EQ(demos[2].title, "Gamma");
}

TEST_F(RecordRootsTest, DeletingRemovesTheDemoFromBothPartsAndKeepsTheEditionKeys) {
    WriteInstallRecord("1099", "Alpha", "A", "machine alpha");
    WriteInstallRecord("1099", "Alpha", "A", "user alpha", kMachineDenied);
    DeleteInstallRecord("1099", "Alpha");
    EXPECT_TRUE(Demos().empty());
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kRecordsRoot) + "\\1099"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, std::string(kRecordsRoot) + "\\1099"));
}

TEST_F(RecordRootsTest, AnUninstallEntryOfTheUserIsFoundWhenTheMachineHasNone) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VindrelUserDemo",
                              0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const char command[] = "\"C:\\Users\\me\\Demo\\uninst.exe\"";
    RegSetValueExA(key, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(command), sizeof command);
    RegCloseKey(key);
    EXPECT_EQ(LookUpUninstallString("VindrelUserDemo"), command);
    EXPECT_EQ(LookUpUninstallString("VindrelNoSuchDemo"), kNoUninstallInfo);
}

}  // namespace
}  // namespace vindrel
