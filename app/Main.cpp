// Program entry: the application titled "Vindrel", the backdrop whose creation is the whole
// start-up, and the message loop; the backdrop's destruction is the exit clean-up.
#include <windows.h>

#include "app/Black.h"
#include "app/Proof.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    vindrel::Application app(instance);
    app.SetTitle("Vindrel");
    std::vector<std::string> args = vindrel::ProgramArguments();
    // The producer's proof renders the pages into files and ends; the reader's start-up never runs.
    if (vindrel::IsProofCommand(args)) return vindrel::RunProof(app, args.size() == 2 ? args[1] : std::string());
    int code;
    {
        vindrel::TfrmBlack shell(app, std::move(args));
        code = app.Run();
    }
    return code;
}
