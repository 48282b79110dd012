// Owning wrappers for kernel and registry handles. Move-only, so no handle is closed twice.
#pragma once
#include <windows.h>

#include "toolkit/UniqueHandle.h"

namespace vindrel {

struct KernelHandleTraits {
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct RegKeyTraits {
    static HKEY invalid() { return nullptr; }
    static void close(HKEY h) { RegCloseKey(h); }
};

using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueRegKey = UniqueHandle<HKEY, RegKeyTraits>;

}  // namespace vindrel
