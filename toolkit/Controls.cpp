#include "toolkit/Controls.h"

#include <stdexcept>

#include "toolkit/Page.h"
#include "toolkit/SharedGdi.h"
#include "toolkit/Text.h"

namespace vindrel {

// ---- Control ---------------------------------------------------------------------------------

Control::Control(Page& page, ControlParent& parent, const Layout& layout, bool visible)
    : page_(page),
      parent_(parent),
      name_(layout.name ? layout.name : ""),
      bounds_{layout.left, layout.top, layout.left + layout.width, layout.top + layout.height},
      visible_(visible) {}

Control::~Control() { page_.Forget(*this); }

RECT Control::PageRect() const {
    POINT origin = parent_.Origin();
    RECT r = bounds_;
    OffsetRect(&r, origin.x, origin.y);
    return r;
}

void Control::SetBounds(int left, int top, int width, int height) {
    RECT next{left, top, left + width, top + height};
    if (EqualRect(&next, &bounds_)) return;
    Invalidate();
    bounds_ = next;
    Invalidate();
}

bool Control::Showing() const { return visible_ && parent_.ParentShowing(); }

namespace {
// A control and everything inside it stop being shown.
void NotifyHidden(Control& control, void (*hide)(Control&)) {
    hide(control);
    if (ControlParent* inner = control.AsParent())
        for (const auto& child : inner->Children())
            if (child->Visible()) NotifyHidden(*child, hide);
}
}  // namespace

void Control::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Invalidate();
    if (!visible) {
        NotifyHidden(*this, [](Control& c) {
            c.Hidden();
            c.OwnerPage().Forget(c);
        });
    }
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Invalidate();
}

void Control::Invalidate() const { page_.InvalidateArea(PageRect()); }

void Control::RepaintNow() const {
    if (Showing()) page_.RepaintArea(PageRect());
}

void Control::MouseDown(const MouseEvent& e) {
    if (OnMouseDown) OnMouseDown(*this, e);
}
void Control::MouseMove(const MouseEvent& e) {
    if (OnMouseMove) OnMouseMove(*this, e);
}
void Control::MouseUp(const MouseEvent& e) {
    if (OnMouseUp) OnMouseUp(*this, e);
}

// ---- ControlParent ---------------------------------------------------------------------------

Control* ControlParent::Find(const std::string& name) const {
    for (const auto& child : children_) {
        if (child->Name() == name) return child.get();
        if (ControlParent* inner = child->AsParent())
            if (Control* found = inner->Find(name)) return found;
    }
    return nullptr;
}

// ---- TImage ----------------------------------------------------------------------------------

TImage::TImage(Page& page, ControlParent& parent, const Layout& layout, Props props)
    : Control(page, parent, layout, props.visible), props_(props) {}

void TImage::Adopt(HBITMAP owned) {
    SetPicture(owned ? std::make_shared<const art::SharedPicture>(UniqueBitmap(owned)) : nullptr);
}

void TImage::SetPicture(HBITMAP bitmap) {
    HBITMAP copy = bitmap ? static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)) : nullptr;
    Adopt(copy);
}

void TImage::SetPicture(std::shared_ptr<const art::SharedPicture> picture) {
    picture_ = std::move(picture);
    if (props_.autoSize && Picture()) {
        SIZE s = BitmapSize(Picture());
        SetBounds(Left(), Top(), s.cx, s.cy);
    }
    Invalidate();
}

bool TImage::LoadResource(HINSTANCE module, const char* name) {
    auto stored = OwnerPage().App().Gdi().Pictures().Get(module, name);
    if (!stored) return false;
    SetPicture(std::move(stored));
    return true;
}

void TImage::SetTransparent(bool on) {
    props_.transparent = on;
    Invalidate();
}

void TImage::Paint(HDC dc) {
    HBITMAP picture = Picture();
    if (!picture) return;
    SIZE s = BitmapSize(picture);
    RECT r{0, 0, s.cx, s.cy};
    if (props_.stretch) {
        r = RECT{0, 0, Width(), Height()};
    } else if (props_.center) {
        OffsetRect(&r, (Width() - s.cx) / 2, (Height() - s.cy) / 2);
    }
    DrawBitmap(dc, r, picture, props_.transparent);
}

// ---- TLabel ----------------------------------------------------------------------------------

