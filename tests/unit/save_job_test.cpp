// Save as administrator, the elevated side: the job's digest, and quilletc's
// elevated-save refusing every job but the one handed over.
#include <gtest/gtest.h>

#include "cli/companion.h"
#include "core/save_job.h"
#include "core/sha256.h"
#include "fakes.h"

namespace quillet::testing {
namespace {

TEST(Sha256, KnownDigestsAcrossThePaddingBoundaries) {
    const std::pair<std::string, const char*> vectors[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",  // 56 bytes: two tail blocks
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& [message, digest] : vectors) EXPECT_EQ(Sha256Hex(message), digest);
}

TEST(ElevatedSave, RefusesEveryJobButTheOneHandedOverAndWritesNothing) {
    const std::string folder = "C:\\PROGRA~1\\D3\\BIN";
    const std::string jobPath = "C:\\TEMP\\qsj1.tmp";
    const SaveJob good{Version::D3, "dcc32.exe", JobFile{"-cfg\r\n"}, JobFile{"bat\r\n", true}, true};
    const std::string goodBytes = EncodeJob(good);
    auto changed = [&](void (*change)(SaveJob&)) {
        SaveJob job = good;
        change(job);
        return EncodeJob(job);
    };
    struct Case { const char* name; std::string folder, job, digest /* empty: the job's */; int code; };
    const Case cases[] = {
        {"the job handed over", folder, goodBytes, "", 0},
        {"a folder without the compiler", "C:\\WINDOWS\\SYSTEM32", goodBytes, "", 8},
        {"a folder climbing out", folder + "\\..\\..\\..\\WINDOWS", goodBytes, "", 8},
        {"a relative folder", "BIN", goodBytes, "", 8},
        {"another compiler", folder, changed([](SaveJob& j) { j.compiler = "cmd.exe"; }), "", 8},
        {"a name climbing out", folder, changed([](SaveJob& j) { j.compiler = "..\\dcc32.exe"; }), "", 8},
        {"another version", folder, changed([](SaveJob& j) { j.version = Version::D1; }), "", 8},
        {"a digest that differs", folder, goodBytes, Sha256Hex(goodBytes + " "), 7},
        {"swapped", folder, changed([](SaveJob& j) { j.bat->bytes = "x"; }), Sha256Hex(goodBytes), 7},
        {"truncated", folder, goodBytes.substr(0, goodBytes.size() - 1), "", 6},
        {"a size that lies", folder, goodBytes + "x", "", 6},
        {"oversized", folder, goodBytes + std::string(kMaxJobBytes, 'x'), "", 6},
        {"garbage", folder, "MZ\x90\0\3\0\0\0garbage", "", 6},
        {"missing", folder, "", "", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform p;
        p.exePath = "C:\\QUILLET\\quilletc.exe";
        p.AddFile("C:\\QUILLET\\LunketD3.exe", "stub");
        p.AddFile(folder + "\\dcc32.exe");
        p.AddFile(folder + "\\dcc32.bat", "old bat\r\n");
        if (!c.job.empty()) p.AddFile(jobPath, c.job);
        p.AddFile(jobPath + ".steps", "");
        cli::Output output;
        const int code = cli::RunCompanion(
            {"elevated-save", c.folder, jobPath, c.digest.empty() ? Sha256Hex(c.job) : c.digest}, p,
            output, "", [](const std::string& s) { return s; });
        EXPECT_EQ(code, c.code) << output.err;
        if (code != 0) {
            EXPECT_TRUE(p.writes.empty() && output.err.find("nothing written") != std::string::npos);
            continue;
        }
        EXPECT_EQ(p.Content(folder + "\\dcc32.cfg") + p.Content(folder + "\\dcc32.bat") +
                      p.Content(folder + "\\LunketD3.exe"), "-cfg\r\nbat\r\nstub");
        EXPECT_EQ(p.Content(jobPath + ".steps"), "cfg written\r\nstub written\r\nbat written\r\n");
    }
}

}  // namespace
}  // namespace quillet::testing
