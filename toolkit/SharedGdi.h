// What the pages of one program share. A page is composed in a back buffer and copied to the
// screen in one go, and a picture button composes its face in a scratch surface the same way;
// pages and buttons paint one at a time, so one of each serves them all. Fonts and stored
// pictures are made once for every page that uses them.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "toolkit/Artwork.h"
#include "toolkit/Drawing.h"

namespace vindrel {

class SharedGdi {
public:
    SharedGdi() = default;
    SharedGdi(const SharedGdi&) = delete;
    SharedGdi& operator=(const SharedGdi&) = delete;

    OffscreenSurface& PageBuffer() { return page_; }
    OffscreenSurface& FaceBuffer() { return face_; }
    HFONT Font(const FontSpec& font);
    art::PictureStore& Pictures() { return pictures_; }

private:
    OffscreenSurface page_;
    OffscreenSurface face_;
    using FontKey = std::tuple<std::string, int, unsigned>;
    std::map<FontKey, UniqueFont> fonts_;
    art::PictureStore pictures_;
};

}  // namespace vindrel
