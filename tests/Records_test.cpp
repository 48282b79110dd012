// Installed-demo records in the real (Wine) registry, the uninstall look-up and the folder reads.
#include <gtest/gtest.h>

#include <map>

#include "services/CDrom.h"
#include "tests/RegistryBackup.h"
#include "tests/TestSupport.h"

namespace vindrel {
namespace {

const std::string kRoot = "Software\\Vindrel_Games";
const std::string kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::string kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Every test starts and ends without any records on the machine.
class Records : public ::testing::Test {
protected:
    void SetUp() override { test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kRoot); }
    void TearDown() override { test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kRoot); }

    static std::vector<InstalledDemo> Listed() {
        std::vector<InstalledDemo> list;
        ReadInstalledDemos(list);
        return list;
    }
};

// Records are looked for where the menu keeps them.
bool KeyExists(const std::string& path) { return test::KeyExists(HKEY_LOCAL_MACHINE, path, test::kRecordView); }

DWORD SubKeyCount(const std::string& path) {
    HKEY key;
    DWORD count = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | test::kRecordView, &key) != ERROR_SUCCESS)
        return 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return count;
}

// A value exactly as the registry hands it back.
struct RawValue {
    bool found = false;
    DWORD type = REG_NONE;
    std::string bytes;
};

RawValue ReadRaw(HKEY root, const std::string& path, const char* name) {
    RawValue v;
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | test::kRecordView, &key) != ERROR_SUCCESS) return v;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
        v.bytes.resize(size);
        v.found = RegQueryValueExA(key, name, nullptr, &v.type, reinterpret_cast<BYTE*>(v.bytes.data()), &size) ==
                  ERROR_SUCCESS;
        v.bytes.resize(size);
    }
    RegCloseKey(key);
    return v;
}

void SetRaw(HKEY root, const std::string& path, const char* name, DWORD type, const std::string& bytes,
            REGSAM view = test::kRecordView) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (name) RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

std::string SystemRoot() {
    char root[MAX_PATH] = {};
    GetEnvironmentVariableA("SystemRoot", root, sizeof root);
    return root;
}

TEST_F(Records, FreshMachineAddsNothing) {
    std::vector<InstalledDemo> list = {{"earlier", "entry", "cmd", true}};
    ReadInstalledDemos(list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].title, "entry");
}

TEST_F(Records, TwoEditionsListAndDeleteIndependently) {
    WriteInstallRecord("1099", "Alpha", "Alpha Group", "C:\\Alpha\\unins000.exe");
    WriteInstallRecord("1199", "Beta", "Beta Group", "C:\\Beta\\uninst.exe /S");
    std::vector<InstalledDemo> list = Listed();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].edition, "1099");
    EXPECT_EQ(list[0].title, "Alpha");
    EXPECT_EQ(list[0].uninstallCommand, "C:\\Alpha\\unins000.exe");
    EXPECT_EQ(list[1].edition, "1199");
    EXPECT_EQ(list[1].title, "Beta");
    EXPECT_EQ(list[1].uninstallCommand, "C:\\Beta\\uninst.exe /S");
    EXPECT_FALSE(list[0].selected || list[1].selected);

    DeleteInstallRecord("1099", "Alpha");
    list = Listed();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].title, "Beta");
    EXPECT_TRUE(KeyExists(kRoot + "\\1099")) << "the emptied edition key stays";
    EXPECT_EQ(SubKeyCount(kRoot + "\\1099"), 0u);
}

TEST_F(Records, KeptInThe32BitViewWhileThoseA64BitBuildWroteInItsOwnStillListAndDelete) {
    WriteInstallRecord("1099", "Alpha", "Alpha Group", "C:\\Alpha\\u.exe");
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, kRoot + "\\1099\\Alpha", KEY_WOW64_32KEY));
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kRoot, KEY_WOW64_64KEY));
    // As an earlier 64-bit build left them: one demo only there, one in both views.
    for (const char* title : {"Beta", "Alpha"}) {
        const std::string key = kRoot + "\\1099\\" + title;
        SetRaw(HKEY_LOCAL_MACHINE, key, "Afinstallationsstreng", REG_SZ, std::string("C:\\64\\u.exe") + '\0', KEY_WOW64_64KEY);
        SetRaw(HKEY_LOCAL_MACHINE, key, "Folder", REG_SZ, std::string(title) + " 64" + '\0', KEY_WOW64_64KEY);
    }
    std::vector<InstalledDemo> list = Listed();
    ASSERT_EQ(list.size(), 2u) << "each demo once";
    EXPECT_EQ(list[0].title, "Alpha");
    EXPECT_EQ(list[0].uninstallCommand, "C:\\Alpha\\u.exe") << "the 32-bit view's record first";
    EXPECT_EQ(list[1].title, "Beta");
    EXPECT_EQ(list[1].uninstallCommand, "C:\\64\\u.exe");
    EXPECT_EQ(ReadRecordFolder("Beta", "1099").folder, "Beta 64");

    DeleteInstallRecord("1099", "Alpha");
    DeleteInstallRecord("1099", "Beta");
    EXPECT_TRUE(Listed().empty());
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
        for (const char* title : {"Alpha", "Beta"})
            EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kRoot + "\\1099\\" + title, view)) << title;
}

