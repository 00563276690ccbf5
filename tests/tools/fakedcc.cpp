// fakedcc: the placeholder compiler of the demo prefix and of the tests.
//
// It compiles nothing. It says that it is sample data, and when FAKEDCC_LOG
// names a file it appends one line per run to it:
//     <full command line as GetCommandLineA gives it> TAB <current directory> CR LF
// It exits with the number in FAKEDCC_EXIT (0 when unset or not a number), so
// a test can make a "compile" fail.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Environment values of any length; nullopt-like empty + false when unset.
bool GetEnv(const char* name, std::string& out) {
    DWORD need = GetEnvironmentVariableA(name, nullptr, 0);
    if (need == 0) return false;
    std::string buf(need, '\0');
    DWORD got = GetEnvironmentVariableA(name, buf.data(), need);
    if (got == 0 || got >= need) return false;
    buf.resize(got);
    out = buf;
    return true;
}

std::string CurrentDirectory() {
    DWORD need = GetCurrentDirectoryA(0, nullptr);
    std::string buf(need, '\0');
    DWORD got = GetCurrentDirectoryA(need, buf.data());
    buf.resize(got < need ? got : 0);
    return buf;
}

bool AppendLine(const std::string& path, const std::string& line) {
    HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    // One write per line, so runs that overlap do not interleave inside a line.
    BOOL ok = WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == line.size();
}

}  // namespace

int main() {
    std::puts("fakedcc: sample placeholder compiler (demo data) - it compiles nothing.");
    std::fflush(stdout);

    std::string log;
    if (GetEnv("FAKEDCC_LOG", log) && !log.empty()) {
        std::string line = GetCommandLineA();
        line += '\t';
        line += CurrentDirectory();
        line += "\r\n";
        if (!AppendLine(log, line)) {
            std::fprintf(stderr, "fakedcc: cannot append to FAKEDCC_LOG file %s\n", log.c_str());
            return 255;
        }
    }

    std::string code;
    if (GetEnv("FAKEDCC_EXIT", code) && !code.empty()) {
        char* end = nullptr;
        long value = std::strtol(code.c_str(), &end, 10);
        if (end && *end == '\0') return static_cast<int>(value);
        std::fprintf(stderr, "fakedcc: FAKEDCC_EXIT is not a number: %s\n", code.c_str());
    }
    return 0;
}
