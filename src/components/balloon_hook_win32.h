// The message hook that hides a balloon shown without a window region once
// the screen under it may have changed (BalloonHookActionFor decides).
#pragma once

namespace quillet {

class TBalloonHintWindow;

// Watches `balloon` from now on, in place of any other; the hook exists only
// while a balloon is watched.
void WatchBalloon(TBalloonHintWindow* balloon);
// Stops watching `balloon`; another watched balloon stays watched.
void UnwatchBalloon(const TBalloonHintWindow* balloon);
const TBalloonHintWindow* WatchedBalloon();

}  // namespace quillet
