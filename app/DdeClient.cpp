#include "app/DdeClient.h"

#include <dde.h>

#include <algorithm>
#include <vector>

#include "services/CDrom.h"

namespace vindrel {
namespace {

// One program window's time to answer the opening, and the whole opening's. A window that does
// not answer in its time costs no more; one asked after the whole time is not asked.
constexpr DWORD kAskMs = 200;
constexpr DWORD kOpenMs = 1000;

const char kClientClass[] = "VindrelDdeClient";

struct AtomTraits {
    static ATOM invalid() { return 0; }
    static void close(ATOM a) { GlobalDeleteAtom(a); }
};
struct WindowTraits {
    static HWND invalid() { return nullptr; }
    static void close(HWND w) { DestroyWindow(w); }
};
using UniqueAtom = UniqueHandle<ATOM, AtomTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;

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

// Dispatches the thread's messages (the client window is the thread's) until the event is set.
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

// The client's side of the conversation, kept by its window (an ANSI one: the command goes as
// ANSI text to every server, which Windows converts for a Unicode one).
struct Conversation {
    HWND server = nullptr;
    bool serverEnded = false;  // the server has said WM_DDE_TERMINATE
    bool answered = false;     // the server has acknowledged the command

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Ack(HWND client, HWND from, LPARAM lp);
};

void Conversation::Ack(HWND client, HWND from, LPARAM lp) {
    if (InSendMessage()) {
        // A server answering the opening: its atoms are ours to delete. The first one is the
        // conversation; any other is ended at once.
        GlobalDeleteAtom(LOWORD(lp));
        GlobalDeleteAtom(HIWORD(lp));
        if (!server) server = from;
        else if (from != server) PostMessageA(from, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(client), 0);
        return;
    }
    // The answer to the command: the command's memory comes back to be freed, taken or not.
    UINT_PTR status = 0, memory = 0;
    if (!UnpackDDElParam(WM_DDE_ACK, lp, &status, &memory)) return;
    FreeDDElParam(WM_DDE_ACK, lp);
    if (from != server) return;
    GlobalFree(reinterpret_cast<HGLOBAL>(memory));
    answered = true;
}

LRESULT CALLBACK Conversation::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Conversation*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    const HWND from = reinterpret_cast<HWND>(wp);
    if (self && msg == WM_DDE_ACK) {
        self->Ack(hwnd, from, lp);
        return 0;
    }
    if (self && msg == WM_DDE_TERMINATE) {
        if (from == self->server) self->serverEnded = true;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// Dispatches the thread's messages until done() or ms have passed.
template <typename Done>
void PumpFor(DWORD ms, Done done) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        const DWORD spent = GetTickCount() - start;
        if (done() || spent >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    }
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

enum class Opening { Answered, NoServer, OutOfTime };

// Asks the top-level windows of the other programs, one after another, until a server answers.
// Each is sent the opening with a time limit and without blocking this thread: the server's
// answer is sent back to the client window while the opening is still being sent. The other
// windows of a thread that did not answer in time are not asked: it reads none of its messages.
Opening Open(HWND client, Conversation& conv, ATOM service, ATOM topic) {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    std::vector<DWORD> silent;
    const DWORD start = GetTickCount();
    for (HWND window : windows) {
        if (conv.server) break;
        const DWORD spent = GetTickCount() - start;
        if (spent >= kOpenMs) return Opening::OutOfTime;
        DWORD process = 0;
        const DWORD thread = GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId()) continue;  // the menu serves no conversation
        if (std::find(silent.begin(), silent.end(), thread) != silent.end()) continue;
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(window, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(client),
                                 MAKELPARAM(service, topic), SMTO_ABORTIFHUNG, std::min(kAskMs, kOpenMs - spent),
                                 &result) &&
            GetLastError() == ERROR_TIMEOUT)
            silent.push_back(thread);
    }
    return conv.server ? Opening::Answered : Opening::NoServer;
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
    void Send(HWND client, Conversation& conv) const;
};

DWORD WINAPI DdeClient::State::Run(void* param) {
    std::shared_ptr<State>* held = static_cast<std::shared_ptr<State>*>(param);
    std::shared_ptr<State> self = *held;
    delete held;
    self->Converse();
    return 0;
}

void DdeClient::State::Converse() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Conversation::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClientClass;
    RegisterClassA(&wc);  // already there from an earlier conversation is as good
    Conversation conv;
    // The atoms live as long as the conversation: a window that takes the opening late still
    // reads the names.
    UniqueAtom serviceAtom(GlobalAddAtomA(service.c_str()));
    UniqueAtom topicAtom(topic.empty() ? 0 : GlobalAddAtomA(topic.c_str()));  // none: any topic
    UniqueWindow client(CreateWindowExA(0, kClientClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleA(nullptr), nullptr));
    if (!client || !serviceAtom) {
        SetEvent(decided.get());
        return;
    }
    SetWindowLongPtrA(client.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&conv));
    // Only where every window was asked and none answered is the server started: one that
    // was not asked in time may be there.
    if (Open(client.get(), conv, serviceAtom.get(), topicAtom.get()) == Opening::NoServer) {
        const std::string program = ServerProgram(service);
        if (!program.empty() && WinExec(("\"" + program + "\" " + topic).c_str(), SW_SHOWMINNOACTIVE) >= 32)
            Open(client.get(), conv, serviceAtom.get(), topicAtom.get());
    }
    InterlockedExchange(&connected, conv.server ? 1 : 0);
    SetEvent(decided.get());
    PumpUntilSet(go.get());
    if (conv.server) Send(client.get(), conv);
}

void DdeClient::State::Send(HWND client, Conversation& conv) const {
    if (send && !conv.serverEnded) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, command.size() + 1);
        if (char* text = memory ? static_cast<char*>(GlobalLock(memory)) : nullptr) {
            std::copy(command.begin(), command.end(), text);
            text[command.size()] = '\0';
            GlobalUnlock(memory);
            // The shell does not wait for the answer; this thread waits for it a short time, so
            // that the command is taken before the conversation ends. Unanswered, the memory is
            // the server's still.
            if (PostMessageA(conv.server, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(client),
                             reinterpret_cast<LPARAM>(memory)))
                PumpFor(kAnswerMs, [&] { return conv.answered || conv.serverEnded; });
            else
                GlobalFree(memory);
        } else if (memory) {
            GlobalFree(memory);
        }
    }
    if (conv.serverEnded) return;
    if (PostMessageA(conv.server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(client), 0))
        PumpFor(kAnswerMs, [&] { return conv.serverEnded; });
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
    // A thread still in the opening (or starting the server) is left to end with the process;
    // one that has opened gets the time to send the command and close.
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
