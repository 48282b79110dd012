// The program's texts are Windows-1252 bytes (the catalogue, the language table, the records).
// The system's code page may be another one (Polish, Russian, Greek Windows), so texts are
// handed to the system as UTF-16 through the wide calls, never through the code page of the day.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace vindrel {

constexpr UINT kTextCodePage = 1252;

std::wstring Wide(const std::string& text);
std::string Narrow(const std::wstring& text);

// DrawTextW of a Windows-1252 text; the rectangle and result as DrawText's.
int DrawText1252(HDC dc, const std::string& text, RECT& r, UINT format);

// Window texts of standard controls and of the application's window.
void SetWindowText1252(HWND hwnd, const std::string& text);
std::string WindowText1252(HWND hwnd);

// The information messages the services name, each in its own box with one "OK" button and the
// caption "Information", owned by the window the reader sees.
void ShowInformation(HWND owner, const std::vector<std::string>& texts);

}  // namespace vindrel
