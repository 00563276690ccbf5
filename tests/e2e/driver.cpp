#include "driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace e2e {

namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr const char* kNameProperty = "QuilletName";

void FailAt(const Where& where, const std::string& message) {
    ADD_FAILURE_AT(where.file_name(), static_cast<int>(where.line())) << message;
}

std::string Hex(const void* p) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%p", p);
    return buf;
}

std::string LastError() {
    DWORD code = GetLastError();
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string s = "error " + std::to_string(code);
    if (text) {
        s += ": ";
        s += text;
        LocalFree(text);
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    }
    return s;
}

std::string EnvVar(const char* name) {
    DWORD need = GetEnvironmentVariableA(name, nullptr, 0);
    if (need == 0) return {};
    std::string v(need, '\0');
    DWORD got = GetEnvironmentVariableA(name, v.data(), need);
    v.resize(got < need ? got : 0);
    return v;
}

// A Unix path as Wine's DOS path (the mapping Wine itself uses), falling back
// to the Z: drive that every prefix has.
std::string UnixToDos(const std::string& unixPath) {
    using ToDos = WCHAR*(CDECL*)(const char*);
    auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (toDos) {
        if (WCHAR* w = toDos(unixPath.c_str())) {
            int n = WideCharToMultiByte(CP_ACP, 0, w, -1, nullptr, 0, nullptr, nullptr);
            std::string s(n > 0 ? n - 1 : 0, '\0');
            if (n > 0) WideCharToMultiByte(CP_ACP, 0, w, -1, s.data(), n, nullptr, nullptr);
            HeapFree(GetProcessHeap(), 0, w);
            if (!s.empty()) return s;
        }
    }
    std::string s = "Z:" + unixPath;
    for (char& c : s)
        if (c == '/') c = '\\';
    return s;
}

std::string ModuleDir() {
    std::string p(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, p.data(), static_cast<DWORD>(p.size()));
        if (n < p.size()) {
            p.resize(n);
            break;
        }
        p.resize(p.size() * 2);
    }
    return p.substr(0, p.find_last_of('\\'));
}

// A window's text for lookups and messages, with a short time-out: a hung
// program must not hang the test.
std::string QuickText(HWND h) {
    char title[512] = {};
    DWORD_PTR res = 0;
    SendMessageTimeoutA(h, WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title), SMTO_ABORTIFHUNG, 1000, &res);
    return title;
}

std::string Describe(HWND h) {
    if (!h) return "(no window)";
    std::string s = ClassOf(h);
    std::string name = NameOf(h);
    if (!name.empty()) s += " '" + name + "'";
    s += " \"";
    s += QuickText(h);
    s += "\" ";
    s += Hex(h);
    return s;
}

struct EnumTop {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND h, LPARAM l) {
    auto* e = reinterpret_cast<EnumTop*>(l);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == e->pid && IsWindowVisible(h)) e->found.push_back(h);
    return TRUE;
}

BOOL CALLBACK CollectNamed(HWND h, LPARAM l) {
    if (!NameOf(h).empty()) reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
    return TRUE;
}

bool SendSync(HWND h, UINT msg, WPARAM w, LPARAM l, const std::string& what, const Where& where,
              DWORD_PTR* result = nullptr) {
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutA(h, msg, w, l, SMTO_ABORTIFHUNG | SMTO_NORMAL, kSendTimeoutMs, &r)) {
        FailAt(where, what + ": " + Describe(h) + " did not answer within " + std::to_string(kSendTimeoutMs) +
                          " ms (a modal window open? use the posted variant)");
        return false;
    }
    if (result) *result = r;
    return true;
}

// Makes sure the program has handled what was sent or posted before: a sent
// message is handled only when the thread is back in its message loop.
void Settle(HWND h) {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r);
}

