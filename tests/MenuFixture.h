// The whole menu in the test process: a CD folder with a catalogue of the test's own, made the
// current directory (the category page reads .\Spil.INI when it is made), a Program Manager
// stand-in, and the shell with all its pages.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Black.h"
#include "pages/Ansvar.h"
#include "pages/Forside.h"
#include "pages/Kategori.h"
#include "pages/LavetAf.h"
#include "pages/SpilSide.h"
#include "tests/PageTesting.h"
#include "tests/TestSupport.h"

namespace vindrel::test {

// One section of Spil.INI; empty fields are left out of the file.
struct Demo {
    std::string KortTitel{};
    std::string Kategori{};
    std::string Setup = "No File!";
    int Ram = 16;
    int HD = 20;
    int CPU = 100;
    std::string Dansk{};
    std::string Folder{};
    std::string Uninstall{};
};

inline std::string Catalogue(const std::vector<Demo>& demos) {
    std::string ini;
    for (size_t i = 0; i < demos.size(); ++i) {
        const Demo& d = demos[i];
        ini += "[Spil" + std::to_string(i + 1) + "]\r\n";
        ini += "Titel=" + d.KortTitel + " - the full title\r\nKortTitel=" + d.KortTitel + "\r\n";
        if (d.Setup != "No File!") ini += "Setup=" + d.Setup + "\r\n";
        ini += "CPU=" + std::to_string(d.CPU) + "\r\nRam=" + std::to_string(d.Ram) + "\r\nHD=" + std::to_string(d.HD) + "\r\n";
        ini += "Kategori=" + d.Kategori + "\r\n";
        if (!d.Folder.empty()) ini += "Folder=" + d.Folder + "\r\n";
        if (!d.Uninstall.empty()) ini += "Uninstall=" + d.Uninstall + "\r\n";
        if (!d.Dansk.empty()) ini += "Dansk=" + d.Dansk + "\r\n";
    }
    return ini;
}

// n description lines that each fit the box, joined by line breaks.
inline std::string Lines(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += (i ? "\r\n" : "") + std::string("line ") + std::to_string(i);
    return text;
}

class MenuTest : public testing::Test {
protected:
    MenuTest() : stub_(cd_ / "progman.log") {
        ForgetEarlierQuit();
        char previous[MAX_PATH] = {};
        GetCurrentDirectoryA(sizeof previous, previous);
        previous_ = previous;
    }
    ~MenuTest() override {
        shell_.reset();
        SetCurrentDirectoryA(previous_.c_str());
    }

    // Writes the catalogue, after the lines of cdSection ("[CD]\r\nUdgave=1100\r\n"), and starts the
    // menu on it in Danish.
    void Start(const std::vector<Demo>& demos, std::vector<std::string> args = {"da"}, const std::string& cdSection = "") {
        WriteFile(cd_ / "Spil.INI", cdSection + Catalogue(demos));
        SetCurrentDirectoryA(cd_.Path().c_str());
        shell_ = std::make_unique<TfrmBlack>(app_, std::move(args));
    }

    TfrmForside& Menu() { return *shell_->Pages().frmForside; }
    TfrmKategori& Category() { return *shell_->Pages().frmKategori; }
    TfrmSpilSide& Game() { return *shell_->Pages().frmSpilSide; }
    TfrmLavetAf& Credits() { return *shell_->Pages().frmLavetAf; }
    TfrmAnsvar& Disclaimer() { return *shell_->Pages().frmAnsvar; }
    // A page by form name as a plain page, or null when it is not part of this build.
    Page* PageNamed(const std::string& formName) {
        for (const auto& owned : shell_->AllPages())
            if (formName == owned.formName) return owned.page.get();
        return nullptr;
    }

    // Presses the button in its middle, as the user would.
    static void Click(TLMDMMButton& button) {
        RECT r = button.PageRect();
        ClickAt(button.OwnerPage(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // Opens the category from the main menu, as its tile does.
    void OpenCategory(CategoryCode category) {
        Menu().Show();
        TLMDMMButton* tiles[] = {&Menu().cmdKategori1, &Menu().cmdKategori2, &Menu().cmdKategori3,
                                 &Menu().cmdKategori4, &Menu().cmdKategori5, &Menu().cmdKategori6};
        Click(*tiles[category]);
    }

    ScratchFolder cd_;
    ProgManStub stub_;
    Application app_{GetModuleHandleA(nullptr)};
    std::unique_ptr<TfrmBlack> shell_;
    std::string previous_;
};

}  // namespace vindrel::test
