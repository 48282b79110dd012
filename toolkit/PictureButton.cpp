#include "toolkit/PictureButton.h"

#include "toolkit/Page.h"
#include "toolkit/SharedGdi.h"
#include "toolkit/Text.h"

namespace vindrel {
namespace {

bool ShiftsCaption(ButtonState s) {
    return s == ButtonState::LatchedDown || s == ButtonState::Down || s == ButtonState::DropDown;
}

bool UsesEnterColour(ButtonState s) {
    return s >= ButtonState::MouseOver && s <= ButtonState::DropDown;
}

char Upper(char c) {
    // CharUpperA with a character in the low word converts that one character (code page 1252).
    return static_cast<char>(reinterpret_cast<uintptr_t>(
        CharUpperA(reinterpret_cast<LPSTR>(static_cast<uintptr_t>(static_cast<unsigned char>(c))))));
}

// The character that follows a single "&" ("&&" stands for a plain "&"); 0 if there is none.
char AcceleratorOf(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return caption[i + 1];
        ++i;
    }
    return 0;
}

}  // namespace

FaceIndices UpOverDown(int up, int over) {
    FaceIndices f;
    f.list = {up, 0, over, 0, over, 0, 0};
    return f;
}

// ---- Presets -----------------------------------------------------------------------------------

ButtonProps GreenButton(std::string caption) {
    return ButtonProps{}
        .List(kGreens)
        .Faces(UpOverDown(0, 1))
        .TransColour(0x00473B46)
        .AllowMouseOver(true)
        .Caption(std::move(caption))
        .Font(Verdana(12, Bold, kWhite));
}

ButtonProps ExitSign() {
    return ButtonProps{}.List(kExitList).Faces(UpOverDown(0, 1)).TransColour(0x00FFFFFF).AllowMouseOver(true).Transparent(true);
}

ButtonProps CategoryTile(FaceListRef list, COLORREF transColour) {
    FaceIndices faces = UpOverDown(0, 1);
    faces.sub = {0, 0, 0, 1, 0, 1, 1};
    return ButtonProps{}
        .List(std::move(list))
        .Faces(faces)
        .TransColour(transColour)
        .AllowMouseOver(true)
        .AllowTransparency(false)
        .Colour(kGreen);
}

ButtonProps ListRow(FaceListRef list, const FaceIndices& faces, COLORREF transColour) {
    return ButtonProps{}
        .List(std::move(list))
        .Faces(faces)
        .TransColour(transColour)
        .AllowMouseOver(true)
        .ForceTransparent(false)
        .Font(Verdana(19, Regular, kBlack))
        .Align(Alignment::agCenterLeft)
        .EnterColour(kYellow)
        .ShowAccelChar(false);
}

ButtonProps UninstallRow(COLORREF enterColour, bool enterColourChange) {
    return ButtonProps{}
        .List(kCategoryRows)
        .TransColour(0x00FFFFFF)
        .AllowMouseOver(true)
        .ForceTransparent(false)
        .Colour(kYellow)
        .Font(Verdana(24, Regular, kBlack))
        .Align(Alignment::agTopLeft)
        .AlignText2Glyph(TextToGlyph::taTopLeft)
        .EnterColour(enterColour, enterColourChange)
        .ShowAccelChar(false);
}

ButtonProps Arrow(FaceListRef list, const FaceIndices& faces, COLORREF transColour) {
    return ButtonProps{}.List(std::move(list)).Faces(faces).TransColour(transColour).AllowMouseOver(true).Transparent(true);
}

ButtonProps Flag(FaceListRef list, int up, int over) {
    return ButtonProps{}.List(std::move(list)).Faces(UpOverDown(up, over)).TransColour(0).AllowMouseOver(true);
}

// ---- The button --------------------------------------------------------------------------------

TLMDMMButton::TLMDMMButton(Page& page, ControlParent& parent, const Layout& layout, Props props)
    : Control(page, parent, layout, props.visible),
      props_(std::move(props)),
      watch_(page, 100, [this] { WatchTick(); }),
      repeat_(page, props_.repeatingDelay, [this] { RepeatTick(); }) {
    Tag = props_.tag;
    if (!props_.enabled) SetEnabled(false);
    SetButtonFaceImageList(props_.faceList.list);
}

TLMDMMButton::~TLMDMMButton() {
    if (list_) list_->RemoveChangeLink(this);
}

void TLMDMMButton::SetButtonFaceImageList(TLMDBitmapList* list) {
    if (list == list_) return;
    if (list_) list_->RemoveChangeLink(this);
    list_ = list;
    if (list_) list_->AddChangeLink(this);
    Invalidate();
}

