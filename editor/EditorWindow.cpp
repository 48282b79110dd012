#include "editor/EditorWindow.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "catalogue/Katalog.h"
#include "editor/IniText.h"

namespace vindrel::editor {
namespace {

enum : int {
    kNew = 100, kOpen, kSave, kSaveAs, kMakeCd, kExit,
    kAdd = 110, kDuplicate, kRemove, kUp, kDown,
    kRedraw = 120, kNextScreen, kPreviousScreen,
    kList = 200, kSetupButton = 250, kLanguage = 260, kPage, kPrevious, kNext,
    kFieldBase = 300,
};
constexpr UINT_PTR kCheckTimer = 1;
constexpr UINT kCheckDelayMs = 250;
constexpr wchar_t kClass[] = L"VindrelCatalogueEditor";
constexpr wchar_t kPreviewClass[] = L"VindrelCatalogueEditorPreview";
constexpr wchar_t kProgram[] = L"Vindrel catalogue editor";

std::wstring Wide(const std::string& text, UINT codePage = CP_ACP) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), w.data(), n);
    return w;
}
// The catalogue's own texts (Windows-1252) for the screen, whatever the system's code page.
std::wstring FromCatalogue(const std::string& text) {
    const std::u16string u = FromCp1252(text);
    return std::wstring(u.begin(), u.end());
}
std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), s.data(), n, nullptr, nullptr);
    return s;
}

// The keys of the form, in its order; the CD's two first.
// Each label carries a letter that leads to its field with Alt, as in a dialog; none of the menu
// bar's (F, D, V).
struct FormKey {
    const char* key;
    const wchar_t* label;
    bool cd;
    bool multiLine;
};
constexpr FormKey kForm[] = {
    {"Udgave", L"Udg&ave", true, false},     {"Aar", L"Aa&r", true, false},
    {"Titel", L"&Titel", false, false},      {"KortTitel", L"&KortTitel", false, false},
    {"Setup", L"&Setup", false, false},      {"Kategori", L"Kate&gori", false, false},
    {"CPU", L"&CPU", false, false},          {"Ram", L"Ra&m", false, false},
    {"HD", L"&HD", false, false},            {"Folder", L"Fo&lder", false, false},
    {"Uninstall", L"&Uninstall", false, false}, {"Dansk", L"Da&nsk", false, true},
    {"Svensk", L"Sv&ensk", false, true},     {"Norsk", L"N&orsk", false, true},
    {"Finsk", L"F&insk", false, true},
};

// A multi-line field still moves on with Tab, as every other field does.
LRESULT CALLBACK TabbingEdit(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_GETDLGCODE) return CallWindowProcW(original, hwnd, msg, wp, lp) & ~DLGC_WANTALLKEYS & ~DLGC_WANTTAB;
    // A value is one line: Enter does not break it.
    if (msg == WM_CHAR && (wp == L'\r' || wp == L'\n')) return 0;
    return CallWindowProcW(original, hwnd, msg, wp, lp);
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id, HFONT font, DWORD ex = 0) {
    HWND h = CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return h;
}

double NowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

}  // namespace

EditorWindow::EditorWindow(HINSTANCE instance) : instance_(instance) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    scratch_ = std::filesystem::path(temp) / (L"redaktor-" + std::to_wstring(GetCurrentProcessId()));
    Create();
}

EditorWindow::~EditorWindow() {
    previewer_.reset();
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
    if (hwnd_) DestroyWindow(hwnd_);
    std::error_code ignored;
    std::filesystem::remove_all(scratch_, ignored);
}

