// Machine probes: the arithmetic on made-up drives and memory sizes, and the real machine.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>

#include "services/CDrom.h"
#include "tests/TestSupport.h"

namespace vindrel {
namespace {

constexpr uint64_t kMB = 1048576;

// A drive reporting the given free bytes in 512-byte sectors, one sector per cluster.
DriveQuery Drive(UINT type, uint64_t freeBytes) {
    DriveQuery q;
    q.type = type;
    q.freeOk = true;
    q.sectorsPerCluster = 1;
    q.bytesPerSector = 512;
    q.freeClusters = static_cast<uint32_t>(freeBytes / 512);
    return q;
}

DriveQuery Failing(UINT type) {
    DriveQuery q;
    q.type = type;
    return q;
}

TEST(ProbeRounding, HalvesGoToTheEvenNeighbour) {
    const struct {
        double value;
        int64_t expected;
    } cases[] = {{500.5, 500}, {501.5, 502}, {0.5, 0}, {1.5, 2}, {2.4999, 2}, {2.5001, 3}, {7.0, 7}, {1e12 + 0.5, 1000000000000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(RoundHalfEven(c.value), c.expected);
    }
}

TEST(ProbeRam, MegabytesRoundedPlusOneWithoutWrappingAbove4GB) {
    const struct {
        uint64_t bytes;
        int32_t expected;
    } cases[] = {
        {33030144, 32},                  // 31.5 + 1 = 32.5 -> 32
        {66584576, 64},                  // 63.5 + 1 = 64.5 -> 64
        {133169152, 128},                // 127.0 + 1
        {0, 1},
        {4096 * kMB, 4097},              // exactly 4 GB: a 32-bit count would read 0
        {4096 * kMB + 512 * 1024, 4098}, // 4096.5 + 1 = 4097.5 -> 4098
        {25600 * kMB, 25601},
        {UINT64_MAX, INT32_MAX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(RamMBFromBytes(c.bytes), c.expected);
    }
}

TEST(ProbeRam, RealMachineCountsAllItsMemory) {
    MEMORYSTATUSEX ms{};
    ms.dwLength = sizeof ms;
    ASSERT_TRUE(GlobalMemoryStatusEx(&ms));
    const int32_t ram = ProbeRamMB();
    EXPECT_EQ(ram, RoundHalfEven(static_cast<double>(ms.ullTotalPhys) / kMB + 1.0)) << ms.ullTotalPhys;
    if (ms.ullTotalPhys > 4096 * kMB) {
        EXPECT_GT(ram, 4097);
    }
}

TEST(ProbeDisk, DriveProductIsFormedIn64Bits) {
    const struct {
        uint32_t spc, bps, clusters;
        int64_t expected;
    } cases[] = {
        {8, 512, 19778950, 77262},      // 81,014,579,200 bytes; 32 bits would give 3,705,167,872
        {64, 512, 65536, 2048},         // exactly 2 GB
        {1, 512, 1025024, 500},         // 500.5 MB
        {1, 512, 1027072, 502},         // 501.5 MB
        {0, 512, 1000, 0},
        {UINT32_MAX, UINT32_MAX, UINT32_MAX, int64_t{1} << 44},  // saturates instead of wrapping
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.spc << " x " << c.bps << " x " << c.clusters);
        EXPECT_EQ(DriveFreeMB(c.spc, c.bps, c.clusters), c.expected);
    }
}

TEST(ProbeDisk, SumsDriveCAndFixedDrivesDToF) {
    using Drives = std::map<char, DriveQuery>;
    // 1.5 billion MB in 512 KB clusters: two of these pass the 32-bit limit of the sum.
    DriveQuery huge;
    huge.type = DRIVE_FIXED;
    huge.freeOk = true;
    huge.sectorsPerCluster = 128;
    huge.bytesPerSector = 4096;
    huge.freeClusters = 3000000000u;
    const struct {
        const char* name;
        Drives drives;
        int32_t expected;
    } cases[] = {
        {"C: 500.5 MB", {{'C', Drive(DRIVE_FIXED, 524812288)}}, 500},
        {"C: 501.5 MB", {{'C', Drive(DRIVE_FIXED, 525860864)}}, 502},
        {"C: 300, D: CD-ROM, E: 200, F: absent",
         {{'C', Drive(DRIVE_FIXED, 300 * kMB)}, {'D', Drive(DRIVE_CDROM, 650 * kMB)}, {'E', Drive(DRIVE_FIXED, 200 * kMB)}},
         500},
        {"C: fails, D: 100", {{'C', Failing(DRIVE_FIXED)}, {'D', Drive(DRIVE_FIXED, 100 * kMB)}}, 101},
        {"nothing at all", {}, 1},
        {"C: counts whatever its type", {{'C', Drive(DRIVE_REMOTE, 300 * kMB)}}, 300},
        {"removable, network and RAM drives never count",
         {{'C', Drive(DRIVE_FIXED, 10 * kMB)}, {'D', Drive(DRIVE_REMOVABLE, 1 * kMB)}, {'E', Drive(DRIVE_REMOTE, 1 * kMB)},
          {'F', Drive(DRIVE_RAMDISK, 1 * kMB)}},
         10},
        {"a fixed drive that cannot be queried", {{'C', Drive(DRIVE_FIXED, 10 * kMB)}, {'F', Failing(DRIVE_FIXED)}}, 10},
        {"drives past F: never count", {{'C', Drive(DRIVE_FIXED, 10 * kMB)}, {'G', Drive(DRIVE_FIXED, 5 * kMB)}}, 10},
        {"drives of 80 GB", {{'C', Drive(DRIVE_FIXED, 80000 * kMB)}, {'F', Drive(DRIVE_FIXED, 80000 * kMB)}}, 160000},
        {"sum capped at the 32-bit limit", {{'C', huge}, {'D', huge}}, INT32_MAX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string asked;
        auto query = [&](char letter) {
            asked += letter;
            auto it = c.drives.find(letter);
            return it == c.drives.end() ? DriveQuery{} : it->second;
        };
        EXPECT_EQ(SumFreeDiskMB(query), c.expected);
        EXPECT_EQ(asked, "CDEF");
    }
}

TEST(ProbeDisk, RealMachineCountsDriveCInFull) {
    uint64_t expectedMB = 0;
    for (char letter : {'C', 'D', 'E', 'F'}) {
        char root[] = "A:\\";
        root[0] = letter;
        ULARGE_INTEGER avail{}, total{}, free{};
        if ((letter == 'C' || GetDriveTypeA(root) == DRIVE_FIXED) && GetDiskFreeSpaceExA(root, &avail, &total, &free))
            expectedMB += free.QuadPart / kMB;
    }
    const int32_t probed = ProbeFreeDiskMB();
    EXPECT_GT(probed, 1);
    // Other programs write to the disk meanwhile; a wrapped product would be far off.
    const double expected = static_cast<double>(std::min<uint64_t>(expectedMB, INT32_MAX));
    EXPECT_NEAR(probed, expected, expected * 0.02 + 64) << "expected about " << expectedMB;
    const DriveQuery c = QueryDrive('C');
    EXPECT_TRUE(c.freeOk);
    EXPECT_EQ(c.type, static_cast<UINT>(DRIVE_FIXED));
}

// Removes a file when the test ends, however it ends.
struct FileGuard {
    std::string path;
    ~FileGuard() {
        DeleteFileA(path.c_str());
        RemoveDirectoryA(path.c_str());
    }
};

TEST(Probe3dfx, GlideCountsOnlyInTheSystemDirectory) {
    char system[MAX_PATH * 2] = {}, windows[MAX_PATH * 2] = {};
    ASSERT_GT(GetSystemDirectoryA(system, sizeof system), 0u);
    ASSERT_GT(GetWindowsDirectoryA(windows, sizeof windows), 0u);
    const std::string inSystem = std::string(system) + "\\glide2x.dll";
    const std::string inWindows = std::string(windows) + "\\glide2x.dll";
    if (test::PathExists(inSystem) || test::PathExists(inWindows)) GTEST_SKIP() << "this machine has a Glide driver";
    EXPECT_EQ(Probe3dfx(), 0);
    {
        FileGuard guard{inWindows};
        test::WriteFile(inWindows, "MZ");
        EXPECT_EQ(Probe3dfx(), 0) << "only in the Windows directory";
    }
    {
        FileGuard guard{inSystem};
        ASSERT_TRUE(CreateDirectoryA(inSystem.c_str(), nullptr));
        EXPECT_EQ(Probe3dfx(), 0) << "a folder of that name is no driver";
    }
    {
        FileGuard guard{inSystem};
        test::WriteFile(inSystem, "MZ");
        EXPECT_EQ(Probe3dfx(), 1);
        EXPECT_EQ(ProbeMachine().Has3dfx, 1);
    }
    EXPECT_FALSE(test::PathExists(inSystem));
    EXPECT_EQ(Probe3dfx(), 0);
}

TEST(ProbeMachine, TakesTheFourProbes) {
    const MachineProfile m = ProbeMachine();
    EXPECT_EQ(m.RamMB, ProbeRamMB());
    EXPECT_GT(m.FreeDiskMB, 1);
}

}  // namespace
}  // namespace vindrel
