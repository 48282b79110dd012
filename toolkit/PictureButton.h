// TLMDMMButton: the picture button every page uses. A non-windowed control that paints one face
// of a bitmap list per state, draws an optional caption over it and fires OnClick when the left
// button is pressed and released on it. Hit tests follow the face's pixels unless switched off.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "toolkit/BitmapList.h"
#include "toolkit/Controls.h"

namespace vindrel {

// The values index FaceIndices, so they are fixed.
enum class ButtonState : uint8_t {
    Up = 0,
    Disabled = 1,
    MouseOver = 2,
    LatchedDown = 3,
    Down = 4,
    Unused = 5,
    DropDown = 6,
    DisabledLatched = 7,
};

// The list entry (and the sub-image inside it) for states 0 to 6.
struct FaceIndices {
    std::array<int32_t, 7> list{};
    std::array<int32_t, 7> sub{};

    bool operator==(const FaceIndices&) const = default;
};

// The common pattern: one face normally, another under the mouse and while held.
FaceIndices UpOverDown(int up, int over);

enum class Alignment {
    agTopLeft, agTopCenter, agTopRight,
    agCenterLeft, agCenter, agCenterRight,
    agBottomLeft, agBottomCenter, agBottomRight,
};
enum class TextToGlyph { taLeft, taLeftTop, taRight, taRightTop, taTop, taTopLeft, taBottom, taBottomLeft };

struct ButtonLayout {
    Alignment alignment = Alignment::agCenter;
    TextToGlyph alignText2Glyph = TextToGlyph::taRight;  // only with a glyph, which no page draws
    int offsetX = 0;
    int offsetY = 0;
};

// A face list given directly (a list of the same page) or by name ("frmForside.Greens"),
// connected when the page that holds it exists (Page::ConnectFaceLists).
struct FaceListRef {
    FaceListRef() = default;
    FaceListRef(TLMDBitmapList* l) : list(l) {}
    FaceListRef(const char* n) : name(n) {}
    TLMDBitmapList* list = nullptr;
    std::string name;
};

// The stored properties with their defaults; setters return the props so that a preset can be
// adjusted in its layout line: GreenButton("OK").AllowTransparency(false).
struct ButtonProps {
    FaceListRef faceList{};
    FaceIndices faces{};
    COLORREF transColour = 0x00FFFFFF;
    ButtonFaceStyle faceStyle = ButtonFaceStyle::sbNone;
    bool allowMouseOver = false;
    bool allowTransparency = true;
    bool forceTransparent = true;
    bool transparent = false;
    bool quickDraw = false;
    int captionDown = 1;
    std::string caption{};
    std::optional<FontSpec> font{};     // none: the page's font
    std::optional<COLORREF> colour{};   // none: the page's colour
    COLORREF enterColour = clCaptionText;
    bool enterColourChange = false;
    bool multiLine = false;
    bool showAccelChar = true;  // off for texts from the catalogue and the records: drawn as written
    ButtonLayout layout{};
    bool repeatedClick = false;
    uint16_t repeatingDelay = 500;
    uint16_t repeatingInterval = 100;
    int tag = 0;
    bool visible = true;
    bool enabled = true;

