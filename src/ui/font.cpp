#include "ui/font.h"

#include <cstdlib>

namespace ui {

Font::Font(std::string name, int height, unsigned style, COLORREF color)
    : name_(std::move(name)), height_(height), style_(style), color_(color) {}

int ScreenPixelsPerInch() {
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return dpi;
}

int Font::Size() const { return MulDiv(std::abs(height_), 72, ScreenPixelsPerInch()); }

HFONT Font::Handle() const {
    if (!handle_) {
        LOGFONTA lf{};
        lf.lfHeight = height_;
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
        lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
        lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
        HFONT font = CreateFontIndirectA(&lf);
        handle_.reset(font, [](HFONT f) {
            if (f) DeleteObject(f);
        });
    }
    return handle_.get();
}

}  // namespace ui
