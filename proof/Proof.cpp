#include "proof/Proof.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "app/Black.h"
#include "catalogue/Beskrivelse.h"
#include "catalogue/Katalog.h"
#include "lang/Sprogvalg.h"
#include "pages/Afinstaller.h"
#include "pages/Ansvar.h"
#include "pages/DX.h"
#include "pages/Forside.h"
#include "pages/Help.h"
#include "pages/Index.h"
#include "pages/Kategori.h"
#include "pages/LavetAf.h"
#include "pages/SpilSide.h"
#include "proof/FindingKinds.h"
#include "proof/Png.h"
#include "services/CDrom.h"

namespace vindrel {
namespace {

// Where the proof says how it ended: its standard output, or where it has none (a windowed
// program started from a command prompt), the console of the prompt it was started from.
void Say(const std::string& line) {
    DWORD written = 0;
    const HANDLE own = GetStdHandle(STD_OUTPUT_HANDLE);
    if (own && own != INVALID_HANDLE_VALUE && GetFileType(own) != FILE_TYPE_UNKNOWN) {
        WriteFile(own, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    // Refused as "already attached" where the system gave the program that console itself.
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) return;
    const HANDLE opened = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return;
    const UniqueKernelHandle console(opened);
    WriteFile(console.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

struct Language {
    const char* code;
    const char* name;
};
constexpr Language kLanguages[] = {
    {"da", "Danish"}, {"se", "Swedish"}, {"no", "Norwegian"}, {"fi", "Finnish"}};
constexpr const char* kAllLanguages = "all";  // a finding that is the same in every language

// A machine that meets every requirement, and one that meets none (the lines red, as lit).
constexpr MachineProfile kMeetsAll{0, INT32_MAX, INT32_MAX, 1};
constexpr MachineProfile kMeetsNone{0, 0, 0, 0};

struct Finding {
    // What is cut off (a title, a heading, another text), "unreadable" (a screenshot) and "not
    // drawn" (a page) count for the exit status; "scrolls", "screenshot" (a missing one) and
    // "hidden" do not. The kinds are proof/FindingKinds.h's.
    std::string kind;
    std::string language;
    std::string where;  // "Spil7", or the page for the menu's own texts
    std::string place;  // the page and row it is seen on: "index page, row 3"
    std::string text;
    bool CutOff() const {
        return kind == proofkind::kTitleCut || kind == proofkind::kHeading || kind == proofkind::kTextCut;
    }
    bool Fault() const { return CutOff() || kind == proofkind::kUnreadable || kind == proofkind::kNotDrawn; }
    // By language, then demo in catalogue order ("Spil9" before "Spil10"), then the menu's pages.
    bool operator<(const Finding& o) const {
        return std::make_tuple(language, Section(), where, kind, place, text) <
               std::make_tuple(o.language, o.Section(), o.where, o.kind, o.place, o.text);
    }
    int Section() const { return where.rfind("Spil", 0) == 0 ? std::atoi(where.c_str() + 4) : INT_MAX; }
};

struct Picture {
    std::string file;  // under pages\ in the proof folder
    std::string caption;
};

struct DemoProof {
    std::string where;
    TSpilPost entry;
    std::vector<Picture> pictures;
};

struct LanguageProof {
    Language language;
    std::vector<Picture> pages;
    std::vector<DemoProof> demos;
};

// A control character of the catalogue written so that it can be seen: "\x01".
bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }
std::string Visible(char c) {
    static const char kHex[] = "0123456789ABCDEF";
    const auto u = static_cast<unsigned char>(c);
    return std::string("\\x") + kHex[u >> 4] + kHex[u & 0xF];
}

// A text in a finding: on one line, and not longer than a reader needs to find it.
std::string Quoted(const std::string& text) {
    std::string flat;
    for (char c : text) {
        if (c == '\r') continue;
        flat += c == '\n' ? " " : IsControl(c) ? Visible(c) : std::string(1, c);
    }
    if (flat.size() > 60) flat = flat.substr(0, 57) + "...";
    return "\"" + flat + "\"";
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (IsControl(c) && c != '\r' && c != '\n') {
            out += Visible(c);
            continue;
        }
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\r': break;
            case '\n': out += "<br>"; break;
            default: out += c;
        }
    }
    return out;
}

bool WriteBytes(const std::string& path, const void* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && written;
}

bool WriteText(const std::string& path, const std::string& text) { return WriteBytes(path, text.data(), text.size()); }

// Height of one line of a font.
int LineHeight(Page& page, const FontSpec& font) {
    WindowDc screen(nullptr);
    SelectGuard select(screen.get(), page.Font(font));
    TEXTMETRICA tm{};
    GetTextMetricsA(screen.get(), &tm);
    return std::max<int>(1, tm.tmHeight);
}

// Where a control's text lies on the page, and what of the control shows (within its panels and
// the page); nothing for a control without text.
struct TextPlace {
    RECT text;
    RECT shown;
};

// The blank the font leaves before the first and after the last character of a one-line text
// (the text's cell is wider than its ink): a cell that passes the edge by no more is not cut.
RECT InkInset(Page& page, const FontSpec& font, const std::string& text) {
    if (text.empty() || text.find_first_of("\r\n") != std::string::npos) return RECT{};
    WindowDc screen(nullptr);
    SelectGuard select(screen.get(), page.Font(font));
    ABC first{}, last{};
    const auto firstChar = static_cast<unsigned char>(text.front()), lastChar = static_cast<unsigned char>(text.back());
    if (!GetCharABCWidthsA(screen.get(), firstChar, firstChar, &first) || !GetCharABCWidthsA(screen.get(), lastChar, lastChar, &last))
        return RECT{};
    return RECT{std::max(0, first.abcA), 0, std::max(0, last.abcC), 0};
}

std::optional<TextPlace> PlaceOf(const Control& control, const RECT& clip) {
    RECT bounds = control.PageRect(), shown;
    if (!IntersectRect(&shown, &bounds, &clip)) shown = RECT{bounds.left, bounds.top, bounds.left, bounds.top};
    if (auto* label = dynamic_cast<const TLabel*>(&control)) {
        if (label->Caption().empty()) return std::nullopt;
        const SIZE need = label->TextExtent();
        int left = bounds.left;
        if (label->Alignment() == TextAlignment::taCenter) left += (control.Width() - need.cx) / 2;
        if (label->Alignment() == TextAlignment::taRightJustify) left = bounds.right - need.cx;
        const RECT inset = InkInset(control.OwnerPage(), label->Font(), label->Caption());
        return TextPlace{{left + inset.left, bounds.top, left + need.cx - inset.right, bounds.top + need.cy}, shown};
    }
    if (auto* button = dynamic_cast<const TLMDMMButton*>(&control)) {
        RECT text = button->CaptionDrawn();
        if (IsRectEmpty(&text)) return std::nullopt;
        OffsetRect(&text, bounds.left, bounds.top);
        if (!button->Properties().multiLine) {
            const RECT inset = InkInset(control.OwnerPage(), button->Font(), button->Caption());
            text.left += inset.left;
            text.right -= inset.right;
        }
        return TextPlace{text, shown};
    }
    return std::nullopt;
}

std::string CaptionOf(const Control& control) {
    if (auto* label = dynamic_cast<const TLabel*>(&control)) return label->Caption();
    if (auto* button = dynamic_cast<const TLMDMMButton*>(&control)) return button->Caption();
    return {};
}

// Who a text belongs to: the demo (a section) or the page, and whether it reads the same in
// every language; and where on its page a reader sees it. Empty where: the page's own name;
// empty place: the page.
struct Owner {
    std::string where;
    bool sameInEveryLanguage = false;
    std::string place;
};

// "index page" of "the index page".
std::string PagePlace(const std::string& pageName) { return pageName.rfind("the ", 0) == 0 ? pageName.substr(4) : pageName; }

class Proof {
public:
    Proof(Application& app, std::string folder) : app_(app), folder_(std::move(folder)) {}
    int Run();

private:
    // A picture's path under the folder: "\\pages\\" and the longest picture name, with room.
    static constexpr DWORD kLongestPicturePath = 32;

