// The language table applied to the real pages by the shell's start-up: every text in its target,
// byte for byte in Windows-1252, the help topics and texts, the copied help captions and the one
// common background on all nine pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lang/SaetSprog.h"
#include "lang/SprogTabel.h"
#include "pages/Afinstaller.h"
#include "pages/Ansvar.h"
#include "pages/DX.h"
#include "pages/Forside.h"
#include "pages/Help.h"
#include "pages/Index.h"
#include "pages/Kategori.h"
#include "pages/LavetAf.h"
#include "pages/SpilSide.h"
#include "tests/ShellPages.h"

namespace vindrel {
namespace {

using World = test::ShellPages;

// One target and its expected bytes per language, written out here rather than taken from the
// table, so a slip in either shows.
struct Row {
    const char* target;
    std::string (*get)(World&);
    const char* da;
    const char* se;
    const char* no;
    const char* fi;
};

const char* Expected(const Row& row, const std::string& code) {
    return code == "da" ? row.da : code == "se" ? row.se : code == "no" ? row.no : row.fi;
}

const char kTilbage[] = "Tilbage", kTillbaka[] = "Tillbaka", kTilbake[] = "Tilbake", kTakaisin[] = "Takaisin";

const Row kRows[] = {
    {"application title", [](World& w) { return w.App().Title(); }, "Spil", "Spel", "Spill", "Doravuzaz"},
    {"frmAnsvar.cmdOK", [](World& w) { return w.Pages().frmAnsvar->cmdOK.Caption(); }, "OK", "OK", "OK", "OK"},
    {"frmForside.cmdHelp", [](World& w) { return w.Pages().frmForside->cmdHelp.Caption(); },
     "Hj\xE6lp", "Hj\xE4lp", "Hjelp", "Apu"},
    {"frmForside.cmdIndex", [](World& w) { return w.Pages().frmForside->cmdIndex.Caption(); },
     "Index", "Index", "Indeks", "Hakemisto"},
    {"frmForside.cmdUninstall", [](World& w) { return w.Pages().frmForside->cmdUninstall.Caption(); },
     "Afinstall\xE9r", "Avinstall.", "Avinstaller", "Poista"},
    {"frmKategori.cmdNot", [](World& w) { return w.Pages().frmKategori->cmdNot.Caption(); },
     kTilbage, kTillbaka, kTilbake, kTakaisin},
    {"frmSpilSide.cmdInstaller", [](World& w) { return w.Pages().frmSpilSide->cmdInstaller.Caption(); },
     "Install\xE9r", "Installera", "Installer", "Asennus"},
    {"frmSpilSide.cmdNot", [](World& w) { return w.Pages().frmSpilSide->cmdNot.Caption(); },
     kTilbage, kTillbaka, kTilbake, kTakaisin},
    {"frmSpilSide.lblHarddisk", [](World& w) { return w.Pages().frmSpilSide->lblHarddisk.Caption(); },
     "Harddisk: ", "Harddisk: ", "Diskplass: ", "Levytilaa: "},
    {"frmSpilSide.lblMB", [](World& w) { return w.Pages().frmSpilSide->lblMB.Caption(); }, " MB", " MB", " MB", " Mt"},
    {"frmSpilSide.lbl3dJa", [](World& w) { return w.Pages().frmSpilSide->lbl3dJa.Caption(); },
     "3D grafik: Ja", "3D grafik: Ja", "3D grafik: Ja", "3D-grafiikka: Kyll\xE4"},
    {"frmSpilSide.lbl3dNej", [](World& w) { return w.Pages().frmSpilSide->lbl3dNej.Caption(); },
     "3D grafik: Nej", "3D grafik: Nej", "3D grafik: Nei", "3D-grafiikka: Ei"},
    {"frmSpilSide.lblMaskinKrav", [](World& w) { return w.Pages().frmSpilSide->lblMaskinKrav.Caption(); },
     "Spillets maskinkrav", "Spelets systemkrav", "Spillets maskinkrav", "Pelin laitevaatimus"},
    {"frmSpilSide.lblWarning", [](World& w) { return w.Pages().frmSpilSide->lblWarning.Caption(); },
     "Din computer opfylder ikke spillets vejledende krav! Men pr\xF8v alligevel. Tit k\xF8rer det glimrende.",
     "Din dator uppfyller inte tillverkarens officiella krav f\xF6r att spelet skall fungera. Men f\xF6rs\xF6k "
     "\xE4nd\xE5, ofta fungerar det bra \xE4nd\xE5.",
     "Datamaskinen oppfyller ikke spillets veiledende krav! Men pr\xF8v allikevel.\r\nOfte kan det g\xE5 bra.",
     "Tietokoneesi ei vastaa pelille asetettuja minimivaatimuksia! Voit toki yritt\xE4\xE4 pelata, mutta peli "
     "tuskin toimii moitteettomasti."},
    {"frmHelp.radHelpSelect topic 1", [](World& w) { return w.Pages().frmHelp->radHelpSelect.Item(0); },
     "S\xE5" "dan bruger du cd-rom\xB4" "en", "S\xE5 anv\xE4nder du cd:n", "Slik bruker du CD-ROMen",
     "N\xE4in k\xE4yt\xE4t CD-ROMia"},
    {"frmHelp.radHelpSelect topic 2", [](World& w) { return w.Pages().frmHelp->radHelpSelect.Item(1); },
     "Install\xE9r spil", "Installera spel", "Installer spill", "Asenna peli"},
    {"frmHelp.radHelpSelect topic 3", [](World& w) { return w.Pages().frmHelp->radHelpSelect.Item(2); },
     "Fjern spil", "Ta bort spel", "Fjern spill", "Poista peli"},
    {"frmHelp.radHelpSelect topic 4", [](World& w) { return w.Pages().frmHelp->radHelpSelect.Item(3); },
     "Install\xE9r DirectX", "Installera DirectX", "Installer DirectX", "Asenna DirectX"},
    {"frmHelp.radHelpSelect topic 5", [](World& w) { return w.Pages().frmHelp->radHelpSelect.Item(4); },
     "Spilops\xE6tning og problemer", "Setup och problem", "Setup og Problemer", "Setup ja ongelmatilanteet."},
    {"frmHelp.lblHelpCaption", [](World& w) { return w.Pages().frmHelp->lblHelpCaption.Caption(); },
     "Hj\xE6lp", "Hj\xE4lp", "Hjelp", "Apu"},
    {"frmHelp.cmdNot", [](World& w) { return w.Pages().frmHelp->cmdNot.Caption(); },
     kTilbage, kTillbaka, kTilbake, kTakaisin},
    {"frmDX.cmdNot", [](World& w) { return w.Pages().frmDX->cmdNot.Caption(); }, kTilbage, kTillbaka, kTilbake, kTakaisin},
    {"frmDX.cmdOK", [](World& w) { return w.Pages().frmDX->cmdOK.Caption(); },
     "Installer", "Installera", "Installer", "Asenna"},
    {"frmAfinstaller.cmdBack", [](World& w) { return w.Pages().frmAfinstaller->cmdBack.Caption(); },
     kTilbage, kTillbaka, kTilbake, kTakaisin},
    {"frmAfinstaller.cmdUninstall", [](World& w) { return w.Pages().frmAfinstaller->cmdUninstall.Caption(); },
     "Afinstall\xE9r", "Avinstallera", "Avinstaller", "Poista"},
    {"frmAfinstaller.lblUninstallCaption",
     [](World& w) { return w.Pages().frmAfinstaller->lblUninstallCaption.Caption(); },
     "Afinstall\xE9r", "Avinstallera", "Avinstaller", "Asennuksen poisto"},
    {"frmLavetAf.cmdNot", [](World& w) { return w.Pages().frmLavetAf->cmdNot.Caption(); },
     kTilbage, kTillbaka, kTilbake, kTakaisin},
    {"frmIndex.cmdBack", [](World& w) { return w.Pages().frmIndex->cmdBack.Caption(); },
     kTilbage, kTillbaka, kTilbake, kTakaisin},
    {"frmIndex.lblOverskrift", [](World& w) { return w.Pages().frmIndex->lblOverskrift.Caption(); },
     "SPIL P\xC5 DENNE CD", "SPEL P\xC5 DENNA CD", "SPILL P\xC5 DENNE CD-EN", "T\xC4M\xC4N CD:N PELIT"},
    // Not rows of the table: they take the main menu's help caption, so Finnish reads "Apu" here too.
    {"frmDX.cmdHjaelp", [](World& w) { return w.Pages().frmDX->cmdHjaelp.Caption(); }, "Hj\xE6lp", "Hj\xE4lp", "Hjelp", "Apu"},
    {"frmSpilSide.cmdHjaelp", [](World& w) { return w.Pages().frmSpilSide->cmdHjaelp.Caption(); },
     "Hj\xE6lp", "Hj\xE4lp", "Hjelp", "Apu"},
    {"frmAfinstaller.cmdHjaelp", [](World& w) { return w.Pages().frmAfinstaller->cmdHjaelp.Caption(); },
     "Hj\xE6lp", "Hj\xE4lp", "Hjelp", "Apu"},
    // Layout texts that no language changes.
    {"frmForside.cmdDX", [](World& w) { return w.Pages().frmForside->cmdDX.Caption(); },
     "DirectX", "DirectX", "DirectX", "DirectX"},
    {"frmLavetAf.Label1", [](World& w) { return w.Pages().frmLavetAf->Label1.Caption(); },
     "Credits:", "Credits:", "Credits:", "Credits:"},
};

const char* const kCodes[] = {"da", "se", "no", "fi"};

TEST(SaetSprog, EveryShortTextReachesItsTargetAsTheTablesBytes) {
    for (const char* code : kCodes) {
        World world({code});
        for (const Row& row : kRows) {
            SCOPED_TRACE(testing::Message() << code << " " << row.target);
            EXPECT_EQ(row.get(world), Expected(row, code));
        }
    }
}

TEST(SaetSprog, TheLongTextsGoToTheirLabelsAndTheTopicSlotsInTopicOrder) {
    for (const char* code : kCodes) {
        SCOPED_TRACE(code);
        World world({code});
        const Sprog& s = *FindSprog(code);
        PageSet& p = world.Pages();
        EXPECT_EQ(p.frmAnsvar->lblAnsvar.Caption(), s.Ansvar.lblAnsvar);
        EXPECT_EQ(p.frmDX->lblDX.Caption(), s.DX.lblDX);
        EXPECT_EQ(p.frmLavetAf->lblLavetAf.Caption(), s.LavetAf.lblLavetAf);
        EXPECT_EQ(p.frmLavetAf->lblCopyRight.Caption(), s.LavetAf.lblCopyRight);
        EXPECT_EQ(p.frmLavetAf->lblProblemer.Caption(), s.LavetAf.lblProblemer);
        for (int t = 0; t < kHelpTopics; ++t)
            EXPECT_EQ(p.frmHelp->HelpTexts[static_cast<size_t>(t + 1)], s.Help.HelpTexts[static_cast<size_t>(t)])
                << "topic " << t + 1;
        // Exactly five topics, none chosen, and storing the texts showed none of them.
        EXPECT_EQ(p.frmHelp->radHelpSelect.Count(), kHelpTopics);
        EXPECT_EQ(p.frmHelp->radHelpSelect.ItemIndex(), -1);
        for (int i = 0; i < p.frmHelp->radHelpSelect.Count(); ++i)
            EXPECT_NE(SendMessageA(p.frmHelp->radHelpSelect.Button(i), BM_GETCHECK, 0, 0), BST_CHECKED) << i;
        EXPECT_EQ(p.frmHelp->lblHelp.Caption(), "");
    }
}

// A caption as it is shown: its font and the width it has before it is cut off.
struct ShownText {
    std::string name;
    std::string text;
    FontSpec font;
    int width;
};

std::vector<ShownText> ShortTextsOnScreen(PageSet& p) {
    std::vector<ShownText> shown;
    auto button = [&](const char* page, TLMDMMButton& b) {
        shown.push_back({std::string(page) + "." + b.Name(), b.Caption(), b.Font(), b.Width()});
    };
    button("frmAnsvar", p.frmAnsvar->cmdOK);
    for (TLMDMMButton* b : {&p.frmForside->cmdHelp, &p.frmForside->cmdDX, &p.frmForside->cmdIndex,
                            &p.frmForside->cmdUninstall})
        button("frmForside", *b);
    button("frmKategori", p.frmKategori->cmdNot);
    for (TLMDMMButton* b : {&p.frmSpilSide->cmdInstaller, &p.frmSpilSide->cmdHjaelp, &p.frmSpilSide->cmdNot})
        button("frmSpilSide", *b);
    button("frmHelp", p.frmHelp->cmdNot);
    for (TLMDMMButton* b : {&p.frmDX->cmdOK, &p.frmDX->cmdHjaelp, &p.frmDX->cmdNot}) button("frmDX", *b);
    for (TLMDMMButton* b : {&p.frmAfinstaller->cmdUninstall, &p.frmAfinstaller->cmdHjaelp, &p.frmAfinstaller->cmdBack})
        button("frmAfinstaller", *b);
    button("frmLavetAf", p.frmLavetAf->cmdNot);
    button("frmIndex", p.frmIndex->cmdBack);

    TfrmSpilSide& game = *p.frmSpilSide;
    const int panel = game.Panel1.Width();
    shown.push_back({"lblMaskinKrav", game.lblMaskinKrav.Caption(), game.lblMaskinKrav.Font(), game.lblMaskinKrav.Width()});
    // The disk line with a four-digit size; the 3D line as every catalogue demo shows it, cut by
    // the panel's right edge.
    TLabel& disk = game.LabelMaskinKravHD;
    shown.push_back({"disk line", game.lblHarddisk.Caption() + "2000" + game.lblMB.Caption(), disk.Font(), disk.Width()});
    TLabel& d3 = game.LabelMaskinKrav3dfx;
    shown.push_back({"3D line", game.lbl3dNej.Caption(), d3.Font(), std::min(d3.Width(), panel - d3.Left())});
    TLabel& caption = p.frmHelp->lblHelpCaption;
    shown.push_back({"lblHelpCaption", caption.Caption(), caption.Font(), caption.Width()});
    // The topics beside their option circles.
    TRadioGroup& topics = p.frmHelp->radHelpSelect;
    for (int i = 0; i < topics.Count(); ++i)
        shown.push_back({"topic " + std::to_string(i + 1), topics.Item(i), Verdana(13, Bold), 316 - 30});
    return shown;
}

TEST(SaetSprog, EveryShortTextIsShownWhole) {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    for (const char* code : kCodes) {
        World world({code});
        for (const ShownText& t : ShortTextsOnScreen(world.Pages())) {
            SCOPED_TRACE(testing::Message() << code << " " << t.name << " \"" << t.text << '"');
            UniqueFont font = CreateFontFrom(t.font);
            SelectGuard select(dc.get(), font.get());
            SIZE extent{};
            GetTextExtentPoint32A(dc.get(), t.text.c_str(), static_cast<int>(t.text.size()), &extent);
            EXPECT_LE(extent.cx, t.width - 4);
        }
        // The headings size themselves to their text.
        for (TLabel* heading : {&world.Pages().frmIndex->lblOverskrift, &world.Pages().frmAfinstaller->lblUninstallCaption}) {
            SCOPED_TRACE(testing::Message() << code << " " << heading->Name());
            heading->Prepare();
            UniqueFont font = CreateFontFrom(heading->Font());
            SelectGuard select(dc.get(), font.get());
            SIZE extent{};
            GetTextExtentPoint32A(dc.get(), heading->Caption().c_str(), static_cast<int>(heading->Caption().size()), &extent);
            EXPECT_GE(heading->Width(), extent.cx);
        }
    }
}

// A one-demo catalogue in the current directory, with a description in every language.
class CatalogueWorld {
public:
    explicit CatalogueWorld(const char* code) : written_(Write()), world_({code}) {}
    World& world() { return world_; }

private:
    bool Write() {
        test::WriteFile(cd_ / "Spil.INI",
                        "[Spil1]\r\nTitel=Demo one\r\nKortTitel=One\r\nKategori=Sport\r\nHD=250\r\nRam=8\r\n"
                        "Dansk=Dansk tekst.\r\nSvensk=Svensk text.\r\nNorsk=Norsk tekst.\r\nFinsk=Suomeksi.\r\n");
        return true;
    }
    test::ScratchFolder cd_;
    bool written_;
    test::CurrentDirectory current_{cd_.Path()};
    World world_;
};

TEST(SaetSprog, TheDiskLineHasTheNumberBetweenSingleBlanks) {
    struct Case {
        const char* code;
        const char* disk;
        const char* memory;
    } cases[] = {
        {"da", "Harddisk: 250 MB", "RAM: 8 MB"},
        {"se", "Harddisk: 250 MB", "RAM: 8 MB"},
        {"no", "Diskplass: 250 MB", "RAM: 8 MB"},
        {"fi", "Levytilaa: 250 Mt", "RAM: 8 Mt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        CatalogueWorld demo(c.code);
        TfrmKategori& kategori = *demo.world().Pages().frmKategori;
        ASSERT_EQ(kategori.SpilListe.size(), 1u);
        kategori.SelectedEntry = 0;
        kategori.JegTagerDenClick();
        TfrmSpilSide& game = *demo.world().Pages().frmSpilSide;
        EXPECT_EQ(game.LabelMaskinKravHD.Caption(), c.disk);
        EXPECT_EQ(game.LabelMaskinKravRAM.Caption(), c.memory);
    }
}

// The pixels of a bitmap as 32-bit values, top row first.
std::vector<uint32_t> Pixels(HBITMAP bitmap) {
    const SIZE size = BitmapSize(bitmap);
    std::vector<uint32_t> pixels(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    WindowDc screen(nullptr);
    if (!bitmap || GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(size.cy), pixels.data(), &bi, DIB_RGB_COLORS) !=
                       size.cy)
        return {};
    return pixels;
}

TEST(SaetSprog, AllNinePagesCarryTheSameCommonBackground) {
    World world({"se"});
    UniqueBitmap hovedmenu = art::LoadStoredPicture(world.App().Instance(), art::kHovedmenu);
    const std::vector<uint32_t> expected = Pixels(hovedmenu.get());
    ASSERT_EQ(expected.size(), static_cast<size_t>(kPageWidth * kPageHeight));
    PageSet& p = world.Pages();
    const struct {
        const char* name;
        TImage& picture;
    } backgrounds[] = {
        {"frmDX.Baggrund", p.frmDX->Baggrund},
        {"frmForside.imgback", p.frmForside->imgback},
        {"frmIndex.imgBack", p.frmIndex->imgBack},
        {"frmAfinstaller.imgback", p.frmAfinstaller->imgback},
        {"frmLavetAf.imgback", p.frmLavetAf->imgback},
        {"frmKategori.imgBack", p.frmKategori->imgBack},
        {"frmHelp.imgback", p.frmHelp->imgback},
        {"frmSpilSide.imgBack", p.frmSpilSide->imgBack},
        {"frmAnsvar.imgback", p.frmAnsvar->imgback},
    };
    for (const auto& b : backgrounds) {
        SCOPED_TRACE(b.name);
        EXPECT_TRUE(Pixels(b.picture.Picture()) == expected);
    }
    // One bitmap serves them all.
    for (const auto& b : backgrounds) EXPECT_EQ(b.picture.Picture(), p.frmDX->Baggrund.Picture()) << b.name;

    // The disclaimer's text panel at 18,20 shows the picture's top-left corner, not the part of
    // the full background behind it. Its left 6 columns carry no text.
    test::Rendering shown(*p.frmAnsvar);
    const RECT panel = p.frmAnsvar->imgback.PageRect();
    int same = 0, total = 0;
    for (int y = 0; y < panel.bottom - panel.top; y += 7)
        for (int x = 0; x < 6; ++x) {
            const uint32_t v = expected[static_cast<size_t>(y * kPageWidth + x)];
            same += shown.At(panel.left + x, panel.top + y) == RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
            ++total;
        }
    EXPECT_EQ(same, total);
    EXPECT_EQ(panel.right - panel.left, 242);
    EXPECT_EQ(panel.bottom - panel.top, 398);
}

TEST(SaetSprog, AnUnknownCodeChangesNothing) {
    World world({"??"});
    const std::string title = world.App().Title();
    for (const char* code : {"DA", "sv", "", "??"}) {
        SCOPED_TRACE(testing::Message() << '"' << code << '"');
        SaetSprog(world.Shell(), code);
        EXPECT_EQ(world.App().Title(), title);
        EXPECT_EQ(world.Pages().frmHelp->radHelpSelect.Count(), 0);
        EXPECT_EQ(world.Pages().frmForside->cmdUninstall.Caption(), "Afinstall\xE9r");
        EXPECT_EQ(world.Pages().frmKategori->imgBack.Picture(), nullptr);
    }
}

}  // namespace
}  // namespace vindrel
