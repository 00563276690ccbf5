// The program's one point, size and rectangle, in pixels. A rectangle's right
// and bottom are exclusive, as in a Win32 RECT; the toolkit converts at the
// calls that take or give a RECT or POINT.
#pragma once

namespace base {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr Point TopLeft() const { return {left, top}; }
    constexpr Size Extent() const { return {Width(), Height()}; }
    constexpr bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    // Whether the two share a pixel.
    constexpr bool Meets(const Rect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom &&
               left < right && top < bottom && o.left < o.right && o.top < o.bottom;
    }
    // The same rectangle moved by (dx, dy).
    constexpr Rect Moved(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    bool operator==(const Rect&) const = default;
};

// The rectangle at (left, top) of the given width and height.
constexpr Rect RectAt(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

}  // namespace base
