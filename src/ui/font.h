// A logical font: face, height and style, with the GDI font made on demand.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace ui {

// Colour meaning "whatever the control normally uses".
inline constexpr COLORREF kColorDefault = 0xFF000000;

// Pixels per logical inch of the screen (96 unless the system says otherwise).
int ScreenPixelsPerInch();

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class Font {
public:
    Font() = default;
    // `height` follows LOGFONT: negative for a character height in pixels.
    Font(std::string name, int height, unsigned style = 0, COLORREF color = kColorDefault);

    const std::string& Name() const { return name_; }
    int Height() const { return height_; }
    unsigned Style() const { return style_; }
    COLORREF Color() const { return color_; }
    // Point size at the screen's resolution, rounded the usual way.
    int Size() const;

    // The GDI font; shared by copies and released with the last of them.
    HFONT Handle() const;

private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    unsigned style_ = 0;
    COLORREF color_ = kColorDefault;
    mutable std::shared_ptr<std::remove_pointer_t<HFONT>> handle_;
};

}  // namespace ui
