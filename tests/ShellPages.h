// The whole program's pages for a test: a Program Manager stand-in, the shell with every page
// of its creation table, and the shared button faces connected from the artwork for buttons whose
// owner page is not in the table. Also screen captures of a page as the user sees it (with
// its child windows) and small helpers for pages, buttons and the registry records.
#pragma once
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/Black.h"
#include "tests/PageTesting.h"
#include "tests/TestSupport.h"
#include "toolkit/Artwork.h"
#include "toolkit/BitmapList.h"
#include "toolkit/PictureButton.h"

namespace vindrel::test {

class ShellPages {
public:
    explicit ShellPages(std::vector<std::string> args = {"da"})
        : stub_(scratch_ / "progman.log"), shell_(std::make_unique<TfrmBlack>(app_, std::move(args))) {
        ForgetEarlierQuit();
        ConnectStandIns();
    }
    ~ShellPages() { shell_.reset(); }

    TfrmBlack& Shell() { return *shell_; }
    PageSet& Pages() { return shell_->Pages(); }
    ScratchFolder& Scratch() { return scratch_; }
    Application& App() { return app_; }

    // Gives every button that still has no faces the list of that name from the artwork.
    void ConnectStandIns() {
        auto lookup = [this](const std::string& name) -> TLMDBitmapList* {
            static const struct {
                const char* name;
                const char* resource;
            } known[] = {
                {kGreens, art::kGreens},
                {kExitList, art::kBmpExit},
                {kUpArrows, art::kBmpOpKnapper},
                {kDownArrows, art::kBmpNedKnapper},
                {kCategoryRows, art::kBagKategorier},
            };
            for (const auto& k : known) {
                if (name != k.name) continue;
                lists_.push_back(TLMDBitmapList::FromResource(app_.Instance(), k.resource));
                return lists_.back().get();
            }
            return nullptr;
        };
        for (const auto& owned : shell_->AllPages()) owned.page->ConnectFaceLists(lookup);
    }

private:
    ScratchFolder scratch_;
    ProgManStub stub_;
    Application app_{GetModuleHandleA(nullptr)};
    std::vector<std::unique_ptr<TLMDBitmapList>> lists_;  // outlive the pages that use them
    std::unique_ptr<TfrmBlack> shell_;
};

// Clicks a picture button in its middle, as the pointer would.
inline void ClickButton(TLMDMMButton& button, int dx = 0, int dy = 0) {
    RECT r = button.PageRect();
    ClickAt(button.OwnerPage(), (r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2 + dy);
}
// The same click, posted: it runs when the page's messages are next dispatched.
inline void PostClick(TLMDMMButton& button) {
    RECT r = button.PageRect();
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    HWND page = button.OwnerPage().Handle();
    PostMessageA(page, WM_MOUSEMOVE, 0, at);
    PostMessageA(page, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(page, WM_LBUTTONUP, 0, at);
}

// The visible page nearest the top of the z-order among the given ones.
inline Page* TopMost(const std::vector<Page*>& pages) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        for (Page* p : pages)
            if (p && p->Handle() == w && p->Visible()) return p;
    return nullptr;
}

// The page as it is on the screen, child windows included, read from the screen itself.
class ScreenCapture : public PagePixels {
public:
    explicit ScreenCapture(const Page& page) {
        UpdateWindow(page.Handle());
        RedrawWindow(page.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT rect{};
        GetWindowRect(page.Handle(), &rect);
        WindowDc screen(nullptr);
        BitBlt(Dc(), 0, 0, kPageWidth, kPageHeight, screen.get(), rect.left, rect.top, SRCCOPY);
        GdiFlush();
    }
};

// Where the screenshots of the pages go: <build>\screenshots.
inline std::string ScreenshotFolder() {
    std::string folder = BuiltProgram("../screenshots");
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// Changes the current directory and puts it back.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& path) {
        GetCurrentDirectoryA(sizeof old_, old_);
        ok_ = SetCurrentDirectoryA(path.c_str()) != FALSE;
    }
    ~CurrentDirectory() { SetCurrentDirectoryA(old_); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;
    bool Ok() const { return ok_; }

private:
    char old_[MAX_PATH] = {};
    bool ok_ = false;
};

// Lines of a text file.
inline std::vector<std::string> Lines(const std::string& path) {
    std::vector<std::string> lines;
    std::string text = ReadFile(path), line;
    for (char c : text) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace vindrel::test
