// Description lines from the hidden wrapping box, and the screenshot beside the setup program.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "catalogue/Beskrivelse.h"
#include "catalogue/ShotReader.h"
#include "tests/PageTesting.h"
#include "tests/TestSupport.h"

namespace vindrel {
namespace {

using test::ScratchFolder;

// A hidden page-sized window to hold the box, as the game page does.
class HiddenParent {
public:
    HiddenParent()
        : hwnd_(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr)) {}
    ~HiddenParent() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_;
};

class DescriptionLinesTest : public testing::Test {
protected:
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (int k = 0; k < box.Count(); ++k) lines.push_back(box.Line(k));
        return lines;
    }
    // Pixel width of a line in the box's own font.
    int Width(const std::string& line) const {
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(box.Handle(), WM_GETFONT, 0, 0));
        SelectGuard select(dc.get(), font);
        SIZE size{};
        GetTextExtentPoint32A(dc.get(), line.c_str(), static_cast<int>(line.size()), &size);
        return size.cx;
    }
    int FormatWidth() const {
        RECT r{};
        SendMessageA(box.Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r.right - r.left;
    }
    // Every line must fit the box; trailing blanks at a soft break may hang over the edge.
    void ExpectLinesFit() const {
        for (int k = 0; k < box.Count(); ++k) {
            std::string line = box.Line(k);
            line.erase(line.find_last_not_of(' ') + 1);
            EXPECT_LE(Width(line), FormatWidth()) << "line " << k << ": \"" << line << "\"";
        }
    }

    HiddenParent parent;
    DescriptionLines box{parent.get()};
};

TEST_F(DescriptionLinesTest, IsAHiddenBorderedBoxInVerdana13Bold) {
    ASSERT_NE(box.Handle(), nullptr);
    EXPECT_FALSE(IsWindowVisible(box.Handle()));
    RECT r{};
    GetWindowRect(box.Handle(), &r);
    EXPECT_EQ(r.right - r.left, 250);
    EXPECT_EQ(r.bottom - r.top, 97);
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(box.Handle(), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_STREQ(lf.lfFaceName, "Verdana");
    // Border one pixel each side, and the box's own margins, leave less than 248 pixels of text.
    EXPECT_GT(FormatWidth(), 200);
    EXPECT_LE(FormatWidth(), 248);
}

TEST_F(DescriptionLinesTest, HardBreaksStartLinesAndAnEmptyLastLineIsNotCounted) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"Et kort spil.", {"Et kort spil."}},
        {"Første linje\r\nAnden linje", {"Første linje", "Anden linje"}},
        {"Slut med linjeskift\r\n", {"Slut med linjeskift"}},
        {"To skift\r\n\r\n", {"To skift", ""}},
        {"\r\n", {""}},
        {"A\r\n\r\nC", {"A", "", "C"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        box.SetText(c.text);
        EXPECT_EQ(Lines(), c.lines);
    }
}

TEST_F(DescriptionLinesTest, AWordWiderThanTheBoxIsSplitInsideTheWord) {
    const std::string word(80, 'W');
    ASSERT_GT(Width(word), 2 * FormatWidth());
    box.SetText(word);
    ASSERT_GE(box.Count(), 3);
    std::string joined;
    for (const std::string& line : Lines()) {
        EXPECT_FALSE(line.empty());
        joined += line;
    }
    EXPECT_EQ(joined, word);
    ExpectLinesFit();
}

