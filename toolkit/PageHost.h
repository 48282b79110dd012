// What the pages need of the program that holds them. The application object provides it; the
// toolkit knows it only through this, so it depends on nothing above it.
#pragma once
#include <windows.h>

#include <string>

namespace vindrel {

class Page;
class PageScreen;
class SharedGdi;

class PageHost {
public:
    virtual HINSTANCE Instance() const = 0;
    virtual HWND Handle() const = 0;  // the owner of every page
    // The back buffer, fonts and pictures that all pages share.
    virtual SharedGdi& Gdi() = 0;
    // How the pages are put on the screen, one way for the program's life.
    virtual const PageScreen& Screen() const = 0;
    virtual void Terminate() = 0;
    // Makes the page in front the active window (see the application object).
    virtual void ActivateFrontPage(bool withinTheMenu) = 0;
    virtual bool PassingOnWithinTheMenu() const = 0;
    // The caption of an error report.
    virtual std::string Title() const = 0;
    // The sound of a navigating button, by its resource name.
    virtual void UiSound(const char* name) = 0;
    // Asked by a page about to paint. While the first screen is made, a page that another page
    // covers whole is painted only once that screen is on: the host takes it (true) and has it
    // painted then, or before any page is shown or hidden (PaintDeferred), so it is painted
    // before anything can uncover it. Afterwards every page paints at once (false).
    virtual bool DeferPaint(Page& page) = 0;
    virtual void PaintDeferred() = 0;
    virtual void Forget(Page& page) = 0;  // a page that goes

protected:
    ~PageHost() = default;
};

}  // namespace vindrel
