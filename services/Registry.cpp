#include "services/Registry.h"

namespace vindrel {

bool QueryStringValue(HKEY key, const char* name, std::string& out) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    // One spare zero: a value stored without its terminator still ends.
    std::string buf(size + 1, '\0');
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size) != ERROR_SUCCESS)
        return false;
    out.assign(buf.c_str());
    if (type == REG_EXPAND_SZ) out = ExpandEnvironment(out);
    return true;
}

std::string ExpandEnvironment(const std::string& text) {
    DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    std::string expanded(size, '\0');
    DWORD written = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), size);
    if (written == 0 || written > size) return text;
    // The ANSI count may be that of the wide text: the expansion ends at its zero.
    expanded.resize(std::char_traits<char>::length(expanded.c_str()));
    return expanded;
}

}  // namespace vindrel
