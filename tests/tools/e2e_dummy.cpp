// e2e_dummy: a small window program that follows Quillet's conventions for the
// end-to-end driver (controls carry a "QuilletName" atom property, questions go
// through a top-level "TMessageDialog" window with Button1..Button3 and a
// "Message" label, the standard open-file dialog and folder browser), so the
// driver is proven against another process before and besides quillet.exe.
//
// Everything it does is shown in the label "lStatus"; on close it writes
// e2e_dummy.ini beside itself ([Dummy] Status, Name, Closes).
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace {

HINSTANCE g_inst;
HWND g_main, g_status, g_name, g_memo;
WNDPROC g_editProc;
int g_okClicks = 0;

void Name(HWND h, const char* name) { SetPropA(h, "QuilletName", reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(GlobalAddAtomA(name)))); }

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
           const char* name) {
    HWND c = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_inst, nullptr);
    SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    Name(c, name);
    return c;
}

std::string TextOf(HWND h) {
    int n = GetWindowTextLengthA(h);
    std::string s(n + 1, '\0');
    s.resize(GetWindowTextA(h, s.data(), n + 1));
    return s;
}

void Status(const std::string& s) { SetWindowTextA(g_status, s.c_str()); }

std::string ExeDir() {
    std::string p(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, p.data(), static_cast<DWORD>(p.size()));
        if (n < p.size()) { p.resize(n); break; }
        p.resize(p.size() * 2);
    }
    return p.substr(0, p.find_last_of('\\') + 1);
}

// ---- the question window, modal, as Quillet's message dialog behaves ----

struct Ask {
    int result = 0;
    int last = 1;
};

LRESULT CALLBACK AskProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    auto* a = reinterpret_cast<Ask*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    switch (m) {
    case WM_COMMAND:
        if (LOWORD(w) >= 101 && LOWORD(w) <= 103) a->result = LOWORD(w) - 100;
        else if (LOWORD(w) == IDCANCEL) a->result = a->last;
        else if (LOWORD(w) == IDOK) a->result = 1;
        return 0;
    case WM_CLOSE:
        a->result = 2;
        return 0;
    }
    return DefWindowProcA(h, m, w, l);
}

int AskQuestion(const char* caption, const char* message, std::vector<const char*> buttons) {
    Ask a;
    a.last = static_cast<int>(buttons.size());
    HWND d = CreateWindowExA(WS_EX_DLGMODALFRAME, "TMessageDialog", caption, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                             150, 150, 320, 140, g_main, nullptr, g_inst, nullptr);
    SetWindowLongPtrA(d, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&a));
    Child(d, "STATIC", message, 0, 10, 10, 290, 40, 100, "Message");
    for (size_t i = 0; i < buttons.size(); ++i) {
        std::string n = "Button" + std::to_string(i + 1);
        Child(d, "BUTTON", buttons[i], WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
              10 + static_cast<int>(i) * 100, 60, 90, 25, 101 + static_cast<int>(i), n.c_str());
    }
    EnableWindow(g_main, FALSE);
    ShowWindow(d, SW_SHOW);
    SetFocus(GetDlgItem(d, 101));
    MSG msg;
    while (a.result == 0 && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(d, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    EnableWindow(g_main, TRUE);
    DestroyWindow(d);
    SetActiveWindow(g_main);
    return a.result;
}

// ---- the main window ----

LRESULT CALLBACK EditProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_CHAR && w == VK_ESCAPE && h == g_memo) {
        Status("escape in Memo1");
        PostMessageA(g_main, WM_CLOSE, 0, 0);
        return 0;
    }
    if (m == WM_CHAR && w == VK_RETURN && h == g_name) {
        Status("return in eName");
        return 0;
    }
    return CallWindowProcA(g_editProc, h, m, w, l);
}

enum { kOk = 10, kCheck, kRadioA, kRadioB, kDisabled, kHidden, kAsk, kOpen, kBrowse };

