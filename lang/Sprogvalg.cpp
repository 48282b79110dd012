#include "lang/Sprogvalg.h"

#include "app/Black.h"
#include "lang/SaetSprog.h"
#include "pages/Kategori.h"
#include "services/CDrom.h"
#include "toolkit/Artwork.h"

namespace vindrel {

TfrmSprogvalg::TfrmSprogvalg(TfrmBlack& shell)
    : Page(shell.App(), {.className = "TfrmSprogvalg", .caption = "frmSprogvalg", .colour = kBlack,
                         .visibleAtCreation = true}),
      shell_(shell),
      FlagBilleder_(TLMDBitmapList::FromResource(shell.App().Instance(), art::kFlagBilleder)) {
    Dansk.OnClick = [this](TLMDMMButton&) { TransKnap1Click(); };
    Norsk.OnClick = [this](TLMDMMButton&) { TransKnap2Click(); };
    Svensk.OnClick = [this](TLMDMMButton&) { TransKnap3Click(); };
    Finsk.OnClick = [this](TLMDMMButton&) { frmSprogvalgClick(); };
}

TLMDBitmapList* TfrmSprogvalg::FaceList(const std::string& listName) {
    return listName == "FlagBilleder" ? FlagBilleder_.get() : nullptr;
}

void TfrmSprogvalg::TransKnap1Click() { Vaelg("da"); }
void TfrmSprogvalg::TransKnap2Click() { Vaelg("no"); }
void TfrmSprogvalg::TransKnap3Click() { Vaelg("se"); }
void TfrmSprogvalg::frmSprogvalgClick() { Vaelg("fi"); }

void TfrmSprogvalg::Vaelg(const char* code) {
    PlayUiSound(art::kClick);
    shell_.SetCurrentLanguage(code);
    SaetSprog(shell_, code);
    // The catalogue was read at start-up, before any language was known; a category page made
    // from now on reads it in the language chosen.
    if (TfrmKategori* kategori = shell_.PagesMade().frmKategori) {
        kategori->wipespilliste();
        kategori->indsaet_i_liste();
    }
    Hide();
}

}  // namespace vindrel
