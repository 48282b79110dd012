// Names of the artwork carried as resources (packed from resources/art/manifest.txt), and the
// loader for the stored pictures of the page layouts.
#pragma once
#include <windows.h>

#include "toolkit/Gdi.h"

namespace vindrel::art {

// Bitmap lists (RCDATA), for TLMDBitmapList::FromResource.
inline constexpr const char* kGreens = "LIST_GREENS";
inline constexpr const char* kBmpExit = "LIST_BMPEXIT";
inline constexpr const char* kBmpAction = "LIST_BMPACTION";
inline constexpr const char* kBmpSimulator = "LIST_BMPSIMULATOR";
inline constexpr const char* kBmpSport = "LIST_BMPSPORT";
inline constexpr const char* kBmpAdventure = "LIST_BMPADVENTURE";
inline constexpr const char* kBmpStrategi = "LIST_BMPSTRATEGI";
inline constexpr const char* kBmpJunior = "LIST_BMPJUNIOR";
inline constexpr const char* kBmpOpKnapper = "LIST_BMPOPKNAPPER";
inline constexpr const char* kBmpNedKnapper = "LIST_BMPNEDKNAPPER";
inline constexpr const char* kBagKategorier = "LIST_BAGKATEGORIER";
inline constexpr const char* kStortTomt = "LIST_STORTTOMT";
inline constexpr const char* kIndexBaggrunde = "LIST_INDEXBAGGRUNDE";
inline constexpr const char* kLilleOpPil = "LIST_LILLEOPPIL";
inline constexpr const char* kLilleNedPil = "LIST_LILLENEDPIL";
inline constexpr const char* kTomtBillede = "LIST_TOMTBILLEDE";
inline constexpr const char* kFlagBilleder = "LIST_FLAGBILLEDER";

// Pictures (BITMAP). The common background also serves as the stored picture of the main menu's
// imgback, the DirectX page's Baggrund and the disclaimer page's Image1.
inline constexpr const char* kHovedmenu = "HOVEDMENU";
inline constexpr const char* kAnsvar = "ANSVAR";
inline constexpr const char* kShadow100 = "SKYGGE100";  // under a lone green button, 10 px to its left
inline constexpr const char* kShadow190 = "SKYGGE190";  // uninstall page, under help and back
inline constexpr const char* kShadow290 = "SKYGGE290";  // under a row of three, 7 px left of the first
inline constexpr const char* kShadow200 = "SKYGGE200";  // main menu, 200 x 110 under the block of four
inline constexpr const char* kFedStreg = "FEDSTREG";      // index page, 241 x 7
inline constexpr const char* kFinStreg = "FINSTREG";      // index page, 1 x 398
inline constexpr const char* kRulleskakt = "RULLESKAKT";  // index page, 28 x 400
inline constexpr const char* kHeHe = "HEHE";              // credits page's hidden picture, 493 x 598
inline constexpr const char* kAnsvarPanel = "ANSVARPANEL";  // disclaimer text panel, 242 x 398

// Sounds (WAVE): "CLICK" and "TILBAGE" are the same recording.
inline constexpr const char* kClick = "CLICK";
inline constexpr const char* kTilbage = "TILBAGE";
inline constexpr const char* kAccepter = "ACCEPTER";

// Loads a BITMAP resource as a DIB section, so that its pixels and colour table stay readable.
UniqueBitmap LoadStoredPicture(HINSTANCE module, const char* name);

}  // namespace vindrel::art
