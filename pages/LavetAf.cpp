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

void TfrmLavetAf::cmdNotClick() { Navigate::Back(*this, "Click"); }

void TfrmLavetAf::cmdExitClick() {
    PlayUiSound("Click");
    // The loop ends; the shell's clean-up follows when the pages are gone.
    shell_.App().Terminate();
}

}  // namespace vindrel
