// Helpers for the in-process tests under Wine: running the thread's message
// queue, a hidden parent window for controls under test, and checks that
// report the line of the test that called them.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <source_location>
#include <string>

namespace quillet::wintest {

using Where = std::source_location;

// Handles every message that is waiting in this thread's queue (and sent
// messages from other threads), then returns.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Keeps the queue running for about ms milliseconds (timers, posted
// messages and paints get handled meanwhile).
inline void PumpFor(DWORD ms) {
    DWORD start = GetTickCount();
    do {
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
    PumpMessages();
}

// Runs the queue until cond() holds, at most timeoutMs; on time-out adds a
// failure "timed out after N ms waiting for <what>" at the caller's line.
inline bool PumpUntil(const std::function<bool()>& cond, DWORD timeoutMs, const std::string& what,
                      Where where = Where::current()) {
    DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (cond()) return true;
        if (GetTickCount() - start >= timeoutMs) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
        << "timed out after " << timeoutMs << " ms waiting for " << what;
    return false;
}

// A hidden top-level window that lives for the whole test program, to parent
// controls and to own dialogs under test.
inline HWND HiddenParent() {
    static HWND parent = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "QuilletTestParent";
        RegisterClassA(&wc);
        return CreateWindowExA(0, wc.lpszClassName, "Quillet test parent", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                               nullptr, nullptr, wc.hInstance, nullptr);
    }();
    return parent;
}

// The window's text of any length.
inline std::string WindowText(HWND hwnd) {
    int n = GetWindowTextLengthA(hwnd);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(hwnd, s.data(), n + 1)));
    return s;
}

// The window's rectangle in its parent's client coordinates (screen
// coordinates for a top-level window).
inline RECT RectInParent(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    HWND parent = GetAncestor(hwnd, GA_PARENT);
    if (parent && parent != GetDesktopWindow()) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline void ExpectText(HWND hwnd, const std::string& want, Where where = Where::current()) {
    std::string got = WindowText(hwnd);
    if (got != want)
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
            << "window text is \"" << got << "\", expected \"" << want << "\"";
}

// Left, top, width and height of the window in its parent's client area.
inline void ExpectRect(HWND hwnd, int left, int top, int width, int height, Where where = Where::current()) {
    RECT r = RectInParent(hwnd);
    if (r.left != left || r.top != top || r.right - r.left != width || r.bottom - r.top != height)
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
            << "rectangle (left, top, width, height) is (" << r.left << ", " << r.top << ", " << r.right - r.left
            << ", " << r.bottom - r.top << "), expected (" << left << ", " << top << ", " << width << ", " << height
            << ")";
}

// Width and height of the window's client area.
inline void ExpectClientSize(HWND hwnd, int width, int height, Where where = Where::current()) {
    RECT r{};
    GetClientRect(hwnd, &r);
    if (r.right != width || r.bottom != height)
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
            << "client size is " << r.right << " x " << r.bottom << ", expected " << width << " x " << height;
}

inline void ExpectEnabled(HWND hwnd, bool want, Where where = Where::current()) {
    if ((IsWindowEnabled(hwnd) != FALSE) != want)
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
            << "window is " << (want ? "disabled" : "enabled") << ", expected " << (want ? "enabled" : "disabled");
}

inline void ExpectVisible(HWND hwnd, bool want, Where where = Where::current()) {
    if ((IsWindowVisible(hwnd) != FALSE) != want)
        ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line()))
            << "window is " << (want ? "hidden" : "visible") << ", expected " << (want ? "visible" : "hidden");
}

}  // namespace quillet::wintest
