// The help page and the DirectX page inside the real shell: the topic list is a real window of
// option buttons, opened empty from the main menu or on a topic from other pages, and Back
// forgets the choice; the DirectX page runs the installer from the current drive's root.
#include <gtest/gtest.h>

#include "pages/Afinstaller.h"
#include "pages/DX.h"
#include "pages/Forside.h"
#include "pages/Help.h"
#include "tests/ShellPages.h"

namespace vindrel {
namespace {

using test::ClickButton;
using test::PumpFor;
using test::Rendering;

// The Danish topics, as the shell's language table appended them.
const char* const kTopicNames[] = {"S\xE5" "dan bruger du cd-rom\xB4" "en", "Install\xE9r spil", "Fjern spil",
                                   "Install\xE9r DirectX", "Spilops\xE6tning og problemer"};

// Texts of our own in the topic slots, so a test can tell which slot is shown.
void ApplyTopics(TfrmHelp& help) {
    for (int topic = 1; topic <= 5; ++topic) help.HelpTexts[topic] = "Text of topic " + std::to_string(topic);
}

int CheckedButton(const TRadioGroup& group) {
    int checked = -1, count = 0;
    for (int i = 0; i < group.Count(); ++i)
        if (SendMessageA(group.Button(i), BM_GETCHECK, 0, 0) == BST_CHECKED) {
            checked = i;
            ++count;
        }
    return count > 1 ? -2 : checked;
}

class HelpPage : public testing::Test {
protected:
    HelpPage() { ApplyTopics(help); }
    test::ShellPages pages;
    TfrmHelp& help = *pages.Pages().frmHelp;
};

TEST_F(HelpPage, TheTopicListIsAWindowOfOptionButtonsInOneColumnDisabledUntilShown) {
    HWND group = help.radHelpSelect.Handle();
    ASSERT_TRUE(IsWindow(group));
    EXPECT_EQ(GetParent(group), help.Handle());
    RECT screenRect, r;
    GetWindowRect(group, &screenRect);
    r = screenRect;
    MapWindowPoints(nullptr, help.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 302);
    EXPECT_EQ(r.top, 22);
    EXPECT_EQ(r.right - r.left, 316);
    EXPECT_EQ(r.bottom - r.top, 236);

    ASSERT_EQ(help.radHelpSelect.Count(), 5);
    int lastTop = -1;
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(testing::Message() << "topic " << i);
        HWND button = help.radHelpSelect.Button(i);
        EXPECT_EQ(GetParent(button), group);
        char cls[32] = {};
        GetClassNameA(button, cls, sizeof cls);
        EXPECT_STREQ(cls, "Button");
        const LONG style = GetWindowLongA(button, GWL_STYLE);
        EXPECT_EQ(style & BS_TYPEMASK, BS_AUTORADIOBUTTON);
        EXPECT_TRUE(style & BS_FLAT);
        EXPECT_EQ(help.radHelpSelect.Item(i), kTopicNames[i]);
        RECT b;
        GetWindowRect(button, &b);
        EXPECT_EQ(b.left, screenRect.left + 8) << "one column";
        EXPECT_GT(b.top, lastTop);
        EXPECT_LE(b.bottom, screenRect.bottom);
        lastTop = b.top;
        EXPECT_FALSE(IsWindowEnabled(button));
    }
    EXPECT_FALSE(help.radHelpSelect.Enabled()) << "disabled in the layout";
    EXPECT_EQ(help.lblHelp.Caption(), "") << "the first topic's text was still empty at creation";

    help.OpenFromMenu();
    EXPECT_TRUE(help.radHelpSelect.Enabled());
    EXPECT_TRUE(IsWindowEnabled(help.radHelpSelect.Button(0)));

