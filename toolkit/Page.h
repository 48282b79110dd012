// A page of the menu: a 640 x 480 borderless window over the black backdrop, centred on the
// screen, owned by the application's hidden window, created once and afterwards only shown,
// hidden and raised. Its controls are plain objects painted in z-order into a back buffer that
// all pages share.
//
// A page declares its controls as members, one line per row of its layout table, lowest first:
//
//   class TfrmLavetAf : public Page {
//   public:
//       explicit TfrmLavetAf(PageHost& app)
//           : Page(app, {.className = "TfrmLavetAf", .caption = "frmLavetAf", .colour = kGrey}) {}
//       TImage& imgback = Add<TImage>("imgback", 0, 0, 640, 480);
//       TLabel& Label1 = Add<TLabel>("Label1", 8, 8, 260, 25,
//                                    {.caption = "Credits:", .font = Verdana(21, Underline), .transparent = true});
//       TImage& GreenShadow = Add<TImage>("GreenShadow", 7, 418, 100, 55);
//       TLMDMMButton& cmdNot = Add<TLMDMMButton>("cmdNot", 17, 418, 90, 45,
//                                                GreenButton("Tilbage").Colour(kBlack).FaceStyle(ButtonFaceStyle::sbAutosize));
//       TLMDMMButton& cmdSlut = Add<TLMDMMButton>("cmdSlut", 559, 427, 81, 53, ExitSign());
//   };
//   auto page = CreatePage<TfrmLavetAf>(app);   // shown now if visibleAtCreation
//
// Buttons that name a list of another page ("frmForside.Greens") get it from ConnectFaceLists
// once that page exists. tools/pagedemo/PageDemo.cpp is a complete example.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "toolkit/Controls.h"
#include "toolkit/Drawing.h"
#include "toolkit/PageHost.h"

namespace vindrel {

class TLMDBitmapList;

constexpr int kPageWidth = 640;
constexpr int kPageHeight = 480;

// The settings that differ between pages.
struct PageSettings {
    const char* className;               // the window class, named as the page class
    const char* caption = "";            // caption at creation (never visible: no title bar)
    COLORREF colour = clBtnFace;         // the fill colour
    FontSpec font = {};                  // default font of controls that set none
    bool visibleAtCreation = false;
    const char* eraseMarker = nullptr;   // "Dont Erase" / "Dont": erasing is suppressed
};

class Page : public ControlParent {
public:
    Page(PageHost& app, const PageSettings& settings);
    ~Page() override;

    HWND Handle() const { return hwnd_; }
    PageHost& App() const { return app_; }  // the program that holds the page
    const PageSettings& Settings() const { return settings_; }
    COLORREF Colour() const { return settings_.colour; }
    const FontSpec& DefaultFont() const { return settings_.font; }

    // Shows a page created visible; run once the derived page has declared its controls.
    void Created();

    // Through the host's PageScreen: on the screen, or, for pages that are only rendered, not at all.
    void Show();          // visible and in front of all other pages; only raised if visible
    void Hide();
    void BringToFront();  // raised, visibility unchanged
    bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }

    // The one paint path: composes the controls of area (the whole page if null) in the back
    // buffer and copies that to dc. Used by WM_PAINT and WM_PRINTCLIENT.
    void PaintPage(HDC dc, const RECT* area = nullptr);

    // The page's own bitmap list of that name ("Greens"), for buttons of other pages; none by default.
    virtual TLMDBitmapList* FaceList(const std::string& /*listName*/) { return nullptr; }

    // Connects every button that names its face list ("frmForside.Greens") to lookup's answer.
    void ConnectFaceLists(const std::function<TLMDBitmapList*(const std::string&)>& lookup);

    // For controls: a font made once for all pages; invalidation and immediate repaint of an area.
    HFONT Font(const FontSpec& font);
    void InvalidateArea(const RECT& pageRect);
    void RepaintArea(const RECT& pageRect);
    // Mouse routing state that controls take part in.
    void CaptureMouse(Control& control);
    void ReleaseMouse(Control& control);
    Control* MouseCapture() const { return capture_; }
    void Forget(const Control& control);  // the control went away or stopped being shown
    UINT_PTR NewTimerId() { return nextTimerId_++; }
    void RegisterTimer(Timer& timer) { timers_[timer.Id()] = &timer; }
    void UnregisterTimer(const Timer& timer) { timers_.erase(timer.Id()); }

    POINT Origin() const override { return POINT{0, 0}; }
    bool ParentShowing() const override { return true; }

protected:
    // Hooks: shown (from hidden), hidden, brought to the front from another window of the menu,
    // asked to close. A close request (Alt+F4) on any page ends the menu as its exit signs do.
    virtual void OnShow() {}
    virtual void OnHide() {}
    virtual void OnActivate() {}
    virtual void OnClose() { app_.Terminate(); }
    // Messages the frame does not handle itself; the default goes to DefWindowProc.
    virtual LRESULT HandleOther(UINT msg, WPARAM wp, LPARAM lp);

    Page& ContainerPage() override { return *this; }

private:
    friend class PageScreen;  // the ways of showing a page tell it what happens to it
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT EraseBackground(HDC dc);
    void PaintChildren(HDC dc, const ControlParent& parent, const RECT& area);
    void PrepareChildren(const ControlParent& parent);
    Control* ControlAt(const ControlParent& parent, POINT pagePoint) const;
    void RouteMouse(UINT msg, WPARAM wp, LPARAM lp);
    void MouseLeftPage();
    bool HandleAccelerator(char ch);
    bool CameFromWithinTheMenu(HWND previous) const;

    PageHost& app_;
    PageSettings settings_;
    HWND hwnd_ = nullptr;
    Control* hover_ = nullptr;
    Control* capture_ = nullptr;
    bool trackingLeave_ = false;
    std::unordered_map<UINT_PTR, Timer*> timers_;
    UINT_PTR nextTimerId_ = 1;
};

// The navigation steps every page uses; the sound is always played first.
namespace Navigate {
// Back: the page hides itself, uncovering the page beneath.
void Back(Page& self, const char* sound);
// Back where the page beneath is not the right one: show the target, then hide.
void ShowThenHide(Page& target, Page& self, const char* sound);
}  // namespace Navigate

// Makes a page and shows it if it is visible at creation. T's constructor declares the controls.
template <typename T, typename... Args>
std::unique_ptr<T> CreatePage(Args&&... args) {
    auto page = std::make_unique<T>(std::forward<Args>(args)...);
    page->Created();
    return page;
}

}  // namespace vindrel