void TLMDMMButton::BitmapListDestroyed(const TLMDBitmapList& list) {
    if (&list != list_) return;
    list_ = nullptr;  // the list is going: drop the reference without touching it
    Repaint();
}

void TLMDMMButton::SetFaces(const FaceIndices& faces) {
    props_.faces = faces;
    Repaint();
}

void TLMDMMButton::SetTransparent(bool on) {
    props_.transparent = on;
    Repaint();
}

void TLMDMMButton::SetCaption(const std::string& caption) {
    if (caption == props_.caption) return;
    props_.caption = caption;
    Repaint();
}

const FontSpec& TLMDMMButton::Font() const { return props_.font ? *props_.font : OwnerPage().DefaultFont(); }

void TLMDMMButton::SetFont(const FontSpec& font) {
    props_.font = font;
    Repaint();
}

void TLMDMMButton::SetFontColour(COLORREF colour) {
    if (!props_.font) props_.font = OwnerPage().DefaultFont();
    if (props_.font->colour == colour) return;
    props_.font->colour = colour;
    Repaint();
}

COLORREF TLMDMMButton::Colour() const { return props_.colour.value_or(OwnerPage().Colour()); }

void TLMDMMButton::SetColour(COLORREF colour) {
    props_.colour = colour;
    Repaint();
}

void TLMDMMButton::SetEnabled(bool enabled) {
    if (enabled == Enabled()) return;
    Control::SetEnabled(enabled);
    if (!enabled) {
        held_ = false;
        repeat_.Stop();
    }
    ChangeState(enabled ? ButtonState::Up : ButtonState::Disabled);
    Repaint();
}

// A transparent button lets the page draw what lies beneath it first; an opaque one paints at
// once. Both go through the page's back buffer, so neither flickers.
void TLMDMMButton::Repaint() {
    if (!Visible()) return;
    if (props_.transparent)
        Invalidate();
    else
        RepaintNow();
}

void TLMDMMButton::Hidden() {
    // Hidden buttons get no mouse: a held press or a repeat must not outlive the hiding. The
    // mouse-over watch goes on, so a button shown again is not left lit.
    held_ = false;
    pointerInside_ = false;
    repeat_.Stop();
}

int TLMDMMButton::FaceFor(ButtonState state) const {
    if (!list_) return kNothing;
    auto entry = [&](ButtonState s) {
        const int index = s == ButtonState::DisabledLatched ? 0 : props_.faces.list[static_cast<size_t>(s)];
        return index >= 0 && list_->IsValid(index) ? index : kNoFace;
    };
    const int up = entry(ButtonState::Up);
    switch (state) {
        case ButtonState::Up:
            return up >= 0 ? up : kNothing;
        case ButtonState::Disabled:
        case ButtonState::MouseOver:
        case ButtonState::Unused: {
            const int own = entry(state);
            if (own >= 0) return own;
            return up >= 0 ? up : kNothing;
        }
        default: {  // the pressed states fall back to the held-down face, or to none
            const int own = entry(state);
            return own >= 0 ? own : entry(ButtonState::Down);
        }
    }
}

HPALETTE TLMDMMButton::Palette() const {
    const int face = FaceFor(state_);
    return face >= 0 ? list_->Palette(face) : nullptr;
}

RECT TLMDMMButton::FaceRect(int face) const {
    const RECT client{0, 0, Width(), Height()};
    return PlaceFace(client, list_->Width(face), list_->Height(face), props_.faceStyle);
}

bool TLMDMMButton::HitTest(int x, int y) const {
    if (!props_.allowTransparency) return x >= 0 && x <= Width() && y >= 0 && y <= Height();
    const int face = FaceFor(state_);
    if (face < 0) return false;
    const RECT r = FaceRect(face);
    if (x < r.left || y < r.top || x >= r.right || y >= r.bottom) return false;
    const int fw = list_->Width(face), fh = list_->Height(face);
    const int rw = r.right - r.left, rh = r.bottom - r.top;
    if (fw <= 0 || fh <= 0 || rw <= 0 || rh <= 0) return false;
    int fx = x - r.left, fy = y - r.top;
    if (props_.faceStyle == ButtonFaceStyle::sbTile) {
        fx %= fw;
        fy %= fh;
    } else {
        // A stretched face is tested at the face pixel that was drawn there.
        fx = fx * fw / rw;
        fy = fy * fh / rh;
    }
    return list_->Pixel(face, fx, fy) != props_.transColour;
}