    bool Prepare();
    int Failed();
    void Drawn(const std::string& what, const std::function<void()>& prove);
    using OwnerOf = std::function<Owner(const Control&)>;

    void ProveLanguage(const Language& language);
    void ProveFlags();
    void ProvePages(TfrmBlack& shell, LanguageProof& proof);
    void ProveDemo(TfrmBlack& shell, size_t position, LanguageProof& proof);
    void ProveScreenshot(const DemoProof& demo);
    void ProveCategories(const SpilListe& list);
    // Renders the page into pages\<name>.png and notes what is cut off on it.
    void Take(Page& page, const std::string& name, const std::string& pageName, const OwnerOf& owner,
              std::vector<Picture>& into, const std::string& caption);
    void CheckTexts(Page& page, const ControlParent& parent, const RECT& clip, const std::string& pageName,
                    const OwnerOf& owner);
    void Note(std::string kind, std::string language, std::string where, std::string place, std::string text) {
        findings_.insert({std::move(kind), std::move(language), std::move(where), std::move(place), std::move(text)});
    }
    std::string WhereOf(size_t position) const {
        return position < sections_.size() ? "Spil" + std::to_string(sections_[position]) : "?";
    }
    std::string Html() const;
    std::string FindingsText() const;
    std::string FindingsHtml(const std::string& language, const std::string& where, bool everyLanguage) const;

