// Pictures of the index, uninstall, help and DirectX pages as they are on the screen (child
// windows included), written to <build>\screenshots for looking at; each also checks what a
// user would see first on it.
#include <gtest/gtest.h>

#include "proof/Proof.h"
#include "pages/Afinstaller.h"
#include "pages/DX.h"
#include "pages/Help.h"
#include "pages/Index.h"
#include "pages/Kategori.h"
#include "services/CDrom.h"
#include "tests/ShellPages.h"

namespace vindrel {
namespace {

const char* const kTitles[] = {"Stormfront Racer", "Nine Winds",   "Iron Skies",     "Little Lighthouse",
                               "Kingdoms of Salt", "Neon Breach",  "Tidal Rally",    "Pixel Pirates",
                               "Moonbase Alpha",   "Frost Legion", "Garden Gnomes",  "Copper Canyon",
                               "Ghost Harbour",    "Velvet Sky"};

// What the language table does for a page's background.
void Background(TImage& image) { image.LoadResource(GetModuleHandleA(nullptr), art::kHovedmenu); }

void Capture(Page& page, const char* name) {
    page.Show();
    test::PumpFor(300);
    test::ScreenCapture shot(page);
    EXPECT_TRUE(shot.Save(test::ScreenshotFolder() + "\\" + name)) << name;
}

class Screenshots : public testing::Test {
protected:
    Screenshots() : written_(WriteCatalogue()) {}
    ~Screenshots() override { test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, "Software\\Vindrel_Games"); }

    bool WriteCatalogue() {
        std::string ini;
        int n = 0;
        for (const char* title : kTitles) {
            ini += "[Spil" + std::to_string(++n) + "]\r\nTitel=" + title + "\r\nKategori=Action\r\n";
        }
        test::WriteFile(cd_ / "Spil.INI", ini);
        return true;
    }
    test::ScratchFolder cd_;
    bool written_;
    test::CurrentDirectory current_{cd_.Path()};
    test::ShellPages pages;
};

TEST_F(Screenshots, IndexPage) {
    TfrmIndex& index = *pages.Pages().frmIndex;
    Background(index.imgBack);
    index.Show();
    test::ClickButton(index.cmdNed);
    test::ClickButton(index.cmdNed);
    test::PointerAway();
    Capture(index, "index.bmp");
    test::ScreenCapture shot(index);
    EXPECT_EQ(index.Transknap1.Caption(), "Iron Skies");
    EXPECT_GT(shot.Count(index.Transknap1.PageRect(), kBlack), 20) << "titles in black";
}

TEST_F(Screenshots, UninstallPageWithAMarkedRow) {
    test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, "Software\\Vindrel_Games");
    for (int i = 0; i < 5; ++i) WriteInstallRecord("1099", kTitles[i], kTitles[i], "C:\\none.exe");
    TfrmAfinstaller& uninstall = *pages.Pages().frmAfinstaller;
    Background(uninstall.imgback);
    uninstall.CleanUp();
    uninstall.Show();
    test::ClickButton(uninstall.Transknap2);
    test::PointerAway();
    Capture(uninstall, "uninstall.bmp");
    test::ScreenCapture shot(uninstall);
    EXPECT_GT(shot.Count(uninstall.Transknap2.PageRect(), kRed), 20) << "the marked row in red";
    EXPECT_EQ(shot.Count(uninstall.Transknap1.PageRect(), kRed), 0);
}

TEST_F(Screenshots, HelpPageOnATopic) {
    TfrmHelp& help = *pages.Pages().frmHelp;
    Background(help.imgback);
    const char* topics[] = {"Brug af CD'en", "Installation af spil", "Afinstallation af spil", "Installation af DirectX",
                            "Ops\xE6tning og problemer"};
    for (const char* topic : topics) help.AppendTopic(topic);
    help.HelpTexts[4] =
        "De fleste spil kr\xE6ver DirectX. Klik p\xE5 DirectX i hovedmenuen og derefter p\xE5 Installer. "
        "F\xF8lg vejledningen p\xE5 sk\xE6rmen, og genstart computeren, n\xE5r installationen er f\xE6rdig.";
    help.OpenOnTopic(TfrmHelp::kTopicInstallingDirectX);
    test::PointerAway();
    Capture(help, "help.bmp");
    test::ScreenCapture shot(help);
    EXPECT_GT(shot.Count({302, 22, 618, 258}, kLime), 100) << "topic names in lime";
    EXPECT_GT(shot.Count(help.lblHelp.PageRect(), kBlack), 100) << "the topic's text";
    // The producer's proof draws the page off the screen, the topic list's own windows included,
    // exactly as the screen shows it.
    PageImage proof;
    RenderPage(help, proof);
    int differ = 0;
    for (int y = 0; y < kPageHeight; ++y)
        for (int x = 0; x < kPageWidth; ++x) {
            const uint32_t v = proof.Pixels()[y * kPageWidth + x];
            differ += shot.At(x, y) != RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
        }
    EXPECT_EQ(differ, 0) << "pixels where the proof's picture differs from the screen";
}

TEST_F(Screenshots, DirectXPage) {
    TfrmDX& dx = *pages.Pages().frmDX;
    dx.lblDX.SetCaption(
        "De fleste spil p\xE5 denne CD kr\xE6ver DirectX 7 eller nyere.\r\n\r\n"
        "Klik p\xE5 Installer for at installere DirectX 7 fra CD'en.");
    test::PointerAway();
    Capture(dx, "dx.bmp");
    test::ScreenCapture shot(dx);
    EXPECT_GT(shot.Count(dx.lblDX.PageRect(), kBlack), 100);
}

}  // namespace
}  // namespace vindrel
