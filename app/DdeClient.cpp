#include "app/DdeClient.h"

#include <vector>

#include "services/CDrom.h"

namespace vindrel {
namespace {

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

// The server's program in the Windows folder (95 to Me) or the system folder (NT and later),
// by its full path: a bare name would be looked for in the current folder first, the CD.
std::string ServerProgram(const std::string& service) {
    for (const auto folderOf : {GetWindowsDirectoryA, GetSystemDirectoryA}) {
        char folder[MAX_PATH] = {};
        const UINT n = folderOf(folder, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) continue;
        std::string program = std::string(folder) + "\\" + service + ".EXE";
        if (FileExists(program)) return program;
    }
    return {};
}

}  // namespace

DdeClient::DdeClient(const std::string& service, const std::string& topic) {
    if (DdeInitializeA(&instance_, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        instance_ = 0;
        return;
    }
    service_ = DdeCreateStringHandleA(instance_, service.c_str(), CP_WINANSI);
    // An empty text gives no handle: a null topic, which any server's topic answers.
    topic_ = topic.empty() ? nullptr : DdeCreateStringHandleA(instance_, topic.c_str(), CP_WINANSI);
    if (Connect()) return;
    const std::string program = ServerProgram(service);
    if (program.empty()) return;
    const std::string command = "\"" + program + "\" " + topic;
    if (WinExec(command.c_str(), SW_SHOWMINNOACTIVE) >= 32) Connect();
}

DdeClient::~DdeClient() {
    if (!instance_) return;
    if (conv_) DdeDisconnect(conv_);
    if (topic_) DdeFreeStringHandle(instance_, topic_);
    if (service_) DdeFreeStringHandle(instance_, service_);
    DdeUninitialize(instance_);
}

bool DdeClient::Connect() {
    conv_ = DdeConnect(instance_, service_, topic_, nullptr);
    return conv_ != nullptr;
}

void DdeClient::ExecuteAsync(const std::string& command) {
    if (!conv_) return;
    std::vector<BYTE> data(command.begin(), command.end());
    data.push_back(0);
    DWORD result = 0;
    DdeClientTransaction(data.data(), static_cast<DWORD>(data.size()), conv_, nullptr, CF_TEXT, XTYP_EXECUTE,
                         TIMEOUT_ASYNC, &result);
}

}  // namespace vindrel
