#include "components/balloon_hook_win32.h"

#include <memory>

#include "components/balloon_win32.h"
#include "ui/message_hook.h"

namespace quillet {
namespace {

// At most one hook, and only while the balloon it watches is shown.
struct BalloonHook {
    std::unique_ptr<ui::MessageHook> hook;
    TBalloonHintWindow* watched = nullptr;
    bool firstMouseMoveSeen = false;
};

BalloonHook& Hook() {
    static BalloonHook hook;
    return hook;
}

bool RepaintMeets(HWND window, HWND balloon) {
    RECT update;
    if (!GetUpdateRect(window, &update, FALSE)) return false;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&update), 2);
    RECT shown, common;
    GetWindowRect(balloon, &shown);
    return IntersectRect(&common, &update, &shown) != FALSE;
}

// A captureless function: cancelling destroys the watched window, and with
// it the hook owner whose callback this is, so nothing of either is used
// after the cancel.
void BalloonHookProc(const MSG& msg, bool removed) {
    BalloonHook& h = Hook();
    // A message only peeked at is seen again when it is taken.
    if (!removed || !h.watched) return;
    HWND balloon = h.watched->Handle();
    switch (BalloonHookActionFor(msg.message, h.firstMouseMoveSeen, msg.hwnd == balloon,
                                 h.watched->Settings().Behavior())) {
    case BalloonHookAction::None:
        return;
    case BalloonHookAction::NoteFirstMouseMove:
        h.firstMouseMoveSeen = true;
        return;
    case BalloonHookAction::CancelIfRepaintMeetsBalloon:
        if (!RepaintMeets(msg.hwnd, balloon)) return;
        break;
    case BalloonHookAction::CancelHint:
        break;
    }
    ui::Application::Get().CancelHint();
    // A balloon that the application does not show itself goes all the same.
    if (IsWindow(balloon) && IsWindowVisible(balloon)) ShowWindow(balloon, SW_HIDE);
}

}  // namespace

void WatchBalloon(TBalloonHintWindow* balloon) {
    BalloonHook& h = Hook();
    if (!h.hook) h.hook = std::make_unique<ui::MessageHook>(&BalloonHookProc);
    h.watched = balloon;
    h.firstMouseMoveSeen = false;
}

void UnwatchBalloon(const TBalloonHintWindow* balloon) {
    BalloonHook& h = Hook();
    if (h.watched != balloon) return;  // another balloon is watched now
    h.watched = nullptr;
    h.hook.reset();
}

const TBalloonHintWindow* WatchedBalloon() { return Hook().watched; }

}  // namespace quillet
