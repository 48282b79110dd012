// The page's non-windowed controls: plain objects that the page paints in z-order into its back
// buffer and to which it routes the mouse. Pictures, labels, panels (containers whose children
// are placed relative to them) and per-page timers.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/Artwork.h"
#include "toolkit/Drawing.h"

namespace vindrel {

class Page;
class ControlParent;

enum class MouseButton { Left, Right, Middle };

// One mouse message as a control sees it: coordinates relative to the control.
struct MouseEvent {
    MouseButton button = MouseButton::Left;
    UINT keys = 0;     // MK_LBUTTON, MK_RBUTTON, MK_SHIFT, MK_CONTROL, ... of the message
    bool alt = false;  // the Alt key was down
    int x = 0;
    int y = 0;
};

// Where a control sits, relative to its parent (the page or a panel).
struct Layout {
    const char* name;
    int left, top, width, height;
};

class Control {
public:
    Control(Page& page, ControlParent& parent, const Layout& layout, bool visible = true);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    Page& OwnerPage() const { return page_; }
    ControlParent& Parent() const { return parent_; }

    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    RECT Bounds() const { return bounds_; }  // in the parent's coordinates
    RECT PageRect() const;                   // in the page's client coordinates
    void SetBounds(int left, int top, int width, int height);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    // Visible here and in every parent panel.
    bool Showing() const;

    int Tag = 0;

    // Draws the control into dc, whose origin is the control's top-left, clipped to it.
    virtual void Paint(HDC dc) = 0;
    // Settles sizes that depend on content (auto-size) before a paint pass.
    virtual void Prepare() {}

    // Marks the control's area for the next paint; RepaintNow paints it at once.
    void Invalidate() const;
    void RepaintNow() const;

    // Mouse input, routed by the page; coordinates relative to the control.
    virtual bool CapturesMouse() const { return false; }  // takes the mouse while a button is held
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void MouseDown(const MouseEvent& e);
    virtual void MouseMove(const MouseEvent& e);
    virtual void MouseUp(const MouseEvent& e);
    virtual void CaptureLost() {}
    // The character after "&" in the caption was typed on the page; true if handled.
    virtual bool Accelerator(char) { return false; }
    // The page or a panel that holds children.
    virtual ControlParent* AsParent() { return nullptr; }

    std::function<void(Control&, const MouseEvent&)> OnMouseDown;
    std::function<void(Control&, const MouseEvent&)> OnMouseMove;
    std::function<void(Control&, const MouseEvent&)> OnMouseUp;

protected:
    // Called when the control stops being shown, so it can drop timers and mouse state.
    virtual void Hidden() {}

private:
    Page& page_;
    ControlParent& parent_;
    std::string name_;
    RECT bounds_;
    bool visible_;
    bool enabled_ = true;
};

// Holds controls in z-order (first added lies lowest) and owns them.
class ControlParent {
public:
    ControlParent() = default;
    virtual ~ControlParent() = default;
    ControlParent(const ControlParent&) = delete;
    ControlParent& operator=(const ControlParent&) = delete;

    // Declares a control: one line of a layout table.
    template <typename T>
    T& Add(const char* name, int left, int top, int width, int height, typename T::Props props = {}) {
        auto control = std::make_unique<T>(ContainerPage(), *this, Layout{name, left, top, width, height},
                                           std::move(props));
        T& ref = *control;
        children_.push_back(std::move(control));
        ref.Invalidate();
        return ref;
    }

    const std::vector<std::unique_ptr<Control>>& Children() const { return children_; }
    // The control of that name here or in a panel below; null if there is none.
    Control* Find(const std::string& name) const;
    // Page coordinates of this parent's top-left.
    virtual POINT Origin() const = 0;
    virtual bool ParentShowing() const = 0;

protected:
    virtual Page& ContainerPage() = 0;
    void DestroyChildren() {
        while (!children_.empty()) children_.pop_back();  // topmost first
    }

private:
    std::vector<std::unique_ptr<Control>> children_;
};

// A picture: a bitmap drawn at its natural size from the top-left, centred or stretched,
// optionally leaving out the colour of its bottom-left pixel. A bitmap it is given is copied; a
// stored picture of the program is shared with every picture that shows it and decoded when
// first drawn.
class TImage : public Control {
public:
    struct Props {
        bool stretch = false;
        bool center = false;
        bool transparent = false;
        bool autoSize = false;  // the picture takes the bitmap's size
        bool visible = true;
    };
    TImage(Page& page, ControlParent& parent, const Layout& layout, Props props);