void EditorWindow::Create() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    fontOwner_.reset(CreateFontIndirectW(&metrics.lfMessageFont));
    font_ = fontOwner_.get();

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
    wc.lpfnWndProc = PreviewProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kPreviewClass;
    RegisterClassExW(&wc);

    HMENU bar = CreateMenu(), file = CreatePopupMenu(), demo = CreatePopupMenu(), view = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kNew, L"&New catalogue\tCtrl+N");
    AppendMenuW(file, MF_STRING, kOpen, L"&Open...\tCtrl+O");
    AppendMenuW(file, MF_STRING, kSave, L"&Save\tCtrl+S");
    AppendMenuW(file, MF_STRING, kSaveAs, L"Save &as...");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kMakeCd, L"&Make CD folder...");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kExit, L"E&xit");
    AppendMenuW(demo, MF_STRING, kAdd, L"&Add\tCtrl+Ins");
    AppendMenuW(demo, MF_STRING, kDuplicate, L"&Duplicate\tCtrl+D");
    AppendMenuW(demo, MF_STRING, kRemove, L"&Remove\tCtrl+Del");
    AppendMenuW(demo, MF_STRING, kUp, L"Move &up\tAlt+Up");
    AppendMenuW(demo, MF_STRING, kDown, L"Move do&wn\tAlt+Down");
    AppendMenuW(view, MF_STRING, kRedraw, L"&Redraw the pages\tF5");
    AppendMenuW(view, MF_STRING, kNextScreen, L"&Next screen\tCtrl+PgDn");
    AppendMenuW(view, MF_STRING, kPreviousScreen, L"&Previous screen\tCtrl+PgUp");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(demo), L"&Demo");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"&View");
    ACCEL keys[] = {
        {FCONTROL | FVIRTKEY, 'N', kNew},          {FCONTROL | FVIRTKEY, 'O', kOpen},
        {FCONTROL | FVIRTKEY, 'S', kSave},         {FVIRTKEY, VK_F5, kRedraw},
        {FCONTROL | FVIRTKEY, VK_INSERT, kAdd},    {FCONTROL | FVIRTKEY, 'D', kDuplicate},
        {FCONTROL | FVIRTKEY, VK_DELETE, kRemove}, {FALT | FVIRTKEY, VK_UP, kUp},
        {FALT | FVIRTKEY, VK_DOWN, kDown},         {FCONTROL | FVIRTKEY, VK_NEXT, kNextScreen},
        {FCONTROL | FVIRTKEY, VK_PRIOR, kPreviousScreen},
    };
    accelerators_ = CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));

    // As large as the page beside the form needs, or the screen's working area where it is smaller.
    RECT work{0, 0, 1300, 800};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = std::min(1300L, work.right - work.left), height = std::min(800L, work.bottom - work.top);
    hwnd_ = CreateWindowExW(0, kClass, kProgram, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, work.left, work.top, width, height,
                            nullptr, bar, instance_, this);

    list_ = Child(hwnd_, L"LISTBOX", nullptr, WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                  kList, font_);
    const wchar_t* buttons[] = {L"Add", L"Copy", L"Remove", L"Up", L"Down"};
    for (int i = 0; i < 5; ++i) listButtons_.push_back(Child(hwnd_, L"BUTTON", buttons[i], WS_TABSTOP, kAdd + i, font_));
    listNote_ = Child(hwnd_, L"STATIC", L"", 0, 0, font_);

    for (size_t i = 0; i < std::size(kForm); ++i) {
        const FormKey& k = kForm[i];
        Field f{k.key, k.cd};
        f.label = Child(hwnd_, L"STATIC", k.label, 0, 0, font_);
        const int id = kFieldBase + static_cast<int>(i);
        if (std::string(k.key) == "Kategori") {
            f.edit = Child(hwnd_, L"COMBOBOX", nullptr, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, id, font_);
            for (const char* name : kCategoryNames) SendMessageW(f.edit, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(name).c_str()));
        } else if (k.multiLine) {
            f.edit = Child(hwnd_, L"EDIT", nullptr, WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, id, font_,
                           WS_EX_CLIENTEDGE);
            SetWindowLongPtrW(f.edit, GWLP_USERDATA, GetWindowLongPtrW(f.edit, GWLP_WNDPROC));
            SetWindowLongPtrW(f.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TabbingEdit));
        } else {
            const bool number = std::string(k.key) == "CPU" || std::string(k.key) == "Ram" || std::string(k.key) == "HD";
            f.edit = Child(hwnd_, L"EDIT", nullptr, WS_TABSTOP | ES_AUTOHSCROLL | (number ? ES_NUMBER : 0), id, font_,
                           WS_EX_CLIENTEDGE);
        }
        f.mark = Child(hwnd_, L"STATIC", L"", SS_CENTER, 0, font_);
        fields_.push_back(f);
    }
    setupButton_ = Child(hwnd_, L"BUTTON", L"...", WS_TABSTOP, kSetupButton, font_);
    unknown_ = Child(hwnd_, L"EDIT", nullptr, WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0, font_, WS_EX_CLIENTEDGE);
    findings_ = Child(hwnd_, L"EDIT", nullptr, WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0, font_, WS_EX_CLIENTEDGE);

    language_ = Child(hwnd_, L"COMBOBOX", nullptr, WS_TABSTOP | CBS_DROPDOWNLIST, kLanguage, font_);
    for (const char* name : kPreviewLanguageNames) SendMessageW(language_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(name).c_str()));
    SendMessageW(language_, CB_SETCURSEL, 0, 0);
    page_ = Child(hwnd_, L"COMBOBOX", nullptr, WS_TABSTOP | CBS_DROPDOWNLIST, kPage, font_);
    for (const char* name : kPreviewPageNames) SendMessageW(page_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(name).c_str()));
    SendMessageW(page_, CB_SETCURSEL, 0, 0);
    previous_ = Child(hwnd_, L"BUTTON", L"<", WS_TABSTOP, kPrevious, font_);
    next_ = Child(hwnd_, L"BUTTON", L">", WS_TABSTOP, kNext, font_);
    screenLabel_ = Child(hwnd_, L"STATIC", L"", 0, 0, font_);
    preview_ = Child(hwnd_, kPreviewClass, nullptr, 0, 0, font_);
    notes_ = Child(hwnd_, L"EDIT", nullptr, WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0, font_, WS_EX_CLIENTEDGE);
    status_ = Child(hwnd_, L"STATIC", L"", 0, 0, font_);

    previewer_ = std::make_unique<Preview>(instance_);
    NewCatalogue();
    Layout();
    SetFocus(list_);
}

