#include "app/Black.h"

#include <cstdlib>
#include <cstring>

#include "lang/SaetSprog.h"
#include "lang/Sprogvalg.h"
#include "pages/Afinstaller.h"
#include "pages/Ansvar.h"
#include "pages/DX.h"
#include "pages/Forside.h"
#include "pages/Help.h"
#include "pages/Index.h"
#include "pages/Kategori.h"
#include "pages/LavetAf.h"
#include "pages/SpilSide.h"
#include "services/CDrom.h"
#include "toolkit/Text.h"
#include "toolkit/WindowOwner.h"

namespace vindrel {
namespace {

const char kBlackClass[] = "TfrmBlack";
const char kShowGroupCommand[] = "[ShowGroup(NonExist, 1)]";

// Makes one page, shows it if it is visible at creation, and records it in the page set.
template <typename T, T* PageSet::*Slot>
std::unique_ptr<Page> Make(TfrmBlack& shell, PageSet& pages) {
    auto page = CreatePage<T>(shell);
    pages.*Slot = page.get();
    return page;
}

// The set with only that page of another set.
template <typename T, T* PageSet::*Slot>
PageSet Only(const PageSet& pages) {
    PageSet one;
    one.*Slot = pages.*Slot;
    return one;
}

struct PageStep {
    const char* formName;
    std::unique_ptr<Page> (*create)(TfrmBlack&, PageSet&);
    PageSet (*only)(const PageSet&);
    // Made before the first screen is painted: shown at start, or holding the button faces that
    // the pages shown at start use. The others follow in the loop's idle moments.
    bool atStart;
};

template <typename T, T* PageSet::*Slot>
constexpr PageStep Step(const char* formName, bool atStart) {
    return {formName, Make<T, Slot>, Only<T, Slot>, atStart};
}

// The pages in their creation order; pages that use lists of later pages are connected once
// those exist. A page joins the program by its row here.
const PageStep kCreationOrder[] = {
    Step<TfrmSpilSide, &PageSet::frmSpilSide>("frmSpilSide", true),
    Step<TfrmKategori, &PageSet::frmKategori>("frmKategori", false),
    Step<TfrmAfinstaller, &PageSet::frmAfinstaller>("frmAfinstaller", false),
    Step<TfrmIndex, &PageSet::frmIndex>("frmIndex", false),
    Step<TfrmHelp, &PageSet::frmHelp>("frmHelp", false),
    Step<TfrmDX, &PageSet::frmDX>("frmDX", false),
    Step<TfrmLavetAf, &PageSet::frmLavetAf>("frmLavetAf", false),
    Step<TfrmForside, &PageSet::frmForside>("frmForside", true),
    Step<TfrmAnsvar, &PageSet::frmAnsvar>("frmAnsvar", true),
};
constexpr size_t kPageSteps = sizeof kCreationOrder / sizeof kCreationOrder[0];

// Made with the pages shown at start, on top of them, and only while the language is undecided.
const PageStep kLanguageChoice = Step<TfrmSprogvalg, &PageSet::frmSprogvalg>("frmSprogvalg", true);

}  // namespace

std::string LanguageFromLangId(LANGID id) {
    switch (id & 0xFF) {
        case 0x06: return "da";
        case 0x0B: return "fi";
        case 0x14: return "no";
        case 0x1D: return "se";
        default: return "??";
    }
}

std::string LanguageFromCommandLine(const std::string& systemLanguage, const std::vector<std::string>& args) {
    if (args.size() == 1) {
        for (const char* code : {"da", "fi", "no", "se", "??"})
            if (args[0] == code) return code;
    }
    return systemLanguage;
}

std::vector<std::string> ProgramArguments() {
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
    return args;
}

TfrmBlack::TfrmBlack(Application& app, MenuStart start)
    : app_(app), args_(std::move(start.args)), made_(kPageSteps, false), converses_(!start.given) {
    if (start.given) {  // nothing is shown or asked of the system
        currentLanguage_ = start.given->language;
        machine_ = start.given->machine;
        CreateBackdrop(0);
        CreatePages();
        if (currentLanguage_ != "??") SaetSprog(*this, currentLanguage_);
        languageSettled_ = true;
        return;
    }
    CreateBackdrop(WS_VISIBLE);
    app_.Times().Mark("backdrop window");
    FormCreate();
    // The Program Manager conversation and the pages hidden at start wait for the first screen.
    app_.SetIdleWork([this] { return WhenIdle(); });
}

void TfrmBlack::CreateBackdrop(DWORD visible) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = app_.Instance();
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kBlackClass;
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(0, kBlackClass, "frmBlack", WS_POPUP | visible, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                            GetSystemMetrics(SM_CYSCREEN), app_.Handle(), nullptr, app_.Instance(), this);
    // Black at once, not when the message loop first turns: on a slow drive the reader sees at
    // once that the menu has started, while the pages are still being made.
    if (visible) UpdateWindow(hwnd_);
}

TfrmBlack::~TfrmBlack() {
    app_.SetIdleWork(nullptr);
    // Pages go in reverse order of creation; the shell's clean-up runs after all of them.
    while (!pages_.empty()) pages_.pop_back();
    FormDestroy();
    dde_.reset();
    if (hwnd_) DestroyWindow(hwnd_);
}