bool TLMDMMButton::PointerOver() const {
    POINT p;
    if (!GetCursorPos(&p) || !ScreenToClient(OwnerPage().Handle(), &p)) return false;
    const RECT r = PageRect();
    return HitTest(p.x - r.left, p.y - r.top);
}

void TLMDMMButton::ChangeState(ButtonState next) {
    if (next == state_) return;
    if (next == ButtonState::MouseOver)
        previous_ = state_ == ButtonState::LatchedDown ? ButtonState::LatchedDown : ButtonState::Up;
    else
        previous_ = state_;
    state_ = next;
    Repaint();
    if (props_.allowMouseOver) {
        if (next == ButtonState::MouseOver)
            watch_.Start();
        else
            watch_.Stop();
    }
}

// The pointer may leave without a mouse-leave notice (quickly, into another window).
void TLMDMMButton::WatchTick() {
    if (Enabled() && !PointerOver()) ChangeState(ButtonState::Up);
}

void TLMDMMButton::RepeatTick() {
    if (!pointerInside_) return;  // paused while the pointer is off the button
    repeat_.SetInterval(props_.repeatingInterval);
    Click();
}

void TLMDMMButton::Click() {
    if (OnClick) OnClick(*this);
}

// ---- Mouse -------------------------------------------------------------------------------------

void TLMDMMButton::MouseEnter() {
    if (props_.allowTransparency) return;  // decided by the pixel test on mouse moves
    if (state_ == ButtonState::Up && props_.allowMouseOver && Enabled()) ChangeState(ButtonState::MouseOver);
    pointerInside_ = true;
}

void TLMDMMButton::MouseLeave() {
    if (state_ == ButtonState::MouseOver) ChangeState(previous_);
    pointerInside_ = false;
}

void TLMDMMButton::MouseDown(const MouseEvent& e) {
    Control::MouseDown(e);
    if (props_.allowTransparency && !HitTest(e.x, e.y)) return;  // a see-through pixel: nothing
    if (!Enabled() || e.button != MouseButton::Left) return;
    held_ = true;  // the page holds the mouse for this button until the release
    if (props_.repeatedClick) {
        Click();
        if (!held_) return;  // the click hid or disabled the button
        repeat_.SetInterval(props_.repeatingDelay);
        repeat_.Start();
    }
    ChangeState(ButtonState::Down);
}

void TLMDMMButton::MouseMove(const MouseEvent& e) {
    if (state_ == ButtonState::DropDown) return;
    Control::MouseMove(e);
    if (!Enabled()) return;
    const bool inside = HitTest(e.x, e.y);
    ButtonState candidate = state_;
    if (props_.allowTransparency) {
        if (inside && props_.allowMouseOver)
            candidate = ButtonState::MouseOver;
        else if (state_ == ButtonState::MouseOver)
            candidate = previous_;
    }
    if (held_) {
        if (inside)
            candidate = ButtonState::Down;
        else
            candidate = ButtonState::Up;
    }
    ChangeState(candidate);
    if (inside && !pointerInside_) {
        if (state_ == ButtonState::Up && props_.allowMouseOver) ChangeState(ButtonState::MouseOver);
        pointerInside_ = true;
    } else if (!inside && pointerInside_) {
        pointerInside_ = false;
    }
}

void TLMDMMButton::MouseUp(const MouseEvent& e) {
    if (state_ == ButtonState::DropDown) return;
    Control::MouseUp(e);
    if (!held_ || e.button != MouseButton::Left) return;
    held_ = false;
    if (props_.repeatedClick) repeat_.Stop();
    // As on mouse moves, except that without the pixel test the right edge is outside.
    const bool inside = props_.allowTransparency
                            ? HitTest(e.x, e.y)
                            : e.x >= 0 && e.x < Width() && e.y >= 0 && e.y <= Height();
    ButtonState target = inside && props_.allowMouseOver ? ButtonState::MouseOver : ButtonState::Up;
    if (state_ == ButtonState::Disabled || state_ == ButtonState::DisabledLatched) target = state_;
    ChangeState(target);  // the up or mouse-over face shows before the click runs
    if (inside && !props_.repeatedClick) Click();
}

void TLMDMMButton::CaptureLost() {
    // Another window took the mouse: the press is over, without a click.
    if (!held_) return;
    held_ = false;
    repeat_.Stop();
    ChangeState(ButtonState::Up);
}

bool TLMDMMButton::Accelerator(char ch) {
    const char key = props_.showAccelChar ? AcceleratorOf(props_.caption) : 0;
    if (!key || Upper(key) != Upper(ch) || !Enabled() || !Showing()) return false;
    ChangeState(ButtonState::MouseOver);
    Click();
    if (!PointerOver()) ChangeState(ButtonState::Up);
    return true;
}

