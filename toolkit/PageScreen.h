// How the pages are put on the screen: shown, hidden, raised, and the window that owns them shown.
// One way for the program's life, chosen where the application is made and handed to the pages by
// their host: the screen itself (OnScreen), or, for pages that are only rendered, a way that puts
// nothing on it (the producer's proof has that one).
#pragma once
#include <windows.h>

namespace vindrel {

class Page;

class PageScreen {
public:
    // The pages' owner, whose only visible part is the program's task-bar button.
    virtual void ShowOwner(HWND owner) const = 0;
    virtual void Show(Page& page) const = 0;          // visible and in front of all other pages
    virtual void Hide(Page& page) const = 0;
    virtual void BringToFront(Page& page) const = 0;  // raised, visibility unchanged
    // Visible just under above, which keeps the activation; the page goes through what it would
    // have, shown before above: it is shown and activated.
    virtual void ShowBehind(Page& page, const Page& above) const = 0;

protected:
    ~PageScreen() = default;
    // What happens to the page itself, for each way of showing it: shown (from hidden), hidden,
    // brought to the front from another window of the menu.
    static void Shown(Page& page);
    static void Hidden(Page& page);
    static void Activated(Page& page);
};

// The screen: pages are windows shown and stacked there, and activated by the system.
const PageScreen& OnScreen();

}  // namespace vindrel
