#include "toolkit/PageScreen.h"

#include "toolkit/Page.h"

namespace vindrel {

void PageScreen::Shown(Page& page) { page.OnShow(); }
void PageScreen::Hidden(Page& page) { page.OnHide(); }
void PageScreen::Activated(Page& page) { page.OnActivate(); }

namespace {

class TheScreen final : public PageScreen {
public:
    void ShowOwner(HWND owner) const override { ShowWindow(owner, SW_SHOWNOACTIVATE); }

    // The page is activated by coming to the front (its window's activation tells it).
    void Show(Page& page) const override {
        if (!page.Visible()) {
            Shown(page);
            ShowWindow(page.Handle(), SW_SHOW);
        }
        BringToFront(page);
    }

    void Hide(Page& page) const override {
        if (!page.Visible()) return;
        Hidden(page);
        const bool wasActive = GetActiveWindow() == page.Handle();
        ShowWindow(page.Handle(), SW_HIDE);
        // The system hands the activation to the pages' owner; the page uncovered is the one meant.
        if (wasActive) page.App().ActivateFrontPage(true);
    }

    void ShowBehind(Page& page, const Page& above) const override {
        if (page.Visible()) return;
        Shown(page);
        SetWindowPos(page.Handle(), above.Handle(), 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        Activated(page);
    }

    void BringToFront(Page& page) const override {
        UINT flags = SWP_NOMOVE | SWP_NOSIZE;
        if (!page.Visible()) flags |= SWP_NOACTIVATE;
        SetWindowPos(page.Handle(), HWND_TOP, 0, 0, 0, 0, flags);
    }
};

constexpr TheScreen kTheScreen{};

}  // namespace

const PageScreen& OnScreen() { return kTheScreen; }

}  // namespace vindrel
