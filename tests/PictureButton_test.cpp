// The picture button on a real page, driven with real mouse, keyboard and timer messages and
// rendered through WM_PRINTCLIENT.
#include <gtest/gtest.h>

#include <vector>

#include "tests/PageTesting.h"
#include "toolkit/Artwork.h"
#include "toolkit/PictureButton.h"

namespace vindrel {
namespace {

using test::Fire;
using test::MoveTo;
using test::Press;
using test::Release;
using test::Rendering;

constexpr COLORREF kSee = 0x00473B46;  // the green buttons' see-through corners
constexpr COLORREF kFaceUp = RGB(0, 128, 0);
constexpr COLORREF kFaceLit = RGB(0, 220, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

class ButtonTest : public ::testing::Test {
protected:
    test::TestPage page{{"TButtonPage", "", kGrey}};
    // Two 90 x 45 faces with 4 x 4 see-through corners, like Greens.
    std::unique_ptr<TLMDBitmapList> greens =
        test::ListOf({test::Face(90, 45, kFaceUp, kSee, 4), test::Face(90, 45, kFaceLit, kSee, 4)});
    int clicks = 0;

    TLMDMMButton& Button(ButtonProps props, int left = 100, int top = 100, int width = 90, int height = 45) {
        auto& b = page.Add<TLMDMMButton>("cmd", left, top, width, height, std::move(props));
        b.OnClick = [this](TLMDMMButton&) { ++clicks; };
        return b;
    }
    TLMDMMButton& Green(const char* caption = "") {
        return Button(GreenButton(caption).List(greens.get()).Colour(kBlack));
    }
};

TEST_F(ButtonTest, AClickIsAPressAndReleaseOnTheFace) {
    auto& b = Green("OK");
    MoveTo(page, 145, 122);
    EXPECT_EQ(b.State(), ButtonState::MouseOver);
    Press(page, 145, 122);
    EXPECT_EQ(b.State(), ButtonState::Down);
    EXPECT_EQ(GetCapture(), page.Handle()) << "the button holds the mouse while pressed";
    EXPECT_EQ(clicks, 0) << "no click before the release";
    Release(page, 145, 122);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b.State(), ButtonState::MouseOver);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, APressOnASeeThroughCornerDoesNothing) {
    auto& b = Green("OK");
    for (POINT p : {POINT{101, 101}, POINT{188, 143}, POINT{100, 144}}) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        MoveTo(page, p.x, p.y);
        EXPECT_EQ(b.State(), ButtonState::Up) << "the corner is not the button";
        Press(page, p.x, p.y);
        EXPECT_EQ(b.State(), ButtonState::Up);
        Release(page, p.x, p.y);
        EXPECT_EQ(clicks, 0);
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

TEST_F(ButtonTest, DraggingOffTheFaceShowsUpAndBackShowsDownAndOnlyAReleaseOnTheFaceClicks) {
    auto& b = Green();
    MoveTo(page, 145, 122);
    Press(page, 145, 122);
    EXPECT_EQ(Rendering(page).At(145, 122), kFaceLit);

    MoveTo(page, 300, 300, MK_LBUTTON);
    EXPECT_EQ(b.State(), ButtonState::Up);
    EXPECT_EQ(Rendering(page).At(145, 122), kFaceUp);

    MoveTo(page, 150, 120, MK_LBUTTON);
    EXPECT_EQ(b.State(), ButtonState::Down);
    EXPECT_EQ(Rendering(page).At(145, 122), kFaceLit);

    MoveTo(page, 300, 300, MK_LBUTTON);
    Release(page, 300, 300);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(b.State(), ButtonState::Up);

    // Released on a see-through pixel inside the rectangle: the same pixel test as hovering.
    MoveTo(page, 145, 122);
    Press(page, 145, 122);
    MoveTo(page, 101, 101, MK_LBUTTON);
    EXPECT_EQ(b.State(), ButtonState::Up);
    Release(page, 101, 101);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(b.State(), ButtonState::Up);
}

TEST_F(ButtonTest, ARealGreenButtonFaceHasSeeThroughCorners) {
    auto real = TLMDBitmapList::FromResource(GetModuleHandleA(nullptr), art::kGreens);
    ASSERT_TRUE(real);
    auto& b = Button(GreenButton("Tilbage").List(real.get()));
    Press(page, 100, 100);
    Release(page, 100, 100);
    EXPECT_EQ(clicks, 0);
    ClickAt(page, 145, 122);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b.State(), ButtonState::MouseOver);
}

TEST_F(ButtonTest, ATileWithoutPixelTestReactsAnywhereInItsRectangle) {
    const COLORREF seeColour = 0x0007902F;
    // The whole face has the button's see-through colour: without the pixel test that is no matter.
    auto tiles = test::ListOf({test::Face(280, 80, seeColour, seeColour, 0), test::Face(280, 80, kFaceLit, seeColour, 0)});
    auto& tile = Button(CategoryTile(tiles.get(), seeColour), 0, 0, 280, 80);
    struct Case {
        POINT release;
        bool clicks;
    };
    const Case cases[] = {
        {{140, 40}, true}, {{0, 0}, true}, {{279, 79}, true},
        {{140, 80}, true},   // the bottom edge still counts
        {{280, 40}, false},  // the right edge does not, on release
        {{300, 40}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.release.x << "," << c.release.y);
        clicks = 0;
        MoveTo(page, 140, 40);
        EXPECT_EQ(tile.State(), ButtonState::MouseOver);
        Press(page, 140, 40);
        EXPECT_EQ(tile.State(), ButtonState::Down);
        MoveTo(page, c.release.x, c.release.y, MK_LBUTTON);
        Release(page, c.release.x, c.release.y);
        EXPECT_EQ(clicks, c.clicks ? 1 : 0);
        MoveTo(page, 500, 300);
    }
    EXPECT_TRUE(tile.HitTest(280, 80)) << "moves test both edges inclusively";
}

// Repeating, with the timer messages sent by the test: exact and independent of the clock.
TEST_F(ButtonTest, HoldingARepeatingArrowClicksAtOnceThenAfterTheDelayThenEveryInterval) {
    auto arrows = test::ListOf({test::Face(17, 17, kFaceUp, kBlack, 0), test::Face(17, 17, kFaceLit, kBlack, 0)});
    auto& up = Button(Arrow(arrows.get(), UpOverDown(0, 1), kBlack).Repeat(600, 150), 242, 57, 17, 17);
    const Timer& repeat = up.RepeatTimer();

    MoveTo(page, 250, 65);
    Press(page, 250, 65);
    EXPECT_EQ(clicks, 1) << "one click at once";
    EXPECT_TRUE(repeat.Enabled());
    EXPECT_EQ(repeat.Interval(), 600u);
    Fire(page, repeat);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(repeat.Interval(), 150u);
    Fire(page, repeat);
    EXPECT_EQ(clicks, 3);

    MoveTo(page, 400, 400, MK_LBUTTON);  // off the arrow: the repeats pause
    EXPECT_EQ(up.State(), ButtonState::Up);
    Fire(page, repeat);
    Fire(page, repeat);
    EXPECT_EQ(clicks, 3);
    EXPECT_TRUE(repeat.Enabled());

    MoveTo(page, 250, 65, MK_LBUTTON);  // back on it: they resume
    EXPECT_EQ(up.State(), ButtonState::Down);
    Fire(page, repeat);
    EXPECT_EQ(clicks, 4);

    Release(page, 250, 65);
    EXPECT_EQ(clicks, 4) << "releasing fires no extra click";
    EXPECT_FALSE(repeat.Enabled());

    // The next hold starts with the delay again.
    Press(page, 250, 65);
    EXPECT_EQ(clicks, 5);
    EXPECT_EQ(repeat.Interval(), 600u);
    Release(page, 250, 65);
}

// The same with the real clock, tolerant of the timer jitter under load: a late tick shortens only
// the gap after it, so the repeats are timed together.
TEST_F(ButtonTest, RepeatTimingFollowsTheClock) {
    auto arrows = test::ListOf({test::Face(17, 17, kFaceUp, kBlack, 0)});
    auto& down = Button(Arrow(arrows.get(), FaceIndices{}, kBlack).Repeat(600, 150), 242, 431, 17, 17);
    std::vector<DWORD> at;
    down.OnClick = [&](TLMDMMButton&) { at.push_back(GetTickCount()); };
    test::PointAt(page, 250, 439);
    Press(page, 250, 439);
    test::PumpFor(1600);
    Release(page, 250, 439);
    test::PointerAway();
    ASSERT_GE(at.size(), 5u);
    EXPECT_LE(at.size(), 10u);
    const DWORD first = at[1] - at[0];
    EXPECT_GE(first, 550u);
    EXPECT_LE(first, 900u);
    const DWORD repeats = static_cast<DWORD>(at.size() - 2);
    EXPECT_GE(at.back() - at[1], 120u * repeats);
    EXPECT_LE(at.back() - at[1], 300u * repeats);
}

TEST_F(ButtonTest, HidingAButtonWhileItRepeatsEndsThePress) {
    auto arrows = test::ListOf({test::Face(17, 17, kFaceUp, kBlack, 0)});
    auto& up = Button(Arrow(arrows.get(), FaceIndices{}, kBlack).Repeat(600, 150), 242, 57, 17, 17);
    up.OnClick = [&](TLMDMMButton& b) {
        if (++clicks == 2) b.SetVisible(false);  // scrolled to the top: the up arrow goes
    };
    MoveTo(page, 250, 65);
    Press(page, 250, 65);
    Fire(page, up.RepeatTimer());
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(up.RepeatTimer().Enabled());
    EXPECT_EQ(GetCapture(), nullptr);
    Fire(page, up.RepeatTimer());
    Release(page, 250, 65);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonTest, TheMouseOverWatchReturnsToUpWhenThePointerLeftUnnoticed) {
    auto& b = Green();
    test::PointAt(page, 145, 122);
    ASSERT_EQ(b.State(), ButtonState::MouseOver);
    const Timer& watch = b.MouseOverWatch();
    EXPECT_TRUE(watch.Enabled());
    EXPECT_EQ(watch.Interval(), 100u);
    Fire(page, watch);
    EXPECT_EQ(b.State(), ButtonState::MouseOver) << "the pointer is still there";

    test::PointerAway();  // no mouse message reaches the page
    Fire(page, watch);
    EXPECT_EQ(b.State(), ButtonState::Up);
    EXPECT_FALSE(watch.Enabled());

    // And with the real clock: back to up within about 100 ms.
    test::PointAt(page, 145, 122);
    ASSERT_EQ(b.State(), ButtonState::MouseOver);
    test::PointerAway();
    const DWORD spent = test::PumpFor(1000, [&] { return b.State() == ButtonState::Up; });
    EXPECT_EQ(b.State(), ButtonState::Up);
    EXPECT_LE(spent, 400u);
    EXPECT_EQ(Rendering(page).At(145, 122), kFaceUp);
}

TEST_F(ButtonTest, MissingFacesFallBackByState) {
    auto& b = Button(ButtonProps{}.List(greens.get()));
    struct Case {
        const char* name;
        FaceIndices faces;
        std::array<int, 8> expected;  // FaceFor for states 0 to 7
    };
    const int N = TLMDMMButton::kNothing, X = TLMDMMButton::kNoFace;
    FaceIndices mostMissing;
    mostMissing.list = {0, 5, 5, 5, 1, 5, 5};
    FaceIndices noUp;
    noUp.list = {5, 5, 1, 0, 0, 0, 0};
    FaceIndices noDown;
    noDown.list = {0, 0, 1, 9, 9, 0, 9};
    FaceIndices negative;
    negative.list = {-1, 0, 0, 0, -1, 0, 0};
    const Case cases[] = {
        {"most missing", mostMissing, {0, 0, 0, 1, 1, 0, 1, 0}},
        {"no up face", noUp, {N, N, 1, 0, 0, 0, 0, 0}},
        {"no held-down face", noDown, {0, 0, 1, X, X, 0, X, 0}},
        {"negative", negative, {N, 0, 0, 0, X, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        b.SetFaces(c.faces);
        for (int s = 0; s < 8; ++s) {
            SCOPED_TRACE(s);
            EXPECT_EQ(b.FaceFor(static_cast<ButtonState>(s)), c.expected[static_cast<size_t>(s)]);
        }
    }
}

TEST_F(ButtonTest, AMissingUpFacePaintsNothingAndIsNeverHit) {
    FaceIndices noUp = UpOverDown(7, 1);
    auto& b = Button(GreenButton("OK").List(greens.get()).Faces(noUp).Colour(kMagenta));
    Rendering shot(page);
    EXPECT_EQ(shot.Count({100, 100, 190, 145}, kGrey), 90 * 45) << "not even the colour or the caption";
    Press(page, 145, 122);
    Release(page, 145, 122);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(b.State(), ButtonState::Up);
}

TEST_F(ButtonTest, AMissingHeldDownFaceStillMovesTheCaptionDown) {
    FaceIndices noDown = UpOverDown(0, 1);
    noDown.list[4] = 9;  // past the end of the list
    auto& b = Button(GreenButton("OK").List(greens.get()).Faces(noDown).Colour(kMagenta).AllowTransparency(false));
    MoveTo(page, 145, 122);
    const RECT area{100, 100, 190, 145};
    Rendering over(page);
    const RECT overText = over.Extent(area, kWhite);
    ASSERT_GT(overText.right, overText.left);
    Press(page, 145, 122);
    ASSERT_EQ(b.State(), ButtonState::Down);
    Rendering held(page);
    EXPECT_EQ(held.At(145, 102), kMagenta) << "no face while held";
    EXPECT_EQ(held.Count(area, kFaceLit), 0);
    const RECT heldText = held.Extent(area, kWhite);
    EXPECT_EQ(heldText.left, overText.left + 1);
    EXPECT_EQ(heldText.top, overText.top + 1);
    Release(page, 145, 122);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, DoubleAmpersandShowsOneAndASingleOneUnderlinesAndMakesAnAccelerator) {
    auto faces = test::ListOf({test::Face(200, 45, kBlack, kSee, 0)});
    const FontSpec font = Verdana(12, Bold, kWhite);
    auto& plain = Button(ButtonProps{}.List(faces.get()).Caption("A&&B").Font(font), 10, 10, 200, 45);
    auto& marked = Button(ButtonProps{}.List(faces.get()).Caption("&Hj\xE6lp").Font(font), 10, 100, 200, 45);
    auto& unmarked = Button(ButtonProps{}.List(faces.get()).Caption("Hj\xE6lp").Font(font), 10, 200, 200, 45);

    Rendering shot(page);
    const RECT text = shot.Extent({10, 10, 210, 55}, kWhite);
    SIZE one{}, two{};
    {
        WindowDc screen(nullptr);
        SelectGuard select(screen.get(), page.Font(font));
        GetTextExtentPoint32A(screen.get(), "A&B", 3, &one);
        GetTextExtentPoint32A(screen.get(), "A&&B", 4, &two);
    }
    const LONG drawn = text.right - text.left;
    EXPECT_LE(drawn, one.cx + 1) << "one ampersand drawn";
    EXPECT_LT(drawn, two.cx - 3);

    const int underlined = shot.Count({10, 100, 210, 145}, kWhite);
    const int bare = shot.Count({10, 200, 210, 245}, kWhite);
    EXPECT_GT(underlined, bare) << "the accelerator letter is underlined";

    int markedClicks = 0;
    ButtonState during = ButtonState::Up;
    marked.OnClick = [&](TLMDMMButton& b) {
        ++markedClicks;
        during = b.State();
    };
    test::PointerAway();
    for (char key : {'h', 'H'}) SendMessageA(page.Handle(), WM_CHAR, static_cast<WPARAM>(key), 0);
    EXPECT_EQ(markedClicks, 2);
    EXPECT_EQ(during, ButtonState::MouseOver) << "drawn in the mouse-over look while the click runs";
    EXPECT_EQ(marked.State(), ButtonState::Up) << "and up again, the pointer being elsewhere";
    SendMessageA(page.Handle(), WM_SYSCHAR, 'h', 0);
    EXPECT_EQ(markedClicks, 3) << "Alt with the letter works too";

    for (char key : {'&', 'A', 'B', 'j'}) SendMessageA(page.Handle(), WM_CHAR, static_cast<WPARAM>(key), 0);
    EXPECT_EQ(clicks, 0) << "\"&&\" makes no accelerator";
    EXPECT_EQ(markedClicks, 3);

    marked.SetVisible(false);
    SendMessageA(page.Handle(), WM_CHAR, 'h', 0);
    marked.SetVisible(true);
    marked.SetEnabled(false);
    SendMessageA(page.Handle(), WM_CHAR, 'h', 0);
    EXPECT_EQ(markedClicks, 3) << "hidden or disabled buttons take no accelerator";
    (void)plain;
    (void)unmarked;
}

TEST_F(ButtonTest, CaptionsFollowTheirAlignmentAndTheEnterColour) {
    auto rows = test::ListOf({test::Face(240, 42, kGrey, kSee, 0)});
    auto& row = Button(ListRow(rows.get(), FaceIndices{}, 0x0007AB18).Caption("Doom"), 32, 88, 240, 42);
    auto& centred = Button(ButtonProps{}.List(rows.get()).Caption("Doom").Font(Verdana(19, Regular, kBlack)), 32, 200,
                           240, 42);
    Rendering shot(page);
    const RECT left = shot.Extent({32, 88, 272, 130}, kBlack);
    ASSERT_GT(left.right, left.left);
    EXPECT_LE(left.left - 32, 4) << "agCenterLeft starts at the left edge";
    const int above = left.top - 88, below = 130 - left.bottom;
    EXPECT_LE(std::abs(above - below), 6) << "and is centred vertically";
    const RECT mid = shot.Extent({32, 200, 272, 242}, kBlack);
    EXPECT_LE(std::abs((mid.left - 32) - (272 - mid.right)), 3) << "agCenter centres";

    MoveTo(page, 150, 110);
    ASSERT_EQ(row.State(), ButtonState::MouseOver);
    Rendering lit(page);
    EXPECT_GT(lit.Count({32, 88, 272, 130}, kYellow), 20) << "yellow under the mouse";
    EXPECT_EQ(lit.Count({32, 88, 272, 130}, kBlack), 0);
    MoveTo(page, 150, 300);
    EXPECT_EQ(Rendering(page).Count({32, 88, 272, 130}, kYellow), 0);
    row.SetFontColour(kRed);
    EXPECT_GT(Rendering(page).Count({32, 88, 272, 130}, kRed), 20);
    (void)centred;
}

TEST_F(ButtonTest, FacesAreDrawnOpaqueOrLeavingOutTheirSeeThroughColour) {
    struct Case {
        const char* name;
        ButtonProps props;
        COLORREF corner;  // what shows at the face's see-through corner
        COLORREF centre;
    };
    const Case cases[] = {
        {"force transparent", GreenButton("").Colour(kMagenta), kMagenta, kFaceUp},
        {"opaque face", GreenButton("").Colour(kMagenta).ForceTransparent(false), kSee, kFaceUp},
        {"transparent button", GreenButton("").Transparent(true), kGrey, kFaceUp},
        {"no list", GreenButton("").Colour(kMagenta).List(FaceListRef{}), kMagenta, kMagenta},
        {"no list, transparent", GreenButton("").Transparent(true).List(FaceListRef{}), kGrey, kGrey},
    };
    int top = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ButtonProps props = c.props;
        if (std::string(c.name).find("no list") == std::string::npos) props.List(greens.get());
        Button(props, 300, top);
        Rendering shot(page);
        EXPECT_EQ(shot.At(300, top), c.corner);
        EXPECT_EQ(shot.At(345, top + 22), c.centre);
        top += 50;
    }
}

TEST_F(ButtonTest, AnExitSignLetsThePageShowThroughItsWhite) {
    // White sign background with a red square in the middle, twice (up and lit).
    auto sign = test::BitmapFile(81, 53, {kWhite, kRed}, [](int x, int y) { return x > 20 && x < 60 && y > 10 && y < 40; });
    auto exits = test::ListOf({sign, sign});
    Button(ExitSign().List(exits.get()), 559, 427, 81, 53);
    Rendering shot(page);
    EXPECT_EQ(shot.At(562, 430), kGrey);
    EXPECT_EQ(shot.At(599, 453), kRed);
    Press(page, 562, 430);
    Release(page, 562, 430);
    EXPECT_EQ(clicks, 0) << "white is see-through for the mouse as well";
    ClickAt(page, 599, 453);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, ACentredFaceWithoutPixelTestShowsTheColourAroundIt) {
    auto small = test::ListOf({test::Face(60, 30, kFaceUp, kSee, 1)});
    auto& ok = Button(GreenButton("").List(small.get()).Colour(kMagenta).AllowTransparency(false).FaceStyle(
                          ButtonFaceStyle::sbCenter),
                      18, 418, 90, 45);
    Rendering shot(page);
    // The face covers 15..74 x 7..36; its see-through corner pixels show the colour too.
    EXPECT_EQ(shot.At(18 + 16, 418 + 7), kFaceUp);
    EXPECT_EQ(shot.At(18 + 14, 418 + 8), kMagenta);
    EXPECT_EQ(shot.At(18 + 15, 418 + 7), kMagenta);
    EXPECT_EQ(shot.At(18 + 74, 418 + 35), kFaceUp);
    EXPECT_EQ(shot.At(18 + 75, 418 + 35), kMagenta);
    EXPECT_EQ(shot.At(18 + 40, 418 + 37), kMagenta);
    ClickAt(page, 20, 420);
    EXPECT_EQ(clicks, 1);
    (void)ok;
}

TEST_F(ButtonTest, FaceListsAreConnectedByNameAndDroppedWhenTheyGo) {
    auto& b = Button(GreenButton("OK").Colour(kMagenta));
    EXPECT_EQ(b.ButtonFaceImageList(), nullptr);
    EXPECT_EQ(Rendering(page).At(145, 122), kMagenta) << "without faces the button paints its colour";
    std::vector<std::string> asked;
    page.ConnectFaceLists([&](const std::string& name) {
        asked.push_back(name);
        return greens.get();
    });
    EXPECT_EQ(asked, std::vector<std::string>{"frmForside.Greens"});
    EXPECT_EQ(b.ButtonFaceImageList(), greens.get());
    EXPECT_EQ(Rendering(page).At(145, 122), kFaceUp);

    MoveTo(page, 145, 122);
    greens.reset();
    EXPECT_EQ(b.ButtonFaceImageList(), nullptr);
    EXPECT_EQ(Rendering(page).At(145, 122), kMagenta);
    Press(page, 145, 122);
    Release(page, 145, 122);
    EXPECT_EQ(clicks, 0) << "no face, nothing to hit";
}

TEST_F(ButtonTest, DisablingShowsTheDisabledStateAndIgnoresTheMouse) {
    auto& b = Green();
    b.SetEnabled(false);
    EXPECT_EQ(b.State(), ButtonState::Disabled);
    EXPECT_EQ(Rendering(page).At(145, 122), kFaceUp) << "the disabled face falls back to the up face";
    ClickAt(page, 145, 122);
    EXPECT_EQ(clicks, 0);
    b.SetEnabled(true);
    EXPECT_EQ(b.State(), ButtonState::Up);
    ClickAt(page, 145, 122);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, ASecondWindowTakingTheMouseEndsThePressWithoutAClick) {
    auto& b = Green();
    MoveTo(page, 145, 122);
    Press(page, 145, 122);
    test::TestPage other({"TOtherPage", "", kBlack});
    SetCapture(other.Handle());
    ReleaseCapture();
    EXPECT_EQ(b.State(), ButtonState::Up);
    Release(page, 145, 122);
    EXPECT_EQ(clicks, 0);
}

}  // namespace
}  // namespace vindrel