void EditorWindow::Layout() {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    const int w = rc.right, h = rc.bottom, gap = 6, row = 24;
    // The list on the left, the form beside it, the pages on the right with what room is left.
    const int listW = 220, formX = listW + 2 * gap, formW = 380, labelW = 70, markW = 16;
    MoveWindow(list_, gap, gap, listW, std::max(60, h - 4 * gap - 3 * row), TRUE);
    const int buttonW[] = {36, 42, 58, 36, 44};
    for (int i = 0, x = gap; i < 5; x += buttonW[i++] + 1)
        MoveWindow(listButtons_[static_cast<size_t>(i)], x, h - 3 * row - gap, buttonW[i], row, TRUE);
    MoveWindow(listNote_, gap, h - 2 * row, listW, 2 * row - 4, TRUE);

    int y = gap;
    auto place = [&](Field& f, int x, int width, int height) {
        MoveWindow(f.label, x, y + 3, labelW, row - 4, TRUE);
        MoveWindow(f.edit, x + labelW, y, width - labelW - markW, f.key == std::string("Kategori") ? 200 : height, TRUE);
        MoveWindow(f.mark, x + width - markW, y + 3, markW - 2, row - 4, TRUE);
    };
    auto field = [&](const char* key) -> Field& {
        return *std::find_if(fields_.begin(), fields_.end(), [&](const Field& f) { return key == std::string(f.key); });
    };
    place(field("Udgave"), formX, formW / 2, row);
    place(field("Aar"), formX + formW / 2, formW / 2, row);
    y += row + gap;
    for (const char* key : {"Titel", "KortTitel", "Setup", "Kategori"}) {
        place(field(key), formX, key == std::string("Setup") ? formW - 30 : formW, row);
        if (key == std::string("Setup")) MoveWindow(setupButton_, formX + formW - 28, y, 28, row, TRUE);
        y += row + gap;
    }
    const int third = formW / 3;
    place(field("CPU"), formX, third, row);
    place(field("Ram"), formX + third, third, row);
    place(field("HD"), formX + 2 * third, third, row);
    y += row + gap;
    for (const char* key : {"Folder", "Uninstall"}) {
        place(field(key), formX, formW, row);
        y += row + gap;
    }
    const int rest = h - y - gap;
    const int descH = std::max(40, rest * 13 / 100);
    for (const char* key : {"Dansk", "Svensk", "Norsk", "Finsk"}) {
        place(field(key), formX, formW, descH);
        y += descH + gap;
    }
    const int unknownH = std::max(30, rest * 8 / 100);
    MoveWindow(unknown_, formX, y, formW, unknownH, TRUE);
    y += unknownH + gap;
    MoveWindow(findings_, formX, y, formW, std::max(30, h - y - gap), TRUE);

    const int px = formX + formW + 2 * gap, pw = std::max(100, w - px - gap);
    MoveWindow(language_, px, gap, 110, 200, TRUE);
    MoveWindow(page_, px + 116, gap, 130, 200, TRUE);
    MoveWindow(previous_, px + 252, gap, 24, row, TRUE);
    MoveWindow(next_, px + 278, gap, 24, row, TRUE);
    MoveWindow(screenLabel_, px + 308, gap + 3, std::max(10, pw - 308), row - 4, TRUE);
    const int notesH = 96, top = gap + row + gap;
    const int ph = std::max(60, h - top - notesH - row - 3 * gap);
    MoveWindow(preview_, px, top, pw, ph, TRUE);
    MoveWindow(notes_, px, top + ph + gap, pw, notesH, TRUE);
    MoveWindow(status_, px, h - row - gap / 2, pw, row - 4, TRUE);
}

int EditorWindow::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorW(hwnd_, accelerators_, &msg)) continue;
        if (IsDialogMessageW(hwnd_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

LRESULT CALLBACK EditorWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<EditorWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<EditorWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && self->list_) return self->Handle(msg, wp, lp);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK EditorWindow::PreviewProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (auto* self = reinterpret_cast<EditorWindow*>(GetWindowLongPtrW(GetParent(hwnd), GWLP_USERDATA))) self->PaintPreview(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT EditorWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE:
            Layout();
            InvalidateRect(preview_, nullptr, FALSE);
            return 0;
        case WM_GETMINMAXINFO:
            reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {900, 600};
            return 0;
        case WM_COMMAND:
            Command(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
            return 0;
        case WM_TIMER:
            if (wp == kCheckTimer) {
                KillTimer(hwnd_, kCheckTimer);
                Recheck();
            }
            return 0;
        case WM_CTLCOLORSTATIC: {
            // The marks beside the fields are red for an error, brown for a warning.
            const HWND from = reinterpret_cast<HWND>(lp);
            for (const Field& f : fields_)
                if (f.mark == from) {
                    wchar_t t[4] = {};
                    GetWindowTextW(from, t, 4);
                    // A mark is a small block of colour, seen at a glance beside its field.
                    const COLORREF colour = t[0] == L'!' ? RGB(200, 0, 0) : t[0] == L'~' ? RGB(170, 110, 0) : GetSysColor(COLOR_BTNFACE);
                    SetTextColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
                    SetBkColor(reinterpret_cast<HDC>(wp), colour);
                    return reinterpret_cast<LRESULT>(t[0] == L'!' ? errorBrush_.get() : t[0] == L'~' ? warningBrush_.get()
                                                                                                      : GetSysColorBrush(COLOR_BTNFACE));
                }
            break;
        }
        case WM_CLOSE:
            if (AskToSave()) DestroyWindow(hwnd_);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            hwnd_ = nullptr;
            return 0;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

void EditorWindow::Command(int id, int code, HWND from) {
    if (id >= kFieldBase && id < kFieldBase + static_cast<int>(fields_.size())) {
        Field& f = fields_[static_cast<size_t>(id - kFieldBase)];
        if (code == EN_CHANGE || code == CBN_EDITCHANGE) FieldChanged(f);
        if (code == CBN_SELCHANGE) {
            // The list's choice is put into the field's text first, then read as if typed.
            const LRESULT at = SendMessageW(f.edit, CB_GETCURSEL, 0, 0);
            if (at >= 0) {
                wchar_t name[32] = {};
                SendMessageW(f.edit, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(name));
                SetWindowTextW(f.edit, name);
            }
            FieldChanged(f);
        }
        return;
    }
    (void)from;
    switch (id) {
        case kNew:
            if (AskToSave()) NewCatalogue();
            break;
        case kOpen: AskOpen(); break;
        case kSave: Save(); break;
        case kSaveAs: SaveAs(); break;
        case kMakeCd: MakeCdFolder(); break;
        case kExit: PostMessageW(hwnd_, WM_CLOSE, 0, 0); break;
        case kAdd: ListChange(doc_.Add()); break;
        case kDuplicate: ListChange(demo_ >= 0 ? doc_.Duplicate(demo_) : -1); break;
        case kRemove:
            if (demo_ >= 0) ListChange(doc_.Remove(demo_));
            break;
        case kUp: ListChange(demo_ >= 0 ? doc_.Move(demo_, -1) : -1); break;
        case kDown: ListChange(demo_ >= 0 ? doc_.Move(demo_, 1) : -1); break;
        case kList:
            if (code == LBN_SELCHANGE) ShowDemo(static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0)));
            break;
        case kSetupButton: ChooseSetup(); break;
        case kLanguage:
        case kPage:
            if (code == CBN_SELCHANGE) {
                screen_ = 0;
                Redraw();
            }
            break;
        case kRedraw:
            previewer_->Open(cdFolder_);  // fonts and screenshots read again from the CD folder
            Redraw();
            Recheck();
            break;
        case kNext:
        case kNextScreen:
            if (screen_ + 1 < shown_.screens) ++screen_;
            Redraw();
            break;
        case kPrevious:
        case kPreviousScreen:
            if (screen_ > 0) --screen_;
            Redraw();
            break;
    }
}

void EditorWindow::NewCatalogue() {
    doc_ = Document("; The CD's catalogue: one section per demo, Spil1 to Spil30.\r\n[CD]\r\nUdgave=\r\nAar=\r\n");
    doc_.Add();
    file_.clear();
    cdFolder_.clear();
    unsaved_.clear();
    dirty_ = false;
    previewer_->Open(cdFolder_);
    FillList();
    ShowDemo(0);
    UpdateTitle();
}

bool EditorWindow::OpenPath(const std::wstring& given) {
    std::wstring path = given;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) path += L"\\Spil.INI";
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) {
        MessageBoxW(hwnd_, (L"There is no catalogue " + path + L" to open.").c_str(), kProgram, MB_ICONWARNING);
        return false;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    file_ = full;
    doc_ = Document(bytes);
    cdFolder_ = Narrow(std::filesystem::path(file_).parent_path().wstring());
    unsaved_.clear();
    dirty_ = false;
    previewer_->Open(cdFolder_);
    screen_ = 0;
    FillList();
    ShowDemo(doc_.Count() > 0 ? 0 : -1);
    UpdateTitle();
    // The check reads every screenshot of the CD: it runs once the window is up.
    SetTimer(hwnd_, kCheckTimer, kCheckDelayMs, nullptr);
    return true;
}

