// The operating-system services that the portable logic needs. The program
// implements them over Win32 (platform_win32.cpp); the unit tests over an
// in-memory fake. Every text is ANSI, as the compilers and their files are.
#pragma once

#include <string>

namespace quillet {

enum class RegRoot { LocalMachine, CurrentUser };

// What ReadRegString answers for a key that cannot be opened.
inline constexpr const char* kUnableToOpenKey = "(unable to open registry key)";

// The outcome of writing a whole file in place of an existing one (or anew).
enum class WriteOutcome {
    Written,        // the file now holds exactly the new bytes
    CannotCreate,   // no file could be created in the target's directory
    WriteFailed,    // creating worked, writing or flushing did not; `error` says why
    CannotReplace,  // the new text was ready but the old file could not be replaced
};

struct WriteResult {
    WriteOutcome outcome = WriteOutcome::Written;
    unsigned long error = 0;  // the platform's error code, where there is one
    bool readOnlyTarget = false;  // refused because the existing file is marked read-only
};

// The system's error codes that Save and the settings tell apart.
inline constexpr unsigned long kErrorAccessDenied = 5;
inline constexpr unsigned long kErrorWriteProtect = 19;  // a write-protected medium
inline constexpr unsigned long kErrorSharingViolation = 32;
inline constexpr unsigned long kErrorLockViolation = 33;
inline constexpr unsigned long kErrorCancelled = 1223;  // the user refused the elevation prompt

// How an elevated run of quilletc went.
struct ElevatedRun {
    unsigned long error = 0;     // the system's error starting it (kErrorCancelled: refused)
    unsigned long exitCode = 0;  // quilletc's exit code, when it ran
    std::string steps;           // what it reported doing, one line a file (see save_job.h)
};

class Platform {
public:
    virtual ~Platform() = default;

    // Registry, read only. A key that cannot be opened gives kUnableToOpenKey,
    // a missing value or one that is not a string gives empty text. Values are
    // read whole, however long.
    virtual std::string ReadRegString(RegRoot root, const std::string& key,
                                      const std::string& value) = 0;

    // Private-profile files. A bare file name is looked up where the platform
    // keeps such files (the Windows directory). Values are read whole.
    virtual std::string ReadProfileString(const std::string& file, const std::string& section,
                                          const std::string& key, const std::string& def) = 0;
    // Writes one key, creating the file, the section or the key as needed:
    // 0 when written, otherwise the platform's error code.
    virtual unsigned long WriteProfileText(const std::string& file, const std::string& section,
                                           const std::string& key, const std::string& value) = 0;

    // Files. FileExists is true only for a file, DirectoryExists only for a directory.
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // The whole content of an existing file; false when it cannot be read.
    virtual bool ReadTextFile(const std::string& path, std::string& bytes) = 0;
    // Copies `from` over `to`, replacing an existing target. False when the
    // copy failed; `reason` is then the system's text for why, `error` its code.
    virtual bool CopyFileOver(const std::string& from, const std::string& to,
                              std::string& reason, unsigned long& error) = 0;
    // Writes `bytes` as the whole content of `path` so that an existing file is
    // either replaced in one step or left exactly as it was; no temporary file
    // is left behind either way.
    virtual WriteResult WriteFileReplacing(const std::string& path, const std::string& bytes) = 0;

    // The platform's short (8.3) form of an existing path; empty on failure.
    virtual std::string ShortPath(const std::string& path) = 0;
    // The long form of an existing path; the path itself on failure.
    virtual std::string LongPath(const std::string& path) { return path; }
    // Full path of the running program.
    virtual std::string ExePath() = 0;
    // The user's own folder for programs' settings (%APPDATA%); empty when
    // there is none.
    virtual std::string UserDataFolder() = 0;
    // Makes the directory `path` unless it exists; its parent must exist.
    // True when it exists afterwards.
    virtual bool MakeDirectory(const std::string& path) = 0;

    // Writes a shell shortcut to `target` with `arguments`. `linkName` gets
    // ".lnk" appended when it lacks that extension; the caller sees the longer
    // name. Returns the COM result of the last call made (0 on success).
    virtual long CreateLink(const std::string& target, const std::string& arguments,
                            std::string& linkName) = 0;
    // The target that the shortcut file `linkName` points at; empty when the
    // file cannot be read as a shortcut.
    virtual std::string LinkTarget(const std::string& linkName) = 0;

    // Text conversion for the batch file, which the command shell reads in the
    // OEM code page. The identity where there is no such distinction.
    virtual std::string ToOemText(const std::string& text) = 0;

    // Windows as its users have it. The defaults are those of a platform with
    // no user accounts to elevate between and no VirtualStore.

    // Whether the process runs with an administrator's full rights, so that
    // asking for them again would change nothing.
    virtual bool ProcessElevated() { return true; }
    // The system's own words for an error code; empty where it has none.
    virtual std::string SystemErrorText(unsigned long) { return ""; }
    // Hands `job` (save_job.h) for `folder` to quilletc.exe beside the program,
    // run as administrator, and waits for it.
    virtual ElevatedRun RunSaveJobElevated(const std::string&, const std::string&) {
        return {kErrorCancelled, 0, ""};
    }
    // The user's VirtualStore folder, where Windows puts what a program
    // without a manifest writes into a protected folder; empty where there is
    // none (before Vista).
    virtual std::string VirtualStoreRoot() { return ""; }
    // The size of a file in bytes; -1 when it is not known.
    virtual long long FileSize(const std::string&) { return -1; }
    // Writes `bytes` into the existing, empty file `path` that a program of
    // less rights made for them, through no link: false, writing nothing,
    // when `path` is missing, not empty, a link of any kind or a directory.
    // So an administrator's write there lands in the very file that was made,
    // never in one that a link planted in its place points at.
    virtual bool FillEmptyFile(const std::string&, const std::string&) { return false; }
    // Renames a file; false with the system's reason when it cannot.
    virtual bool RenameFile(const std::string&, const std::string&, std::string& reason) {
        reason.clear();
        return false;
    }
};

}  // namespace quillet
