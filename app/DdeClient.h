// The shell's conversation with the Program Manager, used once at shutdown for an execute. It is
// held by a thread of its own, and the shell waits for it only so long. The opening asks each
// program's window with a time limit of its own, so a window that does not answer costs only
// that limit: it holds neither the menu's start nor its end, nor keeps the server from hearing.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "services/Handles.h"

namespace vindrel {

class DdeClient {
public:
    // Starts opening the conversation with service/topic (an empty topic: any topic); if every
    // window was asked and no server answered, starts "<service>.EXE <topic>" of the Windows or
    // system folder minimised without activation and asks once more. Returns at once.
    DdeClient(const std::string& service, const std::string& topic);
    // Ends the conversation, waiting for it at most kEndMs.
    ~DdeClient();
    DdeClient(const DdeClient&) = delete;
    DdeClient& operator=(const DdeClient&) = delete;

    // How long the server has to take the command, and again to end the conversation; and the
    // end to wait for the conversation's thread.
    static constexpr DWORD kAnswerMs = 500;
    static constexpr DWORD kEndMs = 1500;

    // Whether a server answered; waits at most waitMs for the opening to be decided. Not opened
    // in that time counts as no conversation.
    bool Connected(DWORD waitMs) const;
    // Hands the command to the conversation, which sends it; returns without waiting for the
    // result. Nothing is sent when no conversation opened.
    void ExecuteAsync(const std::string& command);

    struct State;

private:
    std::shared_ptr<State> state_;  // shared with the thread, which may outlive this object
    UniqueKernelHandle thread_;
};

}  // namespace vindrel
