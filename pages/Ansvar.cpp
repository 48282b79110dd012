#include "pages/Ansvar.h"

#include "app/Black.h"
#include "pages/Forside.h"
#include "services/CDrom.h"
#include "toolkit/Artwork.h"

namespace vindrel {

TfrmAnsvar::TfrmAnsvar(TfrmBlack& shell)
    : Page(shell.App(), {.className = "TfrmAnsvar",
                         .caption = "frmAnsvar",
                         .font = {"Comic Sans MS", 16, Regular, clWindowText},
                         .visibleAtCreation = true,
                         .eraseMarker = "Dont"}),
      shell_(shell) {
    Image1.LoadResource(App().Instance(), art::kHovedmenu);
    imgback.LoadResource(App().Instance(), art::kAnsvarPanel);
    GreenShadows.LoadResource(App().Instance(), art::kShadow100);
    cmdOK.OnClick = [this](TLMDMMButton&) { cmdOKClick(); };
    cmdSlut.OnClick = [this](TLMDMMButton&) { cmdCancelClick(); };
}

void TfrmAnsvar::cmdOKClick() {
    PlayUiSound(art::kClick);
    if (TfrmForside* menu = shell_.Pages().frmForside) menu->Show();
    Hide();
}

void TfrmAnsvar::cmdCancelClick() {
    PlayUiSound(art::kClick);
    Sleep(1000);  // so that the click is heard before the program goes
    shell_.App().Terminate();
}

}  // namespace vindrel
