#include "toolkit/Text.h"

#include <vector>

namespace vindrel {

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(kTextCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(kTextCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(kTextCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string narrow(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(kTextCodePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), n, nullptr,
                            nullptr);
    return narrow;
}

int DrawText1252(HDC dc, const std::string& text, RECT& r, UINT format) {
    const std::wstring wide = Wide(text);
    return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, format);
}

void SetWindowText1252(HWND hwnd, const std::string& text) { SetWindowTextW(hwnd, Wide(text).c_str()); }

std::string WindowText1252(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, buffer.data(), length + 1);
    return Narrow(std::wstring(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0)));
}

void ShowInformation(HWND owner, const std::vector<std::string>& texts) {
    for (const std::string& text : texts) MessageBoxW(owner, Wide(text).c_str(), L"Information", MB_OK | MB_ICONINFORMATION);
}

}  // namespace vindrel