void EditorWindow::AskOpen() {
    if (!AskToSave()) return;
    wchar_t name[MAX_PATH] = L"Spil.INI";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hwnd_;
    ofn.lpstrFilter = L"The CD's catalogue (Spil.INI)\0Spil.INI\0Catalogues (*.ini)\0*.ini\0";
    ofn.lpstrFile = name;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = L"Open the catalogue of a CD folder";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameW(&ofn)) OpenPath(name);
}

bool EditorWindow::AskToSave() {
    if (!dirty_) return true;
    const std::wstring name = file_.empty() ? L"the new catalogue" : file_;
    switch (MessageBoxW(hwnd_, (L"Save the changes to " + name + L"?").c_str(), kProgram, MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES: return Save();
        case IDNO: return true;
        default: return false;
    }
}

bool EditorWindow::Save() {
    if (!unsaved_.empty()) {
        // The catalogue is read as Windows-1252: a letter outside it cannot reach the reader.
        const auto& [where, text] = *unsaved_.begin();
        const Cp1252Result r = ToCp1252(std::u16string(text.begin(), text.end()));
        const std::wstring letter = Wide(r.badLetter, CP_UTF8);
        const std::wstring section = where.first >= 0 && where.first < doc_.Count()
                                         ? L" of Spil" + std::to_wstring(doc_.SectionNumber(where.first))
                                         : std::wstring(L" of [CD]");
        MessageBoxW(hwnd_,
                    (L"The letter \"" + letter + L"\" in " + Wide(where.second) + section + L" (character " +
                     std::to_wstring(r.position) +
                     L") is not in Windows-1252, the only letters the menu can show. Replace it, then save again.\n\n"
                     L"Nothing was written.")
                        .c_str(),
                    kProgram, MB_ICONWARNING);
        return false;
    }
    if (file_.empty()) return SaveAs();
    const std::string bytes = doc_.Bytes();
    // Written whole beside the catalogue, then put in its place: a failure leaves the old file.
    const std::wstring fresh = file_ + L".new", backup = file_ + L".bak";
    bool written = false;
    {
        HANDLE out = CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (out != INVALID_HANDLE_VALUE) {
            DWORD n = 0;
            written = WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n == bytes.size() &&
                      FlushFileBuffers(out);
            written = CloseHandle(out) && written;
        }
    }
    const bool existed = GetFileAttributesW(file_.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (written && existed) written = CopyFileW(file_.c_str(), backup.c_str(), FALSE) != 0;
    if (written) written = MoveFileExW(fresh.c_str(), file_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!written) {
        DeleteFileW(fresh.c_str());
        MessageBoxW(hwnd_, (L"The catalogue could not be written to " + file_ + L"; the file on disk is as it was.").c_str(),
                    kProgram, MB_ICONERROR);
        return false;
    }
    dirty_ = false;
    UpdateTitle();
    return true;
}

bool EditorWindow::SaveAs() {
    wchar_t name[MAX_PATH] = L"Spil.INI";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hwnd_;
    ofn.lpstrFilter = L"The CD's catalogue (Spil.INI)\0Spil.INI\0";
    ofn.lpstrFile = name;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = L"Save the catalogue in the CD folder as Spil.INI";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&ofn)) return false;
    file_ = name;
    cdFolder_ = Narrow(std::filesystem::path(file_).parent_path().wstring());
    previewer_->Open(cdFolder_);
    return Save();
}

