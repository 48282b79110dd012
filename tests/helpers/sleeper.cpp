// A stand-in setup program: sleeps the milliseconds given on its command line (default 1000),
// with a visible window meanwhile when the second argument is "window".
#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[2], "window") == 0)
        CreateWindowExA(0, "STATIC", "sleeper", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
    Sleep(argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 1000);
    return 0;
}
