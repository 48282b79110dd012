#include "toolkit/SharedGdi.h"

namespace vindrel {

HFONT SharedGdi::Font(const FontSpec& font) {
    FontKey key{font.face, font.height, font.style};
    auto it = fonts_.find(key);
    if (it == fonts_.end()) it = fonts_.emplace(key, CreateFontFrom(font)).first;
    return it->second.get();
}

}  // namespace vindrel