bool CanBeUsed(HWND control, const char* action, const Where& where) {
    if (!control || !IsWindow(control)) {
        FailAt(where, std::string(action) + ": no such window");
        return false;
    }
    if (!IsShown(control)) {
        FailAt(where, std::string(action) + ": " + Describe(control) + " is not visible");
        return false;
    }
    if (!IsEnabled(control)) {
        FailAt(where, std::string(action) + ": " + Describe(control) + " is disabled");
        return false;
    }
    return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string data;
    char buf[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ::ReadFile(h, buf, sizeof buf, &got, nullptr)) && got > 0) data.append(buf, got);
    CloseHandle(h);
    if (!ok) return std::nullopt;
    return data;
}

// Brings the window's top-level window to the foreground and, for a child,
// gives it the keyboard focus; true when both hold.
bool FocusFor(HWND target, const Where& where) {
    if (!target || !IsWindow(target)) {
        FailAt(where, "keyboard: no such window");
        return false;
    }
    HWND top = GetAncestor(target, GA_ROOT);
    DWORD targetThread = GetWindowThreadProcessId(target, nullptr);
    DWORD self = GetCurrentThreadId();
    // Sharing the input state lets SetFocus reach into the program's thread.
    bool attached = AttachThreadInput(self, targetThread, TRUE) != FALSE;
    SetForegroundWindow(top);
    BringWindowToTop(top);
    if (target != top) SetFocus(target);
    if (attached) AttachThreadInput(self, targetThread, FALSE);

    std::string what = "the keyboard focus on " + Describe(target);
    return WaitFor(
        [&] {
            if (GetForegroundWindow() != top) return false;
            if (target == top) return true;
            return FocusedControl(target) == target;
        },
        3000, what, where);
}

void AddKey(std::vector<INPUT>& in, WORD vk, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE:
        i.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    default:
        break;
    }
    in.push_back(i);
}

void AddChord(std::vector<INPUT>& in, WORD vk, unsigned mods) {
    if (mods & kShift) AddKey(in, VK_SHIFT, false);
    if (mods & kCtrl) AddKey(in, VK_CONTROL, false);
    if (mods & kAlt) AddKey(in, VK_MENU, false);
    AddKey(in, vk, false);
    AddKey(in, vk, true);
    if (mods & kAlt) AddKey(in, VK_MENU, true);
    if (mods & kCtrl) AddKey(in, VK_CONTROL, true);
    if (mods & kShift) AddKey(in, VK_SHIFT, true);
}

bool Send(std::vector<INPUT>& in, HWND target, const Where& where) {
    for (INPUT& i : in) {
        // One event at a time with a breath between: the program's thread
        // reads key state while it handles each one.
        if (SendInput(1, &i, sizeof(INPUT)) != 1) {
            FailAt(where, "SendInput failed: " + LastError());
            return false;
        }
        Sleep(10);
    }
    Sleep(50);
    if (IsWindow(target)) Settle(target);
    return true;
}

}  // namespace

// ---- where things are -----------------------------------------------------

std::string BinDir() {
    std::string unixDir = EnvVar("QUILLET_BIN_DIR");
    std::string dir = unixDir.empty() ? ModuleDir() : UnixToDos(unixDir);
    while (!dir.empty() && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
    return dir;
}

std::string BinFile(const std::string& name) { return BinDir() + "\\" + name; }

std::string CurrentTestName() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "outside-test";
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|')
            c = '_';
    return name;
}

bool WaitFor(const std::function<bool()>& cond, DWORD timeoutMs, const std::string& what, Where where) {
    DWORD start = GetTickCount();
    for (;;) {
        if (cond()) return true;
        if (GetTickCount() - start >= timeoutMs) break;
        Sleep(20);
    }
    if (cond()) return true;
    FailAt(where, "timed out after " + std::to_string(timeoutMs) + " ms waiting for " + what);
    return false;
}

// ---- folders ---------------------------------------------------------------

