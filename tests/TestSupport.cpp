#include "tests/TestSupport.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <chrono>
#include <fstream>
#include <sstream>

namespace vindrel::test {

std::vector<ShotKind> ShotKinds() {
    std::vector<ShotKind> kinds;
    const std::string table = ReadFile(ShotKindFile("kinds.txt"));
    for (size_t at = 0; at < table.size();) {
        size_t end = table.find('\n', at);
        if (end == std::string::npos) end = table.size();
        const std::string line = table.substr(at, end - at);
        at = end + 1;
        const size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
        if (tab2 == std::string::npos) continue;
        kinds.push_back({line.substr(0, tab1), line.substr(tab1 + 1, tab2 - tab1 - 1), line.substr(tab2 + 1)});
    }
    return kinds;
}

std::string ShotKindFile(const std::string& name) { return BuiltProgram("shotkinds/" + name); }

std::string BuiltProgram(const std::string& name) {
    // The build folder is a Unix path; Wine shows the Unix root as drive Z:.
    std::string path = "Z:";
    path += VINDREL_TEST_BIN_DIR;
    path += '/';
    path += name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static std::atomic<int> counter{0};
    path_ = std::string(temp) + "vindrel_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(counter++) + "_" + std::to_string(GetTickCount());
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { Remove(path_); }

void ScratchFolder::Remove(const std::string& path) {
    if (!PathExists(path)) return;
    std::string list = path + std::string(2, '\0');
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = list.c_str();
    op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    SHFileOperationA(&op);
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    f << bytes;
}

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

namespace {

void DeleteTreeInView(HKEY root, const std::string& path, REGSAM view) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS | view, &key) != ERROR_SUCCESS) return;
    char name[512];
    for (;;) {
        DWORD len = sizeof name;
        if (RegEnumKeyExA(key, 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        DeleteTreeInView(root, path + "\\" + name, view);
    }
    RegCloseKey(key);
    RegDeleteKeyExA(root, path.c_str(), view, 0);
}

}  // namespace

void DeleteRegistryTree(HKEY root, const std::string& path) {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) DeleteTreeInView(root, path, view);
}

bool KeyExists(HKEY root, const std::string& path, REGSAM view) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

MessageBoxWatcher::MessageBoxWatcher() : thread_([this] { Run(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<SeenMessage> MessageBoxWatcher::Seen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

void MessageBoxWatcher::Run() {
    const DWORD pid = GetCurrentProcessId();
    while (!stop_) {
        HWND dialog = nullptr;
        while ((dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(dialog, &owner);
            if (owner != pid || !IsWindowVisible(dialog)) continue;
            char caption[256] = {}, text[1024] = {};
            GetWindowTextA(dialog, caption, sizeof caption);
            GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);  // the message box's text control
            {
                std::lock_guard<std::mutex> lock(mutex_);
                seen_.push_back({caption, text, GetWindow(dialog, GW_OWNER)});
            }
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            Sleep(100);  // let it close before looking again
        }
        Sleep(20);
    }
}

ChildProcess::ChildProcess(const std::string& commandLine) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = commandLine;
    if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        id_ = pi.dwProcessId;
    }
}

ChildProcess::~ChildProcess() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool ChildProcess::WaitFor(DWORD ms) { return process_ && WaitForSingleObject(process_, ms) == WAIT_OBJECT_0; }

DWORD ChildProcess::ExitCode() {
    DWORD code = 0;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

StandInPrograms::~StandInPrograms() {
    for (const std::string& file : files_) {
        for (int i = 0; i < 30 && PathExists(file) && !DeleteFileA(file.c_str()); ++i) Sleep(100);
        if (!PathExists(file)) continue;
        // Still running from it: end every process of that name in this prefix, then delete.
        const std::string name = file.substr(file.rfind('\\') + 1);
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
            if (lstrcmpiA(entry.szExeFile, name.c_str()) != 0) continue;
            if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
                TerminateProcess(process, 1);
                WaitForSingleObject(process, 5000);
                CloseHandle(process);
            }
        }
        CloseHandle(snapshot);
        for (int i = 0; i < 30 && !DeleteFileA(file.c_str()); ++i) Sleep(100);
    }
}

namespace {
std::string StartStub(const std::string& log) {
    DeleteFileA(log.c_str());
    return log;
}
}  // namespace

ProgManStub::ProgManStub(const std::string& logPath, int secondsToLive)
    : log_(StartStub(logPath)),
      process_("\"" + BuiltProgram("../tools/PROGSTUB.exe") + "\" \"" + logPath + "\" " + std::to_string(secondsToLive)) {
    for (int i = 0; i < 100 && ReadFile(log_).find("READY") == std::string::npos; ++i) Sleep(50);
}

std::vector<std::string> ProgManStub::Commands() {
    std::vector<std::string> commands;
    std::istringstream in(ReadFile(log_));
    std::string line;
    while (std::getline(in, line))
        if (line != "READY" && line.rfind("SHOW ", 0) != 0) commands.push_back(line);
    return commands;
}

QuietSetupControl::QuietSetupControl() {
    const char* names[] = {"VindrelQuietSetup entry", "VindrelQuietSetup rollback", "VindrelQuietSetup end"};
    for (int i = 0; i < 3; ++i) events_[i] = CreateEventA(nullptr, FALSE, FALSE, names[i]);
}

QuietSetupControl::~QuietSetupControl() {
    Tell(kEnd);
    for (HANDLE e : events_) CloseHandle(e);
}

std::string QuietSetupControl::Command(const std::string& uninstallKey) {
    return BuiltProgram("quietsetup.exe") + " " + uninstallKey;
}

}  // namespace vindrel::test