TEST_F(DescriptionLinesTest, LongTextBreaksAtSpacesAsTheBoxDoes) {
    // A 2047-character description, the longest the catalogue can hold.
    const char* words[] = {"Flyv", "gennem", "canyons", "og", "undgå", "fjendtlige", "jagerfly", "i", "denne",
                           "spændende", "demo,", "der", "byder", "på", "tre", "baner."};
    std::string text;
    for (size_t i = 0; text.size() < 2047; ++i) text += std::string(words[i % std::size(words)]) + " ";
    text.resize(2047);
    if (text.back() == ' ') text.back() = 'x';
    box.SetText(text);

    const int boxCount = static_cast<int>(SendMessageA(box.Handle(), EM_GETLINECOUNT, 0, 0));
    EXPECT_EQ(box.Count(), boxCount);
    EXPECT_GE(box.Count(), Width(text) / FormatWidth());
    EXPECT_GT(box.Count(), 18);  // more than the game page shows at once

    std::string joined;
    for (const std::string& line : Lines()) joined += line;
    EXPECT_EQ(joined, text);
    ExpectLinesFit();
    // Soft breaks fall after a blank: no word is cut when every word fits a line.
    for (int k = 0; k + 1 < box.Count(); ++k) EXPECT_EQ(box.Line(k).back(), ' ') << "line " << k;
}

TEST_F(DescriptionLinesTest, NewTextReplacesTheOldAndLinesOutsideTheCountAreEmpty) {
    box.SetText(std::string(300, 'M'));
    ASSERT_GT(box.Count(), 1);
    box.SetText("Kort.");
    EXPECT_EQ(box.Count(), 1);
    EXPECT_EQ(box.Line(0), "Kort.");
    EXPECT_EQ(box.Line(1), "");
    EXPECT_EQ(box.Line(-1), "");
}

TEST(ScreenshotFile, IsShotBmpInTheSetupProgramsFolder) {
    struct Case {
        const char* setup;
        const char* shot;
    };
    const Case cases[] = {
        {"\\Demo\\Game\\Setup.exe", "\\Demo\\Game\\Shot.bmp"},
        {"D:Setup.exe", "D:Shot.bmp"},
        {"D:\\Setup.exe", "D:\\Shot.bmp"},
        {"No File!", "Shot.bmp"},
        {"", "Shot.bmp"},
        {"\\Demo\\Game\\", "\\Demo\\Game\\Shot.bmp"},
        {"C:\\A:B\\Setup.exe", "C:\\A:B\\Shot.bmp"},
        {"Demo/Game/Setup.exe", "Shot.bmp"},  // only '\' and ':' separate
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setup);
        EXPECT_EQ(ScreenshotFileName(c.setup), c.shot);
    }
}

// Writes an uncompressed bottom-up BMP; 8-bit files get a grey palette with index 1 = colour.
void WriteBmp(const std::string& path, int width, int height, int bits, COLORREF colour) {
    const int stride = ((width * bits + 31) / 32) * 4;
    const int paletteSize = bits == 8 ? 256 * 4 : 0;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bits);
    info.biCompression = BI_RGB;
    info.biSizeImage = stride * height;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info + paletteSize;
    file.bfSize = file.bfOffBits + info.biSizeImage;

    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    if (bits == 8) {
        for (int i = 0; i < 256; ++i) {
            RGBQUAD q{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
            if (i == 1) q = RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
            bytes.append(reinterpret_cast<const char*>(&q), sizeof q);
        }
    }
    for (int y = 0; y < height; ++y) {
        std::string row(stride, '\0');
        for (int x = 0; x < width; ++x) {
            if (bits == 8) {
                row[x] = 1;
            } else {
                row[3 * x] = static_cast<char>(GetBValue(colour));
                row[3 * x + 1] = static_cast<char>(GetGValue(colour));
                row[3 * x + 2] = static_cast<char>(GetRValue(colour));
            }
        }
        bytes += row;
    }
    test::WriteFile(path, bytes);
}

// A 640 x 480 32-bit canvas filled white, to draw the picture into and read pixels back.
class Canvas {
public:
    Canvas() {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = 640;
        bi.bmiHeader.biHeight = -480;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        select_.emplace(dc_.get(), bitmap_.get());
        PatBlt(dc_.get(), 0, 0, 640, 480, WHITENESS);
    }
    HDC get() const { return dc_.get(); }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_.get(), x, y); }

private:
    UniqueMemoryDc dc_{CreateCompatibleDC(nullptr)};
    UniqueBitmap bitmap_;
    std::optional<SelectGuard> select_;
};

