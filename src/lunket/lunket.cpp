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
//
// Three copies land in users' compiler folders, so the stub stays small: it
// uses no C++ library (no std::string, no stdio, no exceptions), only the
// system's functions and a growing buffer of its own on the process heap.
#include <windows.h>

#include <cstddef>

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

constexpr bool SameText(const char* a, const char* b) {
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}

// Delphi 1's compiler is a 16-bit DOS program; the other two are Win32 ones.
constexpr bool kSixteenBitCompiler = SameText(LUNKET_COMPILER, "DCC.EXE");

std::size_t Length(const char* text) {
    std::size_t n = 0;
    while (text[n]) ++n;
    return n;
}

// A text on the process heap that grows as it is appended to; always ends in
// a zero byte. Should the heap refuse, the text stays as it was.
class Text {
public:
    Text() = default;
    Text(const char* text) { Add(text); }
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    ~Text() {
        if (data_) HeapFree(GetProcessHeap(), 0, data_);
    }

    const char* c_str() const { return data_ ? data_ : ""; }
    char* data() { return data_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    // Room for `capacity` bytes and the closing zero.
    bool Reserve(std::size_t capacity) {
        if (data_ && capacity <= capacity_) return true;
        void* grown = data_ ? HeapReAlloc(GetProcessHeap(), 0, data_, capacity + 1)
                            : HeapAlloc(GetProcessHeap(), 0, capacity + 1);
        if (!grown) return false;
        data_ = static_cast<char*>(grown);
        capacity_ = capacity;
        data_[size_] = '\0';
        return true;
    }
    void Resize(std::size_t size) {
        if (size <= capacity_ && data_) data_[size_ = size] = '\0';
    }
    Text& Add(const char* text, std::size_t n) {
        if (!Reserve(size_ + n + (capacity_ > n ? capacity_ : n))) return *this;
        for (std::size_t i = 0; i < n; ++i) data_[size_ + i] = text[i];
        data_[size_ += n] = '\0';
        return *this;
    }
    Text& Add(const char* text) { return Add(text, Length(text)); }
    Text& Add(const Text& text) { return Add(text.c_str(), text.size()); }
    Text& AddNumber(unsigned long value) {
        char digits[12];
        int n = 0;
        do digits[n++] = static_cast<char>('0' + value % 10); while (value /= 10);
        while (n) Add(&digits[--n], 1);
        return *this;
    }

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// Writes to standard output as the C library's text mode did: each line
// break as CR LF.
void Say(const Text& text) {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE) return;
    const char* p = text.c_str();
    while (*p) {
        const char* end = p;
        while (*end && *end != '\n') ++end;
        DWORD written = 0;
        if (end > p) WriteFile(output, p, static_cast<DWORD>(end - p), &written, nullptr);
        if (!*end) break;
        WriteFile(output, "\r\n", 2, &written, nullptr);
        p = end + 1;
    }
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

// The program's own path, however long; empty when the system will not say.
void ModulePath(Text& path) {
    for (DWORD capacity = MAX_PATH; capacity <= 0x10000; capacity *= 2) {
        if (!path.Reserve(capacity)) return;
        const DWORD got = GetModuleFileNameA(nullptr, path.data(), capacity);
        if (got == 0) break;
        if (got < capacity) return path.Resize(got);
        // the path was cut
    }
    path.Resize(0);
}

bool IsSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

// Where the name starts in `path`: after its last separator.
std::size_t NameStart(const Text& path) {
    std::size_t at = path.size();
    while (at > 0 && !IsSeparator(path.c_str()[at - 1])) --at;
    return at;
}

bool IsFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The command line after the program's own name, exactly as it was given, so
// that the compiler sees the user's quoting. The name ends at the closing
// quote when it starts with one, otherwise at the first blank.
const char* ArgumentTail(const char* commandLine) {
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
void WorkingDirectory(int argc, char** argv, Text& directory) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!IsFile(arg)) continue;
        const std::size_t n = Length(arg);
        const bool absolute = (n > 2 && arg[1] == ':' && (arg[2] == '\\' || arg[2] == '/')) ||
                              (n > 1 && (arg[0] == '\\' || arg[0] == '/') &&
                               (arg[1] == '\\' || arg[1] == '/'));
        if (!absolute) {
            for (const char* p = arg; *p; ++p)
                if (IsSeparator(*p)) return;
        }
        const DWORD need = GetFullPathNameA(arg, 0, nullptr, nullptr);
        if (need == 0 || !directory.Reserve(need)) return;
        const DWORD got = GetFullPathNameA(arg, need, directory.data(), nullptr);
        if (got == 0 || got >= need) return directory.Resize(0);
        directory.Resize(got);
        return directory.Resize(NameStart(directory));
    }
}

