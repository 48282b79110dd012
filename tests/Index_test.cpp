// The index page inside the real shell, over catalogues of different lengths read from Spil.INI.
#include <gtest/gtest.h>

#include "pages/Forside.h"
#include "pages/Index.h"
#include "pages/Kategori.h"
#include "pages/SpilSide.h"
#include "tests/ShellPages.h"

namespace vindrel {
namespace {

using test::ClickButton;

std::string ShortTitle(int position) { return "Demo " + std::to_string(position); }

// A CD folder whose catalogue lists n demos (positions 0 to n - 1), current while the shell reads it.
class IndexWorld {
public:
    explicit IndexWorld(int n) : written_(Write(n)) {}

    TfrmIndex& Index() { return *pages.Pages().frmIndex; }
    TfrmKategori& Kategori() { return *pages.Pages().frmKategori; }

private:
    bool Write(int n) {
        static const char* const kCategories[] = {"Action", "Simulator", "Sport", "Adventure", "Strategy", "Junior"};
        std::string ini;
        for (int i = 0; i < n; ++i) {
            ini += "[Spil" + std::to_string(i + 1) + "]\r\n";
            ini += "Titel=Full title of demo " + std::to_string(i) + "\r\n";
            ini += "KortTitel=" + ShortTitle(i) + "\r\n";
            ini += std::string("Kategori=") + kCategories[i % 6] + "\r\n";
            ini += "Dansk=Kort beskrivelse.\r\n";
        }
        test::WriteFile(cd_ / "Spil.INI", ini);
        return true;
    }
    test::ScratchFolder cd_;
    bool written_;
    test::CurrentDirectory current_{cd_.Path()};

public:
    test::ShellPages pages;
};

struct Shown {
    std::vector<std::string> captions;
    std::vector<int> tags;
    bool up, down;
    bool operator==(const Shown&) const = default;
};

Shown ShownOn(TfrmIndex& index) {
    Shown s{{}, {}, index.cmdOp.Visible(), index.cmdNed.Visible()};
    for (int row = 1; row <= TfrmIndex::kRows; ++row) {
        if (!index.RowButton(row).Visible()) continue;
        s.captions.push_back(index.RowButton(row).Caption());
        s.tags.push_back(index.RowButton(row).Tag);
    }
    return s;
}

Shown Expected(int first, int count, bool up, bool down) {
    Shown s{{}, {}, up, down};
    for (int p = first; p < first + count; ++p) {
        s.captions.push_back(ShortTitle(p));
        s.tags.push_back(p);
    }
    return s;
}

void PrintTo(const Shown& s, std::ostream* os) {
    *os << "{";
    for (size_t i = 0; i < s.captions.size(); ++i) *os << s.captions[i] << "@" << s.tags[i] << " ";
    *os << "up=" << s.up << " down=" << s.down << "}";
}

TEST(IndexPage, ShowsTenEntriesAtATimeAndMovesOneEntryPerArrowClick) {
    struct Case {
        int entries;
        int downs;
        Shown first, after;
    } cases[] = {
        {30, 20, Expected(0, 10, false, true), Expected(20, 10, true, false)},
        {10, 0, Expected(0, 10, false, false), Expected(0, 10, false, false)},
        {11, 1, Expected(0, 10, false, true), Expected(1, 10, true, false)},
        // Shorter than the page: one button per entry, none left over from the layout.
        {4, 0, Expected(0, 4, false, false), Expected(0, 4, false, false)},
        {1, 0, Expected(0, 1, false, false), Expected(0, 1, false, false)},
        {0, 0, Expected(0, 0, false, false), Expected(0, 0, false, false)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.entries << " entries");
        IndexWorld world(c.entries);
        TfrmIndex& index = world.Index();
        ASSERT_EQ(world.Kategori().SpilListe.size(), static_cast<size_t>(c.entries));
        index.Show();
        EXPECT_EQ(index.IndexTop, 0);
        EXPECT_EQ(ShownOn(index), c.first);
        for (int i = 0; i < c.downs; ++i) ClickButton(index.cmdNed);
        EXPECT_EQ(index.IndexTop, c.downs);
        EXPECT_EQ(ShownOn(index), c.after);
        if (c.entries == 30) {
            ClickButton(index.cmdOp);
            EXPECT_EQ(ShownOn(index), Expected(19, 10, true, true));
        }
    }
}

TEST(IndexPage, HeldArrowsRepeatAfter600msThenEvery150ms) {
    IndexWorld world(30);
    TfrmIndex& index = world.Index();
    index.Show();
    RECT r = index.cmdNed.PageRect();
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    test::MoveTo(index, x, y);
    test::Press(index, x, y);
    EXPECT_EQ(index.IndexTop, 1) << "one step at once";
    EXPECT_EQ(index.cmdNed.RepeatTimer().Interval(), 600u);
    test::Fire(index, index.cmdNed.RepeatTimer());
    EXPECT_EQ(index.IndexTop, 2);
    EXPECT_EQ(index.cmdNed.RepeatTimer().Interval(), 150u);
    test::Fire(index, index.cmdNed.RepeatTimer());
    test::Release(index, x, y);
    EXPECT_EQ(index.IndexTop, 3) << "releasing adds no step";
    EXPECT_EQ(ShownOn(index), Expected(3, 10, true, true));
}

TEST(IndexPage, AnEntryOpensItsDemoAndTheGamePagesBackReturnsToTheSamePosition) {
    IndexWorld world(30);
    TfrmIndex& index = world.Index();
    TfrmSpilSide& game = *world.pages.Pages().frmSpilSide;
    index.Show();
    for (int i = 0; i < 5; ++i) ClickButton(index.cmdNed);
    world.Kategori().ReturnToCategory = true;

    ClickButton(index.Transknap3);
    EXPECT_EQ(world.Kategori().SelectedEntry, 7);
    EXPECT_FALSE(world.Kategori().ReturnToCategory);
    EXPECT_TRUE(game.Visible());
    EXPECT_TRUE(test::IsAbove(game.Handle(), index.Handle()));
    EXPECT_EQ(game.lblSpilTitel.Caption(), "Full title of demo 7");

    ClickButton(game.cmdNot);
    EXPECT_FALSE(game.Visible());
    EXPECT_TRUE(index.Visible());
    EXPECT_FALSE(world.Kategori().Visible());
    EXPECT_EQ(index.IndexTop, 5);
    EXPECT_EQ(ShownOn(index), Expected(5, 10, true, true));
}

TEST(IndexPage, BackShowsTheMainMenuAndHidesTheIndex) {
    IndexWorld world(12);
    TfrmIndex& index = world.Index();
    TfrmForside& menu = *world.pages.Pages().frmForside;
    ClickButton(menu.cmdIndex);
    EXPECT_TRUE(index.Visible());
    ClickButton(index.cmdNed);
    ClickButton(index.cmdBack);
    EXPECT_FALSE(index.Visible());
    EXPECT_TRUE(menu.Visible());
    ClickButton(menu.cmdIndex);
    EXPECT_EQ(ShownOn(index), Expected(1, 10, true, true)) << "showing the page again keeps its position";
}

}  // namespace
}  // namespace vindrel
