#include "ui/gdi.h"

#include <string>

#include "base/error.h"

namespace ui {

COLORREF ResolveColor(base::TColor color) {
    if (color == base::kColorDefault) return GetSysColor(COLOR_WINDOWTEXT);
    if (base::IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0xFFFFFF;
}

OwnedIcon IconCopyAtSize(HICON icon, base::Size size) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return OwnedIcon();
    // GetIconInfo hands over copies of the icon's bitmaps.
    const GdiObject<HBITMAP> color(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectA(color ? color.Get() : mask.Get(), sizeof bitmap, &bitmap);
    const int height = color ? bitmap.bmHeight : bitmap.bmHeight / 2;
    if (bitmap.bmWidth == size.width && height == size.height) return OwnedIcon();
    OwnedIcon copy(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, size.width, size.height, LR_COPYFROMRESOURCE)));
    if (!copy) copy.Reset(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, size.width, size.height, 0)));
    return copy;
}

MemoryImage::MemoryImage(int width, int height) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) {
        throw base::Error("Invalid image size " + std::to_string(width) + " x " +
                                 std::to_string(height));
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    memory_.Reset(CreateCompatibleDC(nullptr));
    dc_ = memory_.Get();
    if (dc_) bitmap_.Reset(CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (!dc_ || !bitmap_ || !bits_) throw base::Error("Out of system resources");
    oldBitmap_ = SelectObject(dc_, bitmap_.Get());
}

MemoryImage::~MemoryImage() {
    if (oldFont_) SelectObject(dc_, oldFont_);
    if (oldBrush_) SelectObject(dc_, oldBrush_);
    if (oldPen_) SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBitmap_);
}

std::uint32_t* MemoryImage::Pixels() {
    GdiFlush();
    return static_cast<std::uint32_t*>(bits_);
}

std::uint32_t MemoryImage::Pixel(int x, int y) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return Pixels()[static_cast<std::size_t>(y) * Stride() + x] & 0xFFFFFF;
}

void MemoryImage::Fill(base::TColor color) {
    const COLORREF c = ResolveColor(color);
    const std::uint32_t pixel = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    std::uint32_t* p = Pixels();
    for (std::size_t i = 0, n = static_cast<std::size_t>(width_) * height_; i < n; ++i) p[i] = pixel;
}

void MemoryImage::Select(HGDIOBJ object, HGDIOBJ& original) {
    HGDIOBJ previous = SelectObject(dc_, object);
    if (!original) original = previous;
}

void MemoryImage::UseFont(HFONT font) { Select(font, oldFont_); }
void MemoryImage::UseBrush(HBRUSH brush) { Select(brush, oldBrush_); }
void MemoryImage::UsePen(HPEN pen) { Select(pen, oldPen_); }

}  // namespace ui
