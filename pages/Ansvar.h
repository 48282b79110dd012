// The disclaimer page: the first page of every run. OK opens the main menu; the exit sign leaves
// the program.
#pragma once
#include "toolkit/Page.h"
#include "toolkit/PictureButton.h"

namespace vindrel {

class TfrmBlack;

class TfrmAnsvar : public Page {
public:
    explicit TfrmAnsvar(TfrmBlack& shell);

    // Component       Kind              Left, top, width, height  Settings
    TImage& Image1 = Add<TImage>("Image1", 0, 0, 641, 481);
    TImage& imgback = Add<TImage>("imgback", 18, 20, 242, 398);
    TLabel& lblAnsvar = Add<TLabel>("lblAnsvar", 24, 32, 241, 377,
                                    {.font = Verdana(13, Bold, clWindowText), .transparent = true, .wordWrap = true});
    TImage& GreenShadows = Add<TImage>("GreenShadows", 8, 418, 100, 55);
    TLMDMMButton& cmdOK = Add<TLMDMMButton>("cmdOK", 18, 418, 90, 45,
                                            GreenButton("OK")
                                                .Colour(kBlack)
                                                .TransColour(0)
                                                .AllowTransparency(false)
                                                .FaceStyle(ButtonFaceStyle::sbCenter)
                                                .AlignText2Glyph(TextToGlyph::taTopLeft));
    TLMDMMButton& cmdSlut = Add<TLMDMMButton>("cmdSlut", 559, 427, 81, 53, ExitSign());

    void cmdOKClick();
    void cmdCancelClick();

private:
    TfrmBlack& shell_;
};

}  // namespace vindrel
