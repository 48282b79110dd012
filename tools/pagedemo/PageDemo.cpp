// A page of the toolkit on its own, over a black backdrop, for looking at it on the screen and
// for the screenshot test: background, label, shadow, a green button and the exit sign, declared
// the way the menu's pages declare theirs.
//   PAGEDEMO.exe <folder>   writes <folder>\render.bmp (the page as PaintPage draws it) once the
//                           page is up, and <folder>\events.txt (one line per click);
//                           the exit sign ends the program, and so does a minute without one.
#include <windows.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "services/CDrom.h"
#include "toolkit/Artwork.h"
#include "toolkit/BitmapList.h"
#include "toolkit/Page.h"
#include "toolkit/PictureButton.h"

namespace vindrel {
namespace {

class DemoPage : public Page {
public:
    explicit DemoPage(Application& app)
        : Page(app, {.className = "TfrmDemo", .caption = "frmDemo", .colour = kBlack, .eraseMarker = "Dont Erase"}) {
        imgback.LoadResource(app.Instance(), art::kHovedmenu);
        GreenShadow.LoadResource(app.Instance(), art::kShadow100);
        ConnectFaceLists([this](const std::string& name) -> TLMDBitmapList* {
            if (name == kGreens) return greens_.get();
            if (name == kExitList) return exits_.get();
            return nullptr;
        });
    }

private:
    std::unique_ptr<TLMDBitmapList> greens_ = TLMDBitmapList::FromResource(App().Instance(), art::kGreens);
    std::unique_ptr<TLMDBitmapList> exits_ = TLMDBitmapList::FromResource(App().Instance(), art::kBmpExit);

public:
    // Component       Kind                Left, top, width, height  Settings
    TImage& imgback = Add<TImage>("imgback", 0, 0, 640, 480);
    TLabel& lblTitel = Add<TLabel>("lblTitel", 16, 16, 257, 65,
                                   {.caption = "Vindrel\r\nsk\xE6rm", .font = Verdana(21, Bold, kBlack),
                                    .transparent = true, .wordWrap = true});
    TImage& GreenShadow = Add<TImage>("GreenShadow", 7, 418, 100, 55);
    TLMDMMButton& cmdNot = Add<TLMDMMButton>("cmdNot", 17, 418, 90, 45, GreenButton("&Tilbage").Colour(kBlack));
    TLMDMMButton& cmdSlut = Add<TLMDMMButton>("cmdSlut", 559, 427, 81, 53, ExitSign());
};

LRESULT CALLBACK BackdropProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(hwnd, msg, wp, lp); }

// The page as PaintPage draws it, as a 24-bit bitmap file.
void WriteRendering(Page& page, const std::string& path) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, kPageWidth, kPageHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !bitmap) return;
    {
        SelectGuard select(dc.get(), bitmap.get());
        SendMessageA(page.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
        GdiFlush();
    }
    const DWORD stride = (kPageWidth * 3 + 3) & ~3u;
    const DWORD pixels = stride * kPageHeight;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + pixels;
    std::ofstream out(path + ".part", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
    out.write(static_cast<const char*>(bits), pixels);
    out.close();
    MoveFileExA((path + ".part").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace
}  // namespace vindrel

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace vindrel;
    const std::string folder = __argc > 1 ? __argv[1] : ".";
    Application app(instance);
    app.SetTitle("Vindrel");

    WNDCLASSA wc{};
    wc.lpfnWndProc = BackdropProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "DemoBlack";
    RegisterClassA(&wc);
    HWND backdrop = CreateWindowExA(0, "DemoBlack", "", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                    GetSystemMetrics(SM_CYSCREEN), app.Handle(), nullptr, instance, nullptr);
    EnableWindow(backdrop, FALSE);

    auto page = CreatePage<DemoPage>(app);
    std::ofstream events(folder + "\\events.txt");
    page->cmdNot.OnClick = [&](TLMDMMButton&) {
        PlayUiSound(art::kTilbage);
        events << "cmdNot" << std::endl;
    };
    page->cmdSlut.OnClick = [&](TLMDMMButton&) {
        events << "cmdSlut" << std::endl;
        app.Terminate();
    };
    Timer giveUp(*page, 60000, [&] { app.Terminate(); });
    giveUp.Start();
    page->Show();
    UpdateWindow(page->Handle());
    WriteRendering(*page, folder + "\\render.bmp");
    const int code = app.Run();
    page.reset();
    DestroyWindow(backdrop);
    return code;
}