void EditorWindow::FillList() {
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (int d = 0; d < doc_.Count(); ++d) {
        const int section = doc_.SectionNumber(d);
        bool error = false, warning = false;
        for (const FieldFinding& f : found_)
            if (f.section == section) (f.severity == cdcheck::Severity::Error ? error : warning) = true;
        for (const auto& [where, text] : unsaved_) error = error || where.first == d;
        const std::string kategori = doc_.Value(d, "Kategori");
        const std::wstring item = std::wstring(error ? L"! " : warning ? L"~ " : L"   ") + std::to_wstring(section) + L". " +
                                  FromCatalogue(doc_.Value(d, "Titel")) + L"  (" + FromCatalogue(kategori) + L")";
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    if (demo_ >= 0) SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(demo_), 0);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    const int count = doc_.Count();
    SetWindowTextW(listNote_, (std::to_wstring(count) + L" of 30 demos" +
                               (count >= kMostDemos ? L": the menu reads no more" : L"") + L"\r\n! error   ~ warning")
                                  .c_str());
}

void EditorWindow::ShowDemo(int demo) {
    demo_ = demo < doc_.Count() ? demo : doc_.Count() - 1;
    loading_ = true;
    for (Field& f : fields_) {
        const auto pending = unsaved_.find({f.cd ? -1 : demo_, f.key});
        if (pending != unsaved_.end()) {
            SetWindowTextW(f.edit, pending->second.c_str());
        } else if (f.cd) {
            SetFieldText(f.edit, doc_.Cd(f.key));
        } else {
            SetFieldText(f.edit, demo_ >= 0 ? doc_.Value(demo_, f.key) : std::string());
        }
        EnableWindow(f.edit, f.cd || demo_ >= 0);
    }
    loading_ = false;
    std::wstring unknown = L"Other keys, kept as they are:";
    if (demo_ >= 0)
        for (const auto& e : doc_.UnknownKeys(demo_)) unknown += L"\r\n" + FromCatalogue(e.key + "=" + e.value);
    if (demo_ < 0 || doc_.UnknownKeys(demo_).empty()) unknown += L" none";
    SetWindowTextW(unknown_, unknown.c_str());
    if (demo_ >= 0) SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(demo_), 0);
    screen_ = 0;
    ShowFindings();
    Redraw();
}

std::wstring EditorWindow::FieldText(HWND edit) const {
    const int n = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(edit, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    // A value is one line: a line break pasted in becomes a space.
    for (wchar_t& c : text)
        if (c == L'\r' || c == L'\n') c = L' ';
    return text;
}

void EditorWindow::SetFieldText(HWND edit, const std::string& cp1252) { SetWindowTextW(edit, FromCatalogue(cp1252).c_str()); }

void EditorWindow::FieldChanged(Field& f) {
    if (loading_ || (!f.cd && demo_ < 0)) return;
    const std::wstring text = FieldText(f.edit);
    const Cp1252Result r = ToCp1252(std::u16string(text.begin(), text.end()));
    const std::pair<int, std::string> where{f.cd ? -1 : demo_, f.key};
    if (!r.ok) {
        unsaved_[where] = text;  // kept in the field, never in the catalogue
    } else {
        unsaved_.erase(where);
        if (f.cd) doc_.SetCd(f.key, r.text);
        else doc_.SetValue(demo_, f.key, r.text);
    }
    dirty_ = true;
    UpdateTitle();
    Redraw();
    ShowFindings();
    if (!f.cd && (f.key == std::string("Titel") || f.key == std::string("Kategori"))) FillList();
    SetTimer(hwnd_, kCheckTimer, kCheckDelayMs, nullptr);
}

void EditorWindow::ListChange(int demo) {
    if (demo < 0) {
        MessageBoxW(hwnd_,
                    doc_.Count() >= kMostDemos
                        ? L"The CD has thirty demos: the menu reads Spil1 to Spil30 and no more. Remove one first."
                        : L"There is no demo there to move.",
                    kProgram, MB_ICONINFORMATION);
        return;
    }
    unsaved_.clear();  // positions changed; the catalogue holds only what could be written
    dirty_ = true;
    demo_ = demo;
    FillList();
    ShowDemo(demo);
    UpdateTitle();
    SetTimer(hwnd_, kCheckTimer, kCheckDelayMs, nullptr);
}

void EditorWindow::ChooseSetup() {
    if (demo_ < 0) return;
    if (cdFolder_.empty()) {
        MessageBoxW(hwnd_, L"Save the catalogue in the CD folder first: the setup program is chosen from that folder.",
                    kProgram, MB_ICONINFORMATION);
        return;
    }
    const std::wstring root = Wide(cdFolder_);
    wchar_t name[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hwnd_;
    ofn.lpstrFilter = L"Setup programs (*.exe, *.msi)\0*.exe;*.msi\0";
    ofn.lpstrFile = name;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = root.c_str();
    ofn.lpstrTitle = L"Choose the demo's setup program in the CD folder";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&ofn)) return;
    const std::wstring chosen = name;
    // The menu starts it from the CD's root: "\Demos\Game\Setup.exe".
    const std::wstring prefix = root + L"\\";
    if (chosen.size() <= prefix.size() || CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, chosen.c_str(),
                                                         static_cast<int>(prefix.size()), prefix.c_str(),
                                                         static_cast<int>(prefix.size())) != CSTR_EQUAL) {
        MessageBoxW(hwnd_, (L"The setup program must be inside the CD folder " + root + L": copy it there first.").c_str(),
                    kProgram, MB_ICONWARNING);
        return;
    }
    const std::wstring relative = L"\\" + chosen.substr(prefix.size());
    for (Field& f : fields_)
        if (f.key == std::string("Setup")) SetWindowTextW(f.edit, relative.c_str());  // EN_CHANGE stores it
}

