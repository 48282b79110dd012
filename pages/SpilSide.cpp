#include "pages/SpilSide.h"

#include <algorithm>

#include "app/Black.h"
#include "pages/Forside.h"
#include "pages/Kategori.h"
#include "services/CDrom.h"
#include "pages/Help.h"
#include "pages/Index.h"
#include "toolkit/Artwork.h"

namespace vindrel {
TfrmSpilSide::TfrmSpilSide(TfrmBlack& shell)
    : Page(shell.App(), {.className = "TfrmSpilSide",
                         .caption = "Spil Side",
                         .colour = kGrey,
                         .font = {"Comic Sans MS", 16, Regular, kSilver},
                         .visibleAtCreation = true,
                         .eraseMarker = "Dont Erase"}),
      shell_(shell) {
    Image1.LoadResource(App().Instance(), art::kShadow290);
    cmdOp.OnClick = [this](TLMDMMButton&) { cmdOpClick(); };
    cmdNed.OnClick = [this](TLMDMMButton&) { cmdNedClick(); };
    cmdInstaller.OnClick = [this](TLMDMMButton&) { cmdInstallerClick(); };
    cmdHjaelp.OnClick = [this](TLMDMMButton&) { cmdHjaelpClick(); };
    cmdNot.OnClick = [this](TLMDMMButton&) { cmdNotClick(); };
}

std::array<TLabel*, TfrmSpilSide::kLines> TfrmSpilSide::AddDescriptionLabels() {
    std::array<TLabel*, kLines> labels{};
    static const char* const kNames[kLines] = {"Label1",  "Label2",  "Label3",  "Label4",  "Label5",  "Label6",
                                               "Label7",  "Label8",  "Label9",  "Label10", "Label11", "Label12",
                                               "Label13", "Label14", "Label15", "Label16", "Label17", "Label18"};
    // Lines of the catalogue's description: drawn as written, "&" included.
    const TLabel::Props line{.font = Verdana(13, Bold, kBlack), .transparent = true, .showAccelChar = false};
    for (int k = 1; k < kLines; ++k)
        labels[k - 1] = &Add<TLabel>(kNames[k - 1], 16, 80 + 18 * (k - 1), 257, 25, line);
    TLabel::Props last = line;
    last.autoSize = true;
    labels[kLines - 1] = &Add<TLabel>(kNames[kLines - 1], 16, 386, 48, 16, last);
    for (int k = 1; k <= kLines; ++k) labels[k - 1]->Tag = k;
    return labels;
}

void TfrmSpilSide::ShowDemo(const TSpilPost& e, const MachineProfile& machine) {
    lblWarning.SetVisible(false);
    bool warning = false;
    auto judge = [&](TLabel& line, bool short_) {
        line.SetFontColour(short_ ? kRequirementShort : kRequirementMet);
        warning = warning || short_;
    };
    judge(LabelMaskinKravCpu, false);  // the processor is never compared
    judge(LabelMaskinKravRAM, e.Ram > machine.RamMB);
    judge(LabelMaskinKravHD, e.HD > machine.FreeDiskMB);
    judge(LabelMaskinKrav3dfx, e.Krav3D == 2 && machine.Has3dfx == 0);
    for (TLabel* line : RequirementLines()) line->SetVisible(true);

    LabelMaskinKravCpu.SetCaption("CPU: " + std::to_string(e.CPU) + " MHz");
    LabelMaskinKravRAM.SetCaption("RAM: " + std::to_string(e.Ram) + lblMB.Caption());
    LabelMaskinKravHD.SetCaption(lblHarddisk.Caption() + std::to_string(e.HD) + lblMB.Caption());
    LabelMaskinKrav3dfx.SetCaption(e.Krav3D > 0 ? lbl3dJa.Caption() : lbl3dNej.Caption());

    lblSpilTitel.SetCaption(e.Titel);
    lblKortTitel.SetCaption(e.KortTitel);
    SetupPath = e.Setup;
    StartMenuFolder = e.Folder;
    UninstallKey = e.Uninstall;
    if (warning) lblWarning.SetVisible(true);
    mmoInstrukser.SetText(e.Instruktion);
    TextTop = 0;
    cmdOp.SetVisible(false);
    // Activation fills the lines and the picture. A page that is already active gets no new
    // activation, and one that Windows does not let come to the front gets none either: the page
    // is then filled here, so it never shows the previous demo's lines or picture.
    unfilled_ = true;
    Show();
    if (unfilled_) OnActivate();
}

void TfrmSpilSide::OnActivate() {
    unfilled_ = false;
    if (!SetupPath.empty()) {
        cmdNot.SetVisible(true);
        cmdInstaller.SetVisible(true);
        cmdHjaelp.SetVisible(true);
    }
    // Without a readable Shot.bmp the area shows the page's background, not the last demo's.
    // The picture is set before the lines, and cleared whatever happens in its loading.
    Screenshot.SetPicture(nullptr);
    shot_.Load(SetupPath);
    Screenshot.SetPicture(shot_.Bitmap());
    const int n = mmoInstrukser.Count();
    if (n >= kLines) {
        TextTop = 0;
        UpdateLabels(0);
    } else {
        cmdOp.SetVisible(false);
        cmdNed.SetVisible(false);
        for (int k = 1; k <= kLines; ++k) Label(k).SetCaption(k <= n ? mmoInstrukser.Line(k - 1) : std::string());
    }
    // A blink may have left them hidden.
    LabelMaskinKravCpu.SetVisible(true);
    LabelMaskinKravRAM.SetVisible(true);
    LabelMaskinKravHD.SetVisible(true);
}

void TfrmSpilSide::UpdateLabels(int32_t top) {
    const int n = mmoInstrukser.Count();
    cmdOp.SetVisible(top >= 1);
    cmdNed.SetVisible(top + kLines < n);  // lines below the last one shown
    if (top < 0 || top > n - kLines) return;
    for (int k = 1; k <= kLines; ++k) Label(k).SetCaption(mmoInstrukser.Line(top + k - 1));
}

void TfrmSpilSide::cmdOpClick() {
    PlayUiSound(art::kClick);
    --TextTop;
    UpdateLabels(TextTop);
}

void TfrmSpilSide::cmdNedClick() {
    PlayUiSound(art::kClick);
    ++TextTop;
    UpdateLabels(TextTop);
}

void TfrmSpilSide::tmrKranTimer() {
    for (TLabel* line : RequirementLines())
        if (line->FontColour() == kRequirementShort) line->SetVisible(!line->Visible());
}

void TfrmSpilSide::cmdInstallerClick() {
    PlayUiSound(art::kClick);
    // Black over the menu pages while the setup runs.
    shell_.BringToFront();
    // Whatever came of it, the reader is back at the main menu; no Part names a message here.
    Install();
    if (TfrmForside* menu = shell_.Pages().frmForside) menu->BringToFront();
}

TfrmSpilSide::InstallResult TfrmSpilSide::Install() {
    const std::string title = lblKortTitel.Caption();
    shell_.AppendInstall({Edition, title, StartMenuFolder, UninstallKey});
    InstallResult result;
    {
        // The setup's folder is current while it runs, and the menu's own again after.
        const CurrentFolder folder(SetupFolder(SetupPath));
        if (!folder.Made()) {
            // Started elsewhere, a setup would not find its own files beside it.
            result.launch = InstallResult::FolderNotCurrent;
            return result;
        }
        // Recorded the moment the setup has made its uninstall entry: the setup, or a game it
        // starts at its end, may run long, and a menu ended meanwhile must not lose the record.
        const bool recordable = !StartMenuFolder.empty() && !UninstallKey.empty();
        UninstallEntryWatch entry(recordable ? UninstallKey : std::string(), [&](const std::string& command) {
            result.record = WriteInstallRecord(Edition, title, StartMenuFolder, command);
        });
        result.launch = RunAndWait(SetupCommandLine(SetupPath), SetupLauncher, entry.Watch()) ? InstallResult::Ran
                                                                                              : InstallResult::NotStarted;
        Application::ProcessMessages();
        // Again at the end: the setup may have changed its command since.
        if (recordable) {
            const RecordWritten last = WriteInstallRecord(Edition, title, StartMenuFolder, LookUpUninstallString(UninstallKey));
            if (last != RecordWritten::NotWritten) result.record = last;
        }
    }
    return result;
}

void TfrmSpilSide::cmdHjaelpClick() {
    // Opened on the topic of installing games: chosen, the click, the page shown.
    if (TfrmHelp* help = shell_.Pages().frmHelp) {
        help->OpenOnTopic(TfrmHelp::kTopicInstallingGames);
        return;
    }
    PlayUiSound(art::kClick);
}

void TfrmSpilSide::cmdNotClick() {
    PlayUiSound(art::kTilbage);
    Hide();
    TfrmKategori* kategori = shell_.Pages().frmKategori;
    if (kategori && kategori->ReturnToCategory) {
        kategori->Show();
        return;
    }
    if (TfrmIndex* index = shell_.Pages().frmIndex) index->Show();
}

}  // namespace vindrel
