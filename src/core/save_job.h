// The job that quillet.exe hands to an elevated quilletc.exe when Windows
// refuses its own writes into a compiler folder: what to write there, as
// bytes, and which existing files the user agreed to replace. The job file
// lies where any program of the user can change it, so the elevated side
// takes the folder and the job's SHA-256 from its command line, fixed when
// the prompt appeared, and trusts the job only as far as those two allow.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/compiler_version.h"

namespace quillet {

// Far beyond any configuration text; a larger job is refused unread.
inline constexpr std::size_t kMaxJobBytes = 1u << 20;

struct JobFile {
    std::string bytes;
    bool replace = false;  // the user agreed to replace an existing file
    bool operator==(const JobFile&) const = default;
};

struct SaveJob {
    Version version = Version::None;
    std::string compiler;         // the compiler's file name in the folder, as found
    std::optional<JobFile> cfg;   // the configuration file, when Save writes it
    std::optional<JobFile> bat;   // the batch file, when Save writes it
    bool copyStub = false;        // copy the launcher stub shipped beside quilletc.exe
    bool operator==(const SaveJob&) const = default;
};

// The job's bytes. ParseJob(EncodeJob(job)) gives the job back.
std::string EncodeJob(const SaveJob& job);

// Reads a job strictly: every byte must belong to it. False, with one line
// saying why, for anything else.
bool ParseJob(const std::string& bytes, SaveJob& job, std::string& why);

// Why an elevated run refuses a job; it then writes nothing.
enum class JobRefusal {
    None,
    Unreadable,  // the job file is missing, unreadable, oversized or malformed
    Digest,      // its SHA-256 is not the one on the command line
    Folder,      // the folder is not a plain absolute path holding the version's compiler
};

// quilletc's exit codes for a job it refused, having written nothing.
inline constexpr int kJobExitUnreadable = 6;  // missing, unreadable, oversized or malformed
inline constexpr int kJobExitDigest = 7;      // not the job the prompt was shown for
inline constexpr int kJobExitFolder = 8;      // not a folder holding the version's compiler

// One sentence for the user about quilletc's exit code after a job.
std::string JobExitText(unsigned long code);

// The folder as the command line gives it: a drive or UNC path with no "."
// or ".." part, no forward slash and no wildcard, quote or stream.
bool PlainAbsoluteFolder(const std::string& folder);

// The command line of the elevated run: verb, folder, job file and digest,
// each quoted so that the C run-time's rules read it back unchanged.
std::string ElevatedSaveParameters(const std::string& folder, const std::string& jobPath,
                                   const std::string& digest);
inline constexpr const char* kElevatedSaveVerb = "elevated-save";

// What the elevated run did, one line per file it touched: the file's role
// ("cfg", "stub", "bat"), then "written", "kept" or the system's error code.
struct JobStep {
    std::string role;
    std::string outcome;
    unsigned long error = 0;
};
std::string EncodeJobSteps(const std::vector<JobStep>& steps);
std::vector<JobStep> ParseJobSteps(const std::string& text);

}  // namespace quillet
