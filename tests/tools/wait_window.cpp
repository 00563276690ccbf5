// wait_window: used by "./quillet run" on a private X display.
//   wait_window.exe CLASS CAPTION TIMEOUT_MS   waits until a visible top-level
//       window of that class and caption exists and prints its screen
//       rectangle as "left top width height"; exit 1 on time-out.
//   wait_window.exe --close CLASS CAPTION      asks that window to close.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc == 4 && lstrcmpA(argv[1], "--close") == 0) {
        HWND h = FindWindowA(argv[2], argv[3]);
        if (!h) return 1;
        PostMessageA(h, WM_CLOSE, 0, 0);
        return 0;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: wait_window CLASS CAPTION TIMEOUT_MS | --close CLASS CAPTION\n");
        return 2;
    }
    DWORD timeout = static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10));
    DWORD start = GetTickCount();
    for (;;) {
        HWND h = FindWindowA(argv[1], argv[2]);
        RECT r;
        if (h && IsWindowVisible(h) && GetWindowRect(h, &r) && r.right > r.left) {
            // A moment for the first paint to finish before the picture is taken.
            Sleep(700);
            GetWindowRect(h, &r);
            std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
            return 0;
        }
        if (GetTickCount() - start > timeout) return 1;
        Sleep(100);
    }
}
