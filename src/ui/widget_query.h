// How other programs (our end-to-end driver among them) read a control that
// has no window, as they read a windowed one through its window text. They
// send its form the registered message kWidgetQueryMessage with their own
// window in wParam and a global atom of the control's name in lParam. The
// form answers 1 and, before it returns, sends the asking window WM_COPYDATA
// with dwData kWidgetStateData and the control's state as text; 0 when it
// has no windowless control of that name. Portable: the text goes both ways.
#pragma once

#include <cstdlib>
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
    std::string text = s.enabled ? "1 " : "0 ";
    text += s.visible ? "1" : "0";
    for (long v : {s.left, s.top, s.right, s.bottom}) text += " " + std::to_string(v);
    return text + "\n" + s.caption;
}

inline bool ParseWidgetState(const std::string& text, WidgetState& s) {
    const std::size_t end = text.find('\n');
    if (end == std::string::npos) return false;
    const std::string head = text.substr(0, end);
    long values[6];
    const char* p = head.c_str();
    for (long& v : values) {
        char* next = nullptr;
        v = std::strtol(p, &next, 10);
        if (next == p) return false;
        p = next;
    }
    s.enabled = values[0] != 0;
    s.visible = values[1] != 0;
    s.left = values[2], s.top = values[3], s.right = values[4], s.bottom = values[5];
    s.caption = text.substr(end + 1);
    return true;
}

}  // namespace ui
