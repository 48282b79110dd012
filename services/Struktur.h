// Plain data shared between the shell, the pages and the services.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vindrel {

// Taken once at start-up, in this order; nothing writes them afterwards.
struct MachineProfile {
    int32_t CpuMHz = 0;
    int32_t RamMB = 0;
    int32_t FreeDiskMB = 0;
    int32_t Has3dfx = 0;
};

// One demo installed during this run (the class the records call resterendespil).
struct resterendespil {
    std::string edition;
    std::string shortTitle;
    std::string group;         // Start-menu group the setup creates ("NoFolder" by default)
    std::string uninstallKey;  // key under the platform's uninstall registry; may be empty
};
using InstallRecord = resterendespil;
using RunInstallList = std::vector<InstallRecord>;

// One demo found in the registry records.
struct InstalledDemo {
    std::string edition;
    std::string title;
    std::string uninstallCommand;
    bool selected = false;
};

}  // namespace vindrel
