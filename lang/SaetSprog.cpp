#include "lang/SaetSprog.h"

#include "app/Black.h"
#include "lang/SprogTabel.h"
#include "pages/Afinstaller.h"
#include "pages/Ansvar.h"
#include "pages/DX.h"
#include "pages/Forside.h"
#include "pages/Help.h"
#include "pages/Index.h"
#include "pages/Kategori.h"
#include "pages/LavetAf.h"
#include "pages/SpilSide.h"
#include "toolkit/Artwork.h"

namespace vindrel {
namespace {

constexpr RECT kWholePage{0, 0, kPageWidth, kPageHeight};

struct Background {
    Page* page;
    TImage* picture;
};

}  // namespace

void SaetSprog(TfrmBlack& shell, const std::string& code) { SaetSprog(shell, code, shell.PagesMade()); }

void SaetSprog(TfrmBlack& shell, const std::string& code, const PageSet& p) {
    const Sprog* found = FindSprog(code);
    if (!found) return;
    const Sprog& s = *found;

    shell.App().SetTitle(s.titel);

    // The short and long texts, page by page in the order of the table.
    if (TfrmAnsvar* ansvar = p.frmAnsvar) {
        ansvar->lblAnsvar.SetCaption(s.Ansvar.lblAnsvar);
        ansvar->cmdOK.SetCaption(s.Ansvar.cmdOK);
    }
    if (TfrmForside* forside = p.frmForside) {
        forside->cmdHelp.SetCaption(s.Forside.cmdHelp);
        forside->cmdIndex.SetCaption(s.Forside.cmdIndex);
        forside->cmdUninstall.SetCaption(s.Forside.cmdUninstall);
    }
    if (TfrmKategori* kategori = p.frmKategori) kategori->cmdNot.SetCaption(s.Kategori.cmdNot);
    if (TfrmSpilSide* spil = p.frmSpilSide) {
        spil->cmdInstaller.SetCaption(s.SpilSide.cmdInstaller);
        spil->cmdNot.SetCaption(s.SpilSide.cmdNot);
        spil->lblHarddisk.SetCaption(s.SpilSide.lblHarddisk);
        spil->lblMB.SetCaption(s.SpilSide.lblMB);
        spil->lbl3dJa.SetCaption(s.SpilSide.lbl3dJa);
        spil->lbl3dNej.SetCaption(s.SpilSide.lbl3dNej);
        spil->lblMaskinKrav.SetCaption(s.SpilSide.lblMaskinKrav);
        spil->lblWarning.SetCaption(s.SpilSide.lblWarning);
    }
    if (TfrmHelp* help = p.frmHelp) {
        help->lblHelpCaption.SetCaption(s.Help.lblHelpCaption);
        help->cmdNot.SetCaption(s.Help.cmdNot);
    }
    if (TfrmDX* dx = p.frmDX) {
        dx->cmdNot.SetCaption(s.DX.cmdNot);
        dx->cmdOK.SetCaption(s.DX.cmdOK);
        dx->lblDX.SetCaption(s.DX.lblDX);
    }
    if (TfrmAfinstaller* afinstaller = p.frmAfinstaller) {
        afinstaller->cmdBack.SetCaption(s.Afinstaller.cmdBack);
        afinstaller->cmdUninstall.SetCaption(s.Afinstaller.cmdUninstall);
        afinstaller->lblUninstallCaption.SetCaption(s.Afinstaller.lblUninstallCaption);
    }
    if (TfrmLavetAf* lavetAf = p.frmLavetAf) {
        lavetAf->lblLavetAf.SetCaption(s.LavetAf.lblLavetAf);
        lavetAf->lblCopyRight.SetCaption(WithYear(s.LavetAf.lblCopyRight, lavetAf->Year));
        lavetAf->lblProblemer.SetCaption(s.LavetAf.lblProblemer);
        lavetAf->cmdNot.SetCaption(s.LavetAf.cmdNot);
    }
    if (TfrmIndex* index = p.frmIndex) {
        index->cmdBack.SetCaption(s.Index.cmdBack);
        index->lblOverskrift.SetCaption(s.Index.lblOverskrift);
    }

    if (TfrmHelp* help = p.frmHelp) {
        // Appended: the list is empty until the one run of SaetSprog.
        for (const char* emne : s.Help.emner) help->AppendTopic(emne);
        // Slot 1 belongs to the first topic; what the page shows now stays as it is.
        for (int t = 0; t < kHelpTopics; ++t)
            help->HelpTexts[static_cast<size_t>(t + 1)] = s.Help.HelpTexts[static_cast<size_t>(t)];
    }

    // The other pages' help buttons read like the main menu's.
    if (p.frmDX) p.frmDX->cmdHjaelp.SetCaption(s.Forside.cmdHelp);
    if (p.frmSpilSide) p.frmSpilSide->cmdHjaelp.SetCaption(s.Forside.cmdHelp);
    if (p.frmAfinstaller) p.frmAfinstaller->cmdHjaelp.SetCaption(s.Forside.cmdHelp);

    // One load of the common background, which every page's picture shows (none of them changes
    // it). On the disclaimer page the picture goes to the text panel, which shows its top-left part.
    auto hovedmenu = shell.App().Gdi().Pictures().Get(shell.App().Instance(), "Hovedmenu");
    const Background backgrounds[] = {
        {p.frmDX, p.frmDX ? &p.frmDX->Baggrund : nullptr},
        {p.frmForside, p.frmForside ? &p.frmForside->imgback : nullptr},
        {p.frmIndex, p.frmIndex ? &p.frmIndex->imgBack : nullptr},
        {p.frmAfinstaller, p.frmAfinstaller ? &p.frmAfinstaller->imgback : nullptr},
        {p.frmLavetAf, p.frmLavetAf ? &p.frmLavetAf->imgback : nullptr},
        {p.frmKategori, p.frmKategori ? &p.frmKategori->imgBack : nullptr},
        {p.frmHelp, p.frmHelp ? &p.frmHelp->imgback : nullptr},
        {p.frmSpilSide, p.frmSpilSide ? &p.frmSpilSide->imgBack : nullptr},
        {p.frmAnsvar, p.frmAnsvar ? &p.frmAnsvar->imgback : nullptr},
    };
    for (const Background& b : backgrounds) {
        if (!b.page || !hovedmenu) continue;
        b.picture->SetPicture(hovedmenu);
        b.page->RepaintArea(kWholePage);
    }
}

}  // namespace vindrel
