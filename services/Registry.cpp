#include "services/Registry.h"

#include <cstring>

namespace vindrel {

bool QueryStringValue(HKEY key, const char* name, std::string& out, Expansion how) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    // One spare zero: a value stored without its terminator still ends.
    std::string buf(size + 1, '\0');
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size) != ERROR_SUCCESS)
        return false;
    out.assign(buf.c_str());
    if (type == REG_EXPAND_SZ) out = ExpandEnvironment(out, how);
    return true;
}

namespace {

// ASCII letters without regard to case, as environment names are matched; a locale's comparison
// would also match names with letters it ignores.
bool SameLetters(const char* a, const char* b, size_t length) {
    const auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    for (size_t i = 0; i < length; ++i)
        if (fold(static_cast<unsigned char>(a[i])) != fold(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

// The text with each %name% written as %name(x86)%, where the environment has that variable
// (only 64-bit Windows does; a 32-bit program there sees the same folder under either name).
std::string As32BitNames(const std::string& text) {
    std::string out = text;
    for (const char* name : {"%ProgramFiles%", "%CommonProgramFiles%"}) {
        const std::string bare(name + 1, std::strlen(name) - 2), x86 = bare + "(x86)";
        if (GetEnvironmentVariableA(x86.c_str(), nullptr, 0) == 0) continue;
        const size_t length = std::strlen(name);
        for (size_t at = 0; at + length <= out.size();) {
            if (SameLetters(out.c_str() + at, name, length)) {
                out.replace(at, length, "%" + x86 + "%");
                at += x86.size() + 2;
            } else {
                ++at;
            }
        }
    }
    return out;
}

}  // namespace

std::string ExpandEnvironment(const std::string& original, Expansion how) {
    const std::string text = how == Expansion::As32Bit ? As32BitNames(original) : original;
    DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (size == 0) return original;
    std::string expanded(size, '\0');
    DWORD written = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), size);
    if (written == 0 || written > size) return original;
    // The ANSI count may be that of the wide text: the expansion ends at its zero.
    expanded.resize(std::char_traits<char>::length(expanded.c_str()));
    return expanded;
}

}  // namespace vindrel
