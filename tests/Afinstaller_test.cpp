// The uninstall page inside the real shell, with records in the real registry, uninstallers that
// log their runs, and Start-menu groups in the real programs folder.
#include <gtest/gtest.h>

#include "pages/Afinstaller.h"
#include "pages/Forside.h"
#include "services/CDrom.h"
#include "tests/RegistryBackup.h"
#include "tests/ShellPages.h"

namespace vindrel {
namespace {

using test::ClickButton;
using test::PumpFor;
using test::Rendering;

const std::string kRoot = "Software\\Vindrel_Games";

bool RecordExists(const std::string& edition, const std::string& title) {
    return test::KeyExists(HKEY_LOCAL_MACHINE, kRoot + "\\" + edition + "\\" + title, test::kRecordView);
}

// An uninstall command that appends text to the log (after waiting ms, when given).
std::string LoggingUninstaller(const std::string& log, const std::string& text, int ms = 0) {
    std::string command = "\"" + test::BuiltProgram("applog.exe") + "\" \"" + log + "\" " + text;
    if (ms > 0) command += " " + std::to_string(ms);
    return command;
}

class UninstallPage : public testing::Test {
protected:
    UninstallPage() { test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kRoot); }
    ~UninstallPage() override { test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kRoot); }

    // As the main menu's Uninstall button does it.
    void Open() {
        page.CleanUp();
        page.Show();
    }
    std::vector<std::string> ShownTitles() {
        std::vector<std::string> titles;
        for (int row = 1; row <= TfrmAfinstaller::kRows; ++row)
            if (page.RowButton(row).Visible()) titles.push_back(page.RowButton(row).Caption());
        return titles;
    }
    int RedPixels(int row) { return Rendering(page).Count(page.RowButton(row).PageRect(), kRed); }
    void ExpectUninstallButton(bool shown) {
        EXPECT_EQ(page.cmdUninstall.Visible(), shown);
        EXPECT_EQ(page.VenstreSkygge.Visible(), shown);
    }
    // n records of edition 1099 named "Demo 01", "Demo 02", ...; each uninstaller logs its title.
    void RecordDemos(int n, int ms = 0) {
        for (int i = 1; i <= n; ++i) {
            std::string title = (i < 10 ? "Demo 0" : "Demo ") + std::to_string(i);
            WriteInstallRecord("1099", title, "NoFolder", LoggingUninstaller(log, "\"" + title + "\"", ms));
        }
    }

    test::ShellPages pages;
    TfrmAfinstaller& page = *pages.Pages().frmAfinstaller;
    const std::string log = pages.Scratch() / "uninstall.log";
};

TEST_F(UninstallPage, ThreeRecordedDemosShowThreeBlackRowsAndNeitherArrowsNorTheUninstallButton) {
    RecordDemos(3);
    Open();
    EXPECT_EQ(ShownTitles(), (std::vector<std::string>{"Demo 01", "Demo 02", "Demo 03"}));
    for (int row = 1; row <= 3; ++row) {
        SCOPED_TRACE(testing::Message() << "row " << row);
        EXPECT_EQ(page.RowButton(row).FontColour(), kBlack);
        EXPECT_EQ(RedPixels(row), 0);
    }
    EXPECT_FALSE(page.cmdOp.Visible());
    EXPECT_FALSE(page.cmdNed.Visible());
    ExpectUninstallButton(false);
}

TEST_F(UninstallPage, TheMainMenusButtonListsADemoRecordedSinceTheLastVisit) {
    TfrmForside& menu = *pages.Pages().frmForside;
    menu.Show();
    ClickButton(menu.cmdUninstall);
    EXPECT_TRUE(page.Visible());
    EXPECT_TRUE(ShownTitles().empty());
    ClickButton(page.cmdBack);
    EXPECT_FALSE(page.Visible());
    WriteInstallRecord("1099", "Fresh", "NoFolder", LoggingUninstaller(log, "fresh"));
    ClickButton(menu.cmdUninstall);
    EXPECT_EQ(ShownTitles(), (std::vector<std::string>{"Fresh"}));
}

TEST_F(UninstallPage, NoRecordsShowOnlyTheTitleHelpAndBack) {
    Open();
    EXPECT_TRUE(ShownTitles().empty());
    EXPECT_FALSE(page.cmdOp.Visible() || page.cmdNed.Visible());
    ExpectUninstallButton(false);
    EXPECT_TRUE(page.cmdHjaelp.Visible() && page.cmdBack.Visible() && page.lblUninstallCaption.Visible());
}

