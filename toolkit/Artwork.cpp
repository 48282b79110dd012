#include "toolkit/Artwork.h"

namespace vindrel::art {

UniqueBitmap LoadStoredPicture(HINSTANCE module, const char* name) {
    return UniqueBitmap(static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

}  // namespace vindrel::art
