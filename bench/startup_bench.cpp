// Start-up benchmark: starts quillet.exe several times, measures how long it
// takes until the main window is shown and how much memory the process uses
// then, and closes it again. Prints the figures; judges nothing.
//
//   startup_bench.exe [path\to\quillet.exe] [runs]

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct FindData {
    DWORD pid;
    HWND found;
};

HWND MainWindowOf(DWORD pid) {
    FindData data{pid, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM param) WINAPI -> BOOL {
            auto* d = reinterpret_cast<FindData*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            char cls[32] = {};
            GetClassNameA(hwnd, cls, sizeof cls);
            if (owner == d->pid && IsWindowVisible(hwnd) && std::string(cls) == "TCFGFace") {
                d->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&data));
    return data.found;
}

std::string DefaultExe() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.rfind('\\') + 1) + "quillet.exe";
}

}  // namespace

int main(int argc, char** argv) {
    const std::string exe = argc > 1 ? argv[1] : DefaultExe();
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);

    std::vector<double> times;
    SIZE_T peakWorkingSet = 0;
    for (int i = 0; i < runs; ++i) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::string cmd = "\"" + exe + "\"";
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &si, &pi)) {
            std::fprintf(stderr, "cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
            return 1;
        }
        HWND main = nullptr;
        for (int wait = 0; wait < 3000 && !main; ++wait) {
            main = MainWindowOf(pi.dwProcessId);
            if (!main) Sleep(5);
        }
        QueryPerformanceCounter(&t1);
        if (!main) {
            std::fprintf(stderr, "no main window after 15 s\n");
            TerminateProcess(pi.hProcess, 1);
            return 1;
        }
        times.push_back(1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) /
                        static_cast<double>(freq.QuadPart));
        PROCESS_MEMORY_COUNTERS pmc{};
        pmc.cb = sizeof pmc;
        if (GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc)) {
            peakWorkingSet = std::max(peakWorkingSet, pmc.PeakWorkingSetSize);
        }
        PostMessageA(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }

    std::sort(times.begin(), times.end());
    WIN32_FILE_ATTRIBUTE_DATA attrs{};
    GetFileAttributesExA(exe.c_str(), GetFileExInfoStandard, &attrs);
    std::printf("quillet.exe size:            %lu KiB\n", attrs.nFileSizeLow / 1024);
    std::printf("start to main window (ms):   min %.0f  median %.0f  max %.0f  (%d runs)\n",
                times.front(), times[times.size() / 2], times.back(), runs);
    std::printf("peak working set:            %lu KiB\n",
                static_cast<unsigned long>(peakWorkingSet / 1024));
    return 0;
}
