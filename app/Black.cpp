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
#include "toolkit/WindowOwner.h"

namespace vindrel {
namespace {

const char kBlackClass[] = "TfrmBlack";
const char kShowGroupCommand[] = "[ShowGroup(NonExist, 1)]";

// Makes one page, shows it if it is visible at creation, and records it in the page set.
template <typename T, T* PageSet::*Slot>
std::unique_ptr<Page> Make(TfrmBlack& shell) {
    auto page = CreatePage<T>(shell);
    shell.Pages().*Slot = page.get();
    return page;
}

struct PageStep {
    const char* formName;
    std::unique_ptr<Page> (*create)(TfrmBlack&);
};

// The pages in their creation order; pages that use lists of later pages are connected once all
// exist. A page joins the program by its row here.
const PageStep kCreationOrder[] = {
    {"frmSpilSide", Make<TfrmSpilSide, &PageSet::frmSpilSide>},
    {"frmKategori", Make<TfrmKategori, &PageSet::frmKategori>},
    {"frmAfinstaller", Make<TfrmAfinstaller, &PageSet::frmAfinstaller>},
    {"frmIndex", Make<TfrmIndex, &PageSet::frmIndex>},
    {"frmHelp", Make<TfrmHelp, &PageSet::frmHelp>},
    {"frmDX", Make<TfrmDX, &PageSet::frmDX>},
    {"frmLavetAf", Make<TfrmLavetAf, &PageSet::frmLavetAf>},
    {"frmForside", Make<TfrmForside, &PageSet::frmForside>},
    {"frmAnsvar", Make<TfrmAnsvar, &PageSet::frmAnsvar>},
    {nullptr, nullptr},
};

// Created last, and only while the language is undecided.
const PageStep kLanguageChoice = {"frmSprogvalg", Make<TfrmSprogvalg, &PageSet::frmSprogvalg>};

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

TfrmBlack::TfrmBlack(Application& app, std::vector<std::string> args) : app_(app), args_(std::move(args)) {
    CreateBackdrop(WS_VISIBLE);
    app_.Times().Mark("backdrop window");
    // The conversation opens as soon as the shell exists, before its start-up work.
    dde_ = std::make_unique<DdeClient>("PROGMAN", "");
    app_.Times().Mark("Program Manager conversation");
    FormCreate();
}

TfrmBlack::TfrmBlack(Application& app, const OffScreenStart& start)
    : app_(app), currentLanguage_(start.language), machine_(start.machine) {
    CreateBackdrop(0);
    CreatePages();
    if (currentLanguage_ != "??") SaetSprog(*this, currentLanguage_);
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
    InstallFonts();
    times.Mark("fonts");
    runInstallList_.clear();
    machine_ = ProbeMachine();
    times.Mark("probes");
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
    CreatePages();
    SetWindowPos(hwnd_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EnableWindow(hwnd_, FALSE);
    // Undecided, the pages keep their Danish layout texts until a flag is chosen.
    if (currentLanguage_ != "??") SaetSprog(*this, currentLanguage_);
    app_.Times().Mark("language table");
}

void TfrmBlack::CreatePages() {
    StartupTimes& times = app_.Times();
    for (const PageStep& step : kCreationOrder) {
        if (!step.create) continue;
        pages_.push_back({step.formName, step.create(*this)});
        times.Mark(step.formName);
    }
    if (currentLanguage_ == "??") {
        pages_.push_back({kLanguageChoice.formName, kLanguageChoice.create(*this)});
        times.Mark(kLanguageChoice.formName);
    }
    ConnectSharedLists();
    times.Mark("shared lists");
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
    if (dde_) dde_->ExecuteAsync(kShowGroupCommand);
    Application::ProcessMessages();
}

void TfrmBlack::BringToFront() {
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TfrmBlack::FlytGruppe(const std::string& group, const std::string& edition) {
    MoveGroupIntoEdition(hwnd_, group, edition);
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
