// The backdrop's notice while the menu waits for a program from the CD that shows no window: the
// reader learns that the menu waits, and takes the pages back with the button while the program
// runs on. A black page on the black backdrop, so that the backdrop itself seems to say it.
#pragma once
#include <functional>
#include <string>

#include "toolkit/Page.h"
#include "toolkit/PictureButton.h"

namespace vindrel {

class TfrmVent : public Page {
public:
    explicit TfrmVent(PageHost& app);

    // The texts of the language ("??": the four languages' notices one after another).
    void SetLanguage(const std::string& code);

    // Component       Kind              Left, top, width, height  Settings
    TLabel& lblVenter = Add<TLabel>("lblVenter", 40, 120, 560, 240,
                                    {.font = Verdana(13, Bold, kSilver), .transparent = true, .wordWrap = true});
    TLMDMMButton& cmdMenu = Add<TLMDMMButton>("cmdMenu", 275, 380, 90, 45, GreenButton("Menu").Colour(kBlack));

    // What the button does; set by the backdrop.
    std::function<void()> OnPagesWanted;
};

}  // namespace vindrel