// ---- Painting ----------------------------------------------------------------------------------

void TLMDMMButton::Prepare() {
    if (props_.faceStyle != ButtonFaceStyle::sbAutosize) return;
    const int face = FaceFor(state_);
    if (face < 0) return;
    int w = list_->Width(face), h = list_->Height(face);
    if (w == 0) w = 20;
    if (h == 0) h = 20;
    if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
}

void TLMDMMButton::Paint(HDC dc) {
    captionDrawn_ = {};
    const int w = Width(), h = Height();
    const RECT client{0, 0, w, h};
    if (!list_) {
        if (!props_.transparent) FillSolid(dc, client, Colour());
        return;
    }
    // Composed off-screen and copied in one step.
    HDC mem = OwnerPage().App().Gdi().FaceBuffer().Ensure(w, h);
    if (!mem) return;
    DcStateGuard memState(mem);
    IntersectClipRect(mem, 0, 0, w, h);
    bool filled = false;
    if (!props_.transparent) {
        FillSolid(mem, client, Colour());
        filled = true;
    }
    const int face = FaceFor(state_);
    if (face == kNothing) return;
    if (props_.transparent && !filled)
        FillSolid(mem, client, face >= 0 ? list_->TransparentColor(face) : props_.transColour);
    if (face >= 0) {
        const bool leaveOut = props_.transparent || props_.forceTransparent;
        list_->Draw(mem, client, face, props_.faceStyle, leaveOut, !props_.quickDraw);
    }
    DrawCaption(mem);
    if (filled) {
        PaletteGuard palette(dc, props_.quickDraw || face < 0 ? nullptr : list_->Palette(face));
        BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
    } else {
        TransparentCopy(dc, 0, 0, w, h, mem, 0, 0, GetPixel(mem, 0, h - 1));
    }
}

void TLMDMMButton::DrawCaption(HDC dc) const {
    RECT area{0, 0, Width(), Height()};
    if (ShiftsCaption(state_)) OffsetRect(&area, props_.captionDown, props_.captionDown);
    const FontSpec& font = Font();
    COLORREF colour = font.colour;
    if (UsesEnterColour(state_) && props_.allowMouseOver && props_.enterColourChange) colour = props_.enterColour;

    DcStateGuard state(dc);
    SelectObject(dc, OwnerPage().Font(font));
    SetTextColor(dc, ResolveColour(colour));
    SetBkMode(dc, TRANSPARENT);

    // Measured without wrapping (line breaks still count) unless MultiLine, which wraps at the
    // button's width; an empty caption measures as one space.
    const std::string& caption = props_.caption;
    const std::string measured = caption.empty() || caption == "&" ? std::string(" ") : caption;
    const UINT format = DT_EXPANDTABS | (props_.multiLine ? DT_WORDBREAK : 0) | (props_.showAccelChar ? 0 : DT_NOPREFIX);
    RECT box{0, 0, props_.multiLine ? Width() : 0, 0};
    DrawText1252(dc, measured, box, format | DT_CALCRECT);
    const int bw = box.right - box.left + 2, bh = box.bottom - box.top + 2;
    const int aw = area.right - area.left, ah = area.bottom - area.top;

    int x = area.left, y = area.top;
    UINT horizontal = DT_LEFT;
    switch (props_.layout.alignment) {
        case Alignment::agTopCenter:
        case Alignment::agCenter:
        case Alignment::agBottomCenter:
            x += (aw - bw) / 2;
            horizontal = DT_CENTER;
            break;
        case Alignment::agTopRight:
        case Alignment::agCenterRight:
        case Alignment::agBottomRight:
            x += aw - bw;
            horizontal = DT_RIGHT;
            break;
        default:
            break;
    }
    switch (props_.layout.alignment) {
        case Alignment::agCenterLeft:
        case Alignment::agCenter:
        case Alignment::agCenterRight:
            y += (ah - bh) / 2;
            break;
        case Alignment::agBottomLeft:
        case Alignment::agBottomCenter:
        case Alignment::agBottomRight:
            y += ah - bh;
            break;
        default:
            break;
    }
    x += 1 + props_.layout.offsetX;
    y += 1 + props_.layout.offsetY;
    RECT text{x, y, x + bw - 2, y + bh - 2};
    captionDrawn_ = caption.empty() ? RECT{} : text;
    if (!caption.empty()) DrawText1252(dc, caption, text, format | horizontal | DT_NOCLIP);
}

}  // namespace vindrel
