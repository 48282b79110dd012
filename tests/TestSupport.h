// Shared helpers of the tests: paths of helper programs, scratch folders, registry clean-up and
// a watcher that reads and dismisses message boxes the code under test shows.
#pragma once
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vindrel::test {

// Windows path of a program built next to the tests (helpers/, tools/, the menu itself).
std::string BuiltProgram(const std::string& name);

// A fresh, empty folder under the temporary folder; removed with its contents by the destructor.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }
    static void Remove(const std::string& path);  // a folder with everything in it
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// The table of bitmap kinds made at build time (tests/scripts/bitmap_kinds.py): each file drawn
// as its 24-bit reference ("show"), drawn over the page with its left columns clear and half
// clear ("over"), or refused with a reason ("refuse"; expected holds part of the reason).
struct ShotKind {
    std::string file, verdict, expected;
};
std::vector<ShotKind> ShotKinds();
std::string ShotKindFile(const std::string& name);  // its path, also for the references
bool PathExists(const std::string& path);
// Deletes a key with everything below it, in both views of the registry.
void DeleteRegistryTree(HKEY root, const std::string& path);
// Whether a key exists, in the given view (KEY_WOW64_32KEY or KEY_WOW64_64KEY) or this program's own.
bool KeyExists(HKEY root, const std::string& path, REGSAM view = 0);
// Where the menu keeps its records: the 32-bit view, as every 32-bit edition does.
constexpr REGSAM kRecordView = KEY_WOW64_32KEY;

// A message box seen while a watcher was active.
struct SeenMessage {
    std::string caption;
    std::string text;
    HWND owner = nullptr;  // the window that owns the box
};

// Watches this process's dialogs from a second thread, records caption and text, presses OK.
class MessageBoxWatcher {
public:
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    std::vector<SeenMessage> Seen();

private:
    void Run();
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<SeenMessage> seen_;
    std::thread thread_;
};

// Starts a program and keeps its process handle; the destructor kills it if it still runs.
class ChildProcess {
public:
    explicit ChildProcess(const std::string& commandLine);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    bool WaitFor(DWORD ms);  // true when it ended in time
    DWORD ExitCode();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Files of stand-in programs a test puts where the code under test looks for a program; the
// destructor ends whatever still runs from them (each ends by itself two seconds after its
// command, so it is given that long) and deletes them.
class StandInPrograms {
public:
    explicit StandInPrograms(std::vector<std::string> files) : files_(std::move(files)) {}
    ~StandInPrograms();
    StandInPrograms(const StandInPrograms&) = delete;
    StandInPrograms& operator=(const StandInPrograms&) = delete;

private:
    std::vector<std::string> files_;
};

// The project's stand-in Program Manager, logging into a scratch file; ready on return.
class ProgManStub {
public:
    explicit ProgManStub(const std::string& logPath, int secondsToLive = 60);
    std::vector<std::string> Commands();  // execute commands received so far
    DWORD Id() const { return process_.Id(); }

private:
    std::string log_;
    ChildProcess process_;
};

// Steers tests/helpers/quietsetup.cpp, a setup or uninstaller without a window that runs until it
// is told to end, by its named events; the destructor tells it to end.
class QuietSetupControl {
public:
    enum Step { kEntry, kRollback, kEnd };
    QuietSetupControl();
    ~QuietSetupControl();
    QuietSetupControl(const QuietSetupControl&) = delete;
    QuietSetupControl& operator=(const QuietSetupControl&) = delete;
    // Makes its uninstall entry, deletes it again, or ends it.
    void Tell(Step step) { SetEvent(events_[step]); }
    // Its command line, making or deleting the uninstall entry of that key.
    static std::string Command(const std::string& uninstallKey);

private:
    HANDLE events_[3] = {};
};

}  // namespace vindrel::test
