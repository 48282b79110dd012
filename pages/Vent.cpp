#include "pages/Vent.h"

#include "lang/SprogTabel.h"
#include "toolkit/Artwork.h"

namespace vindrel {

TfrmVent::TfrmVent(PageHost& app)
    : Page(app, {.className = "TfrmVent", .caption = "frmVent", .colour = kBlack, .font = {"MS Sans Serif", 11}}) {
    cmdMenu.OnClick = [this](TLMDMMButton&) {
        App().UiSound(art::kClick);
        if (OnPagesWanted) OnPagesWanted();
    };
    SetLanguage("da");
}

void TfrmVent::SetLanguage(const std::string& code) {
    if (const Sprog* sprog = FindSprog(code)) {
        lblVenter.SetCaption(sprog->Vent.lblVenter);
        cmdMenu.SetCaption(sprog->Vent.cmdMenu);
        return;
    }
    // Undecided: every language says it, as the flags do; the button keeps its Danish caption.
    std::string all;
    for (const Sprog* sprog : AlleSprog()) all += std::string(all.empty() ? "" : "\r\n\r\n") + sprog->Vent.lblVenter;
    lblVenter.SetCaption(all);
    cmdMenu.SetCaption(FindSprog("da")->Vent.cmdMenu);
}

}  // namespace vindrel
