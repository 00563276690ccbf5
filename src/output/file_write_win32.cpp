#include "output/file_write_win32.h"

#include <windows.h>

#include <algorithm>

#include "core/paths.h"

namespace quillet {

namespace {

WriteResult Fail(WriteOutcome outcome, DWORD error) {
    return {outcome, error};
}

// A virus scanner may hold the new file, or the old one, for a moment after
// it was written: `attempt` is repeated for about a second while it fails
// with an error that `transient` accepts. GetLastError() tells why it failed.
template <typename Attempt, typename Transient>
bool Retried(Attempt attempt, Transient transient) {
    for (int tries = 0;; ++tries) {
        if (attempt()) return true;
        const DWORD error = GetLastError();
        if (!transient(error) || tries == 10) return false;
        Sleep(100);
        SetLastError(error);
    }
}

// True when the target may be replaced: it does not exist, or it is a plain
// file that is neither read-only nor open through any other handle. Windows
// refuses to rename over such a file; some emulations of it do not, so the
// same test is made here first and the behaviour is alike everywhere.
bool TargetReplaceable(const std::string& path, DWORD& error, bool& readOnly) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        error = GetLastError();
        // Nothing there yet (or nothing reachable, which the creation of the
        // temporary file will report in its own terms).
        return true;
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) {
        error = ERROR_ACCESS_DENIED;
        readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
        return false;
    }
    // DELETE access without any sharing succeeds only when no one else holds
    // the file open, which is what the rename will need. A scanner's moment
    // is waited out; a DOS session's hold outlasts the wait.
    HANDLE probe = INVALID_HANDLE_VALUE;
    const auto open = [&] {
        probe = CreateFileA(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        return probe != INVALID_HANDLE_VALUE;
    };
    if (!Retried(open, [](DWORD e) { return e == ERROR_SHARING_VIOLATION; })) {
        error = GetLastError();
        return false;
    }
    CloseHandle(probe);
    return true;
}

// Creates a new, empty file in `dir` with a name no other file has; the name
// starts with "~qt" so a leftover one would be recognisable.
HANDLE CreateTempBeside(const std::string& dir, std::string& tempName, DWORD& error) {
    const DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (DWORD attempt = 0; attempt < 100; ++attempt) {
        // wsprintfA, not snprintf: the C library's formatter would add its
        // floating-point machinery to the program for this one name.
        char name[32];
        wsprintfA(name, "~qt%05lx.tmp", static_cast<unsigned long>((seed + attempt) & 0xFFFFF));
        tempName = dir + name;
        HANDLE file = CreateFileA(tempName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    tempName.clear();
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, const std::string& bytes, DWORD& error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            error = GetLastError();
            if (error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
            return false;
        }
        done += written;
    }
    if (!FlushFileBuffers(file)) {
        error = GetLastError();
        return false;
    }
    return true;
}

}  // namespace

WriteResult WriteFileReplacingWin32(const std::string& path, const std::string& bytes) {
    DWORD error = 0;
    bool readOnly = false;
    if (!TargetReplaceable(path, error, readOnly)) {
        return {WriteOutcome::CannotReplace, error, readOnly};
    }

    error = 0;
    const std::string dir = ExtractFilePath(path);
    std::string tempName;
    HANDLE file = CreateTempBeside(dir, tempName, error);
    if (file == INVALID_HANDLE_VALUE) return Fail(WriteOutcome::CannotCreate, error);

    const bool written = WriteAll(file, bytes, error);
    const bool closed = CloseHandle(file) != 0;
    if (written && !closed) error = GetLastError();
    if (!written || !closed) {
        DeleteFileA(tempName.c_str());
        return Fail(WriteOutcome::WriteFailed, error);
    }

    const auto move = [&] {
        return MoveFileExA(tempName.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    };
    if (Retried(move, [](DWORD e) {
            return e == ERROR_ACCESS_DENIED || e == ERROR_SHARING_VIOLATION;
        })) {
        return {};
    }
    error = GetLastError();
    DeleteFileA(tempName.c_str());
    return Fail(WriteOutcome::CannotReplace, error);
}

}  // namespace quillet
