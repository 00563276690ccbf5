// Balloon hint benchmark: one ActivateHint plus the paint it causes, for a
// three-line hint with the shaded shadow, as the application shows each hint.
// Prints the figures; judges nothing.
//
//   balloon_bench.exe [runs]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "components/balloon_win32.h"

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    ui::Application::Get().Initialize(GetModuleHandleA(nullptr));
    quillet::InitBalloonUnit();
    quillet::TBalloonHint settings(quillet::BalloonApp());  // shaded shadow, 8 deep
    settings.SetMaxWidth(260);
    const char* const hint =
        "Unit directories are where your .DCU files (or unbuilt .PAS files) are located. "
        "Lists are semicolon-separated.";
    SetCursorPos(400, 300);

    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    std::vector<double> ms;
    quillet::TBalloonHintWindow balloon;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        balloon.ActivateHint({}, hint, nullptr);
        UpdateWindow(balloon.Handle());
        QueryPerformanceCounter(&t1);
        ms.push_back(1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) /
                     static_cast<double>(freq.QuadPart));
        ShowWindow(balloon.Handle(), SW_HIDE);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    std::sort(ms.begin(), ms.end());
    TEXTMETRICA tm{};
    HDC dc = GetDC(nullptr);
    SelectObject(dc, balloon.CanvasFont());
    GetTextMetricsA(dc, &tm);
    ReleaseDC(nullptr, dc);
    const base::Size size = balloon.Size();
    std::printf("balloon hint: ActivateHint + paint, %d x %d window, %d lines, shaded shadow 8\n",
                size.width, size.height, static_cast<int>((size.height - 38 - 8) / std::max(1L, tm.tmHeight)));
    std::printf("  median %.3f ms, fastest %.3f ms, slowest %.3f ms over %d runs\n",
                ms[ms.size() / 2], ms.front(), ms.back(), runs);
    return 0;
}