bool RemoveTree(const std::string& path) {
    DWORD attr = GetFileAttributesA(path.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES) return true;
    if (attr & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(path.c_str(), attr & ~FILE_ATTRIBUTE_READONLY);
    if (!(attr & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileA(path.c_str()) != FALSE;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string n = fd.cFileName;
            if (n != "." && n != "..") RemoveTree(path + "\\" + n);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    return RemoveDirectoryA(path.c_str()) != FALSE;
}

bool MakeDirs(const std::string& path) {
    if (path.empty()) return false;
    DWORD attr = GetFileAttributesA(path.c_str());
    if (attr != INVALID_FILE_ATTRIBUTES) return (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
    size_t cut = path.find_last_of('\\');
    if (cut != std::string::npos && cut > 2) MakeDirs(path.substr(0, cut));
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

TestFolder::TestFolder(const std::string& name, Where where)
    : path_("C:\\e2e\\" + (name.empty() ? CurrentTestName() : name)) {
    if (!RemoveTree(path_)) FailAt(where, "cannot empty the test folder " + path_ + ": " + LastError());
    if (!MakeDirs(path_)) FailAt(where, "cannot make the test folder " + path_ + ": " + LastError());
}

std::string TestFolder::File(const std::string& name) const { return path_ + "\\" + name; }

bool TestFolder::CopyFromBin(const std::string& name, Where where) {
    std::string from = BinFile(name);
    if (!CopyFileA(from.c_str(), File(name).c_str(), FALSE)) {
        FailAt(where, "cannot copy " + from + " to " + path_ + ": " + LastError());
        return false;
    }
    return true;
}

bool TestFolder::CopyQuillet(bool withCompanions, Where where) {
    bool ok = CopyFromBin("quillet.exe", where);
    if (withCompanions)
        for (const char* f : {"lunket.exe", "LunketD2.exe", "LunketD3.exe", "readme.txt"})
            ok = CopyFromBin(f, where) && ok;
    return ok;
}

bool TestFolder::Exists(const std::string& name) const {
    return GetFileAttributesA(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool TestFolder::WriteFile(const std::string& name, const std::string& bytes, Where where) {
    std::string path = File(name);
    size_t cut = path.find_last_of('\\');
    MakeDirs(path.substr(0, cut));
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        FailAt(where, "cannot create " + path + ": " + LastError());
        return false;
    }
    DWORD written = 0;
    BOOL ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    if (!ok || written != bytes.size()) {
        FailAt(where, "cannot write " + path + ": " + LastError());
        return false;
    }
    return true;
}

std::optional<std::string> TestFolder::ReadFile(const std::string& name) const { return ReadWholeFile(File(name)); }

bool TestFolder::WriteIni(const std::string& section, const std::string& key, const std::string& value,
                          const std::string& file, Where where) {
    std::string path = File(file);
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str())) {
        FailAt(where, "cannot write [" + section + "] " + key + " to " + path + ": " + LastError());
        return false;
    }
    // Written through to disk, so the program (another process) reads it.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    return true;
}

std::optional<std::string> TestFolder::ReadIni(const std::string& section, const std::string& key,
                                               const std::string& file) const {
    std::string path = File(file);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    // The section's key list tells an absent key from an empty value.
    std::string keys(4096, '\0');
    for (;;) {
        DWORD n = GetPrivateProfileStringA(section.c_str(), nullptr, "", keys.data(),
                                           static_cast<DWORD>(keys.size()), path.c_str());
        if (n + 2 < keys.size()) {
            keys.resize(n);
            break;
        }
        keys.resize(keys.size() * 2);
    }
    bool present = false;
    for (size_t at = 0; at < keys.size();) {
        size_t end = keys.find('\0', at);
        if (end == std::string::npos) end = keys.size();
        if (lstrcmpiA(keys.substr(at, end - at).c_str(), key.c_str()) == 0) present = true;
        at = end + 1;
    }
    if (!present) return std::nullopt;
    std::string value(256, '\0');
    for (;;) {
        DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value.data(),
                                           static_cast<DWORD>(value.size()), path.c_str());
        if (n + 1 < value.size()) {
            value.resize(n);
            return value;
        }
        value.resize(value.size() * 2);
    }
}

// ---- App -------------------------------------------------------------------

App::~App() {
    Kill();
    if (pi_.hProcess) CloseHandle(pi_.hProcess);
    if (pi_.hThread) CloseHandle(pi_.hThread);
}

bool App::Start(const std::string& exe, const std::string& args, const std::string& cwd, Where where) {
    if (pi_.hProcess) {
        FailAt(where, "App::Start: this App already started a program");
        return false;
    }
    std::string dir = cwd;
    if (dir.empty()) dir = exe.substr(0, exe.find_last_of('\\'));
    std::string cmd = "\"" + exe + "\"";
    if (!args.empty()) cmd += " " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.empty() ? nullptr : dir.c_str(), &si, &pi_)) {
        FailAt(where, "cannot start " + cmd + ": " + LastError());
        pi_ = {};
        return false;
    }
    DWORD idle = WaitForInputIdle(pi_.hProcess, kWaitMs);
    if (idle == WAIT_FAILED && Running()) {
        // Console programs have no input queue to wait for.
        return true;
    }
    if (idle == WAIT_TIMEOUT) {
        FailAt(where, cmd + " was not ready for input within " + std::to_string(kWaitMs) + " ms");
        return false;
    }
    return true;
}

HWND App::StartQuillet(const TestFolder& folder, Where where) {
    if (!Start(folder.QuilletExe(), "", "", where)) return nullptr;
    return WaitForMainWindow(kWaitMs, where);
}

bool App::Running() const {
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> App::Windows() const {
    EnumTop e{pi_.dwProcessId, {}};
    if (pi_.hProcess) EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&e));
    return e.found;
}