TEST_F(UninstallPage, MarkingARowTwiceTurnsItRedThenBlackWithTheUninstallButtonFollowing) {
    RecordDemos(3);
    Open();
    ClickButton(page.Transknap2);
    EXPECT_EQ(page.Transknap2.FontColour(), kRed);
    EXPECT_GT(RedPixels(2), 20) << "the title is drawn in red";
    ExpectUninstallButton(true);
    EXPECT_EQ(page.SelectionCount(), 1);

    ClickButton(page.Transknap2);
    EXPECT_EQ(page.Transknap2.FontColour(), kBlack);
    EXPECT_EQ(RedPixels(2), 0);
    ExpectUninstallButton(false);
    EXPECT_EQ(page.SelectionCount(), 0);
}

TEST_F(UninstallPage, MarkedDemosAreRemovedInListOrderBehindTheBackdropAndOnlyTheGoneAreForgotten) {
    RecordDemos(3, 300);  // each uninstaller takes a while; meanwhile the backdrop covers the page
    // Demo 03's uninstaller leaves its entry, as when the reader declines: it is not gone.
    const std::string declined = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VindrelDeclinedDemo";
    const std::string command = LoggingUninstaller(log, "\"Demo 03\"", 300);
    HKEY entry;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, declined.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                              nullptr, &entry, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(entry, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    RegCloseKey(entry);
    Open();
    ClickButton(page.Transknap3);  // marked first, still removed second
    ClickButton(page.Transknap1);
    bool sampled = false, backdropInFront = false;
    test::TestPage probe;
    Timer sample(probe, 200, [&] {
        sampled = true;
        backdropInFront = test::IsAbove(pages.Shell().Handle(), page.Handle());
        sample.Stop();
    });
    sample.Start();
    ClickButton(page.cmdUninstall);

    EXPECT_TRUE(sampled && backdropInFront) << "the backdrop covers the pages while an uninstaller runs";
    EXPECT_EQ(test::Lines(log), (std::vector<std::string>{"Demo 01", "Demo 01 done", "Demo 03", "Demo 03 done"}))
        << "one uninstaller at a time";
    test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, declined);
    EXPECT_FALSE(RecordExists("1099", "Demo 01"));
    EXPECT_TRUE(RecordExists("1099", "Demo 02"));
    EXPECT_TRUE(RecordExists("1099", "Demo 03")) << "declined, the demo is still installed";
    EXPECT_TRUE(page.Visible()) << "the page stays open behind the main menu";
    EXPECT_EQ(ShownTitles(), (std::vector<std::string>{"Demo 02", "Demo 03"}));
    EXPECT_EQ(page.Transknap2.FontColour(), kBlack) << "and no longer marked";
    ExpectUninstallButton(false);
    EXPECT_TRUE(test::IsAbove(pages.Pages().frmForside->Handle(), page.Handle())) << "the main menu is in front";
    EXPECT_TRUE(test::IsAbove(pages.Pages().frmForside->Handle(), pages.Shell().Handle()));

    Open();
    EXPECT_EQ(ShownTitles(), (std::vector<std::string>{"Demo 02", "Demo 03"}));
}

TEST_F(UninstallPage, BackForgetsTheMarksAtTheNextOpening) {
    RecordDemos(3);
    Open();
    ClickButton(page.Transknap1);
    ClickButton(page.cmdBack);
    EXPECT_FALSE(page.Visible());
    Open();
    EXPECT_EQ(page.Transknap1.FontColour(), kBlack);
    EXPECT_EQ(page.SelectionCount(), 0);
    ExpectUninstallButton(false);
    for (const InstalledDemo& demo : page.Demos()) EXPECT_FALSE(demo.selected);
}