constexpr RECT kPicture{302, 22, 302 + 316, 22 + 236};
constexpr COLORREF kRed = RGB(200, 30, 40), kBlue = RGB(20, 40, 220);

TEST(Screenshot, LoadsTheBitmapBesideTheSetupAndHasNoneWhenTheNextIsMissingOrBroken) {
    ScratchFolder first, missing, broken;
    WriteBmp(first / "Shot.bmp", 5, 4, 24, kRed);
    test::WriteFile(broken / "Shot.bmp", "this is not a picture");

    Screenshot shot;
    EXPECT_EQ(shot.Bitmap(), nullptr);
    EXPECT_FALSE(shot.Load(missing / "Setup.exe"));  // nothing before: still nothing
    EXPECT_EQ(shot.Bitmap(), nullptr);

    for (const ScratchFolder* folder : {&missing, &broken}) {
        SCOPED_TRACE(folder == &missing ? "missing" : "not a bitmap");
        ASSERT_TRUE(shot.Load(first / "Setup.exe"));
        ASSERT_NE(shot.Bitmap(), nullptr);
        EXPECT_EQ(shot.Size().cx, 5);
        EXPECT_EQ(shot.Size().cy, 4);
        EXPECT_FALSE(shot.Load(*folder / "Setup.exe"));
        EXPECT_EQ(shot.Bitmap(), nullptr) << "never the previous demo's picture";
        EXPECT_EQ(shot.Size().cx, 0);
        Canvas canvas;
        shot.Draw(canvas.get(), kPicture);
        EXPECT_EQ(canvas.Pixel(302, 22), RGB(255, 255, 255)) << "nothing drawn";
    }
}

TEST(Screenshot, AnEightBitBitmapReplacesThePreviousPicture) {
    ScratchFolder one, two;
    WriteBmp(one / "Shot.bmp", 3, 3, 24, kRed);
    WriteBmp(two / "Shot.bmp", 7, 2, 8, kBlue);
    Screenshot shot;
    ASSERT_TRUE(shot.Load(one / "Setup.exe"));
    ASSERT_TRUE(shot.Load(two / "Setup.exe"));
    EXPECT_EQ(shot.Size().cx, 7);
    EXPECT_EQ(shot.Size().cy, 2);
    Canvas canvas;
    shot.Draw(canvas.get(), kPicture);
    EXPECT_EQ(canvas.Pixel(308, 23), kBlue);
}

TEST(Screenshot, WithoutASetupFileTheCurrentFoldersShotIsLoaded) {
    ScratchFolder folder;
    WriteBmp(folder / "Shot.bmp", 2, 2, 24, kBlue);
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    Screenshot shot;
    bool loaded = shot.Load("No File!");
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(shot.Size().cx, 2);
}

// A picture as large as the game page's is drawn whole at its own size; a larger one is not one
// the menu shows, and is none.
TEST(Screenshot, IsDrawnAtNaturalSizeAndOneLargerThanThePictureIsNone) {
    ScratchFolder whole, small, big;
    WriteBmp(whole / "Shot.bmp", 316, 236, 24, kRed);
    WriteBmp(small / "Shot.bmp", 100, 50, 24, kBlue);
    WriteBmp(big / "Shot.bmp", 317, 236, 24, kRed);
    struct Case {
        const ScratchFolder* folder;
        COLORREF colour;
        int inX, inY;    // last pixel inside the drawn area
    };
    const Case cases[] = {{&whole, kRed, 302 + 315, 22 + 235}, {&small, kBlue, 302 + 99, 22 + 49}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder == &whole ? "as large as the picture" : "smaller than the picture");
        Screenshot shot;
        ASSERT_TRUE(shot.Load(*c.folder / "Setup.exe"));
        Canvas canvas;
        shot.Draw(canvas.get(), kPicture);
        EXPECT_EQ(canvas.Pixel(302, 22), c.colour);
        EXPECT_EQ(canvas.Pixel(c.inX, c.inY), c.colour);
        EXPECT_EQ(canvas.Pixel(c.inX + 1, c.inY), RGB(255, 255, 255));
        EXPECT_EQ(canvas.Pixel(c.inX, c.inY + 1), RGB(255, 255, 255));
        EXPECT_EQ(canvas.Pixel(301, 22), RGB(255, 255, 255));
    }
    Screenshot shot;
    EXPECT_FALSE(shot.Load(big / "Setup.exe"));
    EXPECT_EQ(shot.Problem(), "is 317 x 236 pixels, larger than the game page's 316 x 236 picture; make one that fits with cdcheck --make-shot <picture> Shot.bmp");
}

