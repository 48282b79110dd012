#include "catalogue/Udgave.h"

namespace vindrel {
namespace {

bool IsLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

std::string Shown(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
        static const char kHex[] = "0123456789ABCDEF";
        return std::string("the control character 0x") + kHex[byte >> 4] + kHex[byte & 0xF];
    }
    return std::string("'") + c + "'";
}

}  // namespace

std::string EditionProblem(std::string_view value) {
    if (value.empty()) return "is empty";
    if (value.size() > kEditionMaxLength)
        return "is " + std::to_string(value.size()) + " characters long, more than " + std::to_string(kEditionMaxLength);
    for (char c : value) {
        if (IsLetterOrDigit(c) || c == ' ' || c == '-' || c == '_' || c == '.') continue;
        // Nordic letters are left out too: the records' names are read in the system's code page,
        // which is not Windows-1252 on every PC the CD meets.
        return "holds " + Shown(c);
    }
    if (value.front() == ' ' || value.back() == ' ') return "begins or ends with a space";
    if (value.front() == '.' || value.back() == '.') return "begins or ends with a dot";
    return {};
}

std::string YearProblem(std::string_view value) {
    if (value.size() != 4) return "is not four digits";
    for (char c : value)
        if (c < '0' || c > '9') return "is not four digits";
    return {};
}

CdEdition UsableEdition(const std::string* edition, const std::string* year) {
    CdEdition cd;
    if (edition && EditionProblem(*edition).empty()) cd.edition = *edition;
    if (year && YearProblem(*year).empty()) cd.year = *year;
    return cd;
}

std::string WithYear(std::string notice, const std::string& year) {
    const size_t at = notice.find(kBuiltInYear);
    if (at != std::string::npos) notice.replace(at, std::string_view(kBuiltInYear).size(), year);
    return notice;
}

}  // namespace vindrel