TEST_F(UninstallPage, TwelveDemosPageThroughWithTheArrowsAndEveryOneCanBeRemoved) {
    RecordDemos(12);
    Open();
    EXPECT_EQ(ShownTitles().size(), 8u);
    EXPECT_EQ(ShownTitles().front(), "Demo 01");
    EXPECT_TRUE(page.cmdNed.Visible());
    EXPECT_FALSE(page.cmdOp.Visible());

    struct Step {
        TLMDMMButton* arrow;
        const char* first;
        const char* last;
        bool up, down;
    } steps[] = {
        {&page.cmdNed, "Demo 02", "Demo 09", true, true},
        {&page.cmdNed, "Demo 03", "Demo 10", true, true},
        {&page.cmdNed, "Demo 04", "Demo 11", true, true},
        {&page.cmdNed, "Demo 05", "Demo 12", true, false},
        {&page.cmdOp, "Demo 04", "Demo 11", true, true},
        {&page.cmdNed, "Demo 05", "Demo 12", true, false},
    };
    int n = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "step " << ++n);
        ClickButton(*s.arrow);
        auto titles = ShownTitles();
        ASSERT_EQ(titles.size(), 8u);
        EXPECT_EQ(titles.front(), s.first);
        EXPECT_EQ(titles.back(), s.last);
        EXPECT_EQ(page.cmdOp.Visible(), s.up);
        EXPECT_EQ(page.cmdNed.Visible(), s.down);
    }

    // The last row now shows the twelfth demo: marking it marks that one, and it is removed.
    ClickButton(page.Transknap8);
    EXPECT_EQ(page.Transknap8.FontColour(), kRed);
    ClickButton(page.cmdOp);  // its mark moves with it
    EXPECT_EQ(page.Transknap8.Caption(), "Demo 11");
    EXPECT_EQ(page.Transknap8.FontColour(), kBlack);
    ClickButton(page.cmdNed);
    EXPECT_EQ(page.Transknap8.FontColour(), kRed);
    ClickButton(page.cmdUninstall);
    EXPECT_EQ(test::Lines(log), (std::vector<std::string>{"Demo 12"}));
    EXPECT_FALSE(RecordExists("1099", "Demo 12"));
    EXPECT_EQ(page.Demos().size(), 11u);
    EXPECT_EQ(page.FirstShown(), 0);
}

TEST_F(UninstallPage, TheSameTitleUnderTwoEditionsIsTwoRowsEachMarkingItsOwnDemo) {
    WriteInstallRecord("1099", "Racer", "NoFolder", LoggingUninstaller(log, "racer-1099"));
    WriteInstallRecord("1199", "Racer", "NoFolder", LoggingUninstaller(log, "racer-1199"));
    Open();
    ASSERT_EQ(ShownTitles(), (std::vector<std::string>{"Racer", "Racer"}));
    const std::string secondEdition = page.Demos()[1].edition;
    const std::string firstEdition = page.Demos()[0].edition;

    ClickButton(page.Transknap2);
    EXPECT_EQ(page.Transknap2.FontColour(), kRed);
    EXPECT_EQ(page.Transknap1.FontColour(), kBlack);
    EXPECT_FALSE(page.Demos()[0].selected);
    EXPECT_TRUE(page.Demos()[1].selected);

    ClickButton(page.cmdUninstall);
    EXPECT_EQ(test::Lines(log), (std::vector<std::string>{"racer-" + secondEdition}));
    EXPECT_FALSE(RecordExists(secondEdition, "Racer"));
    EXPECT_TRUE(RecordExists(firstEdition, "Racer"));
}

// A demo whose uninstaller is gone leaves the list silently; one whose uninstaller is there but
// cannot be started (here: not a program) removed nothing and stays. The latter's command is a
// 32-bit setup's "%ProgramFiles%\...", which must lead to the "(x86)" folder it lies in.
TEST_F(UninstallPage, AnUninstallerThatIsGoneLeavesTheListAndOneThatCannotStartStays) {
    char x86[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("ProgramFiles(x86)", x86, sizeof x86), 0u);
    const std::string folder = std::string(x86) + "\\Vindrel Rel C8", program = folder + "\\unins.exe";
    CreateDirectoryA(folder.c_str(), nullptr);
    test::WriteFile(program, "MZ, but no program");
    const std::string entry = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VindrelRelC8";
    const std::string command = "\"%ProgramFiles%\\Vindrel Rel C8\\unins.exe\"";
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, entry.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "UninstallString", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    RegCloseKey(key);
    WriteInstallRecord("1099", "Cannot Start", "NoFolder", LookUpUninstallString("VindrelRelC8"));
    WriteInstallRecord("1099", "Gone", "NoFolder", "C:\\Program Files\\Gone\\uninst.exe");
    // Not started, and no uninstall entry holds its command: it still removed nothing.
    WriteInstallRecord("1099", "No Entry", "NoFolder", "\"" + program + "\"");
    test::MessageBoxWatcher boxes;
    Open();
    ClickButton(page.Transknap1);
    ClickButton(page.Transknap2);
    ClickButton(page.Transknap3);
    ClickButton(page.cmdUninstall);
    EXPECT_FALSE(RecordExists("1099", "Gone"));
    EXPECT_TRUE(RecordExists("1099", "Cannot Start")) << "not started, the demo is still installed";
    EXPECT_EQ(ShownTitles(), (std::vector<std::string>{"Cannot Start", "No Entry"}));
    PumpFor(200);
    EXPECT_TRUE(boxes.Seen().empty());
    test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, entry);
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
}

