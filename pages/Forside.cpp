#include "pages/Forside.h"

#include <cstring>

#include "app/Black.h"
#include "pages/Afinstaller.h"
#include "pages/DX.h"
#include "pages/Help.h"
#include "pages/Index.h"
#include "pages/Kategori.h"
#include "pages/LavetAf.h"
#include "services/CDrom.h"
#include "toolkit/Artwork.h"

namespace vindrel {
namespace {
constexpr char kOwnPrefix[] = "frmForside.";
}

TfrmForside::TfrmForside(TfrmBlack& shell)
    : Page(shell.App(), {.className = "TfrmForside",
                         .caption = "",
                         .font = {"MS Sans Serif", 13, Regular, kBlack},
                         .visibleAtCreation = false,
                         .eraseMarker = "Dont Erase"}),
      shell_(shell) {
    imgback.LoadResource(App().Instance(), art::kHovedmenu);
    Image1.LoadResource(App().Instance(), art::kShadow200);
    // The green buttons and the exit sign name this page's own lists.
    ConnectFaceLists([this](const std::string& name) -> TLMDBitmapList* {
        const size_t n = std::strlen(kOwnPrefix);
        return name.compare(0, n, kOwnPrefix) == 0 ? FaceList(name.substr(n)) : nullptr;
    });
    cmdKategori1.OnClick = [this](TLMDMMButton&) { cmdActionClick(); };
    cmdKategori2.OnClick = [this](TLMDMMButton&) { cmdSimulatorClick(); };
    cmdKategori3.OnClick = [this](TLMDMMButton&) { cmdSportClick(); };
    cmdKategori4.OnClick = [this](TLMDMMButton&) { cmdAdventureClick(); };
    cmdKategori5.OnClick = [this](TLMDMMButton&) { cmdStrategyClick(); };
    cmdKategori6.OnClick = [this](TLMDMMButton&) { cmdJuniorClick(); };
    cmdHelp.OnClick = [this](TLMDMMButton&) { cmdHelpClick(); };
    cmdDX.OnClick = [this](TLMDMMButton&) { cmdDXClick(); };
    cmdIndex.OnClick = [this](TLMDMMButton&) { cmdIndexClick(); };
    cmdUninstall.OnClick = [this](TLMDMMButton&) { cmdUninstallClick(); };
    cmdSlut.OnClick = [this](TLMDMMButton&) { cmdExitClick(); };
}

TLMDBitmapList* TfrmForside::FaceList(const std::string& listName) {
    const std::pair<const char*, TLMDBitmapList*> lists[] = {
        {"Greens", Greens.get()},         {"bmpExit", bmpExit.get()},
        {"bmpOpKnapper", bmpOpKnapper.get()}, {"bmpNedKnapper", bmpNedKnapper.get()},
        {"bmpAction", bmpAction.get()},   {"bmpSimulator", bmpSimulator.get()},
        {"bmpSport", bmpSport.get()},     {"bmpAdventure", bmpAdventure.get()},
        {"bmpStrategi", bmpStrategi.get()}, {"bmpJunior", bmpJunior.get()},
    };
    for (const auto& [name, list] : lists)
        if (listName == name) return list;
    return nullptr;
}

TLMDBitmapList* TfrmForside::CategoryList(CategoryCode category) const {
    switch (category) {
        case 0: return bmpAction.get();
        case 1: return bmpSimulator.get();
        case 2: return bmpSport.get();
        case 3: return bmpAdventure.get();
        case 4: return bmpStrategi.get();
        case 5: return bmpJunior.get();
        default: return nullptr;
    }
}

void TfrmForside::ShowCategory(CategoryCode category) {
    // The category is set first: the page fills itself when it becomes active.
    TfrmKategori* kategori = shell_.Pages().frmKategori;
    if (kategori) kategori->ShownCategory = category;
    PlayUiSound(art::kClick);
    if (kategori) kategori->Show();
}

void TfrmForside::cmdHelpClick() {
    // Opened from here with no topic chosen.
    if (TfrmHelp* help = shell_.Pages().frmHelp) help->OpenFromMenu();
}

void TfrmForside::cmdDXClick() {
    PlayUiSound(art::kClick);
    if (TfrmDX* dx = shell_.Pages().frmDX) dx->Show();
}

void TfrmForside::cmdIndexClick() {
    PlayUiSound(art::kClick);
    if (TfrmIndex* index = shell_.Pages().frmIndex) index->Show();
}

void TfrmForside::cmdUninstallClick() {
    PlayUiSound(art::kClick);
    // The list is read again each time, so demos recorded since the last visit appear.
    if (TfrmAfinstaller* uninstall = shell_.Pages().frmAfinstaller) {
        uninstall->CleanUp();
        uninstall->Show();
    }
}

void TfrmForside::cmdExitClick() {
    // The program only ends from the credits page (or the disclaimer).
    PlayUiSound(art::kClick);
    if (TfrmLavetAf* credits = shell_.Pages().frmLavetAf) credits->Show();
}

}  // namespace vindrel