void TfrmBlack::FormCreate() {
    if (GetSystemMetrics(SM_CXSCREEN) < 640) {
        MessageBoxA(hwnd_, "Your resolution must be at least 640x480", "Warning", MB_OK | MB_ICONWARNING);
        app_.Terminate();  // start-up goes on; the loop ends on its first turn
    }
    StartupTimes& times = app_.Times();
    times.Mark("screen check");
    ShowInformation(hwnd_, InstallFonts());
    times.Mark("fonts");
    runInstallList_.clear();
    currentLanguage_ = LanguageFromLangId(GetSystemDefaultLangID());
    currentLanguage_ = LanguageFromCommandLine(currentLanguage_, args_);
    Fortsaet();
}

void TfrmBlack::Fortsaet() {
    // Started from AutoPlay or a double-click, the menu takes the screen from whatever was in front.
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    BringWindowToTop(hwnd_);
    app_.Times().Mark("backdrop shown");
    CreateFirstPages();
    SetWindowPos(hwnd_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EnableWindow(hwnd_, FALSE);
    // Undecided, the pages keep their Danish layout texts until a flag is chosen.
    if (currentLanguage_ != "??") SaetSprog(*this, currentLanguage_);
    languageSettled_ = true;  // pages made from now on take the language as they come
    app_.Times().Mark("language table");
}

PageSet& TfrmBlack::Pages() {
    while (CreateNextPage()) {
    }
    return pageSet_;
}

const std::vector<TfrmBlack::OwnedPage>& TfrmBlack::AllPages() {
    Pages();
    return pages_;
}

void TfrmBlack::CreatePage(size_t step) {
    const PageStep& row = step < kPageSteps ? kCreationOrder[step] : kLanguageChoice;
    if (step < kPageSteps) made_[step] = true;
    pages_.push_back({row.formName, row.create(*this, pageSet_)});
    app_.Times().Mark(row.formName);
    if (!firstPagesMade_) return;
    // A page made after the others: it gets the lists it uses, and the language already applied.
    ConnectSharedLists();
    if (languageSettled_ && currentLanguage_ != "??") SaetSprog(*this, currentLanguage_, row.only(pageSet_));
}

void TfrmBlack::CreateFirstPages() {
    // Only the page in front is shown for the first screen; the pages it covers follow it.
    app_.HoldShows();
    for (size_t i = 0; i < kPageSteps; ++i)
        if (kCreationOrder[i].atStart) CreatePage(i);
    if (currentLanguage_ == "??") CreatePage(kPageSteps);
    ConnectSharedLists();
    app_.ShowFront();
    firstPagesMade_ = true;
    app_.Times().Mark("shared lists");
}

void TfrmBlack::CreatePages() {
    for (size_t i = 0; i < kPageSteps; ++i) CreatePage(i);
    if (currentLanguage_ == "??") CreatePage(kPageSteps);
    ConnectSharedLists();
    firstPagesMade_ = true;
}

bool TfrmBlack::CreateNextPage() {
    for (size_t i = 0; i < kPageSteps; ++i) {
        if (made_[i]) continue;
        CreatePage(i);
        return true;
    }
    return false;
}

const MachineProfile& TfrmBlack::Machine() {
    if (!machine_) {
        machine_ = ProbeMachine();
        app_.Times().Mark("probes");
    }
    return *machine_;
}

bool TfrmBlack::WhenIdle() {
    if (!machine_) {
        Machine();
        return true;
    }
    if (!dde_ && converses_) {
        OpenConversation();
        return true;
    }
    if (CreateNextPage()) return true;
    app_.Times().Finish("every page");
    return false;
}

void TfrmBlack::OpenConversation() {
    if (dde_ || !converses_) return;
    dde_ = std::make_unique<DdeClient>("PROGMAN", "");
    app_.Times().Mark("Program Manager conversation");
}

bool TfrmBlack::DdeConnected() {
    OpenConversation();
    return dde_ && dde_->Connected(DdeClient::kEndMs);
}

void TfrmBlack::ConnectSharedLists() {
    // "frmForside.Greens": the list Greens of the page frmForside.
    auto lookup = [this](const std::string& qualified) -> TLMDBitmapList* {
        size_t dot = qualified.find('.');
        if (dot == std::string::npos) return nullptr;
        for (const OwnedPage& owned : pages_)
            if (qualified.compare(0, dot, owned.formName) == 0 && std::strlen(owned.formName) == dot)
                return owned.page->FaceList(qualified.substr(dot + 1));
        return nullptr;
    };
    for (const OwnedPage& owned : pages_) owned.page->ConnectFaceLists(lookup);
}

void TfrmBlack::FormDestroy() {
    for (const InstallRecord& record : runInstallList_) {
        if (record.group.empty()) continue;
        FlytGruppe(record.group, record.edition);
        if (!record.uninstallKey.empty())
            WriteInstallRecord(record.edition, record.shortTitle, record.group,
                               LookUpUninstallString(record.uninstallKey));
    }
    runInstallList_.clear();
    // Ended before the first idle moment (the screen check), the menu still says it.
    if (DdeConnected()) dde_->ExecuteAsync(kShowGroupCommand);
    Application::ProcessMessages();
}

void TfrmBlack::BringToFront() {
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TfrmBlack::FlytGruppe(const std::string& group, const std::string& edition) {
    ShowInformation(hwnd_, MoveGroupIntoEdition(hwnd_, group, edition).messages);
}

LRESULT CALLBACK TfrmBlack::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    TfrmBlack* self = WindowOwner<TfrmBlack>(hwnd, msg, lp);
    if (msg == WM_CLOSE) {  // FormCloseQuery accepts every close
        if (self) self->app_.Terminate();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace vindrel