// The reader under the picture: a 120 x 90 magenta picture as the lists store them.
constexpr int kShotWidth = 120, kShotHeight = 90;
constexpr COLORREF kShotColour = RGB(255, 0, 255);

// What the menu promises to show, read to the right colours, and every damaged file refused.
TEST(ScreenshotReader, ReadsWhatTheMenuPromisesAndRefusesEverythingElse) {
    const auto made = test::BitmapFile(kShotWidth, kShotHeight, {kShotColour, RGB(0, 0, 255)},
                                       [](int, int y) { return y == 0 ? 1 : 0; });
    const std::string good(made.begin(), made.end());
    const uint32_t magenta = 0xFF00FF, blue = 0x0000FF;  // as the reader gives them: 0x00RRGGBB
    {
        SCOPED_TRACE("8 bits, bottom-up");
        const ShotReading r = ReadShot(good);
        ASSERT_TRUE(r.Readable()) << r.problem;
        EXPECT_EQ(r.picture.width, kShotWidth);
        EXPECT_EQ(r.picture.pixels.front(), blue) << "the top row first";
        EXPECT_EQ(r.picture.pixels.back(), magenta);
    }
    {
        SCOPED_TRACE("24 bits, top-down");
        std::string f(good.substr(0, 54));
        f[10] = 54, f[11] = 0, f[46] = 0, f[47] = 0, f[28] = 24;
        for (int i = 0; i < 4; ++i) f[22 + i] = char(static_cast<uint32_t>(-2) >> (8 * i));  // 2 rows, top-down
        f[18] = 2, f[19] = 0;                                                                  // 2 wide
        f += std::string{char(0xFF), 0, 0, 0, 0, char(0xFF), 0, 0};  // blue, red; padding
        f += std::string{0, char(0xFF), 0, 0, 0, 0, 0, 0};          // green, black; padding
        const ShotReading r = ReadShot(f);
        ASSERT_TRUE(r.Readable()) << r.problem;
        EXPECT_EQ(r.picture.pixels, (std::vector<uint32_t>{blue, 0xFF0000, 0x00FF00, 0}));
    }
    {
        SCOPED_TRACE("8 bits, run-length encoded");
        std::string f(good.substr(0, 14 + 40 + 1024));
        f[18] = 3, f[19] = 0, f[22] = 2, f[23] = 0, f[30] = 1;
        // Bottom row: 3 x colour 0; top row: 1 x colour 1 in absolute mode 3 pixels (1, 0, 1).
        f += std::string{3, 0, 0, 0, 0, 3, 1, 0, 1, 0, 0, 1};
        const ShotReading r = ReadShot(f);
        ASSERT_TRUE(r.Readable()) << r.problem;
        EXPECT_EQ(r.picture.pixels, (std::vector<uint32_t>{blue, magenta, blue, magenta, magenta, magenta}));
    }
    for (const test::DamagedShot& d : test::DamagedShots(kShotWidth)) {
        std::string f = good;
        d.damage(f);
        const ShotReading r = ReadShot(f);
        EXPECT_FALSE(r.Readable()) << d.what;
        EXPECT_TRUE(r.picture.pixels.empty()) << d.what;
    }
}

}  // namespace
}  // namespace vindrel