TEST_F(Records, SameTitleUnderTwoEditionsGivesTwoEntries) {
    WriteInstallRecord("1099", "Racer", "Racer", "C:\\R1\\u.exe");
    WriteInstallRecord("0500", "Racer", "Racer", "C:\\R2\\u.exe");
    std::vector<InstalledDemo> list = Listed();
    ASSERT_EQ(list.size(), 2u);
    for (const InstalledDemo& d : list) {
        SCOPED_TRACE(d.edition);
        EXPECT_EQ(d.title, "Racer");
        EXPECT_EQ(d.uninstallCommand, d.edition == "1099" ? "C:\\R1\\u.exe" : "C:\\R2\\u.exe");
    }
    EXPECT_NE(list[0].edition, list[1].edition);
}

TEST_F(Records, ValuesAre255BytesOfTextAndZerosOrTheWholeLongerText) {
    const struct {
        const char* name;
        std::string text;
        size_t stored;
    } cases[] = {
        {"empty", "", 255},
        {"short", "C:\\Demo\\unins000.exe", 255},
        {"254 characters", std::string(254, 'a'), 255},
        {"255 characters", std::string(255, 'b'), 256},
        {"600 characters", "\"C:\\" + std::string(592, 'c') + "\" /x", 601},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteInstallRecord("1099", "Demo", c.text, c.text);
        const std::string key = kRoot + "\\1099\\Demo";
        for (const char* value : {"Afinstallationsstreng", "Folder"}) {
            SCOPED_TRACE(value);
            RawValue raw = ReadRaw(HKEY_LOCAL_MACHINE, key, value);
            ASSERT_TRUE(raw.found);
            EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
            EXPECT_EQ(raw.bytes.size(), c.stored);
            EXPECT_EQ(raw.bytes, c.text + std::string(c.stored - c.text.size(), '\0'));
        }
        std::vector<InstalledDemo> list = Listed();
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list[0].uninstallCommand, c.text) << "read back whole";
        EXPECT_EQ(ReadRecordFolder("Demo", "1099").folder, c.text);
    }
}

TEST_F(Records, WritingTwiceLeavesOneKeyWithTheSameValues) {
    WriteInstallRecord("1099", "Alpha", "Group", "C:\\a.exe");
    WriteInstallRecord("1099", "Alpha", "Group", "C:\\a.exe");
    EXPECT_EQ(SubKeyCount(kRoot), 1u);
    EXPECT_EQ(SubKeyCount(kRoot + "\\1099"), 1u);
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kRoot + "\\1099\\Alpha").c_str(), 0, KEY_READ | test::kRecordView, &key),
              ERROR_SUCCESS);
    DWORD values = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    EXPECT_EQ(values, 2u);
    ASSERT_EQ(Listed().size(), 1u);
    EXPECT_EQ(Listed()[0].uninstallCommand, "C:\\a.exe");
}

TEST_F(Records, NothingIsWrittenWithoutUninstallInfoOrAnEdition) {
    const struct {
        const char* name;
        std::string edition, title, command;
    } cases[] = {
        {"no uninstall info", "1099", "Alpha", "No uninstalinfo"},
        {"empty edition", "", "Alpha", "C:\\u.exe"},
        {"edition with a backslash", "10\\99", "Alpha", "C:\\u.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteInstallRecord(c.edition, c.title, "Group", c.command);
        EXPECT_FALSE(KeyExists(kRoot));
    }
    // Nor does a delete with an empty title take the edition key with it.
    WriteInstallRecord("1099", "Alpha", "Group", "C:\\u.exe");
    DeleteInstallRecord("1099", "Alpha");
    DeleteInstallRecord("1099", "");
    EXPECT_TRUE(KeyExists(kRoot + "\\1099"));
}

TEST_F(Records, DemoMissingFromTheUninstallRegistryIsNeverRecorded) {
    test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kUninstall + "VindrelAbsentDemo");
    WriteInstallRecord("1099", "Absent", "Group", LookUpUninstallString("VindrelAbsentDemo"));
    EXPECT_TRUE(Listed().empty());
}

