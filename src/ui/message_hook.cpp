#include "ui/message_hook.h"

#include <algorithm>
#include <vector>

#include "base/error.h"
#include "ui/window.h"

namespace ui {

namespace {

// The one hook of the thread and the owners it serves.
struct HookState {
    HHOOK hook = nullptr;
    std::vector<MessageHook*> owners;
};

HookState& State() {
    static HookState state;
    return state;
}

}  // namespace

MessageHook::MessageHook(Callback callback) : callback_(std::move(callback)) {
    HookState& state = State();
    if (!state.hook) {
        state.hook = SetWindowsHookExA(WH_GETMESSAGE, HookProc, nullptr, GetCurrentThreadId());
        if (!state.hook) throw base::Error("Cannot install a message hook");
    }
    state.owners.push_back(this);
}

MessageHook::~MessageHook() {
    HookState& state = State();
    state.owners.erase(std::remove(state.owners.begin(), state.owners.end(), this),
                       state.owners.end());
    if (state.owners.empty() && state.hook) {
        UnhookWindowsHookEx(state.hook);
        state.hook = nullptr;
    }
}

HHOOK MessageHook::Installed() { return State().hook; }

LRESULT CALLBACK MessageHook::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    HookState& state = State();
    HHOOK hook = state.hook;
    if (code == HC_ACTION) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        // A callback may end its own owner (or another): walk a copy and skip
        // owners that have gone meanwhile.
        const std::vector<MessageHook*> owners = state.owners;
        for (MessageHook* owner : owners) {
            if (std::find(state.owners.begin(), state.owners.end(), owner) == state.owners.end()) continue;
            if (owner->callback_) RunGuarded([&] { owner->callback_(msg, wParam == PM_REMOVE); });
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace ui
