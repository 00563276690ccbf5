// The yardstick for Quillet's start-up: a bare window program built the way
// quillet.exe is (same compiler options, static runtime, stripped, the same
// manifest for the version 6 common controls). It imports the system DLLs that
// quillet.exe imports, initialises COM, registers one window class, creates
// Quillet's tree of child windows (seven static labels and seventeen standard
// controls) with one font, shows the window and runs
// a message loop. startup_bench.exe times it beside Quillet.

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>

namespace {

constexpr char kClassName[] = "BareWindow";

// Functions of the DLLs that Quillet imports but a bare window does not call
// at start-up. Taking their addresses makes the loader map those DLLs here too.
void* volatile gImports[] = {
    reinterpret_cast<void*>(&GetOpenFileNameA),
    reinterpret_cast<void*>(&ShellExecuteA),
    reinterpret_cast<void*>(&RegOpenKeyExA),
};

struct Child {
    const char* className;
    DWORD style;
    DWORD exStyle;
    int left, top, width, height;
    const char* text = "";
};

// Quillet's main window: each label just before the control it names, then
// radio buttons, the compiler path, check boxes, path fields, buttons and the
// configuration text box.
const Child kChildren[] = {
    {"STATIC", SS_LEFTNOWORDWRAP, 0, 16, 12, 42, 13, "Target:"},
    {"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, 16, 28, 80, 17},
    {"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, 16, 44, 80, 17},
    {"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, 16, 60, 80, 17},
    {"STATIC", SS_LEFTNOWORDWRAP, 0, 112, 12, 222, 13, "Current path to command line compiler:"},
    {"EDIT", ES_AUTOHSCROLL | WS_GROUP | WS_TABSTOP, WS_EX_CLIENTEDGE, 112, 28, 369, 21},
    {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 112, 60, 161, 17},
    {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 288, 60, 169, 17},
    {"STATIC", SS_LEFTNOWORDWRAP, 0, 16, 84, 91, 13, "Unit directories:"},
    {"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 16, 100, 465, 21},
    {"STATIC", SS_LEFTNOWORDWRAP, 0, 16, 124, 110, 13, "Include directories:"},
    {"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 16, 140, 465, 21},
    {"STATIC", SS_LEFTNOWORDWRAP, 0, 16, 164, 105, 13, "Object directories:"},
    {"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 16, 180, 465, 21},
    {"STATIC", SS_LEFTNOWORDWRAP, 0, 16, 204, 45, 13, "Aliases:"},
    {"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 16, 220, 465, 21},
    {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 16, 256, 97, 17},
    {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 144, 252, 99, 23},
    {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 248, 252, 55, 23},
    {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 308, 252, 55, 23},
    {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 368, 252, 55, 23},
    {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 428, 252, 55, 23},
    {"STATIC", SS_LEFTNOWORDWRAP, 0, 16, 284, 233, 13, "Current configuration (for manual editing)"},
    {"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE, 16, 300, 465, 121},
};
static_assert(sizeof kChildren / sizeof kChildren[0] == 7 + 17);

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    WNDCLASSA wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT r{0, 0, 498, 438};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    HWND main = CreateWindowExA(0, kClassName, "Bare window", style, 142, 19, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, "Helv");
    int id = 100;
    for (const Child& c : kChildren) {
        HWND child = CreateWindowExA(c.exStyle, c.className, c.text, c.style | WS_CHILD | WS_VISIBLE,
                                     c.left, c.top, c.width, c.height, main,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance,
                                     nullptr);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(main, SW_SHOW);
    UpdateWindow(main);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(main, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DeleteObject(font);
    CoUninitialize();
    return 0;
}
