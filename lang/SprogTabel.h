// The four-language table of every fixed text the user sees: one initialiser per language in
// SprogTabel.cpp, its members in the order SaetSprog writes them, named after their targets.
// Texts are Windows-1252 (the compiler's execution character set); line breaks are CR LF and a
// blank line separates paragraphs. Blanks at the start or end of a text belong to it.
#pragma once
#include <array>
#include <string>

namespace vindrel {

inline constexpr int kHelpTopics = 5;

struct Sprog {
    const char* kode;   // "da", "se", "no", "fi"
    const char* titel;  // the application's title on the task bar

    struct {
        const char* lblAnsvar;  // the disclaimer
        const char* cmdOK;
    } Ansvar;
    struct {
        const char* cmdHelp;  // also the caption of the other pages' help buttons
        const char* cmdIndex;
        const char* cmdUninstall;
    } Forside;
    struct {
        const char* cmdNot;
    } Kategori;
    struct {
        const char* cmdInstaller;
        const char* cmdNot;
        const char* lblHarddisk;  // "<text><number><lblMB>": the blanks are in the texts
        const char* lblMB;
        const char* lbl3dJa;
        const char* lbl3dNej;
        const char* lblMaskinKrav;
        const char* lblWarning;
    } SpilSide;
    struct {
        std::array<const char*, kHelpTopics> emner;  // the topic list, topic 1 to 5
        const char* lblHelpCaption;
        const char* cmdNot;
        std::array<const char*, kHelpTopics> HelpTexts;  // one per topic, in topic order
    } Help;
    struct {
        const char* cmdNot;
        const char* cmdOK;
        const char* lblDX;
    } DX;
    struct {
        const char* cmdBack;
        const char* cmdUninstall;
        const char* lblUninstallCaption;
    } Afinstaller;
    struct {
        const char* lblLavetAf;    // publisher and staff
        const char* lblCopyRight;  // rights notice
        const char* lblProblemer;  // the support line
        const char* cmdNot;
    } LavetAf;
    struct {
        const char* cmdBack;
        const char* lblOverskrift;
    } Index;
    struct {
        const char* lblVenter;  // the backdrop's notice while a setup runs without a window
        const char* cmdMenu;    // its button, which brings the pages back
    } Vent;
};

// The languages in the order their codes are tried: Danish, Swedish, Norwegian, Finnish.
const std::array<const Sprog*, 4>& AlleSprog();

// The language of an exact code (same length, same case); null for any other text.
const Sprog* FindSprog(const std::string& code);

}  // namespace vindrel
