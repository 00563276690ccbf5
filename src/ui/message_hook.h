// A WH_GETMESSAGE hook on the program's own thread, owned by an object: the
// hook watches messages while at least one owner lives and is removed with
// the last. Each owner's callback sees every message taken from the queue.
#pragma once

#include <windows.h>

#include <functional>

namespace ui {

class MessageHook {
public:
    // `removed` is false for a message only peeked at (PM_NOREMOVE).
    using Callback = std::function<void(const MSG& msg, bool removed)>;

    // Installs the thread's hook if it is not there yet; throws when it cannot.
    explicit MessageHook(Callback callback);
    // Removes the hook when this was its last owner.
    ~MessageHook();
    MessageHook(const MessageHook&) = delete;
    MessageHook& operator=(const MessageHook&) = delete;

    // The thread's hook while any owner lives, else null.
    static HHOOK Installed();

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);

    Callback callback_;
};

}  // namespace ui
