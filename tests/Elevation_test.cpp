// Programs that need elevation: when the plain start is refused with 740, the same program is
// started through the elevation prompt and waited for as before; declined, nothing happens.
#include <gtest/gtest.h>

#include <vector>

#include "services/CDrom.h"
#include "tests/TestSupport.h"

namespace vindrel {
namespace {

constexpr DWORD kElevationRequired = 740;

uint64_t ThreadCpuMs() {
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    auto ms = [](FILETIME f) { return ((uint64_t{f.dwHighDateTime} << 32) | f.dwLowDateTime) / 10000; };
    return ms(kernel) + ms(user);
}

// A platform whose plain start always fails with the given error and whose elevated start is
// recorded and, unless declined, really starts the program.
struct RecordingLauncher {
    DWORD plainError = kElevationRequired;
    bool decline = false;
    std::vector<std::string> plainStarts;
    std::vector<SplitCommand> elevatedStarts;

    Launcher Make() {
        return Launcher{
            [this](std::string& commandLine, DWORD, PROCESS_INFORMATION&, DWORD& error) {
                plainStarts.push_back(commandLine);
                error = plainError;
                return false;
            },
            [this](const std::string& file, const std::string& parameters, DWORD& error) -> HANDLE {
                elevatedStarts.push_back({file, parameters});
                if (decline) {
                    error = ERROR_CANCELLED;
                    return nullptr;
                }
                STARTUPINFOA si{};
                si.cb = sizeof si;
                PROCESS_INFORMATION pi{};
                std::string cmd = "\"" + file + "\" " + parameters;
                if (!CreateProcessA(file.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
                    return nullptr;
                CloseHandle(pi.hThread);
                return pi.hProcess;
            },
            PlatformLauncher().joinJob, PlatformLauncher().listProcesses};
    }
};

TEST(Elevation, ARefusedStartIsRepeatedElevatedAndWaitedForWithoutSpinning) {
    RecordingLauncher platform;
    const std::string sleeper = test::BuiltProgram("sleeper.exe");
    const DWORD start = GetTickCount();
    const uint64_t cpuStart = ThreadCpuMs();
    RunAndWait("\"" + sleeper + "\" 1000", platform.Make());
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(platform.plainStarts, std::vector<std::string>{"\"" + sleeper + "\" 1000"});
    ASSERT_EQ(platform.elevatedStarts.size(), 1u);
    EXPECT_EQ(platform.elevatedStarts[0].file, sleeper);
    EXPECT_EQ(platform.elevatedStarts[0].parameters, "1000");
    EXPECT_GE(elapsed, 950u) << "waited for the elevated program";
    EXPECT_LT(ThreadCpuMs() - cpuStart, elapsed / 10) << "the wait spends no processor time";
}

TEST(Elevation, ADeclinedPromptIsLikeAProgramThatCouldNotStart) {
    RecordingLauncher platform;
    platform.decline = true;
    test::MessageBoxWatcher watcher;
    const DWORD start = GetTickCount();
    RunAndWait("\\Demos\\Salt\\Setup.exe /lang=da", platform.Make());
    EXPECT_LT(GetTickCount() - start, 500u);
    ASSERT_EQ(platform.elevatedStarts.size(), 1u);
    EXPECT_EQ(platform.elevatedStarts[0].file, "\\Demos\\Salt\\Setup.exe");
    EXPECT_EQ(platform.elevatedStarts[0].parameters, "/lang=da");
    EXPECT_TRUE(watcher.Seen().empty());
}

TEST(Elevation, OtherStartFailuresAreNotRetried) {
    for (DWORD error : {DWORD{ERROR_FILE_NOT_FOUND}, DWORD{ERROR_ACCESS_DENIED}, DWORD{ERROR_BAD_EXE_FORMAT}}) {
        SCOPED_TRACE(error);
        RecordingLauncher platform;
        platform.plainError = error;
        RunAndWait("\\DirectX7\\DXSetup.EXE", platform.Make());
        EXPECT_EQ(platform.plainStarts.size(), 1u);
        EXPECT_TRUE(platform.elevatedStarts.empty());
    }
}

TEST(Elevation, CommandLinesSplitAsTheProgramStartFindsTheProgram) {
    test::ScratchFolder folder;
    CreateDirectoryA((folder / "Demo Games").c_str(), nullptr);
    test::WriteFile(folder / "Demo Games\\setup.exe", "MZ");
    test::WriteFile(folder / "Demo Games\\uninst", "MZ");  // no extension: found as named
    test::WriteFile(folder / "plain.exe", "MZ");
    const std::string games = folder / "Demo Games";
    struct Case {
        std::string line, file, parameters;
    } cases[] = {
        {"\"C:\\Program Files\\Demo\\setup.exe\" /S", "C:\\Program Files\\Demo\\setup.exe", "/S"},
        {"\"C:\\Demo\\setup.exe\"", "C:\\Demo\\setup.exe", ""},
        {"  \"C:\\Demo\\setup.exe\"   /a  /b", "C:\\Demo\\setup.exe", "/a  /b"},
        {"\"C:\\No End\\setup.exe /S", "C:\\No End\\setup.exe /S", ""},
        {"\\DirectX7\\DXSetup.EXE", "\\DirectX7\\DXSetup.EXE", ""},
        {"\\Demos\\Salt\\Setup.exe /S /D=C:\\Games", "\\Demos\\Salt\\Setup.exe", "/S /D=C:\\Games"},
        {games + "\\setup.exe /S", games + "\\setup.exe", "/S"},       // the blank inside the folder name
        {games + "\\setup /S", games + "\\setup", "/S"},               // found with .exe added
        {games + "\\uninst _?=" + games, games + "\\uninst", "_?=" + games},
        {folder / "plain.exe", folder / "plain.exe", ""},
        {"C:\\Nothing Here\\x.exe arg", "C:\\Nothing", "Here\\x.exe arg"},  // nothing exists: the first word
        {"", "", ""},
        {"   ", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        SplitCommand split = SplitCommandLine(c.line);
        EXPECT_EQ(split.file, c.file);
        EXPECT_EQ(split.parameters, c.parameters);
    }
}

}  // namespace
}  // namespace vindrel
