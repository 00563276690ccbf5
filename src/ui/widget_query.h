// How other programs (our end-to-end driver among them) read a control that
// has no window, as they read a windowed one through its window text. They
// send its form the registered message kWidgetQueryMessage with their own
// window in wParam and a global atom of the control's name in lParam. The
// form answers 1 and, before it returns, sends the asking window WM_COPYDATA
// with dwData kWidgetStateData and the control's state as text; 0 when it
// has no windowless control of that name. Portable: the text goes both ways.
#pragma once

#include <cstdio>
#include <string>

namespace ui {

inline constexpr const char* kWidgetQueryMessage = "QuilletWidgetQuery";
inline constexpr unsigned long kWidgetStateData = 0x51574454;  // "QWDT"

struct WidgetState {
    bool enabled = false;
    bool visible = false;
    long left = 0, top = 0, right = 0, bottom = 0;  // on the screen
    std::string caption;
};

// "enabled visible left top right bottom" on the first line, the caption after it.
inline std::string FormatWidgetState(const WidgetState& s) {
    char head[96];
    std::snprintf(head, sizeof head, "%d %d %ld %ld %ld %ld\n", s.enabled ? 1 : 0, s.visible ? 1 : 0,
                  s.left, s.top, s.right, s.bottom);
    return head + s.caption;
}

inline bool ParseWidgetState(const std::string& text, WidgetState& s) {
    const std::size_t end = text.find('\n');
    if (end == std::string::npos) return false;
    int enabled = 0, visible = 0;
    if (std::sscanf(text.substr(0, end).c_str(), "%d %d %ld %ld %ld %ld", &enabled, &visible, &s.left,
                    &s.top, &s.right, &s.bottom) != 6) {
        return false;
    }
    s.enabled = enabled != 0;
    s.visible = visible != 0;
    s.caption = text.substr(end + 1);
    return true;
}

}  // namespace ui