    // Black behind the options, the names in lime.
    test::ScreenCapture screen(help);
    EXPECT_EQ(screen.At(302 + 4, 22 + 230), kBlack);
    HWND first = help.radHelpSelect.Button(0);
    RECT fr;
    GetWindowRect(first, &fr);
    RECT onPage = fr;
    MapWindowPoints(nullptr, help.Handle(), reinterpret_cast<POINT*>(&onPage), 2);
    EXPECT_GT(screen.Count(onPage, kLime), 20) << "topic names are drawn in lime";
}

TEST_F(HelpPage, OpenedOnATopicShowsItsTextAndBackForgetsChoiceAndText) {
    struct Case {
        const char* from;
        int topic;
    } cases[] = {{"game page", TfrmHelp::kTopicInstallingGames},
                 {"uninstall page", TfrmHelp::kTopicRemovingGames},
                 {"DirectX page", TfrmHelp::kTopicInstallingDirectX}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        help.OpenOnTopic(c.topic);
        EXPECT_TRUE(help.Visible());
        EXPECT_TRUE(help.radHelpSelect.Enabled());
        EXPECT_EQ(help.radHelpSelect.ItemIndex(), c.topic);
        EXPECT_EQ(CheckedButton(help.radHelpSelect), c.topic);
        EXPECT_EQ(help.lblHelp.Caption(), "Text of topic " + std::to_string(c.topic + 1));

        ClickButton(help.cmdNot);
        EXPECT_FALSE(help.Visible());
        EXPECT_EQ(help.radHelpSelect.ItemIndex(), -1);
        EXPECT_EQ(CheckedButton(help.radHelpSelect), -1);
        EXPECT_EQ(help.lblHelp.Caption(), "");
        EXPECT_FALSE(help.radHelpSelect.Enabled());
    }
}

TEST_F(HelpPage, AClickOnAnotherTopicShowsItsTextAndIsForgottenAfterBack) {
    help.OpenOnTopic(TfrmHelp::kTopicInstallingGames);
    SendMessageA(help.radHelpSelect.Button(4), BM_CLICK, 0, 0);
    EXPECT_EQ(help.radHelpSelect.ItemIndex(), 4);
    EXPECT_EQ(CheckedButton(help.radHelpSelect), 4);
    EXPECT_EQ(help.lblHelp.Caption(), "Text of topic 5");

    // The chosen topic again: nothing changes (the text stays even if something else set it).
    help.lblHelp.SetCaption("kept");
    SendMessageA(help.radHelpSelect.Button(4), BM_CLICK, 0, 0);
    help.radHelpSelect.SetItemIndex(4);
    EXPECT_EQ(help.lblHelp.Caption(), "kept");

    ClickButton(help.cmdNot);
    help.OpenFromMenu();
    EXPECT_EQ(help.radHelpSelect.ItemIndex(), -1);
    EXPECT_EQ(CheckedButton(help.radHelpSelect), -1);
    EXPECT_EQ(help.lblHelp.Caption(), "");
}

TEST_F(HelpPage, WhileHiddenTheOptionsTakeNoClicks) {
    help.OpenOnTopic(TfrmHelp::kTopicRemovingGames);
    ClickButton(help.cmdNot);
    SendMessageA(help.radHelpSelect.Button(1), BM_CLICK, 0, 0);
    EXPECT_EQ(help.radHelpSelect.ItemIndex(), -1);
    EXPECT_EQ(help.lblHelp.Caption(), "");
}

TEST_F(HelpPage, EveryHelpButtonOpensItsTopicAndBackReturnsToThePageItCameFrom) {
    TfrmForside& menu = *pages.Pages().frmForside;
    TfrmAfinstaller& uninstall = *pages.Pages().frmAfinstaller;
    TfrmDX& dx = *pages.Pages().frmDX;
    menu.Show();
    struct Case {
        const char* name;
        Page* from;
        TLMDMMButton* help;
        int topic;
    } cases[] = {
        {"main menu", &menu, &menu.cmdHelp, -1},
        {"uninstall page", &uninstall, &uninstall.cmdHjaelp, TfrmHelp::kTopicRemovingGames},
        {"DirectX page", &dx, &dx.cmdHjaelp, TfrmHelp::kTopicInstallingDirectX},
        {"main menu again", &menu, &menu.cmdHelp, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.from->Show();
        ClickButton(*c.help);
        EXPECT_TRUE(help.Visible());
        EXPECT_TRUE(test::IsAbove(help.Handle(), c.from->Handle()));
        EXPECT_EQ(help.radHelpSelect.ItemIndex(), c.topic);
        EXPECT_EQ(CheckedButton(help.radHelpSelect), c.topic);
        EXPECT_EQ(help.lblHelp.Caption(), c.topic < 0 ? "" : "Text of topic " + std::to_string(c.topic + 1));
        ClickButton(help.cmdNot);
        EXPECT_FALSE(help.Visible());
        EXPECT_TRUE(c.from->Visible());
        EXPECT_TRUE(menu.Visible()) << "the main menu was never hidden";
        if (c.from != &menu) c.from->Hide();
    }
}

// ---- DirectX page ------------------------------------------------------------------------------

// C:\DirectX7\DXSetup.EXE for one test: the helper that records its runs.
class DirectXFolder {
public:
    DirectXFolder() {
        CreateDirectoryA("C:\\DirectX7", nullptr);
        ok_ = CopyFileA(test::BuiltProgram("applog.exe").c_str(), "C:\\DirectX7\\DXSetup.EXE", FALSE) != FALSE;
    }
    ~DirectXFolder() { test::ScratchFolder::Remove("C:\\DirectX7"); }
    bool Ok() const { return ok_; }

private:
    bool ok_ = false;
};

class DirectXPage : public testing::Test {
protected:
    DirectXPage() { ApplyTopics(*pages.Pages().frmHelp); }
    test::ShellPages pages;
    TfrmDX& dx = *pages.Pages().frmDX;
    TfrmHelp& help = *pages.Pages().frmHelp;
    std::vector<Page*> AllPages() {
        std::vector<Page*> all;
        for (const auto& owned : pages.Shell().AllPages()) all.push_back(owned.page.get());
        return all;
    }
    bool SameRendering(const Rendering& a, const Rendering& b) {
        for (int y = 0; y < kPageHeight; ++y)
            for (int x = 0; x < kPageWidth; ++x)
                if (a.At(x, y) != b.At(x, y)) return false;
        return true;
    }
};

TEST_F(DirectXPage, InstallWithNoInstallerOnTheDriveChangesNothingVisibleAndSaysNothing) {
    // The test prefix's drive C: stands for the CD: its root holds no DirectX7 folder.
    ASSERT_FALSE(test::PathExists("C:\\DirectX7"));
    test::CurrentDirectory cd("C:\\windows");
    ASSERT_TRUE(cd.Ok());
    test::MessageBoxWatcher boxes;

    dx.Show();
    RECT r = dx.cmdOK.PageRect();
    test::PointAt(dx, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    Rendering before(dx);
    const DWORD start = GetTickCount();
    ClickButton(dx.cmdOK);
    EXPECT_LT(GetTickCount() - start, 1000u);
    Rendering after(dx);
    EXPECT_TRUE(SameRendering(before, after));
    EXPECT_TRUE(dx.Visible());
    EXPECT_EQ(test::TopMost(AllPages()), &dx);
    EXPECT_FALSE(dx.Installing());
    PumpFor(300);
    EXPECT_TRUE(boxes.Seen().empty());
    test::PointerAway();
}

TEST_F(DirectXPage, TheInstallerRunsOnceFromTheDriveRootAndBackDuringItComesBackInFront) {
    // The test prefix's drive C: stands for the CD, with the installer in its DirectX7 folder;
    // the current directory is elsewhere on the drive, as the menu's own folder would be.
    DirectXFolder installer;
    ASSERT_TRUE(installer.Ok());
    test::CurrentDirectory current("C:\\windows");
    ASSERT_TRUE(current.Ok());
    const std::string log = pages.Scratch() / "dx.log";
    SetEnvironmentVariableA("VINDREL_APPLOG", log.c_str());
    SetEnvironmentVariableA("VINDREL_APPLOG_MS", "1500");

    dx.Show();
    // Install, Install again while it runs, then Back: all reach the page during the wait.
    test::PostClick(dx.cmdOK);
    test::PostClick(dx.cmdOK);
    test::PostClick(dx.cmdNot);
    bool sampled = false, hiddenWhileRunning = false, runningThen = false;
    test::TestPage probe;
    Timer sample(probe, 800, [&] {
        sampled = true;
        hiddenWhileRunning = !dx.Visible();
        runningThen = dx.Installing();
        sample.Stop();
    });
    sample.Start();
    PumpFor(8000, [&] { return sampled && !dx.Installing() && test::Lines(log).size() >= 2; });
    SetEnvironmentVariableA("VINDREL_APPLOG", nullptr);
    SetEnvironmentVariableA("VINDREL_APPLOG_MS", nullptr);

    ASSERT_TRUE(sampled);
    EXPECT_TRUE(runningThen);
    EXPECT_TRUE(hiddenWhileRunning) << "Back hides the page while the installer runs";
    EXPECT_EQ(test::Lines(log), (std::vector<std::string>{"DXSetup.EXE", "DXSetup.EXE done"}))
        << "the second press started no second installer";
    EXPECT_TRUE(dx.Visible()) << "the page comes back when the installer has ended";
    EXPECT_EQ(test::TopMost(AllPages()), &dx);
}

TEST_F(DirectXPage, HelpOpensOnTheDirectXTopicAndItsBackReturnsHere) {
    dx.Show();
    ClickButton(dx.cmdHjaelp);
    EXPECT_TRUE(help.Visible());
    EXPECT_EQ(help.radHelpSelect.ItemIndex(), TfrmHelp::kTopicInstallingDirectX);
    EXPECT_EQ(help.lblHelp.Caption(), "Text of topic 4");
    EXPECT_TRUE(test::IsAbove(help.Handle(), dx.Handle()));

    ClickButton(help.cmdNot);
    EXPECT_FALSE(help.Visible());
    EXPECT_TRUE(dx.Visible());
    EXPECT_EQ(test::TopMost(AllPages()), &dx);

    ClickButton(dx.cmdNot);
    EXPECT_FALSE(dx.Visible());
}

}  // namespace
}  // namespace vindrel
