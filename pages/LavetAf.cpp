#include "pages/LavetAf.h"

#include "app/Black.h"
#include "services/CDrom.h"
#include "toolkit/Artwork.h"

namespace vindrel {

TfrmLavetAf::TfrmLavetAf(TfrmBlack& shell)
    : Page(shell.App(), {.className = "TfrmLavetAf", .caption = "frmLavetAf", .colour = kGrey}), shell_(shell) {
    imgHeHe.LoadResource(App().Instance(), art::kHeHe);
    GreenShadow.LoadResource(App().Instance(), art::kShadow100);
    cmdNot.OnClick = [this](TLMDMMButton&) { cmdNotClick(); };
    cmdSlut.OnClick = [this](TLMDMMButton&) { cmdExitClick(); };
}

void TfrmLavetAf::cmdNotClick() { Navigate::Back(*this, art::kClick); }

void TfrmLavetAf::cmdExitClick() {
    PlayUiSound(art::kClick);
    // The loop ends; the shell's clean-up follows when the pages are gone.
    shell_.App().Terminate();
}

}  // namespace vindrel