HWND App::FindTopWindow(const std::string& cls, const std::string& caption) const {
    for (HWND h : Windows()) {
        if (ClassOf(h) != cls) continue;
        if (!caption.empty() && QuickText(h) != caption) continue;
        return h;
    }
    return nullptr;
}

std::string App::DescribeWindows() const {
    std::vector<HWND> ws = Windows();
    if (!pi_.hProcess) return "no program was started";
    std::string s = Running() ? "the program's visible windows:" : "the program has ended (exit code " +
                                                                       std::to_string(ExitCode()) + ");";
    if (ws.empty()) s += " none";
    for (HWND h : ws) {
        s += "\n  " + Describe(h);
        // A system message box (the general error report) says why in its text.
        if (ClassOf(h) == "#32770") {
            for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                if (ClassOf(c) == "Static" && !Text(c).empty()) s += "\n    says: " + Text(c);
            }
        }
    }
    return s;
}

HWND App::WaitForWindow(const std::string& cls, const std::string& caption, DWORD timeoutMs, Where where) {
    if (!pi_.hProcess) {
        FailAt(where, "WaitForWindow: no program was started");
        return nullptr;
    }
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND h = FindTopWindow(cls, caption)) return h;
        if (!Running() || GetTickCount() - start >= timeoutMs) break;
        Sleep(20);
    }
    if (HWND h = FindTopWindow(cls, caption)) return h;
    FailAt(where, "no window of class \"" + cls + "\"" + (caption.empty() ? "" : " captioned \"" + caption + "\"") +
                      " within " + std::to_string(timeoutMs) + " ms; " + DescribeWindows());
    return nullptr;
}

bool App::WaitForExit(DWORD timeoutMs, Where where) {
    if (!pi_.hProcess) {
        FailAt(where, "WaitForExit: no program was started");
        return false;
    }
    if (WaitForSingleObject(pi_.hProcess, timeoutMs) == WAIT_OBJECT_0) return true;
    FailAt(where, "the program did not end within " + std::to_string(timeoutMs) + " ms; " + DescribeWindows());
    return false;
}

DWORD App::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (pi_.hProcess) GetExitCodeProcess(pi_.hProcess, &code);
    return code;
}

void App::Kill() {
    if (!Running()) return;
    TerminateProcess(pi_.hProcess, 255);
    WaitForSingleObject(pi_.hProcess, 5000);
}

// ---- windows and controls --------------------------------------------------

std::string NameOf(HWND hwnd) {
    if (!hwnd) return {};
    auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(hwnd, kNameProperty)));
    if (!atom) return {};
    char buf[256] = {};
    UINT n = GlobalGetAtomNameA(atom, buf, sizeof buf);
    return std::string(buf, n);
}

