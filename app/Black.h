// The black backdrop. Its creation is the program's start-up (screen check, fonts, language, the
// first screen's pages; the probes, the DDE conversation and the other pages follow in the loop's
// idle moments) and its destruction the exit clean-up (Start-menu groups, records, DDE).
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/Application.h"
#include "app/DdeClient.h"
#include "app/Pages.h"
#include "services/Struktur.h"
#include "toolkit/Page.h"

namespace vindrel {

class ProgramRun;
class TfrmVent;

// "da", "fi", "no", "se" from the primary language of a language id; "??" for any other.
std::string LanguageFromLangId(LANGID id);
// A single argument that is exactly one of the codes (or "??") overrides; anything else is ignored.
std::string LanguageFromCommandLine(const std::string& systemLanguage, const std::vector<std::string>& args);
// The program's arguments after its name, as the C runtime split them.
std::vector<std::string> ProgramArguments();

// What the start-up is given. The reader's start is given the program's arguments, where a
// language code overrides the system's language. A start for rendering the pages (the producer's
// proof, with an application whose pages are off the screen) is given the language and the
// machine: the catalogue is read and every page made at once with the language applied, and
// nothing else happens: no window is shown, no fonts copied, no Program Manager.
struct MenuStart {
    struct Given {
        std::string language;  // "??": undecided, the flags are made
        MachineProfile machine;
    };
    MenuStart(std::vector<std::string> arguments = {}) : args(std::move(arguments)) {}
    static MenuStart Rendering(std::string language, const MachineProfile& machine) {
        MenuStart start;
        start.given = Given{std::move(language), machine};
        return start;
    }
    std::vector<std::string> args;
    std::optional<Given> given;
};

class TfrmBlack {
public:
    // The reader's start: FormCreate, then Fortsaet. A start for rendering: every page at once.
    TfrmBlack(Application& app, MenuStart start);
    ~TfrmBlack();  // pages go first, then FormDestroy
    TfrmBlack(const TfrmBlack&) = delete;
    TfrmBlack& operator=(const TfrmBlack&) = delete;

    HWND Handle() const { return hwnd_; }
    Application& App() { return app_; }
    // Every page: those not made yet are made now, in their order, so a page is there whenever
    // a click, the proof or a test needs it.
    PageSet& Pages();
    // The pages in creation order, each with its form name ("frmForside"); every page, as Pages.
    struct OwnedPage {
        const char* formName;
        std::unique_ptr<Page> page;
    };
    const std::vector<OwnedPage>& AllPages();
    // The pages made so far, without making any.
    const PageSet& PagesMade() const { return pageSet_; }
    // Makes the next page hidden at start; false once every page exists. The message loop calls
    // it whenever it is idle, so the first page is painted before the hidden ones are made.
    bool CreateNextPage();

    const std::string& CurrentLanguage() const { return currentLanguage_; }
    void SetCurrentLanguage(const std::string& code) { currentLanguage_ = code; }
    // Probed at the first idle moment, or when asked before: nothing on the first screen uses it.
    const MachineProfile& Machine();
    void AppendInstall(InstallRecord record) { runInstallList_.push_back(std::move(record)); }
    const RunInstallList& InstallList() const { return runInstallList_; }
    // Opens the Program Manager conversation unless it is open already (the first idle moment
    // opens it); whether it opened in time.
    bool DdeConnected();

    // Raises the backdrop over every page (while an external program runs).
    void BringToFront();

    // Waits for a started program and what it starts (the watch's events handled meanwhile), then
    // runs `ended`. Should they show no window for a while, the backdrop comes to the front, if it
    // is not there, and says that the menu waits, with a button that brings the pages back: the
    // wait then returns at once, as it does when the menu is asked to end, and the programs run on,
    // followed by the shell until they end, when `ended` runs (not at all if the menu ends first).
    // True when the programs ended within the wait.
    bool WaitFor(std::unique_ptr<ProgramRun> run, const WaitWatch* watch, std::function<void()> ended);
    // How many programs the reader stopped waiting for still run.
    size_t StillFollowed() const { return followed_.size(); }
    // The notice while programs run without a window; null until first needed.
    TfrmVent* Notice() const { return vent_.get(); }

    // Moves one Start-menu group (a folder, or a single shortcut group.lnk) into Games\<edition>.
    void FlytGruppe(const std::string& group, const std::string& edition);

private:
    void CreateBackdrop(DWORD visible);
    void FormCreate();
    void Fortsaet();
    void FormDestroy();
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    Application& app_;
    std::vector<std::string> args_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<DdeClient> dde_;
    std::string currentLanguage_ = "??";
    std::optional<MachineProfile> machine_;
    RunInstallList runInstallList_;
    void CreatePages();
    void CreateFirstPages();
    void CreatePage(size_t step);
    void ConnectSharedLists();
    void OpenConversation();
    bool WhenIdle();

    // A program the reader stopped waiting for.
    struct Followed {
        std::unique_ptr<ProgramRun> run;
        const WaitWatch* watch;
        std::function<void()> ended;
    };
    void ShowNotice(bool quiet);
    void LookAtFollowed();
    std::vector<Followed> followed_;
    bool lookingAtFollowed_ = false;
    std::unique_ptr<TfrmVent> vent_;
    bool* pagesWanted_ = nullptr;  // the innermost wait's: the notice's button was pressed
    bool raisedForNotice_ = false;  // the backdrop was behind the pages when the notice came

    PageSet pageSet_;
    std::vector<OwnedPage> pages_;  // in creation order
    std::vector<bool> made_;        // by row of the creation table
    bool firstPagesMade_ = false;
    bool languageSettled_ = false;  // the start-up's language step is done
    bool converses_;                // a start for rendering has no Program Manager
};

}  // namespace vindrel
