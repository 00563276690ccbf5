// Effect label benchmark: the time of one paint of the quick-help window's
// caption, and of a 400 x 120 label with both real passes and a vertical
// face gradient, each painted onto a memory image many times. Prints the
// figures; judges nothing.
//
//   label_bench.exe [paints]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "components/label_effect_win32.h"
#include "dialogs/quick_help.h"
#include "ui/gdi.h"

namespace {

struct Figures {
    double min, median, max;
};

Figures TimePaints(const quillet::TLabelEffect& label, int paints) {
    ui::MemoryImage surface(label.Width(), label.Height());
    surface.Fill(base::clBtnFace);
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    std::vector<double> times;
    for (int i = 0; i < paints; ++i) {
        QueryPerformanceCounter(&t0);
        quillet::PaintLabelEffect(label, surface.DC());
        GdiFlush();
        QueryPerformanceCounter(&t1);
        times.push_back(1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) /
                        static_cast<double>(freq.QuadPart));
    }
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2], times.back()};
}

void Print(const char* what, const Figures& f, int paints) {
    std::printf("%-34s min %.2f  median %.2f  max %.2f ms  (%d paints)\n", what, f.min, f.median,
                f.max, paints);
}

}  // namespace

int main(int argc, char** argv) {
    const int paints = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    quillet::TLabelEffect caption;
    quillet::DesignQuickHelpCaption(caption);
    caption.SetBounds(0, 0, 160, 293);  // LabelEffect1's size
    Print("quick-help caption (160 x 293):", TimePaints(caption, paints), paints);

    quillet::TLabelEffect large;
    large.SetBounds(0, 0, 400, 120);
    large.SetCaption("Quillet");
    large.SetFont(base::MakeFont("Arial", -72, base::fsBold, base::clNavy));
    large.SetDepthShadow(4);
    large.SetStyleShadow(quillet::eoReal);
    large.SetStyleHighlight(quillet::eoReal);
    large.SetGraduateFace(quillet::goVertical);
    large.SetGraduateFrom(base::clAqua);
    Print("400 x 120, real passes, gradient:", TimePaints(large, paints), paints);
    return 0;
}