    Application& app_;
    std::string folder_;
    std::string language_;  // of the pages being rendered
    std::vector<int> sections_;  // the section number of each position in the catalogue list
    std::string edition_, year_;  // as the pages drew them
    std::vector<Picture> flags_;
    std::vector<LanguageProof> proofs_;
    std::set<Finding> findings_;
    std::set<std::string> shotsChecked_;
    PageImage image_;
    int pictures_ = 0;
    int fontsLoaded_ = 0;
    std::string failure_;  // why the proof cannot be completed; empty while it can
};

int Proof::Run() {
    if (!Prepare()) return Failed();
    SpilListe listed;
    indsaet_i_liste(listed, "da");
    for (const TSpilPost& e : listed) sections_.push_back(e.Section);

    {
        const PrivateFonts fonts;
        fontsLoaded_ = fonts.Loaded();
        Drawn("the language page", [&] { ProveFlags(); });
        for (const Language& language : kLanguages) Drawn(language.name, [&] { ProveLanguage(language); });
    }
    if (!failure_.empty()) return Failed();

    const std::string list = FindingsText();
    if (!WriteText(folder_ + "\\index.html", Html()) || !WriteText(folder_ + "\\findings.txt", list)) {
        failure_ = "the proof could not write index.html and findings.txt in " + folder_;
        return Failed();
    }
    // The summary, the list's last line, for whoever started the proof from a console.
    Say(list.substr(list.rfind("proof: ")));
    const bool fault = std::any_of(findings_.begin(), findings_.end(), [](const Finding& f) { return f.Fault(); });
    return fault ? kProofCutOff : kProofClean;
}

bool Proof::Prepare() {
    // A path that the platform's calls here cannot reach is said at once, not found out after the
    // pages: the longest picture's name is "xx-SpilNN-NN.png" under pages\.
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(folder_.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH - kLongestPicturePath) {
        failure_ = "the proof folder's path is " + std::to_string(length ? length : folder_.size()) +
                   " characters long; it may have at most " + std::to_string(MAX_PATH - kLongestPicturePath - 1);
        return false;
    }
    folder_ = full;
    CreateDirectoryA(folder_.c_str(), nullptr);
    CreateDirectoryA((folder_ + "\\pages").c_str(), nullptr);
    // An earlier proof's page and list go first, so that none of it can pass for this one.
    DeleteFileA((folder_ + "\\index.html").c_str());
    if (!WriteText(folder_ + "\\findings.txt", "")) {
        failure_ = "the proof cannot write in the folder " + folder_;
        return false;
    }
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    if (GetFileAttributesA(kCatalogueFile) == INVALID_FILE_ATTRIBUTES) {
        failure_ = std::string("there is no catalogue Spil.INI in ") + current + ": start the proof from the CD's root";
        return false;
    }
    return true;
}

int Proof::Failed() {
    const std::string line = "proof failed: " + failure_ + "\r\n";
    WriteText(folder_ + "\\findings.txt", line);
    Say(line);
    return kProofFailed;
}

void Proof::Drawn(const std::string& what, const std::function<void()>& prove) {
    // A page that cannot be drawn is a finding of its own; the proof goes on with the next.
    try {
        prove();
    } catch (const std::exception& e) {
        Note(proofkind::kNotDrawn, kAllLanguages, what, "-", std::string("the proof could not draw this: ") + e.what());
    }
}

void Proof::ProveFlags() {
    TfrmBlack shell(app_, MenuStart::Rendering("??", kMeetsAll));
    language_ = kAllLanguages;
    if (TfrmSprogvalg* flags = shell.Pages().frmSprogvalg)
        Take(*flags, "flags", "the language page", {}, flags_, "The flags, while the language is undecided");
}

void Proof::ProveLanguage(const Language& language) {
    TfrmBlack shell(app_, MenuStart::Rendering(language.code, kMeetsAll));
    language_ = language.code;
    if (shell.Pages().frmSpilSide) edition_ = shell.Pages().frmSpilSide->Edition;
    if (shell.Pages().frmLavetAf) year_ = shell.Pages().frmLavetAf->Year;
    LanguageProof proof{language, {}, {}};
    const PageSet& p = shell.Pages();
    // Every page is made for the proof; one that is missing is said, never drawn from nothing.
    const std::pair<const void*, const char*> pages[] = {
        {p.frmSpilSide, "the game page"},  {p.frmKategori, "the category page"}, {p.frmAfinstaller, "the uninstall page"},
        {p.frmIndex, "the index page"},    {p.frmHelp, "the help page"},         {p.frmDX, "the DirectX page"},
        {p.frmLavetAf, "the credits"},     {p.frmForside, "the main menu"},      {p.frmAnsvar, "the disclaimer"}};
    for (const auto& [page, name] : pages)
        if (!page) throw std::runtime_error(std::string(name) + " does not exist in " + language.name);
    Drawn(language.name, [&] { ProvePages(shell, proof); });
    const SpilListe& list = p.frmKategori->SpilListe;
    for (size_t position = 0; position < list.size(); ++position)
        Drawn(WhereOf(position), [&] { ProveDemo(shell, position, proof); });
    ProveCategories(list);
    proofs_.push_back(std::move(proof));
}

void Proof::ProvePages(TfrmBlack& shell, LanguageProof& proof) {
    PageSet& p = shell.Pages();
    const std::string code = language_;
    auto named = [&](const char* page) { return code + "-" + page; };
    Take(*p.frmAnsvar, named("disclaimer"), "the disclaimer", {}, proof.pages, "Disclaimer");
    Take(*p.frmForside, named("menu"), "the main menu", {}, proof.pages, "Main menu");

    // The demo buttons of the category, index and uninstall pages belong to their demos; the row
    // is counted from the page's layout, from 1 at the top.
    auto rowOwner = [this](const std::function<int(const Control&)>& position, const TitleRow& layout) {
        return [this, position, &layout](const Control& c) {
            const int at = position(c);
            if (at < 0) return Owner{};
            const int row = (c.PageRect().top - layout.top) / layout.step + 1;
            return Owner{WhereOf(static_cast<size_t>(at)), true,
                         std::string(layout.page) + proofkind::kRowSeparator + std::to_string(row)};
        };
    };
    TfrmKategori& kategori = *p.frmKategori;
    auto isRow = [](const std::array<TLMDMMButton*, TfrmKategori::kDemoButtons>& rows, const Control& c) {
        return std::find(rows.begin(), rows.end(), &c) != rows.end();
    };
    for (CategoryCode c = 0; c < kNoCategory; ++c) {
        kategori.ShownCategory = c;
        kategori.PutPaaKnapper();
        Take(kategori, named("category-") + std::to_string(c + 1), "the category page",
             rowOwner([&](const Control& ctl) { return isRow(kategori.DemoButtons(), ctl) ? ctl.Tag : -1; }, kCategoryRow),
             proof.pages,
             std::string("Category page: ") + kCategoryNames[c]);
    }

    TfrmIndex& index = *p.frmIndex;
    const int count = static_cast<int>(kategori.SpilListe.size());
    int screen = 0;
    for (int top = 0;; top += TfrmIndex::kRows) {
        top = std::min(top, std::max(0, count - TfrmIndex::kRows));
        index.IndexTop = top;
        index.UpdateLabels(top);
        Take(index, named("index-") + std::to_string(++screen), "the index page",
             rowOwner([&](const Control& ctl) { return ctl.Name().rfind("Transknap", 0) == 0 ? ctl.Tag : -1; }, kIndexRow),
             proof.pages, "Index, from entry " + std::to_string(top + 1));
        if (top + TfrmIndex::kRows >= count) break;
    }

    // The uninstall page as a reader sees it who has installed every demo of the CD.
    TfrmAfinstaller& uninstall = *p.frmAfinstaller;
    std::vector<InstalledDemo> everyDemo;
    for (const TSpilPost& e : kategori.SpilListe) everyDemo.push_back({"", RecordName(e.KortTitel), "", false});
    uninstall.ShowList(std::move(everyDemo));
    screen = 0;
    for (int first = 0; first < count; first += TfrmAfinstaller::kRows) {
        uninstall.UpdateLabels(first);
        Take(uninstall, named("uninstall-") + std::to_string(++screen), "the uninstall page",
             rowOwner([&](const Control& ctl) {
                 for (int row = 1; row <= TfrmAfinstaller::kRows; ++row)
                     if (&uninstall.RowButton(row) == &ctl && first + row - 1 < count) return first + row - 1;
                 return -1;
             }, kUninstallRow),
             proof.pages, "Uninstall, every demo installed, from entry " + std::to_string(first + 1));
    }

    // Each help topic as its page shows it, chosen without the click sound of a reader's choice.
    TfrmHelp& help = *p.frmHelp;
    auto topicHandler = std::move(help.radHelpSelect.OnClick);
    help.radHelpSelect.OnClick = nullptr;
    help.FormShow();
    for (int topic = 0; topic < help.radHelpSelect.Count(); ++topic) {
        help.radHelpSelect.SetItemIndex(topic);
        help.lblHelp.SetCaption(help.HelpTexts[static_cast<size_t>(topic) + 1]);
        Take(help, named("help-") + std::to_string(topic + 1), "the help page", {}, proof.pages,
             "Help: " + help.radHelpSelect.Item(topic));
    }
    help.radHelpSelect.OnClick = std::move(topicHandler);

    Take(*p.frmDX, named("directx"), "the DirectX page", {}, proof.pages, "DirectX");
    Take(*p.frmLavetAf, named("credits"), "the credits", {}, proof.pages, "Credits");
}

void Proof::ProveDemo(TfrmBlack& shell, size_t position, LanguageProof& proof) {
    TfrmSpilSide& game = *shell.Pages().frmSpilSide;
    const TSpilPost& entry = shell.Pages().frmKategori->SpilListe[position];
    DemoProof demo{WhereOf(position), entry, {}};
    const std::string name = language_ + "-" + demo.where;
    // The title (the same in every language), the description lines and the requirement lines
    // ("Label..." all) are the demo's; the buttons, heading and warning are the page's own.
    auto owner = [&](const Control& c) {
        if (&c == &game.lblSpilTitel) return Owner{demo.where, true, "game page, heading"};
        return c.Name().rfind("Label", 0) == 0 ? Owner{demo.where, false, "game page"} : Owner{};
    };

    // Each demo from a fresh page, so that a missing screenshot shows none.
    game.Screenshot.SetPicture(nullptr);
    game.ShowDemo(entry, kMeetsAll);
    const int lines = game.mmoInstrukser.Count();
    const int last = std::max(0, lines - TfrmSpilSide::kLines);
    int screen = 0;
    for (int top = 0;; top = std::min(top + TfrmSpilSide::kLines, last)) {
        if (lines >= TfrmSpilSide::kLines) {
            game.TextTop = top;
            game.UpdateLabels(top);
        }
        ++screen;
        Take(game, name + "-" + std::to_string(screen), "the game page", owner, demo.pictures,
             lines > TfrmSpilSide::kLines
                 ? "Lines " + std::to_string(top + 1) + " to " + std::to_string(top + TfrmSpilSide::kLines) + " of " +
                       std::to_string(lines)
                 : "The game page");
        if (top >= last) break;
    }
    if (lines > TfrmSpilSide::kLines)
        Note(proofkind::kScrolls, language_, demo.where, "game page",
             std::string("the ") + proof.language.name + " description has " + std::to_string(lines) + " lines: " +
                 std::to_string(screen) + " screens; the game page shows " + std::to_string(TfrmSpilSide::kLines) +
                 " at a time and the reader scrolls with the arrows");

    game.ShowDemo(entry, kMeetsNone);
    Take(game, name + "-short", "the game page", owner, demo.pictures, "On a machine that falls short");
    ProveScreenshot(demo);
    proof.demos.push_back(std::move(demo));
}

void Proof::ProveScreenshot(const DemoProof& demo) {
    const std::string& setup = demo.entry.Setup;
    if (!shotsChecked_.insert(demo.where).second) return;
    const std::string file = ScreenshotFileName(setup);
    Screenshot shot;
    if (!shot.Load(setup)) {
        if (shot.Problem().empty())
            Note(proofkind::kNoScreenshot, kAllLanguages, demo.where, "game page",
                 "no screenshot " + Quoted(file) + ": the game page shows no picture");
        else
            Note(proofkind::kUnreadable, kAllLanguages, demo.where, "game page",
                 "the screenshot " + Quoted(file) + " cannot be read: it " + shot.Problem() +
                     "; the game page shows no picture");
        return;
    }
}

void Proof::ProveCategories(const SpilListe& list) {
    int seen[kNoCategory] = {};
    for (size_t position = 0; position < list.size(); ++position) {
        const CategoryCode c = list[position].Kategori;
        if (c >= kNoCategory || ++seen[c] <= TfrmKategori::kDemoButtons) continue;
        Note(proofkind::kHidden, kAllLanguages, WhereOf(position), kCategoryRow.page,
             Quoted(list[position].KortTitel) + " is " + kCategoryNames[c] + " demo number " + std::to_string(seen[c]) +
                 ": the category page shows the first eight, so it is reachable from the index page only");
    }
}

void Proof::Take(Page& page, const std::string& name, const std::string& pageName, const OwnerOf& owner,
                 std::vector<Picture>& into, const std::string& caption) {
    if (!failure_.empty()) return;  // the proof cannot be completed: no more pictures are drawn
    RenderPage(page, image_);
    const std::string file = name + ".png";
    const std::vector<uint8_t> png = EncodePng(kPageWidth, kPageHeight, image_.Pixels());
    if (!WriteBytes(folder_ + "\\pages\\" + file, png.data(), png.size()) && failure_.empty())
        failure_ = "the picture pages\\" + file + " could not be written in " + folder_;
    ++pictures_;
    into.push_back({file, caption});
    CheckTexts(page, page, RECT{0, 0, kPageWidth, kPageHeight}, pageName, owner);
}

void Proof::CheckTexts(Page& page, const ControlParent& parent, const RECT& clip, const std::string& pageName,
                       const OwnerOf& owner) {
    for (const auto& child : parent.Children()) {
        const Control& c = *child;
        if (!c.Visible()) continue;
        if (ControlParent* inner = child->AsParent()) {
            RECT bounds = c.PageRect(), within;
            if (IntersectRect(&within, &bounds, &clip)) CheckTexts(page, *inner, within, pageName, owner);
            continue;
        }
        const auto place = PlaceOf(c, clip);
        if (!place) continue;
        const RECT& t = place->text;
        const RECT& s = place->shown;
        const bool across = t.left < s.left || t.right > s.right, down = t.top < s.top || t.bottom > s.bottom;
        if (!across && !down) continue;
        const Owner who = owner ? owner(c) : Owner{};
        const std::string language = who.sameInEveryLanguage ? kAllLanguages : language_;
        const std::string where = who.where.empty() ? pageName : who.where;
        const std::string text = CaptionOf(c);
        const std::string seenOn = who.place.empty() ? PagePlace(pageName) : who.place;
        std::string what, kind = proofkind::kTextCut;
        auto* label = dynamic_cast<const TLabel*>(&c);
        if (label && down && !across && label->Name() == "lblSpilTitel") {
            const int line = LineHeight(page, label->Font());
            kind = proofkind::kHeading;
            what = "the title " + Quoted(text) + " takes " + std::to_string((t.bottom - t.top + line - 1) / line) +
                   " lines; the game page's heading shows " + std::to_string(c.Height() / line);
        } else {
            const bool row = who.sameInEveryLanguage && !who.where.empty() && dynamic_cast<const TLMDMMButton*>(&c);
            if (row) kind = proofkind::kTitleCut;
            what = (row ? "the short title " : "the text ") + Quoted(text) + " is cut off on the " + seenOn + ": it needs ";
            // What of the text shows: the part of it inside the visible part of the control.
            if (across)
                what += std::to_string(t.right - t.left) + " pixels across, " +
                        std::to_string(std::min(t.right, s.right) - std::max(t.left, s.left)) + " show";
            else
                what += std::to_string(t.bottom - t.top) + " pixels down, " +
                        std::to_string(std::min(t.bottom, s.bottom) - std::max(t.top, s.top)) + " show";
        }
        Note(kind, language, where, seenOn, what);
    }
}

std::string Proof::FindingsText() const {
    std::string text;
    int cut = 0;
    for (const Finding& f : findings_) {
        text += f.kind + ": " + f.language + ": " + f.where + ": " + f.place + ": " + f.text + "\r\n";
        cut += f.CutOff();
    }
    // The last line: whoever reads the list knows by it that the proof ended.
    text += "proof: " + std::to_string(pictures_) + " pages, " + std::to_string(cut) + " cut off, " +
            std::to_string(findings_.size() - static_cast<size_t>(cut)) + " other findings\r\n";
    return text;
}

std::string Proof::FindingsHtml(const std::string& language, const std::string& where, bool everyLanguage) const {
    std::string html;
    for (const Finding& f : findings_) {
        if (f.where != where || !(f.language == language || (everyLanguage && f.language == kAllLanguages))) continue;
        html += std::string("<li class=\"") + (f.CutOff() ? "cut" : "note") + "\">" + Escaped(f.kind) + ": " +
                Escaped(f.text) + "</li>\n";
    }
    return html.empty() ? html : "<ul class=\"findings\">\n" + html + "</ul>\n";
}

std::string Proof::Html() const {
    auto figure = [](const Picture& p) {
        return "<figure><a href=\"pages/" + p.file + "\"><img src=\"pages/" + p.file +
               "\" width=\"640\" height=\"480\" loading=\"lazy\" alt=\"" + Escaped(p.caption) + "\"></a><figcaption>" +
               Escaped(p.caption) + "</figcaption></figure>\n";
    };
    auto languageName = [this](const std::string& code) -> std::string {
        for (const LanguageProof& proof : proofs_)
            if (code == proof.language.code) return proof.language.name;
        return "every language";
    };
    int cut = 0;
    for (const Finding& f : findings_) cut += f.CutOff();
    std::string html =
        "<!DOCTYPE html>\n<html><head><meta charset=\"windows-1252\"><title>Proof of the CD</title>\n<style>\n"
        "body{font-family:Verdana,sans-serif;font-size:13px;margin:16px;background:#f4f4f0;color:#222}\n"
        "h1{font-size:22px;margin:0 0 8px}h2{font-size:18px;margin-top:28px;border-bottom:2px solid #444}\n"
        "h3{font-size:15px}nav a{margin-right:12px}\n"
        "figure{display:inline-block;margin:0 12px 12px 0;vertical-align:top}\n"
        "img{border:1px solid #888;display:block}figcaption{color:#555;margin-top:2px}\n"
        ".demo{display:flex;gap:16px;border-top:1px solid #bbb;padding-top:12px;margin-top:12px}\n"
        ".keys{flex:none;width:330px}table{border-collapse:collapse}\n"
        "th{text-align:left;vertical-align:top;padding:1px 10px 1px 0;color:#555;font-weight:normal}td{padding:1px 8px 1px 0}\n"
        ".cut{color:#b00000;font-weight:bold}.note{color:#6a4b00}ul.findings{padding-left:18px;margin:6px 0}\n"
        "</style></head><body>\n<h1>Proof of the CD</h1>\n";
    const size_t demos = proofs_.empty() ? 0 : proofs_.front().demos.size();
    html += "<p>" + std::to_string(demos) + " demos in " + std::to_string(proofs_.size()) + " languages, " +
            std::to_string(pictures_) + " pages drawn by the menu itself, with " +
            (fontsLoaded_ > 0 ? "the CD's own fonts" : "this system's fonts (there are none in the CD's Diverse folder)") +
            ": <b>" +
            std::to_string(cut) + " cut off</b>, " + std::to_string(findings_.size() - static_cast<size_t>(cut)) +
            " other findings (also in <a href=\"findings.txt\">findings.txt</a>).</p>\n<p id=\"edition\">Edition <b>" +
            Escaped(edition_) + "</b> (the install records and the Start-menu folder Games\\" + Escaped(edition_) +
            "), year <b>" + Escaped(year_) + "</b> in the credits' rights notice: the catalogue's [CD] Udgave and Aar, or " +
            kBuiltInEdition + " and " + kBuiltInYear + " where they are missing or cannot be used.</p>\n<nav>";
    for (const LanguageProof& proof : proofs_)
        html += std::string("<a href=\"#") + proof.language.code + "\">" + proof.language.name + "</a>";
    html += "<a href=\"#flags\">Flags</a></nav>\n<h2>What a reader would meet</h2>\n<table>\n";
    for (const bool cutOff : {true, false})  // what is cut off first
        for (const Finding& f : findings_) {
            if (f.CutOff() != cutOff) continue;
            const std::string anchor = (f.language == kAllLanguages ? kLanguages[0].code : f.language) + "-" + f.where;
            const std::string where = f.Section() == INT_MAX ? Escaped(f.where) : "<a href=\"#" + anchor + "\">" + f.where + "</a>";
            html += "<tr class=\"" + std::string(cutOff ? "cut" : "note") + "\"><td>" + where + "</td><td>" +
                    languageName(f.language) + "</td><td>" + Escaped(f.kind) + ": " + Escaped(f.text) + "</td></tr>\n";
        }
    if (findings_.empty()) html += "<tr><td>Nothing: no text is cut off, and no demo is out of place.</td></tr>\n";
    html += "</table>\n";
    for (const LanguageProof& proof : proofs_) {
        const std::string code = proof.language.code;
        html += "<h2 id=\"" + code + "\">" + proof.language.name + " (" + code + ")</h2>\n<h3>Demos</h3>\n";
        for (const DemoProof& d : proof.demos) {
            const TSpilPost& e = d.entry;
            html += "<div class=\"demo\" id=\"" + code + "-" + d.where + "\"><div class=\"keys\"><b>[" + d.where +
                    "]</b>\n<table>\n";
            const std::pair<const char*, std::string> keys[] = {
                {"Titel", e.Titel},
                {"KortTitel", e.KortTitel},
                {"Setup", e.Setup},
                {"CPU", std::to_string(e.CPU)},
                {"Ram", std::to_string(e.Ram)},
                {"HD", std::to_string(e.HD)},
                {"Kategori", e.Kategori < kNoCategory ? kCategoryNames[e.Kategori] : ""},
                {"Folder", e.Folder},
                {"Uninstall", e.Uninstall},
                {DescriptionKeyFor(code)->key, e.Instruktion},
            };
            for (const auto& [key, value] : keys) html += std::string("<tr><th>") + key + "</th><td>" + Escaped(value) + "</td></tr>\n";
            html += "</table>\n" + FindingsHtml(code, d.where, true) + "</div><div>\n";
            for (const Picture& p : d.pictures) html += figure(p);
            html += "</div></div>\n";
        }
        html += "<h3>The menu's pages</h3>\n";
        std::set<std::string> pageNames;
        for (const Finding& f : findings_)
            if (f.language == code && f.Section() == INT_MAX) pageNames.insert(f.where);
        for (const std::string& page : pageNames) html += FindingsHtml(code, page, false);
        for (const Picture& p : proof.pages) html += figure(p);
    }
    html += "<h2 id=\"flags\">Before a language is chosen</h2>\n";
    for (const Picture& p : flags_) html += figure(p);
    html += "</body></html>\n";
    return html;
}

}  // namespace

namespace {

class OffTheScreen final : public PageScreen {
public:
    void ShowOwner(HWND) const override {}
    void Show(Page& page) const override { Activated(page); }
    void Hide(Page&) const override {}  // never shown
    void BringToFront(Page&) const override {}
    void ShowBehind(Page& page, const Page&) const override { Activated(page); }
};

constexpr OffTheScreen kOffTheScreen{};

}  // namespace

const PageScreen& ProofScreen() { return kOffTheScreen; }

bool IsProofCommand(const std::vector<std::string>& args) {
    return !args.empty() && (lstrcmpiA(args[0].c_str(), "/proof") == 0 || lstrcmpiA(args[0].c_str(), "-proof") == 0);
}

int RunProof(Application& app, const std::string& folder) {
    if (folder.empty()) {
        Say("proof failed: no folder named: VINDREL.EXE /proof FOLDER\r\n");
        return kProofFailed;
    }
    // The proof is run unattended: a fault ends it (its findings then lack their count line and
    // count for nothing) instead of waiting for ever behind the system's crash dialog.
    // The old mode is only told by replacing it, hence two calls (the mode's reader is newer than XP).
    const UINT quiet = SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX;
    SetErrorMode(SetErrorMode(quiet) | quiet);
    return Proof(app, folder).Run();
}

PageImage::PageImage() {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, kPageWidth, -kPageHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_.reset(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<uint32_t*>(bits);
    old_ = SelectObject(dc_.get(), bitmap_.get());
}

PageImage::~PageImage() { SelectObject(dc_.get(), old_); }

namespace {

// The child windows of a window, bottom of the z-order first, each painted into a picture of its
// own (the system's controls expect their window's origin in the DC) and copied to its place.
void PrintChildren(HWND window, HDC dc) {
    for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV)) {
        if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        const int w = r.right - r.left, h = r.bottom - r.top;
        UniqueBitmap bitmap(CreateCompatibleBitmap(dc, w, h));
        UniqueMemoryDc memory(CreateCompatibleDC(dc));
        if (!bitmap || !memory) continue;
        SelectGuard select(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, w, h, dc, r.left, r.top, SRCCOPY);  // what lies beneath it
        SendMessageA(child, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.get()), 0);
        SendMessageA(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
        PrintChildren(child, memory.get());
        BitBlt(dc, r.left, r.top, w, h, memory.get(), 0, 0, SRCCOPY);
    }
}

}  // namespace

