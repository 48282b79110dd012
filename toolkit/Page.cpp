#include "toolkit/Page.h"

#include <windowsx.h>

#include <cstring>

#include "toolkit/PageScreen.h"
#include "toolkit/PictureButton.h"
#include "toolkit/SharedGdi.h"
#include "toolkit/WindowOwner.h"

namespace vindrel {
namespace {

bool IsWithin(const Control* c, const Control& ancestor) {
    for (; c; c = dynamic_cast<const Control*>(&c->Parent()))
        if (c == &ancestor) return true;
    return false;
}

MouseEvent EventAt(const Control& control, POINT pagePoint, MouseButton button, WPARAM keys) {
    RECT r = control.PageRect();
    MouseEvent e;
    e.button = button;
    e.keys = static_cast<UINT>(keys);
    e.alt = GetKeyState(VK_MENU) < 0;
    e.x = pagePoint.x - r.left;
    e.y = pagePoint.y - r.top;
    return e;
}

template <typename F>
void ForEachControl(const ControlParent& parent, F&& f) {
    for (const auto& child : parent.Children()) {
        f(*child);
        if (ControlParent* inner = child->AsParent()) ForEachControl(*inner, f);
    }
}

}  // namespace

Page::Page(PageHost& app, const PageSettings& settings) : app_(app), settings_(settings) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = app_.Instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = settings_.className;
    RegisterClassA(&wc);  // already registered when a page class is made twice (tests)
    // Centred on the screen; a popup without border has exactly the client size.
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kPageWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kPageHeight) / 2;
    hwnd_ = CreateWindowExA(0, settings_.className, settings_.caption, WS_POPUP | WS_CLIPCHILDREN, x, y, kPageWidth,
                            kPageHeight, app_.Handle(), nullptr, app_.Instance(), this);
}

Page::~Page() {
    app_.Forget(*this);
    DestroyChildren();
    timers_.clear();
    if (hwnd_) DestroyWindow(hwnd_);
}

void Page::Created() {
    if (settings_.visibleAtCreation) Show();
}

void Page::Show() {
    if (!app_.Hold(*this, PageChange::Shown)) app_.Screen().Show(*this);
}

void Page::Hide() {
    if (!app_.Hold(*this, PageChange::Hidden)) app_.Screen().Hide(*this);
}

void Page::BringToFront() {
    if (!app_.Hold(*this, PageChange::Raised)) app_.Screen().BringToFront(*this);
}

// ---- Painting --------------------------------------------------------------------------------

LRESULT Page::EraseBackground(HDC dc) {
    if (settings_.eraseMarker) {
        // The page's pictures cover it, so it is never filled; the caption records the request.
        char current[64] = {};
        GetWindowTextA(hwnd_, current, sizeof current);
        if (std::strcmp(current, settings_.eraseMarker) != 0) SetWindowTextA(hwnd_, settings_.eraseMarker);
        return 0;
    }
    RECT r;
    GetClientRect(hwnd_, &r);
    FillSolid(dc, r, settings_.colour);
    return 1;
}

void Page::PrepareChildren(const ControlParent& parent) {
    for (const auto& child : parent.Children()) {
        if (!child->Visible()) continue;
        child->Prepare();
        if (ControlParent* inner = child->AsParent()) PrepareChildren(*inner);
    }
}

void Page::PaintChildren(HDC dc, const ControlParent& parent, const RECT& area) {
    for (const auto& child : parent.Children()) {
        if (!child->Visible()) continue;
        RECT bounds = child->PageRect(), clip;
        if (!IntersectRect(&clip, &bounds, &area)) continue;
        {
            DcStateGuard state(dc);
            SetViewportOrgEx(dc, 0, 0, nullptr);
            IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
            SetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
            child->Paint(dc);
        }
        if (ControlParent* inner = child->AsParent()) PaintChildren(dc, *inner, clip);
    }
}

void Page::PaintPage(HDC dc, const RECT* area) {
    RECT client;
    GetClientRect(hwnd_, &client);
    RECT r = client;
    if (area && !IntersectRect(&r, area, &client)) return;
    PrepareChildren(*this);
    HDC back = app_.Gdi().PageBuffer().Ensure(client.right, client.bottom);
    if (!back) return;
    {
        DcStateGuard state(back);
        IntersectClipRect(back, r.left, r.top, r.right, r.bottom);
        FillSolid(back, r, settings_.colour);
        PaintChildren(back, *this, r);
    }
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, back, r.left, r.top, SRCCOPY);
}

void Page::InvalidateArea(const RECT& pageRect) {
    if (hwnd_) InvalidateRect(hwnd_, &pageRect, FALSE);
}

void Page::RepaintArea(const RECT& pageRect) {
    if (!hwnd_) return;
    if (!Visible()) {
        InvalidateArea(pageRect);
        return;
    }
    WindowDc dc(hwnd_);
    PaintPage(dc.get(), &pageRect);
    ValidateRect(hwnd_, &pageRect);
}

HFONT Page::Font(const FontSpec& font) { return app_.Gdi().Font(font); }

void Page::ConnectFaceLists(const std::function<TLMDBitmapList*(const std::string&)>& lookup) {
    ForEachControl(*this, [&](Control& c) {
        auto* button = dynamic_cast<TLMDMMButton*>(&c);
        if (button && !button->FaceListName().empty() && !button->ButtonFaceImageList())
            button->SetButtonFaceImageList(lookup(button->FaceListName()));
    });
}

// ---- Mouse -----------------------------------------------------------------------------------

