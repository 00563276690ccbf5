// The elevated Save's job reader, over a file any program of the user can
// write: what it accepts encodes back to the same bytes, and the folder rule
// lets no ".." part or relative path through.
#include <string>

#include "core/save_job.h"
#include "fuzz_check.h"

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    SaveJob job;
    std::string why;
    const bool read = ParseJob(bytes, job, why);
    FUZZ_CHECK(read ? EncodeJob(job) == bytes && !job.compiler.empty() : !why.empty());

    // The same bytes as a folder on the command line.
    if (PlainAbsoluteFolder(bytes)) {
        FUZZ_CHECK((bytes + "\\").find("\\..\\") == std::string::npos &&
                   bytes.find('/') == std::string::npos);
        FUZZ_CHECK(bytes[1] == ':' || bytes.rfind("\\\\", 0) == 0);
    }
    // And as the steps an elevated run reports.
    for (const JobStep& step : ParseJobSteps(bytes)) FUZZ_CHECK(step.outcome.empty() == !!step.error);
    return 0;
}
