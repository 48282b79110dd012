// The sample CD's stand-in for the graphics runtime's installer: the DirectX page starts
// \DirectX7\DXSetup.EXE and waits for it, so the CD needs a real program there. It says what the
// real one would do, changes nothing, and ends when the message is answered.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr,
                "This sample CD carries a stand-in for the DirectX 7 setup.\n\n"
                "The real setup would now install the DirectX 7 graphics runtime (display, sound and "
                "input drivers) on this PC, and might ask to restart it afterwards.\n\n"
                "Nothing has been changed.",
                "DirectX 7 Setup", MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
    return 0;
}