namespace {

void CollectCut(const ControlParent& parent, const RECT& clip, std::vector<CutText>& cut) {
    for (const auto& child : parent.Children()) {
        const Control& c = *child;
        if (!c.Visible()) continue;
        if (ControlParent* inner = child->AsParent()) {
            RECT bounds = c.PageRect(), within;
            if (IntersectRect(&within, &bounds, &clip)) CollectCut(*inner, within, cut);
            continue;
        }
        const auto place = PlaceOf(c, clip);
        if (!place) continue;
        const RECT& t = place->text;
        const RECT& s = place->shown;
        if (t.left < s.left || t.right > s.right || t.top < s.top || t.bottom > s.bottom)
            cut.push_back({c.Name(), CaptionOf(c), t, s});
    }
}

}  // namespace

std::vector<CutText> CutTexts(Page& page) {
    std::vector<CutText> cut;
    CollectCut(page, RECT{0, 0, kPageWidth, kPageHeight}, cut);
    return cut;
}

std::string FaceDrawn(Page& page, const FontSpec& font) {
    WindowDc screen(nullptr);
    SelectGuard select(screen.get(), page.Font(font));
    char face[LF_FACESIZE] = {};
    GetTextFaceA(screen.get(), LF_FACESIZE, face);
    return face;
}

void RenderPage(Page& page, PageImage& image) {
    SendMessageA(page.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.Dc()), PRF_CLIENT);
    PrintChildren(page.Handle(), image.Dc());
    GdiFlush();
}

}  // namespace vindrel
