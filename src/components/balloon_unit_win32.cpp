// The balloon unit's process-wide drawing objects.
#include "components/balloon_win32.h"

#include <map>

#include "ui/font.h"

namespace quillet {
namespace {

struct UnitObjects {
    std::map<int, ui::Font> defaultFonts;  // by DPI
    ui::GdiObject<HBITMAP> shadowPattern;
    ui::GdiObject<HBRUSH> shadowBrush;  // the pattern as a brush, made with it
};

// Freed by the static's destructor when the program ends.
UnitObjects& Unit() {
    static UnitObjects unit;
    return unit;
}

ui::GdiObject<HBITMAP> MakeShadowPattern() {
    const ui::WindowDC screen;
    ui::GdiObject<HBITMAP> pattern(CreateCompatibleBitmap(screen.Get(), 8, 8));
    const ui::MemoryDC memory(CreateCompatibleDC(screen.Get()));
    if (pattern && memory) {
        const HDC dc = memory.Get();
        ui::SelectGuard select(dc, pattern.Get());
        PatBlt(dc, 0, 0, 8, 8, WHITENESS);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if ((x + y) % 2 == 0) SetPixel(dc, x, y, RGB(0, 0, 0));
    }
    return pattern;
}

// "MS Sans Serif" 8 pt at `dpi`, every other field of the font its default.
HFONT DefaultFontAt(int dpi) {
    const auto made = Unit().defaultFonts.try_emplace(
        dpi, base::MakeFont("MS Sans Serif", base::PointsToHeight(8, dpi)));
    return made.first->second.Handle();
}

}  // namespace

void InitBalloonUnit() {
    UnitObjects& unit = Unit();
    DefaultFontAt(ui::ScreenPixelsPerInch());
    if (!unit.shadowPattern) {
        unit.shadowPattern = MakeShadowPattern();
        unit.shadowBrush.Reset(CreatePatternBrush(unit.shadowPattern.Get()));
    }
}

HFONT BalloonDefaultHintFont(int dpi) {
    InitBalloonUnit();
    return DefaultFontAt(dpi);
}

HBITMAP BalloonShadowPattern() {
    InitBalloonUnit();
    return Unit().shadowPattern.Get();
}

HBRUSH BalloonShadowBrush() {
    InitBalloonUnit();
    return Unit().shadowBrush.Get();
}

}  // namespace quillet
