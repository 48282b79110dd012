// The producer's proof: `VINDREL.EXE /proof <folder>`, run from the CD's root. Every page in each
// language and every demo's game page (each screen of its description, its requirements met and
// not met) are rendered off the screen with the real fonts and layout into PNG files, shown by
// one HTML page grouped by language and demo, and what a reader would meet is listed in a plain
// text file: texts cut off, titles of more than two lines, descriptions that scroll, missing
// screenshots, demos hidden from their category page.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/Drawing.h"
#include "toolkit/Gdi.h"
#include "toolkit/PageScreen.h"

namespace vindrel {

class Application;
class Page;

// Where the proof's pages go: nowhere on the screen. Nothing is shown, hidden or raised, and a
// page that comes to the front is only told so, as its window's activation tells it on the screen.
const PageScreen& ProofScreen();

// The arguments ask for the proof: "/proof" (or "-proof", any case), then the folder.
bool IsProofCommand(const std::vector<std::string>& args);

// Exit status of the proof: 0 nothing is cut off, 1 something is cut off, cannot be read or cannot
// be drawn, 2 the proof could not be made (no catalogue, a folder it cannot write or reach); then
// one line says why, on the console and as the only line of findings.txt.
constexpr int kProofClean = 0;
constexpr int kProofCutOff = 1;
constexpr int kProofFailed = 2;

// Runs the proof on the catalogue of the current directory into folder (created if missing);
// without a folder, or with more arguments than one, nothing is done and the status is 2.
int RunProof(Application& app, const std::string& folder);

// A 640 x 480 picture of a page, top row first, each pixel 0x00RRGGBB.
class PageImage {
public:
    PageImage();
    ~PageImage();
    PageImage(const PageImage&) = delete;
    PageImage& operator=(const PageImage&) = delete;
    HDC Dc() const { return dc_.get(); }
    const uint32_t* Pixels() const { return bits_; }

private:
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
    uint32_t* bits_ = nullptr;
};

// Paints the page as the screen shows it, its child windows included, whether or not it is shown.
void RenderPage(Page& page, PageImage& image);

// A text of a page that runs past what shows of its control (a label's or a button's caption):
// where the text lies on the page and what of it shows.
struct CutText {
    std::string control;
    std::string text;
    RECT needs;
    RECT shown;
};
// The texts of a page's visible controls that are cut off, as the proof finds them.
std::vector<CutText> CutTexts(Page& page);

// The face a font of the page is drawn with: the one it asks for, or the system's stand-in.
std::string FaceDrawn(Page& page, const FontSpec& font);

}  // namespace vindrel
