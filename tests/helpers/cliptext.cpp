// Puts text on the clipboard, given as hexadecimal UTF-16 code units ("0141" for an L with a
// stroke), for a test to paste into a program: letters outside the keyboard's map cannot be typed.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    std::wstring text;
    for (int i = 1; i < argc; ++i) text += static_cast<wchar_t>(std::strtoul(argv[i], nullptr, 16));
    if (text.empty() || !OpenClipboard(nullptr)) return 1;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
    return memory ? 0 : 1;
}
