// The category page: up to eight demos of one category under its heading. It also owns the
// catalogue: its creation reads Spil.INI into SpilListe, and the index page and the language
// page use its list and its reading operations.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "catalogue/Katalog.h"
#include "services/Struktur.h"
#include "toolkit/Artwork.h"
#include "toolkit/BitmapList.h"
#include "toolkit/Page.h"
#include "toolkit/PictureButton.h"

namespace vindrel {

class TfrmBlack;

class TfrmKategori : public Page {
public:
    explicit TfrmKategori(TfrmBlack& shell);

    // The category shown; the main menu sets it before showing the page.
    CategoryCode ShownCategory = kNoCategory;
    // The demo to open, a position in SpilListe; set here or by the index page.
    int32_t SelectedEntry = 0;
    // The game page was opened from here (true) or from the index page (false).
    bool ReturnToCategory = false;
    // The shell's machine profile as it was when the page was made; the requirement check reads it.
    MachineProfile Profile;
    vindrel::SpilListe SpilListe;

    TLMDBitmapList* FaceList(const std::string& listName) override;

private:
    TfrmBlack& shell_;
    // BagKategorier: one face per demo slot; the uninstall page borrows it too.
    std::unique_ptr<TLMDBitmapList> bagKategorier_ = TLMDBitmapList::FromResource(App().Instance(), art::kBagKategorier);

public:
    // Component       Kind              Left, top, width, height  Settings
    TImage& imgBack = Add<TImage>("imgBack", 0, 0, 640, 480);
    TImage& Kategorioverskrift = Add<TImage>("Kategorioverskrift", 0, 0, 280, 81, {.transparent = true});
    TLMDMMButton& label1 = Add<TLMDMMButton>("label1", kCategoryRow.left, kCategoryRow.top + 0 * kCategoryRow.step,
                                                        kCategoryRow.width, kCategoryRow.height, Row(0, 0x0007AB18));
    TLMDMMButton& label2 = Add<TLMDMMButton>("label2", kCategoryRow.left, kCategoryRow.top + 1 * kCategoryRow.step,
                                                        kCategoryRow.width, kCategoryRow.height, Row(1, 0x00078F17));
    TLMDMMButton& label3 = Add<TLMDMMButton>("label3", kCategoryRow.left, kCategoryRow.top + 2 * kCategoryRow.step,
                                                        kCategoryRow.width, kCategoryRow.height, Row(2, 0x00078F17));
    TLMDMMButton& label4 = Add<TLMDMMButton>("label4", kCategoryRow.left, kCategoryRow.top + 3 * kCategoryRow.step,
                                                        kCategoryRow.width, kCategoryRow.height, Row(3, 0x0007AD2F));
    TLMDMMButton& label5 = Add<TLMDMMButton>("label5", kCategoryRow.left, kCategoryRow.top + 4 * kCategoryRow.step,
                                                        kCategoryRow.width, kCategoryRow.height, Row(4, 0x00078F17));
    TLMDMMButton& label6 = Add<TLMDMMButton>("label6", kCategoryRow.left, kCategoryRow.top + 5 * kCategoryRow.step,
                                                        kCategoryRow.width, kCategoryRow.height, Row(5, 0x00078F17));
    TLMDMMButton& label7 = Add<TLMDMMButton>("label7", kCategoryRow.left, kCategoryRow.top + 6 * kCategoryRow.step,
                                                        kCategoryRow.width, kCategoryRow.height, Row(6, 0x0025B11F));
    TLMDMMButton& label8 = Add<TLMDMMButton>("label8", kCategoryRow.left, kCategoryRow.top + 7 * kCategoryRow.step,
                                                        kCategoryRow.width, kCategoryRow.height, Row(7, 0x0007AD2F).MultiLine(true));
    TImage& Image1 = Add<TImage>("Image1", 480, 418, 100, 55);
    TLMDMMButton& cmdNot = Add<TLMDMMButton>("cmdNot", 490, 418, 90, 45, GreenButton("Tilbage"));
    TImage& Image2 = Add<TImage>("Image2", 260, 400, 3, 3);

    // The eight demo buttons, label1 first.
    static constexpr int kDemoButtons = kCategoryRow.rows;
    const std::array<TLMDMMButton*, kDemoButtons>& DemoButtons() const { return demoButtons_; }

    // The catalogue's reading operations on SpilListe, in CurrentLanguage.
    void indsaet_i_liste();
    void wipespilliste();

    void PutPaaKnapper();
    void KategoriClick(TLMDMMButton& sender);
    void TilbageKnapClick();
    void Image2MouseDown(const MouseEvent& e);
    void PowerDown();
    // Opens the demo at SelectedEntry on the game page.
    void JegTagerDenClick();

protected:
    void OnActivate() override { PutPaaKnapper(); }

private:
    // Slot n's row: face n of BagKategorier normally, under the mouse and pressed (label2 in every
    // state), with its catalogue position as tag until the page fills it.
    ButtonProps Row(int n, COLORREF transColour);
    std::array<TLMDMMButton*, kDemoButtons> demoButtons_{&label1, &label2, &label3, &label4,
                                              &label5, &label6, &label7, &label8};
};

}  // namespace vindrel
