# Cross-compile for 32-bit Windows (the CD's build). The win32-thread MinGW-w64
# compilers: the posix-thread runtime imports functions that Windows XP lacks (GetTickCount64).
# The CD's build has no tests, which need the posix-thread ones for std::thread: the tests' 32-bit
# build (VINDREL_POSIX_THREADS, made by tools/build.sh where 32-bit programs run) takes those.
if(VINDREL_POSIX_THREADS)
  set(VINDREL_THREADS posix)
else()
  set(VINDREL_THREADS win32)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VINDREL_POSIX_THREADS)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${TOOLCHAIN_PREFIX}-gcc-${VINDREL_THREADS})
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-${VINDREL_THREADS})
set(CMAKE_RC_COMPILER  ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
