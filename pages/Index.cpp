#include "pages/Index.h"

#include <algorithm>

#include "app/Black.h"
#include "pages/Forside.h"
#include "pages/Kategori.h"
#include "services/CDrom.h"
#include "toolkit/Artwork.h"

namespace vindrel {
namespace {

const char* const kRowNames[TfrmIndex::kRows] = {"Transknap1", "Transknap2", "Transknap3", "Transknap4",
                                                "Transknap5", "Transknap6", "Transknap7", "Transknap8",
                                                "Transknap9", "Transknap10"};

}  // namespace

TfrmIndex::TfrmIndex(TfrmBlack& shell)
    : Page(shell.App(), {.className = "TfrmIndex",
                         .caption = "frmIndex",
                         .colour = clWindow,
                         .font = {"MS Sans Serif", 13, Regular, kBlack},
                         .eraseMarker = "Dont"}),
      shell_(shell) {
    FedStreg.LoadResource(App().Instance(), art::kFedStreg);
    FinStreg.LoadResource(App().Instance(), art::kFinStreg);
    Rulleskakt.LoadResource(App().Instance(), art::kRulleskakt);
    EnkeltSkygge.LoadResource(App().Instance(), art::kShadow100);
    for (TLMDMMButton* row : rows_) row->OnClick = [this](TLMDMMButton& b) { IndexClick(b); };
    cmdOp.OnClick = [this](TLMDMMButton&) { cmdOpClick(); };
    cmdNed.OnClick = [this](TLMDMMButton&) { cmdNedClick(); };
    cmdBack.OnClick = [this](TLMDMMButton&) { cmdBackClick(); };
    // The category page, created before this one, has read the catalogue.
    IndexTop = 0;
    UpdateLabels(0);
    cmdOp.SetVisible(false);
}

TLMDMMButton& TfrmIndex::Row(int k, COLORREF transColour) {
    // Face k - 1 of IndexBaggrunde; the first row lights with face 1 instead.
    FaceIndices faces = UpOverDown(0, 1);
    if (k != 1) faces.list = {k - 1, 0, k - 1, 0, k - 1, 0, 0};
    return Add<TLMDMMButton>(kRowNames[k - 1], kIndexRow.left, kIndexRow.top + kIndexRow.step * (k - 1), kIndexRow.width, kIndexRow.height,
                             ListRow(IndexBaggrunde.get(), faces, transColour));
}

TLMDBitmapList* TfrmIndex::FaceList(const std::string& listName) {
    if (listName == "IndexBaggrunde") return IndexBaggrunde.get();
    if (listName == "LilleOpPil") return LilleOpPil.get();
    if (listName == "LilleNedPil") return LilleNedPil.get();
    return nullptr;
}

void TfrmIndex::UpdateLabels(int32_t top) {
    TfrmKategori* kategori = shell_.PagesMade().frmKategori;
    const int32_t count = kategori ? static_cast<int32_t>(kategori->SpilListe.size()) : 0;
    cmdOp.SetVisible(top >= 1);
    cmdNed.SetVisible(top <= count - (kRows + 1));
    // A catalogue shorter than the page shows one button per entry from the top, and no others.
    if (top < 0 || top > std::max(0, count - kRows)) return;
    for (int k = 1; k <= kRows; ++k) {
        TLMDMMButton& button = RowButton(k);
        const int32_t position = top + k - 1;
        button.SetVisible(false);
        if (position >= count) continue;
        button.SetCaption(kategori->SpilListe[static_cast<size_t>(position)].KortTitel);
        button.SetVisible(true);
        button.Tag = position;
    }
}

void TfrmIndex::cmdOpClick() {
    PlayUiSound(art::kClick);
    --IndexTop;
    UpdateLabels(IndexTop);
}

void TfrmIndex::cmdNedClick() {
    PlayUiSound(art::kClick);
    ++IndexTop;
    UpdateLabels(IndexTop);
}

void TfrmIndex::IndexClick(TLMDMMButton& sender) {
    TfrmKategori* kategori = shell_.Pages().frmKategori;
    if (!kategori) return;
    kategori->SelectedEntry = sender.Tag;
    kategori->ReturnToCategory = false;  // the game page's Back comes here
    kategori->JegTagerDenClick();
}

void TfrmIndex::cmdBackClick() {
    if (TfrmForside* menu = shell_.Pages().frmForside) Navigate::ShowThenHide(*menu, *this, art::kTilbage);
    else Navigate::Back(*this, art::kTilbage);
}

}  // namespace vindrel
