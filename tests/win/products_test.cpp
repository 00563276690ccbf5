// What Save leaves beside the compiler, run for real: the pausing batch file
// through the command shell, and the launcher stub, each with the placeholder
// compiler fakedcc standing in for DCC32.EXE. fakedcc appends
// "<command line> TAB <current directory> CR LF" to the file named by
// FAKEDCC_LOG and exits with FAKEDCC_EXIT.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/platform_win32.h"
#include "core/paths.h"
#include "core/text.h"
#include "output/file_write_win32.h"
#include "output/save.h"
#include "output_test_util.h"

namespace quillet::wintest {
namespace {

std::string BesideTests(const std::string& name) {
    char path[MAX_PATH * 4];
    const DWORD got = GetModuleFileNameA(nullptr, path, sizeof path);
    return ExtractFilePath(std::string(path, got)) + name;
}

struct RunResult {
    bool started = false;
    bool finished = false;
    DWORD exitCode = 0;
    std::string output;
};

// Runs `commandLine` with standard input read from a file holding one line
// break (so that "pause" and the stub's key wait return) and standard output
// and error captured.
RunResult RunWithInput(const std::string& application, std::string commandLine,
                       const ScratchDir& scratch) {
    RunResult run;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const std::string inName = scratch / "stdin.txt";
    const std::string outName = scratch / "stdout.txt";
    WriteWholeFile(inName, "\r\n");
    DeleteFileA(outName.c_str());
    HANDLE in = CreateFileA(inName.c_str(), GENERIC_READ, FILE_SHARE_READ, &inherit, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE out = CreateFileA(outName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = out;
    PROCESS_INFORMATION process{};
    run.started = CreateProcessA(application.empty() ? nullptr : application.c_str(),
                                 commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                 scratch.path().c_str(), &startup, &process) != 0;
    CloseHandle(in);
    CloseHandle(out);
    if (!run.started) return run;
    CloseHandle(process.hThread);
    run.finished = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    if (!run.finished) TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hProcess);
    run.output = ReadWholeFile(outName);
    return run;
}

struct LogLine {
    std::string commandLine, directory;
};

std::vector<LogLine> ReadLog(const std::string& path) {
    std::vector<LogLine> lines;
    for (const std::string& line : SplitLines(ReadWholeFile(path))) {
        const std::size_t tab = line.rfind('\t');
        if (tab == std::string::npos) continue;
        std::string dir = line.substr(tab + 1);
        if (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
        lines.push_back({line.substr(0, tab), dir});
    }
    return lines;
}

class ProductsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryA((scratch / "Delphi 2.0").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(compilerDir.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(projectDir.c_str(), nullptr));
        ASSERT_TRUE(WriteWholeFile(project, "program Hello; begin end.\r\n"));
        const std::string fake = BesideTests("fakedcc.exe");
        ASSERT_TRUE(CopyFileA(fake.c_str(), compiler.c_str(), FALSE))
            << fake << " (the placeholder compiler, built with the tests) is missing";
        SetEnvironmentVariableA("FAKEDCC_LOG", log.c_str());
        SetEnvironmentVariableA("FAKEDCC_EXIT", nullptr);
    }
    void TearDown() override {
        SetEnvironmentVariableA("FAKEDCC_LOG", nullptr);
        SetEnvironmentVariableA("FAKEDCC_EXIT", nullptr);
    }

    // The stub of `name`, copied beside the compiler as Save does.
    std::string PlaceStub(const std::string& name) {
        const std::string stub = compilerDir + "\\" + name;
        EXPECT_TRUE(CopyFileA(BesideTests(name).c_str(), stub.c_str(), FALSE))
            << BesideTests(name) << " is missing";
        return stub;
    }

    ScratchDir scratch{"prod"};
    std::string compilerDir = scratch / "Delphi 2.0\\BIN";
    std::string compiler = compilerDir + "\\DCC32.EXE";
    std::string projectDir = scratch / "My Projects";
    std::string project = projectDir + "\\Hello.dpr";
    std::string log = scratch / "fakedcc.log";
};

TEST_F(ProductsTest, BatchFileRunsTheCompilerWithTheDroppedProjectAndPauses) {
    Win32Platform platform;
    const std::string bat = ReplaceExtension(compiler, ".bat");
    ASSERT_EQ(
        WriteFileReplacingWin32(bat, platform.ToOemText(BatchFileText(platform, compiler))).outcome,
        WriteOutcome::Written);

    const RunResult run =
        RunWithInput("", "cmd.exe /c \"\"" + bat + "\" \"" + project + "\"\"", scratch);

    ASSERT_TRUE(run.started);
    ASSERT_TRUE(run.finished) << "the batch file did not end: " << run.output;
    const std::vector<LogLine> lines = ReadLog(log);
    ASSERT_EQ(lines.size(), 1u) << ReadWholeFile(bat) << "\n" << run.output;
    // The compiler got the project as its one argument, quotes included as
    // the shell passed them.
    EXPECT_EQ(lines[0].commandLine.substr(lines[0].commandLine.size() - project.size() - 3),
              " \"" + project + "\"")
        << lines[0].commandLine;
    EXPECT_NE(run.output.find("fakedcc"), std::string::npos) << run.output;
    // "pause" ran after the compiler and took the line break from the input.
    EXPECT_GT(run.output.find("ress any key"), run.output.find("fakedcc")) << run.output;
    EXPECT_NE(run.output.find("ress any key"), std::string::npos) << run.output;
}

TEST_F(ProductsTest, BatchFileWithTheFullPathQuotedRunsToo) {
    // The first line as it stands when the platform has no short form.
    const std::string bat = ReplaceExtension(compiler, ".bat");
    ASSERT_TRUE(WriteWholeFile(bat, "\"" + compiler + "\" %1\r\npause\r\n"));

    const RunResult run =
        RunWithInput("", "cmd.exe /c \"\"" + bat + "\" \"" + project + "\"\"", scratch);

    ASSERT_TRUE(run.finished);
    const std::vector<LogLine> lines = ReadLog(log);
    ASSERT_EQ(lines.size(), 1u) << run.output;
    EXPECT_EQ(lines[0].commandLine, "\"" + compiler + "\" \"" + project + "\"");
}

struct StubCase {
    const char* stub;
    const char* compilerName;
};

class StubRunTest : public ProductsTest, public ::testing::WithParamInterface<StubCase> {};

TEST_P(StubRunTest, RunsTheCompilerBesideItInTheProjectsDirectoryAndPassesItsExitCode) {
    const StubCase& c = GetParam();
    const std::string besideCompiler = compilerDir + "\\" + c.compilerName;
    if (besideCompiler != compiler) {
        ASSERT_TRUE(MoveFileA(compiler.c_str(), besideCompiler.c_str()));
    }
    const std::string stub = PlaceStub(c.stub);

    for (const char* code : {"3", "0"}) {
        SCOPED_TRACE(std::string("compiler exits with ") + code);
        DeleteFileA(log.c_str());
        SetEnvironmentVariableA("FAKEDCC_EXIT", code);

        const std::string tail = "\"" + project + "\"  -B  \"-U" + scratch.path() + "\"";
        const RunResult run = RunWithInput(stub, "\"" + stub + "\" " + tail, scratch);

        ASSERT_TRUE(run.started);
        ASSERT_TRUE(run.finished) << run.output;
        EXPECT_EQ(run.exitCode, static_cast<DWORD>(std::atoi(code))) << run.output;
        const std::vector<LogLine> lines = ReadLog(log);
        ASSERT_EQ(lines.size(), 1u) << run.output;
        // Its own arguments, character for character, after the compiler's name.
        EXPECT_EQ(lines[0].commandLine, "\"" + besideCompiler + "\" " + tail);
        EXPECT_EQ(UpperAscii(lines[0].directory), UpperAscii(projectDir));
        EXPECT_NE(run.output.find("fakedcc: sample placeholder compiler"), std::string::npos)
            << run.output;
        EXPECT_NE(run.output.find("Press any key"), std::string::npos) << run.output;
    }
}

INSTANTIATE_TEST_SUITE_P(Stubs, StubRunTest,
                         ::testing::Values(StubCase{"lunket.exe", "DCC.EXE"},
                                           StubCase{"LunketD2.exe", "dcc32.exe"},
                                           StubCase{"LunketD3.exe", "dcc32.exe"}));

TEST_F(ProductsTest, StubWithoutAProjectSaysSoAndFails) {
    const std::string stub = PlaceStub("LunketD2.exe");

    const RunResult run = RunWithInput(stub, "\"" + stub + "\"", scratch);

    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.output.find("No project was given to compile."), std::string::npos) << run.output;
    EXPECT_TRUE(ReadLog(log).empty());
}

TEST_F(ProductsTest, StubWithoutACompilerBesideItSaysSoAndFails) {
    const std::string stub = PlaceStub("lunket.exe");  // looks for DCC.EXE, which is not there
    DeleteFileA(compiler.c_str());

    const RunResult run = RunWithInput(stub, "\"" + stub + "\" \"" + project + "\"", scratch);

    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_NE(run.output.find("The Delphi 1 compiler DCC.EXE was not found beside this program"),
              std::string::npos)
        << run.output;
}

TEST_F(ProductsTest, StubWhoseCompilerWillNotStartExplainsWhy) {
    struct Case {
        const char* stub;
        const char* compilerName;
        const char* advice;
    };
    const Case cases[] = {
        {"lunket.exe", "DCC.EXE", "64-bit Windows cannot run 16-bit programs"},
        {"LunketD3.exe", "DCC32.EXE", "Reinstall it from your Delphi setup"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stub);
        const std::string stub = PlaceStub(c.stub);
        ASSERT_TRUE(WriteWholeFile(compilerDir + "\\" + c.compilerName, "this is not a program"));

        const RunResult run = RunWithInput(stub, "\"" + stub + "\" \"" + project + "\"", scratch);

        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 4u);
        EXPECT_NE(run.output.find("could not be started"), std::string::npos) << run.output;
        EXPECT_NE(run.output.find(c.advice), std::string::npos) << run.output;
        // The system's reason names the file too, in place of its "%1".
        EXPECT_EQ(run.output.find("%1"), std::string::npos) << run.output;
        const std::string upper = UpperAscii(run.output);
        const std::string path = UpperAscii(compilerDir + "\\" + c.compilerName);
        EXPECT_NE(upper.find(path, upper.find(path) + 1), std::string::npos) << run.output;
        EXPECT_TRUE(ReadLog(log).empty());
    }
}

}  // namespace
}  // namespace quillet::wintest