// A short title that cannot be a key name is recorded, listed and removed under one that can.
TEST_F(UninstallPage, ABackslashTitleIsListedAndRemovedUnderItsRecordedName) {
    WriteInstallRecord("1099", "AC\\DC Racer", "NoFolder", "C:\\Program Files\\Gone\\uninst.exe");
    Open();
    EXPECT_EQ(ShownTitles(), (std::vector<std::string>{"AC/DC Racer"}));
    ClickButton(page.Transknap1);
    ClickButton(page.cmdUninstall);
    EXPECT_FALSE(RecordExists("1099", "AC/DC Racer"));
    EXPECT_TRUE(ShownTitles().empty());
}

// ---- Start-menu groups ------------------------------------------------------------------------

class UninstallGroups : public UninstallPage {
protected:
    void SetUp() override {
        programs = ReadProgramsFolder().folder;
        ASSERT_FALSE(programs.empty());
        games = programs + "\\Games";
    }
    void TearDown() override { test::ScratchFolder::Remove(games + "\\" + edition); }
    void MakeFolder(const std::string& path) {
        std::string built;
        for (size_t i = 0; i <= path.size(); ++i)
            if (i == path.size() || path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
        test::WriteFile(path + "\\Play.lnk", "shortcut");
    }
    void RemoveMarked() {
        Open();
        for (size_t i = 0; i < page.Demos().size() && i < TfrmAfinstaller::kRows; ++i)
            ClickButton(page.RowButton(static_cast<int>(i) + 1));
        ClickButton(page.cmdUninstall);
    }
    std::string programs, games;
    const std::string edition = "VindrelGroupTest";
};

TEST_F(UninstallGroups, TheMovedGroupOfARemovedDemoGoesAndOthersStay) {
    MakeFolder(games + "\\" + edition + "\\Racer Group");
    MakeFolder(games + "\\" + edition + "\\Other Group");
    test::WriteFile(games + "\\" + edition + "\\Single.lnk", "shortcut");
    WriteInstallRecord(edition, "Racer", "Racer Group", LoggingUninstaller(log, "racer"));
    WriteInstallRecord(edition, "Single", "Single", LoggingUninstaller(log, "single"));
    WriteInstallRecord("1099", "Kept", "Other Group", LoggingUninstaller(log, "kept"));
    Open();
    for (size_t i = 0; i < page.Demos().size(); ++i)
        if (page.Demos()[i].edition == edition) ClickButton(page.RowButton(static_cast<int>(i) + 1));
    ClickButton(page.cmdUninstall);

    EXPECT_FALSE(test::PathExists(games + "\\" + edition + "\\Racer Group"));
    EXPECT_FALSE(test::PathExists(games + "\\" + edition + "\\Single.lnk")) << "a group moved as one shortcut";
    EXPECT_TRUE(test::PathExists(games + "\\" + edition + "\\Other Group\\Play.lnk"));
    EXPECT_TRUE(test::PathExists(games + "\\" + edition)) << "only the group goes";
    EXPECT_TRUE(RecordExists("1099", "Kept"));
}

TEST_F(UninstallGroups, GroupNamesThatLeaveTheEditionFolderDeleteNothing) {
    const std::string sentinel = games + "\\" + edition + "\\Sentinel";
    MakeFolder(sentinel);
    const char* unsafe[] = {"", "..", "..\\..", ".\\..\\Games", "Sentinel\\..\\..", "\\Windows", "C:\\Windows",
                            "C:Sentinel", "/Sentinel"};
    test::MessageBoxWatcher boxes;
    for (const char* group : unsafe) {
        SCOPED_TRACE(testing::Message() << "group \"" << group << "\"");
        WriteInstallRecord(edition, "Unsafe", group, LoggingUninstaller(log, "unsafe"));
        RemoveMarked();
        EXPECT_FALSE(RecordExists(edition, "Unsafe"));
        EXPECT_TRUE(test::PathExists(sentinel + "\\Play.lnk"));
        EXPECT_TRUE(test::PathExists(games));
        EXPECT_TRUE(test::PathExists(programs));
    }
    // An edition name from another CD that climbs out is refused as well.
    WriteInstallRecord("..", "Climber", "Games", LoggingUninstaller(log, "climber"));
    ASSERT_TRUE(RecordExists("..", "Climber"));
    RemoveMarked();
    EXPECT_TRUE(test::PathExists(sentinel + "\\Play.lnk"));
    test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kRoot + "\\..");
}

