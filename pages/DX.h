// The DirectX page: a short explanation and the DirectX 7 installer on the CD, with help on the
// DirectX topic and Back.
#pragma once
#include <string>

#include "toolkit/Page.h"
#include "toolkit/PictureButton.h"

namespace vindrel {

class TfrmBlack;

class TfrmDX : public Page {
public:
    explicit TfrmDX(TfrmBlack& shell);

    // A path from the root of the current drive: the CD's, when the menu runs from it.
    static constexpr const char* kInstallerCommand = "\\DirectX7\\DXSetup.EXE";

    // Component       Kind              Left, top, width, height  Settings
    TImage& Baggrund = Add<TImage>("Baggrund", 0, 0, 640, 480);
    TLabel& lblDX = Add<TLabel>("lblDX", 16, 16, 240, 400,
                                {.font = Verdana(13, Bold, kBlack), .transparent = true, .wordWrap = true});
    TImage& Skygger = Add<TImage>("Skygger", 290, 418, 290, 55);
    TLMDMMButton& cmdOK = Add<TLMDMMButton>("cmdOK", 297, 418, 90, 45, GreenButton("Installér"));
    TLMDMMButton& cmdHjaelp = Add<TLMDMMButton>("cmdHjaelp", 392, 418, 90, 45, GreenButton("Hjælp"));
    TLMDMMButton& cmdNot = Add<TLMDMMButton>("cmdNot", 490, 418, 90, 45, GreenButton("Tilbage"));

    void cmdOKClick();
    void cmdHjaelpClick();
    void cmdNotClick();

    // The installer started by Install is still running.
    bool Installing() const { return installing_; }

private:
    TfrmBlack& shell_;
    bool installing_ = false;
};

}  // namespace vindrel
