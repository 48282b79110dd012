// The main menu, the disclaimer and the credits page, driven with window messages inside the
// whole menu.
#include <gtest/gtest.h>

#include <cstdlib>

#include "lang/Sprogvalg.h"
#include "tests/MenuFixture.h"
#include "tests/ShellPages.h"

namespace vindrel {
namespace {

using test::Demo;
using test::MenuTest;

const std::vector<Demo> kTwoCategories = {
    {.KortTitel = "Racer", .Kategori = "Sport"},
    {.KortTitel = "Blaster", .Kategori = "Action"},
    {.KortTitel = "Goal", .Kategori = "Sport"},
};

// The first screen shows only the page in front; the pages it covers come beneath it once that
// screen is on, or before, when a click needs them.
TEST_F(MenuTest, AtStartOnlyThePageInFrontShowsThenTheDisclaimerLiesOverTheGamePage) {
    for (const char* start : {"??", "da"}) {
        SCOPED_TRACE(start);
        shell_.reset();
        Start(kTwoCategories, {start});
        const PageSet& made = shell_->PagesMade();
        Page* front = made.frmSprogvalg ? static_cast<Page*>(made.frmSprogvalg) : made.frmAnsvar;
        EXPECT_TRUE(front->Visible());
        EXPECT_EQ(GetActiveWindow(), front->Handle());
        if (front != made.frmAnsvar) {
            EXPECT_FALSE(made.frmAnsvar->Visible()) << "covered: not shown yet";
        }
        EXPECT_FALSE(made.frmSpilSide->Visible()) << "covered: not shown yet";
        if (made.frmSprogvalg)
            Click(made.frmSprogvalg->Dansk);  // the flag page goes before the first idle moment
        else
            app_.ShowHeld();  // the first idle moment
        EXPECT_TRUE(Disclaimer().Visible());
        EXPECT_EQ(GetActiveWindow(), Disclaimer().Handle());
        EXPECT_TRUE(Game().Visible()) << "the game page is created visible, beneath the others";
        EXPECT_TRUE(test::IsAbove(Disclaimer().Handle(), Game().Handle()));
    }
    EXPECT_FALSE(Menu().Visible());
    EXPECT_FALSE(Category().Visible());
    EXPECT_FALSE(Credits().Visible());
    // Made in the shell's order: the pages shown at start (and the main menu, whose button faces
    // they show) first, then the hidden ones, each after the one before.
    const char* order[] = {"frmSpilSide", "frmForside", "frmAnsvar", "frmKategori", "frmLavetAf"};
    std::vector<std::string> seen;
    for (const auto& owned : shell_->AllPages())
        for (const char* name : order)
            if (std::string(owned.formName) == name) seen.push_back(name);
    EXPECT_EQ(seen, std::vector<std::string>(std::begin(order), std::end(order)));
}

// Right after start only the pages shown at start exist; a click that needs a page that is not
// made yet makes it at once and shows it, as if it had always been there.
TEST_F(MenuTest, RightAfterStartEveryNavigatingButtonOfTheFirstPagesShowsItsPage) {
    struct Case {
        const char* name;
        TLMDMMButton& (*button)(TfrmForside&);
        const char* expected;  // the form on top afterwards
    } cases[] = {
        {"cmdKategori1", [](TfrmForside& m) -> TLMDMMButton& { return m.cmdKategori1; }, "frmKategori"},
        {"cmdKategori2", [](TfrmForside& m) -> TLMDMMButton& { return m.cmdKategori2; }, "frmKategori"},
        {"cmdKategori3", [](TfrmForside& m) -> TLMDMMButton& { return m.cmdKategori3; }, "frmKategori"},
        {"cmdKategori4", [](TfrmForside& m) -> TLMDMMButton& { return m.cmdKategori4; }, "frmKategori"},
        {"cmdKategori5", [](TfrmForside& m) -> TLMDMMButton& { return m.cmdKategori5; }, "frmKategori"},
        {"cmdKategori6", [](TfrmForside& m) -> TLMDMMButton& { return m.cmdKategori6; }, "frmKategori"},
        {"cmdHelp", [](TfrmForside& m) -> TLMDMMButton& { return m.cmdHelp; }, "frmHelp"},
        {"cmdDX", [](TfrmForside& m) -> TLMDMMButton& { return m.cmdDX; }, "frmDX"},
        {"cmdIndex", [](TfrmForside& m) -> TLMDMMButton& { return m.cmdIndex; }, "frmIndex"},
        {"cmdUninstall", [](TfrmForside& m) -> TLMDMMButton& { return m.cmdUninstall; }, "frmAfinstaller"},
        {"cmdSlut", [](TfrmForside& m) -> TLMDMMButton& { return m.cmdSlut; }, "frmLavetAf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shell_.reset();
        Start(kTwoCategories);
        const PageSet& made = shell_->PagesMade();
        ASSERT_EQ(made.frmKategori, nullptr) << "hidden pages wait for the first idle moment";
        ASSERT_EQ(made.frmLavetAf, nullptr);
        TfrmForside& menu = *made.frmForside;
        Click(made.frmAnsvar->cmdOK);
        ASSERT_TRUE(menu.Visible());
        Click(c.button(menu));
        std::vector<Page*> pages;
        Page* expected = nullptr;
        for (const auto& owned : shell_->AllPages()) {
            pages.push_back(owned.page.get());
            if (std::string(owned.formName) == c.expected) expected = owned.page.get();
        }
        ASSERT_NE(expected, nullptr);
        EXPECT_TRUE(expected->Visible());
        EXPECT_EQ(test::TopMost(pages), expected);
    }
    // The sign of the first page itself ends the menu.
    shell_.reset();
    Start(kTwoCategories);
    Click(shell_->PagesMade().frmAnsvar->cmdSlut);
    EXPECT_TRUE(app_.Terminated());
}

TEST_F(MenuTest, TheMenuOwnsTheSharedListsAndTheOtherPagesButtonsUseThem) {
    Start(kTwoCategories);
    struct Case {
        const char* name;
        TLMDBitmapList* list;
        int count, width, height;
    } cases[] = {
        {"Greens", Menu().Greens.get(), 2, 90, 45},          {"bmpExit", Menu().bmpExit.get(), 2, 81, 53},
        {"bmpOpKnapper", Menu().bmpOpKnapper.get(), 2, 46, 46}, {"bmpNedKnapper", Menu().bmpNedKnapper.get(), 2, 46, 46},
        {"bmpAction", Menu().bmpAction.get(), 3, 280, 80},   {"bmpSimulator", Menu().bmpSimulator.get(), 3, 280, 80},
        {"bmpSport", Menu().bmpSport.get(), 3, 280, 80},     {"bmpAdventure", Menu().bmpAdventure.get(), 3, 280, 80},
        {"bmpStrategi", Menu().bmpStrategi.get(), 3, 280, 80}, {"bmpJunior", Menu().bmpJunior.get(), 3, 280, 80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.list, nullptr);
        EXPECT_EQ(Menu().FaceList(c.name), c.list);
        EXPECT_EQ(c.list->Count(), c.count);
        EXPECT_EQ(c.list->Width(0), c.width);
        EXPECT_EQ(c.list->Height(0), c.height);
    }
    struct Use {
        const char* what;
        TLMDMMButton& button;
        TLMDBitmapList* expected;
    } uses[] = {
        {"menu help", Menu().cmdHelp, Menu().Greens.get()},
        {"menu exit", Menu().cmdSlut, Menu().bmpExit.get()},
        {"Junior tile", Menu().cmdKategori6, Menu().bmpJunior.get()},
        {"category back", Category().cmdNot, Menu().Greens.get()},
        {"game install", Game().cmdInstaller, Menu().Greens.get()},
        {"game up", Game().cmdOp, Menu().bmpOpKnapper.get()},
        {"game down", Game().cmdNed, Menu().bmpNedKnapper.get()},
        {"credits exit", Credits().cmdSlut, Menu().bmpExit.get()},
        {"disclaimer OK", Disclaimer().cmdOK, Menu().Greens.get()},
        {"disclaimer exit", Disclaimer().cmdSlut, Menu().bmpExit.get()},
    };
    for (const Use& u : uses) {
        SCOPED_TRACE(u.what);
        EXPECT_EQ(u.button.ButtonFaceImageList(), u.expected);
    }
}

TEST_F(MenuTest, TheTilesCoverTheLeftColumnAndReactAnywhereInIt) {
    Start(kTwoCategories);
    Menu().Show();
    TLMDMMButton* tiles[] = {&Menu().cmdKategori1, &Menu().cmdKategori2, &Menu().cmdKategori3,
                             &Menu().cmdKategori4, &Menu().cmdKategori5, &Menu().cmdKategori6};
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(testing::Message() << "tile " << k + 1);
        RECT r = tiles[k]->PageRect();
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 80 * k);
        EXPECT_EQ(r.right, 280);
        EXPECT_EQ(r.bottom, 80 * k + 80);
        // The corner pixel of the rectangle reacts, whatever its colour.
        Category().Hide();
        test::ClickAt(Menu(), 1, 80 * k + 1);
        EXPECT_TRUE(Category().Visible());
        EXPECT_EQ(Category().ShownCategory, k);
    }
}

TEST_F(MenuTest, SportAfterActionShowsTheSportDemosUnderTheSportHeading) {
    Start(kTwoCategories);
    OpenCategory(0);
    ASSERT_TRUE(Category().Visible());
    EXPECT_EQ(Category().label1.Caption(), "Blaster");
    Click(Category().cmdNot);
    EXPECT_FALSE(Category().Visible());
    EXPECT_TRUE(Menu().Visible()) << "the menu was never hidden";
    OpenCategory(2);
    ASSERT_TRUE(Category().Visible());
    EXPECT_EQ(Category().ShownCategory, 2);
    EXPECT_EQ(Category().label1.Caption(), "Racer");
    EXPECT_EQ(Category().label2.Caption(), "Goal");
    EXPECT_FALSE(Category().label3.Visible());
    // The heading is picture 2 of the Sport list, drawn where the heading lies.
    test::Rendering page(Category());
    const TLMDBitmapList& sport = *Menu().bmpSport;
    int differing = 0;
    for (int y = 0; y < 80; y += 7)
        for (int x = 0; x < 280; x += 7)
            if (sport.Pixel(2, x, y) != sport.TransparentColor(2)) differing += page.At(x, y) != sport.Pixel(2, x, y);
    EXPECT_EQ(differing, 0);
}

TEST_F(MenuTest, TheExitSignOpensTheCreditsAndBackReturnsToTheMenuAsItWas) {
    Start(kTwoCategories);
    Click(Disclaimer().cmdOK);
    ASSERT_TRUE(Menu().Visible());
    Click(Menu().cmdSlut);
    EXPECT_FALSE(app_.Terminated()) << "the menu's exit sign never ends the program";
    EXPECT_TRUE(Credits().Visible());
    EXPECT_TRUE(test::IsAbove(Credits().Handle(), Menu().Handle()));
    EXPECT_FALSE(Credits().imgHeHe.Visible());
    Click(Credits().cmdNot);
    EXPECT_FALSE(Credits().Visible());
    EXPECT_TRUE(Menu().Visible());
    EXPECT_FALSE(app_.Terminated());
    Click(Menu().cmdSlut);
    EXPECT_TRUE(Credits().Visible()) << "shown again as often as the exit sign is pressed";
}

TEST_F(MenuTest, TheCreditsExitSignEndsTheProgramAtOnce) {
    Start(kTwoCategories);
    Credits().Show();
    const DWORD start = GetTickCount();
    Click(Credits().cmdSlut);
    EXPECT_TRUE(app_.Terminated());
    EXPECT_LT(GetTickCount() - start, 500u);
}

TEST_F(MenuTest, DisclaimerOkShowsTheMenuAndHidesItself) {
    Start(kTwoCategories);
    ASSERT_FALSE(Menu().Visible());
    Click(Disclaimer().cmdOK);
    EXPECT_TRUE(Menu().Visible());
    EXPECT_FALSE(Disclaimer().Visible());
    EXPECT_TRUE(test::IsAbove(Menu().Handle(), Game().Handle()));
    EXPECT_EQ(Disclaimer().cmdOK.Caption(), "OK");
    EXPECT_EQ(Menu().cmdDX.Caption(), "DirectX");
    EXPECT_EQ(Credits().Label1.Caption(), "Credits:");
}

TEST_F(MenuTest, TheDisclaimerOkReactsOnItsWholeRectangle) {
    Start(kTwoCategories);
    // Pixel testing is off on this one button: its corner counts too.
    test::ClickAt(Disclaimer(), 18, 418);
    EXPECT_TRUE(Menu().Visible());
}

TEST_F(MenuTest, TheDisclaimerExitSignEndsTheProgramAfterASecondWithoutTheMenu) {
    Start(kTwoCategories);
    const DWORD start = GetTickCount();
    Click(Disclaimer().cmdSlut);
    const DWORD spent = GetTickCount() - start;
    EXPECT_TRUE(app_.Terminated());
    EXPECT_GE(spent, 950u);
    EXPECT_LT(spent, 2000u);
    EXPECT_FALSE(Menu().Visible());
    // The clean-up still runs: the Program Manager hears its command.
    shell_.reset();
    std::vector<std::string> commands;
    for (int i = 0; i < 50 && (commands = stub_.Commands()).empty(); ++i) Sleep(50);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0], "[ShowGroup(NonExist, 1)]");
}

