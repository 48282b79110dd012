// Names of the artwork carried as resources (packed from resources/art/manifest.txt), the
// loaders that expand it, and the pictures that every page showing them shares.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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

// Pictures (RCDATA: a bitmap file, compressed). The common background also serves as the stored picture of the main menu's
// imgback, the DirectX page's Baggrund and the disclaimer page's Image1.
inline constexpr const char* kHovedmenu = "HOVEDMENU";
inline constexpr const char* kShadow100 = "SKYGGE100";  // under a lone green button, 10 px to its left
inline constexpr const char* kShadow190 = "SKYGGE190";  // uninstall page, under help and back
inline constexpr const char* kShadow290 = "SKYGGE290";  // under a row of three, 7 px left of the first
inline constexpr const char* kShadow200 = "SKYGGE200";  // main menu, 200 x 110 under the block of four
inline constexpr const char* kFedStreg = "FEDSTREG";      // index page, 241 x 7
inline constexpr const char* kFinStreg = "FINSTREG";      // index page, 1 x 398
inline constexpr const char* kRulleskakt = "RULLESKAKT";  // index page, 28 x 400
inline constexpr const char* kHeHe = "HEHE";              // credits page's hidden picture, 493 x 598
inline constexpr const char* kAnsvarPanel = "ANSVARPANEL";  // disclaimer text panel, 242 x 398

// Sounds (WAVE): "TILBAGE" is the same recording as "CLICK", so only "CLICK" is carried and
// PlayUiSound plays it for either name.
inline constexpr const char* kClick = "CLICK";
inline constexpr const char* kTilbage = "TILBAGE";

// The artwork is stored compressed with zlib's deflate (tools/packart.py) and expanded here with
// zlib's inflate, at its first use.

// An RCDATA resource's bytes as the program's image holds them; null data when it is missing.
struct Stored {
    const uint8_t* data = nullptr;
    size_t size = 0;
};
Stored StoredResource(HINSTANCE module, const char* name);

// Expands one zlib stream that must give exactly `expanded` bytes; nullopt otherwise.
std::optional<std::vector<uint8_t>> Inflate(const uint8_t* data, size_t size, size_t expanded);

// A stored picture expanded to its bitmap file: a 4-byte expanded size, then the zlib stream.
std::optional<std::vector<uint8_t>> UnpackPicture(HINSTANCE module, const char* name);

// Loads a stored picture as a DIB section, so that its pixels and colour table stay readable.
UniqueBitmap LoadStoredPicture(HINSTANCE module, const char* name);

// A picture that several controls show: decoded on its first paint (or first look at it), then
// read-only, so one bitmap serves them all.
class SharedPicture {
public:
    SharedPicture(HINSTANCE module, std::string name) : module_(module), name_(std::move(name)) {}
    explicit SharedPicture(UniqueBitmap owned) : bitmap_(std::move(owned)), decoded_(true) {}
    SharedPicture(const SharedPicture&) = delete;
    SharedPicture& operator=(const SharedPicture&) = delete;

    HBITMAP Bitmap() const;  // null if the picture cannot be decoded
    bool Decoded() const { return decoded_; }

private:
    HINSTANCE module_ = nullptr;
    std::string name_;
    mutable UniqueBitmap bitmap_;
    mutable bool decoded_ = false;
};

// The stored pictures in use, by resource name (without regard to case): asking twice for one
// gives the same picture while anything still shows it.
class PictureStore {
public:
    // Null when the program has no such picture; nothing is decoded yet.
    std::shared_ptr<const SharedPicture> Get(HINSTANCE module, const char* name);

private:
    std::map<std::pair<HINSTANCE, std::string>, std::weak_ptr<const SharedPicture>> pictures_;
};

}  // namespace vindrel::art
