// The pages of the menu, as the shell holds them: each page reaches the others through this set
// (never before all of them exist, that is, only from its handlers).
#pragma once

namespace vindrel {

class TfrmSpilSide;
class TfrmKategori;
class TfrmAfinstaller;
class TfrmIndex;
class TfrmHelp;
class TfrmDX;
class TfrmLavetAf;
class TfrmForside;
class TfrmAnsvar;
class TfrmSprogvalg;

struct PageSet {
    TfrmSpilSide* frmSpilSide = nullptr;
    TfrmKategori* frmKategori = nullptr;
    TfrmAfinstaller* frmAfinstaller = nullptr;
    TfrmIndex* frmIndex = nullptr;
    TfrmHelp* frmHelp = nullptr;
    TfrmDX* frmDX = nullptr;
    TfrmLavetAf* frmLavetAf = nullptr;
    TfrmForside* frmForside = nullptr;
    TfrmAnsvar* frmAnsvar = nullptr;
    TfrmSprogvalg* frmSprogvalg = nullptr;  // only while the language is undecided
};

}  // namespace vindrel