Control* Page::ControlAt(const ControlParent& parent, POINT pagePoint) const {
    const auto& children = parent.Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        Control& c = **it;
        if (!c.Visible() || !c.Enabled()) continue;
        RECT r = c.PageRect();
        if (!PtInRect(&r, pagePoint)) continue;
        if (ControlParent* inner = c.AsParent())
            if (Control* found = ControlAt(*inner, pagePoint)) return found;
        return &c;
    }
    return nullptr;
}

void Page::CaptureMouse(Control& control) {
    capture_ = &control;
    SetCapture(hwnd_);
}

void Page::ReleaseMouse(Control& control) {
    if (capture_ != &control) return;
    capture_ = nullptr;  // first, so that the capture-changed notice is not taken as a loss
    ReleaseCapture();
}

void Page::Forget(const Control& control) {
    if (IsWithin(hover_, control)) hover_ = nullptr;
    if (IsWithin(capture_, control)) {
        capture_ = nullptr;
        ReleaseCapture();
    }
}

void Page::RouteMouse(UINT msg, WPARAM wp, LPARAM lp) {
    const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    if (msg == WM_MOUSEMOVE) {
        if (!trackingLeave_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
            trackingLeave_ = TrackMouseEvent(&track) != FALSE;
        }
        // Entering and leaving follow the rectangles; while a control holds the mouse only it
        // is told.
        Control* over = ControlAt(*this, p);
        if (over != hover_) {
            Control* old = hover_;
            hover_ = over;
            if (old && (!capture_ || old == capture_)) old->MouseLeave();
            if (over && hover_ == over && (!capture_ || over == capture_)) over->MouseEnter();
        }
        if (Control* target = capture_ ? capture_ : hover_) target->MouseMove(EventAt(*target, p, MouseButton::Left, wp));
        return;
    }
    MouseButton button = MouseButton::Left;
    if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP) button = MouseButton::Right;
    if (msg == WM_MBUTTONDOWN || msg == WM_MBUTTONUP) button = MouseButton::Middle;
    const bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
    Control* target = capture_ ? capture_ : ControlAt(*this, p);
    if (!target) return;
    MouseEvent e = EventAt(*target, p, button, wp);
    if (down) {
        if (button == MouseButton::Left && target->CapturesMouse()) CaptureMouse(*target);
        target->MouseDown(e);
    } else {
        // The capture ends before the control hears of the release: its click may open pages.
        if (button == MouseButton::Left && capture_ == target) ReleaseMouse(*target);
        target->MouseUp(e);
    }
}

void Page::MouseLeftPage() {
    if (capture_ || !hover_) return;
    Control* old = hover_;
    hover_ = nullptr;
    old->MouseLeave();
}

bool Page::HandleAccelerator(char ch) {
    if (!IsWindowEnabled(hwnd_)) return false;
    bool handled = false;
    ForEachControl(*this, [&](Control& c) {
        if (!handled && c.Showing() && c.Enabled()) handled = c.Accelerator(ch);
    });
    return handled;
}

// ---- Window procedure ------------------------------------------------------------------------

// A page is activated when it comes to the front from another window of the menu. Coming back
// from another program (the task bar, Alt+Tab, a setup's window closing) is no activation: then
// the window that lost the activation is another program's, none at all, or the application's
// window, unless that only passes on the activation of a page just hidden.
bool Page::CameFromWithinTheMenu(HWND previous) const {
    if (!previous || GetWindowThreadProcessId(previous, nullptr) != GetCurrentThreadId()) return false;
    return previous != app_.Handle() || app_.PassingOnWithinTheMenu();
}

LRESULT Page::HandleOther(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(hwnd_, msg, wp, lp); }

LRESULT Page::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return EraseBackground(reinterpret_cast<HDC>(wp));
        case WM_PAINT: {
            PaintDc paint(hwnd_);
            // Painted even when another page covers it whole: with desktop composition the system
            // keeps the page's last picture and shows it when the page is uncovered, unrepainted.
            PaintPage(paint.get(), &paint.Area());
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintPage(reinterpret_cast<HDC>(wp));
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            RouteMouse(msg, wp, lp);
            return 0;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            MouseLeftPage();
            return 0;
        case WM_CAPTURECHANGED:
            if (capture_ && reinterpret_cast<HWND>(lp) != hwnd_) {
                Control* lost = capture_;
                capture_ = nullptr;
                lost->CaptureLost();
            }
            return 0;
        case WM_TIMER: {
            auto it = timers_.find(wp);
            if (it == timers_.end()) break;
            it->second->Fire();
            return 0;
        }
        case WM_CHAR:
        case WM_SYSCHAR:
            if (HandleAccelerator(static_cast<char>(wp))) return 0;
            break;
        case WM_ACTIVATE: {
            LRESULT result = DefWindowProcA(hwnd_, msg, wp, lp);
            if (LOWORD(wp) != WA_INACTIVE && CameFromWithinTheMenu(reinterpret_cast<HWND>(lp))) OnActivate();
            return result;
        }
        case WM_CLOSE:
            OnClose();
            return 0;
    }
    return HandleOther(msg, wp, lp);
}

LRESULT CALLBACK Page::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Page* self = WindowOwner(hwnd, msg, lp, &Page::hwnd_);
    if (!self || msg == WM_NCDESTROY) return DefWindowProcA(hwnd, msg, wp, lp);
    return Guarded(hwnd, self->app_, [&] { return self->Dispatch(msg, wp, lp); });
}

// ---- Navigation ------------------------------------------------------------------------------

namespace Navigate {

void Back(Page& self, const char* sound) {
    self.App().UiSound(sound);
    self.Hide();
}

void ShowThenHide(Page& target, Page& self, const char* sound) {
    self.App().UiSound(sound);
    target.Show();
    self.Hide();
}

}  // namespace Navigate

}  // namespace vindrel