// The look-ups name their messages; the page shows each, owned by its own window.
TEST_F(UninstallGroups, ARecordWithoutItsFolderValueIsRemovedWithTheMessageOwnedByThePage) {
    WriteInstallRecord(edition, "Racer", "Racer Group", LoggingUninstaller(log, "racer"));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kRoot + "\\" + edition + "\\Racer").c_str(), 0,
                            KEY_SET_VALUE | test::kRecordView, &key),
              ERROR_SUCCESS);
    RegDeleteValueA(key, "Folder");
    RegCloseKey(key);
    test::MessageBoxWatcher boxes;
    RemoveMarked();
    PumpFor(200);
    EXPECT_FALSE(RecordExists(edition, "Racer"));
    const std::vector<test::SeenMessage> seen = boxes.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Information");
    EXPECT_EQ(seen[0].text, "Unable to get gameinfo");
    EXPECT_EQ(seen[0].owner, page.Handle());
}

// A record the machine's part of the registry refuses lands in the user's part, and the page
// lists it and removes it from there.
TEST_F(UninstallGroups, ARecordTheMachineRefusedIsListedAndRemovedFromTheUsersPart) {
    const RecordRoots machineDenied{HKEY_PERFORMANCE_DATA, HKEY_CURRENT_USER};
    const std::string user = kRoot + "\\" + edition + "\\Skater";
    EXPECT_EQ(WriteInstallRecord(edition, "Skater", "NoFolder", LoggingUninstaller(log, "skater"), machineDenied),
              RecordWritten::User);
    EXPECT_EQ(WriteInstallRecord(edition, "Skater", "NoFolder", kNoUninstallInfo, machineDenied), RecordWritten::NotWritten);
    EXPECT_EQ(WriteInstallRecord(edition, "Skater", "NoFolder", "x", {HKEY_PERFORMANCE_DATA, HKEY_PERFORMANCE_DATA}),
              RecordWritten::Failed);
    ASSERT_TRUE(test::KeyExists(HKEY_CURRENT_USER, user, test::kRecordView));
    ASSERT_FALSE(RecordExists(edition, "Skater"));
    Open();
    ASSERT_EQ(ShownTitles(), std::vector<std::string>{"Skater"});
    RemoveMarked();
    EXPECT_EQ(test::Lines(log), std::vector<std::string>{"skater"});
    EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, user, test::kRecordView));
    EXPECT_FALSE(DeleteInstallRecord(edition, "Skater")) << "nothing left to delete";
    Open();
    EXPECT_TRUE(ShownTitles().empty());
    test::DeleteRegistryTree(HKEY_CURRENT_USER, kRoot);
}

TEST_F(UninstallGroups, WithoutAProgramsFolderNothingIsDeletedAtTheDriveRoot) {
    test::CurrentDirectory current("C:\\");
    const std::string atRoot = "C:\\Games\\" + edition + "\\Racer Group";
    MakeFolder(atRoot);
    WriteInstallRecord(edition, "Racer", "Racer Group", LoggingUninstaller(log, "racer"));
    {
        test::ValueTakenAway noPrograms(HKEY_CURRENT_USER,
                                        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                        "Programs");
        ASSERT_TRUE(noPrograms.Taken());
        RemoveMarked();
    }
    EXPECT_FALSE(RecordExists(edition, "Racer"));
    EXPECT_TRUE(test::PathExists(atRoot + "\\Play.lnk"));
    test::ScratchFolder::Remove("C:\\Games");
}

}  // namespace
}  // namespace vindrel
