// End-to-end driver: uses quillet.exe (or any program that follows its
// conventions) from another process, the way a person would, and lets the
// test read what the program wrote.
//
// Conventions of the program under test:
//   - every named control carries the window property "QuilletName", a global
//     atom (GlobalAddAtomA) holding its name ("rD1", "eExepath", "Memo1", ...);
//   - the main window is class "TCFGFace", caption "Quillet";
//   - the message dialog is a top-level window of class "TMessageDialog" with
//     buttons "Button1".."Button3" and a label "Message";
//   - the open-file dialog and the shell folder browser are standard "#32770"
//     dialogs.
//
// Every wait has a time-out. A failing call adds a readable GoogleTest failure
// at the test line that called it (std::source_location), and returns a value
// the test can stop on (nullptr, false, nullopt). App kills a program that is
// still running when the test ends, so no test hangs on it.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <source_location>
#include <string>
#include <vector>

namespace e2e {

using Where = std::source_location;

// Default time-out of every wait, in milliseconds. Generous: Wine under a
// loaded CI machine can take seconds to start a program.
inline constexpr DWORD kWaitMs = 15000;

// The program's class names.
inline constexpr const char* kMainClass = "TCFGFace";
inline constexpr const char* kMainCaption = "Quillet";
inline constexpr const char* kMessageDialogClass = "TMessageDialog";
inline constexpr const char* kQuickHelpClass = "TQuickHelp";
inline constexpr const char* kStandardDialogClass = "#32770";

// ---- where things are -----------------------------------------------------

// The Windows build folder (where quillet.exe, the stubs and the test tools
// are built), as a Windows path without a trailing backslash. From the
// environment variable QUILLET_BIN_DIR (a Unix path, set by ctest); without
// it, the folder of the running test program.
std::string BinDir();
// BinDir() + "\" + name.
std::string BinFile(const std::string& name);
// The current test as "Suite.Name" (parameter slashes made '_'), for folders.
std::string CurrentTestName();

// Polls cond every 20 ms until it is true or timeoutMs pass. On time-out adds
// a failure "timed out after N ms waiting for <what>" at the caller's line.
bool WaitFor(const std::function<bool()>& cond, DWORD timeoutMs, const std::string& what,
             Where where = Where::current());

// ---- a fresh folder inside the prefix for one test ------------------------

// C:\e2e\<name> (name defaults to CurrentTestName()), emptied when made. The
// program keeps its settings file beside its executable, so each test runs
// its own copy of quillet.exe from such a folder. The folder is left behind
// for inspection after a failure; the next run empties it.
class TestFolder {
public:
    explicit TestFolder(const std::string& name = "", Where where = Where::current());

    const std::string& Path() const { return path_; }
    // Path() + "\" + name.
    std::string File(const std::string& name) const;

    // Copies BinDir()\name into the folder.
    bool CopyFromBin(const std::string& name, Where where = Where::current());
    // Copies quillet.exe, and with companions also lunket.exe, LunketD2.exe,
    // LunketD3.exe and readme.txt, as they ship beside it.
    bool CopyQuillet(bool withCompanions = false, Where where = Where::current());
    std::string QuilletExe() const { return File("quillet.exe"); }
    // The program's settings file: quillet.ini beside quillet.exe.
    std::string SettingsFile() const { return File("quillet.ini"); }

    bool Exists(const std::string& name) const;
    bool WriteFile(const std::string& name, const std::string& bytes, Where where = Where::current());
    // The file's bytes, or nullopt (no failure added) when it cannot be read.
    std::optional<std::string> ReadFile(const std::string& name) const;

    // Private-profile access to a file of the folder (quillet.ini by default).
    bool WriteIni(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& file = "quillet.ini", Where where = Where::current());
    // The value, or nullopt when the file, the section or the key is absent.
    std::optional<std::string> ReadIni(const std::string& section, const std::string& key,
                                       const std::string& file = "quillet.ini") const;

private:
    std::string path_;
};

// Deletes a file or a folder tree; true when it is gone.
bool RemoveTree(const std::string& path);
// Makes a folder and its parents.
bool MakeDirs(const std::string& path);

// ---- the program under test -----------------------------------------------

class App {
public:
    App() = default;
    ~App();  // kills the program if it still runs
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Starts exe (current directory: its folder unless cwd is given) and waits
    // until it is ready for input.
    bool Start(const std::string& exe, const std::string& args = "", const std::string& cwd = "",
               Where where = Where::current());
    // Starts and waits for the main window "TCFGFace" "Quillet".
    HWND StartQuillet(const TestFolder& folder, Where where = Where::current());

    bool Running() const;
    DWORD ProcessId() const { return pi_.dwProcessId; }
    HANDLE Process() const { return pi_.hProcess; }

    // Visible top-level windows of the process.
    std::vector<HWND> Windows() const;
    // A visible top-level window of the process of that class (and caption,
    // when not empty), or nullptr; no waiting.
    HWND FindTopWindow(const std::string& cls, const std::string& caption = "") const;
    HWND WaitForWindow(const std::string& cls, const std::string& caption = "", DWORD timeoutMs = kWaitMs,
                       Where where = Where::current());
    HWND WaitForMainWindow(DWORD timeoutMs = kWaitMs, Where where = Where::current()) {
        return WaitForWindow(kMainClass, kMainCaption, timeoutMs, where);
    }
    // Text listing the process's visible windows, for failure messages.
    std::string DescribeWindows() const;

