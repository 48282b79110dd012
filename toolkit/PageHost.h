// What the pages need of the program that holds them. The application object provides it; the
// toolkit knows it only through this, so it depends on nothing above it.
#pragma once
#include <windows.h>

#include <string>

namespace vindrel {

class Page;
class PageScreen;
class SharedGdi;

enum class PageChange { Shown, Raised, Hidden };

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
    // Asked by a page about to be shown, raised or hidden. While the first screen is made, the
    // host may hold the pages shown (true: it has taken the request): the one in front is shown
    // for that screen, and the ones it covers come under it once the screen is on, so that their
    // windows cost the first screen nothing. Otherwise the page goes ahead (false), after the
    // pages still held, so that nothing can uncover a page that is not there yet.
    virtual bool Hold(Page& page, PageChange change) = 0;
    virtual void Forget(Page& page) = 0;  // a page that goes

protected:
    ~PageHost() = default;
};

}  // namespace vindrel