void OnCommand(int id) {
    switch (id) {
    case kOk:
        Status("bOK clicked " + std::to_string(++g_okClicks));
        break;
    case kAsk: {
        int r = AskQuestion("Dummy question", "Proceed with the dummy?\n\nSecond line.", {"&Yes", "&No", "Cancel"});
        Status("ask=" + std::to_string(r));
        break;
    }
    case kOpen: {
        std::string file(4096, '\0');
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = g_main;
        ofn.lpstrFilter = "Any file\0*.*\0";
        ofn.lpstrFile = file.data();
        ofn.nMaxFile = static_cast<DWORD>(file.size());
        ofn.Flags = OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
        if (GetOpenFileNameA(&ofn)) Status("open=" + std::string(file.c_str()));
        else Status("open=cancel");
        break;
    }
    case kBrowse: {
        char display[MAX_PATH] = {};
        BROWSEINFOA bi{};
        bi.hwndOwner = g_main;
        bi.pszDisplayName = display;
        bi.lpszTitle = "Pick a folder";
        bi.ulFlags = BIF_RETURNONLYFSDIRS;
        PIDLIST_ABSOLUTE pidl = SHBrowseForFolderA(&bi);
        if (!pidl) {
            Status("browse=cancel");
            break;
        }
        char path[MAX_PATH] = {};
        SHGetPathFromIDListA(pidl, path);
        CoTaskMemFree(pidl);
        Status(std::string("browse=") + path);
        break;
    }
    }
}

void WriteIni() {
    std::string ini = ExeDir() + "e2e_dummy.ini";
    int closes = GetPrivateProfileIntA("Dummy", "Closes", 0, ini.c_str());
    WritePrivateProfileStringA("Dummy", "Status", TextOf(g_status).c_str(), ini.c_str());
    WritePrivateProfileStringA("Dummy", "Name", TextOf(g_name).c_str(), ini.c_str());
    WritePrivateProfileStringA("Dummy", "Closes", std::to_string(closes + 1).c_str(), ini.c_str());
}

LRESULT CALLBACK MainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    switch (m) {
    case WM_CREATE:
        g_main = h;
        g_name = Child(h, "EDIT", "initial", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10, 200, 21, 1, "eName");
        g_memo = Child(h, "EDIT", "", WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN, 10, 40, 200, 80, 2, "Memo1");
        g_editProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(g_name, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
        SetWindowLongPtrA(g_memo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc));
        // Names are global atoms, which ignore case: one that a stopped
        // Quillet left behind would give "bOk" the program's spelling.
        Child(h, "BUTTON", "&OK", WS_TABSTOP | BS_PUSHBUTTON, 220, 10, 80, 25, kOk, "bOK");
        Child(h, "BUTTON", "Check", WS_TABSTOP | BS_AUTOCHECKBOX, 220, 40, 100, 20, kCheck, "cCheck");
        Child(h, "BUTTON", "Choice A", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 220, 65, 100, 20, kRadioA, "rA");
        Child(h, "BUTTON", "Choice B", BS_AUTORADIOBUTTON, 220, 90, 100, 20, kRadioB, "rB");
        EnableWindow(Child(h, "BUTTON", "Disabled", WS_TABSTOP, 220, 120, 80, 25, kDisabled, "bDisabled"), FALSE);
        ShowWindow(Child(h, "BUTTON", "Hidden", WS_TABSTOP, 310, 120, 80, 25, kHidden, "bHidden"), SW_HIDE);
        Child(h, "BUTTON", "&Ask", WS_TABSTOP, 10, 130, 80, 25, kAsk, "bAsk");
        Child(h, "BUTTON", "O&pen", WS_TABSTOP, 100, 130, 80, 25, kOpen, "bOpen");
        Child(h, "BUTTON", "&Browse", WS_TABSTOP, 190, 130, 80, 25, kBrowse, "bBrowse");
        g_status = Child(h, "STATIC", "ready", 0, 10, 170, 370, 20, 3, "lStatus");
        return 0;
    case WM_COMMAND:
        if (HIWORD(w) == BN_CLICKED) OnCommand(LOWORD(w));
        return 0;
    case WM_CLOSE:
        WriteIni();
        DestroyWindow(h);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(h, m, w, l);
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int show) {
    g_inst = inst;
    CoInitialize(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "TDummyFace";
    RegisterClassA(&wc);
    wc.lpfnWndProc = AskProc;
    wc.lpszClassName = "TMessageDialog";
    RegisterClassA(&wc);

    HWND h = CreateWindowExA(0, "TDummyFace", "Dummy Face", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                             100, 100, 400, 240, nullptr, nullptr, inst, nullptr);
    ShowWindow(h, show);
    SetFocus(g_name);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    CoUninitialize();
    return static_cast<int>(msg.wParam);
}
