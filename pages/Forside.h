// The main menu: six category tiles down the left, four green buttons and the exit sign at the
// lower right. It also owns the picture lists that the other pages borrow for their buttons.
#pragma once
#include <memory>
#include <string>

#include "catalogue/Katalog.h"
#include "toolkit/Artwork.h"
#include "toolkit/BitmapList.h"
#include "toolkit/Page.h"
#include "toolkit/PictureButton.h"

namespace vindrel {

class TfrmBlack;

class TfrmForside : public Page {
public:
    explicit TfrmForside(TfrmBlack& shell);

    // The shared lists, named as other pages refer to them ("frmForside.Greens").
    TLMDBitmapList* FaceList(const std::string& listName) override;
    // The per-category list of a category code (0 Action .. 5 Junior); null for any other.
    TLMDBitmapList* CategoryList(CategoryCode category) const;

private:
    TfrmBlack& shell_;
    std::unique_ptr<TLMDBitmapList> Load(const char* resource) const {
        return TLMDBitmapList::FromResource(App().Instance(), resource);
    }

public:
    // Picture lists: declared before the controls that take their faces from them.
    std::unique_ptr<TLMDBitmapList> bmpAction = Load(art::kBmpAction);
    std::unique_ptr<TLMDBitmapList> bmpSimulator = Load(art::kBmpSimulator);
    std::unique_ptr<TLMDBitmapList> bmpSport = Load(art::kBmpSport);
    std::unique_ptr<TLMDBitmapList> bmpAdventure = Load(art::kBmpAdventure);
    std::unique_ptr<TLMDBitmapList> bmpStrategi = Load(art::kBmpStrategi);
    std::unique_ptr<TLMDBitmapList> bmpJunior = Load(art::kBmpJunior);
    std::unique_ptr<TLMDBitmapList> Greens = Load(art::kGreens);
    std::unique_ptr<TLMDBitmapList> bmpExit = Load(art::kBmpExit);
    std::unique_ptr<TLMDBitmapList> bmpOpKnapper = Load(art::kBmpOpKnapper);
    std::unique_ptr<TLMDBitmapList> bmpNedKnapper = Load(art::kBmpNedKnapper);

    // Component       Kind              Left, top, width, height  Settings
    TImage& imgback = Add<TImage>("imgback", 0, 0, 640, 480);
    TImage& Image1 = Add<TImage>("Image1", 285, 367, 200, 110);
    TLMDMMButton& cmdKategori1 = Add<TLMDMMButton>("cmdKategori1", 0, 0, 280, 80, CategoryTile(bmpAction.get(), 0x0007902F));
    TLMDMMButton& cmdKategori2 = Add<TLMDMMButton>("cmdKategori2", 0, 80, 280, 80, CategoryTile(bmpSimulator.get(), 0x0007902F));
    TLMDMMButton& cmdKategori3 = Add<TLMDMMButton>("cmdKategori3", 0, 160, 280, 80, CategoryTile(bmpSport.get(), 0x0007902F));
    TLMDMMButton& cmdKategori4 = Add<TLMDMMButton>("cmdKategori4", 0, 240, 280, 80, CategoryTile(bmpAdventure.get(), 0x0007902F));
    TLMDMMButton& cmdKategori5 = Add<TLMDMMButton>("cmdKategori5", 0, 320, 280, 80, CategoryTile(bmpStrategi.get(), 0x0007902F));
    TLMDMMButton& cmdKategori6 = Add<TLMDMMButton>("cmdKategori6", 0, 400, 280, 80,
                                                   CategoryTile(bmpJunior.get(), 0x006E4739).ForceTransparent(false));
    TLMDMMButton& cmdHelp = Add<TLMDMMButton>("cmdHelp", 298, 368, 90, 45, GreenButton("Hjælp").Colour(kBlack));
    TLMDMMButton& cmdDX = Add<TLMDMMButton>("cmdDX", 395, 368, 90, 45, GreenButton("DirectX").Colour(kBlack));
    TLMDMMButton& cmdIndex = Add<TLMDMMButton>("cmdIndex", 298, 420, 90, 45, GreenButton("Index").Colour(kBlack));
    TLMDMMButton& cmdUninstall = Add<TLMDMMButton>("cmdUninstall", 395, 420, 90, 45, GreenButton("Afinstallér").Colour(kBlack));
    TLMDMMButton& cmdSlut = Add<TLMDMMButton>("cmdSlut", 559, 427, 81, 53, ExitSign());

    // Handlers.
    void ShowCategory(CategoryCode category);  // the six tiles share the steps
    void cmdActionClick() { ShowCategory(0); }
    void cmdSimulatorClick() { ShowCategory(1); }
    void cmdSportClick() { ShowCategory(2); }
    void cmdAdventureClick() { ShowCategory(3); }
    void cmdStrategyClick() { ShowCategory(4); }
    void cmdJuniorClick() { ShowCategory(5); }
    void cmdHelpClick();
    void cmdDXClick();
    void cmdIndexClick();
    void cmdUninstallClick();
    void cmdExitClick();
};

}  // namespace vindrel
