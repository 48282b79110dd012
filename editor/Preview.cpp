#include "editor/Preview.h"

#include <algorithm>
#include <climits>

#include "editor/Document.h"
#include "pages/Afinstaller.h"
#include "pages/Index.h"
#include "pages/Kategori.h"
#include "pages/LavetAf.h"
#include "pages/SpilSide.h"
#include "services/Struktur.h"

namespace vindrel::editor {
namespace {

// A machine that meets every requirement: the lines as most readers see them.
constexpr MachineProfile kMeetsAll{0, INT32_MAX, INT32_MAX, 1};

// A value as the menu reads it: the key's value, or its default where the key is missing.
std::string Read(const Document& doc, int demo, const char* key, const std::string& fallback) {
    if (!doc.Has(demo, key)) return fallback;
    std::string v = doc.Value(demo, key);
    // The platform's reader takes one pair of quotes around a value off.
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
    if (v.size() >= kIniValueBuffer) v.resize(kIniValueBuffer - 1);
    return v;
}

}  // namespace

TSpilPost EntryOf(const Document& doc, int d, const std::string& language, const std::string& cdFolder) {
    TSpilPost e;
    e.Titel = Read(doc, d, "Titel", "No Title!");
    e.KortTitel = Read(doc, d, "KortTitel", e.Titel);
    e.Setup = Read(doc, d, "Setup", "No File!");
    if (!e.Setup.empty() && e.Setup.front() == '\\') e.Setup = cdFolder + e.Setup;
    e.CPU = ParseIniInteger(Read(doc, d, "CPU", ""), 100);
    e.Ram = ParseIniInteger(Read(doc, d, "Ram", ""), 16);
    e.HD = ParseIniInteger(Read(doc, d, "HD", ""), 20);
    e.Kategori = CategoryFromName(Read(doc, d, "Kategori", "Ingen"));
    e.Folder = Read(doc, d, "Folder", "NoFolder");
    e.Uninstall = Read(doc, d, "Uninstall", "");
    if (const auto key = DescriptionKeyFor(language)) e.Instruktion = Read(doc, d, key->key, key->fallback);
    e.Section = doc.SectionNumber(d);
    return e;
}

SpilListe ListedDemos(const Document& doc, const std::string& language, const std::string& cdFolder,
                      std::vector<int>* position) {
    SpilListe list;
    if (position) position->assign(static_cast<size_t>(doc.Count()), -1);
    for (int d = 0; d < doc.Count(); ++d) {
        TSpilPost e = EntryOf(doc, d, language, cdFolder);
        if (e.Kategori == kNoCategory) continue;
        if (position) (*position)[static_cast<size_t>(d)] = static_cast<int>(list.size());
        list.push_back(std::move(e));
    }
    return list;
}

Preview::Preview(HINSTANCE instance) : app_(instance, ProofScreen()) { app_.SetTitle("Vindrel"); }

Preview::~Preview() {
    shells_.clear();  // the pages before the fonts they were measured with
    fonts_.reset();
}

void Preview::Open(const std::string& cdFolder) {
    shells_.clear();
    fonts_.reset();
    folder_ = cdFolder;
    // The pages read the saved catalogue's edition and year from the current directory.
    SetCurrentDirectoryA(cdFolder.c_str());
    fonts_ = std::make_unique<PrivateFonts>(cdFolder);
}

TfrmBlack& Preview::Shell(int language) {
    auto& shell = shells_[language];
    if (!shell) shell = std::make_unique<TfrmBlack>(app_, MenuStart::Rendering(kPreviewLanguages[language], kMeetsAll));
    return *shell;
}

PreviewResult Preview::Draw(const Document& doc, int demo, PreviewPage page, int language, int screen) {
    PreviewResult result;
    TfrmBlack& shell = Shell(language);
    PageSet& p = shell.Pages();
    std::vector<int> positions;
    TfrmKategori& kategori = *p.frmKategori;
    kategori.SpilListe = ListedDemos(doc, kPreviewLanguages[language], folder_, &positions);
    const int count = static_cast<int>(kategori.SpilListe.size());
    const int at = demo >= 0 && demo < static_cast<int>(positions.size()) ? positions[static_cast<size_t>(demo)] : -1;
    if (demo >= 0 && at < 0 && page != PreviewPage::Credits)
        result.notes.push_back("this demo has no category the menu knows: it is on no page");
    Page* drawn = nullptr;
    switch (page) {
        case PreviewPage::Game: {
            TfrmSpilSide& game = *p.frmSpilSide;
            drawn = &game;
            game.Screenshot.SetPicture(nullptr);
            if (demo < 0) break;
            // A demo on no page is drawn all the same: the producer is about to mend it.
            game.ShowDemo(EntryOf(doc, demo, kPreviewLanguages[language], folder_), kMeetsAll);
            const int lines = game.mmoInstrukser.Count();
            result.screens = lines > TfrmSpilSide::kLines ? (lines + TfrmSpilSide::kLines - 1) / TfrmSpilSide::kLines : 1;
            screen = std::clamp(screen, 0, result.screens - 1);
            if (lines > TfrmSpilSide::kLines) {
                // Each screen as the reader's arrows leave it; the last one ends at the last line.
                const int top = std::min(screen * TfrmSpilSide::kLines, lines - TfrmSpilSide::kLines);
                game.TextTop = top;
                game.UpdateLabels(top);
                result.notes.push_back("the description has " + std::to_string(lines) + " lines: " +
                                       std::to_string(result.screens) + " screens; the reader scrolls with the arrows");
            }
            break;
        }
        case PreviewPage::Category:
            kategori.ShownCategory = at >= 0 ? kategori.SpilListe[static_cast<size_t>(at)].Kategori : 0;
            kategori.PutPaaKnapper();
            drawn = &kategori;
            if (at >= 0) {
                int before = 0;
                for (int i = 0; i < at; ++i) before += kategori.SpilListe[static_cast<size_t>(i)].Kategori == kategori.ShownCategory;
                if (before >= TfrmKategori::kDemoButtons)
                    result.notes.push_back("demo number " + std::to_string(before + 1) +
                                           " of its category: the page shows the first eight, so it is reachable from "
                                           "the index page only");
            }
            break;
        case PreviewPage::Index: {
            TfrmIndex& index = *p.frmIndex;
            const int top = std::clamp(at - at % TfrmIndex::kRows, 0, std::max(0, count - TfrmIndex::kRows));
            index.IndexTop = top;
            index.UpdateLabels(top);
            drawn = &index;
            break;
        }
        case PreviewPage::Uninstall: {
            TfrmAfinstaller& uninstall = *p.frmAfinstaller;
            std::vector<InstalledDemo> everyDemo;
            for (const TSpilPost& e : kategori.SpilListe) everyDemo.push_back({"", RecordName(e.KortTitel), "", false});
            uninstall.ShowList(std::move(everyDemo));
            uninstall.UpdateLabels(std::max(0, at - at % TfrmAfinstaller::kRows));
            drawn = &uninstall;
            break;
        }
        case PreviewPage::Credits:
            drawn = p.frmLavetAf;
            break;
    }
    RenderPage(*drawn, image_);
    result.cut = CutTexts(*drawn);
    // The face the titles are drawn with: a CD whose font files carry another family name draws
    // every page in the system's stand-in, which measures differently.
    const FontSpec asked = Verdana(13, Bold);
    const std::string face = FaceDrawn(*drawn, asked);
    if (lstrcmpiA(face.c_str(), asked.face.c_str()) != 0)
        result.notes.push_back("drawn in " + face + ", not " + asked.face + ": the CD's Diverse folder has no font of that name");
    return result;
}

}  // namespace vindrel::editor