void EditorWindow::Redraw() {
    const double start = NowMs();
    const int language = static_cast<int>(std::max<LRESULT>(0, SendMessageW(language_, CB_GETCURSEL, 0, 0)));
    const auto page = static_cast<PreviewPage>(std::max<LRESULT>(0, SendMessageW(page_, CB_GETCURSEL, 0, 0)));
    try {
        shown_ = previewer_->Draw(doc_, demo_, page, language, screen_);
    } catch (const std::exception& e) {
        shown_ = PreviewResult{};
        shown_.notes.push_back(std::string("the page could not be drawn: ") + e.what());
    }
    screen_ = std::min(screen_, shown_.screens - 1);
    SetWindowTextW(screenLabel_, page == PreviewPage::Game ? (L"Screen " + std::to_wstring(screen_ + 1) + L" of " +
                                                              std::to_wstring(shown_.screens))
                                                                 .c_str()
                                                           : L"");
    std::wstring notes;
    for (const CutText& c : shown_.cut)
        notes += L"cut off: \"" + FromCatalogue(c.text) + L"\" needs " + std::to_wstring(c.needs.right - c.needs.left) +
                 L" x " + std::to_wstring(c.needs.bottom - c.needs.top) + L" pixels, " +
                 std::to_wstring(std::max(0L, std::min(c.needs.right, c.shown.right) - std::max(c.needs.left, c.shown.left))) +
                 L" across show (framed in red)\r\n";
    for (const std::string& n : shown_.notes) notes += FromCatalogue(n) + L"\r\n";
    if (notes.empty()) notes = L"Nothing on this page is cut off.";
    SetWindowTextW(notes_, notes.c_str());
    InvalidateRect(preview_, nullptr, FALSE);
    UpdateWindow(preview_);
    lastRedrawMs_ = NowMs() - start;
    SetWindowTextW(status_, (L"Drawn by the menu's own pages in " + std::to_wstring(static_cast<int>(lastRedrawMs_ + 0.5)) +
                             L" ms")
                                .c_str());
}

void EditorWindow::PaintPreview(HDC dc) {
    RECT rc;
    GetClientRect(preview_, &rc);
    // The page at its own size where it fits, smaller where it does not; never larger.
    const double scale = std::min({1.0, static_cast<double>(rc.right) / kPageWidth, static_cast<double>(rc.bottom) / kPageHeight});
    const int w = static_cast<int>(kPageWidth * scale), h = static_cast<int>(kPageHeight * scale);
    const int x = (rc.right - w) / 2, y = (rc.bottom - h) / 2;
    HBRUSH back = GetSysColorBrush(COLOR_APPWORKSPACE);
    RECT bands[] = {{0, 0, rc.right, y}, {0, y + h, rc.right, rc.bottom}, {0, y, x, y + h}, {x + w, y, rc.right, y + h}};
    for (const RECT& b : bands) FillRect(dc, &b, back);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, kPageWidth, -kPageHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetStretchBltMode(dc, scale < 1.0 ? HALFTONE : COLORONCOLOR);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, x, y, w, h, 0, 0, kPageWidth, kPageHeight, previewer_->Image().Pixels(), &bi, DIB_RGB_COLORS, SRCCOPY);
    // What is cut off is framed: the room the text needs, in red.
    const UniquePen pen(CreatePen(PS_SOLID, 2, RGB(255, 0, 0)));
    HGDIOBJ oldPen = SelectObject(dc, pen.get()), oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    for (const CutText& c : shown_.cut)
        Rectangle(dc, x + static_cast<int>(c.needs.left * scale) - 2, y + static_cast<int>(c.needs.top * scale) - 2,
                  x + static_cast<int>(c.needs.right * scale) + 2, y + static_cast<int>(c.needs.bottom * scale) + 2);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

void EditorWindow::Recheck() {
    std::error_code ignored;
    found_ = CheckDocument(doc_, scratch_, cdFolder_.empty() ? std::filesystem::path() : std::filesystem::path(Wide(cdFolder_)));
    FillList();
    ShowFindings();
}

void EditorWindow::ShowFindings() {
    const int section = demo_ >= 0 ? doc_.SectionNumber(demo_) : -1;
    std::wstring text;
    std::map<std::string, bool> marked;  // field -> has an error
    for (const auto& [where, typed] : unsaved_) {
        if (where.first != (where.first < 0 ? -1 : demo_)) continue;
        const Cp1252Result r = ToCp1252(std::u16string(typed.begin(), typed.end()));
        text += L"! " + Wide(where.second) + L": the letter \"" + Wide(r.badLetter, CP_UTF8) + L"\" (character " +
                std::to_wstring(r.position) + L") is not in Windows-1252: the menu cannot show it, and the catalogue "
                L"cannot be saved with it. Mend: replace it.\r\n";
        marked[where.second] = true;
    }
    for (const FieldFinding& f : found_) {
        const bool here = f.section == section || f.section == 0;
        if (!here) continue;
        const bool error = f.severity == cdcheck::Severity::Error;
        // A finding at a field says its field; one of the CD or the file says where it is.
        std::string said = f.text;
        if (!f.field.empty() && f.section == 0 && said.find(": ") != std::string::npos) said = said.substr(said.find(": ") + 2);
        if (!said.empty() && std::string(".?!").find(said.back()) == std::string::npos) said += '.';
        text += std::wstring(error ? L"! " : L"~ ") + (f.field.empty() ? std::wstring() : Wide(f.field) + L": ") +
                FromCatalogue(said) + (f.mend.empty() ? L"" : L" Mend: " + Wide(f.mend) + L".") + L"\r\n";
        if (!f.field.empty()) marked[f.field] = marked[f.field] || error;
    }
    if (text.empty()) text = L"The check finds nothing to mend in this demo.";
    SetWindowTextW(findings_, text.c_str());
    for (Field& f : fields_) {
        const auto m = marked.find(f.key);
        SetWindowTextW(f.mark, m == marked.end() ? L"" : m->second ? L"!" : L"~");
    }
}

