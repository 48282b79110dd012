// The uninstall page: the demos recorded in the registry by this CD or any other edition of it,
// eight rows at a time; a click marks a demo in red, and Uninstall runs each marked demo's own
// uninstall command, one after another, and, once a demo is gone, removes its moved Start-menu
// group and deletes its record.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "services/CDrom.h"
#include "services/Struktur.h"
#include "toolkit/Page.h"
#include "toolkit/PictureButton.h"

namespace vindrel {

class TfrmBlack;

class TfrmAfinstaller : public Page {
public:
    explicit TfrmAfinstaller(TfrmBlack& shell);

    static constexpr int kRows = kUninstallRow.rows;
    static constexpr COLORREF kUnmarked = kBlack;
    static constexpr COLORREF kMarked = kRed;
    // How uninstallers are started: their commands are the registry's, in the system's code page.
    Launcher UninstallLauncher = SystemTextLauncher();

    // Component       Kind              Left, top, width, height  Settings
    TImage& imgback = Add<TImage>("imgback", 0, 0, 640, 480);
    TLabel& lblUninstallCaption = Add<TLabel>("lblUninstallCaption", 28, 24, 135, 25,
                                              {.caption = "UNINSTALL", .font = Verdana(21, Bold | Underline),
                                               .transparent = true, .autoSize = true});
    TLMDMMButton& Transknap1 = Row(1);
    TLMDMMButton& Transknap2 = Row(2);
    TLMDMMButton& Transknap3 = Row(3);
    TLMDMMButton& Transknap4 = Row(4);
    TLMDMMButton& Transknap5 = Row(5);
    TLMDMMButton& Transknap6 = Row(6);
    TLMDMMButton& Transknap7 = Row(7);
    TLMDMMButton& Transknap8 = Row(8);
    TLMDMMButton& cmdOp = Add<TLMDMMButton>("cmdOp", 200, 16, 49, 49, Arrow(kUpArrows, {}, 0x00FFFFFF));
    TLMDMMButton& cmdNed = Add<TLMDMMButton>("cmdNed", 200, 424, 49, 49,
                                             Arrow(kDownArrows, {}, 0x00FFFFFF).AllowMouseOver(false).CaptionDown(0));
    TImage& VenstreSkygge = Add<TImage>("VenstreSkygge", 290, 418, 100, 55, {.visible = false});
    TLMDMMButton& cmdUninstall = Add<TLMDMMButton>("cmdUninstall", 296, 418, 90, 45, CommandButton("Afinstaller"));
    TImage& Image1 = Add<TImage>("Image1", 385, 418, 190, 55);
    TLMDMMButton& cmdHjaelp = Add<TLMDMMButton>("cmdHjaelp", 390, 418, 90, 45, CommandButton("Hjælp"));
    TLMDMMButton& cmdBack = Add<TLMDMMButton>("cmdBack", 485, 418, 90, 45, CommandButton("Tilbage"));

    void FormCreate();
    // Re-reads the records and shows the list from the top, nothing marked.
    void CleanUp();
    // Shows these demos as the list, from the top, nothing marked: what CleanUp read, or any list
    // (the proof's every demo installed).
    void ShowList(std::vector<InstalledDemo> demos);
    // Shows the eight entries from position first on the rows, with their marks, and sets the arrows.
    void UpdateLabels(int first);
    // Toggles the mark of the entry at that position of the list; returns its new mark.
    bool SpilTilstand(size_t entry);
    // Removes the Start-menu group that the shell moved to Games\<edition>\<group> at exit.
    void SletGruppe(const std::string& title, const std::string& edition);

    void TransknapClick(TLMDMMButton& row);  // the handler of all eight rows
    void cmdUninstallClick();
    void cmdBackClick();
    void cmdHjaelpClick();
    void cmdNedClick();
    void cmdOpClick();

    const std::vector<InstalledDemo>& Demos() const { return demos_; }
    int FirstShown() const { return firstShown_; }
    int SelectionCount() const { return selectionCount_; }
    TLMDMMButton& RowButton(int row) { return *rows_[static_cast<size_t>(row - 1)]; }

private:
    static ButtonProps CommandButton(const char* caption) { return GreenButton(caption).Colour(kBlack); }
    TLMDMMButton& Row(int n);
    void ShowRow(int row, size_t entry);
    void ShowUninstallButton(bool on);

    TfrmBlack& shell_;
    std::array<TLMDMMButton*, kRows> rows_{&Transknap1, &Transknap2, &Transknap3, &Transknap4,
                                           &Transknap5, &Transknap6, &Transknap7, &Transknap8};
    std::vector<InstalledDemo> demos_;
    int firstShown_ = 0;
    int selectionCount_ = 0;
};

}  // namespace vindrel