    ButtonProps& List(FaceListRef ref) { faceList = std::move(ref); return *this; }
    ButtonProps& Faces(const FaceIndices& f) { faces = f; return *this; }
    ButtonProps& TransColour(COLORREF c) { transColour = c; return *this; }
    ButtonProps& FaceStyle(ButtonFaceStyle s) { faceStyle = s; return *this; }
    ButtonProps& AllowMouseOver(bool on) { allowMouseOver = on; return *this; }
    ButtonProps& AllowTransparency(bool on) { allowTransparency = on; return *this; }
    ButtonProps& ForceTransparent(bool on) { forceTransparent = on; return *this; }
    ButtonProps& Transparent(bool on) { transparent = on; return *this; }
    ButtonProps& CaptionDown(int px) { captionDown = px; return *this; }
    ButtonProps& Caption(std::string text) { caption = std::move(text); return *this; }
    ButtonProps& Font(const FontSpec& f) { font = f; return *this; }
    ButtonProps& Colour(COLORREF c) { colour = c; return *this; }
    ButtonProps& EnterColour(COLORREF c, bool change = true) { enterColour = c; enterColourChange = change; return *this; }
    ButtonProps& MultiLine(bool on) { multiLine = on; return *this; }
    ButtonProps& ShowAccelChar(bool on) { showAccelChar = on; return *this; }
    ButtonProps& Align(Alignment a) { layout.alignment = a; return *this; }
    ButtonProps& AlignText2Glyph(TextToGlyph t) { layout.alignText2Glyph = t; return *this; }
    ButtonProps& Repeat(uint16_t delay = 500, uint16_t interval = 100) {
        repeatedClick = true;
        repeatingDelay = delay;
        repeatingInterval = interval;
        return *this;
    }
    ButtonProps& Tag(int t) { tag = t; return *this; }
    ButtonProps& Visible(bool on) { visible = on; return *this; }
};

// Names of the shared lists on the main menu and the category page.
inline constexpr const char kGreens[] = "frmForside.Greens";
inline constexpr const char kExitList[] = "frmForside.bmpExit";
inline constexpr const char kUpArrows[] = "frmForside.bmpOpKnapper";
inline constexpr const char kDownArrows[] = "frmForside.bmpNedKnapper";
inline constexpr const char kCategoryRows[] = "frmKategori.BagKategorier";

// The button families of the pages.
// Green command button: faces 0/1 of Greens, Verdana 12 bold white, mouse-over on.
ButtonProps GreenButton(std::string caption);
// Exit sign: faces 0/1 of bmpExit, drawn transparently, white see-through.
ButtonProps ExitSign();
// Category tile of the main menu: 280 x 80, green, reacts anywhere in its rectangle.
ButtonProps CategoryTile(FaceListRef list, COLORREF transColour);
// Entry of the category and index lists: Verdana 19, left and centred, yellow under the mouse;
// its caption, a catalogue title, is drawn as written.
ButtonProps ListRow(FaceListRef list, const FaceIndices& faces, COLORREF transColour);
// Entry of the uninstall list: face 0 of BagKategorier, Verdana 24 at the top left, yellow; its
// caption, a recorded title, is drawn as written.
ButtonProps UninstallRow(COLORREF enterColour, bool enterColourChange);
// Scroll arrow: transparent, mouse-over on; the pages add Repeat(...) where they repeat.
ButtonProps Arrow(FaceListRef list, const FaceIndices& faces, COLORREF transColour);
// Language flag: black see-through, darker face normally, brighter under the mouse.
ButtonProps Flag(FaceListRef list, int up, int over);

class TLMDMMButton : public Control, private BitmapListListener {
public:
    using Props = ButtonProps;
    TLMDMMButton(Page& page, ControlParent& parent, const Layout& layout, Props props);
    ~TLMDMMButton() override;

    // ---- properties
    TLMDBitmapList* ButtonFaceImageList() const { return list_; }
    void SetButtonFaceImageList(TLMDBitmapList* list);
    const std::string& FaceListName() const { return props_.faceList.name; }
    const FaceIndices& Faces() const { return props_.faces; }
    void SetFaces(const FaceIndices& faces);
    void SetTransparent(bool on);
    const std::string& Caption() const { return props_.caption; }
    void SetCaption(const std::string& caption);
    const FontSpec& Font() const;
    void SetFont(const FontSpec& font);
    COLORREF FontColour() const { return Font().colour; }
    void SetFontColour(COLORREF colour);
    COLORREF Colour() const;
    void SetColour(COLORREF colour);
    void SetEnabled(bool enabled) override;
    const ButtonProps& Properties() const { return props_; }

    ButtonState State() const { return state_; }
    // (x, y) in button coordinates is on the button.
    bool HitTest(int x, int y) const;
    // The palette of the current state's face, for the page to realise.
    HPALETTE Palette() const;
    // The list entry painted in a state after the fall-backs; kNoFace / kNothing as below.
    static constexpr int kNoFace = -1;   // no face, the caption is still drawn
    static constexpr int kNothing = -2;  // nothing at all is painted
    int FaceFor(ButtonState state) const;

    // Where the caption's text went at the last paint, in button coordinates (empty before the
    // first paint or without a caption); beyond 0, 0, Width, Height it was cut off.
    RECT CaptionDrawn() const { return captionDrawn_; }

    void Click();
    std::function<void(TLMDMMButton&)> OnClick;

    // The two timer slots: the mouse-over watch and click repeating.
    const Timer& MouseOverWatch() const { return watch_; }
    const Timer& RepeatTimer() const { return repeat_; }

    // ---- Control
    void Prepare() override;
    void Paint(HDC dc) override;
    bool CapturesMouse() const override { return true; }
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(const MouseEvent& e) override;
    void MouseMove(const MouseEvent& e) override;
    void MouseUp(const MouseEvent& e) override;
    void CaptureLost() override;
    bool Accelerator(char ch) override;

protected:
    void Hidden() override;

private:
    void BitmapListDestroyed(const TLMDBitmapList& list) override;
    void BitmapListChanged(const TLMDBitmapList&) override { Repaint(); }
    void ChangeState(ButtonState next);
    void Repaint();
    void WatchTick();
    void RepeatTick();
    bool PointerOver() const;  // the screen's pointer passes the hit test
    RECT FaceRect(int face) const;
    void DrawCaption(HDC dc) const;

    ButtonProps props_;
    TLMDBitmapList* list_ = nullptr;
    ButtonState state_ = ButtonState::Up;
    ButtonState previous_ = ButtonState::Up;
    bool pointerInside_ = false;
    bool held_ = false;
    Timer watch_;
    Timer repeat_;
    mutable RECT captionDrawn_{};
};

}  // namespace vindrel
