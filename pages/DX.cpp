#include "pages/DX.h"

#include "app/Black.h"
#include "pages/Help.h"
#include "services/CDrom.h"
#include "toolkit/Artwork.h"

namespace vindrel {

TfrmDX::TfrmDX(TfrmBlack& shell)
    : Page(shell.App(), {.className = "TfrmDX", .caption = "frmDX", .colour = kBlack, .font = {"MS Sans Serif", 11}}),
      shell_(shell) {
    Baggrund.LoadResource(App().Instance(), art::kHovedmenu);
    Skygger.LoadResource(App().Instance(), art::kShadow290);
    cmdOK.OnClick = [this](TLMDMMButton&) { cmdOKClick(); };
    cmdHjaelp.OnClick = [this](TLMDMMButton&) { cmdHjaelpClick(); };
    cmdNot.OnClick = [this](TLMDMMButton&) { cmdNotClick(); };
}

void TfrmDX::cmdOKClick() {
    PlayUiSound(art::kClick);
    // The page stays live while the installer runs; a second press must not start it again
    // (the setup would run twice, the second copy fighting the first over the same files).
    if (installing_) return;
    installing_ = true;
    // Until the installer has ended, also when the reader took the pages back while it ran.
    if (std::unique_ptr<ProgramRun> run = ProgramRun::Start(kInstallerCommand))
        shell_.WaitFor(std::move(run), nullptr, [this] { installing_ = false; });
    else
        installing_ = false;
    Show();
}

void TfrmDX::cmdHjaelpClick() {
    if (TfrmHelp* help = shell_.Pages().frmHelp) help->OpenOnTopic(TfrmHelp::kTopicInstallingDirectX);
}

void TfrmDX::cmdNotClick() { Navigate::Back(*this, art::kClick); }

}  // namespace vindrel