    // Waits for the process to end; false (and a failure) on time-out.
    bool WaitForExit(DWORD timeoutMs = kWaitMs, Where where = Where::current());
    // Exit code once ended (STILL_ACTIVE before).
    DWORD ExitCode() const;
    void Kill();

private:
    PROCESS_INFORMATION pi_{};
};

// ---- windows and controls --------------------------------------------------

// The "QuilletName" of a window, or "" when it has none.
std::string NameOf(HWND hwnd);
std::string ClassOf(HWND hwnd);
// All named descendants of top, in the order EnumChildWindows gives them.
std::vector<HWND> NamedControls(HWND top);
// The descendant of top named name, or nullptr (no failure).
HWND TryFindControl(HWND top, const std::string& name);
// The same, adding a failure that lists the names present when absent.
HWND FindControl(HWND top, const std::string& name, Where where = Where::current());

// WM_GETTEXT through SendMessageTimeout (works on other processes' edits).
std::string Text(HWND hwnd, Where where = Where::current());
// The control's rectangle in its parent's client coordinates.
RECT RectInParent(HWND hwnd);
// The window's client area (left, top 0).
RECT ClientRect(HWND hwnd);
// The window's rectangle on the screen.
RECT ScreenRect(HWND hwnd);
bool IsEnabled(HWND hwnd);
// The window and all its ancestors are visible.
bool IsShown(HWND hwnd);
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE of a check box or radio button.
int CheckState(HWND hwnd);
inline bool IsChecked(HWND hwnd) { return CheckState(hwnd) == BST_CHECKED; }
// The control that has the keyboard focus in the thread of hwnd, or nullptr.
HWND FocusedControl(HWND hwnd);

// Clicks a button, check box or radio button and returns when the program
// has handled it (SendMessage BM_CLICK). Fails for a disabled or hidden
// control, which a person could not click either.
bool Click(HWND control, Where where = Where::current());
// The same, posted: returns at once. For clicks that open a modal window,
// which would not return before that window closes.
bool PostClick(HWND control, Where where = Where::current());
// Replaces an edit's text (WM_SETTEXT; the control sends EN_CHANGE).
bool SetText(HWND control, const std::string& text, Where where = Where::current());

// Keyboard. The keys go through the real input path (SendInput) to the
// window's thread after its top-level window is brought to the foreground
// and, when target is a control, the focus is put on it; so the program sees
// WM_KEYDOWN, WM_CHAR (from its own TranslateMessage) and WM_KEYUP with the
// right key state, as from a keyboard. A top-level target keeps whatever
// control has the focus.
enum Modifier : unsigned { kNone = 0, kShift = 1, kCtrl = 2, kAlt = 4 };
bool PressKey(HWND target, WORD vk, unsigned modifiers = kNone, Where where = Where::current());
// Types printable ASCII text, with the keys that make each character on the
// current layout where there are such keys (and '\n' as Return, '\t' as Tab).
bool TypeText(HWND target, const std::string& text, Where where = Where::current());
bool PressEscape(HWND target, Where where = Where::current());
bool PressReturn(HWND target, Where where = Where::current());
// Alt+F4 on the window's top-level window.
bool PressAltF4(HWND window, Where where = Where::current());

// A key typed as automation tools type it: the focus put on the control as
// Tab puts it (a push button becomes the default one), then WM_KEYDOWN,
// WM_CHAR with the character the key types and WM_KEYUP posted to the
// control. Returns at once.
bool PostKeystroke(HWND control, WORD vk, char character, Where where = Where::current());

// The mouse. Moves the pointer to (x, y) on the screen through the real input
// path (SendInput), as a hand on the mouse would; the window beneath gets the
// move. Returns once the pointer is there.
bool MovePointer(int x, int y, Where where = Where::current());

// Closing as the window manager does: WM_CLOSE posted, or the close box
// (WM_SYSCOMMAND SC_CLOSE posted).
bool PostClose(HWND window, Where where = Where::current());
bool PressCloseBox(HWND window, Where where = Where::current());

// Waits until the window is destroyed or hidden.
bool WaitUntilGone(HWND window, DWORD timeoutMs = kWaitMs, Where where = Where::current());

// ---- the program's message dialog ----------------------------------------

struct MessageDialog {
    HWND hwnd = nullptr;
    std::string caption;
    std::string message;
    // Texts of Button1..Button3; nullopt where that button is absent or hidden.
    std::array<std::optional<std::string>, 3> buttons;

    explicit operator bool() const { return hwnd != nullptr; }
    // Number of shown buttons.
    int ButtonCount() const;
    HWND Button(int n) const;  // 1-based
    // Clicks button n (posted) and waits until the dialog has closed.
    bool Press(int n, Where where = Where::current()) const;
};

// Reads a message dialog window.
MessageDialog ReadMessageDialog(HWND dialog);
// Waits for an enabled, visible "TMessageDialog" of the process (with that
// caption, when not empty). An empty MessageDialog (and a failure naming the
// windows that are there) on time-out.
MessageDialog WaitForMessageDialog(const App& app, const std::string& caption = "", DWORD timeoutMs = kWaitMs,
                                   Where where = Where::current());

// ---- standard dialogs: open-file dialog, folder browser --------------------

// Waits for a "#32770" dialog of the process (with that caption, when not empty).
HWND WaitForStandardDialog(const App& app, const std::string& caption = "", DWORD timeoutMs = kWaitMs,
                           Where where = Where::current());
// Types fileName into the open-file dialog's file-name field, presses Open
// and waits until the dialog has closed.
bool AnswerOpenFile(HWND dialog, const std::string& fileName, Where where = Where::current());
// Presses Cancel (IDCANCEL) and waits until the dialog has closed.
bool CancelDialog(HWND dialog, Where where = Where::current());
// Presses OK (IDOK) of a folder browser or other dialog and waits until it has closed.
bool ConfirmDialog(HWND dialog, Where where = Where::current());

}  // namespace e2e
