// Start-up benchmark: starts quillet.exe and the bare window program beside
// it (bare_window.exe) in turns, measures how long each takes until its main
// window is visible and it waits for input, and how much memory the process
// uses then, and closes it again. Prints the figures beside the limits they are held to; judges
// nothing.
//
//   startup_bench.exe [path\to\quillet.exe [path\to\bare_window.exe [runs]]]

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr unsigned long kSizeLimitKiB = 400;
constexpr double kStartupRatioLimit = 1.15;

struct Program {
    std::string exe;
    const char* windowClass;
    std::vector<double> times;  // ms from CreateProcess to the started main window
    SIZE_T peakWorkingSet = 0;
};

struct FindData {
    DWORD pid;
    const char* windowClass;
    HWND found;
};

HWND MainWindowOf(DWORD pid, const char* windowClass) {
    FindData data{pid, windowClass, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM param) WINAPI -> BOOL {
            auto* d = reinterpret_cast<FindData*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner != d->pid || !IsWindowVisible(hwnd)) return TRUE;
            char cls[32] = {};
            GetClassNameA(hwnd, cls, sizeof cls);
            if (lstrcmpA(cls, d->windowClass) != 0) return TRUE;
            d->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&data));
    return data.found;
}

std::string BesideThisProgram(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.rfind('\\') + 1) + name;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(freq.QuadPart);
}

// One start of the program; `record` false for the warm-up start.
bool StartOnce(Program& program, bool record) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + program.exe + "\"";
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(program.exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &pi)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", program.exe.c_str(), GetLastError());
        return false;
    }
    // Started means: the main window is up and the program waits for input.
    // Waiting for the first idle moment asks nothing of Wine meanwhile; asking
    // for the window list every millisecond would slow down the very start
    // that is measured. A program that waits for input before its window shows
    // is polled for the window after that.
    WaitForInputIdle(pi.hProcess, 15000);
    HWND main = nullptr;
    for (int wait = 0; wait < 15000 && !main; ++wait) {
        main = MainWindowOf(pi.dwProcessId, program.windowClass);
        if (!main) Sleep(1);
    }
    QueryPerformanceCounter(&t1);
    bool ok = main != nullptr;
    if (ok) {
        if (record) program.times.push_back(Milliseconds(t0, t1));
        PROCESS_MEMORY_COUNTERS pmc{};
        pmc.cb = sizeof pmc;
        if (record && GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc)) {
            program.peakWorkingSet = std::max(program.peakWorkingSet, pmc.PeakWorkingSetSize);
        }
        PostMessageA(main, WM_CLOSE, 0, 0);
    } else {
        std::fprintf(stderr, "%s showed no %s window within 15 s\n", program.exe.c_str(),
                     program.windowClass);
    }
    if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ok;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Whether the middle half of the times spreads wider than a quarter of its
// lower end. Then other work on the machine took turns with the starts, and
// it slows the program that does more work more: the ratio is not to be
// trusted.
bool Disturbed(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const double lower = v[(v.size() - 1) / 4];
    const double upper = v[(v.size() - 1) * 3 / 4];
    return upper > 1.25 * lower;
}

unsigned long FileKiB(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA attrs{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attrs)) return 0;
    return static_cast<unsigned long>((attrs.nFileSizeLow + 1023) / 1024);
}

void PrintTimes(const char* label, const Program& p) {
    const auto [lo, hi] = std::minmax_element(p.times.begin(), p.times.end());
    std::printf("  %-22s median %6.1f   min %6.1f   max %6.1f\n", label, Median(p.times), *lo, *hi);
}

}  // namespace

int main(int argc, char** argv) {
    Program quillet{argc > 1 ? argv[1] : BesideThisProgram("quillet.exe"), "TCFGFace", {}};
    Program bare{argc > 2 ? argv[2] : BesideThisProgram("bare_window.exe"), "BareWindow", {}};
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 31;

    // One start of each first, unrecorded: it pulls the files into the cache
    // and starts Wine's helper processes. Then the two take turns, each going
    // first every other round, so that neither always follows the other.
    if (!StartOnce(quillet, false) || !StartOnce(bare, false)) return 1;
    for (int i = 0; i < runs; ++i) {
        Program& first = i % 2 ? bare : quillet;
        Program& second = i % 2 ? quillet : bare;
        if (!StartOnce(first, true) || !StartOnce(second, true)) return 1;
    }

    const double ratio = Median(quillet.times) / Median(bare.times);
    std::printf("quillet.exe size:             %lu KiB   (at most %lu KiB)\n", FileKiB(quillet.exe),
                kSizeLimitKiB);
    std::printf("start to main window (ms), %d runs each, interleaved:\n", runs);
    PrintTimes("quillet.exe", quillet);
    PrintTimes("bare_window.exe", bare);
    std::printf("start-up ratio (medians):     %.2f   (at most %.2f)\n", ratio, kStartupRatioLimit);
    if (Disturbed(quillet.times) || Disturbed(bare.times)) {
        std::printf("  note: the start times vary widely; the machine was busy with other work.\n"
                    "        Run again when it is idle before trusting the ratio.\n");
    }
    std::printf("peak working set:             quillet.exe %lu KiB, bare_window.exe %lu KiB\n",
                static_cast<unsigned long>(quillet.peakWorkingSet / 1024),
                static_cast<unsigned long>(bare.peakWorkingSet / 1024));
    return 0;
}
