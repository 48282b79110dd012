// The game page: one demo's title, description, screenshot and requirements against this
// machine, with Install, Help and Back. Install runs the demo's setup from the CD, waits for it
// and records the installation. The first page made, so the application's main window.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "catalogue/Beskrivelse.h"
#include "catalogue/Katalog.h"
#include "services/CDrom.h"
#include "services/Struktur.h"
#include "toolkit/Page.h"
#include "toolkit/PictureButton.h"

namespace vindrel {

class TfrmBlack;

// The colours of a requirement line.
constexpr COLORREF kRequirementMet = 0x0000FF00;
constexpr COLORREF kRequirementShort = 0x000000FF;

class TfrmSpilSide : public Page {
public:
    explicit TfrmSpilSide(TfrmBlack& shell);

    std::string SetupPath, StartMenuFolder, UninstallKey;
    // The CD edition written into every install record: the catalogue's [CD] Udgave, or 1099.
    const std::string Edition = ReadCdEdition().edition;
    Launcher SetupLauncher = PlatformLauncher();  // how setups are started (tests see to it)
    int32_t TextTop = 0;
    static constexpr int kLines = kDescriptionLines;

private:
    TfrmBlack& shell_;
    vindrel::Screenshot shot_;
    bool unfilled_ = false;  // a demo was put on the page and activation has not filled it yet
    std::array<TLabel*, kLines> AddDescriptionLabels();

public:
    // Component       Kind              Left, top, width, height  Settings
    TImage& imgBack = Add<TImage>("imgBack", 0, 0, 640, 480);
    TLabel& lblSpilTitel = Add<TLabel>("lblSpilTitel", 16, 16, kHeadingWidth, 65,
                                       {.font = Verdana(21, Bold, kBlack), .transparent = true, .wordWrap = true,
                                        .showAccelChar = false});
    // Label1 .. Label17 at 16, 80 + 18 (k - 1), 257 x 25; Label18 at 16, 386, sized to its text.
    const std::array<TLabel*, kLines> Labels = AddDescriptionLabels();
    TLMDMMButton& cmdOp = Add<TLMDMMButton>("cmdOp", 232, 16, 46, 46, Arrow(kUpArrows, {}, 0x00FFFFFF).Repeat());
    TLMDMMButton& cmdNed = Add<TLMDMMButton>("cmdNed", 232, 416, 46, 46, Arrow(kDownArrows, {}, 0x00FFFFFF).Repeat());
    TImage& Screenshot = Add<TImage>("Screenshot", 302, 22, 316, 236);
    DescriptionLines mmoInstrukser{Handle(), kDescriptionBox};  // never shown; it only breaks lines
    TPanel& Panel1 = Add<TPanel>("Panel1", 304, 278, 313, 123, {.colour = kBlack});
    TLabel& lblMaskinKrav = Panel1.Add<TLabel>("lblMaskinKrav", 12, 6, 184, 20,
                                               {.caption = "Spillets maskinkrav", .font = Verdana(13, Bold, kSilver),
                                                .colour = kBlack});
    TLabel& LabelMaskinKravRAM = Panel1.Add<TLabel>("LabelMaskinKravRAM", 12, 26, 181, 20, RequirementLine());
    TLabel& LabelMaskinKravCpu = Panel1.Add<TLabel>("LabelMaskinKravCpu", 180, 26, 177, 20, RequirementLine());
    TLabel& LabelMaskinKravHD = Panel1.Add<TLabel>("LabelMaskinKravHD", 12, 42, 169, 20, RequirementLine());
    TLabel& LabelMaskinKrav3dfx = Panel1.Add<TLabel>("LabelMaskinKrav3dfx", 180, 42, 177, 20, RequirementLine());
    TLabel& lblWarning = Panel1.Add<TLabel>(
        "lblWarning", 12, 64, 297, 57,
        {.caption = "Din computer opfylder ikke spillets vejledende krav! Men prøv alligevel. Tit kører det glimrende.",
         .font = Verdana(13, Regular, kRed), .colour = kBlack, .wordWrap = true, .visible = false});
    TImage& Image1 = Add<TImage>("Image1", 290, 418, 290, 55);
    TLMDMMButton& cmdInstaller = Add<TLMDMMButton>("cmdInstaller", 297, 418, 90, 45, GreenButton("Installér"));
    TLMDMMButton& cmdHjaelp = Add<TLMDMMButton>("cmdHjaelp", 392, 418, 90, 45, GreenButton("Hjælp"));
    TLMDMMButton& cmdNot = Add<TLMDMMButton>("cmdNot", 490, 418, 90, 45, GreenButton("Tilbage"));
    // Carriers of texts, never shown.
    TLabel& lbl3dJa = Add<TLabel>("lbl3dJa", 0, 0, 0, 0, {.caption = "3D grafik: Ja", .visible = false});
    TLabel& lbl3dNej = Add<TLabel>("lbl3dNej", 0, 0, 0, 0, {.caption = "3D grafik: Nej", .visible = false});
    TLabel& lblHarddisk = Add<TLabel>("lblHarddisk", 0, 0, 0, 0, {.caption = "Harddisk: ", .visible = false});
    TLabel& lblMB = Add<TLabel>("lblMB", 0, 0, 0, 0, {.caption = " MB", .visible = false});
    TLabel& lblKortTitel = Add<TLabel>("lblKortTitel", 0, 0, 0, 0, {.showAccelChar = false, .visible = false});
    Timer tmrKran{*this, 300, [this] { tmrKranTimer(); }};

    // Label k of the description, k = 1 .. 18.
    TLabel& Label(int k) const { return *Labels[static_cast<size_t>(k - 1)]; }

    // Fills the page with a demo: title, description, screenshot, requirements against the
    // machine (the category page's JegTagerDenClick has chosen the demo and shows the page).
    void ShowDemo(const TSpilPost& entry, const MachineProfile& machine);
    void UpdateLabels(int32_t top);
    void cmdOpClick();
    void cmdNedClick();
    void cmdInstallerClick();
    // What the Install button did: whether the setup ran, and where its record went.
    struct InstallResult {
        enum Launch {
            Ran,               // started in its folder, and ended
            NotStarted,        // the setup could not be started
            FolderNotCurrent,  // its folder could not be made current, so it was not started
        } launch = NotStarted;
        RecordWritten record = RecordWritten::NotWritten;
    };
    // The install itself, the black shell in front: the record for the exit, the setup started
    // from its folder and waited for, its install record written.
    InstallResult Install();
    void cmdHjaelpClick();
    void cmdNotClick();
    void tmrKranTimer();

protected:
    void OnActivate() override;
    void OnShow() override { tmrKran.Start(); }
    void OnHide() override { tmrKran.Stop(); }

private:
    static TLabel::Props RequirementLine() { return {.font = Verdana(13, Regular, kRequirementMet), .colour = kBlack}; }
    std::array<TLabel*, 4> RequirementLines() const {
        return {&LabelMaskinKravRAM, &LabelMaskinKravCpu, &LabelMaskinKravHD, &LabelMaskinKrav3dfx};
    }
};

}  // namespace vindrel
