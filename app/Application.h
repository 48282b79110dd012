// The application object: its title (the task-bar button's text), the window of that button,
// which owns every page so that all of them can be restacked freely, and the message loop.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

#include "app/StartupTimes.h"
#include "toolkit/PageHost.h"
#include "toolkit/PageScreen.h"
#include "toolkit/SharedGdi.h"

namespace vindrel {

// The class of the task-bar button's window, by which another start finds the running menu.
extern const wchar_t kApplicationWindowClass[];
// Sent to that window by another start of the menu: the menu comes to the front (answer 1)
// unless the backdrop covers its pages while a setup runs (answer 0).
UINT AnotherStartMessage();

class Application : public PageHost {
public:
    // Where the pages go is fixed for the application's life: on the screen, or (the producer's
    // proof) never on it, where there is no task-bar button either.
    explicit Application(HINSTANCE instance, const PageScreen& screen = OnScreen());
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HINSTANCE Instance() const override { return instance_; }
    HWND Handle() const override { return window_; }  // the task-bar button's window, owner of every page

    void SetTitle(const std::string& title);
    std::string Title() const override;

    // Ends the message loop; requested before the loop runs, the loop ends as soon as it starts.
    void Terminate() override;
    bool Terminated() const { return terminated_; }

    const PageScreen& Screen() const override { return screen_; }

    // Runs the message loop until Terminate; returns the exit code.
    int Run();
    // Work for the loop's idle moments, one piece at a time, as long as it returns true: what the
    // first screen does not need waits until that screen is painted.
    void SetIdleWork(std::function<bool()> work) { idleWork_ = std::move(work); }

    // Dispatches the messages that are waiting, then returns.
    static void ProcessMessages();

    // Makes the page in front the active window; nothing while the disabled backdrop covers the
    // pages (a setup runs). The system gives the activation to this window, the pages' owner,
    // when the active page is hidden (withinTheMenu) and when the reader comes back through the
    // task bar.
    void ActivateFrontPage(bool withinTheMenu) override;
    // Whether the disabled backdrop is in front of the pages: a setup runs.
    bool Covered() const;
    // True while the activation of a hidden page is passed on to the page uncovered: the one
    // activation from this window that is a page activation.
    bool PassingOnWithinTheMenu() const override { return passingOn_; }

    // Start-up timing (off unless switched on); the loop finishes it at its first idle turn.
    StartupTimes& Times() { return times_; }

    // The back buffer, fonts and pictures that all pages share.
    SharedGdi& Gdi() override { return gdi_; }

    void UiSound(const char* name) override;

    // The pages shown from HoldShows to ShowFront are held: ShowFront shows the one shown last,
    // in front, and the ones it covers wait for the first screen to be on (Hold, ShowHeld).
    void HoldShows() { holding_ = true; }
    void ShowFront();
    bool Hold(Page& page, PageChange change) override;
    void ShowHeld();
    void Forget(Page& page) override;

private:
    HWND FrontWindow() const;  // the visible window of ours in front
    void LoadSound();  // in the last idle moment
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    bool terminated_ = false;
    bool passingOn_ = false;
    StartupTimes times_;
    std::function<bool()> idleWork_;
    bool firstScreenOn_ = false;  // the loop has found nothing left to do once
    bool holding_ = false;
    bool soundLoaded_ = false;    // the sound library, loaded once the other idle work is done
    std::vector<Page*> held_;     // shown while held, the last in front
    Page* front_ = nullptr;       // the page ShowFront showed, which the held ones go under
    SharedGdi gdi_;
    const PageScreen& screen_;
};

}  // namespace vindrel
