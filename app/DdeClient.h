// The shell's conversation with the Program Manager: opened when the shell is created, used once
// at shutdown for an asynchronous execute, silent when no server answers.
#pragma once
#include <windows.h>
#include <ddeml.h>
#include <string>

namespace vindrel {

class DdeClient {
public:
    // Connects to service/topic (an empty topic connects to any topic); if nothing answers,
    // starts "<service>.EXE <topic>" of the Windows or system folder minimised without
    // activation and tries once more.
    DdeClient(const std::string& service, const std::string& topic);
    ~DdeClient();
    DdeClient(const DdeClient&) = delete;
    DdeClient& operator=(const DdeClient&) = delete;

    bool Connected() const { return conv_ != nullptr; }
    // Sends an execute command without waiting for its result; does nothing when not connected.
    void ExecuteAsync(const std::string& command);

private:
    bool Connect();

    DWORD instance_ = 0;
    HSZ service_ = nullptr;
    HSZ topic_ = nullptr;
    HCONV conv_ = nullptr;
};

}  // namespace vindrel
