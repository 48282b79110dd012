// Program entry: the application titled "Vindrel", the backdrop whose creation is the whole
// start-up, and the message loop; the backdrop's destruction is the exit clean-up.
#include <windows.h>

#include "app/Black.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    vindrel::Application app(instance);
    app.SetTitle("Vindrel");
    app.Times().Mark("application");
    int code;
    {
        vindrel::TfrmBlack shell(app, vindrel::ProgramArguments());
        code = app.Run();
    }
    return code;
}
