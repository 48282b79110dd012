#include "app/DdeClient.h"

#include <ddeml.h>

#include <cstring>
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

// Dispatches the thread's messages (the conversation's windows are the thread's) until the
// event is set.
void PumpUntilSet(HANDLE event) {
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        if (MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0) return;
    }
}

// Waits for the handle at most ms, answering the messages other threads send meanwhile: the
// opening asks every window, this thread's too.
bool WaitAnswering(HANDLE handle, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - start;
        const DWORD got = MsgWaitForMultipleObjects(1, &handle, FALSE, spent >= ms ? 0 : ms - spent, QS_SENDMESSAGE);
        if (got == WAIT_OBJECT_0) return true;
        if (got != WAIT_OBJECT_0 + 1) return false;
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

// What the conversation's thread and the shell share; the thread keeps it alive after the shell
// has given up waiting for it.
struct DdeClient::State {
    std::string service, topic, command;
    UniqueKernelHandle decided{CreateEventA(nullptr, TRUE, FALSE, nullptr)};  // opened, or known not to
    UniqueKernelHandle go{CreateEventA(nullptr, TRUE, FALSE, nullptr)};       // send the command, or end
    volatile LONG send = 0;
    volatile LONG connected = 0;

    static DWORD WINAPI Run(void* param);
    void Converse();
};

DWORD WINAPI DdeClient::State::Run(void* param) {
    std::shared_ptr<State>* held = static_cast<std::shared_ptr<State>*>(param);
    std::shared_ptr<State> self = *held;
    delete held;
    self->Converse();
    return 0;
}

void DdeClient::State::Converse() {
    DWORD instance = 0;
    if (DdeInitializeA(&instance, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        SetEvent(decided.get());
        return;
    }
    HSZ serviceName = DdeCreateStringHandleA(instance, service.c_str(), CP_WINANSI);
    // An empty text gives no handle: a null topic, which any server's topic answers.
    HSZ topicName = topic.empty() ? nullptr : DdeCreateStringHandleA(instance, topic.c_str(), CP_WINANSI);
    HCONV conv = DdeConnect(instance, serviceName, topicName, nullptr);
    if (!conv) {
        const std::string program = ServerProgram(service);
        if (!program.empty() && WinExec(("\"" + program + "\" " + topic).c_str(), SW_SHOWMINNOACTIVE) >= 32)
            conv = DdeConnect(instance, serviceName, topicName, nullptr);
    }
    InterlockedExchange(&connected, conv ? 1 : 0);
    SetEvent(decided.get());
    PumpUntilSet(go.get());
    if (conv && send) {
        std::vector<BYTE> data(command.begin(), command.end());
        data.push_back(0);
        DWORD result = 0;
        // The shell does not wait for the result; this thread waits for it a short time, so that
        // the command is taken before the conversation ends.
        DdeClientTransaction(data.data(), static_cast<DWORD>(data.size()), conv, nullptr, CF_TEXT, XTYP_EXECUTE,
                             kAnswerMs * 2, &result);
    }
    if (conv) DdeDisconnect(conv);
    if (topicName) DdeFreeStringHandle(instance, topicName);
    if (serviceName) DdeFreeStringHandle(instance, serviceName);
    DdeUninitialize(instance);
}

DdeClient::DdeClient(const std::string& service, const std::string& topic) : state_(std::make_shared<State>()) {
    state_->service = service;
    state_->topic = topic;
    auto* held = new std::shared_ptr<State>(state_);
    thread_.reset(CreateThread(nullptr, 0, State::Run, held, 0, nullptr));
    if (!thread_) {
        delete held;
        SetEvent(state_->decided.get());
    }
}

DdeClient::~DdeClient() {
    SetEvent(state_->go.get());
    // A thread still held in the opening by a window that does not answer is left to end with
    // the process; one that has opened gets the time to send the command and close.
    if (thread_ && WaitForSingleObject(state_->decided.get(), 0) == WAIT_OBJECT_0)
        WaitAnswering(thread_.get(), kEndMs);
}

bool DdeClient::Connected(DWORD waitMs) const {
    return WaitAnswering(state_->decided.get(), waitMs) && state_->connected;
}

void DdeClient::ExecuteAsync(const std::string& command) {
    if (!Connected(0) || WaitForSingleObject(state_->go.get(), 0) == WAIT_OBJECT_0) return;
    state_->command = command;
    InterlockedExchange(&state_->send, 1);
    SetEvent(state_->go.get());
}

}  // namespace vindrel