// The system's message for `error` without its closing line break and full
// stops; "%1", the insert that names the file, gets `file` in its place.
// Other inserts are left as they are, since formatting them would read
// arguments that were never given.
void AddSystemMessage(Text& text, DWORD error, const Text& file) {
    char* message = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&message), 0, nullptr);
    if (!message) length = 0;
    while (length > 0 && (message[length - 1] == '\n' || message[length - 1] == '\r' ||
                          message[length - 1] == ' ')) {
        --length;
    }
    while (length > 0 && message[length - 1] == '.') --length;
    if (length > 0) {
        text.Add(": ");
        for (DWORD i = 0; i < length; ++i) {
            // "%10" and up are other inserts.
            if (message[i] == '%' && i + 1 < length && message[i + 1] == '1' &&
                !(i + 2 < length && message[i + 2] >= '0' && message[i + 2] <= '9')) {
                text.Add(file);
                ++i;
            } else {
                text.Add(&message[i], 1);
            }
        }
    }
    if (message) LocalFree(message);
}

void ReportCannotStart(const Text& compiler, DWORD error) {
    Text text("The compiler ");
    text.Add(compiler).Add(" could not be started");
    AddSystemMessage(text, error, compiler);
    text.Add(" (error ").AddNumber(error).Add(").\n");
    switch (error) {
        case ERROR_BAD_EXE_FORMAT:
        case ERROR_BAD_FORMAT:
        case ERROR_EXE_MACHINE_TYPE_MISMATCH:
        case ERROR_INVALID_EXE_SIGNATURE:
        case ERROR_NOT_SUPPORTED:
            text.Add(kSixteenBitCompiler
                         ? "This version of Windows cannot run that program. Delphi 1's DCC.EXE is a "
                           "16-bit program, and 64-bit Windows cannot run 16-bit programs: compile on "
                           "32-bit Windows, in a virtual machine, or in a DOS emulator instead.\n"
                         : "Windows does not take it for a program it can run: the file may be damaged, "
                           "or it is not the Delphi compiler. Reinstall it from your Delphi setup.\n");
            break;
        default:
            break;
    }
    Say(text);
}

}  // namespace

int main(int argc, char** argv) {
    Text self;
    ModulePath(self);
    const char* selfName = self.c_str() + NameStart(self);
    Text compiler;
    compiler.Add(self.c_str(), NameStart(self)).Add(LUNKET_COMPILER);

    if (argc < 2) {
        Text text("No project was given to compile. Drop a Delphi project (.dpr) file on ");
        text.Add(selfName).Add(" or on its desktop shortcut, or run it as:\n  ").Add(selfName);
        text.Add(" MyProject.dpr\nIt then runs the " LUNKET_VERSION_NAME " compiler " LUNKET_COMPILER
                 " that lies beside it.\n");
        Say(text);
        WaitForKey();
        return kExitNoProject;
    }

    if (!IsFile(compiler.c_str())) {
        Text text("The " LUNKET_VERSION_NAME " compiler " LUNKET_COMPILER
                  " was not found beside this program (looked for ");
        text.Add(compiler).Add(
            "). Copy this program into the directory that holds " LUNKET_COMPILER
            ", or let Quillet save your configuration there, which puts it in place.\n");
        Say(text);
        WaitForKey();
        return kExitNoCompiler;
    }

    Text commandLine("\"");
    commandLine.Add(compiler).Add("\"");
    const char* tail = ArgumentTail(GetCommandLineA());
    if (*tail) commandLine.Add(" ").Add(tail);
    Text workDir;
    WorkingDirectory(argc, argv, workDir);

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
