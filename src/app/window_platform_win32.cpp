// The main window's platform: Save as administrator through quilletc.exe.

#include <windows.h>
#include <shellapi.h>

#include "app/platform_win32.h"
#include "core/paths.h"
#include "core/save_job.h"
#include "core/sha256.h"
#include "core/text.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/handles.h"

namespace quillet {

namespace {

// A new file of the user's temporary folder holding `bytes`; empty on failure.
std::string WriteTempJob(const std::string& bytes) {
    char dir[MAX_PATH] = {}, name[MAX_PATH] = {};
    const DWORD length = GetTempPathA(MAX_PATH, dir);
    if (length == 0 || length >= MAX_PATH || !GetTempFileNameA(dir, "qsj", 0, name)) return "";
    bool ok = false;
    {  // closed before a failed file is deleted
        const ui::KernelHandle file(ui::OpenedFile(CreateFileA(
            name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
        DWORD written = 0;
        ok = file &&
             WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) &&
             written == bytes.size();
    }
    if (!ok) {
        DeleteFileA(name);
        return "";
    }
    return name;
}

// Waits for `process` to end while the program's windows repaint; the owner
// stays disabled meanwhile, as under a modal dialog.
void WaitRepainting(HANDLE process, HWND owner) {
    const bool enabled = owner && IsWindowEnabled(owner);
    if (enabled) EnableWindow(owner, FALSE);
    bool quit = false;
    WPARAM quitCode = 0;
    while (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = msg.wParam;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (enabled) EnableWindow(owner, TRUE);
    if (owner) SetForegroundWindow(owner);
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
}

}  // namespace

bool WindowPlatform::Protected(const std::string& path) {
    char folder[MAX_PATH] = {};
    const DWORD length =
        GetEnvironmentVariableA("QUILLET_TEST_PROTECTED_FOLDER", folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return false;
    return SamePath(ExtractFileDir(path), folder) && !ProcessElevated();
}

bool WindowPlatform::CopyFileOver(const std::string& from, const std::string& to,
                                  std::string& reason, unsigned long& error) {
    if (!Protected(to)) return Win32Platform::CopyFileOver(from, to, reason, error);
    error = ERROR_ACCESS_DENIED;
    reason = SystemErrorText(error);
    return false;
}

WriteResult WindowPlatform::WriteFileReplacing(const std::string& path, const std::string& bytes) {
    if (Protected(path)) return {WriteOutcome::CannotCreate, ERROR_ACCESS_DENIED};
    return Win32Platform::WriteFileReplacing(path, bytes);
}

ElevatedRun WindowPlatform::RunSaveJobElevated(const std::string& folder, const std::string& job) {
    const std::string companion = ExtractFilePath(ExePath()) + "quilletc.exe";
    if (!FileExists(companion)) return {ERROR_FILE_NOT_FOUND, 0, ""};
    const std::string jobPath = WriteTempJob(job);
    if (jobPath.empty()) return {GetLastError() ? GetLastError() : ERROR_WRITE_FAULT, 0, ""};
    // The empty file the elevated run reports into: made here, with this
    // user's rights, for it only fills a file that exists (FillEmptyFile).
    const std::string stepsPath = jobPath + ".steps";
    // Closed at once (a temporary owner), before the elevated run opens it.
    ui::KernelHandle(ui::OpenedFile(CreateFileA(stepsPath.c_str(), GENERIC_WRITE, 0, nullptr,
                                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));

    // What the elevated side may trust travels here, fixed when the prompt
    // appears: the folder and the job's digest.
    const std::string parameters = ElevatedSaveParameters(folder, jobPath, Sha256Hex(job));
    const ui::Form* main = ui::Application::Get().MainForm();
    SHELLEXECUTEINFOA run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS;
    run.hwnd = main ? main->Handle() : nullptr;
    run.lpVerb = "runas";
    run.lpFile = companion.c_str();
    run.lpParameters = parameters.c_str();
    run.nShow = SW_HIDE;

    ElevatedRun result;
    if (!ShellExecuteExA(&run)) {
        result.error = GetLastError();
        if (result.error == 0) result.error = ERROR_CANCELLED;
    } else if (run.hProcess == nullptr) {
        result.error = ERROR_INVALID_HANDLE;
    } else {
        const ui::KernelHandle process(run.hProcess);
        WaitRepainting(process.Get(), run.hwnd);
        DWORD code = 0;
        GetExitCodeProcess(process.Get(), &code);
        result.exitCode = code;
        ReadTextFile(stepsPath, result.steps);
    }
    DeleteFileA(stepsPath.c_str());
    DeleteFileA(jobPath.c_str());
    return result;
}

}  // namespace quillet
