// The tests' main: GoogleTest with a watchdog. A case that hangs (a wait for a window or a
// process that never comes) would hold its suite until the harness's backstop; the watchdog ends
// the process after VINDREL_CASE_LIMIT seconds (50 by default) in one case, or before the first
// or after the last, and names where it stood. The process ends without running static clean-up,
// which under Wine can wait on windows and threads the tests left behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

class Watchdog : public testing::EmptyTestEventListener {
public:
    explicit Watchdog(std::chrono::seconds limit) : limit_(limit), thread_([this] { Run(); }) {}
    ~Watchdog() override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    void OnTestStart(const testing::TestInfo& info) override {
        Enter(std::string(info.test_suite_name()) + "." + info.name());
    }
    void OnTestEnd(const testing::TestInfo& info) override {
        Enter("the time after " + std::string(info.test_suite_name()) + "." + info.name());
    }

private:
    void Enter(std::string where) {
        std::lock_guard<std::mutex> lock(mutex_);
        where_ = std::move(where);
        since_ = std::chrono::steady_clock::now();
        changed_.notify_all();
    }
    void Run() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!stop_) {
            const auto deadline = since_ + limit_;
            if (changed_.wait_until(lock, deadline) == std::cv_status::timeout && !stop_ &&
                std::chrono::steady_clock::now() >= since_ + limit_) {
                std::fprintf(stdout, "\nHUNG: %s ran %lld s without an end; the tests are ended here.\n", where_.c_str(),
                             static_cast<long long>(limit_.count()));
                std::fflush(stdout);
                TerminateProcess(GetCurrentProcess(), 3);
            }
        }
    }

    const std::chrono::seconds limit_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool stop_ = false;
    std::string where_ = "the start, before the first case";
    std::chrono::steady_clock::time_point since_ = std::chrono::steady_clock::now();
    std::thread thread_;
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const char* limit = std::getenv("VINDREL_CASE_LIMIT");
    auto* watchdog = new Watchdog(std::chrono::seconds(limit && std::atoi(limit) > 0 ? std::atoi(limit) : 50));
    testing::UnitTest::GetInstance()->listeners().Append(watchdog);  // owned by GoogleTest from here
    const int result = RUN_ALL_TESTS();
    std::fflush(stdout);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