void EditorWindow::UpdateTitle() {
    const std::wstring name = file_.empty() ? L"Untitled" : file_;
    SetWindowTextW(hwnd_, ((dirty_ ? L"*" : L"") + name + L" - " + kProgram).c_str());
}

EditorWindow::Field* EditorWindow::FieldOfEdit(HWND edit) {
    for (Field& f : fields_)
        if (f.edit == edit) return &f;
    return nullptr;
}

namespace {

// What making a CD folder writes there; a folder holding anything else holds the producer's own.
constexpr const wchar_t* kMadeEntries[] = {L"VINDREL.EXE", L"autorun.inf", L"Spil.INI", L"Spil.INI.bak",
                                           L"Diverse",     L"DirectX7",    L"Demos"};

bool SameOrInside(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code e;
    const std::wstring x = std::filesystem::weakly_canonical(a, e).wstring(), y = std::filesystem::weakly_canonical(b, e).wstring();
    if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, x.c_str(), -1, y.c_str(), -1) == CSTR_EQUAL) return true;
    return x.size() > y.size() && x[y.size()] == L'\\' &&
           CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, x.c_str(), static_cast<int>(y.size()), y.c_str(),
                          static_cast<int>(y.size())) == CSTR_EQUAL;
}

// The menu, the DirectX installer and the fonts to put on the CD: beside the editor, or in the
// CD folder the build leaves beside it.
std::filesystem::path Kit() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::filesystem::path here = std::filesystem::path(self).parent_path();
    for (const auto& kit : {here, here / L"cd"})
        if (std::filesystem::exists(kit / L"VINDREL.EXE") && std::filesystem::exists(kit / L"DirectX7" / L"DXSetup.EXE"))
            return kit;
    return {};
}

// A free drive letter for the CD folder: the menu and its proof start paths at a drive's root.
wchar_t FreeDrive() {
    const DWORD used = GetLogicalDrives();
    for (wchar_t d = L'Z'; d >= L'M'; --d)
        if (!(used & (1u << (d - L'A')))) return d;
    return 0;
}

}  // namespace

void EditorWindow::MakeCdFolder() {
    if (file_.empty() || dirty_) {
        MessageBoxW(hwnd_, L"Save the catalogue first: the CD folder is made from the saved one.", kProgram, MB_ICONINFORMATION);
        if (!Save()) return;
    }
    const std::filesystem::path kit = Kit();
    if (kit.empty()) {
        MessageBoxW(hwnd_, L"The menu VINDREL.EXE and DirectX7\\DXSetup.EXE are not beside the editor: keep the editor in the "
                           L"folder of the build's CD programs.", kProgram, MB_ICONWARNING);
        return;
    }
    BROWSEINFOW bi{};
    bi.hwndOwner = hwnd_;
    bi.lpszTitle = L"The folder to make the CD in: a new or empty folder, or one this editor made before";
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&bi);
    if (!chosen) return;
    wchar_t folder[MAX_PATH] = {};
    const bool named = SHGetPathFromIDListW(chosen, folder);
    CoTaskMemFree(chosen);
    if (named) MakeCdIn(folder);
}

