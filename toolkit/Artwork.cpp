#include "toolkit/Artwork.h"

#include <zlib.h>

#include <cstring>

#include "toolkit/BitmapList.h"

namespace vindrel::art {
namespace {

uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::string Upper(const char* name) {
    std::string s = name;
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

}  // namespace

Stored StoredResource(HINSTANCE module, const char* name) {
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    return {static_cast<const uint8_t*>(bytes), SizeofResource(module, found)};
}

std::optional<std::vector<uint8_t>> Inflate(const uint8_t* data, size_t size, size_t expanded) {
    std::vector<uint8_t> out(expanded);
    uLongf length = static_cast<uLongf>(expanded);
    if (!data || size == 0) return std::nullopt;
    // A longer stream than announced fails with Z_BUF_ERROR; a shorter one leaves length short.
    if (uncompress(out.data(), &length, data, static_cast<uLong>(size)) != Z_OK || length != expanded)
        return std::nullopt;
    return out;
}

std::optional<std::vector<uint8_t>> UnpackPicture(HINSTANCE module, const char* name) {
    const Stored stored = StoredResource(module, name);
    if (!stored.data || stored.size < 4) return std::nullopt;
    return Inflate(stored.data + 4, stored.size - 4, ReadU32(stored.data));
}

UniqueBitmap LoadStoredPicture(HINSTANCE module, const char* name) {
    auto file = UnpackPicture(module, name);
    if (!file) return UniqueBitmap();
    return TLMDBitmapListItem::DibFromBitmapFile(file->data(), file->size());
}

HBITMAP SharedPicture::Bitmap() const {
    if (!decoded_) {
        decoded_ = true;
        bitmap_ = LoadStoredPicture(module_, name_.c_str());
    }
    return bitmap_.get();
}

std::shared_ptr<const SharedPicture> PictureStore::Get(HINSTANCE module, const char* name) {
    if (!StoredResource(module, name).data) return nullptr;
    auto key = std::make_pair(module, Upper(name));
    if (auto shared = pictures_[key].lock()) return shared;
    auto picture = std::make_shared<const SharedPicture>(module, key.second);
    pictures_[key] = picture;
    return picture;
}

}  // namespace vindrel::art
