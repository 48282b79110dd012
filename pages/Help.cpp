#include "pages/Help.h"

#include "app/Black.h"
#include "services/CDrom.h"
#include "toolkit/Artwork.h"

namespace vindrel {

TfrmHelp::TfrmHelp(TfrmBlack& shell)
    : Page(shell.App(), {.className = "TfrmHelp",
                         .caption = "frmHelp",
                         .colour = clBtnFace,
                         .font = {"MS Sans Serif", 11},
                         .eraseMarker = "Dont Erase"}) {
    EnkeltSkygge.LoadResource(App().Instance(), art::kShadow100);
    radHelpSelect.OnClick = [this](TRadioGroup&) { radHelpSelectClick(); };
    cmdNot.OnClick = [this](TLMDMMButton&) { cmdNotClick(); };
    FormCreate();
}

void TfrmHelp::AppendTopic(const std::string& name) { radHelpSelect.AddItem(name); }

void TfrmHelp::OpenFromMenu() {
    PlayUiSound(art::kClick);
    Show();
}

void TfrmHelp::OpenOnTopic(int index) {
    // The page always comes back with nothing chosen, so this choice runs the topic handler.
    radHelpSelect.SetItemIndex(index);
    PlayUiSound(art::kClick);
    Show();
}

void TfrmHelp::FormCreate() {
    // No language is applied yet, so this leaves the text area empty.
    lblHelp.SetCaption(HelpTexts[1]);
}

void TfrmHelp::FormShow() { radHelpSelect.SetEnabled(true); }

void TfrmHelp::radHelpSelectClick() {
    PlayUiSound(art::kClick);
    const int index = radHelpSelect.ItemIndex();
    if (index >= 0 && index + 1 < static_cast<int>(HelpTexts.size()))
        lblHelp.SetCaption(HelpTexts[static_cast<size_t>(index) + 1]);
}

void TfrmHelp::cmdNotClick() {
    radHelpSelect.SetItemIndex(-1);  // silent: no topic handler, no sound
    lblHelp.SetCaption("");
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PlayUiSound(art::kTilbage);
    radHelpSelect.SetEnabled(false);
    Hide();
}

}  // namespace vindrel