TEST_F(Records, CommandIsTheFirstValueWhenItIsAString) {
    const std::string edition = kRoot + "\\1099\\";
    const std::string longName(400, 'A');
    const std::string longCommand = "C:\\" + std::string(500, 'x') + "\\u.exe";
    SetRaw(HKEY_LOCAL_MACHINE, edition + "Dword", "Afinstallationsstreng", REG_DWORD, std::string(4, '\x01'));
    SetRaw(HKEY_LOCAL_MACHINE, edition + "Binary", "Afinstallationsstreng", REG_BINARY, "C:\\bin.exe");
    SetRaw(HKEY_LOCAL_MACHINE, edition + "Empty", nullptr, REG_NONE, "");
    SetRaw(HKEY_LOCAL_MACHINE, edition + "LongName", longName.c_str(), REG_SZ, longCommand + '\0');
    SetRaw(HKEY_LOCAL_MACHINE, edition + "Expand", "Afinstallationsstreng", REG_EXPAND_SZ,
           std::string("%SystemRoot%\\e.exe\0", 19));
    // As earlier runs stored a REG_EXPAND_SZ entry's command.
    SetRaw(HKEY_LOCAL_MACHINE, edition + "Unexpanded", "Afinstallationsstreng", REG_SZ,
           std::string("%SystemRoot%\\old.exe\0", 21));
    std::map<std::string, std::string> commands;
    for (const InstalledDemo& d : Listed()) commands[d.title] = d.uninstallCommand;
    EXPECT_EQ(commands.size(), 6u) << "every demo key lists";
    EXPECT_EQ(commands["Dword"], "");
    EXPECT_EQ(commands["Binary"], "");
    EXPECT_EQ(commands["Empty"], "");
    EXPECT_EQ(commands["LongName"], longCommand);
    EXPECT_EQ(commands["Expand"], SystemRoot() + "\\e.exe") << "expanded before use";
    EXPECT_EQ(commands["Unexpanded"], SystemRoot() + "\\old.exe");
}

