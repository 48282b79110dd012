// Where start-up goes: with the environment variable VINDREL_STARTUP_TIMES naming a file, each
// step of the start-up is timed and the list is written to that file once the first paint has
// been handled, and again, complete, once every page exists. Without it a mark is one test of a
// flag, so the shipped program pays nothing.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace vindrel {

class StartupTimes {
public:
    StartupTimes();
    StartupTimes(const StartupTimes&) = delete;
    StartupTimes& operator=(const StartupTimes&) = delete;

    bool On() const { return !file_.empty(); }
    // The step that has just ended, named as it appears in the report.
    void Mark(const char* step) {
        if (On()) Record(step);
    }
    // Marks a step and writes the report so far; timing goes on.
    void Write(const char* step);
    // Marks the last step, writes the report and switches the timing off.
    void Finish(const char* step);

    // The report: one line per step, "<step>\t<ms of the step>\t<ms since the process began>".
    std::string Report() const;

private:
    void Record(const char* step);
    struct Step {
        std::string name;
        double end;  // ms since the process began
    };
    std::string file_;
    std::vector<Step> steps_;
    double originMs_ = 0;  // the counter's reading, in ms, when the process was created
    double frequency_ = 0;
};

}  // namespace vindrel
