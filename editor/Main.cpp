// The producer's catalogue editor, REDAKTOR.EXE: REDAKTOR [CD folder or Spil.INI]
//   /bench N REPORT   types N keystrokes into the first demo's Danish description and writes the
//                     redraw times and the start to the first window into REPORT, then ends
//   /picture FILE     writes the preview as it stands once the window is up, for the tests
//   /makecd OUT REPORT  makes the CD folder in OUT, writes what it says into REPORT, then ends
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "editor/EditorWindow.h"

namespace {

double MsSinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> args(argv + 1, argv + argc);
    LocalFree(argv);

    std::wstring path, benchReport, picture, makeCd, makeCdReport;
    int benchCount = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == L"/bench" && i + 2 < args.size()) {
            benchCount = _wtoi(args[i + 1].c_str());
            benchReport = args[i + 2];
            i += 2;
        } else if (args[i] == L"/makecd" && i + 2 < args.size()) {
            makeCd = args[i + 1];
            makeCdReport = args[i + 2];
            i += 2;
        } else if (args[i] == L"/picture" && i + 1 < args.size()) {
            picture = args[++i];
        } else {
            path = args[i];
        }
    }
    vindrel::editor::EditorWindow editor(instance);
    if (!path.empty()) editor.OpenPath(path);
    ShowWindow(editor.Handle(), show);
    UpdateWindow(editor.Handle());
    SetFocus(GetDlgItem(editor.Handle(), 200));  // the list of demos: Tab leads from it through the form
    const double firstWindow = MsSinceProcessStart();
    if (!picture.empty()) editor.SavePreview(picture);
    if (!makeCd.empty()) {
        const std::wstring said = editor.MakeCdIn(makeCd, false);
        if (FILE* f = _wfopen(makeCdReport.c_str(), L"w, ccs=UTF-8")) {
            std::fputws(said.c_str(), f);
            std::fclose(f);
        }
        return 0;
    }
    if (benchCount > 0) {
        editor.Benchmark(benchCount, firstWindow, benchReport);
        return 0;
    }
    return editor.Run();
}