    // Takes a copy of bitmap (null clears).
    void SetPicture(HBITMAP bitmap);
    // Shows a picture that other controls may show too (null clears).
    void SetPicture(std::shared_ptr<const art::SharedPicture> picture);
    bool LoadResource(HINSTANCE module, const char* name);  // a stored picture; false keeps the picture
    HBITMAP Picture() const { return picture_ ? picture_->Bitmap() : nullptr; }
    void SetTransparent(bool on);

    void Paint(HDC dc) override;

private:
    void Adopt(HBITMAP owned);
    Props props_;
    std::shared_ptr<const art::SharedPicture> picture_;
};

enum class TextAlignment { taLeftJustify, taRightJustify, taCenter };

// A text drawn with DrawText: transparent or filled, fixed size or sized to its text, word wrap,
// "&" prefixes honoured unless showAccelChar is off. Texts may hold CR LF line breaks.
class TLabel : public Control {
public:
    struct Props {
        std::string caption{};
        std::optional<FontSpec> font{};  // none: the page's font
        std::optional<COLORREF> colour{};  // background; none: the page's colour
        bool transparent = false;
        bool wordWrap = false;
        bool autoSize = false;
        TextAlignment alignment = TextAlignment::taLeftJustify;
        bool showAccelChar = true;
        bool visible = true;
    };
    TLabel(Page& page, ControlParent& parent, const Layout& layout, Props props);

    const std::string& Caption() const { return props_.caption; }
    void SetCaption(const std::string& caption);
    COLORREF FontColour() const;
    void SetFontColour(COLORREF colour);
    const FontSpec& Font() const;
    void SetFont(const FontSpec& font);

    // The size the caption takes as drawn (wrapped at the label's width when it wraps); a
    // word too long for the width or more lines than the height give a size beyond the label's.
    SIZE TextExtent() const;
    TextAlignment Alignment() const { return props_.alignment; }

    void Prepare() override;
    void Paint(HDC dc) override;

private:
    UINT Format() const;
    Props props_;
};

// A container with its own colour; its children are placed relative to it and clipped by it.
class TPanel : public Control, public ControlParent {
public:
    struct Props {
        std::optional<COLORREF> colour{};  // none: the page's colour
        bool visible = true;
    };
    TPanel(Page& page, ControlParent& parent, const Layout& layout, Props props);
    ~TPanel() override;

    void SetColour(COLORREF colour);
    void Paint(HDC dc) override;
    ControlParent* AsParent() override { return this; }
    POINT Origin() const override;
    bool ParentShowing() const override { return Showing(); }

protected:
    Page& ContainerPage() override { return OwnerPage(); }

private:
    Props props_;
};

// A timer on its page's window: Interval in milliseconds, off until started.
class Timer {
public:
    Timer(Page& page, UINT interval, std::function<void()> onTimer = {});
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Throws std::runtime_error("Not enough timers available") when the system has none left.
    void Start();
    void Stop();
    void SetEnabled(bool on) { on ? Start() : Stop(); }
    bool Enabled() const { return enabled_; }
    UINT Interval() const { return interval_; }
    void SetInterval(UINT ms);  // restarts a running timer with the new interval
    UINT_PTR Id() const { return id_; }

    std::function<void()> OnTimer;
    void Fire();  // called by the page for WM_TIMER

private:
    Page& page_;
    UINT_PTR id_;
    UINT interval_;
    bool enabled_ = false;
};

}  // namespace vindrel
