// The producer's catalogue editor: the demos as a list, a form with every key the menu reads, the
// check's findings at the fields, and the reader's pages drawn beside them as the producer types.
#pragma once
#include <windows.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/Document.h"
#include "editor/Findings.h"
#include "editor/Preview.h"
#include "toolkit/Gdi.h"

namespace vindrel::editor {

class EditorWindow {
public:
    explicit EditorWindow(HINSTANCE instance);
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    // Opens a CD folder's Spil.INI (or the file named); false, after saying why, when it cannot.
    bool OpenPath(const std::wstring& path);
    int Run();

    // The benchmark: the redraw after a keystroke in the Danish description (median and worst of
    // count), and the start to the first window; written as lines to the file named.
    void Benchmark(int count, double startMs, const std::wstring& report);
    // The picture of the preview as it stands, for the tests (a 640 x 480 BMP).
    bool SavePreview(const std::wstring& file) const;

private:
    struct Field {
        const char* key;   // "Titel", or "Udgave" / "Aar" for the CD's
        bool cd = false;
        HWND label = nullptr;
        HWND edit = nullptr;
        HWND mark = nullptr;  // the finding beside the field
    };

    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK PreviewProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void Create();
    void Layout();
    void Command(int id, int code, HWND from);

    void NewCatalogue();
    void AskOpen();
    bool Save();
    bool SaveAs();
    bool AskToSave();  // before the catalogue is put away: false to stay
    void MakeCdFolder();
public:
    // Makes the CD folder in out from the saved catalogue's folder; what it says (a refusal, or
    // the check's and the proof's results), in a message box too when shown.
    std::wstring MakeCdIn(const std::filesystem::path& out, bool show = true);
private:

    void FillList();
    void ShowDemo(int demo);
    void FieldChanged(Field& field);
    void ChooseSetup();
    void ListChange(int demo);
    void Redraw();
    void Recheck();
    void ShowFindings();
    void UpdateTitle();
    void PaintPreview(HDC dc);
    std::wstring FieldText(HWND edit) const;
    void SetFieldText(HWND edit, const std::string& cp1252);
    Field* FieldOfEdit(HWND edit);

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HWND list_ = nullptr, listNote_ = nullptr, unknown_ = nullptr, findings_ = nullptr, preview_ = nullptr;
    HWND language_ = nullptr, page_ = nullptr, screenLabel_ = nullptr, previous_ = nullptr, next_ = nullptr;
    HWND notes_ = nullptr, setupButton_ = nullptr, status_ = nullptr;
    std::vector<HWND> listButtons_;
    std::vector<Field> fields_;
    UniqueFont fontOwner_;
    HFONT font_ = nullptr;  // fontOwner_'s, given to every control
    UniqueBrush errorBrush_{CreateSolidBrush(RGB(200, 0, 0))};
    UniqueBrush warningBrush_{CreateSolidBrush(RGB(170, 110, 0))};
    HACCEL accelerators_ = nullptr;

    Document doc_;
    std::wstring file_;      // the catalogue's path; empty for a new one not saved yet
    std::string cdFolder_;   // the folder that holds it: the CD's root
    bool dirty_ = false;
    int demo_ = -1;
    bool loading_ = false;   // the form is being filled, not typed in
    // Letters a field holds that the catalogue cannot: (demo, key) -> the field's text.
    std::map<std::pair<int, std::string>, std::wstring> unsaved_;

    std::unique_ptr<Preview> previewer_;
    PreviewResult shown_;
    int screen_ = 0;
    double lastRedrawMs_ = 0;
    std::vector<FieldFinding> found_;
    std::filesystem::path scratch_;
};

}  // namespace vindrel::editor
