// Benchmark, not a test: the time to compose and paint one full page (background picture,
// labels, eight list rows, three green buttons and the exit sign), and the size of the menu's
// exe with all its artwork inside.
//   PageBench.exe [path of the menu] [pages]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/Application.h"
#include "toolkit/Artwork.h"
#include "toolkit/BitmapList.h"
#include "toolkit/Page.h"
#include "toolkit/PictureButton.h"

namespace vindrel {
namespace {

class BenchPage : public Page {
public:
    explicit BenchPage(Application& app)
        : Page(app, {.className = "TfrmBench", .caption = "frmBench", .colour = kBlack, .visibleAtCreation = true,
                     .eraseMarker = "Dont Erase"}) {
        imgback.LoadResource(app.Instance(), art::kHovedmenu);
        Skygger.LoadResource(app.Instance(), art::kShadow290);
        ConnectFaceLists([this](const std::string& name) -> TLMDBitmapList* {
            if (name == kGreens) return greens_.get();
            if (name == kExitList) return exits_.get();
            if (name == kCategoryRows) return rows_.get();
            return nullptr;
        });
    }

private:
    std::unique_ptr<TLMDBitmapList> greens_ = TLMDBitmapList::FromResource(App().Instance(), art::kGreens);
    std::unique_ptr<TLMDBitmapList> exits_ = TLMDBitmapList::FromResource(App().Instance(), art::kBmpExit);
    std::unique_ptr<TLMDBitmapList> rows_ = TLMDBitmapList::FromResource(App().Instance(), art::kBagKategorier);

public:
    TImage& imgback = Add<TImage>("imgback", 0, 0, 640, 480);
    TLabel& lblTekst = Add<TLabel>("lblTekst", 16, 16, 240, 400,
                                   {.caption = "Et par linjer tekst, der skal brydes over flere linjer i "
                                               "etiketten, som på DirectX-siden.\r\n\r\nEndnu et afsnit.",
                                    .font = Verdana(13, Bold, kBlack), .transparent = true, .wordWrap = true});
    TLMDMMButton& label1 = Add<TLMDMMButton>("label1", 32, 88, 240, 42, ListRow(kCategoryRows, UpOverDown(0, 0), kWhite).Caption("Neon Breach"));
    TLMDMMButton& label2 = Add<TLMDMMButton>("label2", 32, 128, 240, 42, ListRow(kCategoryRows, UpOverDown(0, 0), kWhite).Caption("Stormfront Racer"));
    TLMDMMButton& label3 = Add<TLMDMMButton>("label3", 32, 168, 240, 42, ListRow(kCategoryRows, UpOverDown(0, 0), kWhite).Caption("Iron Skies"));
    TLMDMMButton& label4 = Add<TLMDMMButton>("label4", 32, 208, 240, 42, ListRow(kCategoryRows, UpOverDown(0, 0), kWhite).Caption("Nine Winds"));
    TLMDMMButton& label5 = Add<TLMDMMButton>("label5", 32, 248, 240, 42, ListRow(kCategoryRows, UpOverDown(0, 0), kWhite).Caption("Kingdoms of Salt"));
    TLMDMMButton& label6 = Add<TLMDMMButton>("label6", 32, 288, 240, 42, ListRow(kCategoryRows, UpOverDown(0, 0), kWhite).Caption("Little Lighthouse"));
    TLMDMMButton& label7 = Add<TLMDMMButton>("label7", 32, 328, 240, 42, ListRow(kCategoryRows, UpOverDown(0, 0), kWhite).Caption("Skyline"));
    TLMDMMButton& label8 = Add<TLMDMMButton>("label8", 32, 368, 240, 42, ListRow(kCategoryRows, UpOverDown(0, 0), kWhite).Caption("Deep Harbour"));
    TImage& Skygger = Add<TImage>("Skygger", 290, 418, 290, 55);
    TLMDMMButton& cmdOK = Add<TLMDMMButton>("cmdOK", 297, 418, 90, 45, GreenButton("Installér"));
    TLMDMMButton& cmdHjaelp = Add<TLMDMMButton>("cmdHjaelp", 392, 418, 90, 45, GreenButton("Hjælp"));
    TLMDMMButton& cmdNot = Add<TLMDMMButton>("cmdNot", 490, 418, 90, 45, GreenButton("Tilbage"));
    TLMDMMButton& cmdSlut = Add<TLMDMMButton>("cmdSlut", 559, 427, 81, 53, ExitSign());
};

double Now() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace
}  // namespace vindrel

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace vindrel;
    const int pages = __argc > 2 ? std::max(1, std::atoi(__argv[2])) : 200;
    Application app(instance);
    auto page = CreatePage<BenchPage>(app);
    Application::ProcessMessages();

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, kPageWidth, kPageHeight);
    HGDIOBJ old = SelectObject(memory, target);
    // The first paint also makes the back buffer and fonts and decodes the page's pictures.
    double start = Now();
    page->PaintPage(memory);
    double first = Now() - start;
    start = Now();
    for (int i = 0; i < pages; ++i) page->PaintPage(memory);
    double composed = (Now() - start) / pages;
    SelectObject(memory, old);
    DeleteObject(target);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    start = Now();
    for (int i = 0; i < pages; ++i)
        RedrawWindow(page->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    double onScreen = (Now() - start) / pages;

    std::printf("first compose of the page, its pictures decoded then: %.2f ms\n", first * 1000);
    std::printf("compose one full page into a memory DC: %.2f ms (mean of %d)\n", composed * 1000, pages);
    std::printf("erase, compose and paint one full page on screen: %.2f ms (mean of %d)\n", onScreen * 1000, pages);
    if (__argc > 1) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (GetFileAttributesExA(__argv[1], GetFileExInfoStandard, &data))
            std::printf("menu exe with all artwork inside: %lu bytes (%.1f MB)\n", data.nFileSizeLow,
                        data.nFileSizeLow / 1048576.0);
    }
    return 0;
}
