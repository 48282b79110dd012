// Small registry reads shared by the services.
#pragma once
#include <windows.h>
#include <string>

namespace vindrel {

// Whose environment a REG_EXPAND_SZ value is expanded in: this program's, or that of a 32-bit
// program on this Windows, for what a 32-bit setup wrote in the registry's 32-bit view (its
// %ProgramFiles% and %CommonProgramFiles% are the "(x86)" folders on 64-bit Windows).
enum class Expansion { Native, As32Bit };

// Reads a REG_SZ or REG_EXPAND_SZ value whole, up to its first zero byte; a REG_EXPAND_SZ value
// comes back with its environment references expanded, as the programs that write one expect.
// False on a missing value or one of another type; out is then left unchanged.
bool QueryStringValue(HKEY key, const char* name, std::string& out, Expansion how = Expansion::Native);

// The text with its %NAME% references replaced by the environment's values; unchanged when the
// platform cannot expand it.
std::string ExpandEnvironment(const std::string& text, Expansion how = Expansion::Native);

}  // namespace vindrel
