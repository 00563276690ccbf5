// Placement arithmetic of the toolkit's windows, kept free of Win32 so that
// it is tested on its own.
#pragma once

namespace ui {

// One axis of centring a dialog over its owner: centred, or 20 pixels inside
// the far screen edge when it would stick out there, or 20 pixels from the
// near edge when it would start before it. A dialog larger than the screen
// keeps the far-edge correction and so starts before the screen.
constexpr int CenterOverAxis(int ownerStart, int ownerExtent, int dialogExtent, int screenExtent) {
    int x = ownerStart + (ownerExtent - dialogExtent) / 2;
    if (x + dialogExtent > screenExtent) {
        x = screenExtent - dialogExtent - 20;
    } else if (x < 0) {
        x = 20;
    }
    return x;
}

}  // namespace ui