std::string ClassOf(HWND hwnd) {
    char buf[256] = {};
    int n = hwnd ? GetClassNameA(hwnd, buf, sizeof buf) : 0;
    return std::string(buf, n > 0 ? n : 0);
}

std::vector<HWND> NamedControls(HWND top) {
    std::vector<HWND> found;
    if (top) EnumChildWindows(top, CollectNamed, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND TryFindControl(HWND top, const std::string& name) {
    for (HWND h : NamedControls(top))
        if (NameOf(h) == name) return h;
    return nullptr;
}

HWND FindControl(HWND top, const std::string& name, Where where) {
    if (!top || !IsWindow(top)) {
        FailAt(where, "FindControl(\"" + name + "\"): the window to search is gone or was never found");
        return nullptr;
    }
    if (HWND h = TryFindControl(top, name)) return h;
    std::string names;
    for (HWND h : NamedControls(top)) names += (names.empty() ? "" : ", ") + NameOf(h);
    FailAt(where, "no control named \"" + name + "\" in " + Describe(top) + "; named controls: " +
                      (names.empty() ? "none" : names));
    return nullptr;
}

std::string Text(HWND hwnd, Where where) {
    if (!hwnd || !IsWindow(hwnd)) {
        FailAt(where, "Text: no such window");
        return {};
    }
    DWORD_PTR len = 0;
    if (!SendSync(hwnd, WM_GETTEXTLENGTH, 0, 0, "reading the text length", where, &len)) return {};
    std::string buf(len + 64, '\0');
    DWORD_PTR got = 0;
    if (!SendSync(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), "reading the text", where, &got))
        return {};
    buf.resize(got < buf.size() ? got : buf.size());
    return buf;
}

RECT RectInParent(HWND hwnd) {
    RECT r{};
    if (!hwnd) return r;
    GetWindowRect(hwnd, &r);
    HWND parent = GetAncestor(hwnd, GA_PARENT);
    if (parent && parent != GetDesktopWindow()) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT ClientRect(HWND hwnd) {
    RECT r{};
    if (hwnd) GetClientRect(hwnd, &r);
    return r;
}

RECT ScreenRect(HWND hwnd) {
    RECT r{};
    if (hwnd) GetWindowRect(hwnd, &r);
    return r;
}

bool IsEnabled(HWND hwnd) { return hwnd && IsWindowEnabled(hwnd); }
bool IsShown(HWND hwnd) { return hwnd && IsWindowVisible(hwnd); }

int CheckState(HWND hwnd) {
    DWORD_PTR r = 0;
    if (!hwnd || !SendMessageTimeoutA(hwnd, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r)) return -1;
    return static_cast<int>(r);
}

HWND FocusedControl(HWND hwnd) {
    GUITHREADINFO gti{};
    gti.cbSize = sizeof gti;
    if (!hwnd || !GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &gti)) return nullptr;
    return gti.hwndFocus;
}

bool Click(HWND control, Where where) {
    if (!CanBeUsed(control, "Click", where)) return false;
    return SendSync(control, BM_CLICK, 0, 0, "clicking", where);
}

bool PostClick(HWND control, Where where) {
    if (!CanBeUsed(control, "PostClick", where)) return false;
    if (!PostMessageA(control, BM_CLICK, 0, 0)) {
        FailAt(where, "PostClick: " + LastError());
        return false;
    }
    return true;
}

bool SetText(HWND control, const std::string& text, Where where) {
    if (!CanBeUsed(control, "SetText", where)) return false;
    DWORD_PTR ok = 0;
    if (!SendSync(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), "setting the text", where, &ok))
        return false;
    if (!ok) {
        FailAt(where, "SetText: " + Describe(control) + " refused the text");
        return false;
    }
    return true;
}

bool PressKey(HWND target, WORD vk, unsigned modifiers, Where where) {
    if (!FocusFor(target, where)) return false;
    std::vector<INPUT> in;
    AddChord(in, vk, modifiers);
    return Send(in, target, where);
}

