#include "app/StartupTimes.h"

#include <cmath>
#include <cstdio>

namespace vindrel {
namespace {

double FileTimeMs(const FILETIME& t) {
    return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
}

double CounterMs(double frequency) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / frequency;
}

// Milliseconds to a tenth ("12.3"), written out by hand: a printf of a floating-point number
// would link the C runtime's whole number formatter (about 24 KB) into the exe for this report.
std::string Tenths(double ms) {
    const long long tenths = std::llround(ms * 10);
    const unsigned long long magnitude = tenths < 0 ? 0ULL - static_cast<unsigned long long>(tenths) : static_cast<unsigned long long>(tenths);
    return (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
}

}  // namespace

StartupTimes::StartupTimes() {
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("VINDREL_STARTUP_TIMES", path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    file_ = path;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    frequency_ = static_cast<double>(frequency.QuadPart);
    // The time before the program's entry (loading it and its libraries) counts too: the
    // counter is set back by the wall-clock time since the process was created.
    FILETIME created, ended, kernel, user, now;
    GetSystemTimeAsFileTime(&now);
    const double counter = CounterMs(frequency_);
    originMs_ = counter;
    if (GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user) && FileTimeMs(now) > FileTimeMs(created))
        originMs_ = counter - (FileTimeMs(now) - FileTimeMs(created));
    Record("process start to entry");
}

void StartupTimes::Record(const char* step) { steps_.push_back({step, CounterMs(frequency_) - originMs_}); }

void StartupTimes::Write(const char* step) {
    if (!On()) return;
    Record(step);
    if (FILE* out = std::fopen(file_.c_str(), "wb")) {
        const std::string report = Report();
        std::fwrite(report.data(), 1, report.size(), out);
        std::fclose(out);
    }
}

void StartupTimes::Finish(const char* step) {
    Write(step);
    file_.clear();  // switched off: the report is complete
}

std::string StartupTimes::Report() const {
    std::string report;
    double previous = 0;
    for (const Step& s : steps_) {
        report += s.name + "\t" + Tenths(s.end - previous) + "\t" + Tenths(s.end) + "\n";
        previous = s.end;
    }
    return report;
}

}  // namespace vindrel
