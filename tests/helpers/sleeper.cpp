// A stand-in setup program: sleeps the milliseconds given on its command line (default 1000).
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    Sleep(argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 1000);
    return 0;
}
