#include "cli/elevated_save.h"

#include "config/profiles.h"
#include "core/paths.h"
#include "core/sha256.h"
#include "core/text.h"

namespace quillet::cli {

namespace {

constexpr unsigned long kErrorFileNotFound = 2;

int Refuse(Output& output, int code, const std::string& why) {
    output.err += "quilletc: job refused, nothing written: " + why + "\n";
    return code;
}

std::string LowerAscii(std::string text) {
    for (char& c : text) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    return text;
}

// Writes `file` as `path` unless the user did not agree to replace one there.
JobStep WriteJobFile(Platform& platform, const char* role, const std::string& path,
                     const JobFile& file) {
    if (!file.replace && platform.FileExists(path)) return {role, "kept", 0};
    const WriteResult result = platform.WriteFileReplacing(path, file.bytes);
    if (result.outcome == WriteOutcome::Written) return {role, "written", 0};
    return {role, "", result.error ? result.error : 1};
}

}  // namespace

int RunElevatedSave(const Options& o, Platform& platform, Output& output) {
    std::string bytes;
    // Too large a job is refused unread: it could exhaust the memory of the run.
    if (platform.FileSize(o.jobPath) > static_cast<long long>(kMaxJobBytes)) {
        return Refuse(output, kExitJobUnreadable, "the job is too large");
    }
    if (!platform.ReadTextFile(o.jobPath, bytes)) {
        return Refuse(output, kExitJobUnreadable, "cannot read " + o.jobPath);
    }
    if (bytes.size() > kMaxJobBytes) {
        return Refuse(output, kExitJobUnreadable, "the job is too large");
    }
    if (o.digest.size() != 64 || LowerAscii(o.digest) != Sha256Hex(bytes)) {
        return Refuse(output, kExitJobDigest, "the job is not the one handed over");
    }
    SaveJob job;
    std::string why;
    if (!ParseJob(bytes, job, why)) return Refuse(output, kExitJobUnreadable, why);

    const Profile* profile = FindProfile(job.version);
    if (!PlainAbsoluteFolder(o.folder)) {
        return Refuse(output, kExitJobFolder, "not a plain absolute folder: " + o.folder);
    }
    const std::string dir = o.folder.back() == '\\' ? o.folder : o.folder + "\\";
    if (profile == nullptr || UpperAscii(job.compiler) != UpperAscii(profile->compilerName) ||
        !platform.FileExists(dir + job.compiler)) {
        const std::string compiler = profile ? profile->compilerName : "the compiler";
        return Refuse(output, kExitJobFolder, "no " + compiler + " in " + o.folder);
    }

    // In Save's order; a failed configuration or batch file ends the run, a
    // stub that cannot be copied does not.
    std::vector<JobStep> steps;
    bool failed = false;
    const std::string compiler = dir + job.compiler;
    if (job.cfg) {
        steps.push_back(WriteJobFile(platform, "cfg", ReplaceExtension(compiler, ".cfg"),
                                     *job.cfg));
        failed = steps.back().error != 0;
    }
    const std::string stub = dir + profile->stubName;
    if (!failed && job.copyStub && !platform.FileExists(stub)) {
        std::string stubBytes;
        const std::string shipped = ExtractFilePath(platform.ExePath()) + profile->stubName;
        if (platform.ReadTextFile(shipped, stubBytes)) {
            steps.push_back(WriteJobFile(platform, "stub", stub, {stubBytes, true}));
        } else {
            steps.push_back({"stub", "", kErrorFileNotFound});
        }
    }
    if (!failed && job.bat) {
        steps.push_back(WriteJobFile(platform, "bat", ReplaceExtension(compiler, ".bat"),
                                     *job.bat));
        failed = steps.back().error != 0;
    }
    const std::string report = EncodeJobSteps(steps);
    // Into the empty file the window made beside the job, in the user's own
    // temporary folder: created or replaced here, a link planted at that name
    // would have an administrator write wherever it pointed.
    platform.FillEmptyFile(o.jobPath + ".steps", report);
    output.out += report;
    for (const JobStep& step : steps) failed = failed || step.error != 0;
    return failed ? kExitFailure : kExitDone;
}

}  // namespace quillet::cli
