// The page frame: window settings, erase handling, showing and stacking, the back-buffer
// composition of the controls, mouse routing, timers and the GDI guards.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/PageTesting.h"
#include "tests/TestSupport.h"
#include "toolkit/Controls.h"
#include "toolkit/Gdi.h"
#include "toolkit/Page.h"

namespace vindrel {
namespace {

using test::PumpFor;
using test::Rendering;
using test::TestPage;

// A solid picture w x h of one colour.
UniqueBitmap SolidBitmap(int w, int h, COLORREF colour) {
    auto file = test::BitmapFile(w, h, {colour}, [](int, int) { return 0; });
    auto item = TLMDBitmapListItem::FromBitmapFile(file.data(), file.size());
    return UniqueBitmap(static_cast<HBITMAP>(CopyImage(item->Bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

std::string Caption(HWND hwnd) {
    char text[64] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

TEST(PageFrame, IsABorderlessPopupOf640x480CentredOnTheScreenAndOwnedByTheApplication) {
    TestPage page;
    RECT r;
    GetWindowRect(page.Handle(), &r);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(r.left, (cx - 640) / 2);
    EXPECT_EQ(r.top, (cy - 480) / 2);
    if (cx == 1024 && cy == 768) {
        EXPECT_EQ(r.left, 192);
        EXPECT_EQ(r.top, 144);
    }
    RECT client;
    GetClientRect(page.Handle(), &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    const LONG style = GetWindowLongA(page.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_VSCROLL | WS_HSCROLL));
    EXPECT_FALSE(page.Visible());
    EXPECT_EQ(GetWindow(page.Handle(), GW_OWNER), test::TestApplication().Handle());
    char cls[64] = {};
    GetClassNameA(page.Handle(), cls, sizeof cls);
    EXPECT_STREQ(cls, "TTestPage");
    EXPECT_EQ(Caption(page.Handle()), "TestPage");
}

TEST(PageFrame, EraseRequestsAreSuppressedByMarkerOrFilledWithTheColour) {
    struct Case {
        const char* className;
        const char* caption;
        COLORREF colour;
        const char* marker;
    };
    const Case cases[] = {
        {"TfrmKategoriLike", "Kategori", kBlack, "Dont Erase"},
        {"TfrmIndexLike", "frmIndex", clWindow, "Dont"},
        {"TfrmAnsvarLike", "frmAnsvar", clBtnFace, "Dont"},
        {"TfrmDXLike", "frmDX", kBlack, nullptr},
        {"TfrmLavetAfLike", "frmLavetAf", kGrey, nullptr},
        {"TfrmSprogvalgLike", "frmSprogvalg", kBlack, nullptr},
    };
    const COLORREF magenta = RGB(255, 0, 255);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className);
        TestPage page({c.className, c.caption, c.colour, {}, false, c.marker});
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, 640, -480, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits;
        UniqueBitmap bmp(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        SelectGuard select(dc.get(), bmp.get());
        RECT all{0, 0, 640, 480};
        FillSolid(dc.get(), all, magenta);
        for (int round = 0; round < 2; ++round) {
            LRESULT result = SendMessageA(page.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
            if (c.marker) {
                EXPECT_EQ(result, 0);
                EXPECT_EQ(GetPixel(dc.get(), 320, 240), magenta) << "a suppressed page is not filled";
                EXPECT_EQ(Caption(page.Handle()), c.marker);
            } else {
                EXPECT_NE(result, 0);
                EXPECT_EQ(GetPixel(dc.get(), 320, 240), ResolveColour(c.colour));
                EXPECT_EQ(GetPixel(dc.get(), 639, 479), ResolveColour(c.colour));
                EXPECT_EQ(Caption(page.Handle()), c.caption);
            }
        }
    }
}

TEST(PageFrame, ASuppressingPageCarriesItsMarkerAfterTheFirstRealRepaint) {
    TestPage page({"TfrmHelpLike", "frmHelp", clBtnFace, {}, false, "Dont Erase"});
    EXPECT_EQ(Caption(page.Handle()), "frmHelp");
    page.Show();
    RedrawWindow(page.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpFor(50);
    EXPECT_EQ(Caption(page.Handle()), "Dont Erase");
}

TEST(PageFrame, ShowRaisesHideUncoversAndBringToFrontKeepsVisibility) {
    TestPage a, b, c;
    a.Show();
    b.Show();
    c.Show();
    EXPECT_TRUE(test::IsAbove(c.Handle(), b.Handle()));
    EXPECT_TRUE(test::IsAbove(b.Handle(), a.Handle()));

    a.Show();  // already visible: only raised
    EXPECT_TRUE(a.Visible());
    EXPECT_EQ(a.shown, 1);
    EXPECT_TRUE(test::IsAbove(a.Handle(), c.Handle()));

    b.BringToFront();
    EXPECT_TRUE(test::IsAbove(b.Handle(), a.Handle()));
    EXPECT_TRUE(test::IsAbove(a.Handle(), c.Handle()));

    c.Hide();
    EXPECT_FALSE(c.Visible());
    EXPECT_TRUE(a.Visible() && b.Visible()) << "the pages beneath were never hidden";
    EXPECT_EQ(c.hidden, 1);
    c.Hide();
    EXPECT_EQ(c.hidden, 1);

    c.BringToFront();
    EXPECT_FALSE(c.Visible()) << "raising does not show";
    EXPECT_TRUE(test::IsAbove(c.Handle(), b.Handle()));
}

TEST(PageFrame, AltF4EndsTheProgramInsteadOfHidingThePageAndCanBeOverridden) {
    struct Stubborn : TestPage {
        void OnClose() override { ++closed; }
    } stubborn;
    stubborn.Show();
    const LPARAM altDown = 1 | (1 << 29);
    SendMessageA(stubborn.Handle(), WM_SYSKEYDOWN, VK_F4, altDown);
    PumpFor(500, [&] { return stubborn.closed > 0; });
    EXPECT_EQ(stubborn.closed, 1);
    EXPECT_TRUE(stubborn.Visible());
    ASSERT_FALSE(test::TestApplication().Terminated());

    TestPage page;
    page.Show();
    SendMessageA(page.Handle(), WM_SYSKEYDOWN, VK_F4, altDown);
    PumpFor(500, [] { return test::TestApplication().Terminated(); });
    EXPECT_TRUE(test::TestApplication().Terminated());
    EXPECT_TRUE(page.Visible()) << "the page is not hidden: the program ends";
}

TEST(PageFrame, NavigationShowsOnTopAndGoesBackByHiding) {
    TestPage menu, help, index;
    menu.Show();
    help.Show();
    EXPECT_TRUE(help.Visible() && menu.Visible());
    EXPECT_TRUE(test::IsAbove(help.Handle(), menu.Handle()));
    Navigate::Back(help, "Tilbage");
    EXPECT_FALSE(help.Visible());
    EXPECT_TRUE(menu.Visible()) << "the main menu was never hidden";

    index.Show();
    help.Show();
    Navigate::ShowThenHide(menu, help, "tilbage");
    EXPECT_FALSE(help.Visible());
    EXPECT_TRUE(test::IsAbove(menu.Handle(), index.Handle()));
}

TEST(PageFrame, ShowingAPageActivatesIt) {
    TestPage a, b;
    a.Show();
    b.Show();
    PumpFor(20);
    EXPECT_GE(b.activated, 1);
    const int before = a.activated;
    b.Hide();
    PumpFor(20);
    EXPECT_EQ(GetActiveWindow(), a.Handle());
    EXPECT_GT(a.activated, before) << "the page uncovered by a hide becomes active again";
}

TEST(PageFrame, ControlsArePaintedInZOrderIntoOnePicture) {
    TestPage page({"TComposition", "", kGrey});
    UniqueBitmap red = SolidBitmap(640, 480, kRed);
    UniqueBitmap blue = SolidBitmap(50, 50, RGB(0, 0, 255));
    auto& background = page.Add<TImage>("imgBack", 0, 0, 640, 480);
    background.SetPicture(red.get());
    auto& box = page.Add<TImage>("box", 100, 100, 50, 50);
    box.SetPicture(blue.get());
    auto& panel = page.Add<TPanel>("Panel1", 120, 120, 60, 40, {.colour = kBlack});
    auto& inPanel = panel.Add<TImage>("inPanel", 50, 10, 40, 10, {.stretch = true});
    inPanel.SetPicture(blue.get());
    auto& hidden = page.Add<TImage>("hidden", 300, 300, 50, 50, {.visible = false});
    hidden.SetPicture(blue.get());

    Rendering shot(page);
    EXPECT_EQ(shot.At(5, 5), kRed) << "the background picture covers the page colour";
    EXPECT_EQ(shot.At(110, 110), RGB(0, 0, 255));
    EXPECT_EQ(shot.At(125, 125), kBlack) << "the panel lies over the picture declared before it";
    EXPECT_EQ(shot.At(175, 135), RGB(0, 0, 255)) << "panel children are placed relative to the panel";
    EXPECT_EQ(shot.At(185, 135), kRed) << "and clipped by it";
    EXPECT_EQ(shot.At(310, 310), kRed) << "hidden controls are not painted";
    EXPECT_EQ(page.Find("inPanel"), &inPanel);

    box.SetVisible(false);
    hidden.SetVisible(true);
    Rendering again(page);
    EXPECT_EQ(again.At(110, 110), kRed);
    EXPECT_EQ(again.At(310, 310), RGB(0, 0, 255));
}

TEST(PageFrame, PicturesStretchCentreAndLeaveOutTheirBottomLeftColour) {
    TestPage page({"TPictures", "", kGrey});
    // 20 x 10: white frame one pixel wide (the bottom-left colour), black inside.
    auto file = test::BitmapFile(20, 10, {kWhite, kBlack},
                                 [](int x, int y) { return x == 0 || y == 0 || x == 19 || y == 9 ? 0 : 1; });
    auto item = TLMDBitmapListItem::FromBitmapFile(file.data(), file.size());
    auto& natural = page.Add<TImage>("natural", 0, 0, 100, 100);
    auto& stretched = page.Add<TImage>("stretched", 200, 0, 100, 100, {.stretch = true});
    auto& centred = page.Add<TImage>("centred", 0, 200, 100, 100, {.center = true});
    auto& seeThrough = page.Add<TImage>("seeThrough", 200, 200, 100, 100, {.transparent = true});
    auto& sized = page.Add<TImage>("sized", 400, 400, 5, 5, {.autoSize = true});
    for (TImage* image : {&natural, &stretched, &centred, &seeThrough, &sized}) image->SetPicture(item->Bitmap());

    Rendering shot(page);
    EXPECT_EQ(shot.At(5, 5), kBlack);
    EXPECT_EQ(shot.At(30, 5), kGrey) << "natural size ends at 20 x 10";
    EXPECT_EQ(shot.At(250, 50), kBlack) << "stretched to 100 x 100";
    EXPECT_EQ(shot.At(45, 250), kBlack) << "centred: 40..60, 245..255";
    EXPECT_EQ(shot.At(35, 250), kGrey);
    EXPECT_EQ(shot.At(200, 200), kGrey) << "the frame colour is left out";
    EXPECT_EQ(shot.At(205, 205), kBlack);
    EXPECT_EQ(sized.Width(), 20);
    EXPECT_EQ(sized.Height(), 10);
}

TEST(PageFrame, LabelsDrawWrappedMultiLineTextInTheirFontAndColour) {
    TestPage page({"TLabels", "", kBlack});
    auto& twoLines = page.Add<TLabel>("twoLines", 10, 10, 200, 100,
                                      {.caption = "WWW\r\nWWW", .font = Verdana(20, Bold, kWhite), .transparent = true});
    auto& wrapped = page.Add<TLabel>("wrapped", 300, 10, 80, 200,
                                     {.caption = "WWW WWW WWW", .font = Verdana(20, Bold, kWhite), .transparent = true,
                                      .wordWrap = true});
    auto& filled = page.Add<TLabel>("filled", 10, 300, 50, 20, {.colour = kRed});
    auto& sized = page.Add<TLabel>("sized", 10, 400, 5, 5, {.caption = "Label18", .autoSize = true});

    Rendering shot(page);
    const RECT lines = shot.Extent({10, 10, 210, 110}, kWhite);
    EXPECT_GT(lines.bottom - lines.top, 30) << "CR LF starts a second line";
    const RECT wraps = shot.Extent({300, 10, 380, 210}, kWhite);
    EXPECT_GT(wraps.bottom - wraps.top, 50) << "three words wrapped onto three lines";
    EXPECT_LE(wraps.right, 380);
    EXPECT_EQ(shot.At(30, 310), kRed) << "a label that is not transparent fills with its colour";
    EXPECT_GT(sized.Width(), 5);
    EXPECT_GT(sized.Height(), 5);

    const int before = shot.Count({300, 10, 380, 210}, kWhite);
    wrapped.SetFontColour(kYellow);
    twoLines.SetVisible(false);
    filled.SetCaption("x");
    Rendering after(page);
    EXPECT_EQ(after.Count({300, 10, 380, 210}, kYellow), before);
    EXPECT_EQ(after.Count({10, 10, 210, 110}, kWhite), 0);
}

TEST(PageFrame, MouseGoesToTheTopmostControlUnderThePointerInItsOwnCoordinates) {
    TestPage page;
    std::vector<std::string> downs;
    MouseEvent last;
    auto record = [&](Control& c, const MouseEvent& e) {
        downs.push_back(c.Name());
        last = e;
    };
    auto& lower = page.Add<TImage>("lower", 0, 0, 100, 100);
    auto& upper = page.Add<TImage>("upper", 50, 50, 100, 100);
    auto& panel = page.Add<TPanel>("panel", 300, 300, 100, 100);
    auto& spot = panel.Add<TImage>("spot", 10, 10, 3, 3);
    auto& gone = page.Add<TImage>("gone", 0, 0, 20, 20, {.visible = false});
    for (Control* c : std::initializer_list<Control*>{&lower, &upper, &panel, &spot, &gone}) c->OnMouseDown = record;

    test::Send(page, WM_LBUTTONDOWN, 60, 60, MK_LBUTTON);
    test::Send(page, WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    test::Send(page, WM_RBUTTONDOWN, 311, 312, MK_RBUTTON | MK_SHIFT | MK_CONTROL);
    test::Send(page, WM_LBUTTONDOWN, 350, 350, MK_LBUTTON);
    test::Send(page, WM_LBUTTONDOWN, 600, 10, MK_LBUTTON);
    EXPECT_EQ(downs, (std::vector<std::string>{"upper", "lower", "spot", "panel"}));

    test::Send(page, WM_RBUTTONDOWN, 311, 312, MK_RBUTTON | MK_SHIFT);
    EXPECT_EQ(last.button, MouseButton::Right);
    EXPECT_EQ(last.x, 1);
    EXPECT_EQ(last.y, 2);
    EXPECT_EQ(last.keys, static_cast<UINT>(MK_RBUTTON | MK_SHIFT));
}

TEST(PageFrame, TimersRunOnThePageWindowAndStop) {
    TestPage page;
    int ticks = 0;
    Timer timer(page, 30, [&] { ++ticks; });
    EXPECT_FALSE(timer.Enabled());
    timer.Start();
    PumpFor(1000, [&] { return ticks >= 3; });
    EXPECT_GE(ticks, 3);
    timer.Stop();
    const int stopped = ticks;
    PumpFor(100);
    EXPECT_EQ(ticks, stopped);

    test::Fire(page, timer);  // a late message of a stopped timer does nothing
    EXPECT_EQ(ticks, stopped);
}

TEST(PageFrame, AnErrorInAHandlerIsShownAndDoesNotLeaveTheWindowProcedure) {
    TestPage page;
    Timer timer(page, 1000, [] { throw std::runtime_error("Not enough timers available"); });
    timer.Start();
    test::MessageBoxWatcher watcher;
    test::Fire(page, timer);
    timer.Stop();
    auto seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Not enough timers available");
}

TEST(PageFrame, FontsAreMadeOncePerPage) {
    TestPage page;
    HFONT a = page.Font(Verdana(12, Bold, kWhite));
    HFONT b = page.Font(Verdana(12, Bold, kBlack));
    HFONT c = page.Font(Verdana(13, Bold));
    EXPECT_EQ(a, b) << "the colour is not part of the font object";
    EXPECT_NE(a, c);
    LOGFONTA lf{};
    GetObjectA(c, sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -13) << "heights are character heights without internal leading";
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_STREQ(lf.lfFaceName, "Verdana");
}

// Each guard puts back exactly what was selected before it.
TEST(GdiGuards, RestoreTheOriginalObjectsWhenTheyGo) {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    UniqueBrush brush(CreateSolidBrush(kRed));
    UniquePen pen(CreatePen(PS_SOLID, 1, kRed));
    UniqueFont font(CreateFontFrom(Verdana(12)));
    UniqueBitmap bitmap(CreateCompatibleBitmap(dc.get(), 4, 4));
    struct Case {
        const char* name;
        UINT kind;
        HGDIOBJ object;
    };
    const Case cases[] = {
        {"brush", OBJ_BRUSH, brush.get()},
        {"pen", OBJ_PEN, pen.get()},
        {"font", OBJ_FONT, font.get()},
        {"bitmap", OBJ_BITMAP, bitmap.get()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HGDIOBJ original = GetCurrentObject(dc.get(), c.kind);
        {
            SelectGuard guard(dc.get(), c.object);
            EXPECT_EQ(GetCurrentObject(dc.get(), c.kind), c.object);
        }
        EXPECT_EQ(GetCurrentObject(dc.get(), c.kind), original);
    }

    LOGPALETTE lp{0x300, 1, {{255, 0, 0, 0}}};
    UniquePalette palette(CreatePalette(&lp));
    HGDIOBJ originalPalette = GetCurrentObject(dc.get(), OBJ_PAL);
    {
        PaletteGuard guard(dc.get(), palette.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PAL), palette.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PAL), originalPalette);

    SetTextColor(dc.get(), kBlack);
    {
        DcStateGuard guard(dc.get());
        SetTextColor(dc.get(), kRed);
        SelectObject(dc.get(), brush.get());
    }
    EXPECT_EQ(GetTextColor(dc.get()), kBlack);
    EXPECT_NE(GetCurrentObject(dc.get(), OBJ_BRUSH), brush.get());
}

TEST(GdiGuards, AnOffscreenSurfaceGrowsButKeepsItsDc) {
    OffscreenSurface surface;
    HDC dc = surface.Ensure(10, 10);
    ASSERT_NE(dc, nullptr);
    HGDIOBJ first = GetCurrentObject(dc, OBJ_BITMAP);
    EXPECT_EQ(surface.Ensure(5, 5), dc);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), first) << "a smaller request reuses the bitmap";
    HDC grown = surface.Ensure(20, 30);
    BITMAP bm{};
    GetObjectA(GetCurrentObject(grown, OBJ_BITMAP), sizeof bm, &bm);
    EXPECT_GE(bm.bmWidth, 20);
    EXPECT_GE(bm.bmHeight, 30);
}

}  // namespace
}  // namespace vindrel
