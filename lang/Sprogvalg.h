// The flag page: shown only when the language is undecided at start-up. Four flags and no text;
// a flag applies its language to the whole program, re-reads the catalogue in it and closes the
// page for the rest of the run.
#pragma once
#include <memory>
#include <string>

#include "toolkit/BitmapList.h"
#include "toolkit/Page.h"
#include "toolkit/PictureButton.h"

namespace vindrel {

class TfrmBlack;

class TfrmSprogvalg : public Page {
public:
    explicit TfrmSprogvalg(TfrmBlack& shell);

    TLMDBitmapList* FaceList(const std::string& listName) override;

private:
    TfrmBlack& shell_;
    // Sweden, Finland, Finland, Denmark, Norway, Sweden, Norway, Denmark; darker and brighter.
    std::unique_ptr<TLMDBitmapList> FlagBilleder_;

public:
    // Component       Kind                Left, top, width, height  Faces (normal, mouse-over)
    TLMDMMButton& Dansk = Add<TLMDMMButton>("Dansk", 104, 205, 70, 70, Flag(FlagBilleder_.get(), 7, 3));
    TLMDMMButton& Norsk = Add<TLMDMMButton>("Norsk", 224, 205, 70, 70, Flag(FlagBilleder_.get(), 6, 4));
    TLMDMMButton& Svensk = Add<TLMDMMButton>("Svensk", 344, 205, 70, 70, Flag(FlagBilleder_.get(), 0, 5));
    TLMDMMButton& Finsk = Add<TLMDMMButton>("Finsk", 464, 205, 70, 70, Flag(FlagBilleder_.get(), 2, 1));

    TLMDBitmapList& FlagBilleder() const { return *FlagBilleder_; }

    void TransKnap1Click();   // Danish
    void TransKnap2Click();   // Norwegian
    void TransKnap3Click();   // Swedish
    void frmSprogvalgClick(); // Finnish

private:
    void Vaelg(const char* code);
};

}  // namespace vindrel
