// Small registry reads shared by the services.
#pragma once
#include <windows.h>
#include <string>

namespace vindrel {

// Reads a REG_SZ or REG_EXPAND_SZ value whole, up to its first zero byte; a REG_EXPAND_SZ value
// comes back with its environment references expanded, as the programs that write one expect.
// False on a missing value or one of another type; out is then left unchanged.
bool QueryStringValue(HKEY key, const char* name, std::string& out);

// The text with its %NAME% references replaced by the environment's values; unchanged when the
// platform cannot expand it.
std::string ExpandEnvironment(const std::string& text);

}  // namespace vindrel
