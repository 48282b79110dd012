// Owning wrappers for kernel and registry handles. Move-only, so no handle is closed twice.
#pragma once
#include <windows.h>

#include "toolkit/UniqueHandle.h"

namespace vindrel {

struct KernelHandleTraits {
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE h) { CloseHandle(h); }
};
// CreateFile's failure is INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct RegKeyTraits {
    static HKEY invalid() { return nullptr; }
    static void close(HKEY h) { RegCloseKey(h); }
};

using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<HANDLE, FileHandleTraits>;
using UniqueRegKey = UniqueHandle<HKEY, RegKeyTraits>;

}  // namespace vindrel
