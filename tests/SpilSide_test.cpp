// The game page: requirement lines against a chosen machine, the description's eighteen lines
// and arrows, the ways back, and Install with programs that are not real setups.
#include <gtest/gtest.h>

#include "lang/SprogTabel.h"
#include "services/Handles.h"
#include "tests/MenuFixture.h"

namespace vindrel {
namespace {

using test::Demo;
using test::MenuTest;

constexpr COLORREF kShotColour = RGB(255, 0, 255);
constexpr int kShotWidth = 120, kShotHeight = 90;

// A Shot.bmp of one colour in the folder of cd\<name>\Setup.exe; returns that setup's path.
std::string DemoWithShot(const test::ScratchFolder& cd, const std::string& name, bool withShot) {
    CreateDirectoryA((cd / name).c_str(), nullptr);
    if (withShot) {
        const auto bytes = test::BitmapFile(kShotWidth, kShotHeight, {kShotColour}, [](int, int) { return 0; });
        test::WriteFile(cd / (name + "\\Shot.bmp"), std::string(bytes.begin(), bytes.end()));
    }
    return cd / (name + "\\Setup.exe");
}

class GamePageTest : public MenuTest {
protected:
    // Opens the first demo from its category page on a machine with ram and disk MB.
    void OpenOn(const Demo& demo, int ramMB, int diskMB, int has3dfx = 0) {
        Start({demo});
        Category().Profile = MachineProfile{0, ramMB, diskMB, has3dfx};
        OpenFirst();
    }
    void OpenFirst() {
        OpenCategory(Category().SpilListe.at(0).Kategori);
        Click(Category().label1);
        ASSERT_TRUE(Game().Visible());
    }
    // Opens a demo whose description is the given text.
    void OpenWithDescription(const std::string& text) {
        Start({{.KortTitel = "Long", .Kategori = "Action"}});
        Category().SpilListe[0].Instruktion = text;
        OpenFirst();
    }
    std::vector<std::string> Shown() {
        std::vector<std::string> lines;
        for (int k = 1; k <= TfrmSpilSide::kLines; ++k) lines.push_back(Game().Label(k).Caption());
        return lines;
    }
    static std::vector<std::string> Expected(int from, int count) {
        std::vector<std::string> lines;
        for (int k = 0; k < TfrmSpilSide::kLines; ++k)
            lines.push_back(k < count ? "line " + std::to_string(from + k) : std::string());
        return lines;
    }
    // The RAM line's pixels in the page's rendering.
    int RedInRamLine() {
        test::Rendering page(Game());
        RECT line = Game().LabelMaskinKravRAM.PageRect();
        return page.Count(line, RGB(255, 0, 0));
    }
};

TEST_F(GamePageTest, ADemoNeedingMoreRamThanTheMachineHasShowsARedBlinkingLineAndTheWarning) {
    OpenOn({.KortTitel = "Big", .Kategori = "Action", .Ram = 32, .HD = 700, .CPU = 999}, 16, 700);
    TfrmSpilSide& g = Game();
    EXPECT_EQ(g.LabelMaskinKravRAM.FontColour(), 0x000000FFu);
    EXPECT_EQ(g.LabelMaskinKravHD.FontColour(), 0x0000FF00u) << "exactly the free space is enough";
    EXPECT_EQ(g.LabelMaskinKravCpu.FontColour(), 0x0000FF00u) << "the processor is never compared";
    EXPECT_EQ(g.LabelMaskinKrav3dfx.FontColour(), 0x0000FF00u);
    EXPECT_EQ(g.LabelMaskinKravRAM.Caption(), "RAM: 32 MB");
    EXPECT_EQ(g.LabelMaskinKravHD.Caption(), "Harddisk: 700 MB");
    EXPECT_EQ(g.LabelMaskinKravCpu.Caption(), "CPU: 999 MHz");
    EXPECT_EQ(g.LabelMaskinKrav3dfx.Caption(), g.lbl3dNej.Caption()) << "no catalogue entry needs a 3D card";
    EXPECT_TRUE(g.lblWarning.Visible());
    EXPECT_GT(RedInRamLine(), 20);

    // Each tick toggles the red line only.
    ASSERT_TRUE(g.tmrKran.Enabled());
    EXPECT_EQ(g.tmrKran.Interval(), 300u);
    test::Fire(g, g.tmrKran);
    EXPECT_FALSE(g.LabelMaskinKravRAM.Visible());
    EXPECT_EQ(RedInRamLine(), 0);
    EXPECT_TRUE(g.LabelMaskinKravHD.Visible());
    test::Fire(g, g.tmrKran);
    EXPECT_TRUE(g.LabelMaskinKravRAM.Visible());

    // And the timer really ticks while the page is shown, every 300 ms. Timed over four toggles:
    // under load one tick comes late and the next one on time, which shortens a single interval
    // but not the sum.
    auto nextToggle = [&] {
        const bool before = g.LabelMaskinKravRAM.Visible();
        return test::PumpFor(2000, [&] { return g.LabelMaskinKravRAM.Visible() != before; });
    };
    nextToggle();
    DWORD spent = 0;
    for (int i = 0; i < 4; ++i) spent += nextToggle();
    EXPECT_GE(spent, 900u);
    EXPECT_LE(spent, 4 * 800u);
    Click(g.cmdNot);
    EXPECT_FALSE(g.tmrKran.Enabled()) << "hidden, the page stops blinking";
}

TEST_F(GamePageTest, RequirementChecksFollowTheMachine) {
    struct Case {
        const char* what;
        int ram, hd;          // the demo's needs
        int machineRam, machineDisk;
        bool ramRed, diskRed, warning;
    } cases[] = {
        {"both enough", 16, 20, 64, 500, false, false, false},
        {"exactly enough", 64, 500, 64, 500, false, false, false},
        {"one MB of disk short", 16, 501, 64, 500, false, true, true},
        {"both short", 128, 900, 64, 500, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenOn({.KortTitel = "D", .Kategori = "Action", .Ram = c.ram, .HD = c.hd}, c.machineRam, c.machineDisk);
        EXPECT_EQ(Game().LabelMaskinKravRAM.FontColour() == kRequirementShort, c.ramRed);
        EXPECT_EQ(Game().LabelMaskinKravHD.FontColour() == kRequirementShort, c.diskRed);
        EXPECT_EQ(Game().lblWarning.Visible(), c.warning);
        EXPECT_TRUE(Game().LabelMaskinKravCpu.Visible());
        EXPECT_TRUE(Game().LabelMaskinKrav3dfx.Visible());
        shell_.reset();
    }
}

TEST_F(GamePageTest, ShortDescriptionsFillTheFirstLabelsAndShowNoArrows) {
    struct Case {
        int lines;
        bool down;
    } cases[] = {{5, false}, {18, false}, {19, true}, {0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lines << " lines");
        OpenWithDescription(test::Lines(c.lines));
        EXPECT_EQ(Shown(), Expected(0, c.lines));
        EXPECT_FALSE(Game().cmdOp.Visible());
        EXPECT_EQ(Game().cmdNed.Visible(), c.down);
        shell_.reset();
    }
}

TEST_F(GamePageTest, StepsThroughNineteenLinesWithTheArrows) {
    OpenWithDescription(test::Lines(19));
    Click(Game().cmdNed);
    EXPECT_EQ(Game().TextTop, 1);
    EXPECT_EQ(Shown(), Expected(1, 18));
    EXPECT_TRUE(Game().cmdOp.Visible());
    EXPECT_FALSE(Game().cmdNed.Visible());
    Click(Game().cmdOp);
    EXPECT_EQ(Game().TextTop, 0);
    EXPECT_EQ(Shown(), Expected(0, 18));
    EXPECT_FALSE(Game().cmdOp.Visible());
    EXPECT_TRUE(Game().cmdNed.Visible());
}

TEST_F(GamePageTest, HoldingTheDownArrowRepeatsUntilTheLastLineIsShown) {
    OpenWithDescription(test::Lines(30));
    RECT r = Game().cmdNed.PageRect();
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    // The real pointer first: its arrival moves the X focus, and Wine cancels a capture then.
    test::PointAt(Game(), x, y);
    test::PumpFor(200);
    test::MoveTo(Game(), x, y);
    test::Press(Game(), x, y);
    EXPECT_EQ(Game().TextTop, 1) << "one step at once";
    test::PumpFor(3000, [&] { return Game().TextTop >= 12; });
    test::Release(Game(), x, y);
    EXPECT_EQ(Game().TextTop, 12) << "the arrow goes when the last line shows, and the repeat with it";
    EXPECT_EQ(Shown(), Expected(12, 18));
    EXPECT_FALSE(Game().cmdNed.Visible());
    test::PointerAway();
}

TEST_F(GamePageTest, ComingBackFromHelpShowsTheFirstLineAgain) {
    OpenWithDescription(test::Lines(19));
    Click(Game().cmdNed);
    ASSERT_EQ(Shown(), Expected(1, 18));
    // The help page when it is part of the program, else any page that covers the game page.
    Page* help = PageNamed("frmHelp");
    Page& cover = help ? *help : static_cast<Page&>(Credits());
    if (help) Click(Game().cmdHjaelp);
    else cover.Show();
    ASSERT_TRUE(cover.Visible());
    cover.Hide();
    ASSERT_EQ(GetActiveWindow(), Game().Handle());
    EXPECT_EQ(Game().TextTop, 0);
    EXPECT_EQ(Shown(), Expected(0, 18));
    Click(Game().cmdNed);
    EXPECT_EQ(Shown(), Expected(1, 18));
}

// Activation is a page coming to the front within the menu; coming back from another program,
// directly or through the task bar's window, keeps the page as the reader left it.
TEST_F(GamePageTest, ComingBackFromAnotherProgramKeepsTheLinesAndDoesNotReadTheScreenshotAgain) {
    Start({{.KortTitel = "A", .Kategori = "Action", .Setup = DemoWithShot(cd_, "A", true)}});
    Category().SpilListe[0].Instruktion = test::Lines(19);
    OpenFirst();
    Click(Game().cmdNed);
    ASSERT_EQ(Shown(), Expected(1, 18));
    // Read again, the screenshot would now be gone from the page.
    ASSERT_TRUE(DeleteFileA((cd_ / "A\\Shot.bmp").c_str()));
    test::OtherProgramWindow other;
    for (HWND through : {Game().Handle(), app_.Handle()}) {
        SCOPED_TRACE(through == app_.Handle() ? "through the task bar's window" : "directly");
        ASSERT_TRUE(other.ComeToFront());
        ASSERT_TRUE(other.SwitchTo(through));
        EXPECT_EQ(GetActiveWindow(), Game().Handle());
        EXPECT_EQ(Game().TextTop, 1);
        EXPECT_EQ(Shown(), Expected(1, 18));
        EXPECT_EQ(test::Rendering(Game()).Count(Game().Screenshot.PageRect(), kShotColour), kShotWidth * kShotHeight);
    }
    // The task-bar button pressed twice: the menu minimised, then restored.
    SendMessageA(app_.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    SendMessageA(app_.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    test::PumpFor(100);
    EXPECT_TRUE(Game().Visible());
    EXPECT_EQ(GetActiveWindow(), Game().Handle());
    EXPECT_EQ(Game().TextTop, 1);
    EXPECT_EQ(Shown(), Expected(1, 18));
}

TEST_F(GamePageTest, ADemoWithoutAScreenshotShowsThePagesBackgroundNotThePreviousDemosPicture) {
    Start({{.KortTitel = "A", .Kategori = "Action", .Setup = DemoWithShot(cd_, "A", true)},
           {.KortTitel = "B", .Kategori = "Action", .Setup = DemoWithShot(cd_, "B", false)}});
    const RECT area = Game().Screenshot.PageRect();
    OpenCategory(0);
    Click(Category().label1);
    EXPECT_EQ(test::Rendering(Game()).Count(area, kShotColour), kShotWidth * kShotHeight);
    Click(Game().cmdNot);
    Click(Category().label2);
    ASSERT_TRUE(Game().Visible());
    test::Rendering page(Game());
    EXPECT_EQ(page.Count(area, kShotColour), 0) << "never the previous demo's picture";
    UniqueMemoryDc background(CreateCompatibleDC(nullptr));
    SelectGuard select(background.get(), Game().imgBack.Picture());
    int differing = 0;
    for (int y = area.top; y < area.bottom; y += 5)
        for (int x = area.left; x < area.right; x += 5) differing += page.At(x, y) != GetPixel(background.get(), x, y);
    EXPECT_EQ(differing, 0) << "the area shows the page's background";
}

// After a demo with a picture, a demo with a damaged one (or one the drive cannot read) shows
// its own title and text and no picture at all.
TEST_F(GamePageTest, ADamagedScreenshotShowsNoPictureAndTheRightDemo) {
    const auto made = test::BitmapFile(kShotWidth, kShotHeight, {kShotColour}, [](int, int) { return 0; });
    const std::string good(made.begin(), made.end());
    std::vector<test::DamagedShot> cases = test::DamagedShots(kShotWidth);
    cases.push_back({"a read error of the drive", {}});
    std::vector<Demo> demos{{.KortTitel = "Good", .Kategori = "Action", .Setup = DemoWithShot(cd_, "Good", true),
                             .Dansk = "The good one"}};
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string name = "Bad" + std::to_string(i);
        demos.push_back({.KortTitel = name, .Kategori = "Sport", .Setup = DemoWithShot(cd_, name, false),
                         .Dansk = "Text of " + name});
        std::string f = good;
        if (cases[i].damage) cases[i].damage(f);
        test::WriteFile(cd_ / (name + "\\Shot.bmp"), f);
    }
    // The drive's read error: the whole file locked, so every read of it fails.
    const std::string locked = cd_ / ("Bad" + std::to_string(cases.size() - 1) + "\\Shot.bmp");
    UniqueFileHandle lock(CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    ASSERT_TRUE(LockFile(lock.get(), 0, 0, 0x10000000, 0));
    Start(demos);
    const RECT area = Game().Screenshot.PageRect();
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].what);
        Game().ShowDemo(Category().SpilListe[0], Category().Profile);
        ASSERT_EQ(test::Rendering(Game()).Count(area, kShotColour), kShotWidth * kShotHeight);
        Game().ShowDemo(Category().SpilListe[i + 1], Category().Profile);
        EXPECT_EQ(Game().lblSpilTitel.Caption(), "Bad" + std::to_string(i) + " - the full title");
        EXPECT_EQ(Game().Label(1).Caption(), "Text of Bad" + std::to_string(i));
        EXPECT_EQ(Game().Screenshot.Picture(), nullptr);
        EXPECT_EQ(test::Rendering(Game()).Count(area, kShotColour), 0);
    }
    UnlockFile(lock.get(), 0, 0, 0x10000000, 0);
}

// "R&D demo" is drawn so, "&" and all: wider than "RD demo" would be.
TEST_F(GamePageTest, TheTitleAndTheDescriptionAreDrawnAsWrittenWithoutAcceleratorMarks) {
    Start({{.KortTitel = "R&D demo", .Kategori = "Action"}});
    Category().SpilListe[0].Instruktion = "R&D demo";
    OpenFirst();
    EXPECT_EQ(Game().lblSpilTitel.Caption(), "R&D demo - the full title");
    EXPECT_EQ(Game().Label(1).Caption(), "R&D demo");
    test::PointerAway();
    for (TLabel* label : {&Game().lblSpilTitel, &Game().Label(1)}) {
        SCOPED_TRACE(label->Name());
        const auto set = [label](const std::string& text) { label->SetCaption(text); };
        const RECT area = label->PageRect();
        EXPECT_GT(test::DrawnWidth(Game(), area, set, "R&D demo"), test::DrawnWidth(Game(), area, set, "RD demo"));
    }
}

TEST_F(GamePageTest, BackReturnsToThePageTheDemoWasOpenedFrom) {
    Start({{.KortTitel = "A", .Kategori = "Action"}});
    OpenCategory(0);
    Click(Category().label1);
    Click(Game().cmdNot);
    EXPECT_FALSE(Game().Visible());
    EXPECT_TRUE(Category().Visible());
    EXPECT_TRUE(test::IsAbove(Category().Handle(), Menu().Handle()));

    // As the index page opens a demo.
    Category().Hide();
    Page* index = PageNamed("frmIndex");
    if (index) index->Show();
    Category().SelectedEntry = 0;
    Category().ReturnToCategory = false;
    Category().JegTagerDenClick();
    ASSERT_TRUE(Game().Visible());
    Click(Game().cmdNot);
    EXPECT_FALSE(Game().Visible());
    EXPECT_FALSE(Category().Visible());
    if (index) {
        EXPECT_TRUE(index->Visible());
    }
}

TEST_F(GamePageTest, AnEntryOutsideTheCatalogueOpensNothing) {
    Start({{.KortTitel = "A", .Kategori = "Action"}});
    Game().Hide();
    for (int entry : {-1, 1, 30}) {
        SCOPED_TRACE(entry);
        Category().SelectedEntry = entry;
        Category().JegTagerDenClick();
        EXPECT_FALSE(Game().Visible());
    }
}

TEST_F(GamePageTest, InstallWithoutASetupAppendsTheRecordStartsNothingAndRaisesTheMenu) {
    test::MessageBoxWatcher boxes;
    OpenOn({.KortTitel = "NoSetup", .Kategori = "Action"}, 64, 500);
    char before[MAX_PATH];
    GetCurrentDirectoryA(sizeof before, before);
    const DWORD start = GetTickCount();
    Click(Game().cmdInstaller);
    EXPECT_LT(GetTickCount() - start, 1000u);
    ASSERT_EQ(shell_->InstallList().size(), 1u);
    const InstallRecord& r = shell_->InstallList()[0];
    EXPECT_EQ(r.edition, "1099");
    EXPECT_EQ(r.shortTitle, "NoSetup");
    EXPECT_EQ(r.group, "NoFolder");
    EXPECT_EQ(r.uninstallKey, "");
    char after[MAX_PATH];
    GetCurrentDirectoryA(sizeof after, after);
    EXPECT_STREQ(after, before);
    EXPECT_TRUE(test::IsAbove(Menu().Handle(), shell_->Handle()));
    EXPECT_TRUE(test::IsAbove(Menu().Handle(), Game().Handle()));
    EXPECT_TRUE(Game().Visible()) << "the game page stays shown behind the menu";
    EXPECT_TRUE(boxes.Seen().empty());
}

// The catalogue's [CD] section names the edition of the install records (and so of the Start-menu
// folder Games\<edition> at exit) and the credits' year; a value that cannot be a name never
// becomes one, and each key counts on its own.
// The setup's folder is current while it runs, whatever its length, and the menu's own again
// after; a folder that cannot be made current starts nothing, and the install says so.
TEST_F(GamePageTest, InstallStartsTheSetupFromItsFolderOfAnyLengthOrSaysWhyNot) {
    test::ScratchFolder scratch;
    std::string deep = scratch.Path();
    while (deep.size() < 200) {
        deep += "\\" + std::string(30, 'd');
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep;
    }
    ASSERT_TRUE(CopyFileA(test::BuiltProgram("sleeper.exe").c_str(), (deep + "\\Setup.exe").c_str(), FALSE));
    using Result = TfrmSpilSide::InstallResult;
    const struct {
        std::string setup;
        Result::Launch launch;
    } cases[] = {
        {deep + "\\Setup.exe 50", Result::Ran},
        {deep + "\\NoSuchSetup.exe", Result::NotStarted},
        {scratch / "Missing\\Setup.exe", Result::FolderNotCurrent},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setup);
        OpenOn({.KortTitel = "Deep", .Kategori = "Action", .Setup = c.setup}, 64, 500);
        char before[MAX_PATH];
        GetCurrentDirectoryA(sizeof before, before);
        const Result result = Game().Install();
        EXPECT_EQ(result.launch, c.launch);
        EXPECT_EQ(result.record, RecordWritten::NotWritten) << "no uninstall key to record";
        char after[MAX_PATH];
        GetCurrentDirectoryA(sizeof after, after);
        EXPECT_STREQ(after, before);
        EXPECT_EQ(shell_->InstallList().size(), 1u) << "recorded for the exit whatever came of it";
        shell_.reset();
    }
}

TEST_F(GamePageTest, TheCdSectionGivesTheRecordsEditionAndTheCreditsYear) {
    struct Case {
        const char* cd;
        const char* edition;
        const char* year;
    };
    const Case cases[] = {
        {"", "1099", "1999"},  // every CD before the section
        {"[CD]\r\nUdgave=1100\r\nAar=2000\r\n", "1100", "2000"},
        {"[CD]\r\nUdgave=..\\..\\Windows\r\nAar=2000\r\n", "1099", "2000"},
        {"[CD]\r\nUdgave=\" 1100\"\r\n", "1099", "1999"},
        {"[CD]\r\nAar=2000\r\n", "1099", "2000"},
        {"[CD]\r\nUdgave=Jul 1100\r\nAar=20000\r\n", "Jul 1100", "1999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cd);
        Start({{.KortTitel = "Racer", .Kategori = "Action"}}, {"da"}, c.cd);
        OpenFirst();
        Click(Game().cmdInstaller);
        ASSERT_EQ(shell_->InstallList().size(), 1u);
        EXPECT_EQ(shell_->InstallList()[0].edition, c.edition);
        EXPECT_EQ(Credits().lblCopyRight.Caption().substr(0, 7), std::string("\xA9 ") + c.year + " ");
        shell_.reset();
    }
    // The year in every language, the rest of the notice as the table has it.
    for (const char* code : {"da", "se", "no", "fi"}) {
        SCOPED_TRACE(code);
        Start({{.KortTitel = "Racer", .Kategori = "Action"}}, {code}, "[CD]\r\nAar=2000\r\n");
        const std::string table = FindSprog(code)->LavetAf.lblCopyRight;
        EXPECT_EQ(Credits().lblCopyRight.Caption(), table.substr(0, 2) + "2000" + table.substr(6));
        shell_.reset();
    }
}

TEST_F(GamePageTest, WhileTheSetupRunsTheBackdropCoversThePagesInTheSetupsFolder) {
    const std::string sleeper = test::BuiltProgram("sleeper.exe");
    OpenOn({.KortTitel = "Sleepy", .Kategori = "Action", .Setup = sleeper + " 600"}, 64, 500);
    std::string during;
    bool covered = false;
    Timer probe(Category(), 150, [&] {
        char dir[MAX_PATH] = {};
        GetCurrentDirectoryA(sizeof dir, dir);
        during = dir;
        covered = test::IsAbove(shell_->Handle(), Game().Handle()) && test::IsAbove(shell_->Handle(), Menu().Handle());
    });
    probe.Start();
    char before[MAX_PATH];
    GetCurrentDirectoryA(sizeof before, before);
    const DWORD start = GetTickCount();
    Click(Game().cmdInstaller);
    probe.Stop();
    EXPECT_GE(GetTickCount() - start, 550u) << "Install waits for the setup";
    std::string folder = sleeper.substr(0, sleeper.rfind('\\'));
    EXPECT_EQ(CharUpperA(during.data()), std::string(CharUpperA(folder.data())));
    EXPECT_TRUE(covered);
    char after[MAX_PATH];
    GetCurrentDirectoryA(sizeof after, after);
    EXPECT_STREQ(after, before);
    EXPECT_TRUE(test::IsAbove(Menu().Handle(), shell_->Handle()));
}

}  // namespace
}  // namespace vindrel