std::wstring EditorWindow::MakeCdIn(const std::filesystem::path& out, bool show) {
    namespace fs = std::filesystem;
    const fs::path from = fs::path(file_).parent_path(), kit = Kit();
    auto refuse = [&](const std::wstring& why) {
        const std::wstring text = L"The CD folder was not made in " + out.wstring() + L": " + why + L" Nothing was changed.";
        if (show) MessageBoxW(hwnd_, text.c_str(), kProgram, MB_ICONWARNING);
        return text;
    };
    // The folder is replaced whole: it may hold only what making a CD writes, never the
    // producer's own demos, screenshots and catalogue.
    if (SameOrInside(from, out) || SameOrInside(out, from))
        return refuse(L"it is, holds or lies in the folder of the catalogue, " + from.wstring() +
                      L", whose demos, screenshots and catalogue are the producer's own. Choose a new folder.");
    std::error_code e;
    if (fs::exists(out, e))
        for (const auto& entry : fs::directory_iterator(out, e)) {
            const std::wstring name = entry.path().filename().wstring();
            const bool made = std::any_of(std::begin(kMadeEntries), std::end(kMadeEntries), [&](const wchar_t* m) {
                return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, m, -1, name.c_str(), -1) == CSTR_EQUAL;
            });
            if (!made) return refuse(L"it holds " + name + L", which was not made by this editor. Choose a new or empty folder.");
        }
    // Made beside, then put in place: a failure leaves no half-made CD.
    const fs::path fresh = out.wstring() + L".new";
    fs::remove_all(fresh, e);
    std::wstring step = L"the folder " + fresh.wstring();
    fs::create_directories(fresh / L"DirectX7", e);
    const auto copy = fs::copy_options::recursive | fs::copy_options::overwrite_existing;
    auto copied = [&](const fs::path& source, const fs::path& target) {
        if (e) return;
        step = target.wstring();
        fs::copy(source, target, fs::is_directory(source) ? copy : fs::copy_options::overwrite_existing, e);
    };
    copied(file_, fresh / L"Spil.INI");
    if (fs::exists(from / L"Demos")) copied(from / L"Demos", fresh / L"Demos");
    copied(kit / L"VINDREL.EXE", fresh / L"VINDREL.EXE");
    copied(kit / L"DirectX7" / L"DXSetup.EXE", fresh / L"DirectX7" / L"DXSetup.EXE");
    if (fs::exists(kit / L"Diverse")) copied(kit / L"Diverse", fresh / L"Diverse");
    // The label names the edition the menu itself will use.
    const auto editionValue = doc_.Ini().Get("CD", "Udgave");
    const std::string edition = UsableEdition(editionValue ? &*editionValue : nullptr, nullptr).edition;
    if (!e) {
        std::ofstream autorun(fresh / L"autorun.inf", std::ios::binary);
        autorun << "[autorun]\r\nopen=VINDREL.EXE\r\nicon=VINDREL.EXE,0\r\nlabel=Vindrel Spil-CD " << edition
                << "\r\naction=Start Vindrel, menuen med spildemoer\r\n";
        if (!autorun) e = std::make_error_code(std::errc::io_error);
    }
    if (!e) {
        fs::remove_all(out, e);
        if (!e) fs::rename(fresh, out, e);
    }
    if (e) {
        const std::wstring why = step + L": " + Wide(e.message());
        fs::remove_all(fresh, e);
        return refuse(L"it could not be written (" + why + L").");
    }

    // The check, then the proof, as a reader's Windows would see the CD: at a drive's root.
    int errors = 0, warnings = 0;
    std::wstring report;
    for (const FieldFinding& f : CheckDocument(doc_, scratch_, out)) {
        (f.severity == cdcheck::Severity::Error ? errors : warnings)++;
        if (report.size() < 1500)
            report += std::wstring(f.severity == cdcheck::Severity::Error ? L"error: " : L"warning: ") +
                      (f.section ? L"Spil" + std::to_wstring(f.section) + L": " : L"") + FromCatalogue(f.text) + L"\n";
    }
    std::wstring proof = L"The proof was not made: no drive letter is free for the CD folder.";
    if (const wchar_t drive = FreeDrive()) {
        const std::wstring letter{drive, L':'};
        proof = L"The proof was not made: the CD folder could not be given the drive letter " + letter +
                L" (as subst does); run VINDREL.EXE /proof FOLDER from the CD's root.";
        if (DefineDosDeviceW(0, letter.c_str(), out.c_str())) {
            const std::wstring proofFolder = out.wstring() + L"-proof";
            std::wstring command = L"\"" + letter + L"\\VINDREL.EXE\" /proof \"" + proofFolder + L"\"";
            STARTUPINFOW si{};
            si.cb = sizeof si;
            PROCESS_INFORMATION pi{};
            const std::wstring root = letter + L"\\";
            proof = L"The proof was not made: " + command + L" did not start.";
            if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, root.c_str(), &si, &pi)) {
                WaitForSingleObject(pi.hProcess, 600000);
                DWORD code = 2;
                GetExitCodeProcess(pi.hProcess, &code);
                CloseHandle(pi.hThread);
                CloseHandle(pi.hProcess);
                std::ifstream list(fs::path(proofFolder) / L"findings.txt", std::ios::binary);
                std::string line, last;
                while (std::getline(list, line))
                    if (!line.empty()) last = line;
                proof = L"The proof (" + proofFolder + L"\\index.html): " + FromCatalogue(last) +
                        (code == 0 ? L"" : code == 1 ? L" Something is cut off." : L" It could not be made.");
            }
            DefineDosDeviceW(DDD_REMOVE_DEFINITION, letter.c_str(), nullptr);
        }
    }
    const std::wstring text = L"The CD folder " + out.wstring() + L" is made, with the edition " + Wide(edition) +
                              L" on its label.\n\nThe check: " + std::to_wstring(errors) + L" errors, " +
                              std::to_wstring(warnings) + L" warnings.\n" + report + L"\n" + proof;
    if (show) MessageBoxW(hwnd_, text.c_str(), kProgram, errors ? MB_ICONWARNING : MB_ICONINFORMATION);
    return text;
}

bool EditorWindow::SavePreview(const std::wstring& file) const {
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{sizeof ih, kPageWidth, -kPageHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD pixels = kPageWidth * kPageHeight * 4;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + pixels;
    std::ofstream out(std::filesystem::path(file), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
    out.write(reinterpret_cast<const char*>(previewer_->Image().Pixels()), pixels);
    return static_cast<bool>(out);
}

void EditorWindow::Benchmark(int count, double startMs, const std::wstring& report) {
    std::vector<double> times;
    Field* dansk = nullptr;
    for (Field& f : fields_)
        if (f.key == std::string("Dansk")) dansk = &f;
    if (demo_ < 0 || !dansk) return;
    const std::wstring original = FieldText(dansk->edit);
    for (int i = 0; i < count; ++i) {
        // One keystroke: a letter typed at the end of the Danish description, through the field.
        // (A multi-line field tells no change for text set by a message, so its handler is called
        // here as the keystroke's notice would call it.)
        const std::wstring typed = original + std::wstring(static_cast<size_t>(i % 40 + 1), L'x');
        loading_ = true;
        SetWindowTextW(dansk->edit, typed.c_str());
        loading_ = false;
        const double start = NowMs();
        FieldChanged(*dansk);
        times.push_back(NowMs() - start);
    }
    SetWindowTextW(dansk->edit, original.c_str());
    std::sort(times.begin(), times.end());
    FILE* f = _wfopen(report.c_str(), L"w");
    if (!f) return;
    std::fprintf(f, "start to first window: %.0f ms\nredraw after a keystroke: median %.1f ms, worst %.1f ms (%d)\n", startMs,
                 times[times.size() / 2], times.back(), count);
    std::fclose(f);
}

}  // namespace vindrel::editor
