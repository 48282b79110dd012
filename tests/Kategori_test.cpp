// The category page: which demos it lists, with which tags, and its hidden hot spot.
#include <gtest/gtest.h>

#include "tests/MenuFixture.h"

namespace vindrel {
namespace {

using test::Demo;
using test::MenuTest;

std::vector<Demo> ElevenActionDemos() {
    std::vector<Demo> demos;
    for (int i = 0; i < 11; ++i) demos.push_back({.KortTitel = "Action " + std::to_string(i), .Kategori = "Action"});
    return demos;
}

TEST_F(MenuTest, TheCatalogueIsReadWhenThePageIsMadeWithTheMachineProfileCopied) {
    Start({{.KortTitel = "One", .Kategori = "Sport"}, {.KortTitel = "Nowhere", .Kategori = "Ingen"},
           {.KortTitel = "Two", .Kategori = "Junior"}});
    ASSERT_EQ(Category().SpilListe.size(), 2u) << "entries without a category are left out";
    EXPECT_EQ(Category().SpilListe[0].KortTitel, "One");
    EXPECT_EQ(Category().SpilListe[1].KortTitel, "Two");
    EXPECT_EQ(Category().ShownCategory, kNoCategory);
    EXPECT_EQ(Category().Profile.RamMB, shell_->Machine().RamMB);
    EXPECT_EQ(Category().Profile.FreeDiskMB, shell_->Machine().FreeDiskMB);
    // The language page's reload: empty, then read again.
    Category().wipespilliste();
    EXPECT_TRUE(Category().SpilListe.empty());
    Category().indsaet_i_liste();
    EXPECT_EQ(Category().SpilListe.size(), 2u);
}

// A catalogue title is drawn as written: "R&D demo" with its "&", and "D" clicks nothing.
TEST_F(MenuTest, ADemoButtonShowsItsTitleWithoutAcceleratorMark) {
    Start({{.KortTitel = "R&D demo", .Kategori = "Action"}});
    OpenCategory(0);
    ASSERT_EQ(Category().label1.Caption(), "R&D demo");
    Game().Hide();
    SendMessageA(Category().Handle(), WM_CHAR, 'd', 0);
    SendMessageA(Category().Handle(), WM_SYSCHAR, 'd', 1 << 29);
    EXPECT_FALSE(Game().Visible()) << "no accelerator";
    test::PointerAway();
    const auto set = [this](const std::string& text) { Category().label1.SetCaption(text); };
    const RECT area = Category().label1.PageRect();
    EXPECT_GT(test::DrawnWidth(Category(), area, set, "R&D demo"), test::DrawnWidth(Category(), area, set, "RD demo"));
}

TEST_F(MenuTest, ElevenDemosOfOneCategoryShowTheFirstEightInCatalogueOrder) {
    Start(ElevenActionDemos());
    OpenCategory(0);
    const auto& buttons = Category().DemoButtons();
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(testing::Message() << "label" << k + 1);
        EXPECT_TRUE(buttons[k]->Visible());
        EXPECT_EQ(buttons[k]->Caption(), "Action " + std::to_string(k));
        EXPECT_EQ(buttons[k]->Tag, k);
        RECT r = buttons[k]->PageRect();
        EXPECT_EQ(r.left, 32);
        EXPECT_EQ(r.top, 88 + 40 * k);
        EXPECT_EQ(r.right - r.left, 240);
        EXPECT_EQ(r.bottom - r.top, 42);
    }
}

TEST_F(MenuTest, InterleavedCategoriesKeepTheirCataloguePositionsAsTags) {
    Start({{.KortTitel = "S0", .Kategori = "Sport"},
           {.KortTitel = "A1", .Kategori = "Adventure"},
           {.KortTitel = "S2", .Kategori = "Sport"},
           {.KortTitel = "J3", .Kategori = "Junior"},
           {.KortTitel = "A4", .Kategori = "Adventure"},
           {.KortTitel = "S5", .Kategori = "Sport"}});
    struct Case {
        CategoryCode category;
        std::vector<std::string> captions;
        std::vector<int> tags;
    } cases[] = {
        {2, {"S0", "S2", "S5"}, {0, 2, 5}},
        {3, {"A1", "A4"}, {1, 4}},
        {5, {"J3"}, {3}},
        {0, {}, {}},  // a category without demos: the heading and Back only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "category " << int(c.category));
        OpenCategory(c.category);
        const auto& buttons = Category().DemoButtons();
        for (size_t k = 0; k < buttons.size(); ++k) {
            SCOPED_TRACE(testing::Message() << "label" << k + 1);
            ASSERT_EQ(buttons[k]->Visible(), k < c.captions.size());
            if (k >= c.captions.size()) continue;
            EXPECT_EQ(buttons[k]->Caption(), c.captions[k]);
            EXPECT_EQ(buttons[k]->Tag, c.tags[k]);
        }
        EXPECT_TRUE(Category().cmdNot.Visible());
        EXPECT_NE(Category().Kategorioverskrift.Picture(), nullptr);
        Category().Hide();
    }
}

TEST_F(MenuTest, ADemoButtonOpensItsOwnEntryOnTheGamePage) {
    Start({{.KortTitel = "S0", .Kategori = "Sport"}, {.KortTitel = "A1", .Kategori = "Action"},
           {.KortTitel = "S2", .Kategori = "Sport"}});
    OpenCategory(2);
    Click(Category().label2);
    EXPECT_EQ(Category().SelectedEntry, 2);
    EXPECT_TRUE(Category().ReturnToCategory);
    EXPECT_TRUE(Game().Visible());
    EXPECT_TRUE(test::IsAbove(Game().Handle(), Category().Handle()));
    EXPECT_EQ(Game().lblKortTitel.Caption(), "S2");
    EXPECT_EQ(Game().lblSpilTitel.Caption(), "S2 - the full title");
}

TEST_F(MenuTest, DemoAfterDemoAndBackLeavesEveryCaptionBlackAndBackWhite) {
    std::vector<Demo> demos = ElevenActionDemos();
    demos.resize(4);
    Start(demos);
    OpenCategory(0);
    const RECT list{32, 88, 272, 250};
    std::vector<COLORREF> before;
    {
        test::Rendering page(Category());
        for (int y = list.top; y < list.bottom; ++y)
            for (int x = list.left; x < list.right; ++x) before.push_back(page.At(x, y));
    }
    const auto& buttons = Category().DemoButtons();
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(testing::Message() << "label" << k + 1);
        // The pointer over the button turns its caption yellow while it is pressed.
        Click(*buttons[k]);
        ASSERT_TRUE(Game().Visible());
        Click(Game().cmdNot);
        ASSERT_FALSE(Game().Visible());
        ASSERT_TRUE(Category().Visible());
        for (int j = 0; j < 4; ++j) EXPECT_EQ(buttons[j]->FontColour(), kBlack) << "label" << j + 1;
        EXPECT_EQ(Category().cmdNot.FontColour(), kWhite);
    }
    // With the pointer gone (the buttons' mouse-over watch sees it), the list looks as it did
    // before the first click.
    test::PointerAway();
    test::PumpFor(300);
    test::Rendering page(Category());
    int changed = 0;
    size_t i = 0;
    for (int y = list.top; y < list.bottom; ++y)
        for (int x = list.left; x < list.right; ++x) changed += page.At(x, y) != before[i++];
    EXPECT_EQ(changed, 0);
}

