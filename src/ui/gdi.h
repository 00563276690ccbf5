// Drawing support: painting scopes, selection and state guards, colours
// resolved for drawing, and memory images with direct pixel access.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/color.h"
#include "base/geometry.h"
#include "ui/geometry.h"
#include "ui/handles.h"

namespace ui {

// The colour to draw with: a system colour is looked up now, the default is
// the window text colour, a plain one is its three low bytes.
COLORREF ResolveColor(base::TColor color);

// BeginPaint and EndPaint around a scope, so that an exception thrown while
// painting still ends the paint.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    ~PaintScope() { EndPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC DC() const { return dc_; }
    base::Rect Update() const { return FromRECT(ps_.rcPaint); }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectGuard() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Saves a device context's state (clipping, origin, selections) and restores it.
class DcStateGuard {
public:
    explicit DcStateGuard(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~DcStateGuard() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    DcStateGuard(const DcStateGuard&) = delete;
    DcStateGuard& operator=(const DcStateGuard&) = delete;

private:
    HDC dc_;
    int saved_;
};

// A copy of `icon` at `size`, or none when the icon has that size already
// (or cannot be copied). The copy comes from the icon's resource where it
// has one, so that a picture made for that size is taken; else the icon is
// stretched.
OwnedIcon IconCopyAtSize(HICON icon, base::Size size);

// A 32-bit top-down DIB section with a memory DC of its own. Pixels are
// 0x00RRGGBB words, row after row; Pixels() flushes GDI first, so what was
// drawn is there. A font, brush or pen selected through it is deselected
// when the image is released; the caller keeps owning those objects.
class MemoryImage {
public:
    // Throws when the image cannot be made.
    MemoryImage(int width, int height);
    ~MemoryImage();
    MemoryImage(const MemoryImage&) = delete;
    MemoryImage& operator=(const MemoryImage&) = delete;

    HDC DC() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    std::uint32_t* Pixels();
    int Stride() const { return width_; }  // in pixels
    std::uint32_t Pixel(int x, int y);
    // Every pixel in one colour (a plain one; a system colour is resolved).
    void Fill(base::TColor color);

    void UseFont(HFONT font);
    void UseBrush(HBRUSH brush);
    void UsePen(HPEN pen);

private:
    void Select(HGDIOBJ object, HGDIOBJ& original);

    int width_, height_;
    // The DC is declared first, so that it outlives its bitmap.
    MemoryDC memory_;
    HDC dc_ = nullptr;
    GdiObject<HBITMAP> bitmap_;
    void* bits_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HGDIOBJ oldFont_ = nullptr, oldBrush_ = nullptr, oldPen_ = nullptr;
};

}  // namespace ui
