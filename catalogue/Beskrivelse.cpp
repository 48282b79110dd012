#include "catalogue/Beskrivelse.h"

#include <algorithm>
#include <cstdlib>

#include "catalogue/ShotReader.h"
#include "services/Handles.h"
#include "toolkit/Text.h"

namespace vindrel {

DescriptionLines::DescriptionLines(HWND parent, BoxPlace place)
    : font_(CreateFontA(-13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Verdana")) {
    // Word wrap is the absence of ES_AUTOHSCROLL; ES_AUTOVSCROLL keeps text below the box's
    // visible height instead of refusing it. No WS_VISIBLE: the box only measures. A wide box,
    // so that the lines break where they break on a Danish system, whatever the code page.
    edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_BORDER | ES_MULTILINE | ES_LEFT | ES_AUTOVSCROLL,
                            place.left, place.top, place.width, place.height, parent, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (!edit_) return;
    SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);  // no limit; a description is put in whole
    if (font_) SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

DescriptionLines::~DescriptionLines() {
    // The parent may already have taken the box with it.
    if (edit_ && IsWindow(edit_)) DestroyWindow(edit_);
}

void DescriptionLines::SetText(const std::string& text) {
    if (edit_) SetWindowText1252(edit_, text);
}

int DescriptionLines::Count() const {
    if (!edit_) return 0;
    int n = static_cast<int>(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0));
    if (n <= 0) return 0;
    LRESULT lastStart = SendMessageW(edit_, EM_LINEINDEX, n - 1, 0);
    if (lastStart >= 0 && SendMessageW(edit_, EM_LINELENGTH, lastStart, 0) == 0) --n;
    return n;
}

std::string DescriptionLines::Line(int k) const {
    if (!edit_ || k < 0 || k >= Count()) return {};
    LRESULT start = SendMessageW(edit_, EM_LINEINDEX, k, 0);
    if (start < 0) return {};
    // The first character of the buffer tells EM_GETLINE its size in characters, so a line
    // cannot be asked for beyond 65535 characters.
    size_t length = std::min<size_t>(static_cast<size_t>(SendMessageW(edit_, EM_LINELENGTH, start, 0)), 0xFFFF);
    std::wstring buffer(std::max<size_t>(length, 1) + 1, L'\0');
    buffer[0] = static_cast<wchar_t>(length);
    LRESULT copied = SendMessageW(edit_, EM_GETLINE, k, reinterpret_cast<LPARAM>(buffer.data()));
    if (copied <= 0) return {};
    buffer.resize(std::min<size_t>(static_cast<size_t>(copied), length));
    return Narrow(buffer);
}

namespace {

// At most kShotReadLimit bytes of the file; false when it cannot be opened or a read fails
// (a scratched disc), so that a damaged file is never taken for a shorter one.
bool ReadShotFile(const std::string& file, std::string& bytes, bool& missing) {
    UniqueFileHandle handle(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
        const DWORD error = GetLastError();
        missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return false;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle.get(), &size) || size.QuadPart < 0) return false;
    bytes.resize(static_cast<size_t>(std::min<LONGLONG>(size.QuadPart, static_cast<LONGLONG>(kShotReadLimit))));
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return false;
    return true;
}

}  // namespace

bool Screenshot::Load(const std::string& setup) {
    bitmap_.reset();
    problem_.clear();
    std::string bytes;
    bool missing = false;
    if (!ReadShotFile(ScreenshotFileName(setup), bytes, missing)) {
        if (!missing) problem_ = "cannot be read from the drive";
        return false;
    }
    const ShotReading shot = ReadShot(bytes);
    if (!shot.Readable()) {
        problem_ = shot.problem;
        return false;
    }
    // A top-down picture of the reader's own pixels: nothing of the file reaches the platform.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, shot.picture.width, -shot.picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !bits) {
        bitmap_.reset();
        problem_ = "cannot be made into a picture";
        return false;
    }
    std::copy(shot.picture.pixels.begin(), shot.picture.pixels.end(), static_cast<uint32_t*>(bits));
    GdiFlush();
    return true;
}

SIZE Screenshot::Size() const {
    BITMAP bm{};
    if (!bitmap_ || !GetObjectA(bitmap_.get(), sizeof bm, &bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, std::abs(bm.bmHeight)};
}

void Screenshot::Draw(HDC dc, const RECT& box) const {
    if (!bitmap_) return;
    SIZE size = Size();
    int width = std::min<int>(size.cx, box.right - box.left);
    int height = std::min<int>(size.cy, box.bottom - box.top);
    if (width <= 0 || height <= 0) return;
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    SelectGuard select(memory.get(), bitmap_.get());
    BitBlt(dc, box.left, box.top, width, height, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace vindrel
