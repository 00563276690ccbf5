// The launcher stub that Quillet copies beside a Delphi command-line compiler.
//
// Dropping a project (.dpr) on the stub or on its desktop shortcut runs the
// compiler that lies beside the stub with the stub's own arguments, unchanged,
// in the directory of the project, so that the project's own .cfg and units
// are found. The console stays open until a key is pressed, so that the last
// error can be read, and the stub exits with the compiler's exit code.
//
// Built three times: lunket.exe for Delphi 1 (DCC.EXE), LunketD2.exe and
// LunketD3.exe for Delphi 2 and 3 (dcc32.exe).
//
// Waiting for a key: when standard input is a console, the stub waits for a
// key press in it. When standard input is a pipe or a file (scripts, tests),
// it reads one byte instead, so that it never blocks on input that cannot
// come; at end of input it goes on at once.
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "base/grow_buffer.h"
#include "ui/system_message.h"

#ifndef LUNKET_COMPILER
#error LUNKET_COMPILER must name the compiler file, e.g. "dcc32.exe"
#endif
#ifndef LUNKET_VERSION_NAME
#error LUNKET_VERSION_NAME must name the Delphi version, e.g. "Delphi 2"
#endif

namespace {

// Exit codes of the stub's own failures; every other code is the compiler's.
constexpr int kExitNoProject = 2;
constexpr int kExitNoCompiler = 3;
constexpr int kExitCannotStart = 4;

// Delphi 1's compiler is a 16-bit DOS program; the other two are Win32 ones.
constexpr bool kSixteenBitCompiler = std::string_view(LUNKET_COMPILER) == "DCC.EXE";

void Say(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

void WaitForKey() {
    Say("\nPress any key to close this window.\n");
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (input == nullptr || input == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0;
    if (GetConsoleMode(input, &mode)) {
        FlushConsoleInputBuffer(input);
        for (;;) {
            INPUT_RECORD record;
            DWORD read = 0;
            if (!ReadConsoleInputA(input, &record, 1, &read) || read == 0) return;
            if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) return;
        }
    }
    char byte;
    DWORD read = 0;
    ReadFile(input, &byte, 1, &read, nullptr);
}

std::string ModulePath() {
    return base::ReadGrowing([](char* buffer, std::size_t capacity) -> base::GrowRead {
        const DWORD got = GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(capacity));
        if (got == 0) return {base::GrowRead::Fail};
        if (got < capacity) return {base::GrowRead::Done, got};
        return {base::GrowRead::Grow};  // the path was cut
    });
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t sep = path.find_last_of("\\/:");
    return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

std::string NameOf(const std::string& path) {
    const std::size_t sep = path.find_last_of("\\/:");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The command line after the program's own name, exactly as it was given, so
// that the compiler sees the user's quoting. The name ends at the closing
// quote when it starts with one, otherwise at the first blank.
std::string ArgumentTail(const char* commandLine) {
    const char* p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

// The directory in which the compiler runs: that of the first argument that
// names an existing file. A relative name with a directory part is left where
// it was typed, since the unchanged arguments would no longer name the same
// files from another directory. Empty: the stub's own current directory.
std::string WorkingDirectory(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!IsFile(arg)) continue;
        const bool absolute =
            (arg.size() > 2 && arg[1] == ':' && (arg[2] == '\\' || arg[2] == '/')) ||
            (arg.size() > 1 && (arg[0] == '\\' || arg[0] == '/') &&
             (arg[1] == '\\' || arg[1] == '/'));
        if (!absolute) {
            if (arg.find_first_of("\\/:") != std::string::npos) return std::string();
        }
        DWORD need = GetFullPathNameA(arg.c_str(), 0, nullptr, nullptr);
        if (need == 0) return std::string();
        std::string full(need, '\0');
        const DWORD got = GetFullPathNameA(arg.c_str(), need, full.data(), nullptr);
        if (got == 0 || got >= need) return std::string();
        full.resize(got);
        return DirectoryOf(full);
    }
    return std::string();
}

void ReportCannotStart(const std::string& compiler, DWORD error) {
    std::string text = "The compiler " + compiler + " could not be started";
    std::string reason = ui::SystemMessage(error, compiler);
    while (!reason.empty() && reason.back() == '.') reason.pop_back();
    text += reason.empty() ? " (error " + std::to_string(error) + ").\n"
                           : ": " + reason + " (error " + std::to_string(error) + ").\n";
    switch (error) {
        case ERROR_BAD_EXE_FORMAT:
        case ERROR_BAD_FORMAT:
        case ERROR_EXE_MACHINE_TYPE_MISMATCH:
        case ERROR_INVALID_EXE_SIGNATURE:
        case ERROR_NOT_SUPPORTED:
            if (kSixteenBitCompiler) {
                text +=
                    "This version of Windows cannot run that program. Delphi 1's DCC.EXE is a "
                    "16-bit program, and 64-bit Windows cannot run 16-bit programs: compile on "
                    "32-bit Windows, in a virtual machine, or in a DOS emulator instead.\n";
            } else {
                text +=
                    "Windows does not take it for a program it can run: the file may be damaged, "
                    "or it is not the Delphi compiler. Reinstall it from your Delphi setup.\n";
            }
            break;
        default:
            break;
    }
    Say(text);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string self = ModulePath();
    const std::string compiler = DirectoryOf(self) + LUNKET_COMPILER;

    if (argc < 2) {
        Say("No project was given to compile. Drop a Delphi project (.dpr) file on " +
            NameOf(self) + " or on its desktop shortcut, or run it as:\n  " + NameOf(self) +
            " MyProject.dpr\nIt then runs the " LUNKET_VERSION_NAME " compiler " LUNKET_COMPILER
            " that lies beside it.\n");
        WaitForKey();
        return kExitNoProject;
    }

    if (!IsFile(compiler)) {
        Say("The " LUNKET_VERSION_NAME " compiler " LUNKET_COMPILER
            " was not found beside this program (looked for " +
            compiler +
            "). Copy this program into the directory that holds " LUNKET_COMPILER
            ", or let Quillet save your configuration there, which puts it in place.\n");
        WaitForKey();
        return kExitNoCompiler;
    }

    std::string commandLine = "\"" + compiler + "\"";
    const std::string tail = ArgumentTail(GetCommandLineA());
    if (!tail.empty()) commandLine += " " + tail;
    const std::string workDir = WorkingDirectory(argc, argv);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // No separate program name: a 16-bit program is started only through the
    // command line, which names the compiler first, quoted.
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        workDir.empty() ? nullptr : workDir.c_str(), &startup, &process)) {
        ReportCannotStart(compiler, GetLastError());
        WaitForKey();
        return kExitCannotStart;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.hProcess, &exitCode)) exitCode = kExitCannotStart;
    CloseHandle(process.hProcess);

    WaitForKey();
    return static_cast<int>(exitCode);
}