bool PostKeystroke(HWND control, WORD vk, char character, Where where) {
    if (!CanBeUsed(control, "PostKeystroke", where) ||
        !SendSync(GetAncestor(control, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE,
                  "putting the focus on the control", where))
        return false;
    if (PostMessageA(control, WM_KEYDOWN, vk, 1) &&
        PostMessageA(control, WM_CHAR, static_cast<unsigned char>(character), 1) &&
        PostMessageA(control, WM_KEYUP, vk, 0xC0000001))
        return true;
    FailAt(where, "PostKeystroke: " + LastError());
    return false;
}

bool TypeText(HWND target, const std::string& text, Where where) {
    if (!FocusFor(target, where)) return false;
    std::vector<INPUT> in;
    for (char c : text) {
        if (c == '\n') {
            AddChord(in, VK_RETURN, kNone);
            continue;
        }
        if (c == '\t') {
            AddChord(in, VK_TAB, kNone);
            continue;
        }
        SHORT scan = VkKeyScanA(c);
        if (scan == -1) {
            // No key for it on the current layout: send the character itself
            // (it arrives as WM_CHAR, like text from an input method).
            INPUT i{};
            i.type = INPUT_KEYBOARD;
            i.ki.wScan = static_cast<unsigned char>(c);
            i.ki.dwFlags = KEYEVENTF_UNICODE;
            in.push_back(i);
            i.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
            in.push_back(i);
            continue;
        }
        unsigned shiftState = (scan >> 8) & 0xff;
        unsigned mods = 0;
        if (shiftState & 1) mods |= kShift;
        if (shiftState & 2) mods |= kCtrl;
        if (shiftState & 4) mods |= kAlt;
        AddChord(in, static_cast<WORD>(scan & 0xff), mods);
    }
    return Send(in, target, where);
}

bool PressEscape(HWND target, Where where) { return PressKey(target, VK_ESCAPE, kNone, where); }
bool PressReturn(HWND target, Where where) { return PressKey(target, VK_RETURN, kNone, where); }

bool PressAltF4(HWND window, Where where) {
    if (!window || !IsWindow(window)) {
        FailAt(where, "PressAltF4: no such window");
        return false;
    }
    return PressKey(GetAncestor(window, GA_ROOT), VK_F4, kAlt, where);
}

bool PostClose(HWND window, Where where) {
    if (!window || !PostMessageA(window, WM_CLOSE, 0, 0)) {
        FailAt(where, "PostClose: " + (window ? LastError() : std::string("no such window")));
        return false;
    }
    return true;
}

bool PressCloseBox(HWND window, Where where) {
    if (!window || !PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0)) {
        FailAt(where, "PressCloseBox: " + (window ? LastError() : std::string("no such window")));
        return false;
    }
    return true;
}

bool MovePointer(int x, int y, Where where) {
    INPUT i{};
    i.type = INPUT_MOUSE;
    // Absolute positions run from 0 to 65535 across the screen.
    i.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    i.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    i.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    if (SendInput(1, &i, sizeof(INPUT)) != 1) {
        FailAt(where, "SendInput failed: " + LastError());
        return false;
    }
    return WaitFor(
        [&] {
            POINT p{};
            GetCursorPos(&p);
            return p.x == x && p.y == y;
        },
        kWaitMs, "the pointer to reach " + std::to_string(x) + "," + std::to_string(y), where);
}

bool WaitUntilGone(HWND window, DWORD timeoutMs, Where where) {
    std::string what = Describe(window) + " to close";
    return WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs, what, where);
}

// ---- message dialog ---------------------------------------------------------

int MessageDialog::ButtonCount() const {
    int n = 0;
    for (const auto& b : buttons) n += b.has_value();
    return n;
}

HWND MessageDialog::Button(int n) const {
    if (n < 1 || n > 3) return nullptr;
    HWND b = TryFindControl(hwnd, "Button" + std::to_string(n));
    return IsShown(b) ? b : nullptr;
}

