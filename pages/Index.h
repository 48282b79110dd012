// The index page: every demo of the catalogue, ten at a time in catalogue order, with small
// arrows that move the list one entry per click (repeating while held). A click opens the demo.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "catalogue/Rulebook.h"
#include "toolkit/Artwork.h"
#include "toolkit/BitmapList.h"
#include "toolkit/Page.h"
#include "toolkit/PictureButton.h"

namespace vindrel {

class TfrmBlack;

class TfrmIndex : public Page {
public:
    explicit TfrmIndex(TfrmBlack& shell);

    static constexpr int kRows = kIndexRow.rows;

    // Position in SpilListe of the entry on the first button.
    int32_t IndexTop = 0;

    TLMDBitmapList* FaceList(const std::string& listName) override;

private:
    TfrmBlack& shell_;
    // Loaded before the controls that take their faces from them.
    std::unique_ptr<TLMDBitmapList> IndexBaggrunde = TLMDBitmapList::FromResource(App().Instance(), art::kIndexBaggrunde);
    std::unique_ptr<TLMDBitmapList> LilleOpPil = TLMDBitmapList::FromResource(App().Instance(), art::kLilleOpPil);
    std::unique_ptr<TLMDBitmapList> LilleNedPil = TLMDBitmapList::FromResource(App().Instance(), art::kLilleNedPil);

public:
    // Component       Kind              Left, top, width, height  Settings
    TImage& imgBack = Add<TImage>("imgBack", 0, 0, 640, 480);
    TLabel& lblOverskrift = Add<TLabel>("lblOverskrift", 16, 16, 200, 25,
                                        {.caption = "Index", .font = Verdana(21, Regular, kBlack), .transparent = true,
                                         .autoSize = true});
    TImage& FedStreg = Add<TImage>("FedStreg", 18, 50, 241, 7);
    TImage& FinStreg = Add<TImage>("FinStreg", 18, 57, 1, 398);
    TImage& Rulleskakt = Add<TImage>("Rulleskakt", 231, 57, 28, 400);
    TLMDMMButton& Transknap1 = Row(1, 0x00473B46);
    TLMDMMButton& Transknap2 = Row(2, 0x0007902F);
    TLMDMMButton& Transknap3 = Row(3, 0x00078F17);
    TLMDMMButton& Transknap4 = Row(4, 0x0021771E);
    TLMDMMButton& Transknap5 = Row(5, 0x0007AD2F);
    TLMDMMButton& Transknap6 = Row(6, 0x0007AB18);
    TLMDMMButton& Transknap7 = Row(7, 0x0007AB18);
    TLMDMMButton& Transknap8 = Row(8, 0x0007AF48);
    TLMDMMButton& Transknap9 = Row(9, 0x00077844);
    TLMDMMButton& Transknap10 = Row(10, 0x00077844);
    TLMDMMButton& cmdOp = Add<TLMDMMButton>("cmdOp", 242, 57, 17, 17,
                                            Arrow(LilleOpPil.get(), UpOverDown(0, 1), 0x00000000)
                                                .Transparent(false).Colour(kBlack).Repeat(600, 150));
    TLMDMMButton& cmdNed = Add<TLMDMMButton>("cmdNed", 242, 431, 17, 17,
                                             Arrow(LilleNedPil.get(), UpOverDown(0, 1), 0x00FFFF00)
                                                 .Colour(kBlack).CaptionDown(0).Repeat(600, 150));
    TImage& EnkeltSkygge = Add<TImage>("EnkeltSkygge", 480, 418, 100, 55);
    TLMDMMButton& cmdBack = Add<TLMDMMButton>("cmdBack", 490, 417, 90, 45, GreenButton("Tilbage").Colour(kBlack));

    // Fills the ten buttons from position top of the catalogue and sets the arrows.
    void UpdateLabels(int32_t top);
    void cmdOpClick();
    void cmdNedClick();
    void cmdBackClick();
    void IndexClick(TLMDMMButton& sender);  // the handler of all ten entry buttons

    TLMDMMButton& RowButton(int row) { return *rows_[static_cast<size_t>(row - 1)]; }

private:
    TLMDMMButton& Row(int k, COLORREF transColour);
    std::array<TLMDMMButton*, kRows> rows_{&Transknap1, &Transknap2, &Transknap3, &Transknap4, &Transknap5,
                                           &Transknap6, &Transknap7, &Transknap8, &Transknap9, &Transknap10};
};

}  // namespace vindrel