// Every title is recorded: one that cannot be a key name under a name that can, the same at
// install, in the list and at removal.
TEST_F(Records, EveryTitleIsRecordedListedAndRemovedUnderANameTheRegistryTakes) {
    const struct {
        const char* name;
        std::string title, recorded;
    } cases[] = {
        {"up to the registry's limit", std::string(255, 't'), std::string(255, 't')},
        {"a backslash", "AC\\DC Racer", "AC/DC Racer"},
        {"beyond the registry's limit", std::string(300, 'u'), std::string(255, 'u')},
        {"a backslash past the limit's edge", std::string(254, 'v') + "\\\\x", std::string(254, 'v') + "/"},
        {"empty", "", "No Title!"},
        {"blank", "  ", "No Title!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RecordName(c.title), c.recorded);
        WriteInstallRecord("1099", c.title, "Group", "C:\\u.exe");
        std::vector<InstalledDemo> list = Listed();
        ASSERT_EQ(list.size(), 1u);
        EXPECT_EQ(list[0].title, c.recorded);
        EXPECT_EQ(list[0].uninstallCommand, "C:\\u.exe");
        EXPECT_EQ(ReadRecordFolder(list[0].title, "1099").folder, "Group");
        DeleteInstallRecord(list[0].edition, list[0].title);
        EXPECT_TRUE(Listed().empty());
        EXPECT_TRUE(KeyExists(kRoot + "\\1099")) << "the edition key stays";
    }
}

std::string Environment(const char* name) {
    char value[MAX_PATH] = {};
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
}

TEST(UninstallLookUp, OnlyANonEmptyStringCommandCountsInEitherView) {
    const std::string key = kUninstall + "VindrelLookUpTest";
    const std::string nul(1, '\0');
    const struct {
        const char* name;
        bool createKey;
        DWORD type;
        std::string data;
        std::string expected;
        REGSAM view = KEY_WOW64_64KEY;  // where the setup wrote the entry
    } cases[] = {
        {"missing key", false, REG_SZ, "", "No uninstalinfo"},
        {"missing value", true, REG_NONE, "", "No uninstalinfo"},
        {"number", true, REG_DWORD, std::string(4, '\0'), "No uninstalinfo"},
        {"binary", true, REG_BINARY, "C:\\u.exe", "No uninstalinfo"},
        {"empty text", true, REG_SZ, std::string(1, '\0'), "No uninstalinfo"},
        {"command", true, REG_SZ, std::string("\"C:\\Demo\\unins000.exe\"\0", 24), "\"C:\\Demo\\unins000.exe\""},
        {"command past 200 bytes", true, REG_SZ, "C:\\" + std::string(300, 'd') + "\\u.exe" + '\0',
         "C:\\" + std::string(300, 'd') + "\\u.exe"},
        {"a 32-bit setup's entry", true, REG_SZ, std::string("C:\\Demo32\\u.exe") + '\0', "C:\\Demo32\\u.exe",
         KEY_WOW64_32KEY},
        {"REG_EXPAND_SZ", true, REG_EXPAND_SZ, std::string("\"%SystemRoot%\\Demo\\u.exe\" /S\0", 29),
         "\"" + SystemRoot() + "\\Demo\\u.exe\" /S", KEY_WOW64_32KEY},
        // A 32-bit setup's folders, as a 32-bit program expands them: the "(x86)" ones.
        {"a 32-bit setup's %ProgramFiles%", true, REG_EXPAND_SZ, "\"%ProgramFiles%\\Rel C8\\unins.exe\"" + nul,
         "\"" + Environment("ProgramFiles(x86)") + "\\Rel C8\\unins.exe\"", KEY_WOW64_32KEY},
        {"a 32-bit setup's %CommonProgramFiles%", true, REG_EXPAND_SZ, "%commonprogramfiles%\\Rel\\u.exe" + nul,
         Environment("CommonProgramFiles(x86)") + "\\Rel\\u.exe", KEY_WOW64_32KEY},
        {"a 64-bit setup's %ProgramFiles%", true, REG_EXPAND_SZ, "%ProgramFiles%\\Rel\\u.exe" + nul,
         Environment("ProgramFiles") + "\\Rel\\u.exe", KEY_WOW64_64KEY},
    };
    ASSERT_NE(Environment("ProgramFiles(x86)"), Environment("ProgramFiles")) << "a 64-bit Windows";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, key);
        if (c.createKey)
            SetRaw(HKEY_LOCAL_MACHINE, key, c.type == REG_NONE ? nullptr : "UninstallString", c.type, c.data, c.view);
        EXPECT_EQ(LookUpUninstallString("VindrelLookUpTest"), c.expected);
    }
    test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, key);
}

// A Windows Installer entry's "/I" command would only repair: the removal is the system's msiexec
// "/x" with the product code, whether the command says so or only the entry's mark does.
TEST(UninstallLookUp, WindowsInstallerEntriesAreRemovedWithMsiexecAndTheirProductCode) {
    const std::string code = "{6E1D3A52-8C4B-4F0E-9A7D-2B5C1E0F4D93}";
    const std::string entry = kUninstall + code;
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string removal = "\"" + std::string(system) + "\\msiexec.exe\" /x " + code;
    const struct {
        const char* name;
        std::string command;  // as recorded, and as the entry holds it
        bool marked;          // the entry's WindowsInstaller = 1
        std::string run;
    } cases[] = {
        {"/I as Windows writes it", "MsiExec.exe /I" + code, true, removal},
        {"/X, unmarked", "MsiExec.exe /X" + code, false, removal},
        {"a path, lower case, a blank", "C:\\Windows\\system32\\msiexec.exe -i " + code, false, removal},
        {"another program's command, marked", "\"C:\\Demo\\setup.exe\" /remove", true, removal},
        {"another program's command, unmarked", "\"C:\\Demo\\setup.exe\" /remove", false,
         "\"C:\\Demo\\setup.exe\" /remove"},
        {"msiexec without a product code", "MsiExec.exe /I{not-a-code}", false, "MsiExec.exe /I{not-a-code}"},
        {"a repair option, not an install", "MsiExec.exe /f" + code, false, "MsiExec.exe /f" + code},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, entry);
        SetRaw(HKEY_LOCAL_MACHINE, entry, "UninstallString", REG_SZ, c.command + '\0', KEY_WOW64_64KEY);
        if (c.marked) SetRaw(HKEY_LOCAL_MACHINE, entry, "WindowsInstaller", REG_DWORD, std::string("\1\0\0\0", 4), KEY_WOW64_64KEY);
        EXPECT_EQ(UninstallCommandToRun(c.command), c.run);
    }
    test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, entry);
}

