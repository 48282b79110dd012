#include "pages/Kategori.h"

#include "app/Black.h"
#include "pages/Forside.h"
#include "pages/LavetAf.h"
#include "pages/SpilSide.h"
#include "services/CDrom.h"
#include "toolkit/Artwork.h"

namespace vindrel {
namespace {

// The heading of each category: picture 0 of Action's list, picture 2 of the others.
int HeadingItem(CategoryCode category) { return category == 0 ? 0 : 2; }

}  // namespace

TfrmKategori::TfrmKategori(TfrmBlack& shell)
    : Page(shell.App(), {.className = "TfrmKategori",
                         .caption = "Kategori",
                         .colour = kBlack,
                         .font = {"MS Sans Serif", 11, Regular, clWindowText},
                         .eraseMarker = "Dont Erase"}),
      Profile(shell.Machine()),
      shell_(shell) {
    Image1.LoadResource(App().Instance(), art::kShadow100);
    for (TLMDMMButton* button : demoButtons_) button->OnClick = [this](TLMDMMButton& b) { KategoriClick(b); };
    cmdNot.OnClick = [this](TLMDMMButton&) { TilbageKnapClick(); };
    Image2.OnMouseDown = [this](Control&, const MouseEvent& e) { Image2MouseDown(e); };
    SpilListe.clear();
    ShownCategory = kNoCategory;
    indsaet_i_liste();
}

ButtonProps TfrmKategori::Row(int n, COLORREF transColour) {
    FaceIndices faces = n == 1 ? FaceIndices{{1, 1, 1, 1, 1, 0, 0}, {}} : FaceIndices{{n, 0, n, 0, n, 0, 0}, {}};
    return ListRow(bagKategorier_.get(), faces, transColour).Tag(n);
}

TLMDBitmapList* TfrmKategori::FaceList(const std::string& listName) {
    return listName == "BagKategorier" ? bagKategorier_.get() : nullptr;
}

void TfrmKategori::indsaet_i_liste() { vindrel::indsaet_i_liste(SpilListe, shell_.CurrentLanguage()); }

void TfrmKategori::wipespilliste() { vindrel::wipespilliste(SpilListe); }

void TfrmKategori::PutPaaKnapper() {
    for (TLMDMMButton* button : demoButtons_) button->SetVisible(false);
    size_t slot = 0;
    for (size_t position = 0; position < SpilListe.size() && slot < demoButtons_.size(); ++position) {
        const TSpilPost& entry = SpilListe[position];
        if (entry.Kategori != ShownCategory) continue;
        TLMDMMButton& button = *demoButtons_[slot++];
        button.SetCaption(entry.KortTitel);
        button.SetFontColour(kBlack);
        button.SetVisible(true);
        button.Tag = static_cast<int>(position);
    }
    TfrmForside* menu = shell_.Pages().frmForside;
    if (!menu) return;
    if (TLMDBitmapList* list = menu->CategoryList(ShownCategory))
        Kategorioverskrift.SetPicture(list->Bitmap(HeadingItem(ShownCategory)));
}

void TfrmKategori::KategoriClick(TLMDMMButton& sender) {
    SelectedEntry = sender.Tag;
    ReturnToCategory = true;
    JegTagerDenClick();
}

void TfrmKategori::TilbageKnapClick() { Navigate::Back(*this, art::kTilbage); }

void TfrmKategori::Image2MouseDown(const MouseEvent& e) {
    // Exactly the right button with Shift, Ctrl and Alt: no other mouse button held.
    const UINT wanted = MK_RBUTTON | MK_SHIFT | MK_CONTROL;
    const UINT seen = e.keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2 | MK_SHIFT | MK_CONTROL);
    if (e.button == MouseButton::Right && seen == wanted && e.alt) PowerDown();
}

void TfrmKategori::PowerDown() {
    PlayUiSound(art::kClick);
    if (TfrmLavetAf* credits = shell_.Pages().frmLavetAf) credits->imgHeHe.SetVisible(true);
}

void TfrmKategori::JegTagerDenClick() {
    PlayUiSound(art::kClick);
    // Positions come from this page's buttons or the index page; one that is gone opens nothing.
    if (SelectedEntry < 0 || static_cast<size_t>(SelectedEntry) >= SpilListe.size()) return;
    if (TfrmSpilSide* game = shell_.Pages().frmSpilSide) game->ShowDemo(SpilListe[static_cast<size_t>(SelectedEntry)], Profile);
}

}  // namespace vindrel
