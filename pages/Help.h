// The help page: five topic names on the right, the chosen topic's text on the left. The main
// menu opens it with nothing chosen; the game, uninstall and DirectX pages open it on their own
// topic. Back forgets the choice, so the next opening starts clean.
#pragma once
#include <array>
#include <string>

#include "toolkit/Page.h"
#include "toolkit/PictureButton.h"
#include "toolkit/RadioGroup.h"

namespace vindrel {

class TfrmBlack;

class TfrmHelp : public Page {
public:
    explicit TfrmHelp(TfrmBlack& shell);

    // Topics by their index in radHelpSelect.
    static constexpr int kTopicUsingTheCd = 0;
    static constexpr int kTopicInstallingGames = 1;
    static constexpr int kTopicRemovingGames = 2;
    static constexpr int kTopicInstallingDirectX = 3;
    static constexpr int kTopicSetupAndProblems = 4;

    // Component       Kind              Left, top, width, height  Settings
    TImage& imgback = Add<TImage>("imgback", 0, 0, 640, 480, {.autoSize = true});
    TLabel& lblHelpCaption = Add<TLabel>("lblHelpCaption", 24, 0, 241, 49,
                                         {.caption = "HELP", .font = Verdana(37, Underline, kBlack),
                                          .transparent = true});
    TLabel& lblHelp = Add<TLabel>("lblHelp", 16, 56, 241, 505,
                                  {.font = Verdana(12, Bold, clWindowText), .transparent = true, .wordWrap = true});
    TRadioGroup radHelpSelect{*this, {"radHelpSelect", 302, 22, 316, 236},
                              {.font = Verdana(13, Bold, kLime), .colour = kBlack, .flat = true, .enabled = false}};
    TImage& EnkeltSkygge = Add<TImage>("EnkeltSkygge", 480, 418, 100, 55);
    TLMDMMButton& cmdNot = Add<TLMDMMButton>("cmdNot", 490, 418, 90, 45, GreenButton("Tilbage").Colour(kBlack));

    // The topic texts, HelpTexts[1] to HelpTexts[5] in topic order (slot 0 is not used); empty
    // until a language is applied.
    std::array<std::string, 6> HelpTexts{};
    // Appends a topic name to radHelpSelect (the language table adds the five).
    void AppendTopic(const std::string& name);

    // From the main menu: the click sound, then the page with nothing chosen and no text.
    void OpenFromMenu();
    // From another page's Help button: the topic chosen (its text shown), the click sound, the page.
    void OpenOnTopic(int index);

    void FormCreate();
    void FormShow();
    void radHelpSelectClick();
    void cmdNotClick();

protected:
    void OnShow() override { FormShow(); }
};

}  // namespace vindrel
