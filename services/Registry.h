// Small registry reads shared by the services.
#pragma once
#include <windows.h>
#include <string>

namespace vindrel {

// Reads a REG_SZ or REG_EXPAND_SZ value whole, up to its first zero byte. False on a missing
// value or one of another type; out is then left unchanged.
bool QueryStringValue(HKEY key, const char* name, std::string& out);

}  // namespace vindrel