TEST_F(MenuTest, SidePagesOpenOnTopOfTheMenuWhenTheyArePartOfTheProgram) {
    Start(kTwoCategories);
    Click(Disclaimer().cmdOK);
    struct Case {
        const char* formName;
        TLMDMMButton& button;
    } cases[] = {
        {"frmHelp", Menu().cmdHelp},
        {"frmDX", Menu().cmdDX},
        {"frmIndex", Menu().cmdIndex},
        {"frmAfinstaller", Menu().cmdUninstall},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formName);
        Page* page = PageNamed(c.formName);
        Click(c.button);  // without the page, only the click sound
        EXPECT_TRUE(Menu().Visible());
        if (!page) continue;
        EXPECT_TRUE(page->Visible());
        EXPECT_TRUE(test::IsAbove(page->Handle(), Menu().Handle()));
        page->Hide();
    }
}

TEST_F(MenuTest, AltF4OnTheDisclaimerEndsTheMenuWithTheExitCleanUpInsteadOfUncoveringTheGamePage) {
    Start(kTwoCategories);
    SendMessageA(Disclaimer().Handle(), WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));
    test::PumpFor(1000, [&] { return app_.Terminated(); });
    EXPECT_TRUE(app_.Terminated());
    EXPECT_TRUE(Disclaimer().Visible()) << "not hidden over the empty game page";
    EXPECT_FALSE(Menu().Visible());
    shell_.reset();
    std::vector<std::string> commands;
    for (int i = 0; i < 50 && (commands = stub_.Commands()).empty(); ++i) Sleep(50);
    EXPECT_EQ(commands, std::vector<std::string>{"[ShowGroup(NonExist, 1)]"});
}

