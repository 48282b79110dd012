// The shared routines of the menu: machine probes, installed-demo records,
// starting setup programs, fonts and sounds. Free functions taking and returning plain values.
#pragma once
#include <windows.h>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "services/Struktur.h"

namespace vindrel {

// ---- Machine probes -------------------------------------------------------------------------

// Round to nearest, halves to the even neighbour (the FPU's default mode).
int64_t RoundHalfEven(double value);

// Installed RAM in MB, rounded, plus one. 64-bit input so that machines above 4 GB do not wrap.
int32_t RamMBFromBytes(uint64_t totalPhysBytes);

// Free MB of one drive; the byte product is formed in 64 bits.
int64_t DriveFreeMB(uint32_t sectorsPerCluster, uint32_t bytesPerSector, uint32_t freeClusters);

// What the disk probe learns about one drive letter.
struct DriveQuery {
    UINT type = DRIVE_NO_ROOT_DIR;  // GetDriveTypeA
    bool freeOk = false;            // GetDiskFreeSpaceA succeeded
    uint32_t sectorsPerCluster = 0;
    uint32_t bytesPerSector = 0;
    uint32_t freeClusters = 0;
};
using DriveQueryFn = std::function<DriveQuery(char letter)>;

// C: counts whatever its type; D:, E:, F: only when fixed. Starts at 1, capped at INT32_MAX.
int32_t SumFreeDiskMB(const DriveQueryFn& query);
DriveQuery QueryDrive(char letter);  // the real platform

int32_t ProbeCpuMHz();
int32_t ProbeRamMB();
int32_t ProbeFreeDiskMB();
int32_t Probe3dfx();
MachineProfile ProbeMachine();  // the four probes in their order

// ---- Installed-demo records ----------------------------------------------------------------

extern const char kNoUninstallInfo[];  // "No uninstalinfo"
extern const char kRecordsRoot[];      // "Software\\Vindrel_Games"

void WriteInstallRecord(const std::string& edition, const std::string& shortTitle,
                        const std::string& group, const std::string& command);
void DeleteInstallRecord(const std::string& edition, const std::string& title);
void ReadInstalledDemos(std::vector<InstalledDemo>& list);
std::string LookUpUninstallString(const std::string& uninstallKey);
std::string ReadProgramsFolder();
std::string ReadRecordFolder(const std::string& title, const std::string& edition);

// ---- Setup launch, fonts and sounds --------------------------------------------------------

// Starts the program and returns when it has ended (or at once when it cannot be started),
// dispatching window messages meanwhile without using processor time.
void RunAndWait(const std::string& commandLine);

std::string ReadFontsFolder();
void InstallFonts();
void PlayUiSound(const char* resourceName);

}  // namespace vindrel
