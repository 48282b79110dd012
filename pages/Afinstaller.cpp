#include "pages/Afinstaller.h"

#include "app/Black.h"
#include "pages/Forside.h"
#include "pages/Help.h"
#include "services/CDrom.h"
#include "toolkit/Artwork.h"
#include "toolkit/Text.h"

namespace vindrel {
namespace {

const char* const kRowNames[TfrmAfinstaller::kRows] = {"Transknap1", "Transknap2", "Transknap3", "Transknap4",
                                                      "Transknap5", "Transknap6", "Transknap7", "Transknap8"};

}  // namespace

TfrmAfinstaller::TfrmAfinstaller(TfrmBlack& shell)
    : Page(shell.App(), {.className = "TfrmAfinstaller",
                         .caption = "//",
                         .font = {"MS Sans Serif", 13},
                         .eraseMarker = "Dont Erase"}),
      shell_(shell) {
    VenstreSkygge.LoadResource(App().Instance(), art::kShadow100);
    Image1.LoadResource(App().Instance(), art::kShadow190);
    for (TLMDMMButton* row : rows_) row->OnClick = [this](TLMDMMButton& b) { TransknapClick(b); };
    cmdUninstall.OnClick = [this](TLMDMMButton&) { cmdUninstallClick(); };
    cmdBack.OnClick = [this](TLMDMMButton&) { cmdBackClick(); };
    cmdHjaelp.OnClick = [this](TLMDMMButton&) { cmdHjaelpClick(); };
    cmdNed.OnClick = [this](TLMDMMButton&) { cmdNedClick(); };
    cmdOp.OnClick = [this](TLMDMMButton&) { cmdOpClick(); };
    FormCreate();
}

TLMDMMButton& TfrmAfinstaller::Row(int n) {
    // Only the first row names yellow as its colour under the mouse and uses it.
    ButtonProps props = n == 1 ? UninstallRow(kYellow, true) : UninstallRow(kWhite, false);
    return Add<TLMDMMButton>(kRowNames[n - 1], kUninstallRow.left, kUninstallRow.top + kUninstallRow.step * (n - 1),
                             kUninstallRow.width, kUninstallRow.height, props.Tag(n));
}

void TfrmAfinstaller::FormCreate() {
    firstShown_ = 0;
    selectionCount_ = 0;
    ShowUninstallButton(false);
    demos_.clear();
    CleanUp();
}

void TfrmAfinstaller::ShowUninstallButton(bool on) {
    cmdUninstall.SetVisible(on);
    VenstreSkygge.SetVisible(on);
}

void TfrmAfinstaller::ShowRow(int row, size_t entry) {
    TLMDMMButton& button = RowButton(row);
    if (entry >= demos_.size()) {
        button.SetVisible(false);
        return;
    }
    button.SetCaption(demos_[entry].title);
    button.SetFontColour(demos_[entry].selected ? kMarked : kUnmarked);
    button.SetVisible(true);
}

void TfrmAfinstaller::CleanUp() {
    std::vector<InstalledDemo> demos;
    ReadInstalledDemos(demos);
    ShowList(std::move(demos));
}

void TfrmAfinstaller::ShowList(std::vector<InstalledDemo> demos) {
    demos_ = std::move(demos);
    for (TLMDMMButton* row : rows_) row->SetVisible(false);
    cmdOp.SetVisible(false);
    firstShown_ = 0;
    selectionCount_ = 0;
    ShowUninstallButton(false);
    cmdNed.SetVisible(demos_.size() > kRows);
    for (int row = 1; row <= kRows; ++row) ShowRow(row, static_cast<size_t>(row - 1));
}

void TfrmAfinstaller::UpdateLabels(int first) {
    const int count = static_cast<int>(demos_.size());
    cmdOp.SetVisible(first >= 1);
    cmdNed.SetVisible(first <= count - (kRows + 1));
    for (int row = 1; row <= kRows; ++row) {
        const int entry = first + row - 1;
        if (entry < 0) RowButton(row).SetVisible(false);
        else ShowRow(row, static_cast<size_t>(entry));
    }
}

bool TfrmAfinstaller::SpilTilstand(size_t entry) {
    if (entry >= demos_.size()) return false;
    InstalledDemo& demo = demos_[entry];
    demo.selected = !demo.selected;
    selectionCount_ += demo.selected ? 1 : -1;
    ShowUninstallButton(selectionCount_ >= 1);
    return demo.selected;
}

void TfrmAfinstaller::TransknapClick(TLMDMMButton& row) {
    // The row stands for the entry shown on it, so of two equal titles each marks its own.
    const int entry = firstShown_ + row.Tag - 1;
    if (entry < 0) return;
    const bool marked = SpilTilstand(static_cast<size_t>(entry));
    row.SetFontColour(marked ? kMarked : kUnmarked);
}

void TfrmAfinstaller::cmdUninstallClick() {
    shell_.BringToFront();
    for (const InstalledDemo& demo : demos_) {
        if (!demo.selected) continue;
        const bool started = RunAndWait(UninstallCommandToRun(demo.uninstallCommand));
        // Declined or failed, the demo is still installed: its record and group stay, so that it
        // stays on the list and can be removed later. An uninstaller that could not be started
        // removed nothing, unless there is no such program at all.
        if (started ? !DemoIsGone(demo.uninstallCommand) : ProgramExists(demo.uninstallCommand)) continue;
        // The group's name is read from the record, so the group goes before the record.
        SletGruppe(demo.title, demo.edition);
        DeleteInstallRecord(demo.edition, demo.title);
    }
    if (TfrmForside* menu = shell_.Pages().frmForside) menu->BringToFront();
    CleanUp();
}

void TfrmAfinstaller::cmdBackClick() { Navigate::Back(*this, art::kClick); }

void TfrmAfinstaller::cmdHjaelpClick() {
    if (TfrmHelp* help = shell_.Pages().frmHelp) help->OpenOnTopic(TfrmHelp::kTopicRemovingGames);
}

void TfrmAfinstaller::cmdNedClick() {
    PlayUiSound(art::kClick);
    ++firstShown_;
    UpdateLabels(firstShown_);
}

void TfrmAfinstaller::cmdOpClick() {
    PlayUiSound(art::kClick);
    --firstShown_;
    UpdateLabels(firstShown_);
}

void TfrmAfinstaller::SletGruppe(const std::string& title, const std::string& edition) {
    const FolderLookUp group = ReadRecordFolder(title, edition);
    ShowInformation(Handle(), group.messages);
    ShowInformation(Handle(), DeleteGroupOfEdition(Handle(), group.folder, edition).messages);
}

}  // namespace vindrel