TEST_F(MenuTest, BackOnTheCategoryPageUncoversTheMenu) {
    Start(ElevenActionDemos());
    OpenCategory(0);
    Click(Category().cmdNot);
    EXPECT_FALSE(Category().Visible());
    EXPECT_TRUE(Menu().Visible());
}

TEST_F(MenuTest, OnlyRightButtonWithShiftAltAndCtrlOnTheHotSpotRevealsTheCreditsPicture) {
    struct Case {
        const char* what;
        UINT msg;
        WPARAM keys;
        bool alt;
        int x, y;
        bool reveals;
    } cases[] = {
        {"shift alt ctrl, left button", WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT | MK_CONTROL, true, 261, 401, false},
        {"right without alt", WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT | MK_CONTROL, false, 261, 401, false},
        {"right without shift", WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, true, 261, 401, false},
        {"right without ctrl", WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, true, 261, 401, false},
        {"right with the left button held too", WM_RBUTTONDOWN, MK_RBUTTON | MK_LBUTTON | MK_SHIFT | MK_CONTROL, true,
         261, 401, false},
        {"beside the spot", WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT | MK_CONTROL, true, 264, 401, false},
        {"right with shift alt ctrl", WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT | MK_CONTROL, true, 260, 402, true},
    };
    Start(ElevenActionDemos());
    const RECT spot{470, 250, 599, 339};
    const int spotPixels = 129 * 89;
    // Before the gesture only the page's background shows there (whatever picture it is).
    test::Rendering before(Credits());
    auto changed = [&](const test::Rendering& after, const RECT& r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += after.At(x, y) != before.At(x, y);
        return n;
    };
    OpenCategory(0);
    BYTE keys[256];
    GetKeyboardState(keys);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BYTE held[256];
        std::copy(std::begin(keys), std::end(keys), held);
        held[VK_MENU] = c.alt ? 0x80 : 0;
        SetKeyboardState(held);
        test::Send(Category(), c.msg, c.x, c.y, c.keys);
        SetKeyboardState(keys);
        test::Send(Category(), c.msg == WM_RBUTTONDOWN ? WM_RBUTTONUP : WM_LBUTTONUP, c.x, c.y, 0);
        EXPECT_EQ(Credits().imgHeHe.Visible(), c.reveals);
        EXPECT_TRUE(Category().Visible()) << "the page stays shown";
    }
    // Revealed for the rest of the run: the credits page shows it at the lower right.
    Credits().Show();
    test::Rendering revealed(Credits());
    EXPECT_GT(changed(revealed, spot), spotPixels / 2) << "the picture covers the spot";
    EXPECT_EQ(changed(revealed, RECT{599, 250, 610, 339}), 0) << "and ends at its edge";
    EXPECT_EQ(changed(revealed, RECT{460, 240, 470, 250}), 0);
}

}  // namespace
}  // namespace vindrel