bool MessageDialog::Press(int n, Where where) const {
    HWND b = Button(n);
    if (!b) {
        FailAt(where, "the message dialog \"" + caption + "\" has no button " + std::to_string(n));
        return false;
    }
    return PostClick(b, where) && WaitUntilGone(hwnd, kWaitMs, where);
}

MessageDialog ReadMessageDialog(HWND dialog) {
    MessageDialog d;
    d.hwnd = dialog;
    d.caption = Text(dialog);
    if (HWND m = TryFindControl(dialog, "Message")) d.message = Text(m);
    for (int i = 1; i <= 3; ++i)
        if (HWND b = d.Button(i)) d.buttons[i - 1] = Text(b);
    return d;
}

MessageDialog WaitForMessageDialog(const App& app, const std::string& caption, DWORD timeoutMs, Where where) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND h = app.FindTopWindow(kMessageDialogClass, caption);
        // Ready once its buttons exist.
        if (h && IsWindowEnabled(h) && TryFindControl(h, "Button1")) return ReadMessageDialog(h);
        if (!app.Running() || GetTickCount() - start >= timeoutMs) break;
        Sleep(20);
    }
    FailAt(where, std::string("no message dialog") + (caption.empty() ? "" : " captioned \"" + caption + "\"") +
                      " within " + std::to_string(timeoutMs) + " ms; " + app.DescribeWindows());
    return {};
}

// ---- standard dialogs --------------------------------------------------------

HWND WaitForStandardDialog(const App& app, const std::string& caption, DWORD timeoutMs, Where where) {
    HWND found = nullptr;
    DWORD start = GetTickCount();
    for (;;) {
        found = app.FindTopWindow(kStandardDialogClass, caption);
        if (found && IsWindowEnabled(found) && GetDlgItem(found, IDCANCEL)) return found;
        if (!app.Running() || GetTickCount() - start >= timeoutMs) break;
        Sleep(20);
    }
    FailAt(where, std::string("no standard dialog (#32770)") +
                      (caption.empty() ? "" : " captioned \"" + caption + "\"") + " within " +
                      std::to_string(timeoutMs) + " ms; " + app.DescribeWindows());
    return nullptr;
}

namespace {

// The open-file dialog's file-name field: the edit "edt1" (0x480) of the
// classic and Wine's dialog, or the edit inside the combo box "cmb13" (0x47c)
// of the Explorer-style one.
HWND FileNameEdit(HWND dialog) {
    if (HWND combo = GetDlgItem(dialog, 0x47c)) {
        if (HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr)) return edit;
        if (HWND inner = FindWindowExA(combo, nullptr, "ComboBox", nullptr))
            if (HWND edit = FindWindowExA(inner, nullptr, "Edit", nullptr)) return edit;
    }
    if (HWND edit = GetDlgItem(dialog, 0x480)) return edit;
    return nullptr;
}

bool PressDialogButton(HWND dialog, int id, const char* what, const Where& where) {
    if (!dialog || !IsWindow(dialog)) {
        FailAt(where, std::string(what) + ": the dialog is gone or was never found");
        return false;
    }
    HWND button = GetDlgItem(dialog, id);
    if (!PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button))) {
        FailAt(where, std::string(what) + ": " + LastError());
        return false;
    }
    return WaitUntilGone(dialog, kWaitMs, where);
}

}  // namespace

bool AnswerOpenFile(HWND dialog, const std::string& fileName, Where where) {
    if (!dialog || !IsWindow(dialog)) {
        FailAt(where, "AnswerOpenFile: the dialog is gone or was never found");
        return false;
    }
    HWND edit = FileNameEdit(dialog);
    if (!edit) {
        FailAt(where, "AnswerOpenFile: " + Describe(dialog) + " has no file-name field");
        return false;
    }
    if (!SetText(edit, fileName, where)) return false;
    return PressDialogButton(dialog, IDOK, "AnswerOpenFile", where);
}

bool CancelDialog(HWND dialog, Where where) { return PressDialogButton(dialog, IDCANCEL, "CancelDialog", where); }

bool ConfirmDialog(HWND dialog, Where where) { return PressDialogButton(dialog, IDOK, "ConfirmDialog", where); }

}  // namespace e2e
