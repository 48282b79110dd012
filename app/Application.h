// The application object: its title (the task-bar button's text), the hidden window that owns
// every page so that all of them can be restacked freely, and the message loop.
#pragma once
#include <windows.h>
#include <string>

#include "app/StartupTimes.h"
#include "toolkit/SharedGdi.h"

namespace vindrel {

class Application {
public:
    explicit Application(HINSTANCE instance);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HINSTANCE Instance() const { return instance_; }
    HWND Handle() const { return window_; }  // owner of every page

    void SetTitle(const std::string& title);
    std::string Title() const;

    // Ends the message loop; requested before the loop runs, the loop ends as soon as it starts.
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Runs the message loop until Terminate; returns the exit code.
    int Run();

    // Dispatches the messages that are waiting, then returns.
    static void ProcessMessages();

    // Start-up timing (off unless switched on); the loop finishes it at its first idle turn.
    StartupTimes& Times() { return times_; }

    // The back buffer, fonts and pictures that all pages share.
    SharedGdi& Gdi() { return gdi_; }

private:
    HINSTANCE instance_;
    HWND window_ = nullptr;
    bool terminated_ = false;
    StartupTimes times_;
    SharedGdi gdi_;
};

}  // namespace vindrel
