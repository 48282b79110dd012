// Program entry: the application titled "Vindrel", the backdrop whose creation is the whole
// start-up, and the message loop; the backdrop's destruction is the exit clean-up.
#include <windows.h>

#include <cstdlib>
#include <optional>

#include "app/Black.h"
#include "app/OneMenu.h"
#include "catalogue/Katalog.h"
#include "proof/Proof.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    std::vector<std::string> args = vindrel::ProgramArguments();
    const bool proof = vindrel::IsProofCommand(args);
    // Before anything is made: a second menu shows nothing and cleans up nothing.
    // The producer's proof runs beside a menu and holds nothing.
    std::optional<vindrel::OneMenu> one;
    if (!proof) one.emplace(vindrel::ReadCdEdition().edition);
    if (one && !one->First()) {
        vindrel::HandOverToRunningMenu();
        return 0;
    }
    vindrel::Application app(instance, proof ? vindrel::ProofScreen() : vindrel::OnScreen());
    app.SetTitle("Vindrel");
    app.Times().Mark("application");
    // The producer's proof renders the pages into files and ends; the reader's start-up never runs.
    if (proof) return vindrel::RunProof(app, args.size() == 2 ? args[1] : std::string());
    int code;
    {
        vindrel::TfrmBlack shell(app, std::move(args));
        code = app.Run();
    }
    return code;
}

// The runtime's own reaction to an exception that nobody catches prints the exception's type,
// demangled, to a console the menu does not have; its demangler alone is about 45 KB of the exe
// that the CD drive reads before anything shows. The menu ends as the runtime would, without it.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
