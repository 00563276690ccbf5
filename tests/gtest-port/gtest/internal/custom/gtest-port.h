// GoogleTest's hook for a port's own pieces, found before its empty default.
// The win32 thread model's C++ library has no std::mutex or
// std::condition_variable, on which GoogleTest builds its Notification; this
// one is a Windows event. Only GoogleTest's thread helpers wait on it.
#pragma once

#include <windows.h>

namespace testing::internal {

class Notification {
public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace testing::internal

#define GTEST_HAS_NOTIFICATION_ 1