TEST(UninstallLookUp, ADemoIsGoneWhenItsProgramIsOrNoEntryHoldsItsCommandAnyMore) {
    test::ScratchFolder folder;
    const std::string program = folder / "uninst.exe";
    const std::string command = "\"" + program + "\"";
    SetEnvironmentVariableA("VINDREL_GONE_TEST", folder.Path().c_str());
    const std::string entry = kUninstall + "VindrelGoneTest";
    const struct {
        const char* name;
        bool programThere;
        HKEY root;  // where an entry holds the command; none when null
        REGSAM view;
        DWORD type;
        std::string held;
        bool gone;
    } cases[] = {
        {"declined: program and entry still there", true, HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, REG_SZ, command, false},
        {"entry in the 64-bit view", true, HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, REG_SZ, command, false},
        {"entry of the user", true, HKEY_CURRENT_USER, 0, REG_SZ, command, false},
        {"entry as REG_EXPAND_SZ", true, HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, REG_EXPAND_SZ,
         "\"%VINDREL_GONE_TEST%\\uninst.exe\"", false},
        {"entry in other letters' case", true, HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, REG_SZ,
         std::string(CharUpperA(std::string(command).data())), false},
        {"entry removed", true, nullptr, 0, REG_SZ, "", true},
        {"entry holds another command", true, HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, REG_SZ, command + " /other", true},
        {"program removed", false, HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, REG_SZ, command, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, entry);
        test::DeleteRegistryTree(HKEY_CURRENT_USER, entry);
        DeleteFileA(program.c_str());
        if (c.programThere) test::WriteFile(program, "MZ");
        if (c.root) SetRaw(c.root, entry, "UninstallString", c.type, c.held + '\0', c.view);
        EXPECT_EQ(DemoIsGone(command), c.gone);
    }
    // A bare program name is found where the program start finds it.
    SetRaw(HKEY_LOCAL_MACHINE, entry, "UninstallString", REG_SZ, std::string("rundll32.exe demo.dll,Remove\0", 30));
    EXPECT_FALSE(DemoIsGone("rundll32.exe demo.dll,Remove"));
    test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, entry);
    test::DeleteRegistryTree(HKEY_CURRENT_USER, entry);
    SetEnvironmentVariableA("VINDREL_GONE_TEST", nullptr);
}

TEST(ProgramsFolder, ReadFromShellFoldersOrReportedMissing) {
    const RawValue programs = ReadRaw(HKEY_CURRENT_USER, kShellFolders, "Programs");
    ASSERT_TRUE(programs.found);
    // The look-up shows nothing itself: it hands its message to the page that shows it.
    test::MessageBoxWatcher watcher;
    {
        const FolderLookUp found = ReadProgramsFolder();
        EXPECT_EQ(found.folder, std::string(programs.bytes.c_str()));
        EXPECT_TRUE(found.messages.empty());
    }
    {
        test::KeyTakenAway away(HKEY_CURRENT_USER, kShellFolders);
        ASSERT_TRUE(away.Taken());
        const FolderLookUp found = ReadProgramsFolder();
        EXPECT_EQ(found.folder, "");
        EXPECT_EQ(found.messages, (Messages{
                                      "Unable to Open key   Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"}));
    }
    EXPECT_TRUE(watcher.Seen().empty());
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kShellFolders, "Programs").bytes, programs.bytes) << "key put back";
}

TEST_F(Records, RecordFolderReportsAMissingKeyOrValue) {
    WriteInstallRecord("1099", "Alpha", "Alpha Group", "C:\\u.exe");
    SetRaw(HKEY_LOCAL_MACHINE, kRoot + "\\1099\\NoFolder", "Afinstallationsstreng", REG_SZ, "C:\\u.exe");
    SetRaw(HKEY_LOCAL_MACHINE, kRoot + "\\1099\\NumberFolder", "Folder", REG_DWORD, std::string(4, '\0'));
    const struct {
        const char* title;
        std::string expected;
        std::vector<std::string> messages;
    } cases[] = {
        {"Alpha", "Alpha Group", {}},
        {"Missing", "", {"Unable to Open key   spil folder", "Unable to get gameinfo"}},
        {"NoFolder", "", {"Unable to get gameinfo"}},
        {"NumberFolder", "", {"Unable to get gameinfo"}},
    };
    test::MessageBoxWatcher watcher;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const FolderLookUp found = ReadRecordFolder(c.title, "1099");
        EXPECT_EQ(found.folder, c.expected);
        EXPECT_EQ(found.messages, c.messages);
    }
    EXPECT_TRUE(watcher.Seen().empty()) << "shown by the page, not by the look-up";
}

}  // namespace
}  // namespace vindrel
