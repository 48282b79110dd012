// A demo's description broken into display lines, and its screenshot.
#pragma once
#include <windows.h>

#include <string>

#include "catalogue/Rulebook.h"
#include "toolkit/Gdi.h"

namespace vindrel {

// Where the wrapping box lies on the game page (kDescriptionBox, catalogue/Rulebook.h): its
// width decides where lines break.

// A real multi-line edit box that is never shown: the platform's own word wrap turns the
// description into the lines the game page's labels show.
class DescriptionLines {
public:
    explicit DescriptionLines(HWND parent, BoxPlace place = kDescriptionBox);
    ~DescriptionLines();
    DescriptionLines(const DescriptionLines&) = delete;
    DescriptionLines& operator=(const DescriptionLines&) = delete;

    HWND Handle() const { return edit_; }

    // Puts the whole text in at once; the lines follow from the box's width and font.
    void SetText(const std::string& text);
    // Visual lines; an empty last line is not counted, so an empty text has none.
    int Count() const;
    // Line k (0-based) without its line break; empty outside 0 .. Count() - 1.
    std::string Line(int k) const;

private:
    UniqueFont font_;  // declared first: the box that uses it is destroyed before it
    HWND edit_ = nullptr;
};

// The screenshot picture. A missing or unreadable file leaves no picture: never another demo's.
class Screenshot {
public:
    // Loads the screenshot beside the setup program through the bounded reader; false (and no
    // picture) when there is none or it cannot be read, a read error of the drive included.
    bool Load(const std::string& setup);
    // Why the last Load showed no picture: empty when it did or the file is missing, else what
    // the reader found ("is cut short: ...").
    const std::string& Problem() const { return problem_; }
    HBITMAP Bitmap() const { return bitmap_.get(); }
    SIZE Size() const;  // 0 x 0 while there is no picture
    // Draws at natural size from the box's top-left corner, clipped to the box, never scaled.
    void Draw(HDC dc, const RECT& box) const;

private:
    UniqueBitmap bitmap_;
    std::string problem_;
};

}  // namespace vindrel
