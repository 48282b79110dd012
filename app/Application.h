// The application object: its title (the task-bar button's text), the hidden window that owns
// every page so that all of them can be restacked freely, and the message loop.
#pragma once
#include <windows.h>
#include <string>

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

    // Pages made while this is on are never put on the screen: showing one only does what it
    // does for the page itself (the proof renders them off the screen).
    void SetOffScreen(bool on) { offScreen_ = on; }
    bool OffScreen() const { return offScreen_; }

    // Runs the message loop until Terminate; returns the exit code.
    int Run();

    // Dispatches the messages that are waiting, then returns.
    static void ProcessMessages();

private:
    HINSTANCE instance_;
    HWND window_ = nullptr;
    bool terminated_ = false;
    bool offScreen_ = false;
};

}  // namespace vindrel