TLabel::TLabel(Page& page, ControlParent& parent, const Layout& layout, Props props)
    : Control(page, parent, layout, props.visible), props_(std::move(props)) {
    Prepare();
}

const FontSpec& TLabel::Font() const { return props_.font ? *props_.font : OwnerPage().DefaultFont(); }

COLORREF TLabel::FontColour() const { return Font().colour; }

void TLabel::SetFontColour(COLORREF colour) {
    if (!props_.font) props_.font = OwnerPage().DefaultFont();
    if (props_.font->colour == colour) return;
    props_.font->colour = colour;
    Invalidate();
}

void TLabel::SetFont(const FontSpec& font) {
    props_.font = font;
    Prepare();
    Invalidate();
}

void TLabel::SetCaption(const std::string& caption) {
    if (caption == props_.caption) return;
    props_.caption = caption;
    Prepare();
    Invalidate();
}

UINT TLabel::Format() const {
    UINT format = DT_EXPANDTABS;
    if (props_.wordWrap) format |= DT_WORDBREAK;
    if (!props_.showAccelChar) format |= DT_NOPREFIX;
    switch (props_.alignment) {
        case TextAlignment::taLeftJustify: format |= DT_LEFT; break;
        case TextAlignment::taRightJustify: format |= DT_RIGHT; break;
        case TextAlignment::taCenter: format |= DT_CENTER; break;
    }
    return format;
}

// An auto-sized label takes its text's size; with word wrap only its height follows the text.
void TLabel::Prepare() {
    if (!props_.autoSize) return;
    const SIZE text = TextExtent();
    SetBounds(Left(), Top(), props_.wordWrap ? Width() : text.cx, text.cy);
}

SIZE TLabel::TextExtent() const {
    WindowDc screen(nullptr);
    SelectGuard font(screen.get(), OwnerPage().Font(Font()));
    RECT r{0, 0, props_.wordWrap ? Width() : 0, 0};
    std::string text = props_.caption.empty() ? " " : props_.caption;
    DrawText1252(screen.get(), text, r, Format() | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void TLabel::Paint(HDC dc) {
    RECT r{0, 0, Width(), Height()};
    if (!props_.transparent) FillSolid(dc, r, props_.colour.value_or(OwnerPage().Colour()));
    if (props_.caption.empty()) return;
    SelectGuard font(dc, OwnerPage().Font(Font()));
    SetTextColor(dc, ResolveColour(Font().colour));
    SetBkMode(dc, TRANSPARENT);
    DrawText1252(dc, props_.caption, r, Format());
}

// ---- TPanel ----------------------------------------------------------------------------------

TPanel::TPanel(Page& page, ControlParent& parent, const Layout& layout, Props props)
    : Control(page, parent, layout, props.visible), props_(props) {}

TPanel::~TPanel() { DestroyChildren(); }

POINT TPanel::Origin() const {
    RECT r = PageRect();
    return POINT{r.left, r.top};
}

void TPanel::SetColour(COLORREF colour) {
    props_.colour = colour;
    Invalidate();
}

void TPanel::Paint(HDC dc) {
    RECT r{0, 0, Width(), Height()};
    FillSolid(dc, r, props_.colour.value_or(OwnerPage().Colour()));
}

// ---- Timer -----------------------------------------------------------------------------------

Timer::Timer(Page& page, UINT interval, std::function<void()> onTimer)
    : OnTimer(std::move(onTimer)), page_(page), id_(page.NewTimerId()), interval_(interval) {
    page_.RegisterTimer(*this);
}

Timer::~Timer() {
    Stop();
    page_.UnregisterTimer(*this);
}

void Timer::Start() {
    // An interval of 0 keeps the timer from running, like a timer component without interval.
    if (interval_ > 0 && !SetTimer(page_.Handle(), id_, interval_, nullptr))
        throw std::runtime_error("Not enough timers available");
    enabled_ = true;
}

void Timer::Stop() {
    if (enabled_) KillTimer(page_.Handle(), id_);
    enabled_ = false;
}

void Timer::SetInterval(UINT ms) {
    if (ms == interval_) return;
    interval_ = ms;
    if (enabled_) {
        KillTimer(page_.Handle(), id_);
        Start();
    }
}

void Timer::Fire() {
    if (enabled_ && OnTimer) OnTimer();
}

}  // namespace vindrel
