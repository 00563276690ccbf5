// Balloon hint benchmark: one ActivateHint plus the paint it causes, for a
// three-line hint with the shaded shadow, as the application shows each hint.
// In the same run, in turns with it, the system's own balloon tooltip (common
// controls 6, TTS_BALLOON, a tracking tool) shows the same text at the same
// point. Whatever else loads the machine slows both alike, so the ratio of
// their medians holds steadier than either time. Prints the figures; judges
// nothing.
//
//   balloon_bench.exe [runs]

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "components/balloon_win32.h"

namespace {

const char* const kHint =
    "Unit directories are where your .DCU files (or unbuilt .PAS files) are located. "
    "Lists are semicolon-separated.";
const int kMaxWidth = 260;

void DispatchPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Milliseconds that `show` takes; what it shows is hidden again afterwards.
template <class Show, class Hide>
double Time(Show&& show, Hide&& hide) {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    show();
    QueryPerformanceCounter(&t1);
    hide();
    DispatchPending();
    return 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(frequency);
}

struct Figures {
    std::vector<double> ms;
    double Median() {
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    }
    void Print(int runs) {
        const double median = Median();
        std::printf("  median %.3f ms, fastest %.3f ms, slowest %.3f ms over %d runs\n", median,
                    ms.front(), ms.back(), runs);
    }
};

// The system's balloon tooltip, its stem at `at`. No fading or sliding, which
// would stretch a showing over timer ticks; the balloon has none either.
class SystemBalloon {
public:
    explicit SystemBalloon(POINT at) : at_(at) {
        owner_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP | TTS_NOANIMATE |
                                   TTS_NOFADE,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
        tool_.cbSize = sizeof tool_;
        tool_.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        tool_.hwnd = owner_;
        tool_.uId = 1;
        tool_.lpszText = const_cast<char*>(kHint);
        SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool_));
        SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, kMaxWidth);
    }
    ~SystemBalloon() {
        DestroyWindow(tip_);
        DestroyWindow(owner_);
    }
    SystemBalloon(const SystemBalloon&) = delete;
    SystemBalloon& operator=(const SystemBalloon&) = delete;

    HWND Handle() const { return tip_; }
    // The tooltip measures its text again at every showing, as the balloon does.
    void Show() {
        SendMessageA(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(at_.x, at_.y));
        SendMessageA(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool_));
        UpdateWindow(tip_);
    }
    void Hide() { SendMessageA(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool_)); }

    // Which common controls the manifest brought: version 6 lives side by
    // side (in WinSxS), version 5 in the system folder.
    static const char* CommonControls() {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, MAX_PATH);
        CharLowerA(path);
        return std::strstr(path, "\\winsxs\\") ? "common controls 6" : "common controls 5";
    }
    // The lines the text takes in the tooltip's font, wrapped as it wraps them.
    int Lines() const {
        HDC dc = GetDC(tip_);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(tip_, WM_GETFONT, 0, 0)));
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        RECT r{0, 0, kMaxWidth, 0};
        DrawTextA(dc, kHint, -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
        ReleaseDC(tip_, dc);
        return static_cast<int>(r.bottom / std::max(1L, tm.tmHeight));
    }

private:
    POINT at_;
    HWND owner_ = nullptr;
    HWND tip_ = nullptr;
    TTTOOLINFOA tool_{};
};

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    ui::Application::Get().Initialize(GetModuleHandleA(nullptr));
    quillet::InitBalloonUnit();
    quillet::TBalloonHint settings(quillet::BalloonApp());  // shaded shadow, 8 deep
    settings.SetMaxWidth(kMaxWidth);
    SetCursorPos(400, 300);
    POINT pointer{};
    GetCursorPos(&pointer);

    quillet::TBalloonHintWindow balloon;
    SystemBalloon tooltip(pointer);
    Figures ours, system;
    auto showBalloon = [&] {
        balloon.ActivateHint({}, kHint, nullptr);
        UpdateWindow(balloon.Handle());
    };
    auto hideBalloon = [&] { ShowWindow(balloon.Handle(), SW_HIDE); };
    auto showTooltip = [&] { tooltip.Show(); };
    auto hideTooltip = [&] { tooltip.Hide(); };
    for (int i = 0; i < runs; ++i) {
        // Each goes first in every other round, so that neither always
        // follows the other's work.
        if (i % 2 == 0) {
            ours.ms.push_back(Time(showBalloon, hideBalloon));
            system.ms.push_back(Time(showTooltip, hideTooltip));
        } else {
            system.ms.push_back(Time(showTooltip, hideTooltip));
            ours.ms.push_back(Time(showBalloon, hideBalloon));
        }
    }

    TEXTMETRICA tm{};
    HDC dc = GetDC(nullptr);
    SelectObject(dc, balloon.CanvasFont());
    GetTextMetricsA(dc, &tm);
    ReleaseDC(nullptr, dc);
    const base::Size size = balloon.Size();
    std::printf("balloon hint: ActivateHint + paint, %d x %d window, %d lines, shaded shadow 8\n",
                size.width, size.height, static_cast<int>((size.height - 38 - 8) / std::max(1L, tm.tmHeight)));
    ours.Print(runs);

    tooltip.Show();
    RECT tipRect{};
    GetWindowRect(tooltip.Handle(), &tipRect);
    tooltip.Hide();
    std::printf("system balloon tooltip: TTM_TRACKACTIVATE + paint, %ld x %ld window, %d lines, %s\n",
                tipRect.right - tipRect.left, tipRect.bottom - tipRect.top, tooltip.Lines(),
                SystemBalloon::CommonControls());
    system.Print(runs);
    std::printf("balloon vs system balloon tooltip: ratio %.2f\n", ours.Median() / system.Median());
    return 0;
}
