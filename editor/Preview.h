// The reader's pages as the editor shows them beside the form: drawn off the screen by the
// menu's own pages, with the proof's drawing and the CD's own fonts, from the catalogue as it
// stands in the editor (not as it was saved).
#pragma once
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/Black.h"
#include "catalogue/Katalog.h"
#include "proof/Proof.h"
#include "services/CDrom.h"

namespace vindrel::editor {

class Document;

enum class PreviewPage { Game, Category, Index, Uninstall, Credits };
inline constexpr const char* kPreviewPageNames[] = {"Game page", "Category page", "Index page", "Uninstall page",
                                                    "Credits"};
inline constexpr const char* kPreviewLanguages[] = {"da", "se", "no", "fi"};
inline constexpr const char* kPreviewLanguageNames[] = {"Danish", "Swedish", "Norwegian", "Finnish"};

struct PreviewResult {
    int screens = 1;  // of the game page: a description that scrolls has more than one
    std::vector<CutText> cut;
    std::vector<std::string> notes;  // "the description needs 2 screens", "drawn in DejaVu Sans, not Verdana"
};

// One demo as the menu reads it, whether or not it has a category.
TSpilPost EntryOf(const Document& doc, int demo, const std::string& language, const std::string& cdFolder);

// The catalogue's demos as the menu reads them, from the editor's lines. Setup paths beginning
// with "\" are taken from cdFolder, so that the screenshot is found where the CD will have it.
// position: the listed position of each demo of the document, or -1 for one the menu does not list.
SpilListe ListedDemos(const Document& doc, const std::string& language, const std::string& cdFolder,
                      std::vector<int>* position = nullptr);

class Preview {
public:
    explicit Preview(HINSTANCE instance);
    ~Preview();
    Preview(const Preview&) = delete;
    Preview& operator=(const Preview&) = delete;

    // The CD folder whose fonts and screenshots are used, and whose catalogue as saved gives the
    // edition and year until the next Open.
    void Open(const std::string& cdFolder);
    // Draws one page for the demo (its position in the document) in a language; screen counts
    // from 0 on the game page.
    PreviewResult Draw(const Document& doc, int demo, PreviewPage page, int language, int screen);
    const PageImage& Image() const { return image_; }

private:
    TfrmBlack& Shell(int language);

    Application app_;
    std::string folder_;
    std::unique_ptr<PrivateFonts> fonts_;
    std::map<int, std::unique_ptr<TfrmBlack>> shells_;
    PageImage image_;
};

}  // namespace vindrel::editor