// Run by a script test under locales of other code pages (1250, 1251, 1253) and of 1252: the
// pictures it writes (the main menu, a game page, the help page over it) must be the same, pixel
// for pixel, in all of them.
TEST_F(MenuTest, TheMainMenuAndAGamePageAreDrawnAlikeOnEveryCodePage) {
    const char* folder = std::getenv("VINDREL_CODEPAGE_RENDERS");
    const char* codePage = std::getenv("VINDREL_EXPECT_CODEPAGE");
    if (!folder || !codePage) GTEST_SKIP() << "run under code-page locales by scripts/system_language.sh";
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(codePage))) << "the locale gives the system that code page";
    // Letters that other code pages have elsewhere or not at all, in a description long enough
    // for its line breaks to show; the menu's own "Hjælp", "Afinstallér" and "Installér".
    Start({{.KortTitel = "Søren & Åse", .Kategori = "Action"}});
    Category().SpilListe[0].Instruktion =
        "Æbler, øl og åer – «Ærø» koster 20 € … Ñandú, Œuvre, ©, ½, ß, ÿ og þ står i teksten, "
        "som brydes i linjer præcis som på et dansk Windows, hvor bogstaverne er de samme.";
    Click(Disclaimer().cmdOK);
    test::Rendering menu(Menu());
    EXPECT_TRUE(menu.Save(std::string(folder) + "\\menu.bmp"));
    OpenCategory(0);
    Click(Category().label1);
    ASSERT_TRUE(Game().Visible());
    test::PointerAway();
    test::Rendering game(Game());
    EXPECT_TRUE(game.Save(std::string(folder) + "\\game.bmp"));
    EXPECT_GT(Game().mmoInstrukser.Count(), 3);
    // The help topics are the system's own option buttons: taken from the screen.
    Page* help = PageNamed("frmHelp");
    ASSERT_NE(help, nullptr);
    Click(Game().cmdHjaelp);
    ASSERT_TRUE(help->Visible());
    test::PumpFor(300);
    EXPECT_TRUE(test::ScreenCapture(*help).Save(std::string(folder) + "\\help.bmp"));
}

TEST_F(MenuTest, PagesSuppressErasingAsTheirMarkersSay) {
    Start(kTwoCategories);
    struct Case {
        Page& page;
        const char* marker;  // null: erased normally, caption unchanged
        const char* caption;
    } cases[] = {
        {Menu(), "Dont Erase", ""},         {Category(), "Dont Erase", "Kategori"},
        {Game(), "Dont Erase", "Spil Side"}, {Disclaimer(), "Dont", "frmAnsvar"},
        {Credits(), nullptr, "frmLavetAf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        char text[64] = {};
        GetWindowTextA(c.page.Handle(), text, sizeof text);
        c.page.Show();
        UpdateWindow(c.page.Handle());
        {
            WindowDc dc(c.page.Handle());
            SendMessageA(c.page.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
        }
        GetWindowTextA(c.page.Handle(), text, sizeof text);
        EXPECT_STREQ(text, c.marker ? c.marker : c.caption);
    }
}

}  // namespace
}  // namespace vindrel
