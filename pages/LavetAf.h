// The credits page: who made the CD, the rights notice and the support line. Back returns to the
// main menu; the exit sign ends the program. Holds a hidden picture that a secret gesture on the
// category page reveals.
#pragma once
#include <string>

#include "catalogue/Katalog.h"
#include "toolkit/Page.h"
#include "toolkit/PictureButton.h"

namespace vindrel {

class TfrmBlack;

class TfrmLavetAf : public Page {
public:
    explicit TfrmLavetAf(TfrmBlack& shell);

    // The year of the rights notice: the catalogue's [CD] Aar, or 1999.
    const std::string Year = ReadCdEdition().year;

    // Component       Kind              Left, top, width, height  Settings
    TImage& imgback = Add<TImage>("imgback", 0, 0, 640, 480);
    TLabel& Label1 = Add<TLabel>("Label1", 8, 8, 260, 25,
                                 {.caption = "Credits:", .font = Verdana(21, Underline, clWindowText), .transparent = true});
    TLabel& lblLavetAf = Add<TLabel>("lblLavetAf", 8, 40, 257, 225,
                                     {.font = Verdana(13, Bold), .transparent = true, .wordWrap = true});
    TLabel& lblCopyRight = Add<TLabel>("lblCopyRight", 8, 240, 260, 69,
                                       {.font = Verdana(13, Bold), .transparent = true, .wordWrap = true});
    TLabel& lblProblemer = Add<TLabel>("lblProblemer", 8, 300, 257, 89,
                                       {.font = Verdana(13, Bold), .transparent = true, .wordWrap = true});
    TImage& imgHeHe = Add<TImage>("imgHeHe", 470, 250, 129, 89, {.stretch = true, .visible = false});
    TImage& GreenShadow = Add<TImage>("GreenShadow", 7, 418, 100, 55);
    TLMDMMButton& cmdNot = Add<TLMDMMButton>("cmdNot", 17, 418, 90, 45,
                                             GreenButton("Tilbage").Colour(kBlack).FaceStyle(ButtonFaceStyle::sbAutosize));
    TLMDMMButton& cmdSlut = Add<TLMDMMButton>("cmdSlut", 559, 427, 81, 53, ExitSign());

    void cmdNotClick();
    void cmdExitClick();

private:
    TfrmBlack& shell_;
};

}  // namespace vindrel
