// quilletc.exe: the console companion of quillet.exe for scripts and CI.
// Standard output and error take the bytes as they are: the configuration
// text keeps its CR LF line ends when redirected to a file.

#include <windows.h>

#include <string>
#include <vector>

#include "app/platform_win32.h"
#include "cli/companion.h"
#include "version.h"

namespace {

void WriteAll(DWORD which, const std::string& bytes) {
    HANDLE h = GetStdHandle(which);
    if (h == nullptr || h == INVALID_HANDLE_VALUE) return;
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(h, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                       nullptr) ||
            written == 0) {
            return;
        }
        done += written;
    }
}

std::string AnsiToUtf8(const std::string& text) {
    if (text.empty()) return text;
    const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
    if (wide <= 0) return text;
    std::wstring w(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), w.data(), wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return text;
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

}  // namespace

int main(int argc, char** argv) {
    // A failing drive or a missing floppy must not stop a script with a box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    std::vector<std::string> args(argv + 1, argv + argc);
    quillet::Win32Platform platform;
    quillet::cli::Output output;
    const int code =
        quillet::cli::RunCompanion(args, platform, output, QUILLET_VERSION_TEXT, AnsiToUtf8);
    WriteAll(STD_OUTPUT_HANDLE, output.out);
    WriteAll(STD_ERROR_HANDLE, output.err);
    return code;
}
